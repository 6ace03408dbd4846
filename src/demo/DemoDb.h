#pragma once

// The demo business database: an SQLite file holding every table and view
// the program reads or writes, filled with a plausible wheat flour mill, so
// that the program runs without a server and tests and benchmarks get data
// of any size from the same code.

#include <QString>
#include <QtGlobal>

namespace demo {

struct DemoOptions {
    // Declared months (rows of DJ_Q42), ending at lastMonth/lastYear. With
    // the defaults the declarations run from 07/2023 to 06/2025.
    int months = 24;
    // Rows of V_MV_Stock, spread evenly over the declared months and the
    // monthsAfter months that follow them (07/2025 by default, a month with
    // sales and no declaration yet, ready to be computed).
    int movements = 6000;
    quint32 seed = 42;
    // DJ_Q42 lacks Cosecha unless asked: the program adds it at its start.
    bool withCosecha = false;
    int lastYear = 2025;
    int lastMonth = 6;
    int monthsAfter = 1;
};

// Creates the file and fills it. Never overwrites: an existing file is an
// error. The file appears complete or not at all (it is built under a
// temporary name and renamed at the end).
bool createDemoDatabase(const QString& path, const DemoOptions& options, QString* error);

// <user data folder>/q42/demo.sqlite
QString defaultDemoPath();

// Whether the file is a demo database with every table and view the
// program reads: an empty, damaged or foreign file is not.
bool isCompleteDemoDatabase(const QString& path);

// Creates the default demo database (folders included) when it is missing;
// *path receives its location either way. A file there that is not a
// complete demo is moved aside as "demo.sqlite.dañada" (never deleted) and
// a fresh one made; *notice then says so for the operator.
bool ensureDemoDatabase(QString* path, QString* error, QString* notice = nullptr);

// "MM/YYYY" of a declaration.
QString periodo(int year, int month);

} // namespace demo
