// Schema verification of DB_Dll against real SQLite files.

#include "EntornoPrueba.h"
#include "ScriptedMessages.h"
#include "db/DB_Dll.h"

#include <QtTest>
#include <functional>

namespace {

class Mensajes : public ScriptedMessages {
public:
    std::function<void()> alMostrar;
    int msgBox(const QString& prompt, int style, const QString& title) override {
        if (auto accion = std::exchange(alMostrar, nullptr))
            accion();
        return ScriptedMessages::msgBox(prompt, style, title);
    }
};

struct Columna {
    bool existe = false;
    int tipo = 0;
    qint64 largo = 0;
    bool nulos = false;
};

} // namespace

class TstEsquema : public QObject {
    Q_OBJECT
    EntornoPrueba env;
    std::unique_ptr<DB_Dll> db;
    QString cadena;
    int numero = 0;

    Columna columna(const QString& tabla, const QString& nombre) {
        auto rs = db->gCnn->OpenSchema(ado::adSchemaColumns, {QVariant(), QVariant(), tabla});
        for (; !rs->EOF_(); rs->MoveNext()) {
            if (rs->value(QStringLiteral("COLUMN_NAME")).toString() == nombre)
                return {true, rs->value(QStringLiteral("DATA_TYPE")).toInt(),
                        rs->value(QStringLiteral("CHARACTER_MAXIMUM_LENGTH")).toLongLong(),
                        rs->value(QStringLiteral("IS_NULLABLE")).toBool()};
        }
        return {};
    }
    int versionEsquema() {
        auto rs = db->gCnn->Execute(QStringLiteral("PRAGMA schema_version"));
        return rs->Fields(0).Value().toInt();
    }

private Q_SLOTS:
    void init() {
        db = std::make_unique<DB_Dll>();
        const QString ruta = env.ruta(QStringLiteral("negocio%1.db").arg(++numero));
        QFile(ruta).open(QIODevice::WriteOnly); // an empty file is an empty database
        cadena = QStringLiteral("Provider=SQLite;Data Source=%1;").arg(ruta);
        db->gConnString = cadena;
        db->gCnn->Open(cadena);
        db->gCnn->Execute(QStringLiteral(
            "CREATE TABLE DJ_Q42 (Periodo NVARCHAR(7) NOT NULL PRIMARY KEY, Trigo REAL)"));
        db->gCnn->Execute(QStringLiteral("INSERT INTO DJ_Q42 VALUES ('03/2024', 10)"));
    }
    void cleanup() { db.reset(); }

    void existeTablaYCampo_data() {
        QTest::addColumn<QString>("tabla");
        QTest::addColumn<QString>("campo");
        QTest::addColumn<bool>("hayTabla");
        QTest::addColumn<bool>("hayCampo");
        QTest::newRow("same spelling") << "DJ_Q42"
                                       << "Periodo" << true << true;
        QTest::newRow("letter case and blanks") << " dj_q42 "
                                                << " PERIODO  " << true << true;
        QTest::newRow("missing column") << "DJ_Q42"
                                        << "Cosecha" << true << false;
        QTest::newRow("missing table") << "DJ_Q43"
                                       << "Periodo" << false << false;
    }
    void existeTablaYCampo() {
        QFETCH(QString, tabla);
        QFETCH(QString, campo);
        QFETCH(bool, hayTabla);
        QFETCH(bool, hayCampo);
        ScriptedMessages mensajes;
        QCOMPARE(db->ExisteTablaDB(tabla), hayTabla);
        QCOMPARE(db->ExisteCampoDB(tabla.trimmed(), campo), hayCampo);
        QCOMPARE(mensajes.count(), 0);
    }

    // Two starts of the program: the first adds the column, the second
    // finds it and changes nothing.
    void verCampoTwice() {
        ScriptedMessages mensajes;
        QVERIFY(db->VerCampoDB(QStringLiteral("DJ_Q42"), QStringLiteral("Cosecha"), true,
                               QStringLiteral("nvarchar(50)"), true));
        const Columna c = columna(QStringLiteral("DJ_Q42"), QStringLiteral("Cosecha"));
        QVERIFY(c.existe);
        QCOMPARE(c.tipo, int(ado::adVarWChar));
        QCOMPARE(c.largo, 50);
        QVERIFY(c.nulos);

        const int version = versionEsquema();
        QVERIFY(db->VerCampoDB(QStringLiteral("DJ_Q42"), QStringLiteral(" cosecha"), true,
                               QStringLiteral("nvarchar(50)"), true));
        QCOMPARE(versionEsquema(), version);
        QVERIFY(db->gCnn->errors().isEmpty()); // no failed ALTER TABLE either
        QCOMPARE(mensajes.count(), 0);
    }

