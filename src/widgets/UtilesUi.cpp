#include "UtilesUi.h"
#include "Modal.h"

#include "Formularios.h"
#include "core/MsgBox.h"
#include "core/Regional.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

namespace q42 {

namespace {
bool g_esperaActiva = false;
} // namespace

QString UtilesUi::EligeFecha(const QString& inicial) {
    QDialog dialogo(QApplication::activeWindow());
    dialogo.setObjectName(QStringLiteral("dlgEligeFecha"));
    dialogo.setWindowTitle(QStringLiteral("Elija una fecha"));
    auto* calendario = new QCalendarWidget(&dialogo);
    calendario->setObjectName(QStringLiteral("calendario"));
    calendario->setGridVisible(true);
    // Month and day names in Spanish, the week as the regional settings
    // start it.
    QLocale idioma = Regional::locale();
    if (idioma.language() != QLocale::Spanish)
        idioma = QLocale(QLocale::Spanish, QLocale::Argentina);
    calendario->setLocale(idioma);
    calendario->setFirstDayOfWeek(idioma.firstDayOfWeek());
    calendario->setSelectedDate(Regional::readDate(inicial).value_or(QDate::currentDate()));
    auto* botones = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialogo);
    botones->button(QDialogButtonBox::Ok)->setText(QStringLiteral("&Aceptar"));
    botones->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("&Cancelar"));
    QObject::connect(botones, &QDialogButtonBox::accepted, &dialogo, &QDialog::accept);
    QObject::connect(botones, &QDialogButtonBox::rejected, &dialogo, &QDialog::reject);
    QObject::connect(calendario, &QCalendarWidget::activated, &dialogo, &QDialog::accept);
    auto* layout = new QVBoxLayout(&dialogo);
    layout->addWidget(calendario);
    layout->addWidget(botones);

    if (execModal(&dialogo) != QDialog::Accepted)
        return QString();
    return calendario->selectedDate().toString(u"dd/MM/yyyy");
}

// Standard set-up of a form: the bound boxes named <name>_<n> take the tab
// order of their indexes, and the form opens centred on its screen. Mode 1
// also fixes the form's size, as for a dialog.
void UtilesUi::PreparaFormulario(QWidget* formulario, int modo) {
    if (!formulario)
        return;
    QList<std::pair<int, QLineEdit*>> cajas;
    int indice = 0;
    for (QLineEdit* caja : formulario->findChildren<QLineEdit*>()) {
        if (Formularios::NombreIndexado(caja->objectName(), nullptr, &indice) &&
            caja->property(Formularios::DataField).isValid())
            cajas.append({indice, caja});
    }
    std::sort(cajas.begin(), cajas.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (qsizetype i = 1; i < cajas.size(); ++i)
        QWidget::setTabOrder(cajas[i - 1].second, cajas[i].second);

    if (formulario->isWindow() && !formulario->isVisible()) {
        if (QScreen* pantalla = QGuiApplication::primaryScreen()) {
            const QRect zona = pantalla->availableGeometry();
            QRect marco(QPoint(0, 0), formulario->size().boundedTo(zona.size()));
            marco.moveCenter(zona.center());
            formulario->move(marco.topLeft());
        }
    }
    if (modo == 1)
        formulario->setFixedSize(formulario->size().expandedTo(formulario->minimumSizeHint()));
}

void UtilesUi::Espera(bool activa) {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()) || activa == g_esperaActiva)
        return;
    if (activa)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QGuiApplication::restoreOverrideCursor();
    g_esperaActiva = activa;
}

} // namespace q42
