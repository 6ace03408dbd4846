#include "demo/DemoDb.h"

#include "demo/DemoDeclarations.h"
#include "demo/DemoMovements.h"
#include "demo/DemoSchema.h"
#include "demo/DemoSqlite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUuid>
#include <set>
#include <sqlite3.h>
#include <stdexcept>

namespace demo {

namespace {

QString checkOptions(const DemoOptions& o) {
    if (o.months < 1 || o.months > 1200)
        return QStringLiteral("La cantidad de meses declarados debe estar entre 1 y 1200.");
    if (o.monthsAfter < 0 || o.monthsAfter > 120)
        return QStringLiteral("La cantidad de meses posteriores debe estar entre 0 y 120.");
    if (o.movements < 0)
        return QStringLiteral("La cantidad de movimientos no puede ser negativa.");
    if (o.lastMonth < 1 || o.lastMonth > 12)
        return QStringLiteral("El último mes declarado debe estar entre 1 y 12.");
    // Periods carry a four-digit year.
    const QDate first = QDate(o.lastYear, o.lastMonth, 1).addMonths(-(o.months - 1));
    const QDate after = QDate(o.lastYear, o.lastMonth, 1).addMonths(o.monthsAfter);
    if (!first.isValid() || first.year() < 1000 || after.year() > 9999)
        return QStringLiteral("Los períodos deben tener años de cuatro cifras.");
    return {};
}

void build(const QString& file, const DemoOptions& o) {
    SqliteDb db(file);
    // A half-built file is thrown away, so there is nothing to journal.
    db.exec(QStringLiteral("PRAGMA journal_mode = OFF"));
    db.exec(QStringLiteral("PRAGMA synchronous = OFF"));
    db.exec(QStringLiteral("BEGIN"));
    createSchema(db, o.withCosecha);
    insertFixedRows(db);
    const SalesTotals sales = insertMovements(db, o);
    insertDeclarations(db, o, sales);
    createIndexes(db);
    db.exec(QStringLiteral("COMMIT"));
    db.exec(QStringLiteral("PRAGMA journal_mode = DELETE"));
    db.close();
}

} // namespace

QString periodo(int year, int month) {
    return QStringLiteral("%1/%2")
        .arg(month, 2, 10, QLatin1Char('0'))
        .arg(year, 4, 10, QLatin1Char('0'));
}

bool createDemoDatabase(const QString& path, const DemoOptions& options, QString* error) {
    auto failWith = [error](const QString& msg) {
        if (error)
            *error = msg;
        return false;
    };
    if (path.trimmed().isEmpty())
        return failWith(QStringLiteral("No se indicó el archivo de la base de demostración."));
    const QString bad = checkOptions(options);
    if (!bad.isEmpty())
        return failWith(bad);
    const QFileInfo target(path);
    if (target.exists() || target.isSymLink())
        return failWith(QStringLiteral("El archivo %1 ya existe; no se reemplaza.")
                            .arg(QDir::toNativeSeparators(path)));
    if (!QDir().mkpath(target.absolutePath()))
        return failWith(QStringLiteral("No se pudo crear la carpeta %1.")
                            .arg(QDir::toNativeSeparators(target.absolutePath())));

    const QString temp = path + QLatin1Char('.') +
                         QUuid::createUuid().toString(QUuid::WithoutBraces) +
                         QStringLiteral(".tmp");
    try {
        build(temp, options);
    } catch (const std::exception& e) {
        QFile::remove(temp);
        return failWith(QStringLiteral("No se pudo crear la base de demostración %1: %2")
                            .arg(QDir::toNativeSeparators(path), QString::fromUtf8(e.what())));
    }
    // rename() never replaces an existing file: one made meanwhile wins.
    if (!QFile::rename(temp, path)) {
        QFile::remove(temp);
        return failWith(QStringLiteral("No se pudo crear %1: el archivo ya existe o la carpeta "
                                       "no admite escritura.")
                            .arg(QDir::toNativeSeparators(path)));
    }
    return true;
}

QString defaultDemoPath() {
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty())
        return {};
    return base + QStringLiteral("/q42/demo.sqlite");
}

bool isCompleteDemoDatabase(const QString& path) {
    if (!QFileInfo(path).isFile())
        return false;
    sqlite3* db = nullptr;
    const bool opened = sqlite3_open_v2(QFile::encodeName(path).constData(), &db,
                                        SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK;
    std::set<QString> names;
    sqlite3_stmt* stmt = nullptr;
    // A file that is not a database fails here, not at open.
    if (opened && sqlite3_prepare_v2(db,
                                     "SELECT upper(name) FROM sqlite_master "
                                     "WHERE type IN ('table', 'view')",
                                     -1, &stmt, nullptr) == SQLITE_OK) {
        while (sqlite3_step(stmt) == SQLITE_ROW)
            names.insert(
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0))));
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    auto has = [&names](const char* name) {
        return names.count(QString::fromLatin1(name).toUpper()) > 0;
    };
    if (!has("DJ_Q42"))
        return false;
    for (const TableDef& t : tableDefs())
        if (!has(t.name))
            return false;
    for (const ViewDef& v : viewDefs())
        if (!has(v.name))
            return false;
    return true;
}

namespace {

// "demo.sqlite.dañada", or ".dañada.2" and on when earlier ones are kept.
QString setAsideName(const QString& file) {
    const QString base = file + QStringLiteral(".dañada");
    QString name = base;
    for (int n = 2; QFileInfo::exists(name) || QFileInfo(name).isSymLink(); ++n)
        name = base + QLatin1Char('.') + QString::number(n);
    return name;
}

} // namespace

bool ensureDemoDatabase(QString* path, QString* error, QString* notice) {
    const QString file = defaultDemoPath();
    if (path)
        *path = file;
    if (file.isEmpty()) {
        if (error)
            *error = QStringLiteral("No hay carpeta de datos del usuario para la base de "
                                    "demostración.");
        return false;
    }
    if (QFileInfo::exists(file)) {
        if (isCompleteDemoDatabase(file))
            return true;
        const QString aside = setAsideName(file);
        if (!QFile::rename(file, aside)) {
            if (error)
                *error = QStringLiteral("La base de demostración %1 está dañada o incompleta y "
                                        "no se pudo apartar.")
                             .arg(QDir::toNativeSeparators(file));
            return false;
        }
        if (notice)
            *notice = QStringLiteral("La base de demostración %1 estaba dañada o incompleta: "
                                     "quedó como %2 y se creó una nueva.")
                          .arg(QDir::toNativeSeparators(file), QDir::toNativeSeparators(aside));
    }
    QString why;
    if (createDemoDatabase(file, DemoOptions{}, &why))
        return true;
    // Another instance may have created it in the meantime.
    if (QFileInfo(file).isFile())
        return true;
    if (error)
        *error = why;
    return false;
}

} // namespace demo
