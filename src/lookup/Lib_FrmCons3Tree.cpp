#include "Lib_FrmCons3Tree.h"

#include "SentenciasConsulta.h"
#include "core/MsgBox.h"
#include "core/StepRunner.h"
#include "core/Utiles.h"
#include "db/DB_Dll.h"
#include "widgets/UtilesUi.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTreeWidget>

using q42::StepRunner;
using q42::Utiles;
using q42::UtilesUi;

namespace {

constexpr int kRolClave = Qt::UserRole + 1;
// Ticking a node carries its state this many levels down.
constexpr int kNivelesMarcados = 6;
constexpr qint32 kClaveRepetida = 35602; // key is not unique in collection

const QString kRaiz = QStringLiteral("A");

bool igual(const QString& a, const char* b) {
    return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0;
}

struct Fila {
    QString codigo;
    QString descripcion;
};

// The first row under the root (the root itself when no row came), so that
// Enter after a load accepts a real row.
void seleccionaPrimero(QTreeWidget* arbol) {
    QTreeWidgetItem* raiz = arbol->topLevelItem(0);
    if (!raiz)
        return;
    QTreeWidgetItem* primero = raiz->childCount() > 0 ? raiz->child(0) : raiz;
    arbol->setCurrentItem(primero);
    arbol->scrollToItem(primero);
}

} // namespace

Lib_FrmCons3Tree::Lib_FrmCons3Tree(QWidget* parent) : DialogoConsulta(parent) {
    setObjectName(QStringLiteral("Lib_FrmCons3Tree"));

    CmbSearch = new QComboBox(this);
    CmbSearch->setObjectName(QStringLiteral("CmbSearch_0"));
    CmbSearch->setEditable(true);
    CmbSearch->setInsertPolicy(QComboBox::NoInsert);
    CmbSearch->setCompleter(nullptr);
    CmbSearch->setToolTip(QStringLiteral("F5 realiza nueva busqueda"));
    TreeV = new QTreeWidget(this);
    TreeV->setObjectName(QStringLiteral("TreeV"));
    TreeV->setHeaderHidden(true);
    TreeV->setRootIsDecorated(true);
    TreeV->setSelectionMode(QAbstractItemView::SingleSelection);
    TreeV->setEditTriggers(QAbstractItemView::NoEditTriggers);

    armaVentana({{CmbSearch, 0}, {TreeV, 1}});

    connect(TreeV, &QTreeWidget::itemDoubleClicked, this, &Lib_FrmCons3Tree::Aceptar);
    connect(TreeV, &QTreeWidget::itemChanged, this, &Lib_FrmCons3Tree::propagaMarca);
    connect(CmbSearch, &QComboBox::editTextChanged, this, &Lib_FrmCons3Tree::busquedaIncremental);
    CmbSearch->installEventFilter(this);
    CmbSearch->lineEdit()->installEventFilter(this);
    TreeV->installEventFilter(this);
    resize(420, 480);
}

Lib_FrmCons3Tree::~Lib_FrmCons3Tree() = default;

QString Lib_FrmCons3Tree::clave(const QTreeWidgetItem* nodo) {
    return nodo ? nodo->data(0, kRolClave).toString() : QString();
}

void Lib_FrmCons3Tree::Cargar() {
    reabre();
    StepRunner::run({[&] { Valores.clear(); },
                     [&] {
                         TreeV->clear();
                         m_nodos.clear();
                         m_claves.clear();
                     },
                     [&] { SQLActual = SQL; }, [&] { ArmarTreeVAutomatico(); },
                     [&] { seleccionaPrimero(TreeV); }},
                    trataError(QStringLiteral("FORM_LOAD")));
}

QTreeWidgetItem* Lib_FrmCons3Tree::agregaNodo(QTreeWidgetItem* padre, int posicion,
                                              const QString& clave, const QString& texto) {
    if (m_claves.contains(clave))
        throw q42::Error(kClaveRepetida,
                         QStringLiteral("La clave no es única en la colección: ") + clave.mid(1));
    auto* nodo = new QTreeWidgetItem(QStringList{texto});
    nodo->setData(0, kRolClave, clave);
    nodo->setFlags(nodo->flags() & ~Qt::ItemIsAutoTristate);
    m_propagando = true;
    if (CheckBoxes)
        nodo->setCheckState(0, Qt::Unchecked);
    if (padre)
        padre->insertChild(posicion, nodo);
    else
        TreeV->insertTopLevelItem(posicion, nodo);
    m_propagando = false;
    m_nodos << nodo;
    m_claves.insert(clave, nodo);
    return nodo;
}

