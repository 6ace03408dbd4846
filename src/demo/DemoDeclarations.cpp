#include "demo/DemoDeclarations.h"

#include "demo/DemoMovements.h"
#include "demo/DemoSchema.h"
#include "demo/DemoSqlite.h"

#include <QDate>
#include <QHash>
#include <cmath>
#include <random>

namespace demo {

namespace {

// The five products with the program's default code lists and extraction
// rates; the stock each month aims to close with, in tonnes.
struct Producto {
    const char* sufijo;
    const char* codigos;
    int extraccion; // percent of the wheat milled
    int stockObjetivo;
    int exportaPct; // share of the surplus exported; the rest leaves as other outputs
};

// Flour 000 comes first: the month's milling is worked out from it.
const Producto kProductos[] = {
    {"000", "'1'", 64, 350, 25}, {"0000", "'2'", 7, 40, 10},
    {"Semo", "'9'", 3, 20, 0},   {"Pellet", "'5','6','7','8','12'", 26, 150, 0},
    {"Basura", "", 0, 5, 0},
};

const char* const kSagpya = "M-4527";
const char* const kResponsable = "Lic. Roberto Aguirre";

// Coefficients towards tonnes per "article|unit".
QHash<QString, double> toTonnes(SqliteDb& db) {
    QHash<QString, double> out;
    const auto rows = db.query(QStringLiteral(
        "SELECT IDARTICULO, IDUNIDAD, COEFICIENTE FROM S_TA_EQUIV WHERE IDUNIDAD_EQUIV = 'TON'"));
    for (const auto& r : rows)
        out.insert(r.at(0).toString().trimmed().toUpper() + QLatin1Char('|') +
                       r.at(1).toString().trimmed().toUpper(),
                   r.at(2).toDouble());
    return out;
}

// As the consumption statement adds it up: per article and unit with an
// equivalence to tonnes, the absolute value of the signed sum divided by
// the coefficient, kept to four decimals; the total rounded to cents.
qint64 consumoCents(const QHash<QString, double>& month, const QHash<QString, double>& coef,
                    const char* codigos) {
    QStringList codes = QString::fromLatin1(codigos)
                            .remove(QLatin1Char('\''))
                            .split(QLatin1Char(','), Qt::SkipEmptyParts);
    qint64 sum4 = 0;
    for (auto it = month.cbegin(); it != month.cend(); ++it) {
        const QString key = it.key().toUpper();
        if (!codes.contains(key.section(QLatin1Char('|'), 0, 0)) || !coef.contains(key))
            continue;
        sum4 += std::llround(std::fabs(it.value()) / coef.value(key) * 10000);
    }
    return divideHalfEven(sum4, 100);
}

QVariant tonnes(qint64 cents) {
    return double(cents) / 100.0;
}

// A milled total whose share for any of the rates 64, 7, 3 and 26 never
// falls exactly between two cents, so that no rounding rule can differ.
qint64 withoutTies(qint64 w) {
    while (w % 100 == 50 || w % 50 == 25)
        ++w;
    return w;
}

} // namespace

qint64 divideHalfEven(qint64 num, qint64 den) {
    qint64 q = num / den;
    qint64 r = num % den;
    if (r < 0) {
        r += den;
        --q;
    }
    if (2 * r > den || (2 * r == den && (q % 2 != 0)))
        ++q;
    return q;
}

void insertDeclarations(SqliteDb& db, const DemoOptions& o, const SalesTotals& sales) {
    const QHash<QString, double> coef = toTonnes(db);
    const std::vector<Column> columns = declarationColumns(o.withCosecha);
    QStringList names, marks;
    for (const Column& c : columns) {
        names << c.name;
        marks << QStringLiteral("?");
    }
    SqliteStmt ins(db, QStringLiteral("INSERT INTO DJ_Q42 (%1) VALUES (%2)")
                           .arg(names.join(QLatin1Char(',')), marks.join(QLatin1Char(','))));

    std::mt19937 rng(o.seed + 1);
    auto noisePct = [&rng](int spread) {
        return 100 - spread + int(rng() % quint32(2 * spread + 1));
    };

    qint64 trigo = -1; // wheat opening stock, cents; set from the first month's milling
    qint64 stock[5];
    for (int p = 0; p < 5; ++p)
        stock[p] = qint64(kProductos[p].stockObjetivo) * 100;

    const QDate first = firstMonth(o);
    for (int m = 0; m < o.months; ++m) {
        const QDate month = first.addMonths(m);
        const auto monthSales = sales.value(month.toString(QStringLiteral("yyyy-MM")));
        QHash<QString, QVariant> v;

        // The milling follows the sales of flour 000; the other products buy
        // in what they lack (their other inputs) and sell off any surplus.
        qint64 consumo[5], objetivo[5];
        for (int p = 0; p < 5; ++p) {
            consumo[p] = consumoCents(monthSales, coef, kProductos[p].codigos);
            objetivo[p] = qint64(kProductos[p].stockObjetivo) * noisePct(20);
        }
        const qint64 need = consumo[0] + objetivo[0] - stock[0];
        const qint64 milled = std::max<qint64>(5000, (need * 100 + 63) / 64);
        const qint64 w = withoutTies(milled * 102 / 100);
        const qint64 otrosTrigo = w * 4 / 1000;
        if (trigo < 0)
            trigo = w * 12 / 10;
        const qint64 ingresos =
            std::max<qint64>(0, w + (w * 12 / 10 - trigo) / 2 + w * (noisePct(5) - 100) / 100);
        v[QStringLiteral("P_Existencia")] = tonnes(trigo);
        v[QStringLiteral("P_Ingresos")] = tonnes(ingresos);
        v[QStringLiteral("P_Elaboracion")] = tonnes(w - otrosTrigo);
        v[QStringLiteral("P_Otros")] = tonnes(otrosTrigo);
        trigo += ingresos - w;

        for (int p = 0; p < 5; ++p) {
            const Producto& pr = kProductos[p];
            const QString s = QString::fromLatin1(pr.sufijo);
            // Cleaning waste is weighed, not derived from an extraction rate.
            const qint64 volumen = pr.extraccion == 0 ? w * 15 / 1000 : 0;
            const qint64 propio = divideHalfEven(w * pr.extraccion, 100) + volumen;
            const qint64 otros = std::max<qint64>(0, consumo[p] + objetivo[p] - stock[p] - propio);
            const qint64 disponible = stock[p] + propio + otros;
            const qint64 sobrante = std::max<qint64>(0, disponible - consumo[p] - objetivo[p]);
            const qint64 exporta = sobrante * pr.exportaPct / 100;
            const qint64 otras = sobrante - exporta;
            v[QStringLiteral("SP%1_Existencia").arg(s)] = tonnes(stock[p]);
            v[QStringLiteral("SP%1_Volumen").arg(s)] = tonnes(volumen);
            v[QStringLiteral("SP%1_Extraccion").arg(s)] = double(pr.extraccion);
            v[QStringLiteral("SP%1_Otros").arg(s)] = tonnes(otros);
            v[QStringLiteral("SP%1_Consumo").arg(s)] = tonnes(consumo[p]);
            v[QStringLiteral("SP%1_Exportacion").arg(s)] = tonnes(exporta);
            v[QStringLiteral("SP%1_Otras").arg(s)] = tonnes(otras);
            stock[p] = disponible - consumo[p] - exporta - otras;
            v[QStringLiteral("F") + s] = tonnes(stock[p]);
            v[QStringLiteral("Cod") + s] = QString::fromLatin1(pr.codigos);
        }
        v[QStringLiteral("Periodo")] = periodo(month.year(), month.month());
        v[QStringLiteral("UdMedida")] = QStringLiteral("TON");
        v[QStringLiteral("SAGPyA")] = QString::fromLatin1(kSagpya);
        v[QStringLiteral("Responsable")] = QString::fromLatin1(kResponsable);
        // Harvests run from December to November: 12/2023 to 11/2024 is "23/24".
        const int harvest = month.month() == 12 ? month.year() : month.year() - 1;
        v[QStringLiteral("Cosecha")] = QStringLiteral("%1/%2")
                                           .arg(harvest % 100, 2, 10, QLatin1Char('0'))
                                           .arg((harvest + 1) % 100, 2, 10, QLatin1Char('0'));
        // The remarks box takes seven characters.
        v[QStringLiteral("Observaciones")] =
            month.month() == 12 ? QStringLiteral("Balance") : QString();

        for (std::size_t i = 0; i < columns.size(); ++i) {
            const QVariant& x = v.value(columns[i].name);
            if (x.typeId() == QMetaType::Double)
                ins.bindDouble(int(i) + 1, x.toDouble());
            else
                ins.bindText(int(i) + 1, x.toString());
        }
        ins.step();
    }
}

} // namespace demo
