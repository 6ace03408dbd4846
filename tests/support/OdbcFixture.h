#pragma once

#include <QString>
#include <QTemporaryDir>

// A private ODBC set-up for a test program: the real SQLite and FreeTDS
// drivers registered as "SQLite3" and "FreeTDS" in an odbcinst.ini of a
// temporary folder, reached through ODBCSYSINI and ODBCINI; the system's
// files are never read or written. Create it before the program's first
// ODBC call (a member of the test class does) and keep it alive.
class OdbcFixture {
public:
    OdbcFixture();
    ~OdbcFixture();
    OdbcFixture(const OdbcFixture&) = delete;
    OdbcFixture& operator=(const OdbcFixture&) = delete;

    // Both driver libraries were found.
    bool isValid() const { return !m_sqlite.isEmpty() && !m_freeTds.isEmpty(); }
    QString sqliteLibrary() const { return m_sqlite; }
    QString freeTdsLibrary() const { return m_freeTds; }
    QString folder() const { return m_dir.path(); }

    static QString sqliteDriver() { return QStringLiteral("SQLite3"); }
    static QString freeTdsDriver() { return QStringLiteral("FreeTDS"); }

    // "DRIVER={SQLite3};Database=<file>;..." for an existing file (the
    // driver is told never to create one).
    static QString sqliteConnectionString(const QString& file);

    // Adds a data source to the private odbc.ini.
    void addDsn(const QString& name, const QString& driver, const QString& database);

    // A driver library in the usual folders ("libtdsodbc.so"); empty when
    // none is installed.
    static QString findLibrary(const QString& fileName);

private:
    QTemporaryDir m_dir;
    QString m_sqlite;
    QString m_freeTds;
    QByteArray m_oldSysIni;
    QByteArray m_oldIni;
    bool m_hadSysIni = false;
    bool m_hadIni = false;
};
