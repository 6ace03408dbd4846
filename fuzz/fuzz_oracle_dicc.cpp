// The Oracle dialect translation. A statement it cannot translate (an
// apostrophe never closed, TOP with nothing after its number) is rejected
// with q42::Error; anything else must come back as text.

#include "FuzzComun.h"
#include "db/DB_Dll.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::regionalArgentina();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static DB_Dll* db = new DB_Dll; // lives for the whole run
    const QString sql = fuzz::texto(data, size);

    db->gConnString = QStringLiteral("PROVIDER=SQLOLEDB;Server=S;Database=D;");
    fuzz::verifica(db->ORACLE_Dicc(sql) == sql, "cambia una sentencia que no va a Oracle", sql);

    db->gConnString = QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=X;");
    try {
        (void)db->ORACLE_Dicc(sql);
    } catch (const q42::Error&) {
    }
    return 0;
}
