#pragma once

// The lookups on a real SQLite business database: the demo database made
// once per test program and opened as the program's connection, plain
// statements on that connection to read or change it, and the service
// released between tests so that it reads its settings afresh.

#include "ScriptedMessages.h"
#include "TestEnv.h"
#include "db/DB_Dll.h"
#include "demo/DemoDb.h"
#include "lookup/Lib_ClsCons3.h"
#include "lookup/Lib_FrmCons3.h"
#include "lookup/Lib_FrmCons3Tree.h"
#include "lookup/ModeloConsulta.h"

#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <functional>
#include <memory>

namespace prueba {

inline QString abreBase(const TestEnv& env, const QString& nombre) {
    const QString ruta = env.ruta(nombre);
    QFile::remove(ruta);
    demo::DemoOptions o;
    o.months = 2;
    o.movements = 20;
    QString error;
    if (!demo::createDemoDatabase(ruta, o, &error))
        qFatal("createDemoDatabase: %s", qPrintable(error));
    DB_Dll& db = DB_Dll::instance();
    db.OpenServerADODB(false, ado::adUseClient,
                       QStringLiteral("Provider=SQLite;Data Source=%1;").arg(ruta), false);
    if (!db.gOpenFlag)
        qFatal("no connection to %s", qPrintable(ruta));
    db.gUsuario = QStringLiteral("operador");
    return ruta;
}

inline void cierraBase() {
    Lib_ClsCons3::release();
    DB_Dll::release();
}

inline void ejecuta(const QString& sql) {
    DB_Dll::instance().gCnn->Execute(sql);
}

// Rows of a statement on the program's connection, every value as text.
inline QList<QStringList> filas(const QString& sql) {
    ado::Recordset rs;
    rs.Open(sql, DB_Dll::instance().gCnn, ado::adOpenForwardOnly, ado::adLockReadOnly);
    QList<QStringList> out;
    for (; !rs.EOF_(); rs.MoveNext()) {
        QStringList fila;
        for (int i = 0; i < rs.FieldCount(); ++i)
            fila << rs.Fields(i).Value().toString();
        out << fila;
    }
    return out;
}

inline void configura(const QString& clave, const QString& valor) {
    ejecuta(QStringLiteral("DELETE FROM TA_CONFIGURACION WHERE CLAVE = '%1'").arg(clave));
    if (!valor.isNull())
        ejecuta(QStringLiteral("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('%1', '%2')")
                    .arg(clave, valor));
    Lib_ClsCons3::release();
}

// The dialog shown and active, as the operator meets it.
inline void muestra(QDialog* d) {
    d->show();
    d->activateWindow();
    if (!QTest::qWaitForWindowActive(d))
        qWarning("dialog not active");
}

// A list lookup on `sql`, loaded and shown; `prepara` sets it up before the
// load.
inline std::unique_ptr<Lib_FrmCons3>
abreVisible(const QString& sql, const std::function<void(Lib_FrmCons3&)>& prepara = {}) {
    auto d = std::make_unique<Lib_FrmCons3>();
    d->SQL = sql;
    if (prepara)
        prepara(*d);
    d->Cargar();
    muestra(d.get());
    return d;
}

// The texts of a list column, in list order.
inline QStringList columna(Lib_FrmCons3* d, int c) {
    QStringList out;
    for (int f = 0; f < d->modelo()->filas(); ++f)
        out << d->modelo()->texto(f, c);
    return out;
}

inline QString textoSeleccionado(Lib_FrmCons3* d, int c) {
    const int f = d->filaSeleccionada();
    return f < 0 ? QStringLiteral("<ninguna>") : d->modelo()->texto(f, c);
}

} // namespace prueba
