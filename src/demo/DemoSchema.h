#pragma once

// Tables and views of the demo business database, as data: each table is
// a name, its columns ("NAME type, ...") and its key. Text columns compare
// without regard to letter case, as on the business system's server.

#include <QString>
#include <QStringList>
#include <vector>

namespace demo {

class SqliteDb;

struct TableDef {
    const char* name;
    const char* columns; // "CODIGO nvarchar(10), DESCRIPCION nvarchar(60)"
    const char* key;     // "CODIGO" or "A, B"
};

struct ViewDef {
    const char* name;
    const char* select;
};

// Rows of a fixed table: values in the table's column order separated by
// "|"; "~" is Null. SQLite's column affinity turns numeric text into numbers.
struct FixedRows {
    const char* table;
    std::vector<QString> rows;
};

struct Column {
    QString name;
    QString type;
};

const std::vector<TableDef>& tableDefs();
const std::vector<ViewDef>& viewDefs();
const std::vector<FixedRows>& fixedRows();

// The declaration table's columns in their documented order; Cosecha
// only when asked, since the program adds it itself at its first start.
std::vector<Column> declarationColumns(bool withCosecha);

// "CREATE TABLE ..." with COLLATE NOCASE added to every text column.
QString createTableSql(const QString& name, const std::vector<Column>& columns, const QString& key);
std::vector<Column> parseColumns(const char* columns);

void createSchema(SqliteDb& db, bool withCosecha);
void insertFixedRows(SqliteDb& db);
void createIndexes(SqliteDb& db);

} // namespace demo
