// The list lookup on 100 000 customers: the lookup service loading its
// dialog, against the same statement stepped to the end with the SQLite
// API; then the worst keystroke of the incremental search on that list.

#include "Medicion.h"
#include "widgets/Modal.h"

#include "ado/TsqlAdapter.h"
#include "demo/DemoDb.h"
#include "lookup/Lib_ClsCons3.h"
#include "lookup/Lib_FrmCons3.h"
#include "lookup/ModeloConsulta.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <sqlite3.h>

namespace {

const int kFilas = banco::tamano(100000);

void ejecuta(sqlite3* db, const char* sql) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &error) != SQLITE_OK)
        qFatal("%s: %s", sql, error);
}

// 100 000 customers of plausible names, and a lookup limit that lets the
// service show them all.
void agregaClientes(const QString& ruta) {
    static const char* const kRubros[] = {"Panadería",     "Confitería", "Almacén",
                                          "Distribuidora", "Pastas",     "Mayorista",
                                          "Autoservicio",  "Rotisería"};
    static const char* const kNombres[] = {
        "La Espiga",  "El Trigal", "San Cayetano", "Don Nicola", "La Perla", "Santa Rita",
        "Los Aromos", "El Molino", "La Union",     "Del Sur",    "San Jose", "La Estrella"};
    static const char* const kLocalidades[] = {"Rufino",  "Venado Tuerto", "Firmat",
                                               "Casilda", "Rosario",       "Pergamino"};
    sqlite3* db = nullptr;
    sqlite3_open(ruta.toUtf8().constData(), &db);
    ejecuta(db, QStringLiteral("INSERT OR REPLACE INTO TA_CONFIGURACION (CLAVE, VALOR) "
                               "VALUES ('TopConsArt', '%1')")
                    .arg(kFilas)
                    .toUtf8()
                    .constData());
    sqlite3_stmt* n = nullptr;
    sqlite3_prepare_v2(db, "SELECT COUNT(*) FROM MA_CLIENTES", -1, &n, nullptr);
    sqlite3_step(n);
    const int hay = sqlite3_column_int(n, 0);
    sqlite3_finalize(n);
    if (hay < kFilas) {
        ejecuta(db, "BEGIN");
        sqlite3_stmt* ins = nullptr;
        sqlite3_prepare_v2(db,
                           "INSERT OR IGNORE INTO MA_CLIENTES VALUES "
                           "(?1, '0', ?2, 'Compras', ?3, ?4, ?5, 'Santa Fe', ?6, '01', 0)",
                           -1, &ins, nullptr);
        for (int i = 0; i < kFilas; ++i) {
            const auto texto = [&](int k, const QString& t) {
                const QByteArray b = t.toUtf8();
                sqlite3_bind_text(ins, k, b.constData(), int(b.size()), SQLITE_TRANSIENT);
            };
            texto(1, QString::number(100000 + i));
            texto(2, QStringLiteral("%1 %2 %3")
                         .arg(QString::fromUtf8(kRubros[(i * 7) % 8]),
                              QString::fromUtf8(kNombres[(i * 5) % 12]))
                         .arg(i));
            texto(3, QStringLiteral("30-%1-%2").arg(70000000 + i).arg(i % 10));
            texto(4, QStringLiteral("Belgrano %1").arg(i % 3000));
            texto(5, QString::fromUtf8(kLocalidades[i % 6]));
            texto(6, QStringLiteral("03382-%1").arg(400000 + i));
            if (sqlite3_step(ins) != SQLITE_DONE)
                qFatal("%s", sqlite3_errmsg(db));
            sqlite3_reset(ins);
        }
        sqlite3_finalize(ins);
        ejecuta(db, "COMMIT");
    }
    sqlite3_close(db);
}

// The baseline: the statement as SQLite runs it, every cell read as text.
double pasoCrudo(sqlite3* db, const QString& sql, int* filas) {
    const QByteArray texto = ado::adaptTsqlForSqlite(sql).toUtf8();
    return banco::milisegundos([&] {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, texto.constData(), -1, &st, nullptr) != SQLITE_OK)
            qFatal("%s", sqlite3_errmsg(db));
        *filas = 0;
        const int columnas = sqlite3_column_count(st);
        while (sqlite3_step(st) == SQLITE_ROW) {
            for (int c = 0; c < columnas; ++c)
                sqlite3_column_text(st, c);
            ++*filas;
        }
        sqlite3_finalize(st);
    });
}

