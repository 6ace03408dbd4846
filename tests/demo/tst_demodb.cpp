// The demo business database, checked with plain SQL through the sqlite3 C
// API: its objects, its collation, the declarations and the statements the
// program runs against it.

#include "TestEnv.h"
#include "demo/DemoDb.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QtTest>
#include <cmath>
#include <sqlite3.h>

using demo::DemoOptions;

namespace {

class Sql {
public:
    explicit Sql(const QString& path) {
        if (sqlite3_open_v2(path.toUtf8().constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr) !=
            SQLITE_OK)
            qFatal("cannot open %s", qPrintable(path));
    }
    ~Sql() { sqlite3_close(m_db); }

    // Null when the statement does not compile (a missing object or column).
    std::optional<QList<QVariantList>> tryRows(const QString& sql) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK) {
            m_error = QString::fromUtf8(sqlite3_errmsg(m_db));
            return std::nullopt;
        }
        QList<QVariantList> rows;
        while (sqlite3_step(st) == SQLITE_ROW) {
            QVariantList row;
            for (int i = 0; i < sqlite3_column_count(st); ++i) {
                switch (sqlite3_column_type(st, i)) {
                case SQLITE_NULL:
                    row << QVariant();
                    break;
                case SQLITE_INTEGER:
                case SQLITE_FLOAT:
                    row << sqlite3_column_double(st, i);
                    break;
                default:
                    row << QString::fromUtf8(
                        reinterpret_cast<const char*>(sqlite3_column_text(st, i)));
                }
            }
            rows << row;
        }
        m_error = QString::fromUtf8(sqlite3_errmsg(m_db));
        sqlite3_finalize(st);
        return rows;
    }
    QList<QVariantList> rows(const QString& sql) {
        auto r = tryRows(sql);
        if (!r)
            qFatal("%s: %s", qPrintable(sql), qPrintable(m_error));
        return *r;
    }
    QVariant scalar(const QString& sql) {
        const auto r = rows(sql);
        return r.isEmpty() ? QVariant() : r.first().value(0);
    }
    // Rows changed, or -1 when the statement fails.
    int exec(const QString& sql) {
        if (sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
            return -1;
        return sqlite3_changes(m_db);
    }
    QString error() const { return m_error; }

private:
    sqlite3* m_db = nullptr;
    QString m_error;
};

qint64 cents(const QVariant& v) {
    return std::llround(v.toDouble() * 100);
}

const QStringList kProducts = {"000", "0000", "Semo", "Pellet", "Basura"};

// The program's consumption statement in SQLite's words: no N prefix,
// dates compared as 'YYYY-MM-DD 00:00:00' texts.
QString consumptionSql(const QString& codes, const QString& first, const QString& last,
                       const QString& unit = QStringLiteral("TON")) {
    return QStringLiteral(
               "SELECT V_MV_Stock.IDArticulo, ABS(SUM(V_MV_Stock.CantidadUD)) AS Consumo, "
               "ABS(SUM(V_MV_Stock.CantidadUD)) / Coeficiente AS ConsumoEquiv, "
               "V_MV_Stock.IdUnidadBase, S_TA_EQUIV.IDUNIDAD_EQUIV, S_TA_EQUIV.COEFICIENTE "
               "FROM V_MV_Stock INNER JOIN V_TA_Cpte ON V_MV_Stock.TC = V_TA_Cpte.CODIGO "
               "LEFT OUTER JOIN S_TA_EQUIV ON V_MV_Stock.IDArticulo = S_TA_EQUIV.IDARTICULO AND "
               "V_MV_Stock.IdUnidadBase = S_TA_EQUIV.IDUNIDAD "
               "WHERE (V_TA_Cpte.SISTEMA = 'VENTAS') AND (V_MV_Stock.Anulado = 0) AND "
               "(V_MV_Stock.FECHA >= '%2 00:00:00' AND V_MV_Stock.FECHA <= '%3 00:00:00') "
               // The export invoices are declared apart.
               "AND (LTRIM(RTRIM(V_MV_Stock.TC)) NOT IN ('FE')) "
               "GROUP BY V_MV_Stock.IDArticulo, V_MV_Stock.IdUnidadBase, "
               "S_TA_EQUIV.IDUNIDAD_EQUIV, S_TA_EQUIV.COEFICIENTE "
               "HAVING (S_TA_EQUIV.IDUNIDAD_EQUIV = '%4') AND "
               "(LTRIM(RTRIM(V_MV_Stock.IDArticulo)) IN (%1))")
        .arg(codes, first, last, unit);
}