void Lib_FrmCons3Tree::ubicaFila(QTreeWidgetItem*& actual, const QString& codigo,
                                 const QString& texto) {
    const QString k = kRaiz + codigo;
    // Climb until the node's key is no longer than the row's.
    while (k.size() < clave(actual).size() && actual->parent())
        actual = actual->parent();
    if (k.size() < clave(actual).size())
        actual = m_nodos.first();
    QTreeWidgetItem* nuevo = nullptr;
    if (k.size() == clave(actual).size()) {
        QTreeWidgetItem* padre = actual->parent();
        const int despues =
            padre ? padre->indexOfChild(actual) + 1 : TreeV->indexOfTopLevelItem(actual) + 1;
        nuevo = agregaNodo(padre, despues, k, texto);
    } else {
        nuevo = agregaNodo(actual, actual->childCount(), k, texto);
    }
    actual = nuevo;
}

void Lib_FrmCons3Tree::ArmarTreeVAutomatico() {
    DB_Dll& db = DB_Dll::instance();
    ado::Recordset rs;
    QList<Fila> filas;
    bool abierto = false;
    const bool completo = StepRunner::run(
        {[&] {
             TreeV->clear();
             m_nodos.clear();
             m_claves.clear();
             TreeV->setRootIsDecorated(true);
         },
         [&] {
             QTreeWidgetItem* raiz = agregaNodo(nullptr, 0, kRaiz, QStringLiteral("Consulta..."));
             raiz->setExpanded(true);
         },
         [&] {
             QString sentencia = SQL;
             db.AbrirRecordset(sentencia, rs, db.gCnn, ado::adOpenDynamic, ado::adLockReadOnly, -1,
                               true);
             abierto = rs.State() == ado::adStateOpen;
         },
         [&] {
             if (!abierto || (rs.BOF() && rs.EOF_()))
                 return;
             rs.MoveFirst();
             rs.MoveLast();
             rs.MoveFirst();
             filas.reserve(rs.RecordCount());
             const bool descripcion = rs.FieldCount() > 1;
             for (; !rs.EOF_(); rs.MoveNext())
                 filas << Fila{Utiles::ValorNoNuloTexto(rs.Fields(0).Value()),
                               descripcion ? Utiles::ValorNoNuloTexto(rs.Fields(1).Value())
                                           : QString()};
         }},
        trataError(QStringLiteral("ArmarTreeVAutomatico")));
    if (abierto)
        rs.Close();
    if (!completo || m_nodos.isEmpty())
        return;
    QTreeWidgetItem* actual = m_nodos.first();
    for (const Fila& f : std::as_const(filas)) {
        const QString texto = f.codigo + QStringLiteral(" - ") + f.descripcion;
        if (!StepRunner::run({[&] { ubicaFila(actual, f.codigo, texto); }},
                             trataError(QStringLiteral("ArmarTreeVAutomatico"))))
            return;
    }
}

void Lib_FrmCons3Tree::busquedaIncremental() {
    const QString s = CmbSearch->currentText();
    for (QTreeWidgetItem* n : std::as_const(m_nodos)) {
        const QString texto = n->text(0);
        const qsizetype guion = texto.indexOf(QLatin1Char('-'));
        const QString codigo = guion < 0 ? QString() : texto.left(guion).trimmed();
        const QString descripcion = texto.mid(guion + 1).trimmed();
        if (codigo.startsWith(s, Qt::CaseInsensitive) ||
            descripcion.startsWith(s, Qt::CaseInsensitive)) {
            TreeV->setCurrentItem(n);
            TreeV->scrollToItem(n);
            return;
        }
    }
}

void Lib_FrmCons3Tree::NuevaBusqueda() {
    StepRunner::runIgnoringFailures(
        {[&] {
             SQL = q42::consultas::nuevaBusquedaArbol(SQL, SQLActual, CmbSearch->currentText());
         },
         [&] { CmbSearch->clearEditText(); }, [&] { SQLActual = SQL; }, [&] { Cargar(); }});
}

