#include "SqliteDirecto.h"

#include <sqlite3.h>

namespace prueba {

namespace {

sqlite3* abre(const QString& ruta) {
    sqlite3* db = nullptr;
    if (sqlite3_open(ruta.toUtf8().constData(), &db) != SQLITE_OK)
        qFatal("sqlite3_open %s: %s", qPrintable(ruta), sqlite3_errmsg(db));
    return db;
}

} // namespace

void ejecuta(const QString& ruta, const QStringList& sentencias) {
    sqlite3* db = abre(ruta);
    for (const QString& sql : sentencias) {
        char* error = nullptr;
        if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK)
            qFatal("%s: %s", qPrintable(sql), error);
    }
    sqlite3_close(db);
}

void ejecuta(const QString& ruta, const QString& sql) {
    ejecuta(ruta, QStringList{sql});
}

QList<QVariantList> filas(const QString& ruta, const QString& sql) {
    QList<QVariantList> out;
    sqlite3* db = abre(ruta);
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK)
        qFatal("%s: %s", qPrintable(sql), sqlite3_errmsg(db));
    while (sqlite3_step(st) == SQLITE_ROW) {
        QVariantList fila;
        for (int i = 0; i < sqlite3_column_count(st); ++i) {
            switch (sqlite3_column_type(st, i)) {
            case SQLITE_NULL:
                fila << QVariant();
                break;
            case SQLITE_INTEGER:
                fila << QVariant(qlonglong(sqlite3_column_int64(st, i)));
                break;
            case SQLITE_FLOAT:
                fila << QVariant(sqlite3_column_double(st, i));
                break;
            default:
                fila << QVariant(
                    QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, i))));
            }
        }
        out << fila;
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    return out;
}

QVariant valor(const QString& ruta, const QString& sql) {
    const auto f = filas(ruta, sql);
    return f.isEmpty() ? QVariant() : f.first().value(0);
}

} // namespace prueba