// Tonnes as the form adds them: four decimals after each row.
double consumption(Sql& db, const QString& codes, const QString& first, const QString& last,
                   const QString& unit = QStringLiteral("TON")) {
    qint64 sum4 = 0;
    for (const QVariantList& r : db.rows(consumptionSql(codes, first, last, unit)))
        if (!r.at(2).isNull())
            sum4 += std::llround(r.at(2).toDouble() * 10000);
    return double(sum4) / 10000;
}

QStringList columnsOf(Sql& db, const QString& table) {
    QStringList names;
    for (const QVariantList& r : db.rows(QStringLiteral("PRAGMA table_info(%1)").arg(table)))
        names << r.at(1).toString();
    return names;
}

QByteArray fileHash(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

} // namespace

class TstDemoDb : public QObject {
    Q_OBJECT
    TestEnv env;
    QString shared; // default shape, fewer movements
    int made = 0;

    QString create(const DemoOptions& o) {
        const QString path = env.ruta(QStringLiteral("demo%1.sqlite").arg(++made));
        QString error;
        if (!demo::createDemoDatabase(path, o, &error))
            qFatal("createDemoDatabase: %s", qPrintable(error));
        return path;
    }

private Q_SLOTS:
    void initTestCase() {
        DemoOptions o;
        o.movements = 2500;
        shared = create(o);
    }

    void objectsExist_data() {
        QTest::addColumn<QString>("object");
        QTest::addColumn<QString>("columns");
        QTest::addColumn<int>("minRows");
        auto row = [](const char* o, const char* c, int n) { QTest::newRow(o) << o << c << n; };
        row("TA_CONFIGURACION", "CLAVE, VALOR, VALORAUX", 20);
        row("TA_USUARIOS", "nombre, Administrador, NOMBRE", 2);
        row("CONTROL_ACCESO", "ID, EGRESO", 2);
        row("DJ_Q42",
            "Periodo, P_Existencia, F000, CodPellet, UdMedida, SAGPyA, Responsable, "
            "Observaciones",
            24);
        row("V_MV_Stock", "IDArticulo, CantidadUD, IdUnidadBase, TC, FECHA, Anulado", 2500);
        row("V_TA_Cpte", "CODIGO, SISTEMA, Descripcion", 3);
        row("TA_Cpte", "DESCRIPCION, CODIGO", 3);
        row("S_TA_EQUIV", "IDARTICULO, IDUNIDAD, IDUNIDAD_EQUIV, COEFICIENTE", 10);
        row("V_MA_ARTICULOS", "DESCRIPCION, IDARTICULO, SUSPENDIDO, PUNTOPEDIDO, Stock", 10);
        row("VT_MA_ARTICULOS",
            "DESCRIPCION, IDARTICULO, SUSPENDIDO, PUNTOPEDIDO, Stock, PRECIO1, PRECIO8", 10);
        row("STK_MA_ARTICULOS", "DESCRIPCION, IDARTICULO, PUNTOPEDIDO, Stock, PRECIO1", 10);
        row("MA_ARTICULOS", "DESCRIPCION, IDARTICULO", 10);
        row("VT_CLIENTES", "RAZON_SOCIAL, CODIGO, CONTACTO, Dada_De_Baja", 10);
        row("MA_CLIENTES", "Razon_Social, Codigo, Codigo_sucursal", 10);
        row("VT_PROVEEDORES", "RAZON_SOCIAL, CODIGO, Dada_De_Baja", 5);
        row("MA_PROVEEDORES", "Razon_Social, Codigo", 5);
        row("MA_CONTACTOS",
            "Nombre_y_Apellido, Domicilio, Localidad, Telefono, Razon_Social, "
            "Codigo",
            3);
        row("V_TA_VENDEDORES", "NOMBRE, IDVENDEDOR", 3);
        row("V_TA_TECNICOS", "NOMBRE, IDTECNICO", 3);
        row("V_MA_MANTENIMIENTOS", "DESCRIPCION, CODIGO", 3);
        row("V_MV_FALTANTES", "FechaHora, IdArticulo, Descripcion, Usuario", 0);
        row("V_TA_FAMILIAS", "IDFAMILIA, DESCRIPCION", 5);
        row("MA_POSICIONES", "IDPOSICION, Descripcion", 5);
        row("TA_CCOSTO", "CODIGO, Descripcion", 5);
        row("V_TA_Bancos", "DESCRIPCION, IDBanco", 3);
        row("V_TA_Deposito", "DESCRIPCION, IDDeposito", 3);
        row("V_TA_Unidad", "DESCRIPCION, IDUnidad", 3);
        row("V_TA_Rubros", "DESCRIPCION, IDRubro", 3);
        row("V_TA_TipoArticulo", "DESCRIPCION, IDTIPO", 3);
        row("V_TA_CPRA_VTA", "DESCRIPCION, IDCOND_CPRA_VTA", 3);
        row("V_TA_RETENCIONES", "Descripcion, IdRetencion", 2);
        row("TA_Rubros", "DESCRIPCION, IDRubro", 3);
        row("TA_TipoArticulo", "DESCRIPCION, IDTIPO", 3);
        row("TA_MONEDAS", "ID, CODIGO, DESCRIPCION, PRECIO", 2);
        row("MA_MODELOS", "NOMBRE", 2);
        row("MA_CHOFERES", "APELLIDO, CODIGO, NOMBRES", 2);
        row("MA_VEHICULOS", "PATENTE, MODELO", 2);
        row("MV_EJERCICIOS", "DESCRIPCION, PERIODO", 2);
        row("V_MA_PRECIOSCAB", "NOMBRE, IDLISTA", 8);
        for (const char* o :
             {"MA_CUENTAS", "V_TA_DEPOSITO", "MV_ASIENTOS", "V_TA_FAMILIAS", "V_TA_CAJAS",
              "AC_CUENTASDIARIO", "AC_CUENTASDIARIO_CCOSTO", "SS_MA_CUENTAS", "SS_V_TA_DEPOSITO",
              "SS_MV_ASIENTOS", "SS_V_TA_FAMILIAS", "SS_V_TA_CAJAS", "SS_AC_CUENTASDIARIO",
              "SS_AC_CUENTAS_DIARIO_CCOSTO"})
            QTest::newRow(qPrintable(QStringLiteral("synonym %1").arg(QLatin1String(o))))
                << o << "*" << 1;
    }
    void objectsExist() {
        QFETCH(QString, object);
        QFETCH(QString, columns);
        QFETCH(int, minRows);
        Sql db(shared);
        const auto rows = db.tryRows(QStringLiteral("SELECT %1 FROM %2").arg(columns, object));
        QVERIFY2(rows, qPrintable(db.error()));
        QVERIFY2(rows->size() >= minRows, qPrintable(QString::number(rows->size())));
    }

