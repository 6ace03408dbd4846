// Record sets, statements and look-ups of DB_Dll against real SQLite files.

#include "EntornoPrueba.h"
#include "ScriptedMessages.h"
#include "db/DB_Dll.h"

#include <QtTest>
#include <functional>

namespace {

const QStringList kEsquema = {
    "CREATE TABLE DJ_Q42 (Periodo NVARCHAR(10) COLLATE NOCASE, Responsable NVARCHAR(50) COLLATE "
    "NOCASE, Trigo REAL)",
    "INSERT INTO DJ_Q42 VALUES ('  03/2024 ', 'Perez', 120.5)",
    "INSERT INTO DJ_Q42 VALUES ('04/2024', NULL, 80)",
    "CREATE TABLE TA_CLIENTES (Codigo INTEGER PRIMARY KEY, Nombre NVARCHAR(50) COLLATE NOCASE, "
    "Saldo REAL, Alta DATETIME)",
    "INSERT INTO TA_CLIENTES VALUES (12, 'O''Brien', 2.5, '2024-03-01 00:00:00')",
    "INSERT INTO TA_CLIENTES VALUES (7, 'Molinos SA', 100, '2023-12-31 00:00:00')",
    "CREATE TABLE MA_CUENTAS (Codigo NVARCHAR(10), Nombre NVARCHAR(50))",
    "CREATE TABLE SS_MA_CUENTAS (Codigo NVARCHAR(10), Nombre NVARCHAR(50))",
    "INSERT INTO MA_CUENTAS VALUES ('1', 'Caja')",
    "INSERT INTO SS_MA_CUENTAS VALUES ('2', 'Caja restringida')",
    "CREATE TABLE TA_VACIA (Codigo INTEGER)",
};

// Runs an action of the test (for instance repairing the database) the
// moment the next message box appears, then answers it from the queue.
class Mensajes : public ScriptedMessages {
public:
    std::function<void()> alMostrar;
    int msgBox(const QString& prompt, int style, const QString& title) override {
        if (auto accion = std::exchange(alMostrar, nullptr))
            accion();
        return ScriptedMessages::msgBox(prompt, style, title);
    }
};

QString cadena(const QString& ruta) {
    return QStringLiteral("Provider=SQLite;Data Source=%1;").arg(ruta);
}

QString primerValor(DB_Dll& db, const QString& sql) {
    ado::Recordset rs;
    rs.Open(sql, db.gCnn, ado::adOpenForwardOnly, ado::adLockReadOnly);
    return rs.EOF_() ? QStringLiteral("<sin filas>") : rs.Fields(0).Value().toString();
}

} // namespace

class TstConsultas : public QObject {
    Q_OBJECT
    EntornoPrueba env;
    std::unique_ptr<DB_Dll> db;
    int numero = 0;

    void ejecuta(const QString& sql) { db->gCnn->Execute(sql); }

private Q_SLOTS:
    void init() {
        db = std::make_unique<DB_Dll>();
        const QString ruta = env.ruta(QStringLiteral("negocio%1.db").arg(++numero));
        QFile(ruta).open(QIODevice::WriteOnly); // an empty file is an empty database
        db->gConnString = cadena(ruta);
        db->gCnn->Open(db->gConnString);
        db->gEsAdmin = true;
        db->gCnn->BeginTrans(); // one write to disk for the whole schema
        for (const QString& sql : kEsquema)
            ejecuta(sql);
        db->gCnn->CommitTrans();
    }
    void cleanup() { db.reset(); }

