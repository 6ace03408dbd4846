#include "OdbcFixture.h"

#include <QDir>
#include <QFile>
#include <QLibrary>

namespace {

void append(const QString& path, const QString& text) {
    QFile f(path);
    if (f.open(QIODevice::Append | QIODevice::Text))
        f.write(text.toUtf8());
}

} // namespace

QString OdbcFixture::findLibrary(const QString& fileName) {
    const QStringList folders = {QStringLiteral("/usr/lib/x86_64-linux-gnu/odbc"),
                                 QStringLiteral("/usr/lib/aarch64-linux-gnu/odbc"),
                                 QStringLiteral("/usr/lib/odbc"),
                                 QStringLiteral("/usr/lib64/odbc"),
                                 QStringLiteral("/usr/lib/x86_64-linux-gnu"),
                                 QStringLiteral("/usr/lib64"),
                                 QStringLiteral("/usr/local/lib")};
    for (const QString& folder : folders) {
        const QString path = QDir(folder).filePath(fileName);
        if (QFile::exists(path))
            return path;
    }
    return {};
}

OdbcFixture::OdbcFixture() {
    m_hadSysIni = qEnvironmentVariableIsSet("ODBCSYSINI");
    m_hadIni = qEnvironmentVariableIsSet("ODBCINI");
    m_oldSysIni = qgetenv("ODBCSYSINI");
    m_oldIni = qgetenv("ODBCINI");
    m_sqlite = findLibrary(QStringLiteral("libsqlite3odbc.so"));
    m_freeTds = findLibrary(QStringLiteral("libtdsodbc.so"));
    // The driver manager's settings library is loaded and unloaded with
    // the drivers; pinned, its caches show up under its own name in the
    // sanitizer's leak report (which suppresses them) instead of nothing.
    QLibrary instalador(QStringLiteral("libodbcinst.so.2"));
    instalador.setLoadHints(QLibrary::PreventUnloadHint);
    instalador.load();
    const QString inst = m_dir.filePath(QStringLiteral("odbcinst.ini"));
    append(inst, QStringLiteral("[ODBC]\nTrace=No\n\n"));
    if (!m_sqlite.isEmpty())
        append(inst, QStringLiteral("[%1]\nDescription=SQLite3 ODBC Driver\nDriver=%2\n"
                                    "UsageCount=1\n\n")
                         .arg(sqliteDriver(), m_sqlite));
    if (!m_freeTds.isEmpty())
        append(inst, QStringLiteral("[%1]\nDescription=FreeTDS\nDriver=%2\nUsageCount=1\n\n")
                         .arg(freeTdsDriver(), m_freeTds));
    append(m_dir.filePath(QStringLiteral("odbc.ini")), QString());
    qputenv("ODBCSYSINI", QFile::encodeName(m_dir.path()));
    qputenv("ODBCINI", QFile::encodeName(m_dir.filePath(QStringLiteral("odbc.ini"))));
}

OdbcFixture::~OdbcFixture() {
    if (m_hadSysIni)
        qputenv("ODBCSYSINI", m_oldSysIni);
    else
        qunsetenv("ODBCSYSINI");
    if (m_hadIni)
        qputenv("ODBCINI", m_oldIni);
    else
        qunsetenv("ODBCINI");
}

QString OdbcFixture::sqliteConnectionString(const QString& file) {
    return QStringLiteral("DRIVER={%1};Database=%2;NoCreat=1;Timeout=5000;")
        .arg(sqliteDriver(), file);
}

void OdbcFixture::addDsn(const QString& name, const QString& driver, const QString& database) {
    append(m_dir.filePath(QStringLiteral("odbc.ini")),
           QStringLiteral("[%1]\nDriver=%2\nDatabase=%3\n\n").arg(name, driver, database));
}
