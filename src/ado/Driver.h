#pragma once

// What a database engine offers the Connection and Recordset classes. One
// implementation talks to the SQLite C API, one to ODBC. Every method that
// fails fills the Errors collection it was given and throws q42::Error.

#include "Ado.h"
#include "TextRows.h"

#include <QString>
#include <QVariant>
#include <QVariantList>
#include <vector>

namespace ado::detail {

// Hands a text about to be run to the trace of Connection::setTrace.
void traceStatement(const QString& sql);

struct Column {
    QString name;
    QString baseColumn; // column of the base table; empty for an expression
    int type = adVariant;
    int definedSize = 0;
    int precision = 0;
    int scale = 0;
};

// A column of a catalogue answer (tables, columns), the same for every driver.
inline Column schemaColumn(const char* name, int type, int size = 0) {
    Column c;
    c.name = QLatin1String(name);
    c.type = type;
    c.definedSize = size;
    return c;
}

// Rows hold the values as the engine returned them (storage form).
struct Result {
    bool hasColumns = false;
    std::vector<Column> columns;
    std::vector<QVariantList> rows;
    long affected = -1;
};

class Driver {
public:
    virtual ~Driver() = default;
    virtual Engine engine() const = 0;
    // Runs one statement (already in the engine's dialect) with positional
    // "?" parameters.
    virtual Result run(const QString& sql, const QVariantList& params = {}) = 0;
    // As run, without parameters, the rows left out of the result and kept
    // in `cells` as text instead (see TextRows.h).
    virtual Result runText(const QString& sql, const CellFormat& format, TextRows& cells);
    virtual void beginTrans(int level) = 0; // level of the new transaction, 1 for the outer one
    virtual void commitTrans(int level) = 0;
    virtual void rollbackTrans(int level) = 0;
    virtual void setCommandTimeout(int seconds) = 0;
    // For the transaction about to begin: the level asked, or the nearest
    // stronger one the engine offers; adXactUnspecified goes back to the
    // level the connection had when opened. Never fails: a level refused
    // leaves the engine's own.
    virtual void setIsolationLevel(int level) = 0;
    virtual void useDatabase(const QString& name) = 0;
    // Restrictions in ADO's order: catalogue, schema, table[, column|type].
    virtual Result tables(const QVariantList& restrictions) = 0;
    virtual Result columns(const QVariantList& restrictions) = 0;
    // Value to bind for a column of the given ADO type (storage form).
    virtual QVariant toStorage(const QVariant& value, int adoType) const = 0;
    // Values as read, turned into what Field::Value shows.
    virtual QVariant present(const QVariant& stored, int adoType) const = 0;
    // The test "column holds the value it was read with" for one parameter.
    virtual QString equalsParameter(const QString& quotedColumn, int /*adoType*/) const {
        return quotedColumn + QStringLiteral(" = ?");
    }
};

} // namespace ado::detail