// Types into the search box of a column as the operator does: the start of
// the last customer's name, a letter no name goes on with, then erases
// them. The worst keystroke, screen update included.
double peorTecla(Lib_FrmCons3* d, int columna) {
    QLineEdit* caja = d->CmbSearch.at(columna)->lineEdit();
    caja->setFocus();
    const QString ultimo = d->modelo()->texto(d->modelo()->filas() - 1, columna);
    QList<std::pair<Qt::Key, QChar>> teclas;
    for (QChar c : ultimo.left(12))
        teclas.append({Qt::Key_unknown, c});
    teclas.append({Qt::Key_unknown, QLatin1Char('q')});
    for (int i = 0; i < 4; ++i)
        teclas.append({Qt::Key_Backspace, QChar()});
    double peor = 0;
    for (const auto& [tecla, letra] : teclas)
        peor = std::max(peor, banco::milisegundos([&] {
                            if (tecla == Qt::Key_Backspace)
                                QTest::keyClick(caja, tecla);
                            else
                                QTest::sendKeyEvent(QTest::KeyAction::Click, caja, tecla,
                                                    QString(letra), Qt::NoModifier);
                            QApplication::processEvents();
                        }));
    return peor;
}

// What the dialog handler saw in one lookup: the time from the call to the
// loaded dialog, its first paint, the worst keystroke, the statement and its
// rows.
struct Ronda {
    QElapsedTimer reloj;
    double carga = 0;
    double pintura = 0;
    double tecla = 0;
    QString sentencia;
    int filas = 0;
};

} // namespace

int main(int argc, char* argv[]) {
    banco::Programa programa(argc, argv);
    banco::Operador& operador = programa.operador;

    demo::DemoOptions opciones;
    opciones.withCosecha = true;
    const QString base = banco::baseDemo(QStringLiteral("consulta-100000.sqlite"), opciones);
    agregaClientes(base);
    if (!banco::abreConexion(base))
        qFatal("sin conexión con %s", qUtf8Printable(base));
    sqlite3* crudo = nullptr;
    sqlite3_open_v2(base.toUtf8().constData(), &crudo, SQLITE_OPEN_READONLY, nullptr);

    banco::Pares carga; // the dialog loaded against the bare statement, in turns
    std::vector<double> teclas, pinturas;
    double primera = 0;
    Ronda ronda;
    const auto atiende = [](QDialog* dialogo, void* contexto) {
        auto* r = static_cast<Ronda*>(contexto);
        auto* lista = qobject_cast<Lib_FrmCons3*>(dialogo);
        // Loaded: the service hands the dialog over to be shown.
        r->carga = double(r->reloj.nsecsElapsed()) / 1e6;
        r->pintura = banco::milisegundos([&] {
            lista->show();
            QApplication::processEvents();
        });
        r->sentencia = lista->SQL;
        r->filas = lista->modelo()->filas();
        r->tecla = peorTecla(lista, lista->IndiceColumna(QStringLiteral("RAZON_SOCIAL")) - 1);
        return int(QDialog::Rejected);
    };
    q42::setDialogHandler(atiende, &ronda);
    const int n = banco::pares(9);
    for (int i = 0; i <= n; ++i) {
        Lib_ClsCons3& servicio = Lib_ClsCons3::instance();
        ronda.reloj.start();
        servicio.ConsultaSearch(QStringLiteral("VT_CLIENTES"));
        int filas = 0;
        const double c = pasoCrudo(crudo, ronda.sentencia, &filas);
        if (filas != ronda.filas || filas != kFilas)
            qFatal("la lista mostró %d filas, la sentencia da %d", ronda.filas, filas);
        // The first round only warms the caches; its load is told apart.
        if (i == 0) {
            primera = ronda.carga;
            continue;
        }
        carga.programa.push_back(ronda.carga);
        carga.base.push_back(c);
        carga.razones.push_back(ronda.carga / c);
        pinturas.push_back(ronda.pintura);
        teclas.push_back(ronda.tecla);
    }
    q42::setDialogHandler(nullptr, nullptr);
    if (operador.mensajes() > 0)
        qFatal("mensaje inesperado: %s", qUtf8Printable(operador.ultimo()));
    sqlite3_close(crudo);
    banco::cierraConexion();

    banco::detalle(
        QStringLiteral("lista de %1 filas: diálogo cargado %2 ms (la primera vez %6 ms; en "
                       "pantalla %3 ms más), SQLite %4 ms (medianas); peor tecla %5 ms")
            .arg(kFilas)
            .arg(banco::mediana(carga.programa), 0, 'f', 1)
            .arg(banco::mejor(pinturas), 0, 'f', 1)
            .arg(banco::mediana(carga.base), 0, 'f', 1)
            .arg(banco::mejor(teclas), 0, 'f', 1)
            .arg(primera, 0, 'f', 1));
    banco::detalle(QStringLiteral("sentencia: %1").arg(ronda.sentencia.trimmed()));
    bool cumple = banco::informaRazon("consulta_carga", carga, 1.5);
    cumple &= banco::informa("consulta_tecla_ms", banco::mejor(teclas), 16, 1);
    return cumple ? 0 : 1;
}
