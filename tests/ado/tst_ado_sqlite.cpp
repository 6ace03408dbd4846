// The ADO layer on the embedded engine: real database files in a temporary
// folder.

#include "EntornoPrueba.h"
#include "ado/Ado.h"
#include "ado/CatalogueCache.h"
#include "core/Error.h"

#include <QElapsedTimer>
#include <QFile>
#include <QtTest>

using namespace ado;

namespace {

constexpr qint32 kMultipleStep = qint32(0x80040E21);
constexpr qint32 kCantFetchBackwards = qint32(0x80040E24);

} // namespace

class TstAdoSqlite : public QObject {
    Q_OBJECT
    EntornoPrueba env;
    QString file;

    std::shared_ptr<Connection> connect(int location = adUseClient) {
        auto c = std::make_shared<Connection>();
        c->setCursorLocation(location);
        c->Open(QStringLiteral("Provider=SQLite;Data Source=%1;").arg(file));
        return c;
    }

    void exec(Connection& c, const QString& sql) { c.Execute(sql); }

private Q_SLOTS:
    void init() {
        file = env.ruta(QStringLiteral("q42_%1.db").arg(QTest::currentTestFunction()));
        QFile::remove(file);
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly)); // an empty file is an empty database
        f.close();
        auto c = connect();
        exec(*c, QStringLiteral("CREATE TABLE DJ (Periodo nvarchar(7) NOT NULL PRIMARY KEY, "
                                "Cantidad real, Obs nvarchar(5), Fecha datetime, Activo bit, "
                                "Nro int NOT NULL DEFAULT 7)"));
        exec(*c, QStringLiteral("INSERT INTO DJ (Periodo, Cantidad, Obs, Fecha, Activo) VALUES "
                                "('01/2024', 10.5, 'a', '2024-01-31 10:20:30', 1), "
                                "('02/2024', 20, NULL, '2024-02-29', 0), "
                                "('03/2024', NULL, 'c', NULL, NULL)"));
    }

    void missingFileFailsAndIsNotCreated() {
        const QString missing = env.ruta(QStringLiteral("no_such.db"));
        Connection c;
        const qint32 n = errorOf(
            [&] { c.Open(QStringLiteral("Provider=SQLite;Data Source=%1;").arg(missing)); });
        QCOMPARE(n, q42::err::E_Fail);
        QCOMPARE(c.State(), int(adStateClosed));
        QVERIFY(!QFile::exists(missing));
        QCOMPARE(c.errors().Count(), 1);
        QCOMPARE(c.errors().Item(0).SQLState, QStringLiteral("08001"));
        QVERIFY(c.errors().Item(0).Description.contains(missing));
    }

    void fileThatIsNoDatabaseFails() {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4096, 'x'));
        f.close();
        Connection c;
        QCOMPARE(errorOf([&] { c.Open(QStringLiteral("Provider=SQLite;Data Source=") + file); }),
                 q42::err::E_Fail);
        QCOMPARE(c.errors().Item(0).SQLState, QStringLiteral("08001"));
    }

    // The form's navigation: ANTERIOR on the first row goes to BOF and
    // SIGUIENTE comes back onto the first row; likewise at the end.
    void bofEofWalk() {
        auto c = connect();
        Recordset rs;
        rs.Open(QStringLiteral("SELECT * FROM DJ ORDER BY Periodo"), c, adOpenDynamic,
                adLockOptimistic);
        QCOMPARE(rs.RecordCount(), 3L);
        QVERIFY(!rs.BOF() && !rs.EOF_());
        QCOMPARE(rs.AbsolutePosition(), 1L);
        rs.MovePrevious();
        QVERIFY(rs.BOF() && !rs.EOF_());
        QCOMPARE(errorOf([&] { rs.Fields("Periodo").Value(); }), q42::err::NoCurrentRecord);
        QCOMPARE(errorOf([&] { rs.MovePrevious(); }), q42::err::NoCurrentRecord);
        rs.MoveNext();
        QCOMPARE(rs.value("periodo").toString(), QStringLiteral("01/2024"));
        rs.MoveLast();
        QCOMPARE(rs.AbsolutePosition(), 3L);
        rs.MoveNext();
        QVERIFY(rs.EOF_() && !rs.BOF());
        QCOMPARE(errorOf([&] { rs.MoveNext(); }), q42::err::NoCurrentRecord);
        rs.MovePrevious();
        QCOMPARE(rs.value("Periodo").toString(), QStringLiteral("03/2024"));
        rs.Move(-5);
        QVERIFY(rs.BOF());
        rs.Move(2);
        QCOMPARE(rs.value("Periodo").toString(), QStringLiteral("02/2024"));
    }

    void emptySetIsBofAndEof() {
        auto c = connect();
        Recordset rs;
        rs.Open(QStringLiteral("SELECT * FROM DJ WHERE 1 = 0"), c, adOpenStatic, adLockOptimistic);
        QVERIFY(rs.BOF() && rs.EOF_());
        QCOMPARE(rs.RecordCount(), 0L);
        QCOMPARE(rs.FieldCount(), 6);
        for (auto move : {&Recordset::MoveFirst, &Recordset::MoveLast, &Recordset::MoveNext,
                          &Recordset::MovePrevious})
            QCOMPARE(errorOf([&] { (rs.*move)(); }), q42::err::NoCurrentRecord);
    }

    void serverSideForwardOnlyOnlyMovesForward() {
        auto c = connect(adUseServer);
        Recordset rs;
        rs.Open(QStringLiteral("SELECT * FROM DJ ORDER BY Periodo"), c, adOpenForwardOnly,
                adLockReadOnly);
        QCOMPARE(rs.RecordCount(), -1L);
        rs.MoveNext();
        QCOMPARE(errorOf([&] { rs.MovePrevious(); }), kCantFetchBackwards);
        QCOMPARE(errorOf([&] { rs.MoveLast(); }), kCantFetchBackwards);
        rs.MoveFirst();
        QCOMPARE(rs.value("Periodo").toString(), QStringLiteral("01/2024"));

        // Client-side cursors are static whatever was asked.
        auto client = connect(adUseClient);
        Recordset rs2;
        rs2.Open(QStringLiteral("SELECT * FROM DJ"), client, adOpenForwardOnly, adLockReadOnly);
        QCOMPARE(rs2.CursorType(), int(adOpenStatic));
        rs2.MoveLast();
        rs2.MovePrevious();
        QCOMPARE(rs2.AbsolutePosition(), 2L);
    }

    void fieldsAndClosedRecordset() {
        auto c = connect();
        Recordset rs;
        QCOMPARE(errorOf([&] { rs.BOF(); }), q42::err::NotAllowedClosed);
        rs.Open(QStringLiteral("SELECT Periodo, Cantidad * 2 AS Doble FROM DJ ORDER BY 1"), c);
        QCOMPARE(rs.Fields(QStringLiteral("DOBLE")).Value().toDouble(), 21.0);
        QCOMPARE(rs.Fields(0).Name(), QStringLiteral("Periodo"));
        QCOMPARE(errorOf([&] { rs.Fields(QStringLiteral("Nada")); }), q42::err::ItemNotFound);
        QCOMPARE(errorOf([&] { rs.Fields(2); }), q42::err::ItemNotFound);
        QVERIFY(rs.hasField(QStringLiteral("periodo")));
        rs.Close();
        QCOMPARE(errorOf([&] { rs.MoveNext(); }), q42::err::NotAllowedClosed);
        QCOMPARE(errorOf([&] { rs.Fields(0); }), q42::err::NotAllowedClosed);
        QCOMPARE(errorOf([&] { rs.Close(); }), q42::err::NotAllowedClosed);
    }

    void columnTypes_data() {
        QTest::addColumn<QString>("declared");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("precision");
        QTest::addColumn<int>("scale");
        QTest::newRow("nvarchar") << "nvarchar(50)" << int(adVarWChar) << 50 << 0 << 0;
        QTest::newRow("varchar") << "VARCHAR (10)" << int(adVarChar) << 10 << 0 << 0;
        QTest::newRow("nchar") << "nchar(3)" << int(adWChar) << 3 << 0 << 0;
        QTest::newRow("char") << "char(1)" << int(adChar) << 1 << 0 << 0;
        QTest::newRow("text") << "text" << int(adLongVarChar) << 2147483647 << 0 << 0;
        QTest::newRow("ntext") << "ntext" << int(adLongVarWChar) << 1073741823 << 0 << 0;
        QTest::newRow("nvarchar max")
            << "nvarchar(max)" << int(adLongVarWChar) << 2147483647 << 0 << 0;
        QTest::newRow("int") << "int" << int(adInteger) << 4 << 0 << 0;
        QTest::newRow("integer") << "INTEGER" << int(adInteger) << 4 << 0 << 0;
        QTest::newRow("smallint") << "smallint" << int(adSmallInt) << 2 << 0 << 0;
        QTest::newRow("tinyint") << "tinyint" << int(adUnsignedTinyInt) << 1 << 0 << 0;
        QTest::newRow("bigint") << "bigint" << int(adBigInt) << 8 << 0 << 0;
        QTest::newRow("bit") << "bit" << int(adBoolean) << 2 << 0 << 0;
        QTest::newRow("real") << "real" << int(adDouble) << 8 << 0 << 0;
        QTest::newRow("float") << "float" << int(adDouble) << 8 << 0 << 0;
        QTest::newRow("double precision") << "double precision" << int(adDouble) << 8 << 0 << 0;
        QTest::newRow("decimal") << "decimal(18, 4)" << int(adNumeric) << 19 << 18 << 4;
        QTest::newRow("numeric") << "numeric(5)" << int(adNumeric) << 19 << 5 << 0;
        QTest::newRow("decimal spaced") << "DECIMAL ( 10 , 2 )" << int(adNumeric) << 19 << 10 << 2;
        QTest::newRow("money") << "money" << int(adCurrency) << 8 << 0 << 0;
        QTest::newRow("datetime") << "datetime" << int(adDBTimeStamp) << 16 << 0 << 0;
        QTest::newRow("date") << "date" << int(adDBDate) << 6 << 0 << 0;
        QTest::newRow("unknown with int") << "mediumint" << int(adInteger) << 4 << 0 << 0;
    }
    void columnTypes() {
        QFETCH(QString, declared);
        QFETCH(int, type);
        QFETCH(int, size);
        QFETCH(int, precision);
        QFETCH(int, scale);
        auto c = connect();
        exec(*c, QStringLiteral("CREATE TABLE T (x %1)").arg(declared));
        Recordset rs;
        rs.Open(QStringLiteral("SELECT x FROM T"), c);
        QCOMPARE(rs.Fields(0).Type(), type);
        QCOMPARE(rs.Fields(0).DefinedSize(), size);
        QCOMPARE(rs.Fields(0).Precision(), precision);
        QCOMPARE(rs.Fields(0).NumericScale(), scale);
    }

    void valuesAsRead() {
        auto c = connect();
        Recordset rs;
        rs.Open(QStringLiteral("SELECT *, COUNT(*) OVER () AS n, 'abc' AS t FROM DJ "
                               "ORDER BY Periodo"),
                c);
        QCOMPARE(rs.value("Fecha").toDateTime(), QDateTime(QDate(2024, 1, 31), QTime(10, 20, 30)));
        QCOMPARE(rs.value("Activo").typeId(), int(QMetaType::Bool));
        QCOMPARE(rs.value("Activo").toBool(), true);
        QCOMPARE(rs.Fields("n").Type(), int(adInteger));
        QCOMPARE(rs.Fields("t").Type(), int(adVarWChar));
        rs.MoveNext();
        QCOMPARE(rs.value("Fecha").toDateTime(), QDateTime(QDate(2024, 2, 29), QTime(0, 0)));
        QVERIFY(rs.Fields("Obs").isNull());
        rs.MoveNext();
        QVERIFY(!rs.value("Cantidad").isValid());
    }

    // Two users on one file: the second update of the same row finds it
    // changed and must not overwrite the first.
    void optimisticUpdateDetectsAChangedRow() {
        auto a = connect();
        auto b = connect();
        Recordset ra;
        Recordset rb;
        const QString sql = QStringLiteral("SELECT * FROM DJ WHERE Periodo = '03/2024'");
        ra.Open(sql, a, adOpenDynamic, adLockOptimistic);
        rb.Open(sql, b, adOpenDynamic, adLockOptimistic);
        ra.Fields("Cantidad").setValue(QStringLiteral("11.25"));
        QCOMPARE(ra.EditMode(), int(adEditInProgress));
        ra.Update();
        QCOMPARE(ra.EditMode(), int(adEditNone));
        QCOMPARE(ra.value("Cantidad").toDouble(), 11.25);
        rb.Fields("Cantidad").setValue(99);
        QCOMPARE(errorOf([&] { rb.Update(); }), q42::err::RowNotFoundForUpdate);
        QVERIFY(b->errors().Count() > 0);
        rb.CancelUpdate();
        QCOMPARE(rb.value("Cantidad").isValid(), false);

        auto check =
            a->Execute(QStringLiteral("SELECT Cantidad FROM DJ WHERE Periodo = '03/2024'"));
        QCOMPARE(check->value("Cantidad").toDouble(), 11.25);

        // The first user's record set knows the new values and can go on.
        ra.Fields("Obs").setValue(QStringLiteral("ok"));
        ra.Update();
        QCOMPARE(errorOf([&] { rb.Delete(); }), q42::err::RowNotFoundForUpdate);
        ra.Delete();
        auto gone = a->Execute(QStringLiteral("SELECT * FROM DJ WHERE Periodo = '03/2024'"));
        QVERIFY(gone->EOF_());
    }

    void addNewReadsDefaultsBack() {
        auto c = connect();
        Recordset rs;
        rs.Open(QStringLiteral("SELECT * FROM dbo.DJ"), c, adOpenDynamic, adLockOptimistic);
        rs.AddNew();
        QCOMPARE(rs.EditMode(), int(adEditAdd));
        QVERIFY(!rs.EOF_());
        rs.Fields("Periodo").setValue(QStringLiteral("04/2024"));
        rs.Fields("Fecha").setValue(QDateTime(QDate(2024, 4, 30), QTime(8, 0)));
        rs.Fields("Activo").setValue(true);
        rs.Update();
        QCOMPARE(rs.RecordCount(), 4L);
        QCOMPARE(rs.AbsolutePosition(), 4L);
        QCOMPARE(rs.value("Nro").toInt(), 7); // the table's default
        // Dates are kept as text the way SQLite users read them.
        auto raw = c->Execute(QStringLiteral(
            "SELECT Fecha || '' AS f, typeof(Activo) AS t FROM DJ WHERE Periodo = '04/2024'"));
        QCOMPARE(raw->Fields("f").Value(), QVariant(QStringLiteral("2024-04-30 08:00:00")));
        QCOMPARE(raw->value("t").toString(), QStringLiteral("integer"));
        // The new row is written again with the values read back.
        rs.Fields("Nro").setValue(8);
        rs.Update();
        rs.MoveFirst();
        rs.MoveLast();
        QCOMPARE(rs.value("Nro").toInt(), 8);
    }

    void cancelUpdateAfterAddNewReturnsToTheRow() {
        auto c = connect();
        Recordset rs;
        rs.Open(QStringLiteral("SELECT * FROM DJ ORDER BY Periodo"), c, adOpenDynamic,
                adLockOptimistic);
        rs.MoveNext();
        rs.AddNew();
        rs.Fields("Periodo").setValue(QStringLiteral("09/2024"));
        rs.CancelUpdate();
        QCOMPARE(rs.value("Periodo").toString(), QStringLiteral("02/2024"));
        QCOMPARE(rs.RecordCount(), 3L);
        long n = 0;
        c->Execute(QStringLiteral("DELETE FROM DJ WHERE Periodo = '09/2024'"), &n);
        QCOMPARE(n, 0L);
    }

    void deletedRowStaysCurrentUntilMoved() {
        auto c = connect();
        Recordset rs;
        rs.Open(QStringLiteral("SELECT * FROM DJ ORDER BY Periodo"), c, adOpenStatic,
                adLockOptimistic);
        rs.MoveNext();
        rs.Delete();
        QVERIFY(!rs.BOF() && !rs.EOF_());
        QCOMPARE(errorOf([&] { rs.value("Periodo"); }), q42::err::NoCurrentRecord);
        rs.MoveNext();
        QCOMPARE(rs.value("Periodo").toString(), QStringLiteral("03/2024"));
        rs.MovePrevious();
        QCOMPARE(rs.value("Periodo").toString(), QStringLiteral("01/2024"));
        QCOMPARE(rs.RecordCount(), 2L);
    }

    void assignmentConverts_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<qint32>("error");
        QTest::addColumn<QVariant>("stored");
        QTest::newRow("number with point") << "Cantidad" << QVariant("12.5") << 0 << QVariant(12.5);
        QTest::newRow("letters into number")
            << "Cantidad" << QVariant("12a") << q42::err::WrongType << QVariant();
        QTest::newRow("decimal comma is no SQL number")
            << "Cantidad" << QVariant("12,5") << q42::err::WrongType << QVariant();
        QTest::newRow("blank into number")
            << "Nro" << QVariant(" ") << q42::err::WrongType << QVariant();
        QTest::newRow("whole number rounds half to even")
            << "Nro" << QVariant("2.5") << 0 << QVariant(qlonglong(2));
        QTest::newRow("text fits") << "Obs" << QVariant("abcde") << 0 << QVariant("abcde");
        QTest::newRow("text too long")
            << "Obs" << QVariant("abcdef") << kMultipleStep << QVariant();
        QTest::newRow("null") << "Obs" << QVariant() << 0 << QVariant();
        QTest::newRow("iso date") << "Fecha" << QVariant("2024-03-01") << 0
                                  << QVariant(QDateTime(QDate(2024, 3, 1), QTime(0, 0)));
        QTest::newRow("regional date, day first")
            << "Fecha" << QVariant("05/06/2006") << 0
            << QVariant(QDateTime(QDate(2006, 6, 5), QTime(0, 0)));
        QTest::newRow("no date") << "Fecha" << QVariant("31/02/2024") << q42::err::WrongType
                                 << QVariant();
        QTest::newRow("boolean from text") << "Activo" << QVariant("False") << 0 << QVariant(false);
        QTest::newRow("boolean from word")
            << "Activo" << QVariant("quizas") << q42::err::WrongType << QVariant();
    }
    void assignmentConverts() {
        QFETCH(QString, field);
        QFETCH(QVariant, value);
        QFETCH(qint32, error);
        QFETCH(QVariant, stored);
        auto c = connect();
        Recordset rs;
        rs.Open(QStringLiteral("SELECT * FROM DJ WHERE Periodo = '01/2024'"), c, adOpenDynamic,
                adLockOptimistic);
        const QVariant before = rs.Fields(field).Value();
        QCOMPARE(errorOf([&] { rs.Fields(field).setValue(value); }), error);
        if (error != 0) {
            QCOMPARE(rs.Fields(field).Value(), before);
            return;
        }
        rs.Update();
        Recordset again;
        again.Open(QStringLiteral("SELECT * FROM DJ WHERE Periodo = '01/2024'"), c);
        QCOMPARE(again.Fields(field).Value(), stored);
    }

    void readOnlyRecordsetRefusesWrites() {
        auto c = connect();
        Recordset rs;
        rs.Open(QStringLiteral("SELECT * FROM DJ"), c, adOpenStatic, adLockReadOnly);
        QCOMPARE(errorOf([&] { rs.Fields("Obs").setValue(QStringLiteral("x")); }),
                 q42::err::UpdateNotSupported);
        QCOMPARE(errorOf([&] { rs.AddNew(); }), q42::err::UpdateNotSupported);
        QCOMPARE(errorOf([&] { rs.Delete(); }), q42::err::UpdateNotSupported);
        // A join names no single table to write to.
        Recordset join;
        join.Open(QStringLiteral("SELECT a.* FROM DJ a JOIN DJ b ON a.Periodo = b.Periodo"), c,
                  adOpenStatic, adLockOptimistic);
        QCOMPARE(errorOf([&] { join.Fields("Obs").setValue(QStringLiteral("x")); }),
                 q42::err::UpdateNotSupported);
    }

    void constraintErrorsCarrySqlServerNumbers_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<qint32>("native");
        QTest::newRow("duplicate key")
            << "INSERT INTO DJ (Periodo) VALUES ('01/2024')" << qint32(2627);
        QTest::newRow("null not allowed")
            << "INSERT INTO DJ (Periodo, Nro) VALUES ('09/2024', NULL)" << qint32(515);
    }
    void constraintErrorsCarrySqlServerNumbers() {
        QFETCH(QString, sql);
        QFETCH(qint32, native);
        auto c = connect();
        QCOMPARE(errorOf([&] { c->Execute(sql); }), q42::err::IntegrityViolation);
        QCOMPARE(c->errors().Count(), 1);
        QCOMPARE(c->errors().Item(0).NativeError, native);
        QCOMPARE(c->errors().Item(0).SQLState, QStringLiteral("23000"));
        // The next statement starts with an empty collection.
        c->Execute(QStringLiteral("SELECT 1"));
        QCOMPARE(c->errors().Count(), 0);
    }

    void duplicateKeyThroughAddNew() {
        auto c = connect();
        Recordset rs;
        rs.Open(QStringLiteral("SELECT * FROM DJ"), c, adOpenDynamic, adLockOptimistic);
        rs.AddNew();
        rs.Fields("Periodo").setValue(QStringLiteral("02/2024"));
        QCOMPARE(errorOf([&] { rs.Update(); }), q42::err::IntegrityViolation);
        QCOMPARE(c->errors().Item(0).NativeError, 2627);
        rs.CancelUpdate();
        QCOMPARE(rs.RecordCount(), 3L);
    }

    void statementErrors_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<qint32>("number");
        QTest::newRow("syntax") << "SELEC * FROM DJ" << q42::err::ErrorsInCommand;
        QTest::newRow("missing table") << "SELECT * FROM Nada" << q42::err::NoTable;
    }
    void statementErrors() {
        QFETCH(QString, sql);
        QFETCH(qint32, number);
        auto c = connect();
        Recordset rs;
        QCOMPARE(errorOf([&] { rs.Open(sql, c); }), number);
        QCOMPARE(rs.State(), int(adStateClosed));
        QCOMPARE(c->errors().Item(0).Number, number);
    }

    void executeCounts_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<long>("affected");
        QTest::addColumn<bool>("rows");
        QTest::newRow("update all") << "UPDATE DJ SET Obs = 'x'" << 3L << false;
        QTest::newRow("update none") << "UPDATE DJ SET Obs = 'x' WHERE 1 = 0" << 0L << false;
        QTest::newRow("delete one") << "DELETE FROM DJ WHERE Periodo = '01/2024'" << 1L << false;
        QTest::newRow("query") << "SELECT * FROM DJ" << -1L << true;
        QTest::newRow("two statements") << "INSERT INTO DJ (Periodo) VALUES ('05/2024'); "
                                           "UPDATE DJ SET Obs = 'y' WHERE Periodo = '05/2024'"
                                        << 2L << false;
        QTest::newRow("T-SQL adapted")
            << "UPDATE dbo.[DJ] SET Obs = N'it''s' WHERE ISNULL(Obs, '') = ''" << 1L << false;
    }
    void executeCounts() {
        QFETCH(QString, sql);
        QFETCH(long, affected);
        QFETCH(bool, rows);
        auto c = connect();
        long n = -99;
        auto rs = c->Execute(sql, &n);
        QCOMPARE(n, affected);
        QCOMPARE(rs->State(), rows ? int(adStateOpen) : int(adStateClosed));
    }

    void transactions() {
        auto c = connect();
        QCOMPARE(c->BeginTrans(), 1);
        c->Execute(QStringLiteral("INSERT INTO DJ (Periodo) VALUES ('06/2024')"));
        QCOMPARE(c->BeginTrans(), 2);
        c->Execute(QStringLiteral("INSERT INTO DJ (Periodo) VALUES ('07/2024')"));
        c->RollbackTrans();
        QCOMPARE(c->transactionLevel(), 1);
        c->CommitTrans();
        QCOMPARE(c->transactionLevel(), 0);
        auto rs = c->Execute(QStringLiteral("SELECT Periodo FROM DJ WHERE Periodo > '05'"));
        QCOMPARE(rs->RecordCount(), 1L);
        QCOMPARE(rs->value("Periodo").toString(), QStringLiteral("06/2024"));

        c->BeginTrans();
        c->Execute(QStringLiteral("DELETE FROM DJ"));
        c->RollbackTrans();
        QCOMPARE(c->Execute(QStringLiteral("SELECT * FROM DJ"))->RecordCount(), 4L);
        QVERIFY(errorOf([&] { c->CommitTrans(); }) != 0);
    }

    // What is kept of the catalogue goes at a whole word that changes a
    // schema, wherever it stands in the statement; a word that only holds
    // one keeps it.
    void catalogueForgetsAtSchemaWords_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<bool>("forgets");
        QTest::newRow("alter") << "alter table DJ add x int" << true;
        QTest::newRow("after a semicolon") << "SELECT 1;DROP TABLE DJ" << true;
        QTest::newRow("last word") << "-- then\nCREATE" << true;
        QTest::newRow("procedure") << "EXEC sp_rename 'a', 'b'" << true;
        QTest::newRow("column named created_at") << "SELECT created_at FROM DJ" << false;
        QTest::newRow("table named DROPPED") << "SELECT * FROM DROPPED" << false;
        QTest::newRow("prefix") << "SELECT xALTER FROM DJ" << false;
    }
    void catalogueForgetsAtSchemaWords() {
        QFETCH(QString, sql);
        QFETCH(bool, forgets);
        ado::detail::CatalogueCache cache;
        cache.keep(adSchemaTables, {}, QString(), ado::detail::Result{});
        cache.seeStatement(sql);
        QCOMPARE(!cache.find(adSchemaTables, {}, QString()).has_value(), forgets);
    }

    void schemaTablesAndColumns() {
        auto c = connect();
        c->Execute(QStringLiteral("CREATE VIEW V_DJ AS SELECT Periodo FROM DJ"));
        auto tables = c->OpenSchema(adSchemaTables);
        QStringList names;
        for (; !tables->EOF_(); tables->MoveNext())
            names << tables->value("TABLE_NAME").toString() + QLatin1Char(':') +
                         tables->value("TABLE_TYPE").toString();
        QCOMPARE(names, QStringList({"DJ:TABLE", "V_DJ:VIEW"}));
        auto one = c->OpenSchema(adSchemaTables, {QVariant(), QVariant(), QStringLiteral("dj")});
        QCOMPARE(one->RecordCount(), 1L);

        auto cols = c->OpenSchema(adSchemaColumns,
                                  {QStringLiteral("any catalogue"), QString(), "DJ", QString()});
        QCOMPARE(cols->RecordCount(), 6L);
        QCOMPARE(cols->value("COLUMN_NAME").toString(), QStringLiteral("Periodo"));
        QCOMPARE(cols->value("DATA_TYPE").toInt(), int(adVarWChar));
        QCOMPARE(cols->value("CHARACTER_MAXIMUM_LENGTH").toInt(), 7);
        QCOMPARE(cols->value("IS_NULLABLE").toBool(), false);
        cols->MoveNext();
        QCOMPARE(cols->value("ORDINAL_POSITION").toInt(), 2);
        QVERIFY(!cols->value("CHARACTER_MAXIMUM_LENGTH").isValid());
        auto none = c->OpenSchema(adSchemaColumns, {QVariant(), QVariant(), "Nada"});
        QVERIFY(none->BOF() && none->EOF_());
        // One table asked in another letter case, a view; then all of them.
        auto vista = c->OpenSchema(adSchemaColumns, {QVariant(), QVariant(), "v_dj"});
        QCOMPARE(vista->RecordCount(), 1L);
        QCOMPARE(vista->value("TABLE_NAME").toString(), QStringLiteral("V_DJ"));
        QCOMPARE(c->OpenSchema(adSchemaColumns)->RecordCount(), 7L);
    }

    // The statement the schema check runs to add a column.
    void alterTableFromTsql() {
        auto c = connect();
        c->Execute(QStringLiteral("ALTER TABLE dbo.DJ ADD Cosecha nvarchar(50) Null "));
        c->Execute(QStringLiteral(
            "ALTER TABLE dbo.DJ ADD C int Not Null  CONSTRAINT DF_DJ_C DEFAULT (0)"));
        auto rs = c->Execute(QStringLiteral("SELECT TOP 1  * FROM DJ WHERE LTRIM(RTRIM(Periodo)) "
                                            "='02/2024'"));
        QVERIFY(rs->value("Cosecha").isNull());
        QCOMPARE(rs->value("C").toInt(), 0);
        QCOMPARE(rs->Fields("Cosecha").DefinedSize(), 50);
    }

    void settingsOfTheConnection() {
        auto c = connect();
        // As in ADO the level waits for the next BeginTrans: plain reads
        // keep the engine's own level, and it comes back after the commit.
        const auto sucias = [&] {
            return c->Execute(QStringLiteral("PRAGMA read_uncommitted"))->Fields(0).Value().toInt();
        };
        c->setIsolationLevel(adXactReadUncommitted);
        QCOMPARE(c->IsolationLevel(), int(adXactReadUncommitted));
        QCOMPARE(sucias(), 0);
        c->BeginTrans();
        QCOMPARE(sucias(), 1);
        c->CommitTrans();
        QCOMPARE(sucias(), 0);
        c->setIsolationLevel(adXactReadCommitted);
        c->BeginTrans();
        QCOMPARE(sucias(), 0);
        c->RollbackTrans();
        // One database per file: the name is only kept.
        c->setDefaultDatabase(QStringLiteral("Molino"));
        QCOMPARE(c->DefaultDatabase(), QStringLiteral("Molino"));
        QCOMPARE(c->engine(), Engine::SQLite);
        QCOMPARE(c->Provider(), QStringLiteral("SQLite"));
        QCOMPARE(errorOf([&] { c->Open(QStringLiteral("Provider=SQLite;Data Source=") + file); }),
                 q42::err::NotAllowedOpen);
        c->Close();
        QCOMPARE(c->State(), int(adStateClosed));
        QCOMPARE(errorOf([&] { c->Execute(QStringLiteral("SELECT 1")); }),
                 q42::err::NotAllowedClosed);
        // Reopens with the string it was given.
        c->Open();
        QCOMPARE(c->State(), int(adStateOpen));
    }

    void closingAConnectionRollsBackItsTransaction() {
        {
            auto c = connect();
            c->BeginTrans();
            c->Execute(QStringLiteral("DELETE FROM DJ"));
        }
        auto c = connect();
        QCOMPARE(c->Execute(QStringLiteral("SELECT * FROM DJ"))->RecordCount(), 3L);
    }

    void commandTimeoutInterruptsALongQuery() {
        auto c = connect();
        c->setCommandTimeout(1);
        QElapsedTimer t;
        t.start();
        const qint32 n = errorOf([&] {
            c->Execute(QStringLiteral("WITH RECURSIVE r(i) AS (SELECT 1 UNION ALL SELECT i + 1 "
                                      "FROM r) SELECT count(*) FROM r"));
        });
        QCOMPARE(n, q42::err::Timeout);
        QVERIFY(t.elapsed() < 10000);
    }
};

QTEST_GUILESS_MAIN(TstAdoSqlite)
#include "tst_ado_sqlite.moc"
