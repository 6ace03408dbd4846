#include "EntornoPrueba.h"
#include "db/DB_Dll.h"

#include <QtTest>

using Engine = ado::Engine;

class TstLiterales : public QObject {
    Q_OBJECT
    EntornoPrueba env;

private Q_SLOTS:
    void claseDeTipo_data() {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<QString>("clase"); // F date, T text, N numeric, C currency, B boolean
        QTest::newRow("adDBTimeStamp") << 135 << "F";
        QTest::newRow("adVarWChar") << 202 << "T";
        QTest::newRow("adNumeric") << 131 << "N";
        QTest::newRow("adUnsignedBigInt") << 21 << "N";
        QTest::newRow("adCurrency is not numeric") << 6 << "C";
        QTest::newRow("adBoolean") << 11 << "B";
        QTest::newRow("adVarNumeric in no class") << 139 << "";
    }
    void claseDeTipo() {
        QFETCH(int, tipo);
        QFETCH(QString, clase);
        QCOMPARE(DB_Dll::adodate(tipo), clase == "F");
        QCOMPARE(DB_Dll::ADOText(tipo), clase == "T");
        QCOMPARE(DB_Dll::ADONumeric(tipo), clase == "N");
        QCOMPARE(DB_Dll::ADOCurrency(tipo), clase == "C");
        QCOMPARE(DB_Dll::ADOBoolean(tipo), clase == "B");
        QCOMPARE(DB_Dll::ADOComilla(tipo), clase == "F" || clase == "T" ? "'" : "");
    }

    void sqlValue_data() {
        QTest::addColumn<QVariant>("valor");
        QTest::addColumn<QString>("tipo");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("text") << QVariant("abc") << "'"
                              << "'abc'";
        QTest::newRow("apostrophe kept as is") << QVariant("O'Brien") << "'"
                                               << "'O'Brien'";
        QTest::newRow("null default style") << QVariant() << "'"
                                            << "NULL";
        QTest::newRow("null other style") << QVariant() << "#"
                                          << "NULL";
        QTest::newRow("decimal comma to point") << QVariant("1234,5") << "@"
                                                << "1234.5";
        QTest::newRow("grouped number") << QVariant("11.110,50") << "@"
                                        << "11110.5";
        QTest::newRow("negative") << QVariant("-0,25") << "@"
                                  << "-0.25";
        QTest::newRow("blank number is zero") << QVariant("") << "@"
                                              << "0";
        QTest::newRow("double value") << QVariant(2.5) << "@"
                                      << "2.5";
        QTest::newRow("integer bare") << QVariant(42) << ""
                                      << "42";
        QTest::newRow("date quoted day first") << QVariant(QDate(2006, 5, 1)) << "'"
                                               << "'01/05/2006'";
    }
    void sqlValue() {
        QFETCH(QVariant, valor);
        QFETCH(QString, tipo);
        QFETCH(QString, esperado);
        QCOMPARE(DB_Dll::SQLValue(valor, tipo), esperado);
    }

    void sqlValueDeTextoNoNumerico() {
        QVERIFY_THROWS_EXCEPTION(q42::Error, DB_Dll::SQLValue(QVariant("12a"), "@"));
    }