void Lib_FrmCons3Tree::NuevaBusquedaInicial() {
    ArmarTreeVAutomatico();
    seleccionaPrimero(TreeV);
}

void Lib_FrmCons3Tree::propagaMarca(QTreeWidgetItem* nodo, int columna) {
    if (m_propagando || !CheckBoxes || columna != 0)
        return;
    m_propagando = true;
    const Qt::CheckState estado = nodo->checkState(0);
    QList<QTreeWidgetItem*> nivel{nodo};
    for (int n = 0; n < kNivelesMarcados && !nivel.isEmpty(); ++n) {
        QList<QTreeWidgetItem*> siguiente;
        for (QTreeWidgetItem* padre : std::as_const(nivel))
            for (int i = 0; i < padre->childCount(); ++i) {
                padre->child(i)->setCheckState(0, estado);
                siguiente << padre->child(i);
            }
        nivel = siguiente;
    }
    m_propagando = false;
}

QTreeWidgetItem* Lib_FrmCons3Tree::nodoSeleccionado() const {
    const QList<QTreeWidgetItem*> elegidos = TreeV->selectedItems();
    return elegidos.isEmpty() ? TreeV->currentItem() : elegidos.first();
}

void Lib_FrmCons3Tree::leeEleccion() {
    DB_Dll& db = DB_Dll::instance();
    if (CheckBoxes) {
        Valores.clear();
        for (QTreeWidgetItem* n : std::as_const(m_nodos)) {
            if (n->checkState(0) != Qt::Checked)
                continue;
            const QString codigo = clave(n).mid(1);
            if (igual(CampoDevuelto, "IDFAMILIA") || igual(CampoDevuelto, "CODIGO")) {
                Valores << codigo.trimmed();
            } else if (igual(CampoDevuelto, "IDPOSICION")) {
                ado::Recordset rs;
                if (db.ExisteEnTabla(QStringLiteral("MA_POSICIONES"), codigo,
                                     QStringLiteral("IDPOSICION"), &rs, ado::adBSTR, QString(),
                                     true))
                    Valores << Utiles::ValorNoNuloTexto(rs.value(QStringLiteral("IDPOSICION")));
            }
        }
        return;
    }
    const QTreeWidgetItem* elegido = nodoSeleccionado();
    if (!elegido)
        return;
    static const struct {
        const char* campo;
        const char* tabla;
    } kTablas[] = {
        {"IDFAMILIA", "V_TA_FAMILIAS"}, {"IDPOSICION", "MA_POSICIONES"}, {"CODIGO", "TA_CCOSTO"}};
    for (const auto& t : kTablas) {
        if (!igual(CampoDevuelto, t.campo))
            continue;
        ado::Recordset rs;
        const bool hay =
            db.ExisteEnTabla(QLatin1String(t.tabla), clave(elegido).mid(1), QLatin1String(t.campo),
                             &rs, ado::adBSTR, QString(), true);
        ValorDevuelto =
            hay ? Utiles::ValorNoNuloTexto(rs.value(QLatin1String(t.campo))) : QString();
    }
}

void Lib_FrmCons3Tree::Descargar() {
    try {
        TreeV->clear();
        m_nodos.clear();
        m_claves.clear();
    } catch (const q42::Error& e) {
        q42::MsgBox(e.description(), q42::vbCritical, QStringLiteral("Aviso al Operador"));
    }
}

void Lib_FrmCons3Tree::vaALasFilas(int) {
    TreeV->setFocus();
}

bool Lib_FrmCons3Tree::eventFilter(QObject* objeto, QEvent* evento) {
    const bool enBuscador = objeto == CmbSearch || objeto == CmbSearch->lineEdit();
    if (evento->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent*>(evento)->key();
        if (enBuscador && teclaDeBuscador(0, tecla))
            return true;
        if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
            Aceptar();
            return true;
        }
    } else if (enBuscador && evento->type() == QEvent::MouseButtonPress) {
        busquedaIncremental();
    }
    return QDialog::eventFilter(objeto, evento);
}
