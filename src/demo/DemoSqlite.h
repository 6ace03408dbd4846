#pragma once

// Thin RAII layer over the sqlite3 C API for building the demo database.
// Failures throw std::runtime_error carrying SQLite's message.

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace demo {

class SqliteDb {
public:
    explicit SqliteDb(const QString& path); // creates the file
    ~SqliteDb();
    SqliteDb(const SqliteDb&) = delete;
    SqliteDb& operator=(const SqliteDb&) = delete;

    void exec(const QString& sql);
    // All rows of a query; integers, doubles, texts, Null as an invalid QVariant.
    std::vector<std::vector<QVariant>> query(const QString& sql);
    void close(); // throws when the file cannot be finished cleanly
    sqlite3* handle() const { return m_db; }
    [[noreturn]] void fail(const QString& what) const;

private:
    sqlite3* m_db = nullptr;
};

// A prepared statement; bind by 1-based index, then step() to run it and
// start over with the next row's values.
class SqliteStmt {
public:
    SqliteStmt(SqliteDb& db, const QString& sql);
    ~SqliteStmt();
    SqliteStmt(const SqliteStmt&) = delete;
    SqliteStmt& operator=(const SqliteStmt&) = delete;

    // The bytes must outlive the next step().
    void bindStatic(int index, const QByteArray& utf8);
    void bindText(int index, const QString& text); // copied
    void bindLiteral(int index, const char* text); // a string literal, not copied
    void bindInt(int index, qint64 value);
    void bindDouble(int index, double value);
    void bindNull(int index);
    void step(); // runs an INSERT/UPDATE and resets for the next row

private:
    SqliteDb& m_db;
    sqlite3_stmt* m_stmt = nullptr;
};

} // namespace demo
