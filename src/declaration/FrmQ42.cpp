// The window itself: bars, the two tabs, the product grid and the remarks,
// built from the column tables so that every box carries its column.

#include "FrmQ42.h"

#include "ColumnasDeclaracion.h"
#include "ado/Ado.h"
#include "core/Error.h"
#include "widgets/CajaTexto.h"
#include "widgets/Formularios.h"
#include "widgets/NavBar.h"
#include "widgets/PanelBar.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

static void iniciaRecursos() {
    Q_INIT_RESOURCE(FrmQ42);
}

using namespace declaracion;

namespace {

const QColor kVerdeValor(0xC0, 0xFF, 0xC0);

// Room for the widest figure a box holds: 15 characters of a number.
int anchoNumero(const QWidget* w) {
    return w->fontMetrics().horizontalAdvance(QStringLiteral("-0000000000,00")) + 16;
}

QLabel* titulo(const QString& texto, QWidget* padre) {
    auto* l = new QLabel(texto, padre);
    l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return l;
}

// The boxed captions at the left of the product grid read top to bottom,
// one word a line, and reach over the rows they group.
QLabel* grupo(const QString& texto, QWidget* padre) {
    auto* l = new QLabel(texto, padre);
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignCenter);
    l->setFrameStyle(QFrame::Box | QFrame::Plain);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    const QFontMetrics fm(f);
    int palabra = 0;
    for (const QString& p : texto.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        palabra = qMax(palabra, fm.horizontalAdvance(p));
    // Narrower than two words side by side, so each word takes its line.
    l->setFixedWidth(palabra + 2 * l->frameWidth() + 6);
    l->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    return l;
}

QLabel* encabezado(const QString& texto, QWidget* padre) {
    auto* l = new QLabel(texto, padre);
    l->setAlignment(Qt::AlignCenter);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

// Asks for the whole of its content, so the window opens showing it all
// when the screen has room; smaller, it scrolls.
class AreaDesplazable : public QScrollArea {
public:
    explicit AreaDesplazable(QWidget* padre) : QScrollArea(padre) {
        setWidgetResizable(true);
        setFrameShape(QFrame::NoFrame);
    }
    QSize sizeHint() const override {
        return widget() ? widget()->sizeHint() : QScrollArea::sizeHint();
    }
};

} // namespace

FrmQ42::FrmQ42(QWidget* parent) : QWidget(parent) {
    iniciaRecursos();
    setObjectName(QStringLiteral("FrmQ42"));
    setWindowTitle(QStringLiteral("Declaraciones Juradas de existencias y movimientos"));

    PanelBar1 = new q42::PanelBar(this);
    PanelBar1->setObjectName(QStringLiteral("PanelBar1"));
    // Printing and the spreadsheet are always at hand.
    PanelBar1->setReporteenabled(true);
    PanelBar1->setPlanillaenabled(true);
    NavBar1 = new q42::NavBar(this);
    NavBar1->setObjectName(QStringLiteral("NavBar1"));

    creaCajas();

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    SSTab1->addTab(creaPestaniaDatos(), QStringLiteral("Datos"));
    SSTab1->addTab(creaPestaniaFormulas(), QStringLiteral("Formulas"));

    auto* remarks = new QHBoxLayout;
    auto* lblObs = titulo(QStringLiteral("Observaciones"), this);
    lblObs->setBuddy(txtFields(kCajaObservaciones));
    remarks->addWidget(lblObs);
    remarks->addWidget(txtFields(kCajaObservaciones), 1);

    // The bars stay in sight; the figures between them scroll when the
    // screen (or its scale) leaves too little room.
    auto* cuerpo = new QWidget;
    cuerpo->setObjectName(QStringLiteral("Cuerpo"));
    cuerpo->setPalette(q42::paletaDeCajas(cuerpo->palette()));
    auto* capaCuerpo = new QVBoxLayout(cuerpo);
    // Tight rows: the whole form fits a 1366x768 laptop under its task bar.
    capaCuerpo->setContentsMargins(0, 0, 0, 0);
    capaCuerpo->setSpacing(4);
    capaCuerpo->addWidget(SSTab1);
    capaCuerpo->addWidget(creaGrillaProductos());
    capaCuerpo->addLayout(remarks);
    capaCuerpo->addStretch(1);
    auto* desplazable = new AreaDesplazable(this);
    desplazable->setObjectName(QStringLiteral("Desplazable"));
    desplazable->setWidget(cuerpo);
    // Enter moves the focus by code: the box it reaches comes into sight.
    connect(qApp, &QApplication::focusChanged, desplazable,
            [desplazable, cuerpo](QWidget*, QWidget* ahora) {
                if (ahora && cuerpo->isAncestorOf(ahora))
                    desplazable->ensureWidgetVisible(ahora);
            });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setSpacing(4);
    layout->addWidget(PanelBar1);
    layout->addWidget(desplazable, 1);
    StbEstado = new QLabel(this);
    StbEstado->setObjectName(QStringLiteral("StbEstado"));
    StbPosicion = new QLabel(this);
    StbPosicion->setObjectName(QStringLiteral("StbPosicion"));
    auto* pie = new QHBoxLayout;
    pie->addWidget(NavBar1);
    pie->addWidget(StbPosicion);
    pie->addWidget(StbEstado, 1);
    layout->addLayout(pie);

    connect(PanelBar1, &q42::PanelBar::ButtonClick, this, [this](const QString& key) {
        protegido(QStringLiteral("PanelBar1_ButtonClick"), [&] { PanelBar1_ButtonClick(key); });
    });
    connect(NavBar1, &q42::NavBar::ButtonClick, this, [this](const QString& key) {
        protegido(QStringLiteral("NavBar1_ButtonClick"), [&] { NavBar1_ButtonClick(key); });
    });
    connect(CmdCalcular, &QPushButton::clicked, this, [this] {
        protegido(QStringLiteral("CmdCalcular_Click"), [&] { CmdCalcular_Click(); });
    });
    connect(CmdLibros, &QPushButton::clicked, this,
            [this] { protegido(QStringLiteral("CmdLibros_Click"), [&] { CmdLibros_Click(); }); });
    vigilaCambios();
    // One filter on the application: the form previews every key of its
    // controls (Form_KeyDown) before the boxes' own events run.
    qApp->installEventFilter(this);
}

FrmQ42::~FrmQ42() = default;

void FrmQ42::creaCajas() {
    int ancho = 0; // the boxes share one font: measured once
    for (int i = 0; i < kCajas; ++i) {
        auto* c = new q42::CajaTexto(this);
        c->setObjectName(QStringLiteral("txtFields_%1").arg(i));
        c->setProperty(q42::Formularios::DataField, columnaDeCaja(i));
        c->setProperty(q42::Formularios::Tag, QString());
        const bool texto = i == kCajaPeriodo || i == kCajaObservaciones;
        c->setAlignment((texto ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
        if (!texto) {
            if (ancho == 0)
                ancho = anchoNumero(c);
            c->setMinimumWidth(ancho);
        }
        m_txtFields.append(c);
    }
    for (const CajaAjuste& a : kAjustes) {
        auto* c = new q42::CajaTexto(this);
        c->setObjectName(QLatin1String(a.control));
        c->setText(QString::fromUtf8(a.inicial));
        m_ajustes.append(c);
    }
    // The harvest column holds 50 characters; only typing is limited.
    caja(QStringLiteral("TxtCosecha"))->setProperty(q42::Formularios::LargoMaximo, 50);
}

QLabel* FrmQ42::creaEtiqueta(const QString& nombre) {
    auto* l = new QLabel(QStringLiteral("0.00"), this);
    l->setObjectName(nombre);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    l->setAutoFillBackground(true);
    QPalette p = l->palette();
    p.setColor(QPalette::Window, kVerdeValor);
    p.setColor(QPalette::WindowText, Qt::black);
    l->setPalette(p);
    l->setMinimumWidth(anchoNumero(l));
    l->setMargin(2);
    m_etiquetas.append(l);
    return l;
}

QWidget* FrmQ42::creaPestaniaDatos() {
    auto* pagina = new QWidget;
    pagina->setObjectName(QStringLiteral("SSTab1_Datos"));
    auto* marco =
        new QGroupBox(QStringLiteral("Existencia y movimiento físico de granos - En toneladas"));
    marco->setObjectName(QStringLiteral("FrameGranos"));
    auto* g = new QGridLayout(marco);
    g->setHorizontalSpacing(8);
    // Two columns of caption and value; the second one after a gap.
    struct Linea {
        const char* titulo;
        int caja; // -1: a label
        const char* etiqueta;
    };
    const Linea izquierda[] = {{"Periodo.................", kCajaPeriodo, nullptr},
                               {"Existencia Inicial...............", kCajaPExistencia, nullptr},
                               {"Ingresos del Mes..............", kCajaPIngresos, nullptr},
                               {"SUBTOTAL......................", -1, kLblTotIngresos}};
    const Linea derecha[] = {{"Elaboracion Otros.............", kCajaPElaboracion, nullptr},
                             {"Otros.................................", kCajaPOtros, nullptr},
                             {"SUBTOTAL......................", -1, kLblTotEgresos},
                             {"EXISTENCIA FINAL.........", -1, kLblFinal}};
    auto pon = [&](const Linea& l, int fila, int columna) {
        QLabel* t = titulo(QString::fromUtf8(l.titulo), marco);
        QWidget* valor = l.caja >= 0 ? static_cast<QWidget*>(txtFields(l.caja))
                                     : creaEtiqueta(QLatin1String(l.etiqueta));
        if (l.caja >= 0)
            t->setBuddy(valor);
        g->addWidget(t, fila, columna);
        g->addWidget(valor, fila, columna + 1);
    };
    for (int i = 0; i < 4; ++i) {
        pon(izquierda[i], i, 0);
        pon(derecha[i], i, 3);
    }
    txtFields(kCajaPeriodo)->setMinimumWidth(anchoNumero(txtFields(kCajaPeriodo)));
    g->setColumnMinimumWidth(2, 24);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(4, 1);
    auto* v = new QVBoxLayout(pagina);
    v->addWidget(marco);
    v->addStretch(1);
    return pagina;
}

QWidget* FrmQ42::creaPestaniaFormulas() {
    auto* pagina = new QWidget;
    pagina->setObjectName(QStringLiteral("SSTab1_Formulas"));
    auto* marco = new QGroupBox(QStringLiteral("Formulas para el Calculo de Consumo Interno"));
    marco->setObjectName(QStringLiteral("FrameFormulas"));
    auto* g = new QGridLayout(marco);
    g->setHorizontalSpacing(8);
    g->setVerticalSpacing(3);
    // The product code lists, each with its articles lookup.
    for (int p = 0; p < int(kProductos.size()); ++p) {
        QLineEdit* c = m_ajustes[p];
        QLabel* t = titulo(QString::fromUtf8(kAjustes[p].titulo), marco);
        t->setBuddy(c);
        auto* boton = new QToolButton(marco);
        boton->setObjectName(QStringLiteral("CmdArticulos") + QLatin1String(kProductos[p].codigo));
        boton->setText(QStringLiteral("…"));
        boton->setToolTip(QStringLiteral("Elegir los artículos de %1")
                              .arg(QString::fromUtf8(kAjustes[p].titulo)));
        boton->setFocusPolicy(Qt::StrongFocus);
        m_botonesArticulos.append(boton);
        connect(boton, &QToolButton::clicked, this, [this, p] {
            protegido(QStringLiteral("EligeArticulos"), [&] { EligeArticulosProducto(p); });
        });
        g->addWidget(t, p, 0);
        g->addWidget(c, p, 1);
        g->addWidget(boton, p, 2);
    }
    // The instructions beside the code lists, wrapped to a narrow column.
    Text1 = new QLabel(QStringLiteral("Ingrese los Códigos de Productos utilizados para el calculo "
                                      "de las columnas especificadas, separados por coma, entre "
                                      "comillas simple."),
                       marco);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setWordWrap(true);
    Text1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Text1->setFixedWidth(Text1->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 28);
    g->addWidget(Text1, 0, 3, int(kProductos.size()), 1);
    // The unit, registration, signer and harvest.
    for (int i = int(kProductos.size()); i < int(kAjustes.size()); ++i) {
        QLineEdit* c = m_ajustes[i];
        QLabel* t = titulo(QString::fromUtf8(kAjustes[i].titulo), marco);
        t->setBuddy(c);
        const int fila = i - int(kProductos.size());
        g->addWidget(t, fila, 4);
        g->addWidget(c, fila, 5);
    }
    g->setColumnStretch(1, 3);
    g->setColumnStretch(5, 2);
    auto* v = new QVBoxLayout(pagina);
    v->addWidget(marco);
    v->addStretch(1);
    return pagina;
}

QWidget* FrmQ42::creaGrillaProductos() {
    auto* marco = new QGroupBox(
        QStringLiteral("Existencia y Movimiento Fisico de Productos y SubProductos - En Toneladas"),
        this);
    marco->setObjectName(QStringLiteral("FrameProductos"));
    auto* g = new QGridLayout(marco);
    g->setHorizontalSpacing(6);
    g->setVerticalSpacing(1);
    constexpr int kPrimeraColumna = 3; // group, inner group, row caption, products
    constexpr int kPrimeraFila = 2;    // heading, product captions, rows
    const int n = int(kProductos.size());

    auto* cabecera = encabezado(QStringLiteral("PRODUCTOS Y SUBPRODUCTOS"), marco);
    cabecera->setFrameStyle(QFrame::Panel | QFrame::Raised);
    g->addWidget(cabecera, 0, kPrimeraColumna, 1, n);
    for (int p = 0; p < n; ++p)
        g->addWidget(encabezado(QString::fromUtf8(kProductos[p].tituloGrilla), marco), 1,
                     kPrimeraColumna + p);

    // Rows from top to bottom: a row of boxes names its grid row, a row of
    // labels the function that names each product's label.
    struct FilaGrilla {
        const char* titulo;
        int filaCajas; // index into kFilasCajas, -1 for labels
        QString (*etiqueta)(int);
    };
    const FilaGrilla filas[] = {
        {"Existencia Inicial", 0, nullptr},
        {"Volumen", 1, nullptr},
        {"Extracción", 2, nullptr},
        {"Otros", 3, nullptr},
        {"Total Ingresos", -1, &etiquetaTotalIngresos},
        {"SUBTOTAL EXISTENCIA", -1, &etiquetaSubtotal},
        {"Consumo Interno", 4, nullptr},
        {"Exportación", 5, nullptr},
        {"Otras", 6, nullptr},
        {"Total Salidas", -1, &etiquetaTotalSalidas},
        {"EXISTENCIA FINAL", -1, &etiquetaFinal},
    };
    int fila = kPrimeraFila;
    for (const FilaGrilla& f : filas) {
        QLabel* t = titulo(QString::fromUtf8(f.titulo), marco);
        if (f.filaCajas < 0) {
            QFont negrita = t->font();
            negrita.setBold(true);
            t->setFont(negrita);
        }
        g->addWidget(t, fila, 2);
        for (int p = 0; p < n; ++p) {
            QWidget* w =
                f.filaCajas >= 0
                    ? static_cast<QWidget*>(txtFields(kFilasCajas[f.filaCajas].primeraCaja + p))
                    : creaEtiqueta(f.etiqueta(p));
            g->addWidget(w, fila, kPrimeraColumna + p);
        }
        ++fila;
    }
    // Group captions: inputs (Volumen to Total Ingresos), the milling
    // (Volumen and Extracción) and the outputs (Consumo to Otras).
    g->addWidget(grupo(QStringLiteral("In gre sos del Mes"), marco), kPrimeraFila + 1, 0, 4, 1);
    g->addWidget(grupo(QStringLiteral("ELABO RACION"), marco), kPrimeraFila + 1, 1, 2, 1);
    g->addWidget(grupo(QStringLiteral(" Sa  li  das"), marco), kPrimeraFila + 6, 0, 3, 1);

    CmdCalcular = new QPushButton(QStringLiteral("&Calcular"), marco);
    CmdCalcular->setObjectName(QStringLiteral("CmdCalcular"));
    CmdCalcular->setToolTip(QStringLiteral("Calcula el consumo interno con las ventas del mes"));
    g->addWidget(CmdCalcular, kPrimeraFila + 6, kPrimeraColumna + n);
    CmdLibros = new QPushButton(QStringLiteral("Desde los &libros"), marco);
    CmdLibros->setObjectName(QStringLiteral("CmdLibros"));
    CmdLibros->setToolTip(QStringLiteral("Llena las cifras del mes con los comprobantes de la "
                                         "base de gestión: compras, partes de producción, "
                                         "ventas y exportaciones"));
    g->addWidget(CmdLibros, kPrimeraFila + 1, kPrimeraColumna + n);
    for (int p = 0; p < n; ++p)
        g->setColumnStretch(kPrimeraColumna + p, 1);
    return marco;
}

QLineEdit* FrmQ42::txtFields(int indice) const {
    if (indice < 0 || indice >= m_txtFields.size())
        throw q42::Error(q42::err::SubscriptOutOfRange,
                         QStringLiteral("El subíndice está fuera del intervalo"));
    return m_txtFields[indice];
}

QList<QLineEdit*> FrmQ42::cajas() const {
    return m_txtFields;
}

QLineEdit* FrmQ42::caja(const QString& control) const {
    for (QLineEdit* c : m_ajustes)
        if (c->objectName().compare(control, Qt::CaseInsensitive) == 0)
            return c;
    return nullptr;
}

QLabel* FrmQ42::etiqueta(const QString& nombre) const {
    for (QLabel* l : m_etiquetas)
        if (l->objectName().compare(nombre, Qt::CaseInsensitive) == 0)
            return l;
    throw q42::Error(q42::err::ItemNotFound,
                     QStringLiteral("No existe la etiqueta %1").arg(nombre));
}

ado::Recordset& FrmQ42::RsDatos() {
    if (!m_rsDatos)
        m_rsDatos = std::make_unique<ado::Recordset>();
    return *m_rsDatos;
}
