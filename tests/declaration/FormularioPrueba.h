#pragma once

// The declaration window on a real SQLite business database: the demo
// database made afresh for each test, opened as the program's connection,
// the window loaded and shown offscreen, and plain SQL on a second
// connection to look at the table or change it behind the window's back.

#include "ScriptedMessages.h"
#include "SqliteDirecto.h"
#include "TestEnv.h"
#include "core/Currency.h"
#include "db/DB_Dll.h"
#include "declaration/FrmQ42.h"
#include "demo/DemoDb.h"
#include "lookup/Lib_ClsCons3.h"
#include "widgets/PanelBar.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <memory>

namespace prueba {

inline int cuenta(const QString& ruta, const QString& donde = QString()) {
    return valor(ruta, QStringLiteral("SELECT COUNT(*) FROM DJ_Q42 ") + donde).toInt();
}

// The demo database with declarations from `meses` months up to
// mes/anio, opened as the program's connection.
inline QString abreBase(const TestEnv& env, const QString& nombre, int anio, int mes,
                        int meses = 3) {
    const QString ruta = env.ruta(nombre);
    demo::DemoOptions o;
    o.months = meses;
    o.movements = 40;
    o.lastYear = anio;
    o.lastMonth = mes;
    QString error;
    if (!demo::createDemoDatabase(ruta, o, &error))
        qFatal("createDemoDatabase: %s", qPrintable(error));
    DB_Dll& db = DB_Dll::instance();
    db.OpenServerADODB(false, ado::adUseClient,
                       QStringLiteral("Provider=SQLite;Data Source=%1;").arg(ruta), false);
    if (!db.gOpenFlag)
        qFatal("no connection to %s", qPrintable(ruta));
    return ruta;
}

inline void cierraBase() {
    Lib_ClsCons3::release();
    DB_Dll::release();
}

// The window loaded and shown, the period box focused.
inline std::unique_ptr<FrmQ42> abreVentana() {
    auto f = std::make_unique<FrmQ42>();
    f->Form_Load();
    f->show();
    f->activateWindow();
    if (!QTest::qWaitForWindowActive(f.get()))
        qWarning("window not active");
    return f;
}

inline QLineEdit* caja(FrmQ42& f, int i) {
    return f.txtFields(i);
}

inline QString etiqueta(FrmQ42& f, const QString& nombre) {
    return f.etiqueta(nombre)->text();
}

// Types into a box as the operator does: focus, replace, type, Enter.
inline void escribe(FrmQ42& f, int i, const QString& texto) {
    QLineEdit* c = f.txtFields(i);
    c->setFocus();
    c->selectAll();
    QTest::keyClicks(c, texto);
    QTest::keyClick(c, Qt::Key_Return);
}

// A key pressed wherever the focus is.
inline void tecla(FrmQ42& f, Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
    QWidget* destino = QApplication::focusWidget() ? QApplication::focusWidget() : &f;
    QTest::keyClick(destino, k, m);
}

inline bool enEdicion(FrmQ42& f) {
    return f.txtFields(1)->isEnabled() && f.PanelBar1->grabarenabled() &&
           !f.PanelBar1->nuevoenabled();
}

} // namespace prueba
