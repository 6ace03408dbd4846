#include "demo/DemoMovements.h"

#include "demo/DemoDeclarations.h"
#include "demo/DemoSqlite.h"

#include <QByteArray>
#include <QHash>
#include <algorithm>
#include <cmath>
#include <map>
#include <random>

namespace demo {

namespace {

// Flour 000 comes first: the month's milling is worked out from its sales.
// The shares add up to 99 %, flour 000 and 0000 to 75 %.
const std::array<DemoProduct, 5> kProducts = {{
    {"000", "'1'", {"1", nullptr}, 6700, 350, 25},
    {"0000", "'2'", {"2", nullptr}, 800, 40, 10},
    {"Semo", "'9'", {"9", nullptr}, 200, 20, 0},
    {"Pellet", "'5','6','7','8','12'", {"6", "7"}, 2050, 150, 0},
    {"Basura", "'14'", {"14", nullptr}, 150, 5, 0},
}};

// What the mill sells: weights roughly follow the extraction shares.
// Codes 3, 4 and 15 belong to no product's list.
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
const char* const kTransferred[] = {"1", "2", "9", "6", "7"};
// Articles of no list: bought and adjusted without touching the figures.
const std::vector<std::pair<const char*, const char*>> kSupplies = {
    {"11", "UN"}, {"13", "KG"}, {"16", "UN"}};
const std::vector<std::pair<const char*, const char*>> kOthers = {
    {"3", "KG"}, {"4", "KG"}, {"13", "KG"}, {"15", "UN"}};

enum class Kind { Sale, Return, Purchase, Transfer, Adjustment };
struct KindShare {
    int upTo;
    Kind kind;
};
const KindShare kKinds[] = {{80, Kind::Sale},
                            {83, Kind::Return},
                            {88, Kind::Purchase},
                            {97, Kind::Transfer},
                            {100, Kind::Adjustment}};

struct Row {
    int day = 1;
    const char* tc = "";
    const char* articulo = "";
    double cantidad = 0;
    const char* unidad = "KG";
    const char* deposito = "01";
    int cliente = -1; // index into the customer list, -1 for none
    int anulado = 0;
    bool pairedWithPrevious = false; // another line of the same document
};

using Key = std::pair<QByteArray, QByteArray>; // article, unit

class Generator {
public:
    Generator(quint32 seed, std::vector<int> domestic, std::vector<int> foreign)
        : m_rng(seed), m_domestic(std::move(domestic)), m_foreign(std::move(foreign)) {}

    int range(int lo, int hi) { return lo + int(m_rng() % quint32(hi - lo + 1)); }
    template <typename T> const T& pick(const std::vector<T>& v) {
        return v[std::size_t(range(0, int(v.size()) - 1))];
    }
    int customer(bool exports) {
        const std::vector<int>& v = exports ? m_foreign : m_domestic;
        return v.empty() ? -1 : pick(v);
    }

    // Whole tonnes of KG are 50 kg steps and bags of 25 kg go in pairs:
    // every figure in tonnes has two decimals at most.
    int quantity(const char* unit) {
        const QByteArray u(unit);
        if (u == "KG")
            return range(10, 600) * 50; // 500 kg to a 30 t truck
        if (u == "BOL50")
            return range(10, 600);
        if (u == "BOL25")
            return range(10, 200) * 2;
        return range(10, 500);
    }

