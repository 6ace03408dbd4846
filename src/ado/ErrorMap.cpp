#include "ErrorMap.h"

#include "AdoErrors.h"

#include <sqlite3.h>

namespace ado::detail {

namespace {

using q42::err::E_Fail;
using q42::err::ErrorsInCommand;
using q42::err::IntegrityViolation;
using q42::err::NoTable;
using q42::err::Timeout;

struct Mapping {
    const char* sqlState;
    qint32 number;
    qint32 native; // 0: keep the engine's own code
};

struct CodeMapping {
    int code;
    Mapping map;
};

// Extended result codes first, then primary codes.
constexpr CodeMapping kCodes[] = {
    {SQLITE_CONSTRAINT_UNIQUE, {"23000", IntegrityViolation, 2627}},
    {SQLITE_CONSTRAINT_PRIMARYKEY, {"23000", IntegrityViolation, 2627}},
    {SQLITE_CONSTRAINT_NOTNULL, {"23000", IntegrityViolation, 515}},
    {SQLITE_CONSTRAINT_FOREIGNKEY, {"23000", IntegrityViolation, 547}},
    {SQLITE_CONSTRAINT_CHECK, {"23000", IntegrityViolation, 547}},
    {SQLITE_CONSTRAINT, {"23000", IntegrityViolation, 0}},
    {SQLITE_CANTOPEN, {"08001", E_Fail, 0}},
    {SQLITE_NOTADB, {"08001", E_Fail, 0}},
    {SQLITE_BUSY, {"HYT00", Timeout, 0}},
    {SQLITE_LOCKED, {"HYT00", Timeout, 0}},
    {SQLITE_INTERRUPT, {"HYT00", Timeout, 0}},
};

struct TextMapping {
    const char* text;
    Mapping map;
};

// SQL Server's native numbers for the same faults.
constexpr TextMapping kMessages[] = {
    {"UNIQUE constraint failed", {"23000", IntegrityViolation, 2627}},
    {"PRIMARY KEY must be unique", {"23000", IntegrityViolation, 2627}},
    {"is not unique", {"23000", IntegrityViolation, 2627}},
    {"NOT NULL constraint failed", {"23000", IntegrityViolation, 515}},
    {"may not be NULL", {"23000", IntegrityViolation, 515}},
    {"FOREIGN KEY constraint failed", {"23000", IntegrityViolation, 547}},
    {"CHECK constraint failed", {"23000", IntegrityViolation, 547}},
    {"no such table", {"42S02", NoTable, 208}},
    {"no such column", {"42S22", ErrorsInCommand, 207}},
    {"syntax error", {"42000", ErrorsInCommand, 102}},
    {"already exists", {"42S01", ErrorsInCommand, 2714}},
};

const Mapping* byMessage(const QString& message) {
    for (const TextMapping& m : kMessages)
        if (message.contains(QLatin1String(m.text), Qt::CaseInsensitive))
            return &m.map;
    return nullptr;
}

void apply(ado::Error& e, const Mapping& m) {
    e.SQLState = QLatin1String(m.sqlState);
    e.Number = m.number;
    if (m.native != 0)
        e.NativeError = m.native;
}

struct StateMapping {
    const char* prefix;
    qint32 number;
};

// Longest prefixes first.
constexpr StateMapping kStates[] = {
    {"42S02", NoTable},         {"S0002", NoTable},
    {"HYT00", Timeout},         {"HYT01", Timeout},
    {"S1T00", Timeout},         {"22001", DataOverflow},
    {"23", IntegrityViolation}, {"42", ErrorsInCommand},
    {"37", ErrorsInCommand},    {"08", E_Fail},
};

} // namespace

ado::Error errorFromSqlite(int extendedCode, const QString& message) {
    ado::Error e;
    e.Description = ado::redactPasswords(message);
    e.NativeError = extendedCode;
    e.Source = source();
    e.SQLState = QStringLiteral("HY000");
    e.Number = E_Fail;
    for (const CodeMapping& c : kCodes)
        if (c.code == extendedCode || (c.code == (extendedCode & 0xff) && c.code < 256)) {
            apply(e, c.map);
            if (c.code == SQLITE_CONSTRAINT)
                if (const Mapping* m = byMessage(message))
                    apply(e, *m);
            return e;
        }
    if ((extendedCode & 0xff) == SQLITE_ERROR) {
        e.SQLState = QStringLiteral("42000");
        e.Number = ErrorsInCommand;
        if (const Mapping* m = byMessage(message))
            apply(e, *m);
    }
    return e;
}

qint32 numberForSqlState(const QString& sqlState) {
    for (const StateMapping& s : kStates)
        if (sqlState.startsWith(QLatin1String(s.prefix)))
            return s.number;
    return E_Fail;
}

void mapSqliteMessage(ado::Error& error) {
    if (const Mapping* m = byMessage(error.Description))
        apply(error, *m);
}

} // namespace ado::detail
