// The list dialog's searches and keys: the incremental search over the
// loaded rows, F5's new search, the keys of the list, quantities and the
// missing-article notice (F12).

#include "Lib_FrmCons3.h"

#include "ModeloConsulta.h"
#include "SentenciasConsulta.h"
#include "core/Currency.h"
#include "core/MsgBox.h"
#include "core/StepRunner.h"
#include "core/Utiles.h"
#include "db/DB_Dll.h"

#include <QComboBox>
#include <QDateTime>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableView>

using namespace q42::consultas;
using q42::Currency;
using q42::StepRunner;
using q42::Utiles;

namespace {

const QColor kCian(0, 255, 255);

void pintaFondo(QLineEdit* caja, const QColor& color) {
    QPalette p = caja->palette();
    p.setColor(QPalette::Base, color);
    caja->setPalette(p);
}

Currency cantidadDe(const QString& texto) {
    return Currency::parse(texto.trimmed()).value_or(Currency());
}

} // namespace

long Lib_FrmCons3::Busqueda(long Clave, const QString& QueValor) const {
    const int columna = Clave < 1 ? 0 : int(Clave);
    return modelo()->buscaPrefijo(columna, QueValor) + 1;
}

void Lib_FrmCons3::seleccionaFila(int fila) {
    const QModelIndex i = modelo()->index(fila, 0);
    ListView1->selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect |
                                                        QItemSelectionModel::Rows);
    ListView1->scrollTo(i);
}

void Lib_FrmCons3::busquedaIncremental(int i) {
    if (i < 0 || i >= CmbSearch.size())
        return;
    try {
        const long columna = long(Utiles::TextoAEntero(QString::number(i)));
        const long r = Busqueda(columna, CmbSearch.at(i)->currentText().trimmed());
        if (r != 0)
            seleccionaFila(int(r - 1));
    } catch (const q42::Error&) {
        // The search only moves the selection; nothing to report.
    }
}

void Lib_FrmCons3::NuevaBusqueda(int i) {
    if (i < 0 || i >= CmbSearch.size())
        return;
    QComboBox* caja = CmbSearch.at(i);
    StepRunner::runIgnoringFailures(
        {[&] {
             if (!CfgUsaConsultaLIKE)
                 caja->setEditText(textoBusqueda(caja->currentText(), false));
         },
         [&] {
             SQL = nuevaBusquedaLista(SQL, SQLActual, caja->property("campo").toString(),
                                      caja->currentText(), CfgUsaConsultaLIKE);
         },
         [&] { caja->clearEditText(); }, [&] { SQLActual = SQL; }, [&] { Cargar(); }});
}

void Lib_FrmCons3::NuevaBusquedaInicial() {
    SQL = SQLOriginal;
    Cargar();
    buscador(0)->setFocus();
}

void Lib_FrmCons3::ordenaPorColumna(int columna) {
    m_ascendente = !m_ascendente;
    const Qt::SortOrder orden = m_ascendente ? Qt::AscendingOrder : Qt::DescendingOrder;
    modelo()->ordena(columna, orden);
    ListView1->horizontalHeader()->setSortIndicator(columna, orden);
    ListView1->horizontalHeader()->setSortIndicatorShown(true);
    const int fila = filaSeleccionada();
    if (fila >= 0)
        ListView1->scrollTo(modelo()->index(fila, 0));
}

void Lib_FrmCons3::cambiaCantidad(int fila, int delta) {
    const int c = IndiceColumna(QStringLiteral("Cantidad"));
    if (c == 0 || fila < 0)
        return;
    const Currency cantidad = cantidadDe(modelo()->texto(fila, c - 1)) + Currency::fromInt(delta);
    if (delta > 0) {
        modelo()->setTexto(fila, c - 1, cantidad.toFixed(1));
        modelo()->setMarcada(fila, true);
    } else if (cantidad <= Currency()) {
        modelo()->setMarcada(fila, false);
        modelo()->setTexto(fila, c - 1, Currency().toFixed(2));
    } else {
        modelo()->setTexto(fila, c - 1, cantidad.toFixed(1));
    }
}

void Lib_FrmCons3::pideCantidad(int fila) {
    const int c = IndiceColumna(QStringLiteral("Cantidad"));
    if (c == 0 || fila < 0)
        return;
    const auto respuesta =
        q42::InputBox(QStringLiteral("Ingrese la Cantidad del Articulo..."),
                      QStringLiteral("Carga de Datos"), modelo()->texto(fila, c - 1));
    if (!respuesta)
        return; // cancelled: the row stays as it was
    const Currency cantidad = cantidadDe(*respuesta);
    if (cantidad <= Currency()) {
        // Nothing (or nothing usable) asked for: the row is not chosen.
        modelo()->setTexto(fila, c - 1, Currency().toFixed(2));
        modelo()->setMarcada(fila, false);
        return;
    }
    modelo()->setTexto(fila, c - 1, cantidad.toFixed(2));
    modelo()->setMarcada(fila, true);
}

