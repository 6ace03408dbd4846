#pragma once

// Reading and writing "key=value;" connection strings.

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace ado::detail {

class ConnectionString {
public:
    // Keys are trimmed and compared without letter case ("Database =" is
    // "Database"); values are trimmed; a value in braces or quotes keeps
    // its semicolons.
    static ConnectionString parse(const QString& text);

    // The value of the first of the keys present; empty when none is.
    QString value(const QStringList& keys) const;
    bool has(const QStringList& keys) const;
    void remove(const QStringList& keys);
    void set(const QString& key, const QString& value);
    // "KEY=value;" pairs for an ODBC driver, braces where a value needs them.
    QString toOdbc() const;
    const QList<QPair<QString, QString>>& items() const { return m_items; }

private:
    QList<QPair<QString, QString>> m_items;
};

// A value written so that an ODBC driver reads it back unchanged.
QString odbcValue(const QString& value);

// "host,port", "host:port" or a bare host.
struct HostPort {
    QString host;
    QString port;
};
HostPort splitHostPort(const QString& server);

} // namespace ado::detail
