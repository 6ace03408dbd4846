// The search boxes of the lookups tried with apostrophes, "--", an injected
// DROP and 10 000 characters: F5 in the list (both search styles) and in
// the tree, and the text a caller opens the list with. Every text handed to
// the engine is recorded; only reads run, the text stays inside its literal,
// and the tables are whole afterwards.

#include "PruebaConsultas.h"

#include <QRegularExpression>
#include <memory>

using namespace prueba;

namespace {

QString sinLiterales(const QString& sql) {
    static const QRegularExpression literal(QStringLiteral("'(?:[^']|'')*'"));
    return QString(sql).replace(literal, QStringLiteral("''"));
}

QStringList esquema() {
    QStringList out;
    for (const QStringList& fila :
         filas(QStringLiteral("SELECT type, name, sql FROM sqlite_master ORDER BY name")))
        out << fila.join(QLatin1Char('|'));
    return out;
}

int cuenta(const QString& tabla) {
    return filas(QStringLiteral("SELECT COUNT(*) FROM ") + tabla).value(0).value(0).toInt();
}

const QString kClientes = QStringLiteral("SELECT TOP 1000 RAZON_SOCIAL,CODIGO FROM VT_CLIENTES "
                                         "WHERE Dada_De_Baja = 0 ORDER BY RAZON_SOCIAL");
const QString kCentros =
    QStringLiteral("SELECT CODIGO, DESCRIPCION FROM TA_CCOSTO ORDER BY CODIGO");

enum Donde { ListaPrefijo, ListaContiene, Arbol, Servicio };

} // namespace

class TstBusquedaHostil : public QObject {
    Q_OBJECT
    TestEnv env;
    QStringList sentencias;

private Q_SLOTS:
    void initTestCase() { abreBase(env, QStringLiteral("hostil.sqlite")); }
    void cleanupTestCase() { cierraBase(); }
    void cleanup() {
        ado::Connection::setTrace({});
        sentencias.clear();
    }

    void busqueda_data() {
        QTest::addColumn<int>("donde");
        QTest::addColumn<QString>("texto");
        const QList<std::pair<const char*, QString>> textos = {
            {"apostrophe", QStringLiteral("O'H")},
            {"dashes", QStringLiteral("a--")},
            {"drop", QStringLiteral("';DROP TABLE DJ_Q42;--")},
            {"drop after a closed literal", QStringLiteral("%';DROP TABLE VT_CLIENTES;--")},
            {"10000 characters", QStringLiteral("';--").repeated(2500)},
        };
        const QList<std::pair<const char*, int>> lugares = {
            {"list, prefix", ListaPrefijo},
            {"list, containment", ListaContiene},
            {"tree", Arbol},
            {"service, first search box", Servicio}};
        for (const auto& [lugar, donde] : lugares)
            for (const auto& [nombre, texto] : textos)
                QTest::addRow("%s, %s", lugar, nombre) << donde << texto;
    }
    void busqueda() {
        QFETCH(int, donde);
        QFETCH(QString, texto);
        ScriptedMessages msgs;
        const QStringList antes = esquema();
        const int clientes = cuenta(QStringLiteral("VT_CLIENTES"));
        const int declaraciones = cuenta(QStringLiteral("DJ_Q42"));

        ado::Connection::setTrace([this](const QString& s) { sentencias << s; });
        if (donde == Arbol) {
            auto d = std::make_unique<Lib_FrmCons3Tree>();
            d->SQL = kCentros;
            d->Cargar();
            muestra(d.get());
            d->CmbSearch->setFocus();
            d->CmbSearch->setEditText(texto);
            QTest::keyClick(d->CmbSearch, Qt::Key_F5);
            QVERIFY(d->SQL.contains(QStringLiteral("Descripcion like ")));
        } else if (donde == Servicio) {
            // The caller's key goes into the first search box, which searches
            // the rows already read.
            QString clave = texto;
            QString enCaja;
            DialogScript guion([&](QDialog* d) {
                if (auto* lista = qobject_cast<Lib_FrmCons3*>(d))
                    enCaja = lista->CmbSearch.at(0)->currentText();
                return int(QDialog::Rejected);
            });
            Lib_ClsCons3::instance().ConsultaSearch(QStringLiteral("VT_CLIENTES"), nullptr, &clave);
            QCOMPARE(guion.count(), 1);
            QCOMPARE(enCaja, texto);
        } else {
            auto d = std::make_unique<Lib_FrmCons3>();
            d->SQL = kClientes;
            d->CfgUsaConsultaLIKE = donde == ListaContiene;
            d->Cargar();
            muestra(d.get());
            for (int caja : {0, 1}) {
                d->CmbSearch.at(caja)->setFocus();
                d->CmbSearch.at(caja)->setEditText(texto);
                QTest::keyClick(d->CmbSearch.at(caja), Qt::Key_F5);
            }
            QVERIFY(d->SQL.contains(QStringLiteral(" and CODIGO like ")));
        }
        ado::Connection::setTrace({});

        QCOMPARE(msgs.count(), 0);
        QVERIFY(!sentencias.isEmpty());
        for (const QString& s : std::as_const(sentencias)) {
            QVERIFY2(s.trimmed().startsWith(QStringLiteral("SELECT"), Qt::CaseInsensitive),
                     qPrintable(s.left(300)));
            const QString sql = sinLiterales(s);
            QVERIFY2(!sql.contains(QLatin1Char(';')) && !sql.contains(QStringLiteral("--")) &&
                         !sql.contains(QStringLiteral("DROP"), Qt::CaseInsensitive),
                     qPrintable(s.left(300)));
        }
        QCOMPARE(esquema(), antes);
        QCOMPARE(cuenta(QStringLiteral("VT_CLIENTES")), clientes);
        QCOMPARE(cuenta(QStringLiteral("DJ_Q42")), declaraciones);
    }
};

QTEST_MAIN(TstBusquedaHostil)
#include "tst_busqueda_hostil.moc"
