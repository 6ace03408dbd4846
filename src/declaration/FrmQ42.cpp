#include "FrmQ42.h"

#include "platform/ui/NavBar.h"
#include "platform/ui/PanelBar.h"

#include <QTabWidget>
#include <QVBoxLayout>

FrmQ42::FrmQ42(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("FrmQ42"));
    setWindowTitle(QStringLiteral("Declaraciones Juradas de existencias y movimientos"));

    PanelBar1 = new q42::PanelBar(this);
    PanelBar1->setObjectName(QStringLiteral("PanelBar1"));
    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    for (const char* pestania : {"Datos", "Formulas"}) {
        auto* pagina = new QWidget(SSTab1);
        pagina->setObjectName(QStringLiteral("SSTab1_") + QLatin1String(pestania));
        SSTab1->addTab(pagina, QLatin1String(pestania));
    }
    NavBar1 = new q42::NavBar(this);
    NavBar1->setObjectName(QStringLiteral("NavBar1"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PanelBar1);
    layout->addWidget(SSTab1, 1);
    layout->addWidget(NavBar1);
}
