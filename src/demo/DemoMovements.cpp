#include "demo/DemoMovements.h"

#include "demo/DemoSqlite.h"

#include <QByteArray>
#include <algorithm>
#include <map>
#include <random>
#include <stdexcept>

namespace demo {

namespace {

// What the mill sells: weights roughly follow the extraction shares of the
// declaration (flour 000 most, semolina least) so that the declared milling
// matches the sales. Codes 3, 4, 14 and 15 belong to no product's list.
struct SaleProfile {
    const char* articulo;
    int weight;
    std::vector<const char*> units;
};

const std::vector<SaleProfile> kSales = {
    {"1", 38, {"KG", "BOL50"}}, {"2", 6, {"KG", "BOL50", "BOL25"}},
    {"9", 3, {"KG", "BOL50"}},  {"5", 5, {"KG"}},
    {"6", 6, {"KG", "BOL50"}},  {"7", 9, {"KG"}},
    {"8", 2, {"KG", "BOL50"}},  {"12", 4, {"KG"}},
    {"3", 4, {"KG"}},           {"4", 3, {"KG", "BOL50"}},
    {"14", 2, {"KG"}},          {"15", 1, {"UN"}},
};

// One sale of each product in every month, so that no product of a small
// database ends up without consumption by chance.
const char* const kBackbone[] = {"1", "2", "9", "7"};

const char* const kProduced[] = {"1", "2", "9", "6", "7"};

enum class Kind { Sale, Return, Purchase, Production, Transfer, Adjustment };

// Cumulative percentages of the kinds of movement.
struct KindShare {
    int upTo;
    Kind kind;
};
const KindShare kKinds[] = {{72, Kind::Sale},       {74, Kind::Return},   {82, Kind::Purchase},
                            {88, Kind::Production}, {98, Kind::Transfer}, {100, Kind::Adjustment}};

struct Row {
    int day = 1;
    const char* tc = "";
    const char* articulo = "";
    double cantidad = 0;
    const char* unidad = "KG";
    const char* deposito = "01";
    int cliente = -1; // index into the customer list, -1 for none
    int anulado = 0;
    bool pairedWithPrevious = false; // second leg of a transfer: same number
};

class Generator {
public:
    Generator(quint32 seed, int customers) : m_rng(seed), m_customers(customers) {}

    int range(int lo, int hi) { return lo + int(m_rng() % quint32(hi - lo + 1)); }
    template <typename T> const T& pick(const std::vector<T>& v) {
        return v[std::size_t(range(0, int(v.size()) - 1))];
    }

    int quantity(const char* unit) {
        const QByteArray u(unit);
        if (u == "KG")
            return range(10, 600) * 50; // 500 kg to a 30 t truck
        if (u == "BOL50")
            return range(10, 600);
        if (u == "BOL25")
            return range(20, 400);
        return range(10, 500);
    }

    Row sale(const char* articulo, const char* unit, int day) {
        Row r;
        r.day = day;
        r.tc = range(0, 3) == 0 ? "FB" : "FA";
        r.articulo = articulo;
        r.unidad = unit;
        r.cantidad = -quantity(unit);
        r.cliente = m_customers > 0 ? range(0, m_customers - 1) : -1;
        return r;
    }

    const SaleProfile& saleArticle() {
        int total = 0;
        for (const SaleProfile& s : kSales)
            total += s.weight;
        int x = range(1, total);
        for (const SaleProfile& s : kSales) {
            if ((x -= s.weight) <= 0)
                return s;
        }
        return kSales.front();
    }

