#pragma once

// The embedded engine through the SQLite C API.

#include "Driver.h"

#include <QElapsedTimer>

struct sqlite3;
struct sqlite3_stmt;

namespace ado::detail {

class SqliteDriver final : public Driver {
public:
    // Opens an existing file; a missing file fails and is not created.
    SqliteDriver(const QString& file, Errors& errors);
    ~SqliteDriver() override;

    Engine engine() const override { return Engine::SQLite; }
    Result run(const QString& sql, const QVariantList& params) override;
    Result runText(const QString& sql, const CellFormat& format, TextRows& cells) override;
    void beginTrans(int level) override;
    void commitTrans(int level) override;
    void rollbackTrans(int level) override;
    void setCommandTimeout(int seconds) override;
    void setIsolationLevel(int level) override;
    void useDatabase(const QString&) override {}
    Result tables(const QVariantList& restrictions) override;
    Result columns(const QVariantList& restrictions) override;
    QVariant toStorage(const QVariant& value, int adoType) const override;
    QVariant present(const QVariant& stored, int adoType) const override;

private:
    [[noreturn]] void fail(int rc, const QString& context = QString());
    void bind(sqlite3_stmt* stmt, int index, const QVariant& value);
    static int progress(void* self);

    sqlite3* m_db = nullptr;
    Errors& m_errors;
    int m_timeoutSeconds = 30;
    QElapsedTimer m_clock;
};

} // namespace ado::detail
