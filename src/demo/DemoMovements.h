#pragma once

#include "demo/DemoDb.h"

#include <QDate>
#include <array>

namespace demo {

class SqliteDb;

// First day of the first declared month.
QDate firstMonth(const DemoOptions& options);

// The five products of the declaration as the demo mill keeps them: the
// code list of each, the articles its production parts give, the share of
// the wheat they give (hundredths of a percent) and the stock each month
// aims to close with (tonnes); the share of the surplus exported.
struct DemoProduct {
    const char* sufijo;
    const char* codigos;
    std::array<const char*, 2> produce; // second may be null
    int extraccion;
    int stockObjetivo;
    int exportaPct;
};
const std::array<DemoProduct, 5>& demoProducts();
// The wheat article.
inline constexpr const char* kWheatArticle = "10";

// Fills V_MV_Stock with options.movements rows in date order, books that
// hold together: an opening stock movement, wheat purchases (a return to
// the supplier now and then), production parts that consume wheat and
// give the five products, domestic sales (some cancelled, some returned),
// export invoices to foreign customers, stock adjustments and transfers.
// The production follows the sales; what a product lacks comes in, and
// its surplus goes out, as adjustments.
void insertMovements(SqliteDb& db, const DemoOptions& options);

} // namespace demo
