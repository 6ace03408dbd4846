// The list dialog: window, loading, columns and widths, accepting and
// cancelling. Searching and the keys live in Lib_FrmCons3_Teclas.cpp.

#include "Lib_FrmCons3.h"

#include "AnchosColumnas.h"
#include "ModeloConsulta.h"
#include "SentenciasConsulta.h"
#include "config/Configuracion.h"
#include "core/MsgBox.h"
#include "core/Regional.h"
#include "core/StepRunner.h"
#include "core/Utiles.h"
#include "db/DB_Dll.h"
#include "widgets/UtilesUi.h"

#include <QComboBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

using namespace q42::consultas;
using q42::StepRunner;
using q42::Utiles;
using q42::UtilesUi;

namespace {

// Widths in the width file are twips; a pixel is 15 of them at 96 dpi.
constexpr int kTwipsPorPixel = 15;
constexpr int kCaracteresMaximos = 60;
// Fields with no defined size (expressions) still get a usable column.
constexpr int kCaracteresSinTamano = 10;

// A value as the list shows it: numbers with the regional decimal
// separator, dates day first, null as the empty text.
QString textoCelda(const QVariant& valor) {
    const QVariant v = Utiles::ValorNoNulo(valor);
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float: {
        QString t = QString::number(v.toDouble(), 'g', 15);
        t.replace(QLatin1Char('.'), q42::Regional::decimalSeparator());
        return t;
    }
    case QMetaType::QDateTime: {
        const QDateTime dt = v.toDateTime();
        QString t = q42::Regional::shortDate(dt.date());
        if (dt.time() != QTime(0, 0))
            t += QLatin1Char(' ') + dt.time().toString(QStringLiteral("hh:mm:ss"));
        return t;
    }
    case QMetaType::QDate:
        return q42::Regional::shortDate(v.toDate());
    case QMetaType::QTime:
        return v.toTime().toString(QStringLiteral("hh:mm:ss"));
    case QMetaType::Bool:
        return v.toBool() ? QStringLiteral("Verdadero") : QStringLiteral("Falso");
    default:
        return v.toString();
    }
}

q42::Currency monto(const QVariant& valor) {
    const QVariant v = Utiles::ValorNoNulo(valor);
    bool ok = false;
    const double d = v.toDouble(&ok);
    if (ok && v.typeId() != QMetaType::QString)
        return q42::Currency::fromDouble(d);
    return q42::Currency::parse(v.toString().trimmed()).value_or(q42::Currency());
}