    void existeEnTabla_data() {
        QTest::addColumn<bool>("st");
        QTest::addColumn<QString>("tabla");
        QTest::addColumn<QString>("valor");
        QTest::addColumn<QString>("campo");
        QTest::addColumn<int>("tipo");
        QTest::addColumn<QString>("condicion");
        QTest::addColumn<bool>("existe");
        QTest::addColumn<QString>("sentencia");
        QTest::newRow("blanks around the stored period")
            << false << "DJ_Q42"
            << " 03/2024"
            << "Periodo" << 8 << "" << true
            << "SELECT TOP 1  * FROM DJ_Q42 WHERE LTRIM(RTRIM(Periodo)) ='03/2024'";
        QTest::newRow("missing period") << false << "DJ_Q42"
                                        << "05/2024"
                                        << "Periodo" << 8 << "" << false
                                        << "SELECT TOP 1  * FROM DJ_Q42 WHERE "
                                           "LTRIM(RTRIM(Periodo)) ='05/2024'";
        QTest::newRow("condition holding WHERE")
            << false << "DJ_Q42"
            << "x"
            << "Periodo" << 8 << "d where d.Trigo > 100" << true
            << "SELECT TOP 1  * FROM DJ_Q42 d where d.Trigo > 100";
        QTest::newRow("condition without WHERE replaces the value test")
            << false << "DJ_Q42"
            << "03/2024"
            << "Periodo" << 8 << "Trigo > 500" << false
            << "SELECT TOP 1  * FROM DJ_Q42 WHERE Trigo > 500";
        QTest::newRow("leading number")
            << false << "TA_CLIENTES"
            << "12abc"
            << "Codigo" << 3 << "" << true << "SELECT TOP 1 * FROM TA_CLIENTES WHERE Codigo = 12";
        QTest::newRow("decimal point whatever the settings")
            << false << "TA_CLIENTES"
            << "2.5"
            << "Saldo" << 5 << "" << true << "SELECT TOP 1 * FROM TA_CLIENTES WHERE Saldo = 2.5";
        QTest::newRow("a comma ends the number")
            << false << "TA_CLIENTES"
            << "2,5"
            << "Saldo" << 4 << "" << false << "SELECT TOP 1 * FROM TA_CLIENTES WHERE Saldo = 2";
        QTest::newRow("no number reads 0")
            << false << "TA_CLIENTES"
            << "abc"
            << "Codigo" << 3 << "" << false << "SELECT TOP 1 * FROM TA_CLIENTES WHERE Codigo = 0";
        QTest::newRow("date written as given")
            << false << "TA_CLIENTES"
            << " '2024-03-01 00:00:00'"
            << "Alta" << 7 << "" << true
            << "SELECT TOP 1 * FROM TA_CLIENTES WHERE Alta = '2024-03-01 00:00:00' ";
        QTest::newRow("other code unchanged")
            << false << "TA_CLIENTES"
            << "7"
            << "Codigo" << 2 << "" << true << "SELECT TOP 1 * FROM TA_CLIENTES WHERE Codigo = 7";
        QTest::newRow("apostrophe in the value")
            << false << "TA_CLIENTES"
            << "O'Brien"
            << "Nombre" << 8 << "" << true
            << "SELECT TOP 1  * FROM TA_CLIENTES WHERE LTRIM(RTRIM(Nombre)) ='O''Brien'";
        QTest::newRow("value cannot run as SQL")
            << false << "TA_CLIENTES"
            << "x' OR '1'='1"
            << "Nombre" << 8 << "" << false
            << "SELECT TOP 1  * FROM TA_CLIENTES WHERE LTRIM(RTRIM(Nombre)) ='x'' OR ''1''=''1'";
        QTest::newRow("ST compares untrimmed")
            << true << "DJ_Q42"
            << "03/2024"
            << "Periodo" << 8 << "" << false << "SELECT * FROM DJ_Q42 WHERE Periodo ='03/2024'";
        QTest::newRow("ST exact value")
            << true << "DJ_Q42"
            << "04/2024"
            << "Periodo" << 8 << "" << true << "SELECT * FROM DJ_Q42 WHERE Periodo ='04/2024'";
        QTest::newRow("ST apostrophe")
            << true << "TA_CLIENTES"
            << "O'Brien"
            << "Nombre" << 8 << "" << true << "SELECT * FROM TA_CLIENTES WHERE Nombre ='O''Brien'";
    }
    void existeEnTabla() {
        QFETCH(bool, st);
        QFETCH(QString, tabla);
        QFETCH(QString, valor);
        QFETCH(QString, campo);
        QFETCH(int, tipo);
        const auto tipoDato = ado::DataTypeEnum(tipo);
        QFETCH(QString, condicion);
        QFETCH(bool, existe);
        QFETCH(QString, sentencia);
        ScriptedMessages mensajes;
        // Without a record set of the caller.
        const bool propio =
            st ? db->ExisteEnTablaST(tabla, valor, campo, nullptr, tipoDato, condicion)
               : db->ExisteEnTabla(tabla, valor, campo, nullptr, tipoDato, condicion);
        QCOMPARE(propio, existe);
        // With one: it stays open on the statement for the caller.
        ado::Recordset rs;
        const bool conRs =
            st ? db->ExisteEnTablaST(tabla, valor, campo, &rs, tipoDato, condicion, true)
               : db->ExisteEnTabla(tabla, valor, campo, &rs, tipoDato, condicion);
        QCOMPARE(conRs, existe);
        QCOMPARE(rs.State(), int(ado::adStateOpen));
        QCOMPARE(rs.Source(), sentencia);
        QCOMPARE(mensajes.count(), 0);
    }