    void verCampoAddsNothing_data() {
        QTest::addColumn<QString>("tabla");
        QTest::addColumn<bool>("agregar");
        QTest::newRow("missing table") << "DJ_Q99" << true;
        QTest::newRow("adding not asked") << "DJ_Q42" << false;
    }
    void verCampoAddsNothing() {
        QFETCH(QString, tabla);
        QFETCH(bool, agregar);
        const int version = versionEsquema();
        QVERIFY(db->VerCampoDB(tabla, QStringLiteral("Cosecha"), agregar,
                               QStringLiteral("nvarchar(50)"), true));
        QCOMPARE(versionEsquema(), version);
        QVERIFY(!db->ExisteTablaDB(QStringLiteral("DJ_Q99")));
    }

    // Not null with a named default: existing rows take the default.
    void addFieldWithDefault() {
        db->AddField(QStringLiteral("DJ_Q42"), QStringLiteral("Cantidad"), QStringLiteral("int"),
                     false, QStringLiteral("0"));
        const Columna c = columna(QStringLiteral("DJ_Q42"), QStringLiteral("Cantidad"));
        QVERIFY(c.existe);
        QVERIFY(!c.nulos);
        auto rs = db->gCnn->Execute(QStringLiteral("SELECT Cantidad FROM DJ_Q42"));
        QCOMPARE(rs->Fields(0).Value().toInt(), 0);
    }

    // On Oracle no column catalogue is asked for and nothing is added, also
    // when Oracle came from the command line (the provider stays SQLOLEDB);
    // with the connection closed, a query would have shown the error dialog.
    void oracleTakesEveryColumnAsPresent_data() {
        QTest::addColumn<bool>("desdeDialogo");
        QTest::newRow("login dialog") << true;
        QTest::newRow("command line") << false;
    }
    void oracleTakesEveryColumnAsPresent() {
        QFETCH(bool, desdeDialogo);
        ScriptedMessages mensajes;
        if (desdeDialogo)
            db->gProveedor = DB_Dll::proveedorOracle();
        else
            db->gMotor = ado::Engine::Oracle;
        const int version = versionEsquema();
        QVERIFY(db->VerCampoDB(QStringLiteral("DJ_Q42"), QStringLiteral("NoHay"), true,
                               QStringLiteral("int"), true));
        QCOMPARE(versionEsquema(), version);
        db->gCnn->Close();
        QVERIFY(db->ExisteCampoDB(QStringLiteral("DJ_Q42"), QStringLiteral("NoHay")));
        QCOMPARE(mensajes.count(), 0);
    }

    void catalogueFailures_data() {
        QTest::addColumn<QList<int>>("respuestas");
        QTest::addColumn<bool>("reabre");
        QTest::addColumn<bool>("existe");
        QTest::addColumn<int>("dialogos");
        QTest::newRow("abort") << QList<int>{3} << false << false << 1;
        QTest::newRow("retry after reconnecting") << QList<int>{4} << true << true << 1;
        QTest::newRow("ignore every step") << QList<int>{5, 5, 5} << false << false << 3;
    }
    void catalogueFailures() {
        QFETCH(QList<int>, respuestas);
        QFETCH(bool, reabre);
        QFETCH(bool, existe);
        QFETCH(int, dialogos);
        Mensajes mensajes;
        for (int r : respuestas)
            mensajes.answer(r);
        db->gCnn->Close();
        if (reabre)
            mensajes.alMostrar = [this] { db->gCnn->Open(cadena); };
        QCOMPARE(db->ExisteTablaDB(QStringLiteral("DJ_Q42")), existe);
        QCOMPARE(mensajes.count(), dialogos);
        QCOMPARE(mensajes.unexpected(), 0);
        for (const auto& m : mensajes.shown())
            QVERIFY2(m.title.contains(QStringLiteral(" - VerificaCampos")), qPrintable(m.title));
    }
};

QTEST_GUILESS_MAIN(TstEsquema)
#include "tst_esquema.moc"