int indiceCampo(ado::Recordset& rs, const QString& nombre) {
    for (int i = 0; i < rs.FieldCount(); ++i)
        if (rs.Fields(i).Name().compare(nombre, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

bool esPrecio(const QString& campo, int* clase) {
    for (int n = 1; n <= 8; ++n)
        if (campo.compare(QStringLiteral("PRECIO%1").arg(n), Qt::CaseInsensitive) == 0) {
            *clase = n;
            return true;
        }
    return false;
}

} // namespace

Lib_FrmCons3::Lib_FrmCons3(QWidget* parent) : DialogoConsulta(parent) {
    setObjectName(QStringLiteral("Lib_FrmCons3"));
    setSizeGripEnabled(true);

    m_modelo = new ModeloConsulta(this);
    picFields = new QWidget(this);
    picFields->setObjectName(QStringLiteral("picFields"));
    m_franja = new QWidget(picFields);
    m_franja->setObjectName(QStringLiteral("franjaBusqueda"));
    ListView1 = new QTableView(picFields);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setModel(m_modelo);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setShowGrid(false);
    ListView1->setWordWrap(false);
    ListView1->verticalHeader()->hide();
    // Fixed row heights: the view never measures a hundred thousand rows.
    ListView1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    ListView1->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    ListView1->horizontalHeader()->setSectionsClickable(true);
    ListView1->horizontalHeader()->setHighlightSections(false);
    HScroll1 = ListView1->horizontalScrollBar();
    HScroll1->setObjectName(QStringLiteral("HScroll1"));

    auto* columna = new QVBoxLayout(picFields);
    columna->setContentsMargins(0, 0, 0, 0);
    columna->setSpacing(2);
    columna->addWidget(m_franja);
    columna->addWidget(ListView1, 1);
    buscador(0);
    m_franja->setFixedHeight(CmbSearch.at(0)->sizeHint().height());

    armaVentana({{picFields, 1}});

    connect(ListView1, &QTableView::doubleClicked, this, &Lib_FrmCons3::Aceptar);
    QHeaderView* encabezado = ListView1->horizontalHeader();
    connect(encabezado, &QHeaderView::sectionClicked, this, &Lib_FrmCons3::ordenaPorColumna);
    connect(encabezado, &QHeaderView::sectionResized, this, &Lib_FrmCons3::ubicaBuscadores);
    connect(encabezado, &QHeaderView::geometriesChanged, this, &Lib_FrmCons3::ubicaBuscadores);
    connect(HScroll1, &QScrollBar::valueChanged, this, &Lib_FrmCons3::ubicaBuscadores);
    connect(m_modelo, &ModeloConsulta::marcaCambiada, this, &Lib_FrmCons3::anotaMarca);
    for (QWidget* w : {static_cast<QWidget*>(ListView1), static_cast<QWidget*>(CmdAceptar),
                       static_cast<QWidget*>(CmdCancelar), static_cast<QWidget*>(CmdNueva)})
        instalaFiltro(w);
    resize(640, 420);
}

Lib_FrmCons3::~Lib_FrmCons3() {
    // Hiding the children on the way out moves the header: nothing of this
    // dialog may answer by then.
    ListView1->horizontalHeader()->disconnect(this);
    HScroll1->disconnect(this);
    m_modelo->disconnect(this);
}

void Lib_FrmCons3::instalaFiltro(QWidget* w) {
    w->installEventFilter(this);
}

QComboBox* Lib_FrmCons3::buscador(int i) {
    while (CmbSearch.size() <= i) {
        const int n = int(CmbSearch.size());
        auto* caja = new QComboBox(m_franja);
        caja->setObjectName(QStringLiteral("CmbSearch_%1").arg(n));
        caja->setEditable(true);
        caja->setInsertPolicy(QComboBox::NoInsert);
        caja->setCompleter(nullptr);
        caja->setToolTip(QStringLiteral("F5 realiza nueva busqueda"));
        caja->setProperty("indice", n);
        caja->lineEdit()->setProperty("indice", n);
        QPalette blanco = caja->lineEdit()->palette();
        blanco.setColor(QPalette::Base, Qt::white);
        caja->lineEdit()->setPalette(blanco);
        connect(caja, &QComboBox::editTextChanged, this, [this, n] { busquedaIncremental(n); });
        instalaFiltro(caja);
        instalaFiltro(caja->lineEdit());
        if (n > 0)
            QWidget::setTabOrder(CmbSearch.at(n - 1), caja);
        CmbSearch << caja;
    }
    return CmbSearch.at(i);
}

void Lib_FrmCons3::Cargar() {
    reabre();
    EsArticulos = contiene(SQL, QStringLiteral("articulos"));
    Valores.clear();
    Cantidades.clear();
    m_modelo->vacia();
    if (SQL.trimmed().isEmpty()) {
        UtilesUi::PreparaFormulario(this, 0);
        return;
    }
    DB_Dll& db = DB_Dll::instance();
    ado::Recordset rs;
    bool abierto = false;
    StepRunner::run({[&] {
                         SQL += QLatin1Char(' ');
                         TablaConsulta = tablaConsulta(SQL);
                     },
                     [&] {
                         if (SQLOriginal.isEmpty()) {
                             SQLOriginal = SQL;
                             m_marcados.clear();
                             m_marcadosClave.clear();
                             for (const QString& v : valoresLista(ValoresDefault))
                                 marcaValor(v, true);
                         }
                         SQLActual = SQL;
                     },
                     [&] {
                         QString sentencia = SQL;
                         rs.setTextCells(coloreaStock() ? ado::CellFormat() : textoCelda);
                         db.AbrirRecordset(sentencia, rs, nullptr, ado::adOpenForwardOnly,
                                           ado::adLockReadOnly, -1, true);
                         // A statement the database rejected has been reported there.
                         abierto = rs.State() == ado::adStateOpen;
                     },
                     [&] { m_modelo->setCasillas(CheckBoxes); },
                     [&] {
                         if (abierto)
                             Encolumnar(rs);
                     },
                     [&] {
                         if (abierto)
                             Leer(rs, 1, 0);
                     },
                     [&] {
                         if (OrdenarPorLwv) {
                             m_modelo->ordena(0, Qt::AscendingOrder);
                             ListView1->horizontalHeader()->setSortIndicator(0, Qt::AscendingOrder);
                         }
                         ListView1->horizontalHeader()->setSortIndicatorShown(OrdenarPorLwv);
                     },
                     [&] {
                         if (!FiltroInicial.trimmed().isEmpty())
                             buscador(0)->setEditText(FiltroInicial);
                     },
                     [&] {
                         if (abierto)
                             db.CierraRecordset(rs);
                     },
                     [&] {
                         // Enter right after loading accepts a real row.
                         if (filaSeleccionada() < 0 && m_modelo->rowCount() > 0)
                             seleccionaFila(0);
                     },
                     [&] { aplicaAnchosGrabados(); }, [&] { CalcularAncho(); },
                     [&] { UtilesUi::PreparaFormulario(this, 0); }},
                    trataError(QStringLiteral("FORM_LOAD")));
}

void Lib_FrmCons3::Encolumnar(ado::Recordset& rs) {
    try {
        m_campos.clear();
        m_encabezados.clear();
        m_anchos.clear();
        const bool precios = esSentenciaDePrecios(SQL);
        const int n = rs.FieldCount();
        for (int i = 0; i < n; ++i) {
            const ado::Field& f = rs.Fields(i);
            int caracteres = std::min(f.DefinedSize(), kCaracteresMaximos);
            if (caracteres <= 0)
                caracteres = kCaracteresSinTamano;
            QComboBox* caja = buscador(i);
            caja->setProperty("campo", f.Name());
            caja->setVisible(true);
            QString encabezado = f.Name();
            int clase = 0;
            if (precios && esPrecio(f.Name(), &clase)) {
                // A price class with no configured name keeps the field's.
                const QString nombre = Cfg(QStringLiteral("NOM_PCLASE%1").arg(clase)).trimmed();
                if (!nombre.isEmpty())
                    encabezado = nombre;
            }
            m_campos << f.Name();
            m_encabezados << encabezado;
            m_anchos << fontMetrics().horizontalAdvance(QString(caracteres, QLatin1Char('X')));
        }
        for (qsizetype i = n; i < CmbSearch.size(); ++i)
            CmbSearch.at(i)->setVisible(false);
    } catch (const q42::Error& e) {
        q42::MsgBox(e.description(), q42::vbOKOnly);
    }
}

bool Lib_FrmCons3::coloreaStock() const {
    return EsArticulos &&
           MuestraStock.trimmed().compare(QLatin1String("SI"), Qt::CaseInsensitive) == 0;
}

// The list shows text only: unless the stock colours need each row's
// numbers, the cells come from the database as text, in one block.
void Lib_FrmCons3::Leer(ado::Recordset& rs, long, int) {
    const int n = int(m_encabezados.size());
    std::vector<std::optional<QColor>> colores;
    m_mostrados.clear();
    ado::TextRows celdas(n);
    if (rs.State() == ado::adStateOpen && !coloreaStock()) {
        celdas = rs.takeTextRows();
        // Columns the header could not take are left out.
        if (celdas.columnCount() != n) {
            ado::TextRows recortadas(n);
            for (int f = 0; f < celdas.rowCount(); ++f)
                for (int c = 0; c < n; ++c)
                    recortadas.append(c < celdas.columnCount() ? celdas.cell(f, c) : QStringView());
            celdas = std::move(recortadas);
        }
    } else {
        const int puntoPedido = indiceCampo(rs, QStringLiteral("PUNTOPEDIDO"));
        const int stock = indiceCampo(rs, QStringLiteral("Stock"));
        const bool colorear = puntoPedido >= 0 && stock >= 0;
        const QColor niveles[4] = {colorConfigurado(StkNivel1), colorConfigurado(StkNivel2),
                                   colorConfigurado(StkNivel3), colorConfigurado(StkNivel4)};
        while (n > 0 && !rs.EOF_()) {
            std::optional<QColor> color;
            if (colorear)
                color = niveles[nivelStock(monto(rs.Fields(puntoPedido).Value()),
                                           monto(rs.Fields(stock).Value())) -
                                1];
            for (int c = 0; c < n; ++c)
                celdas.append(textoCelda(rs.Fields(c).Value()));
            colores.push_back(color);
            rs.MoveNext();
        }
    }
    const int filas = celdas.rowCount();
    const int devuelto = columnaDevuelta();
    std::vector<char> marcadas(std::size_t(filas), 0);
    for (int f = 0; f < filas; ++f) {
        if (n > 0)
            celdas.trim(f, 0);
        // Only ticked lists ask which values were on show.
        if (CheckBoxes && devuelto >= 0) {
            const QString clave = celdas.cell(f, devuelto).trimmed().toString().toCaseFolded();
            m_mostrados.insert(clave);
            marcadas[std::size_t(f)] = m_marcadosClave.contains(clave) ? 1 : 0;
        }
    }
    m_modelo->carga(m_encabezados, std::move(celdas), std::move(colores), std::move(marcadas));
    QHeaderView* h = ListView1->horizontalHeader();
    for (int c = 0; c < n && c < m_anchos.size(); ++c)
        h->resizeSection(c, m_anchos.at(c));
}

void Lib_FrmCons3::aplicaAnchosGrabados() {
    if (TablaConsulta.compare(QLatin1String("Stk_ma_articulos"), Qt::CaseInsensitive) == 0)
        TablaConsulta = QStringLiteral("VT_MA_ARTICULOS");
    const QString ruta = q42::anchos::rutaArchivo();
    if (!QFileInfo::exists(ruta))
        return;
    const auto anchos = q42::anchos::leeAnchos(ruta, TablaConsulta);
    if (!anchos)
        return;
    QHeaderView* h = ListView1->horizontalHeader();
    for (int c = 0; c < m_modelo->columnas() && c < anchos->size(); ++c)
        h->resizeSection(c, qRound(anchos->at(c) / kTwipsPorPixel));
}

void Lib_FrmCons3::CalcularAncho() {
    QHeaderView* h = ListView1->horizontalHeader();
    int total = 0;
    for (int c = 0; c < m_modelo->columnas(); ++c)
        total += h->sectionSize(c);
    const int lista = total + 360 / kTwipsPorPixel + 2 * ListView1->frameWidth();
    const QScreen* pantalla = screen();
    const int anchoPantalla = pantalla ? pantalla->availableGeometry().width() : 1024;
    int ancho = lista + 360 / kTwipsPorPixel < anchoPantalla ? lista + 280 / kTwipsPorPixel
                                                             : anchoPantalla - 480 / kTwipsPorPixel;
    const QMargins m = layout()->contentsMargins();
    ancho =
        std::max(ancho + m.left() + m.right(), Frame1->sizeHint().width() + m.left() + m.right());
    resize(std::min(ancho, anchoPantalla), height());
    ubicaBuscadores();
}

void Lib_FrmCons3::ubicaBuscadores() {
    QHeaderView* h = ListView1->horizontalHeader();
    const int x0 = ListView1->geometry().x() - m_franja->geometry().x() + ListView1->frameWidth();
    for (int i = 0; i < CmbSearch.size(); ++i) {
        QComboBox* caja = CmbSearch.at(i);
        if (i >= m_modelo->columnas()) {
            if (i > 0)
                caja->setVisible(false);
            continue;
        }
        const int ancho = std::max(h->sectionSize(i) - 50 / kTwipsPorPixel, 8);
        caja->setGeometry(x0 + h->sectionViewportPosition(i), 0, ancho, m_franja->height());
    }
}

int Lib_FrmCons3::IndiceColumna(const QString& Columna) const {
    const QString buscada = Columna.trimmed();
    for (int c = 0; c < m_modelo->columnas(); ++c)
        if (m_modelo->encabezado(c).trimmed().compare(buscada, Qt::CaseInsensitive) == 0)
            return c + 1;
    return 0;
}

QString Lib_FrmCons3::valorColumna(int fila, int columna) const {
    // A column the list does not have gives the empty text.
    return columna >= 1 ? m_modelo->texto(fila, columna - 1) : QString();
}

int Lib_FrmCons3::columnaDevuelta() const {
    if (CampoDevuelto.trimmed().isEmpty())
        return m_campos.isEmpty() ? -1 : 0;
    for (int c = 0; c < m_campos.size(); ++c)
        if (m_campos.at(c).compare(CampoDevuelto.trimmed(), Qt::CaseInsensitive) == 0)
            return c;
    return -1;
}

QString Lib_FrmCons3::valorDevueltoDeFila(int fila) const {
    const int c = columnaDevuelta();
    return c >= 0 ? m_modelo->texto(fila, c).trimmed() : QString();
}

void Lib_FrmCons3::marcaValor(const QString& valor, bool marcada) {
    const QString clave = valor.trimmed().toCaseFolded();
    if (marcada && !m_marcadosClave.contains(clave)) {
        m_marcadosClave.insert(clave);
        m_marcados << valor.trimmed();
    } else if (!marcada && m_marcadosClave.remove(clave)) {
        m_marcados.removeIf([&](const QString& v) { return v.trimmed().toCaseFolded() == clave; });
    }
}

void Lib_FrmCons3::anotaMarca(int fila, bool marcada) {
    if (columnaDevuelta() >= 0)
        marcaValor(valorDevueltoDeFila(fila), marcada);
}

int Lib_FrmCons3::filaSeleccionada() const {
    const QModelIndexList filas = ListView1->selectionModel()->selectedRows();
    return filas.isEmpty() ? -1 : filas.first().row();
}

void Lib_FrmCons3::leeEleccion() {
    Valores.clear();
    ValoresNoMostrados.clear();
    if (CheckBoxes) {
        if (CampoDevuelto.isEmpty())
            CampoDevuelto = m_modelo->encabezado(0);
        const int c = IndiceColumna(CampoDevuelto);
        for (int f = 0; f < m_modelo->filas(); ++f)
            if (m_modelo->marcada(f))
                Valores << valorColumna(f, c);
        for (const QString& v : std::as_const(m_marcados))
            if (!m_mostrados.contains(v.toCaseFolded()))
                ValoresNoMostrados << v;
        return;
    }
    const int fila = filaSeleccionada();
    if (fila < 0)
        return;
    QString ultimo;
    if (CmpsDevueltos)
        for (const QString& nombre : std::as_const(*CmpsDevueltos)) {
            ultimo = valorColumna(fila, IndiceColumna(nombre));
            Valores << ultimo;
        }
    if (!CampoDevuelto.trimmed().isEmpty())
        ultimo = valorColumna(fila, IndiceColumna(CampoDevuelto));
    ValorDevuelto = ultimo;
}

void Lib_FrmCons3::olvidaEleccion() {
    CmpsDevueltos.reset();
    ValoresNoMostrados.clear();
}

void Lib_FrmCons3::grabaAnchos() {
    QList<int> anchos;
    QHeaderView* h = ListView1->horizontalHeader();
    for (int c = 0; c < m_modelo->columnas(); ++c)
        anchos << h->sectionSize(c) * kTwipsPorPixel;
    try {
        q42::anchos::grabaAnchos(q42::anchos::rutaArchivo(), TablaConsulta, anchos);
    } catch (const q42::Error& e) {
        q42::MsgBox(e.description(), q42::vbCritical, QStringLiteral("Aviso al Operador"));
    }
}

void Lib_FrmCons3::Descargar() {
    if (m_descargada)
        return;
    m_descargada = true;
    if (GrabarCfg && !TablaConsulta.isEmpty() && m_modelo->columnas() > 0)
        grabaAnchos();
    m_modelo->vacia();
}

void Lib_FrmCons3::resizeEvent(QResizeEvent* evento) {
    QDialog::resizeEvent(evento);
    ubicaBuscadores();
}

void Lib_FrmCons3::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    ubicaBuscadores();
    buscador(0)->setFocus();
}