    // The form's period look-up: its own record set reopened editable.
    void existeEnTablaKeepsTheCallersCursor() {
        ado::Recordset rs;
        rs.setCursorType(ado::adOpenKeyset);
        rs.setLockType(ado::adLockOptimistic);
        QVERIFY(db->ExisteEnTabla(QStringLiteral("DJ_Q42"), QStringLiteral("03/2024"),
                                  QStringLiteral("Periodo"), &rs, ado::adBSTR, QString(), false));
        QCOMPARE(rs.LockType(), int(ado::adLockOptimistic));
        rs.Fields(QStringLiteral("Trigo")).setValue(121);
        rs.Update();
        QCOMPARE(primerValor(*db, "SELECT Trigo FROM DJ_Q42 WHERE Trigo > 100"), QString("121"));
    }

    void synonymsForUsersWhoAreNotAdministrators() {
        db->gEsAdmin = false;
        QVERIFY(db->ExisteEnTabla(QStringLiteral("MA_CUENTAS"), QStringLiteral("2")));
        QVERIFY(!db->ExisteEnTabla(QStringLiteral("MA_CUENTAS"), QStringLiteral("1")));
        // The ST variant names the object itself.
        QVERIFY(db->ExisteEnTablaST(QStringLiteral("MA_CUENTAS"), QStringLiteral("1")));
        QCOMPARE(db->DatosTabla(QStringLiteral("MA_CUENTAS"), QStringLiteral("2"),
                                QStringLiteral("Nombre")),
                 QString("Caja restringida"));
    }

    void datosTabla_data() {
        QTest::addColumn<QString>("tabla");
        QTest::addColumn<QString>("valor");
        QTest::addColumn<QString>("devuelto");
        QTest::addColumn<QString>("campo");
        QTest::addColumn<int>("tipo");
        QTest::addColumn<QString>("condicion");
        QTest::addColumn<bool>("usaTrim");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("trimmed on both sides") << "DJ_Q42"
                                               << "03/2024 "
                                               << "Responsable"
                                               << "Periodo" << 8 << "" << true << "Perez";
        QTest::newRow("untrimmed misses the padded period") << "DJ_Q42"
                                                            << "03/2024"
                                                            << "Responsable"
                                                            << "Periodo" << 8 << "" << false << "";
        QTest::newRow("no row") << "DJ_Q42"
                                << "05/2024"
                                << "Responsable"
                                << "Periodo" << 8 << "" << true << "";
        QTest::newRow("null column") << "DJ_Q42"
                                     << "04/2024"
                                     << "Responsable"
                                     << "Periodo" << 8 << "" << true << "";
        QTest::newRow("condition narrows") << "DJ_Q42"
                                           << "03/2024"
                                           << "Responsable"
                                           << "Periodo" << 8 << "Trigo > 500" << true << "";
        QTest::newRow("condition holds") << "DJ_Q42"
                                         << "03/2024"
                                         << "Responsable"
                                         << "Periodo" << 8 << "Trigo > 100" << true << "Perez";
        QTest::newRow("blank condition ignored") << "DJ_Q42"
                                                 << "03/2024"
                                                 << "Responsable"
                                                 << "Periodo" << 8 << "  " << true << "Perez";
        QTest::newRow("date") << "TA_CLIENTES"
                              << "01/03/2024"
                              << "Nombre"
                              << "Alta" << 7 << "" << true << "O'Brien";
        QTest::newRow("decimal number") << "TA_CLIENTES"
                                        << "2.5"
                                        << "Nombre"
                                        << "Saldo" << 5 << "" << true << "O'Brien";
        QTest::newRow("apostrophe trimmed") << "TA_CLIENTES"
                                            << " O'Brien "
                                            << "Codigo"
                                            << "Nombre" << 8 << "" << true << "12";
        QTest::newRow("apostrophe untrimmed") << "TA_CLIENTES"
                                              << "O'Brien"
                                              << "Codigo"
                                              << "Nombre" << 8 << "" << false << "12";
        QTest::newRow("injection finds nothing") << "TA_CLIENTES"
                                                 << "x' OR '1'='1"
                                                 << "Codigo"
                                                 << "Nombre" << 8 << "" << false << "";
    }
    void datosTabla() {
        QFETCH(QString, tabla);
        QFETCH(QString, valor);
        QFETCH(QString, devuelto);
        QFETCH(QString, campo);
        QFETCH(int, tipo);
        const auto tipoDato = ado::DataTypeEnum(tipo);
        QFETCH(QString, condicion);
        QFETCH(bool, usaTrim);
        QFETCH(QString, esperado);
        ScriptedMessages mensajes;
        const auto r = db->DatosTabla(tabla, valor, devuelto, campo, tipoDato, condicion, usaTrim);
        QVERIFY(r.has_value());
        QCOMPARE(*r, esperado);
        QCOMPARE(mensajes.count(), 0);
    }

