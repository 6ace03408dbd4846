#pragma once

#include "demo/DemoMovements.h"

namespace demo {

class SqliteDb;

// One DJ_Q42 row per declared month, each opening with the previous
// month's closing stocks, its consumption taken from the month's sales
// converted to tonnes with S_TA_EQUIV, and its final stocks worked out as
// the declaration form totals them.
void insertDeclarations(SqliteDb& db, const DemoOptions& options, const SalesTotals& sales);

// Half to even, as the program rounds: num / den for den > 0.
qint64 divideHalfEven(qint64 num, qint64 den);

} // namespace demo
