#pragma once

#include "demo/DemoDb.h"

#include <QDate>
#include <QHash>

namespace demo {

class SqliteDb;

// First day of the first declared month.
QDate firstMonth(const DemoOptions& options);

// Signed quantity of the documents of the sales system that are not
// cancelled, per month ("yyyy-MM") and article and unit ("1|KG").
using SalesTotals = QHash<QString, QHash<QString, double>>;

// Fills V_MV_Stock with options.movements rows in date order: sales (some
// cancelled, some returned), purchases, production, transfers between
// warehouses and stock adjustments. Customers are taken from MA_CLIENTES,
// the document types of the sales system from TA_Cpte.
SalesTotals insertMovements(SqliteDb& db, const DemoOptions& options);

} // namespace demo