    // Appends one movement (two for a transfer when there is room).
    void add(std::vector<Row>& rows, int lastDay, int room) {
        const int day = range(1, lastDay);
        const int p = range(0, 99);
        Kind kind = Kind::Sale;
        for (const KindShare& k : kKinds) {
            if (p < k.upTo) {
                kind = k.kind;
                break;
            }
        }
        if (kind == Kind::Transfer && room < 2)
            kind = Kind::Adjustment;
        Row r;
        r.day = day;
        switch (kind) {
        case Kind::Sale: {
            const SaleProfile& s = saleArticle();
            r = sale(s.articulo, pick(s.units), day);
            r.anulado = range(0, 32) == 0 ? 1 : 0;
            break;
        }
        case Kind::Return: {
            const SaleProfile& s = saleArticle();
            r = sale(s.articulo, s.units.front(), day);
            r.tc = "NCA";
            r.cantidad = range(2, 40) * 50;
            break;
        }
        case Kind::Purchase: {
            static const std::vector<std::pair<const char*, const char*>> bought = {
                {"10", "KG"}, {"10", "KG"}, {"10", "KG"}, {"11", "UN"}, {"13", "KG"}, {"16", "UN"}};
            const auto& b = pick(bought);
            r.tc = range(0, 1) ? "FCA" : "RC";
            r.articulo = b.first;
            r.unidad = b.second;
            r.cantidad = QByteArray(b.first) == "10" ? range(500, 640) * 50 : range(5, 200);
            r.deposito = QByteArray(b.first) == "10" ? "03" : "01";
            break;
        }
        case Kind::Production:
            r.tc = "PRD";
            r.articulo = kProduced[range(0, 4)];
            r.cantidad = range(100, 800) * 50;
            break;
        case Kind::Transfer: {
            r.tc = "TRI";
            r.articulo = kProduced[range(0, 4)];
            r.cantidad = -range(20, 560) * 50;
            rows.push_back(r);
            r.cantidad = -r.cantidad;
            r.deposito = "02";
            r.pairedWithPrevious = true;
            break;
        }
        case Kind::Adjustment:
            r.tc = "AJS";
            r.articulo = pick(kSales).articulo;
            r.cantidad = range(1, 20) * 25 * (range(0, 1) ? 1 : -1);
            break;
        }
        rows.push_back(r);
    }

private:
    std::mt19937 m_rng;
    int m_customers;
};

} // namespace

QDate firstMonth(const DemoOptions& o) {
    return QDate(o.lastYear, o.lastMonth, 1).addMonths(-(o.months - 1));
}

SalesTotals insertMovements(SqliteDb& db, const DemoOptions& o) {
    std::vector<QByteArray> salesTypes;
    for (const auto& row :
         db.query(QStringLiteral("SELECT CODIGO FROM TA_Cpte WHERE SISTEMA = 'VENTAS'")))
        salesTypes.push_back(row.at(0).toString().toUtf8());
    auto isSale = [&salesTypes](const char* tc) {
        return std::find(salesTypes.begin(), salesTypes.end(), QByteArray(tc)) != salesTypes.end();
    };
    SalesTotals totals;
    std::vector<QByteArray> customers;
    for (const auto& row :
         db.query(QStringLiteral("SELECT CODIGO FROM MA_CLIENTES WHERE Dada_De_Baja = 0 "
                                 "ORDER BY CODIGO")))
        customers.push_back(row.at(0).toString().toUtf8());
    Generator gen(o.seed, int(customers.size()));

    SqliteStmt ins(db, QStringLiteral("INSERT INTO V_MV_Stock (ID, FECHA, TC, NUMERO, IDArticulo, "
                                      "CantidadUD, IdUnidadBase, IdDeposito, IdCliente, Anulado) "
                                      "VALUES (?,?,?,?,?,?,?,?,?,?)"));
    const int monthCount = o.months + o.monthsAfter;
    const QDate first = firstMonth(o);
    std::map<QByteArray, int> numbers; // last document number per type
    qint64 id = 0;
    std::vector<Row> rows;
    std::map<std::pair<const char*, const char*>, double> monthSales;
    for (int m = 0; m < monthCount; ++m) {
        const QDate month = first.addMonths(m);
        const int lastDay = month.daysInMonth();
        const int budget = o.movements / monthCount + (m < o.movements % monthCount ? 1 : 0);
        rows.clear();
        for (const char* art : kBackbone) {
            if (int(rows.size()) < budget)
                rows.push_back(gen.sale(art, "KG", gen.range(1, lastDay)));
        }
        while (int(rows.size()) < budget)
            gen.add(rows, lastDay, budget - int(rows.size()));
        std::stable_sort(rows.begin(), rows.end(),
                         [](const Row& a, const Row& b) { return a.day < b.day; });

        std::vector<QByteArray> dates(std::size_t(lastDay) + 1);
        for (int d = 1; d <= lastDay; ++d)
            dates[std::size_t(d)] = QDate(month.year(), month.month(), d)
                                        .toString(QStringLiteral("yyyy-MM-dd 00:00:00"))
                                        .toLatin1();
        for (const Row& r : rows) {
            int& number = numbers[QByteArray(r.tc)];
            if (!r.pairedWithPrevious)
                ++number;
            ins.bindInt(1, ++id);
            ins.bindStatic(2, dates[std::size_t(r.day)]);
            ins.bindLiteral(3, r.tc);
            ins.bindInt(4, number);
            ins.bindLiteral(5, r.articulo);
            ins.bindDouble(6, r.cantidad);
            ins.bindLiteral(7, r.unidad);
            ins.bindLiteral(8, r.deposito);
            if (r.cliente >= 0)
                ins.bindStatic(9, customers[std::size_t(r.cliente)]);
            else
                ins.bindNull(9);
            ins.bindInt(10, r.anulado);
            ins.step();
            if (r.anulado == 0 && isSale(r.tc))
                monthSales[{r.articulo, r.unidad}] += r.cantidad;
        }
        QHash<QString, double>& t = totals[month.toString(QStringLiteral("yyyy-MM"))];
        for (const auto& [key, qty] : monthSales)
            t[QLatin1String(key.first) + QLatin1Char('|') + QLatin1String(key.second)] += qty;
        monthSales.clear();
    }
    return totals;
}

} // namespace demo