    // Abort, ignore and retry of the look-ups' own dialog.
    void lookupFailures_data() {
        QTest::addColumn<QList<int>>("respuestas");
        QTest::addColumn<bool>("repara");
        QTest::addColumn<int>("dialogos");
        QTest::addColumn<bool>("existe");
        QTest::newRow("abort") << QList<int>{3} << false << 1 << false;
        QTest::newRow("retry after the table appears") << QList<int>{4} << true << 1 << true;
        QTest::newRow("ignore every step") << QList<int>{5, 5, 5} << false << 3 << false;
    }
    void lookupFailures() {
        QFETCH(QList<int>, respuestas);
        QFETCH(bool, repara);
        QFETCH(int, dialogos);
        QFETCH(bool, existe);
        Mensajes mensajes;
        for (int r : respuestas)
            mensajes.answer(r);
        if (repara)
            mensajes.alMostrar = [this] {
                ejecuta("CREATE TABLE TA_NUEVA (Codigo NVARCHAR(10))");
                ejecuta("INSERT INTO TA_NUEVA VALUES ('A1')");
            };
        QCOMPARE(db->ExisteEnTabla(QStringLiteral("TA_NUEVA"), QStringLiteral("A1")), existe);
        QCOMPARE(mensajes.count(), dialogos);
        QCOMPARE(mensajes.unexpected(), 0);
        for (const auto& m : mensajes.shown()) {
            QCOMPARE(m.title, QString("Aviso al Operador"));
            QCOMPARE(m.style, q42::vbAbortRetryIgnore + q42::vbCritical);
        }
    }

    // The open goes through the record-set dialog, the read through the
    // look-up's own; abandoned before the read, there is no value.
    void datosTablaFailures() {
        ScriptedMessages mensajes;
        mensajes.answer(q42::vbAbort);
        mensajes.answer(q42::vbAbort);
        QCOMPARE(db->DatosTabla(QStringLiteral("NO_EXISTE"), QStringLiteral("1"),
                                QStringLiteral("Nombre")),
                 std::nullopt);
        QCOMPARE(mensajes.count(), 2);
        QVERIFY(mensajes.shown()[0].prompt.contains(QStringLiteral("AbrirRecordset")));
        QCOMPARE(mensajes.shown()[1].title, QString("Aviso al Operador"));

        mensajes.clear();
        mensajes.answer(q42::vbAbort);
        QCOMPARE(db->DatosTabla(QStringLiteral("TA_CLIENTES"), QStringLiteral("31/02/2024"),
                                QStringLiteral("Nombre"), QStringLiteral("Alta"), ado::adDate),
                 std::nullopt);
        QCOMPARE(mensajes.count(), 1);
        QCOMPARE(mensajes.last().title, QString("Aviso al Operador"));
    }

