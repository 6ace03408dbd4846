#pragma once

#include "demo/DemoMovements.h"

namespace demo {

class SqliteDb;

// One DJ_Q42 row per declared month, worked out from the movements as the
// mill's books give them: the wheat received, milled and written off, each
// product's production as a share of the wheat, its domestic sales (the
// export invoices apart) and exports, its other inputs and outputs from
// the stock adjustments; each month opening with the month before's
// closing stocks (the first with the opening stock movement) and closing
// as the declaration form totals it.
void insertDeclarations(SqliteDb& db, const DemoOptions& options);

// Half to even, as the program rounds: num / den for den > 0.
qint64 divideHalfEven(qint64 num, qint64 den);

} // namespace demo