    // Counterparts show part of their object's rows, not all, not none.
    void synonymsAreSubsets_data() {
        QTest::addColumn<QString>("object");
        QTest::addColumn<QString>("counterpart");
        QTest::newRow("cuentas") << "MA_CUENTAS"
                                 << "SS_MA_CUENTAS";
        QTest::newRow("depositos") << "V_TA_DEPOSITO"
                                   << "SS_V_TA_DEPOSITO";
        QTest::newRow("asientos") << "MV_ASIENTOS"
                                  << "SS_MV_ASIENTOS";
        QTest::newRow("familias") << "V_TA_FAMILIAS"
                                  << "SS_V_TA_FAMILIAS";
        QTest::newRow("cajas") << "V_TA_CAJAS"
                               << "SS_V_TA_CAJAS";
        QTest::newRow("diario") << "AC_CUENTASDIARIO"
                                << "SS_AC_CUENTASDIARIO";
        QTest::newRow("diario ccosto") << "AC_CUENTASDIARIO_CCOSTO"
                                       << "SS_AC_CUENTAS_DIARIO_CCOSTO";
    }
    void synonymsAreSubsets() {
        QFETCH(QString, object);
        QFETCH(QString, counterpart);
        Sql db(shared);
        const int all = db.scalar(QStringLiteral("SELECT COUNT(*) FROM %1").arg(object)).toInt();
        const int part =
            db.scalar(QStringLiteral("SELECT COUNT(*) FROM %1").arg(counterpart)).toInt();
        QVERIFY(part > 0);
        QVERIFY(part < all);
    }