    void abrirRecordsetFailures_data() {
        QTest::addColumn<int>("respuesta");
        QTest::addColumn<bool>("repara");
        QTest::addColumn<bool>("abierto");
        QTest::newRow("retry after the table appears") << 4 << true << true;
        QTest::newRow("ignore") << 5 << false << false;
        QTest::newRow("abort") << 3 << false << false;
    }
    void abrirRecordsetFailures() {
        QFETCH(int, respuesta);
        QFETCH(bool, repara);
        QFETCH(bool, abierto);
        Mensajes mensajes;
        mensajes.answer(respuesta);
        if (repara)
            mensajes.alMostrar = [this] { ejecuta("CREATE TABLE TA_NUEVA (Codigo INTEGER)"); };
        QString sql = QStringLiteral("SELECT * FROM TA_NUEVA");
        ado::Recordset rs;
        db->AbrirRecordset(sql, rs);
        QCOMPARE(rs.State() == ado::adStateOpen, abierto);
        QCOMPARE(mensajes.count(), 1);
        QVERIFY(mensajes.last().prompt.contains(QStringLiteral("AbrirRecordset")));
        QCOMPARE(mensajes.last().buttons(), int(q42::vbAbortRetryIgnore));
    }

    void abrirRecordsetSubstitutesTheCallersStatement() {
        db->gEsAdmin = false;
        QString sql = QStringLiteral("SELECT * FROM MA_CUENTAS WHERE Codigo <> ''");
        ado::Recordset rs;
        rs.Open(QStringLiteral("SELECT * FROM TA_VACIA"), db->gCnn);
        db->AbrirRecordset(sql, rs); // closes the caller's open record set first
        QCOMPARE(sql, QString("SELECT * FROM SS_MA_CUENTAS WHERE Codigo <> ''"));
        QCOMPARE(rs.value(QStringLiteral("Codigo")).toString(), QString("2"));
    }

    void abrirRecordsetOnAnotherConnection() {
        auto otra = std::make_shared<ado::Connection>();
        const QString ruta = env.ruta(QStringLiteral("otra.db"));
        QFile(ruta).open(QIODevice::WriteOnly);
        otra->Open(cadena(ruta));
        otra->Execute(QStringLiteral("CREATE TABLE TA_VACIA (Codigo INTEGER)"));
        otra->Execute(QStringLiteral("INSERT INTO TA_VACIA VALUES (42)"));
        QString sql = QStringLiteral("SELECT Codigo FROM TA_VACIA");
        ado::Recordset rs;
        db->AbrirRecordset(sql, rs, otra);
        QCOMPARE(rs.Fields(0).Value().toInt(), 42);
        db->CierraRecordset(rs);
        QCOMPARE(rs.State(), int(ado::adStateClosed));
        db->CierraRecordset(rs); // a closed record set is left alone
    }

    void ejecutaConsultaMarkers_data() {
        QTest::addColumn<QString>("sentencia");
        QTest::addColumn<QString>("ejecutada");
        QTest::addColumn<QString>("consulta");
        QTest::addColumn<QString>("resultado");
        QTest::newRow("marker removed")
            << "INSERT INTO @Admin_MA_CUENTAS (Codigo, Nombre) VALUES ('9', 'Banco')"
            << "INSERT INTO MA_CUENTAS (Codigo, Nombre) VALUES ('9', 'Banco')"
            << "SELECT Nombre FROM MA_CUENTAS WHERE Codigo = '9'"
            << "Banco";
        QTest::newRow("marker in any letter case")
            << "insert into @ADMIN_MA_CUENTAS (Codigo) values ('8')"
            << "insert into MA_CUENTAS (Codigo) values ('8')"
            << "SELECT COUNT(*) FROM MA_CUENTAS"
            << "2";
        QTest::newRow("drop and create substituted")
            << "CREATE VIEW V_DROPS AS SELECT Codigo FROM MA_CUENTAS "
            << "CREATE VIEW V_DROPS AS SELECT Codigo FROM SS_MA_CUENTAS "
            << "SELECT Codigo FROM V_DROPS"
            << "2";
        QTest::newRow("delete keeps the object")
            << "CREATE VIEW V_DROP_DELETE AS SELECT Codigo FROM MA_CUENTAS "
            << "CREATE VIEW V_DROP_DELETE AS SELECT Codigo FROM MA_CUENTAS "
            << "SELECT Codigo FROM V_DROP_DELETE"
            << "1";
    }
    void ejecutaConsultaMarkers() {
        QFETCH(QString, sentencia);
        QFETCH(QString, ejecutada);
        QFETCH(QString, consulta);
        QFETCH(QString, resultado);
        ScriptedMessages mensajes;
        db->gEsAdmin = false;
        long afectadas = -5;
        db->EjecutaConsultaSQL(sentencia, &afectadas);
        QCOMPARE(sentencia, ejecutada);
        QCOMPARE(primerValor(*db, consulta), resultado);
        if (ejecutada.startsWith(QStringLiteral("insert"), Qt::CaseInsensitive))
            QCOMPARE(afectadas, 1L);
        QCOMPARE(mensajes.count(), 0);
    }

