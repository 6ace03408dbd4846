#include "demo/DemoDeclarations.h"

#include "demo/DemoMovements.h"
#include "demo/DemoSchema.h"
#include "demo/DemoSqlite.h"

#include <QDate>
#include <QHash>
#include <cmath>
#include <map>

namespace demo {

namespace {

const char* const kSagpya = "M-4527";
const char* const kResponsable = "Lic. Roberto Aguirre";

QVariant tonnes(qint64 cents) {
    return double(cents) / 100.0;
}

// A month's books in hundredths of a tonne.
struct Month {
    qint64 ingresos = 0, elaboracion = 0, merma = 0, inicialTrigo = 0;
    std::array<qint64, 5> producido{}, exporta{}, otros{}, otras{}, inicial{};
    // Domestic sales per product, article and unit: quantity and coefficient.
    std::array<std::map<std::pair<QString, QString>, std::pair<double, double>>, 5> ventas;
};

bool inList(const char* codigos, const QString& articulo) {
    return QString::fromLatin1(codigos)
        .split(QLatin1Char(','))
        .contains(QLatin1Char('\'') + articulo + QLatin1Char('\''), Qt::CaseInsensitive);
}

// Every month's movements with an equivalence to tonnes, grouped as the
// books add them up.
std::map<QString, Month> readBooks(SqliteDb& db) {
    std::map<QString, Month> months;
    const auto rows = db.query(QStringLiteral(
        "SELECT substr(m.FECHA, 1, 7), c.SISTEMA, m.TC, m.IDArticulo, m.IdUnidadBase, "
        "e.COEFICIENTE, SUM(m.CantidadUD), SUM(CASE WHEN m.CantidadUD > 0 THEN m.CantidadUD "
        "ELSE 0 END) FROM V_MV_Stock m JOIN TA_Cpte c ON c.CODIGO = m.TC JOIN S_TA_EQUIV e ON "
        "e.IDARTICULO = m.IDArticulo AND e.IDUNIDAD = m.IdUnidadBase AND e.IDUNIDAD_EQUIV = "
        "'TON' WHERE m.Anulado = 0 GROUP BY 1, 2, 3, 4, 5, 6"));
    const auto& products = demoProducts();
    for (const auto& r : rows) {
        Month& mo = months[r.at(0).toString()];
        const QString sistema = r.at(1).toString();
        const QString tc = r.at(2).toString();
        const QString articulo = r.at(3).toString();
        const double coef = r.at(5).toDouble();
        const double suma = r.at(6).toDouble();
        const qint64 total = std::llround(suma / coef * 100);
        const qint64 entradas = std::llround(r.at(7).toDouble() / coef * 100);
        if (articulo == QLatin1String(kWheatArticle)) {
            if (sistema == QLatin1String("COMPRAS"))
                mo.ingresos += total;
            else if (sistema == QLatin1String("PRODUCCION"))
                mo.elaboracion -= total;
            else if (tc == QLatin1String("AJS"))
                mo.merma -= total;
            else if (tc == QLatin1String("EI"))
                mo.inicialTrigo += total;
            continue;
        }
        for (std::size_t p = 0; p < products.size(); ++p) {
            if (!inList(products[p].codigos, articulo))
                continue;
            if (sistema == QLatin1String("PRODUCCION"))
                mo.producido[p] += total;
            else if (tc == QLatin1String("FE"))
                mo.exporta[p] -= total;
            else if (sistema == QLatin1String("VENTAS")) {
                auto& v = mo.ventas[p][{articulo, r.at(4).toString().toUpper()}];
                v.first += suma;
                v.second = coef;
            } else if (tc == QLatin1String("AJS")) {
                mo.otros[p] += entradas;
                mo.otras[p] += entradas - total;
            } else if (tc == QLatin1String("EI"))
                mo.inicial[p] += total;
        }
    }
    return months;
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

void insertDeclarations(SqliteDb& db, const DemoOptions& o) {
    const std::vector<Column> columns = declarationColumns(o.withCosecha);
    QStringList names, marks;
    for (const Column& c : columns) {
        names << c.name;
        marks << QStringLiteral("?");
    }
    SqliteStmt ins(db, QStringLiteral("INSERT INTO DJ_Q42 (%1) VALUES (%2)")
                           .arg(names.join(QLatin1Char(',')), marks.join(QLatin1Char(','))));
    const std::map<QString, Month> books = readBooks(db);
    const auto& products = demoProducts();

    qint64 trigo = 0;
    std::array<qint64, 5> stock{};
    const QDate first = firstMonth(o);
    for (int m = 0; m < o.months; ++m) {
        const QDate month = first.addMonths(m);
        const auto found = books.find(month.toString(QStringLiteral("yyyy-MM")));
        const Month mo = found == books.end() ? Month() : found->second;
        QHash<QString, QVariant> v;
        // The opening stock movement stands on the first month's first day.
        trigo += mo.inicialTrigo;
        const qint64 salidas = mo.elaboracion + mo.merma;
        v[QStringLiteral("P_Existencia")] = tonnes(trigo);
        v[QStringLiteral("P_Ingresos")] = tonnes(mo.ingresos);
        v[QStringLiteral("P_Elaboracion")] = tonnes(mo.elaboracion);
        v[QStringLiteral("P_Otros")] = tonnes(mo.merma);
        trigo += mo.ingresos - salidas;

        for (std::size_t p = 0; p < products.size(); ++p) {
            const DemoProduct& pr = products[p];
            const QString s = QString::fromLatin1(pr.sufijo);
            stock[p] += mo.inicial[p];
            qint64 consumo = 0;
            for (const auto& [key, venta] : mo.ventas[p])
                consumo += std::llround(std::fabs(venta.first) / venta.second * 100);
            // The share in hundredths of a percent, and the tonnes the form
            // gives for it: four decimals, then the label's two.
            const qint64 extraccion =
                salidas > 0 ? divideHalfEven(mo.producido[p] * 10000, salidas) : 0;
            const qint64 propio = divideHalfEven(divideHalfEven(salidas * extraccion, 100), 100);
            v[QStringLiteral("SP%1_Existencia").arg(s)] = tonnes(stock[p]);
            v[QStringLiteral("SP%1_Volumen").arg(s)] = tonnes(0);
            v[QStringLiteral("SP%1_Extraccion").arg(s)] = double(extraccion) / 100.0;
            v[QStringLiteral("SP%1_Otros").arg(s)] = tonnes(mo.otros[p]);
            v[QStringLiteral("SP%1_Consumo").arg(s)] = tonnes(consumo);
            v[QStringLiteral("SP%1_Exportacion").arg(s)] = tonnes(mo.exporta[p]);
            v[QStringLiteral("SP%1_Otras").arg(s)] = tonnes(mo.otras[p]);
            stock[p] += propio + mo.otros[p] - consumo - mo.exporta[p] - mo.otras[p];
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