    void treeCodesHang_data() {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("code");
        QTest::newRow("familias") << "V_TA_FAMILIAS"
                                  << "IDFAMILIA";
        QTest::newRow("posiciones") << "MA_POSICIONES"
                                    << "IDPOSICION";
        QTest::newRow("centros de costo") << "TA_CCOSTO"
                                          << "CODIGO";
    }
    void treeCodesHang() {
        QFETCH(QString, table);
        QFETCH(QString, code);
        Sql db(shared);
        QStringList codes;
        for (const QVariantList& r :
             db.rows(QStringLiteral("SELECT %1 FROM %2 ORDER BY %1").arg(code, table)))
            codes << r.at(0).toString();
        for (const char* c : {"01", "0101", "0102", "02", "0201"})
            QVERIFY2(codes.contains(QLatin1String(c)), c);
        for (const QString& c : codes) {
            QVERIFY2(c.size() % 2 == 0, qPrintable(c));
            if (c.size() > 2)
                QVERIFY2(codes.contains(c.left(c.size() - 2)), qPrintable(c));
        }
    }

    void caseInsensitiveText_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<int>("expected");
        QTest::newRow("unit") << "SELECT COUNT(*) FROM S_TA_EQUIV WHERE IDUNIDAD_EQUIV = 'ton' "
                                 "AND IDARTICULO = '1'"
                              << 2;
        QTest::newRow("unit typed in mixed case")
            << "SELECT COUNT(*) FROM S_TA_EQUIV WHERE IDUNIDAD_EQUIV = 'TON' AND IDARTICULO = '12'"
            << 1;
        QTest::newRow("configuration key") << "SELECT COUNT(*) FROM ta_configuracion "
                                              "WHERE CLAVE = 'sagpya'"
                                           << 1;
        QTest::newRow("user") << "SELECT COUNT(*) FROM TA_USUARIOS WHERE nombre = 'ADMIN' "
                                 "AND Administrador = 1"
                              << 1;
        QTest::newRow("system") << "SELECT COUNT(*) FROM v_ta_cpte WHERE sistema = 'Ventas'" << 4;
        QTest::newRow("like") << "SELECT COUNT(*) FROM VT_CLIENTES WHERE RAZON_SOCIAL LIKE "
                                 "'panificadora%'"
                              << 1;
        QTest::newRow("declaration unit") << "SELECT COUNT(*) FROM DJ_Q42 WHERE UdMedida = 'ton' "
                                             "AND Periodo = '06/2025'"
                                          << 1;
        QTest::newRow("order ignores case")
            << "SELECT COUNT(*) FROM (SELECT RAZON_SOCIAL FROM VT_CLIENTES "
               "ORDER BY RAZON_SOCIAL LIMIT 1) WHERE RAZON_SOCIAL LIKE 'A%'"
            << 1;
    }
    void caseInsensitiveText() {
        QFETCH(QString, sql);
        QFETCH(int, expected);
        Sql db(shared);
        QCOMPARE(db.scalar(sql).toInt(), expected);
    }

    // Keys are unique whatever the letter case, as on the server.
    void keysIgnoreCase() {
        Sql db(shared);
        QCOMPARE(db.exec("INSERT INTO TA_USUARIOS (nombre, Administrador) VALUES ('Admin', 0)"),
                 -1);
        QCOMPARE(db.exec("INSERT INTO S_TA_EQUIV VALUES ('12', 'kg', 'TON', 1000)"), -1);
    }

    void declarationsChain_data() {
        QTest::addColumn<int>("months");
        QTest::addColumn<int>("lastYear");
        QTest::addColumn<int>("lastMonth");
        QTest::addColumn<int>("movements");
        QTest::addColumn<QString>("first");
        QTest::newRow("default range") << 24 << 2025 << 6 << 2500 << "07/2023";
        QTest::newRow("across new year") << 3 << 2025 << 1 << 300 << "11/2024";
        QTest::newRow("single month") << 1 << 2024 << 12 << 100 << "12/2024";
        QTest::newRow("no sales at all") << 4 << 2025 << 6 << 0 << "03/2025";
    }
    void declarationsChain() {
        QFETCH(int, months);
        QFETCH(int, lastYear);
        QFETCH(int, lastMonth);
        QFETCH(int, movements);
        QFETCH(QString, first);
        DemoOptions o;
        o.months = months;
        o.lastYear = lastYear;
        o.lastMonth = lastMonth;
        o.movements = movements;
        Sql db(create(o));
        const auto rows =
            db.rows("SELECT * FROM DJ_Q42 ORDER BY substr(Periodo, 4, 4), substr(Periodo, 1, 2)");
        const QStringList cols = columnsOf(db, QStringLiteral("DJ_Q42"));
        auto at = [&cols](const QVariantList& r, const QString& c) {
            return r.at(cols.indexOf(c));
        };
        QCOMPARE(rows.size(), months);
        QCOMPARE(at(rows.first(), "Periodo").toString(), first);
        QCOMPARE(at(rows.last(), "Periodo").toString(), demo::periodo(lastYear, lastMonth));
        for (qsizetype i = 1; i < rows.size(); ++i) {
            const QVariantList& prev = rows[i - 1];
            const QVariantList& cur = rows[i];
            const QDate p = QDate::fromString("01/" + at(prev, "Periodo").toString(), "dd/MM/yyyy");
            QCOMPARE(at(cur, "Periodo").toString(),
                     demo::periodo(p.addMonths(1).year(), p.addMonths(1).month()));
            QCOMPARE(cents(at(cur, "P_Existencia")),
                     cents(at(prev, "P_Existencia")) + cents(at(prev, "P_Ingresos")) -
                         cents(at(prev, "P_Elaboracion")) - cents(at(prev, "P_Otros")));
            for (const QString& p : kProducts)
                QCOMPARE(cents(at(cur, "SP" + p + "_Existencia")), cents(at(prev, "F" + p)));
        }
    }

    // F<p> is the final stock the form computes from the row's own figures,
    // never negative, and every figure has at most two decimals.
    void finalStocksFollowTotals() {
        Sql db(shared);
        const QStringList cols = columnsOf(db, QStringLiteral("DJ_Q42"));
        for (const QVariantList& r : db.rows("SELECT * FROM DJ_Q42")) {
            auto c = [&](const QString& name) {
                const double v = r.at(cols.indexOf(name)).toDouble();
                const qint64 x = cents(v);
                if (std::fabs(v * 100 - double(x)) > 1e-6)
                    qFatal("%s has more than two decimals", qPrintable(name));
                return x;
            };
            const qint64 w = c("P_Elaboracion") + c("P_Otros");
            QVERIFY(c("P_Existencia") >= 0 && c("P_Ingresos") >= 0);
            for (const QString& p : kProducts) {
                const auto ext = [&](const QString& m) { return c("SP" + p + "_" + m); };
                // (W x rate) / 100 to four decimals, then the caption's two;
                // the rate has two decimals: W x rate in millionths of a tonne.
                const qint64 millonesimas = w * ext("Extraccion");
                QVERIFY2(millonesimas % 100 != 50, "a tie would depend on the rounding rule");
                const qint64 share4 = millonesimas / 100 + (millonesimas % 100 >= 50 ? 1 : 0);
                QVERIFY2(share4 % 100 != 50, "a tie would depend on the rounding rule");
                const qint64 share = share4 / 100 + (share4 % 100 >= 50 ? 1 : 0);
                const qint64 total = share + ext("Volumen") + ext("Otros") + ext("Existencia");
                const qint64 out = ext("Consumo") + ext("Exportacion") + ext("Otras");
                QCOMPARE(c("F" + p), total - out);
                QVERIFY(c("F" + p) >= 0);
            }
        }
    }

    void consumptionFromSales_data() {
        QTest::addColumn<QString>("product");
        QTest::addColumn<QString>("codes");
        QTest::newRow("000") << "000"
                             << "'1'";
        QTest::newRow("0000") << "0000"
                              << "'2'";
        QTest::newRow("SEMOLIN") << "Semo"
                                 << "'9'";
        QTest::newRow("Pellet") << "Pellet"
                                << "'5','6','7','8','12'";
    }
    void consumptionFromSales() {
        QFETCH(QString, product);
        QFETCH(QString, codes);
        Sql db(shared);
        const QVariantList stored =
            db.rows(QStringLiteral("SELECT SP%1_Consumo, Cod%1 FROM DJ_Q42 WHERE Periodo = "
                                   "'06/2025'")
                        .arg(product))
                .value(0);
        QCOMPARE(stored.value(1).toString(), codes);
        const double june = consumption(db, codes, "2025-06-01", "2025-06-30");
        QVERIFY(june > 0);
        QVERIFY2(std::fabs(june - stored.value(0).toDouble()) <= 0.005 + 1e-9,
                 qPrintable(QStringLiteral("%1 vs %2").arg(june).arg(stored.value(0).toDouble())));
        // The month after the last declaration has sales to compute too.
        QVERIFY(consumption(db, codes, "2025-07-01", "2025-07-31") > 0);
        QCOMPARE(consumption(db, codes, "2025-06-01", "2025-06-30", "ton"), june);
    }

    // Rows added to June on a copy: which of them the statement counts.
    void consumptionCountsOnlyValidSales_data() {
        QTest::addColumn<QString>("values");
        QTest::addColumn<double>("delta");
        QTest::newRow("sale") << "'2025-06-15 00:00:00','FA','1',-1500,'KG',0" << 1.5;
        QTest::newRow("sale in bags") << "'2025-06-15 00:00:00','FB','1',-10,'BOL50',0" << 0.5;
        QTest::newRow("first day") << "'2025-06-01 00:00:00','FA','1',-1000,'KG',0" << 1.0;
        QTest::newRow("last day") << "'2025-06-30 00:00:00','FA','1',-1000,'KG',0" << 1.0;
        QTest::newRow("next month") << "'2025-07-01 00:00:00','FA','1',-1000,'KG',0" << 0.0;
        QTest::newRow("cancelled") << "'2025-06-15 00:00:00','FA','1',-1000,'KG',1" << 0.0;
        QTest::newRow("transfer") << "'2025-06-15 00:00:00','TRI','1',-1000,'KG',0" << 0.0;
        QTest::newRow("purchase") << "'2025-06-15 00:00:00','FCA','1',1000,'KG',0" << 0.0;
        QTest::newRow("credit note") << "'2025-06-15 00:00:00','NCA','1',1000,'KG',0" << -1.0;
        QTest::newRow("other product") << "'2025-06-15 00:00:00','FA','2',-1000,'KG',0" << 0.0;
        QTest::newRow("unit without equivalence")
            << "'2025-06-15 00:00:00','FA','4',-1000,'KG',0" << 0.0;
    }
    void consumptionCountsOnlyValidSales() {
        QFETCH(QString, values);
        QFETCH(double, delta);
        const QString copy = env.ruta(QStringLiteral("copy%1.sqlite").arg(++made));
        QVERIFY(QFile::copy(shared, copy));
        Sql db(copy);
        const QString codes = "'1','4'";
        const double before = consumption(db, codes, "2025-06-01", "2025-06-30");
        QCOMPARE(db.exec("INSERT INTO V_MV_Stock (FECHA, TC, IDArticulo, CantidadUD, "
                         "IdUnidadBase, Anulado) VALUES (" +
                         values + ")"),
                 1);
        const double after = consumption(db, codes, "2025-06-01", "2025-06-30");
        QVERIFY2(std::fabs(after - before - delta) < 1e-9,
                 qPrintable(QStringLiteral("%1 -> %2").arg(before).arg(after)));
    }

    void movementCount_data() {
        QTest::addColumn<int>("movements");
        QTest::newRow("none") << 0;
        QTest::newRow("fewer than one a month") << 7;
        QTest::newRow("odd remainder") << 1001;
    }
    void movementCount() {
        QFETCH(int, movements);
        DemoOptions o;
        o.movements = movements;
        Sql db(create(o));
        QCOMPARE(db.scalar("SELECT COUNT(*) FROM V_MV_Stock").toInt(), movements);
        QCOMPARE(db.scalar("SELECT COUNT(*) FROM V_MV_Stock WHERE FECHA NOT GLOB "
                           "'[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] 00:00:00' "
                           "OR FECHA < '2023-07-01' OR FECHA > '2025-07-31 00:00:00'")
                     .toInt(),
                 0);
        QCOMPARE(db.scalar("SELECT COUNT(*) FROM V_MV_Stock m LEFT JOIN MA_ARTICULOS a ON "
                           "a.IDARTICULO = m.IDArticulo LEFT JOIN V_TA_Cpte c ON c.CODIGO = m.TC "
                           "WHERE a.IDARTICULO IS NULL OR c.CODIGO IS NULL")
                     .toInt(),
                 0);
    }

    void sameSeedSameData() {
        DemoOptions o;
        o.movements = 400;
        const QString sum = "SELECT SUM(ID * CantidadUD), SUM(Anulado) FROM V_MV_Stock";
        Sql a(create(o)), b(create(o));
        QCOMPARE(a.rows(sum), b.rows(sum));
        o.seed = 7;
        Sql c(create(o));
        QVERIFY(a.rows(sum) != c.rows(sum));
    }

    // What the program writes: the exit stamp and shortage notices.
    void programWritesSucceed() {
        const QString copy = env.ruta(QStringLiteral("copy%1.sqlite").arg(++made));
        QVERIFY(QFile::copy(shared, copy));
        Sql db(copy);
        QCOMPARE(db.exec("UPDATE CONTROL_ACCESO  SET EGRESO = '09/12/26 15:21' WHERE EGRESO "
                         "IS NULL AND  ID = 0"),
                 1);
        QCOMPARE(db.scalar("SELECT COUNT(*) FROM CONTROL_ACCESO WHERE EGRESO IS NULL").toInt(), 1);
        QCOMPARE(db.exec("INSERT INTO V_MV_FALTANTES (FechaHora,IdArticulo,Descripcion,Usuario) "
                         "values('09/12/2026 15:21:52','2                        ',"
                         "'HARINA DE TRIGO 0000','admin')"),
                 1);
    }

    void secondCreateLeavesFileAlone() {
        DemoOptions o;
        o.movements = 50;
        const QString path = create(o);
        const QByteArray before = fileHash(path);
        const int filesBefore = QDir(env.carpeta()).count();
        QString error;
        o.seed = 99;
        QVERIFY(!demo::createDemoDatabase(path, o, &error));
        QVERIFY(error.contains(QStringLiteral("ya existe")));
        QCOMPARE(fileHash(path), before);
        QCOMPARE(int(QDir(env.carpeta()).count()), filesBefore);
    }

    void badOptionsCreateNothing_data() {
        QTest::addColumn<int>("months");
        QTest::addColumn<int>("movements");
        QTest::addColumn<int>("lastMonth");
        QTest::newRow("no months") << 0 << 10 << 6;
        QTest::newRow("negative movements") << 12 << -1 << 6;
        QTest::newRow("month 13") << 12 << 10 << 13;
    }
    void badOptionsCreateNothing() {
        QFETCH(int, months);
        QFETCH(int, movements);
        QFETCH(int, lastMonth);
        DemoOptions o;
        o.months = months;
        o.movements = movements;
        o.lastMonth = lastMonth;
        const QString path = env.ruta("bad.sqlite");
        QString error;
        QVERIFY(!demo::createDemoDatabase(path, o, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!QFile::exists(path));
    }

    // What a newcomer may leave at the demo's place: nothing, an interrupted
    // or foreign file. Anything but a complete demo is set aside, never lost.
    void ensureCreatesTheDefaultOnce_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<bool>("setAside");
        QTest::newRow("missing") << QByteArray() << false;
        QTest::newRow("empty file") << QByteArray("") << true;
        QTest::newRow("not a database") << QByteArray("file is not a database\n") << true;
        QTest::newRow("damaged header") << QByteArray("SQLite format 3\0garbage", 24) << true;
        QTest::newRow("tables missing") << QByteArray("tables missing") << true;
        // The seal in the header spares the start a read of the schema; it
        // must not outlive a change of the tables, nor be needed.
        QTest::newRow("sealed, then a view dropped") << QByteArray("view dropped") << true;
        QTest::newRow("complete, without the seal") << QByteArray("unsealed") << false;
    }
    void ensureCreatesTheDefaultOnce() {
        QFETCH(QByteArray, before);
        QFETCH(bool, setAside);
        const QByteArray old = qgetenv("XDG_DATA_HOME");
        const QString datos = env.ruta("datos-" + QString::fromLatin1(QTest::currentDataTag()));
        qputenv("XDG_DATA_HOME", datos.toLocal8Bit());
        const QString file = datos + "/q42/demo.sqlite";
        QVERIFY(QDir().mkpath(datos + "/q42"));
        if (before == "view dropped" || before == "unsealed") {
            QString why;
            QVERIFY2(demo::createDemoDatabase(file, DemoOptions{}, &why), qPrintable(why));
            QVERIFY(demo::isCompleteDemoDatabase(file));
            sqlite3* db = nullptr;
            QCOMPARE(sqlite3_open(file.toUtf8().constData(), &db), SQLITE_OK);
            const char* sql =
                before == "unsealed" ? "PRAGMA user_version = 0" : "DROP VIEW V_TA_Cpte";
            QCOMPARE(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK);
            sqlite3_close(db);
        } else if (before == "tables missing") {
            sqlite3* db = nullptr;
            QCOMPARE(sqlite3_open(file.toUtf8().constData(), &db), SQLITE_OK);
            QCOMPARE(sqlite3_exec(db, "CREATE TABLE DJ_Q42 (Periodo nvarchar(7))", nullptr, nullptr,
                                  nullptr),
                     SQLITE_OK);
            sqlite3_close(db);
        } else if (!before.isNull()) {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(before);
        }
        const QByteArray keptHash = fileHash(file);
        QCOMPARE(demo::isCompleteDemoDatabase(file), !setAside && !before.isNull());
        QString path, error, notice;
        QVERIFY2(demo::ensureDemoDatabase(&path, &error, &notice), qPrintable(error));
        QCOMPARE(path, file);
        QCOMPARE(demo::defaultDemoPath(), path);
        QCOMPARE(!notice.isEmpty(), setAside);
        if (setAside) {
            const QString aside = file + QStringLiteral(".dañada");
            QVERIFY2(notice.contains(aside), qPrintable(notice));
            QCOMPARE(fileHash(aside), keptHash);
        }
        QVERIFY(demo::isCompleteDemoDatabase(path));
        const QByteArray first = fileHash(path);
        QVERIFY(!first.isEmpty());
        notice.clear();
        QVERIFY(demo::ensureDemoDatabase(&path, &error, &notice));
        QVERIFY(notice.isEmpty());
        QCOMPARE(fileHash(path), first);
        Sql db(path);
        // Made or found complete, the file is sealed for the next start.
        QVERIFY(db.scalar("PRAGMA user_version").toInt() != 0);
        QCOMPARE(db.scalar("SELECT COUNT(*) FROM V_MV_Stock").toInt(), DemoOptions{}.movements);
        QCOMPARE(db.scalar("SELECT MAX(substr(Periodo, 4) || substr(Periodo, 1, 2)) FROM DJ_Q42")
                     .toString(),
                 QStringLiteral("202506"));
        qputenv("XDG_DATA_HOME", old);
    }

    void cosechaOnlyWhenAsked() {
        Sql plain(shared);
        const QStringList without = columnsOf(plain, "DJ_Q42");
        QCOMPARE(without.size(), 54);
        QVERIFY(!without.contains("Cosecha", Qt::CaseInsensitive));
        DemoOptions o;
        o.movements = 100;
        o.withCosecha = true;
        Sql with(create(o));
        QCOMPARE(columnsOf(with, "DJ_Q42").size(), 55);
        QCOMPARE(with.scalar("SELECT Cosecha FROM DJ_Q42 WHERE Periodo = '06/2025'").toString(),
                 QStringLiteral("24/25"));
        QCOMPARE(with.scalar("SELECT Cosecha FROM DJ_Q42 WHERE Periodo = '12/2024'").toString(),
                 QStringLiteral("24/25"));
    }

    void ddlScriptsMatchTheTable_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("currency");
        QTest::newRow("SQL Server") << "sql/DJ_Q42.sqlserver.sql"
                                    << "money";
        QTest::newRow("Oracle") << "sql/DJ_Q42.oracle.sql"
                                << "NUMBER(19,4)";
    }
    void ddlScriptsMatchTheTable() {
        QFETCH(QString, script);
        QFETCH(QString, currency);
        QFile f(sourcePath(script));
        QVERIFY2(f.open(QIODevice::ReadOnly | QIODevice::Text), qPrintable(f.fileName()));
        const QString text = QString::fromUtf8(f.readAll());
        const qsizetype open = text.indexOf("CREATE TABLE");
        QVERIFY(open >= 0);
        QStringList names;
        static const QRegularExpression line(R"(^\s+(\w+)\s+(\S+))");
        for (const QString& l : text.mid(open).split('\n')) {
            const auto m = line.match(l);
            if (!m.hasMatch() || m.captured(1) == "CONSTRAINT")
                continue;
            names << m.captured(1);
            if (m.captured(1).startsWith('F') && !m.captured(1).contains('_'))
                QVERIFY2(l.contains(currency), qPrintable(l));
        }
        QVERIFY(text.contains("PRIMARY KEY (Periodo)"));
        DemoOptions o;
        o.movements = 0;
        o.withCosecha = true;
        Sql db(create(o));
        QCOMPARE(names, columnsOf(db, "DJ_Q42"));
    }
};

QTEST_GUILESS_MAIN(TstDemoDb)
#include "tst_demodb.moc"