bool Lib_FrmCons3::ListView1_KeyDown(int tecla, Qt::KeyboardModifiers shift, const QString& texto) {
    bool usada = false;
    const bool conShift = shift.testFlag(Qt::ShiftModifier);
    const int fila = filaSeleccionada();
    const auto escribeEnBuscador = [&](const QString& agregado, bool borra) {
        QComboBox* caja = buscador(std::max(BuscadorActivo, 0));
        QString t = caja->currentText();
        if (borra)
            t.chop(1);
        else
            t += agregado;
        caja->setEditText(t);
        caja->setFocus();
    };
    StepRunner::run(
        {[&] {
            if (tecla == Qt::Key_Space) {
                usada = true;
                if (CheckBoxes) {
                    const QModelIndex actual = ListView1->currentIndex();
                    const int f = actual.isValid() ? actual.row() : fila;
                    if (f >= 0)
                        modelo()->setMarcada(f, !modelo()->marcada(f));
                } else {
                    escribeEnBuscador(QStringLiteral(" "), false);
                }
            } else if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
                usada = true;
                Aceptar();
            } else if (tecla == Qt::Key_Insert && UsaCantidades) {
                usada = true;
                if (conShift)
                    pideCantidad(fila);
                else
                    cambiaCantidad(fila, 1);
            } else if (tecla == Qt::Key_Delete && UsaCantidades && !conShift) {
                usada = true;
                cambiaCantidad(fila, -1);
            } else if (tecla == Qt::Key_Backspace) {
                usada = true;
                escribeEnBuscador(QString(), true);
            } else if (!shift.testFlag(Qt::ControlModifier) && !shift.testFlag(Qt::AltModifier)) {
                // Digits, letters and punctuation go on with the search; the
                // keypad's digits type their digit.
                QString c = texto;
                if (c.isEmpty() && tecla >= 47 && tecla <= 93)
                    c = QChar(tecla);
                if (c.size() == 1 && c.at(0).isPrint() && !c.at(0).isSpace()) {
                    usada = true;
                    escribeEnBuscador(c, false);
                }
            }
        }},
        [](const q42::Error& e) {
            return q42::TrataError(e, std::nullopt, QStringLiteral("ListView1_KeyDown"));
        });
    return usada;
}

void Lib_FrmCons3::InformaFaltante() {
    const int fila = filaSeleccionada();
    if (fila < 0)
        return;
    const QString articulo = valorColumna(fila, IndiceColumna(QStringLiteral("idarticulo")));
    const QString descripcion = valorColumna(fila, IndiceColumna(QStringLiteral("Descripcion")));
    const int respuesta = q42::MsgBox(
        QStringLiteral("Desea informar el articulo ") + articulo.trimmed() + QLatin1Char(' ') +
            descripcion.trimmed() + QStringLiteral("\r\ncomo un faltante de stock?"),
        q42::vbYesNo + q42::vbQuestion, QStringLiteral("Atención!"));
    if (respuesta != q42::vbYes)
        return;
    DB_Dll& db = DB_Dll::instance();
    QDateTime momento = QDateTime::currentDateTime();
    momento.setTime(QTime(momento.time().hour(), momento.time().minute(), momento.time().second()));
    QString sql =
        QStringLiteral("INSERT INTO V_MV_FALTANTES (FechaHora,IdArticulo,Descripcion,Usuario) "
                       "values(") +
        db.FechaHoraSQL(momento) + QLatin1Char(',') +
        DB_Dll::Comillas(Utiles::AjustaTexto(articulo, 25)) + QLatin1Char(',') +
        DB_Dll::Comillas(descripcion.trimmed()) + QLatin1Char(',') + DB_Dll::Comillas(db.gUsuario) +
        QLatin1Char(')');
    // The operator asked for the notice: a notice not recorded is said so.
    long registrados = 0;
    db.EjecutaConsultaSQL(sql, &registrados);
    if (registrados < 1)
        q42::MsgBox(QStringLiteral("No se pudo registrar el faltante del articulo ") +
                        articulo.trimmed() + QLatin1Char('.'),
                    q42::vbOKOnly + q42::vbExclamation, QStringLiteral("Atención!"));
}

void Lib_FrmCons3::vaALasFilas(int tecla) {
    StepRunner::runIgnoringFailures(
        {[&] { ListView1_KeyDown(tecla, Qt::NoModifier, {}); }, [&] { ListView1->setFocus(); }});
}

void Lib_FrmCons3::keyPressEvent(QKeyEvent* evento) {
    if (evento->key() == Qt::Key_F12 && EsArticulos) {
        InformaFaltante();
        return;
    }
    QDialog::keyPressEvent(evento);
}

bool Lib_FrmCons3::eventFilter(QObject* objeto, QEvent* evento) {
    const QVariant indice = objeto->property("indice");
    switch (evento->type()) {
    case QEvent::KeyPress: {
        auto* tecla = static_cast<QKeyEvent*>(evento);
        // The dialog sees its keys before its controls: F12 works anywhere.
        if (tecla->key() == Qt::Key_F12 && EsArticulos) {
            InformaFaltante();
            return true;
        }
        if (objeto == ListView1)
            return ListView1_KeyDown(tecla->key(), tecla->modifiers(), tecla->text());
        if (indice.isValid())
            return teclaDeBuscador(indice.toInt(), tecla->key());
        break;
    }
    case QEvent::FocusIn:
        if (indice.isValid()) {
            BuscadorActivo = indice.toInt();
            pintaFondo(buscador(BuscadorActivo)->lineEdit(), kCian);
        }
        break;
    case QEvent::FocusOut:
        if (indice.isValid())
            pintaFondo(buscador(indice.toInt())->lineEdit(), Qt::white);
        break;
    case QEvent::MouseButtonPress:
        if (indice.isValid())
            busquedaIncremental(indice.toInt());
        break;
    default:
        break;
    }
    return QDialog::eventFilter(objeto, evento);
}