    Row sale(const char* articulo, const char* unit, int day) {
        Row r;
        r.day = day;
        r.tc = range(0, 3) == 0 ? "FB" : "FA";
        r.articulo = articulo;
        r.unidad = unit;
        r.cantidad = -quantity(unit);
        r.cliente = customer(false);
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

    // One movement: a sale, a return (never more than the month's first
    // sale of the article in kilograms, so no article's sales add up to a
    // return), supplies, a transfer between warehouses (two lines when
    // there is room) or an adjustment of an article of no list.
    void add(std::vector<Row>& rows, std::map<QByteArray, double>& returnable, int lastDay,
             int room, bool neutral = false) {
        const int day = range(1, lastDay);
        // Neutral: only movements that leave every figure as it is.
        const int p = neutral ? range(83, 99) : range(0, 99);
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
        case Kind::Return: {
            const SaleProfile& s = saleArticle();
            const double back = range(2, 40) * 50;
            if (returnable[s.articulo] >= back) {
                returnable[s.articulo] -= back;
                r = sale(s.articulo, "KG", day);
                r.tc = "NCA";
                r.cantidad = back;
                break;
            }
            [[fallthrough]];
        }
        case Kind::Sale: {
            const SaleProfile& s = saleArticle();
            r = sale(s.articulo, pick(s.units), day);
            r.anulado = range(0, 32) == 0 ? 1 : 0;
            break;
        }
        case Kind::Purchase: {
            const auto& b = pick(kSupplies);
            r.tc = range(0, 1) ? "FCA" : "RC";
            r.articulo = b.first;
            r.unidad = b.second;
            r.cantidad = range(5, 200);
            break;
        }
        case Kind::Transfer:
            r.tc = "TRI";
            r.articulo = kTransferred[range(0, 4)];
            r.cantidad = -range(20, 560) * 50;
            rows.push_back(r);
            r.cantidad = -r.cantidad;
            r.deposito = "02";
            r.pairedWithPrevious = true;
            break;
        case Kind::Adjustment: {
            const auto& a = pick(kOthers);
            r.tc = "AJS";
            r.articulo = a.first;
            r.unidad = a.second;
            r.cantidad = range(1, 20) * 50 * (range(0, 1) ? 1 : -1);
            break;
        }
        }
        rows.push_back(r);
    }