    void comillas_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("plain") << "abc"
                               << "'abc'";
        QTest::newRow("empty") << ""
                               << "''";
        QTest::newRow("apostrophes doubled") << "O'Brien''"
                                             << "'O''Brien'''''";
        QTest::newRow("injection stays text") << "x' OR '1'='1"
                                              << "'x'' OR ''1''=''1'";
    }
    void comillas() {
        QFETCH(QString, texto);
        QFETCH(QString, esperado);
        QCOMPARE(DB_Dll::Comillas(texto), esperado);
    }

    void nombres_data() {
        QTest::addColumn<QString>("operacion");
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("brackets added") << "Add"
                                        << "Mi Tabla"
                                        << "[Mi Tabla]";
        QTest::newRow("no blank") << "Add"
                                  << "MiTabla"
                                  << "MiTabla";
        QTest::newRow("already bracketed") << "Add"
                                           << "[Mi Tabla"
                                           << "[Mi Tabla";
        QTest::newRow("strip") << "Strip"
                               << "[Mi Tabla]"
                               << "Mi Tabla";
        QTest::newRow("strip drops last blindly") << "Strip"
                                                  << "[abcX"
                                                  << "abc";
        QTest::newRow("strip without bracket") << "Strip"
                                               << "abc]"
                                               << "abc]";
        QTest::newRow("strip empty") << "Strip"
                                     << ""
                                     << "";
        QTest::newRow("connect with blank") << "Connect"
                                            << "CLIENTES ->Sucursal"
                                            << "CLIENTES";
        QTest::newRow("connect without blank") << "Connect"
                                               << "CLIENTES->Sucursal"
                                               << "CLIENTE";
        QTest::newRow("no connect") << "Connect"
                                    << "CLIENTES"
                                    << "CLIENTES";
        QTest::newRow("file folder") << "File"
                                     << "C:\\Q42\\datos\\a.mdb"
                                     << "C:\\Q42\\datos";
        QTest::newRow("file without folder") << "File"
                                             << "a.mdb"
                                             << "";
        QTest::newRow("file empty") << "File"
                                    << ""
                                    << "";
    }
    void nombres() {
        QFETCH(QString, operacion);
        QFETCH(QString, nombre);
        QFETCH(QString, esperado);
        QString r;
        if (operacion == "Add")
            r = DB_Dll::AddBrackets(nombre);
        else if (operacion == "Strip")
            r = DB_Dll::StripBrackets(nombre);
        else if (operacion == "Connect")
            r = DB_Dll::StripConnect(nombre);
        else
            r = DB_Dll::StripFileName(nombre);
        QCOMPARE(r, esperado);
    }

    void partes_data() {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<int>("parte");
        QTest::addColumn<QString>("esperado");
        QTest::addColumn<QString>("variable"); // the caller's variable afterwards
        QTest::newRow("owner.table part 1") << "dbo.CLIENTES" << 1 << "CLIENTES"
                                            << "dbo.CLIENTES";
        QTest::newRow("owner.table part 0") << "dbo.CLIENTES" << 0 << "dbo"
                                            << "dbo.CLIENTES";
        QTest::newRow("no dot part 1") << "CLIENTES" << 1 << "CLIENTES"
                                       << "CLIENTES";
        QTest::newRow("three parts, part 1") << "Q42.dbo.CLIENTES" << 1 << "dbo.CLIENTES"
                                             << "dbo.CLIENTES";
        QTest::newRow("three parts, part 0") << "Q42.dbo.CLIENTES" << 0 << "dbo.CLIENTES"
                                             << "dbo.CLIENTES";
    }
    void partes() {
        QFETCH(QString, nombre);
        QFETCH(int, parte);
        QFETCH(QString, esperado);
        QFETCH(QString, variable);
        QCOMPARE(DB_Dll::stSTF(nombre, parte), esperado);
        QCOMPARE(nombre, variable);
    }

    void stripOwnerCambiaLaVariable() {
        QString nombre = "dbo.T.x";
        QCOMPARE(DB_Dll::StripOwner(nombre), QString("T.x"));
        QCOMPARE(nombre, QString("T.x"));
        QString sinDueno = "T";
        QCOMPARE(DB_Dll::StripOwner(sinDueno), QString("T"));
    }

    void rechazos() {
        QString sinPunto = "CLIENTES";
        for (const auto& llamada : std::vector<std::function<void()>>{
                 [&] { DB_Dll::stSTF(sinPunto, 0); },
                 [] { DB_Dll::StripConnect("->Sucursal"); },
                 [] { DB_Dll::StripBrackets("["); },
             }) {
            try {
                llamada();
                QFAIL("accepted an invalid argument");
            } catch (const q42::Error& e) {
                QCOMPARE(e.number(), q42::err::InvalidProcedureCall);
            }
        }
    }

    // Every engine reads the literal the same whatever its language or date
    // settings; SQLite gets the SQL Server form, which its layer adapts. The
    // day's end is its last instant each engine keeps.
    void fechaSQL_data() {
        QTest::addColumn<QString>("fecha");
        QTest::addColumn<int>("motor");
        QTest::addColumn<QString>("esperado");
        QTest::addColumn<QString>("finDia");
        const int ss = int(Engine::SqlServer), ora = int(Engine::Oracle),
                  lite = int(Engine::SQLite);
        const auto tsql = [](const char* dia, const char* hora, int estilo) {
            return QStringLiteral("CONVERT(datetime, '%1 %2', %3)")
                .arg(QLatin1String(dia), QLatin1String(hora))
                .arg(estilo);
        };
        const auto oracle = [](const char* dia, const char* hora) {
            return QStringLiteral("TO_DATE('%1 %2', 'YYYY-MM-DD HH24:MI:SS')")
                .arg(QLatin1String(dia), QLatin1String(hora));
        };
        const char* cero = "00:00:00";
        const char* fin = "23:59:59.997";
        QTest::newRow("sql server")
            << "01/05/2006" << ss << tsql("2006-05-01", cero, 120) << tsql("2006-05-01", fin, 121);
        QTest::newRow("no engine yet")
            << "01/05/2006" << int(Engine::None) << tsql("2006-05-01", cero, 120)
            << tsql("2006-05-01", fin, 121);
        QTest::newRow("odbc other")
            << "31/12/2006" << int(Engine::Other) << tsql("2006-12-31", cero, 120)
            << tsql("2006-12-31", fin, 121);
        QTest::newRow("oracle") << "01/05/2006" << ora << oracle("2006-05-01", cero)
                                << oracle("2006-05-01", "23:59:59");
        QTest::newRow("sqlite") << "01/05/2006" << lite << tsql("2006-05-01", cero, 120)
                                << tsql("2006-05-01", fin, 121);
        QTest::newRow("leap day oracle") << "29/02/2024" << ora << oracle("2024-02-29", cero)
                                         << oracle("2024-02-29", "23:59:59");
        QTest::newRow("one-digit day and month")
            << "1/5/2006" << ss << tsql("2006-05-01", cero, 120) << tsql("2006-05-01", fin, 121);
        QTest::newRow("no leap day") << "29/02/2023" << ss << ""
                                     << "";
        QTest::newRow("empty") << "" << ss << ""
                               << "";
        QTest::newRow("month and year only") << "05/2006" << ss << ""
                                             << "";
        QTest::newRow("injection") << "01/05/2006' OR '1'='1" << lite << ""
                                   << "";
    }
    void fechaSQL() {
        QFETCH(QString, fecha);
        QFETCH(int, motor);
        QFETCH(QString, esperado);
        QFETCH(QString, finDia);
        if (esperado.isEmpty()) {
            QCOMPARE(errorOf([&] { DB_Dll::FechaSQL(fecha, Engine(motor)); }),
                     int(q42::err::TypeMismatch));
            QCOMPARE(errorOf([&] { DB_Dll().FinDiaSQL(fecha); }), int(q42::err::TypeMismatch));
            return;
        }
        QCOMPARE(DB_Dll::FechaSQL(fecha, Engine(motor)), esperado);
        // The one-argument forms follow the engine of the connection.
        DB_Dll db;
        db.gMotor = Engine(motor);
        QCOMPARE(db.FechaSQL(fecha), esperado);
        QCOMPARE(db.FinDiaSQL(fecha), finDia);
    }
};

QTEST_GUILESS_MAIN(TstLiterales)
#include "tst_literales.moc"
