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

// A complete demo carries a seal in its header: the application id below
// and, as user version, the schema's change counter when it was sealed.
// The header is read without parsing the schema; a table dropped or a
// column added since changes the counter, and the names are read again.
constexpr int kMarcaDemo = 0x51343244; // "Q42D"

int cabecera(sqlite3* db, const char* pragma) {
    sqlite3_stmt* stmt = nullptr;
    int valor = 0;
    if (sqlite3_prepare_v2(db, pragma, -1, &stmt, nullptr) == SQLITE_OK &&
        sqlite3_step(stmt) == SQLITE_ROW)
        valor = sqlite3_column_int(stmt, 0);
    sqlite3_finalize(stmt);
    return valor;
}

bool estaSellada(sqlite3* db) {
    const int esquema = cabecera(db, "PRAGMA schema_version");
    return esquema != 0 && cabecera(db, "PRAGMA application_id") == kMarcaDemo &&
           cabecera(db, "PRAGMA user_version") == esquema;
}

// Within one write transaction, so that no schema change slips between
// reading the counter and writing it.
bool sella(sqlite3* db) {
    if (sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK)
        return false;
    const int esquema = cabecera(db, "PRAGMA schema_version");
    const QByteArray sql = "PRAGMA application_id = " + QByteArray::number(kMarcaDemo) +
                           "; PRAGMA user_version = " + QByteArray::number(esquema) + ";";
    if (esquema == 0 || sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr) != SQLITE_OK) {
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        return false;
    }
    return sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
}

void sellaArchivo(const QString& path) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr) ==
        SQLITE_OK)
        sella(db);
    sqlite3_close(db);
}

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
    insertMovements(db, o);
    insertDeclarations(db, o);
    createIndexes(db);
    db.exec(QStringLiteral("COMMIT"));
    if (!sella(db.handle()))
        db.fail(QStringLiteral("PRAGMA user_version"));
    db.exec(QStringLiteral("PRAGMA journal_mode = DELETE"));
    db.close();
}

// One read of the named tables and views, which makes SQLite parse the
// whole schema: done only when the file carries no valid seal.
bool tieneTodasLasTablas(sqlite3* db) {
    std::set<QString> names;
    sqlite3_stmt* stmt = nullptr;
    // A file that is not a database fails here, not at open.
    if (sqlite3_prepare_v2(db,
                           "SELECT upper(name) FROM sqlite_master "
                           "WHERE type IN ('table', 'view')",
                           -1, &stmt, nullptr) == SQLITE_OK) {
        while (sqlite3_step(stmt) == SQLITE_ROW)
            names.insert(
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0))));
    }
    sqlite3_finalize(stmt);
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

enum class Estado { Ausente, Incompleta, Completa, Sellada };

Estado revisa(const QString& path) {
    if (!QFileInfo(path).isFile())
        return Estado::Ausente;
    sqlite3* db = nullptr;
    Estado estado = Estado::Incompleta;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr) ==
        SQLITE_OK)
        estado = estaSellada(db)           ? Estado::Sellada
                 : tieneTodasLasTablas(db) ? Estado::Completa
                                           : Estado::Incompleta;
    sqlite3_close(db);
    return estado;
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
    const Estado estado = revisa(path);
    return estado == Estado::Completa || estado == Estado::Sellada;
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
        switch (revisa(file)) {
        case Estado::Sellada:
            return true;
        case Estado::Completa:
            // Made before the seal, or changed since (the program adds a
            // column at its first start): sealed now, the next start reads
            // the header only. A file in use elsewhere is sealed later.
            sellaArchivo(file);
            return true;
        case Estado::Ausente:
        case Estado::Incompleta:
            break;
        }
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