    int noisePct(int spread) { return 100 - spread + range(0, 2 * spread); }

private:
    std::mt19937 m_rng;
    std::vector<int> m_domestic;
    std::vector<int> m_foreign;
};

// The flour share: its four-decimal product and the label's two decimals
// never fall exactly between two values, so that no rounding rule differs.
bool withoutTies(qint64 milled, qint64 extraccion) {
    const qint64 four = milled * extraccion;
    return four % 100 != 50 && divideHalfEven(four, 100) % 100 != 50;
}

// Quantities in kilograms from hundredths of a tonne.
double kilos(qint64 cents) {
    return double(cents * 10);
}

bool inList(const char* codigos, const QByteArray& articulo) {
    return QByteArray(codigos).split(',').contains("'" + articulo + "'");
}

// A month's planned movements in groups that go in whole or not at all (a
// production part, an opening), most needed first, and the stocks they
// leave (hundredths of a tonne).
struct Plan {
    std::vector<std::vector<Row>> groups;
    qint64 wheat = 0;
    std::array<qint64, 5> stock{};
    // A month without adjustments: the product whose sales the stock and
    // the milling could not cover, -1 when all were covered, and the share
    // of its sales that is too much (per ten thousand).
    int falta = -1;
    qint64 excesoPorDiezMil = 0;
    std::size_t size() const {
        std::size_t n = 0;
        for (const auto& g : groups)
            n += g.size();
        return n;
    }
};

// `room`: the month's rows left for the plan. `ajustes` false: a month still
// to declare, whose books need no stock adjustment (no cleaning loss, no
// product bought in or written off), so that the figures the books fill
// are the whole declaration; its surplus stays in stock.
Plan planMonth(Generator& gen, const std::vector<Row>& sales, const QHash<Key, double>& toTonnes,
               std::array<qint64, 5> stock, qint64 wheat, bool opening, int budget, int room,
               int lastDay, bool ajustes) {
    // The month's domestic consumption, as the books give it.
    std::map<Key, double> sold;
    for (const Row& r : sales) {
        const QByteArray tc(r.tc);
        if (r.anulado == 0 && (tc == "FA" || tc == "FB" || tc == "NCA"))
            sold[{r.articulo, r.unidad}] += r.cantidad;
    }
    std::array<qint64, 5> consumo{};
    for (const auto& [key, qty] : sold) {
        const auto coef = toTonnes.constFind(key);
        if (coef == toTonnes.constEnd())
            continue;
        for (std::size_t p = 0; p < kProducts.size(); ++p)
            if (inList(kProducts[p].codigos, key.first))
                consumo[p] += std::llround(std::fabs(qty) / *coef * 100);
    }
    std::array<qint64, 5> objetivo{};
    for (std::size_t p = 0; p < kProducts.size(); ++p)
        objetivo[p] = qint64(kProducts[p].stockObjetivo) * gen.noisePct(20);

    // The milling covers flour 000 with a little to spare; the wheat milled
    // and lost to cleaning is what the extractions share out.
    const qint64 need = consumo[0] + objetivo[0] - stock[0];
    const qint64 milled = std::max<qint64>(50000, need * 10000 / (kProducts[0].extraccion - 100));
    const qint64 merma = ajustes ? milled * 4 / 1000 : 0;
    std::array<qint64, 5> produced{};
    for (std::size_t p = 0; p < kProducts.size(); ++p) {
        qint64 e = kProducts[p].extraccion;
        if (p < 2)
            e += gen.range(-20, 20);
        while (!withoutTies(milled, e))
            ++e;
        produced[p] = divideHalfEven(divideHalfEven(milled * e, 100), 100);
    }

    Plan plan;
    // A line of the document before (`same`), or the first of a group.
    auto line = [&plan](int day, const char* tc, const char* art, qint64 cents,
                        const char* deposito, bool same = false) {
        Row r;
        r.day = day;
        r.tc = tc;
        r.articulo = art;
        r.cantidad = kilos(cents);
        r.deposito = deposito;
        r.pairedWithPrevious = same;
        if (!same)
            plan.groups.emplace_back();
        plan.groups.back().push_back(r);
    };
    if (opening) {
        wheat = milled * 12 / 10;
        line(1, "EI", kWheatArticle, wheat, "03");
    }
    // In this order, so that a month with too few rows for all of it still
    // never takes more out of a stock than came in: the wheat bought, then
    // milled, then what the products lack, then their surplus.
    const int parts = std::clamp(budget / 100, 1, 28);
    // Wheat bought by the truck; now and then one goes back to its
    // supplier, and what cleaning leaves behind is written off.
    const qint64 devolucion = gen.range(0, 3) == 0 ? gen.range(10, 30) * 100 : 0;
    const qint64 ingresos = std::max<qint64>(0, milled + (milled * 12 / 10 - wheat) / 2 +
                                                    milled * (gen.noisePct(5) - 100) / 100);
    // A month with few rows buys in fewer, larger loads.
    const int fixed = (opening ? 6 : 0) + 7 * parts + 12;
    const qint64 load = (ingresos + devolucion) / std::max(1, room - fixed) + 1;
    for (qint64 left = ingresos + devolucion; left > 0;) {
        const qint64 truck = std::min<qint64>(left, std::max<qint64>(load, gen.range(2500, 3200)));
        line(gen.range(1, lastDay), gen.range(0, 1) ? "FCA" : "RC", kWheatArticle, truck, "03");
        left -= truck;
    }
    if (devolucion > 0)
        line(gen.range(1, lastDay), "DC", kWheatArticle, -devolucion, "03");
    if (merma > 0)
        line(lastDay, "AJS", kWheatArticle, -merma, "03");
    // Production parts spread over the month, each consuming wheat and
    // giving every product.
    for (int i = 0; i < parts; ++i) {
        const int day = 1 + i * lastDay / parts;
        const auto share = [&](qint64 total) {
            return i < parts - 1 ? total / parts : total - total / parts * (parts - 1);
        };
        line(day, "PRD", kWheatArticle, -share(milled - merma), "03");
        for (std::size_t p = 0; p < kProducts.size(); ++p) {
            const qint64 q = share(produced[p]);
            const DemoProduct& pr = kProducts[p];
            if (!pr.produce[1]) {
                line(day, "PRD", pr.produce[0], q, "01", true);
            } else {
                line(day, "PRD", pr.produce[0], q * 4 / 10, "01", true);
                line(day, "PRD", pr.produce[1], q - q * 4 / 10, "01", true);
            }
        }
    }
    // The products' opening stock, a document of its own.
    if (opening)
        for (std::size_t p = 0; p < kProducts.size(); ++p)
            line(1, "EI", kProducts[p].produce[0], stock[p], "01", p > 0);
    // What each product lacks comes in, its surplus is exported in part and
    // the rest goes out.
    std::array<qint64, 5> sobrante{};
    for (std::size_t p = 0; p < kProducts.size(); ++p) {
        const qint64 disponible = stock[p] + produced[p];
        if (!ajustes) {
            // Sales the stock and the milling cannot cover are given up.
            if (consumo[p] > disponible && plan.falta < 0) {
                plan.falta = int(p);
                plan.excesoPorDiezMil = (consumo[p] - disponible) * 10000 / consumo[p] + 1;
            }
            // Nothing written off: what is not exported stays in stock.
            sobrante[p] = std::max<qint64>(0, disponible - consumo[p] - objetivo[p]);
            stock[p] = disponible - consumo[p];
            continue;
        }
        const qint64 otros = std::max<qint64>(0, consumo[p] + objetivo[p] - disponible);
        sobrante[p] = disponible + otros - consumo[p] - objetivo[p];
        if (otros > 0)
            line(gen.range(1, lastDay), "AJS", kProducts[p].produce[0], otros, "01");
        stock[p] = objetivo[p];
    }
    for (std::size_t p = 0; p < kProducts.size(); ++p) {
        const DemoProduct& pr = kProducts[p];
        const qint64 exporta = sobrante[p] * pr.exportaPct / 100;
        for (qint64 left = exporta; left > 0;) {
            const qint64 container = std::min<qint64>(left, gen.range(2400, 2800));
            line(gen.range(1, lastDay), "FE", pr.produce[0], -container, "01");
            plan.groups.back().back().cliente = gen.customer(true);
            left -= container;
        }
        if (!ajustes)
            stock[p] -= exporta;
        else if (sobrante[p] - exporta > 0)
            line(lastDay, "AJS", pr.produce[0], -(sobrante[p] - exporta), "01");
    }
    plan.wheat = wheat + ingresos - milled;
    plan.stock = stock;
    return plan;
}

// Drops the month's last sales of the list's articles, at least one and
// about `porDiezMil` of them (with their documents' other lines); false when
// there is none.
bool dropSales(std::vector<Row>& rows, const char* codigos, qint64 porDiezMil) {
    const auto esVenta = [codigos](const Row& r) {
        const QByteArray tc(r.tc);
        return (tc == "FA" || tc == "FB") && inList(codigos, QByteArray(r.articulo));
    };
    const qint64 ventas = std::count_if(rows.begin(), rows.end(), esVenta);
    qint64 quedan = std::max<qint64>(1, ventas * porDiezMil / 10000);
    bool alguna = false;
    for (std::size_t i = rows.size(); i-- > 0 && quedan > 0;) {
        if (i >= rows.size() || !esVenta(rows[i]))
            continue;
        std::size_t fin = i + 1;
        while (fin < rows.size() && rows[fin].pairedWithPrevious)
            ++fin;
        std::size_t inicio = i;
        while (inicio > 0 && rows[inicio].pairedWithPrevious)
            --inicio;
        rows.erase(rows.begin() + std::ptrdiff_t(inicio), rows.begin() + std::ptrdiff_t(fin));
        i = inicio;
        --quedan;
        alguna = true;
    }
    return alguna;
}

} // namespace

const std::array<DemoProduct, 5>& demoProducts() {
    return kProducts;
}

QDate firstMonth(const DemoOptions& o) {
    return QDate(o.lastYear, o.lastMonth, 1).addMonths(-(o.months - 1));
}

void insertMovements(SqliteDb& db, const DemoOptions& o) {
    std::vector<QByteArray> customers;
    std::vector<int> domestic, foreign;
    for (const auto& row :
         db.query(QStringLiteral("SELECT CODIGO, PROVINCIA FROM MA_CLIENTES WHERE "
                                 "Dada_De_Baja = 0 ORDER BY CODIGO"))) {
        (row.at(0).toString().startsWith(QLatin1Char('E')) ? foreign : domestic)
            .push_back(int(customers.size()));
        customers.push_back(row.at(0).toString().toUtf8());
    }
    QHash<Key, double> toTonnes;
    for (const auto& r : db.query(QStringLiteral("SELECT IDARTICULO, IDUNIDAD, COEFICIENTE FROM "
                                                 "S_TA_EQUIV WHERE IDUNIDAD_EQUIV = 'TON'")))
        toTonnes.insert({r.at(0).toString().toUtf8(), r.at(1).toString().toUpper().toUtf8()},
                        r.at(2).toDouble());
    Generator gen(o.seed, domestic, foreign);

    SqliteStmt ins(db, QStringLiteral("INSERT INTO V_MV_Stock (ID, FECHA, TC, NUMERO, IDArticulo, "
                                      "CantidadUD, IdUnidadBase, IdDeposito, IdCliente, Anulado) "
                                      "VALUES (?,?,?,?,?,?,?,?,?,?)"));
    const int monthCount = o.months + o.monthsAfter;
    const QDate first = firstMonth(o);
    std::map<QByteArray, int> numbers; // last document number per type
    qint64 id = 0;
    std::vector<Row> rows;
    qint64 wheat = -1; // stock in hundredths of a tonne, set by the first month's milling
    std::array<qint64, 5> stock{};
    for (std::size_t p = 0; p < kProducts.size(); ++p)
        stock[p] = qint64(kProducts[p].stockObjetivo) * 100;
    for (int m = 0; m < monthCount; ++m) {
        const QDate month = first.addMonths(m);
        const int lastDay = month.daysInMonth();
        const int budget = o.movements / monthCount + (m < o.movements % monthCount ? 1 : 0);
        rows.clear();
        std::map<QByteArray, double> returnable;
        for (const char* art : kBackbone) {
            if (int(rows.size()) < budget) {
                rows.push_back(gen.sale(art, "KG", gen.range(1, lastDay)));
                returnable[art] = -rows.back().cantidad;
            }
        }
        const int own = (budget - int(rows.size())) * 6 / 10;
        while (int(rows.size()) < own)
            gen.add(rows, returnable, lastDay, own - int(rows.size()));
        // The plan follows the sales; while it does not fit in the month's
        // rows, the last sales give way to it (in a tiny month, all of them).
        // The months after the declared ones are still to declare: books
        // without adjustments, whose sales the stock and the milling cover.
        const bool ajustes = m < o.months;
        Plan plan;
        for (;;) {
            plan = planMonth(gen, rows, toTonnes, stock, wheat, m == 0, budget,
                             budget - int(rows.size()), lastDay, ajustes);
            if (plan.falta >= 0 &&
                dropSales(rows, kProducts[size_t(plan.falta)].codigos, plan.excesoPorDiezMil))
                continue;
            const std::size_t total = rows.size() + plan.size();
            if (total <= std::size_t(budget) || rows.empty())
                break;
            for (std::size_t drop = std::max<std::size_t>(1, (total - budget) / 2);
                 drop > 0 && !rows.empty(); --drop) {
                const bool paired = rows.back().pairedWithPrevious;
                rows.pop_back();
                if (paired)
                    rows.pop_back();
            }
        }
        wheat = plan.wheat;
        stock = plan.stock;
        for (const std::vector<Row>& g : plan.groups)
            if (rows.size() + g.size() <= std::size_t(budget))
                rows.insert(rows.end(), g.begin(), g.end());
        while (int(rows.size()) < budget)
            gen.add(rows, returnable, lastDay, budget - int(rows.size()), true);
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
        }
    }
}

} // namespace demo
