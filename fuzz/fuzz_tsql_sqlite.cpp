// The T-SQL the program writes, adapted for SQLite before it runs there; and
// the single-table reading the record sets use to write rows back.

#include "FuzzComun.h"
#include "ado/SqlTokens.h"
#include "ado/TsqlAdapter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString sql = fuzz::texto(data, size);
    (void)ado::adaptTsqlForSqlite(sql);
    (void)ado::detail::bareName(ado::detail::singleTableOf(sql));
    return 0;
}
