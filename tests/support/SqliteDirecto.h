#pragma once

// Plain SQL on a SQLite file through a connection of its own, beside the
// program's: to prepare a database or to look at it behind the program's
// back. A statement that fails stops the test program with its message.

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace prueba {

// Runs the statements in order; the file is created when missing.
void ejecuta(const QString& ruta, const QString& sql);
void ejecuta(const QString& ruta, const QStringList& sentencias);
// Rows of a statement; numbers as doubles or integers, null as an invalid
// QVariant.
QList<QVariantList> filas(const QString& ruta, const QString& sql);
// The first value of the first row; invalid when there is none.
QVariant valor(const QString& ruta, const QString& sql);

} // namespace prueba
