// The synonym substitution, for an administrator (first byte odd) and for
// any other user.

#include "FuzzComun.h"
#include "db/DB_Dll.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    static DB_Dll* db = new DB_Dll; // lives for the whole run
    db->gEsAdmin = (data[0] & 1) != 0;
    const QString sql = fuzz::texto(data + 1, size - 1);
    const QString resultado = db->SS_TSinonimos(sql);
    if (db->gEsAdmin)
        fuzz::verifica(resultado.size() <= sql.size(), "un administrador alarga la sentencia", sql);
    return 0;
}