    void ejecutaConsultaFailures_data() {
        QTest::addColumn<QString>("sentencia");
        QTest::addColumn<bool>("cerrada");
        QTest::addColumn<int>("dialogos");
        QTest::newRow("syntax error") << "SELEC * FROM DJ_Q42" << false << 0;
        QTest::newRow("missing table") << "DELETE FROM NO_EXISTE" << false << 0;
        QTest::newRow("duplicate key")
            << "INSERT INTO TA_CLIENTES (Codigo, Nombre) VALUES (12, 'x')" << false << 0;
        QTest::newRow("closed connection") << "DELETE FROM DJ_Q42" << true << 1;
        QTest::newRow("transaction statement") << "BEGIN TRANSACTION" << true << 0;
    }
    void ejecutaConsultaFailures() {
        QFETCH(QString, sentencia);
        QFETCH(bool, cerrada);
        QFETCH(int, dialogos);
        ScriptedMessages mensajes;
        mensajes.answer(q42::vbOK);
        if (cerrada)
            db->gCnn->Close();
        db->EjecutaConsultaSQL(sentencia); // the caller is never told
        QCOMPARE(mensajes.count(), dialogos);
        if (dialogos) {
            QCOMPARE(mensajes.last().title, QString("Aviso al operador!!!"));
            QCOMPARE(mensajes.last().style, q42::vbOKOnly + q42::vbCritical);
        }
    }

    void buscaMaximoYMinimo_data() {
        QTest::addColumn<int>("cual"); // 0 max, 1 min, 2 last code
        QTest::addColumn<QString>("tabla");
        QTest::addColumn<QString>("campo");
        QTest::addColumn<QString>("condicion");
        QTest::addColumn<double>("esperado");
        QTest::newRow("empty table gives 0") << 0 << "TA_VACIA"
                                             << "Codigo"
                                             << "" << 0.0;
        QTest::newRow("maximum") << 0 << "TA_CLIENTES"
                                 << "Saldo"
                                 << "" << 100.0;
        QTest::newRow("decimals kept") << 1 << "TA_CLIENTES"
                                       << "Saldo"
                                       << "" << 2.5;
        QTest::newRow("condition trimmed") << 0 << "TA_CLIENTES"
                                           << "Saldo"
                                           << " Codigo = 12 " << 2.5;
        QTest::newRow("last code without condition") << 2 << "TA_CLIENTES"
                                                     << "Codigo"
                                                     << "" << 12.0;
        QTest::newRow("last code with condition") << 2 << "TA_CLIENTES"
                                                  << "Codigo"
                                                  << "Codigo < 10" << 7.0;
    }
    void buscaMaximoYMinimo() {
        QFETCH(int, cual);
        QFETCH(QString, tabla);
        QFETCH(QString, campo);
        QFETCH(QString, condicion);
        QFETCH(double, esperado);
        const std::optional<QString> cond =
            condicion.isEmpty() ? std::nullopt : std::optional<QString>(condicion);
        const auto r = cual == 0   ? db->BuscaMaximo(tabla, campo, std::nullopt, cond)
                       : cual == 1 ? db->BuscaMinimo(tabla, campo, std::nullopt, cond)
                                   : db->BuscaUltimoCodigo(tabla, campo, ado::adBSTR, condicion);
        QVERIFY(r.has_value());
        QCOMPARE(*r, esperado);
    }

    // These have no handler: the failure reaches the caller, no dialog.
    void buscaMaximoFailuresReachTheCaller() {
        ScriptedMessages mensajes;
        QVERIFY_THROWS_EXCEPTION(
            q42::Error, db->BuscaMaximo(QStringLiteral("NO_EXISTE"), QStringLiteral("Codigo")));
        // A given but empty condition still writes " WHERE ".
        QVERIFY_THROWS_EXCEPTION(q42::Error, db->BuscaMinimo(QStringLiteral("TA_VACIA"),
                                                             QStringLiteral("Codigo"), std::nullopt,
                                                             QString()));
        QCOMPARE(mensajes.count(), 0);
    }
};

QTEST_GUILESS_MAIN(TstConsultas)
#include "tst_consultas.moc"
