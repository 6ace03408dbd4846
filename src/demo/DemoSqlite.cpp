#include "demo/DemoSqlite.h"

#include <sqlite3.h>
#include <stdexcept>

namespace demo {

SqliteDb::SqliteDb(const QString& path) {
    const QByteArray file = path.toUtf8();
    const int rc = sqlite3_open_v2(file.constData(), &m_db,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc != SQLITE_OK) {
        const QString msg =
            m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close(m_db);
        m_db = nullptr;
        throw std::runtime_error(msg.toStdString());
    }
}

SqliteDb::~SqliteDb() {
    if (m_db)
        sqlite3_close_v2(m_db);
}

void SqliteDb::close() {
    if (m_db && sqlite3_close(m_db) != SQLITE_OK)
        fail(QStringLiteral("cierre"));
    m_db = nullptr;
}

void SqliteDb::fail(const QString& what) const {
    const QString msg = QString::fromUtf8(m_db ? sqlite3_errmsg(m_db) : "sin conexión");
    throw std::runtime_error(QStringLiteral("%1: %2").arg(what, msg).toStdString());
}

void SqliteDb::exec(const QString& sql) {
    const QByteArray text = sql.toUtf8();
    if (sqlite3_exec(m_db, text.constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        fail(sql.left(120));
}

std::vector<std::vector<QVariant>> SqliteDb::query(const QString& sql) {
    const QByteArray text = sql.toUtf8();
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(m_db, text.constData(), int(text.size()), &st, nullptr) != SQLITE_OK)
        fail(sql.left(120));
    std::vector<std::vector<QVariant>> rows;
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        std::vector<QVariant> row;
        for (int i = 0, n = sqlite3_column_count(st); i < n; ++i) {
            switch (sqlite3_column_type(st, i)) {
            case SQLITE_INTEGER:
                row.emplace_back(qint64(sqlite3_column_int64(st, i)));
                break;
            case SQLITE_FLOAT:
                row.emplace_back(sqlite3_column_double(st, i));
                break;
            case SQLITE_NULL:
                row.emplace_back();
                break;
            default:
                row.emplace_back(
                    QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, i))));
            }
        }
        rows.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE) {
        const QString msg = QString::fromUtf8(sqlite3_errmsg(m_db));
        sqlite3_finalize(st);
        throw std::runtime_error(QStringLiteral("%1: %2").arg(sql.left(120), msg).toStdString());
    }
    sqlite3_finalize(st);
    return rows;
}

SqliteStmt::SqliteStmt(SqliteDb& db, const QString& sql) : m_db(db) {
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(db.handle(), text.constData(), int(text.size()), &m_stmt, nullptr) !=
        SQLITE_OK)
        db.fail(sql.left(120));
}

SqliteStmt::~SqliteStmt() {
    sqlite3_finalize(m_stmt);
}

void SqliteStmt::bindStatic(int index, const QByteArray& utf8) {
    sqlite3_bind_text(m_stmt, index, utf8.constData(), int(utf8.size()), SQLITE_STATIC);
}

void SqliteStmt::bindText(int index, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(m_stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

void SqliteStmt::bindLiteral(int index, const char* text) {
    sqlite3_bind_text(m_stmt, index, text, -1, SQLITE_STATIC);
}

void SqliteStmt::bindInt(int index, qint64 value) {
    sqlite3_bind_int64(m_stmt, index, value);
}

void SqliteStmt::bindDouble(int index, double value) {
    sqlite3_bind_double(m_stmt, index, value);
}

void SqliteStmt::bindNull(int index) {
    sqlite3_bind_null(m_stmt, index);
}

void SqliteStmt::step() {
    const int rc = sqlite3_step(m_stmt);
    if (rc != SQLITE_DONE && rc != SQLITE_ROW)
        m_db.fail(QString::fromUtf8(sqlite3_sql(m_stmt)).left(120)); // message before reset
    sqlite3_reset(m_stmt);
}

} // namespace demo
