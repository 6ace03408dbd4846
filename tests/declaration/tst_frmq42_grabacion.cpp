// Saving and deleting from the keyboard, checked in the table afterwards:
// a new month, an edited one, the totals that are stored, and the saves
// that must fail without writing anything.

#include "FormularioPrueba.h"
#include "core/Cifras.h"
#include "declaration/ColumnasDeclaracion.h"
#include "declaration/DlgRevision.h"
#include "report/Reportes.h"

#include <QFile>
#include <QListWidget>

using namespace prueba;

namespace {

// Every row of the table as text, for "nothing else changed".
QStringList tabla(const QString& ruta, const QString& salvo = QString()) {
    QStringList out;
    for (const QVariantList& fila :
         filas(ruta, QStringLiteral("SELECT * FROM DJ_Q42 WHERE Periodo <> '%1' ORDER BY Periodo")
                         .arg(salvo)))
        out << QVariant(fila).toStringList().join(QLatin1Char('|'));
    return out;
}

// What the error log holds so far.
QString registro() {
    QFile log(DB_Dll::rutaErrorLog());
    return log.open(QIODevice::ReadOnly) ? QString::fromLatin1(log.readAll()) : QString();
}

double numero(const QString& ruta, const QString& columna, const QString& periodo) {
    return valor(ruta,
                 QStringLiteral("SELECT %1 FROM DJ_Q42 WHERE Periodo='%2'").arg(columna, periodo))
        .toDouble();
}

// One step of the operator: "periodo 05/2025" and "caja 2 4321" type and
// confirm with Enter; "escribe 2 12-5" types without Enter; "pega 2 12x"
// puts text in past the key filter; "foco 0"; "tecla F5" (F2, F5, F6, F8,
// Esc, Enter, ShiftTab); "navega ULTIMO"; "calcula" ("&Calcular"); "cierra"
// (the window's close box).
// How the next review of the figures is answered ("igual", or the finding
// to revise), and the findings it listed, up to their colon.
QString g_revision;
QStringList g_revisado;

int respondeDialogo(QDialog* d) {
    auto* revision = qobject_cast<declaracion::DlgRevision*>(d);
    if (!revision)
        return QDialog::Rejected; // the print preview
    auto* lista = revision->findChild<QListWidget*>(QStringLiteral("LstHallazgos"));
    for (int i = 0; i < lista->count(); ++i)
        g_revisado << QStringLiteral("revisión: ") + lista->item(i)->text().section(':', 0, 0);
    if (g_revision == QLatin1String("igual"))
        return QDialog::Accepted;
    lista->setCurrentRow(g_revision.toInt());
    return QDialog::Rejected;
}

void paso(FrmQ42& f, const QString& texto) {
    const QString verbo = texto.section(QLatin1Char(' '), 0, 0);
    const QString uno = texto.section(QLatin1Char(' '), 1, 1);
    const QString resto = texto.section(QLatin1Char(' '), 2);
    if (verbo == QLatin1String("periodo")) {
        escribe(f, 0, uno);
    } else if (verbo == QLatin1String("caja")) {
        escribe(f, uno.toInt(), resto);
    } else if (verbo == QLatin1String("escribe") || verbo == QLatin1String("pega")) {
        QLineEdit* c = caja(f, uno.toInt());
        c->setFocus();
        c->selectAll();
        if (verbo == QLatin1String("pega"))
            c->insert(resto);
        else
            QTest::keyClicks(c, resto);
    } else if (verbo == QLatin1String("teclea")) {
        // Typed wherever the focus is, as the operator does.
        QTest::keyClicks(QApplication::focusWidget(), uno);
    } else if (verbo == QLatin1String("foco")) {
        caja(f, uno.toInt())->setFocus();
    } else if (verbo == QLatin1String("tecla")) {
        static const QHash<QString, std::pair<Qt::Key, Qt::KeyboardModifiers>> teclas = {
            {"F2", {Qt::Key_F2, Qt::NoModifier}},
            {"F5", {Qt::Key_F5, Qt::NoModifier}},
            {"F6", {Qt::Key_F6, Qt::NoModifier}},
            {"F8", {Qt::Key_F8, Qt::NoModifier}},
            {"Esc", {Qt::Key_Escape, Qt::NoModifier}},
            {"Enter", {Qt::Key_Return, Qt::NoModifier}},
            {"ShiftTab", {Qt::Key_Backtab, Qt::ShiftModifier}},
            {"PgUp", {Qt::Key_PageUp, Qt::NoModifier}},
        };
        QVERIFY2(teclas.contains(uno), qPrintable(uno));
        tecla(f, teclas[uno].first, teclas[uno].second);
    } else if (verbo == QLatin1String("navega")) {
        f.NavBar1_ButtonClick(uno);
    } else if (verbo == QLatin1String("calcula")) {
        f.CmdCalcular->click();
    } else if (verbo == QLatin1String("libros")) {
        f.CmdLibros->click();
    } else if (verbo == QLatin1String("cierra")) {
        f.close();
    } else if (verbo == QLatin1String("revision")) {
        g_revision = uno;
    } else {
        QFAIL(qPrintable(texto));
    }
}

} // namespace

class TstFrmQ42Grabacion : public QObject {
    Q_OBJECT
    TestEnv env;
    QString ruta;
    int numeroBase = 0;

private Q_SLOTS:
    void init() { ruta = abreBase(env, QStringLiteral("g%1.sqlite").arg(++numeroBase), 2025, 6); }
    void cleanup() { cierraBase(); }

    // The worked figures: wheat 100, 50, 120 and 5; flour 000 at 64 %
    // with 10 in stock and 30 + 5 + 5 out. The final stock is stored.
    void mesNuevoConTotales() {
        ScriptedMessages msgs;
        auto f = abreVentana();
        const QStringList antes = tabla(ruta);
        escribe(*f, 0, QStringLiteral("07/2025"));
        const QList<std::pair<int, QString>> entradas = {
            {1, "100"}, {2, "50"}, {3, "120"}, {4, "5"},  {5, "10"},
            {10, "0"},  {20, "0"}, {25, "30"}, {30, "5"}, {35, "5"}};
        for (const auto& [i, texto] : entradas)
            escribe(*f, i, texto);
        QCOMPARE(caja(*f, 2)->text(), QStringLiteral("50,00"));
        QCOMPARE(etiqueta(*f, QStringLiteral("LblTotIngresos")), QStringLiteral("150,00"));
        QCOMPARE(etiqueta(*f, QStringLiteral("lBLTotEgresos")), QStringLiteral("125,00"));
        QCOMPARE(etiqueta(*f, QStringLiteral("LblFinal")), QStringLiteral("25,00"));
        QCOMPARE(etiqueta(*f, QStringLiteral("LblST000")), QStringLiteral("80,00"));
        QCOMPARE(etiqueta(*f, QStringLiteral("LblT000")), QStringLiteral("90,00"));
        QCOMPARE(etiqueta(*f, QStringLiteral("LblTS000")), QStringLiteral("40,00"));
        QCOMPARE(etiqueta(*f, QStringLiteral("LblF000")), QStringLiteral("50,00"));
        // The remarks are never reformatted.
        escribe(*f, 40, QStringLiteral("1.5 t"));
        QCOMPARE(caja(*f, 40)->text(), QStringLiteral("1.5 t"));
        f->caja(QStringLiteral("TxtBasura"))->setText(QStringLiteral(" '30' "));

        tecla(*f, Qt::Key_F5);
        QCOMPARE(msgs.count(), 0);
        QVERIFY(!f->Grabando());
        QVERIFY(!enEdicion(*f));
        QVERIFY(caja(*f, 0)->text().isEmpty());
        QCOMPARE(QApplication::focusWidget(), caja(*f, 0));
        QCOMPARE(f->StbEstado->text(), QStringLiteral("Declaración 07/2025 grabada."));
        // Exactly one row more, the others untouched, every column written.
        QCOMPARE(tabla(ruta, QStringLiteral("07/2025")), antes);
        QCOMPARE(cuenta(ruta, QStringLiteral("WHERE Periodo='07/2025'")), 1);
        const QVariantList fila =
            filas(ruta, QStringLiteral("SELECT * FROM DJ_Q42 WHERE Periodo='07/2025'")).first();
        QCOMPARE(fila.size(), 55);
        for (int i = 0; i < fila.size(); ++i)
            QVERIFY2(fila[i].isValid(), qPrintable(QString::number(i)));
        QCOMPARE(numero(ruta, QStringLiteral("F000"), QStringLiteral("07/2025")), 50.0);
        QCOMPARE(numero(ruta, QStringLiteral("P_Ingresos"), QStringLiteral("07/2025")), 50.0);
        QCOMPARE(valor(ruta, QStringLiteral("SELECT CodBasura||Observaciones FROM DJ_Q42 "
                                            "WHERE Periodo='07/2025'")),
                 QVariant(QStringLiteral("'30'1.5 t")));
    }

    // Editing an existing month changes that row only.
    void mesExistenteEditado() {
        ScriptedMessages msgs;
        auto f = abreVentana();
        const QStringList otras = tabla(ruta, QStringLiteral("05/2025"));
        escribe(*f, 0, QStringLiteral("05/2025"));
        escribe(*f, 2, QStringLiteral("4321,5"));
        escribe(*f, 40, QStringLiteral("revisar"));
        tecla(*f, Qt::Key_F5);
        QCOMPARE(msgs.count(), 0);
        QVERIFY(!enEdicion(*f));
        QCOMPARE(tabla(ruta, QStringLiteral("05/2025")), otras);
        QCOMPARE(numero(ruta, QStringLiteral("P_Ingresos"), QStringLiteral("05/2025")), 4321.5);
        QCOMPARE(valor(ruta, QStringLiteral("SELECT Observaciones FROM DJ_Q42 "
                                            "WHERE Periodo='05/2025'")),
                 QVariant(QStringLiteral("revisar")));
    }

    void sinBanderasNoGraba() {
        ScriptedMessages msgs;
        auto f = abreVentana();
        const QStringList antes = tabla(ruta);
        caja(*f, 0)->setText(QStringLiteral("08/2025"));
        f->GrabaRegistro();
        QVERIFY(!f->HuboError());
        QCOMPARE(tabla(ruta), antes);
        QCOMPARE(msgs.count(), 0);
    }

    void periodoVacioAlGrabar() {
        ScriptedMessages msgs;
        auto f = abreVentana();
        const QStringList antes = tabla(ruta);
        escribe(*f, 0, QStringLiteral("07/2025"));
        caja(*f, 0)->clear();
        caja(*f, 3)->setFocus();
        tecla(*f, Qt::Key_F5);
        QCOMPARE(msgs.count(), 1);
        QCOMPARE(msgs.last().prompt, QStringLiteral(" Debe informar el Periodo!"));
        QVERIFY(!f->Grabando());
        QVERIFY(enEdicion(*f));
        QCOMPARE(QApplication::focusWidget(), caja(*f, 0));
        QCOMPARE(tabla(ruta), antes);
    }

    // The full check stops at the first failing box: the ones after it are
    // not reformatted.
    void chequeoSeDetieneEnElPrimero() {
        ScriptedMessages msgs;
        auto f = abreVentana();
        escribe(*f, 0, QStringLiteral("07/2025"));
        caja(*f, 0)->setText(QStringLiteral("7/2025"));
        caja(*f, 2)->setText(QStringLiteral("12"));
        QVERIFY(!f->Datosvalidos());
        QCOMPARE(msgs.count(), 1);
        QCOMPARE(caja(*f, 2)->text(), QStringLiteral("12"));
    }

    void borrar_data() {
        QTest::addColumn<int>("respuesta");
        QTest::newRow("yes") << int(q42::vbYes);
        QTest::newRow("no") << int(q42::vbNo);
    }
    void borrar() {
        QFETCH(int, respuesta);
        ScriptedMessages msgs;
        auto f = abreVentana();
        const QStringList otras = tabla(ruta, QStringLiteral("05/2025"));
        const QStringList antes = tabla(ruta);
        escribe(*f, 0, QStringLiteral("05/2025"));
        msgs.answer(respuesta);
        tecla(*f, Qt::Key_F8);
        QCOMPARE(msgs.count(), 1);
        QCOMPARE(msgs.last().prompt, QStringLiteral("Confirma la baja de este registro?"));
        QCOMPARE(msgs.last().title, QStringLiteral("Atención!"));
        QCOMPARE(msgs.last().buttons(), int(q42::vbYesNo));
        QCOMPARE(msgs.last().icon(), int(q42::vbExclamation));
        QCOMPARE(msgs.last().defaultButton(), int(q42::vbDefaultButton2));
        if (respuesta == q42::vbYes) {
            QCOMPARE(tabla(ruta), otras);
            QVERIFY(!enEdicion(*f));
            QVERIFY(caja(*f, 0)->text().isEmpty());
            QVERIFY(caja(*f, 2)->text().isEmpty());
            QCOMPARE(f->StbEstado->text(), QStringLiteral("Declaración 05/2025 borrada."));
        } else {
            QVERIFY(f->StbEstado->text().isEmpty());
            QCOMPARE(tabla(ruta), antes);
            QVERIFY(enEdicion(*f));
            QCOMPARE(caja(*f, 0)->text(), QStringLiteral("05/2025"));
        }
        QCOMPARE(msgs.unexpected(), 0);
    }

    // Keystrokes that once renamed, overwrote or dropped a month. Every
    // month not named in "cambios" ("period column value", "period -" for
    // a month that must not exist) is stored exactly as before.
    void teclado_data() {
        QTest::addColumn<QString>("preparacion");
        QTest::addColumn<QStringList>("pasos");
        QTest::addColumn<QList<int>>("respuestas");
        QTest::addColumn<QStringList>("avisos");
        QTest::addColumn<QStringList>("cambios");
        QTest::addColumn<QString>("modo"); // "edicion", "consulta" or "" for either
        QTest::addColumn<int>("foco");     // box with the focus at the end, -1 any
        using declaracion::mensajeCambiosSinGrabar;
        using declaracion::mensajeOtroPeriodo;
        const QString mayo = QStringLiteral("05/2025");
        const QList<int> ninguna;
        const QList<int> ok{q42::vbOK};
        QTest::newRow("F6 after typing another period over a loaded month")
            << QString()
            << QStringList{"periodo 05/2025", "tecla ShiftTab", "escribe 0 09/2025", "tecla F6"}
            << ok << QStringList{mensajeOtroPeriodo("09/2025", mayo)} << QStringList{"09/2025 -"}
            << "edicion" << 0;
        QTest::newRow("F6 after typing another period over a browsed month")
            << QString() << QStringList{"navega ULTIMO", "escribe 0 09/2025", "tecla F6"} << ok
            << QStringList{mensajeOtroPeriodo("09/2025", "06/2025")} << QStringList{"09/2025 -"}
            << "consulta" << 0;
        QTest::newRow("F5 after typing a stored month over a new draft")
            << QString()
            << QStringList{"periodo 07/2025", "tecla ShiftTab", "escribe 0 05/2025", "tecla F5"}
            << ok << QStringList{mensajeOtroPeriodo(mayo, "07/2025")} << QStringList{"07/2025 -"}
            << "edicion" << 0;
        QTest::newRow("Enter in the last box goes round to the first figure")
            << QString()
            << QStringList{"periodo 05/2025", "caja 2 4321", "caja 40 nota", "tecla Enter",
                           "tecla F5"}
            << ninguna << QStringList()
            << QStringList{"05/2025 P_Ingresos 4321", "05/2025 Observaciones nota"} << "consulta"
            << 0;
        QTest::newRow("Enter on the confirmed period reloads nothing")
            << QString()
            << QStringList{"periodo 05/2025", "caja 2 4321", "foco 0", "tecla Enter", "tecla F5"}
            << ninguna << QStringList() << QStringList{"05/2025 P_Ingresos 4321"} << "consulta"
            << 0;
        QTest::newRow("Esc over edits, Cancel keeps them")
            << QString() << QStringList{"periodo 05/2025", "caja 2 4321", "tecla Esc", "tecla F5"}
            << QList<int>{q42::vbCancel} << QStringList{mensajeCambiosSinGrabar(mayo)}
            << QStringList{"05/2025 P_Ingresos 4321"} << "consulta" << 0;
        QTest::newRow("Esc over edits, No drops them")
            << QString() << QStringList{"periodo 05/2025", "caja 2 4321", "tecla Esc"}
            << QList<int>{q42::vbNo} << QStringList{mensajeCambiosSinGrabar(mayo)} << QStringList()
            << "consulta" << 0;
        QTest::newRow("Esc over edits, Yes saves them")
            << QString() << QStringList{"periodo 05/2025", "caja 2 4321", "tecla Esc"}
            << QList<int>{q42::vbYes} << QStringList{mensajeCambiosSinGrabar(mayo)}
            << QStringList{"05/2025 P_Ingresos 4321"} << "consulta" << 0;
        QTest::newRow("Esc without edits asks nothing")
            << QString() << QStringList{"periodo 05/2025", "tecla Esc"} << ninguna << QStringList()
            << QStringList() << "consulta" << 0;
        QTest::newRow("close box over edits, Yes saves them")
            << QString() << QStringList{"periodo 05/2025", "caja 2 4321", "cierra"}
            << QList<int>{q42::vbYes} << QStringList{mensajeCambiosSinGrabar(mayo)}
            << QStringList{"05/2025 P_Ingresos 4321"} << QString() << -1;
        QTest::newRow("another period over edits, Yes saves the first")
            << QString() << QStringList{"periodo 05/2025", "caja 2 4321", "periodo 06/2025"}
            << QList<int>{q42::vbYes} << QStringList{mensajeCambiosSinGrabar(mayo)}
            << QStringList{"05/2025 P_Ingresos 4321"} << "edicion" << 1;
        QTest::newRow("another period over edits, Cancel keeps the month on screen")
            << QString()
            << QStringList{"periodo 05/2025", "caja 2 4321", "periodo 06/2025", "tecla F5"}
            << QList<int>{q42::vbCancel} << QStringList{mensajeCambiosSinGrabar(mayo)}
            << QStringList{"05/2025 P_Ingresos 4321"} << "consulta" << 0;
        QTest::newRow("F6 in browse mode prints the row as stored")
            << QStringLiteral("UPDATE DJ_Q42 SET P_Ingresos=NULL, P_Otros=1.005 "
                              "WHERE Periodo='04/2025'")
            << QStringList{"navega PRIMERO", "tecla F6", "navega SIGUIENTE"} << ninguna
            << QStringList() << QStringList() << "consulta" << -1;
        QTest::newRow("F2 then browsing: F6 adds no second month")
            << QString() << QStringList{"tecla F2", "navega ULTIMO", "tecla F6"} << ninguna
            << QStringList() << QStringList() << "consulta" << -1;
        QTest::newRow("a minus sign inside a figure is not typed")
            << QString()
            << QStringList{"periodo 05/2025", "escribe 2 12-5", "tecla Enter", "tecla F5"}
            << ninguna << QStringList() << QStringList{"05/2025 P_Ingresos 125"} << "consulta" << 0;
        QTest::newRow("a second decimal separator is not typed")
            << QString()
            << QStringList{"periodo 05/2025", "escribe 2 1,5,5", "tecla Enter", "tecla F5"}
            << ninguna << QStringList() << QStringList{"05/2025 P_Ingresos 1.55"} << "consulta"
            << 0;
        QTest::newRow("a pasted non-number keeps the focus in its box")
            << QString() << QStringList{"periodo 05/2025", "pega 2 12x", "tecla Enter", "tecla F5"}
            << QList<int>{q42::vbOK, q42::vbOK}
            << QStringList{declaracion::mensajeCantidadInvalida("12x"),
                           declaracion::mensajeCantidadInvalida("12x")}
            << QStringList() << "edicion" << 2;
        QTest::newRow("fifteen nines are past what the column takes")
            << QString() << QStringList{"periodo 05/2025", "pega 3 999999999999999", "tecla Enter"}
            << QList<int>{q42::vbOK}
            << QStringList{declaracion::mensajeCantidadInvalida("999999999999999")} << QStringList()
            << "edicion" << 3;
        QTest::newRow("Calcular after typing another period keeps the consumption")
            << QString()
            << QStringList{"periodo 05/2025", "tecla ShiftTab", "escribe 0 06/2025", "calcula",
                           "tecla Esc"}
            << QList<int>{q42::vbOK} << QStringList{mensajeOtroPeriodo("06/2025", mayo)}
            << QStringList() << "consulta" << 0;
        QTest::newRow("negative stocks before F5, Revisar on the second saves nothing")
            << QString()
            << QStringList{"periodo 05/2025", "caja 25 99999", "caja 26 99999", "revision 1",
                           "tecla F5"}
            << ninguna
            << QStringList{"revisión: Existencia final de 000 negativa",
                           "revisión: Existencia final de 0000 negativa"}
            << QStringList() << "edicion" << 26;
        QTest::newRow("Grabar igual stores the figures questioned")
            << QString()
            << QStringList{"periodo 05/2025", "caja 25 99999", "revision igual", "tecla F5"}
            << ninguna << QStringList{"revisión: Existencia final de 000 negativa"}
            << QStringList{"05/2025 SP000_Consumo 99999"} << "consulta" << 0;
        QTest::newRow("F6 in browse mode on questioned figures, Revisar prints nothing")
            << QStringLiteral("UPDATE DJ_Q42 SET SP0000_Consumo=99999 WHERE Periodo='04/2025'")
            << QStringList{"navega PRIMERO", "tecla F6"} << ninguna
            << QStringList{"revisión: Existencia final de 0000 negativa"} << QStringList()
            << "consulta" << -1;
        QTest::newRow("an Argentine figure with a thousands mark is stored whole")
            << QString()
            << QStringList{"periodo 05/2025", "escribe 2 1.542,81", "tecla Enter", "tecla F5"}
            << ninguna << QStringList() << QStringList{"05/2025 P_Ingresos 1542.81"} << "consulta"
            << 0;
        QTest::newRow("twenty digits typed are refused on Enter, not cut")
            << QString()
            << QStringList{"periodo 05/2025", "escribe 3 12345678901234567890", "tecla Enter"} << ok
            << QStringList{declaracion::mensajeCantidadInvalida("12345678901234567890")}
            << QStringList() << "edicion" << 3;
        QTest::newRow("F6 on a box that is no figure says so as F5 does")
            << QString() << QStringList{"periodo 05/2025", "pega 2 12x", "tecla F6"} << ok
            << QStringList{declaracion::mensajeCantidadInvalida("12x")} << QStringList()
            << "edicion" << 2;
        // The stored month after a changed one: its carried opening stock
        // is listed before saving, and "Revisar" puts the stored one back.
        QTest::newRow("a carried opening stock is listed, Revisar keeps the stored one")
            << QString()
            << QStringList{"periodo 05/2025", "caja 2 1111", "tecla F5", "periodo 06/2025",
                           "tecla F5"}
            << ninguna << QStringList{"revisión: Existencia inicial de trigo"}
            << QStringList{"05/2025 P_Ingresos 1111"} << "edicion" << 1;
        QTest::newRow("a carried opening stock is a change Esc asks about")
            << QString()
            << QStringList{"periodo 05/2025", "caja 2 1111", "tecla F5", "periodo 06/2025",
                           "tecla Esc"}
            << QList<int>{q42::vbNo} << QStringList{mensajeCambiosSinGrabar("06/2025")}
            << QStringList{"05/2025 P_Ingresos 1111"} << "consulta" << 0;
        QTest::newRow("a period typed after PgUp goes to that month")
            << QString()
            << QStringList{"tecla F2",    "tecla PgUp",  "teclea 04/2025", "tecla Enter",
                           "tecla Enter", "teclea 1000", "tecla Enter",    "tecla F5"}
            << ninguna << QStringList() << QStringList{"04/2025 P_Ingresos 1000"} << "consulta"
            << 0;
        // The month after the declared ones, filed from its books in the
        // keys the README counts: nothing to revise, the month is stored.
        QTest::newRow("a new month from the books is filed without findings")
            << QString() << QStringList{"periodo 07/2025", "libros", "tecla F5"} << ninguna
            << QStringList() << QStringList{"07/2025 Periodo 07/2025"} << "consulta" << 0;
        QTest::newRow("F8 on a month never saved drops it")
            << QString() << QStringList{"periodo 07/2025", "caja 2 5", "tecla F8"}
            << QList<int>{q42::vbNo} << QStringList{mensajeCambiosSinGrabar("07/2025")}
            << QStringList{"07/2025 -"} << "consulta" << 0;
    }
    void teclado() {
        QFETCH(QString, preparacion);
        QFETCH(QStringList, pasos);
        QFETCH(QList<int>, respuestas);
        QFETCH(QStringList, avisos);
        QFETCH(QStringList, cambios);
        QFETCH(QString, modo);
        QFETCH(int, foco);
        if (!preparacion.isEmpty())
            ejecuta(ruta, preparacion);
        ScriptedMessages msgs;
        q42::Reportes::CarpetaReportes(sourcePath(QStringLiteral("reports")));
        g_revision = QStringLiteral("0");
        g_revisado.clear();
        DialogScript dialogos(&respondeDialogo);
        auto f = abreVentana();
        QStringList intactos = tabla(ruta);
        for (int r : respuestas)
            msgs.answer(r);
        for (const QString& p : pasos) {
            paso(*f, p);
            if (QTest::currentTestFailed())
                return;
        }
        QStringList mostrados;
        for (const ScriptedMessages::Shown& m : msgs.shown())
            mostrados << m.prompt;
        mostrados << g_revisado;
        if (mostrados != avisos)
            qWarning() << mostrados;
        QCOMPARE(mostrados, avisos);
        QCOMPARE(msgs.unexpected(), 0);
        for (const QString& c : cambios) {
            const QStringList partes = c.split(QLatin1Char(' '));
            const QString periodo = partes[0];
            intactos.removeIf([&](const QString& fila) { return fila.startsWith(periodo); });
            if (partes[1] == QLatin1String("-")) {
                QCOMPARE(cuenta(ruta, QStringLiteral("WHERE Periodo='%1'").arg(periodo)), 0);
                continue;
            }
            const QVariant v = valor(
                ruta,
                QStringLiteral("SELECT %1 FROM DJ_Q42 WHERE Periodo='%2'").arg(partes[1], periodo));
            QCOMPARE(v.toString(), partes.value(2));
        }
        QStringList despues = tabla(ruta);
        despues.removeIf([&](const QString& fila) {
            for (const QString& c : cambios)
                if (fila.startsWith(c.section(QLatin1Char(' '), 0, 0)))
                    return true;
            return false;
        });
        QCOMPARE(despues, intactos);
        if (!modo.isEmpty())
            QCOMPARE(enEdicion(*f), modo == QLatin1String("edicion"));
        if (foco >= 0)
            QCOMPARE(QApplication::focusWidget(), caja(*f, foco));
    }

    // A stored month filled from its own books stays as stored; a figure
    // changed by hand after the fill loses its mark and is listed before
    // saving; F9 lists the documents whose total is the box.
    void desdeLosLibros() {
        ScriptedMessages msgs;
        g_revision = QStringLiteral("0");
        g_revisado.clear();
        QString totalOrigen;
        DialogScript dialogos([&](QDialog* d) {
            if (d->objectName() == QLatin1String("DlgOrigen")) {
                totalOrigen = d->findChild<QLabel*>(QStringLiteral("lblTotal"))->text();
                return int(QDialog::Accepted);
            }
            return respondeDialogo(d);
        });
        auto f = abreVentana();
        const QStringList antes = tabla(ruta);
        escribe(*f, 0, QStringLiteral("06/2025"));
        QStringList enPantalla;
        for (int i = 0; i < declaracion::kCajas; ++i)
            enPantalla << caja(*f, i)->text();
        QVERIFY(f->CmdLibros->isEnabled());
        f->CmdLibros->click();
        for (int i = 0; i < declaracion::kCajas; ++i)
            QCOMPARE(caja(*f, i)->text(), enPantalla[i]);
        QVERIFY(f->windowTitle().startsWith(QStringLiteral("06/2025 — guardada")));
        QVERIFY(caja(*f, 2)->toolTip().startsWith(QStringLiteral("De los libros: ")));

        caja(*f, 3)->setFocus();
        tecla(*f, Qt::Key_F9);
        QCOMPARE(totalOrigen.section(QLatin1Char(' '), 1, 1),
                 q42::cifraConMiles(*declaracion::leeCantidad(caja(*f, 3)->text())));

        escribe(*f, 2, QStringLiteral("1234"));
        QVERIFY(caja(*f, 2)->toolTip().isEmpty());
        tecla(*f, Qt::Key_F5);
        QVERIFY2(g_revisado.join(QLatin1Char('|'))
                     .contains(QStringLiteral("revisión: Ingresos del mes 1.234,00 difiere de los "
                                              "libros (")),
                 qPrintable(g_revisado.join(QLatin1Char('|'))));
        QCOMPARE(tabla(ruta), antes);
        QCOMPARE(msgs.unexpected(), 0);
    }

    // Another operator saved the same new month meanwhile: the save fails
    // on the key and his row stays as he wrote it. The operator reads why
    // in his words; the engine's text goes to the error log.
    void duplicadoDesdeOtraConexion() {
        ScriptedMessages msgs;
        auto f = abreVentana();
        escribe(*f, 0, QStringLiteral("07/2025"));
        escribe(*f, 2, QStringLiteral("10"));
        ejecuta(ruta, QStringLiteral("INSERT INTO DJ_Q42 (Periodo, P_Ingresos) "
                                     "VALUES ('07/2025', 999)"));
        msgs.answer(q42::vbOK);
        tecla(*f, Qt::Key_F5);
        QCOMPARE(msgs.count(), 1);
        QCOMPARE(msgs.last().prompt,
                 QStringLiteral("Ya existe una declaración para el período 07/2025."));
        QCOMPARE(msgs.last().buttons(), int(q42::vbOKOnly));
        QCOMPARE(numero(ruta, QStringLiteral("P_Ingresos"), QStringLiteral("07/2025")), 999.0);
        QCOMPARE(cuenta(ruta, QStringLiteral("WHERE Periodo='07/2025'")), 1);
        QVERIFY(enEdicion(*f) && f->EsNuevo() && f->HuboError() && !f->Grabando());
        QCOMPARE(caja(*f, 2)->text(), QStringLiteral("10,00"));
        QVERIFY(registro().contains(QStringLiteral("UNIQUE constraint failed")));
    }

    // Another operator changed the month since it was read: the store fails
    // with the concurrency error and nothing of his is overwritten.
    void filaCambiadaPorOtro() {
        ScriptedMessages msgs;
        auto f = abreVentana();
        escribe(*f, 0, QStringLiteral("05/2025"));
        escribe(*f, 3, QStringLiteral("11"));
        ejecuta(ruta, QStringLiteral("UPDATE DJ_Q42 SET P_Ingresos=777 WHERE Periodo='05/2025'"));
        msgs.answer(q42::vbOK);
        tecla(*f, Qt::Key_F5);
        QCOMPARE(msgs.count(), 1);
        QCOMPARE(msgs.last().buttons(), int(q42::vbOKOnly));
        QCOMPARE(msgs.last().prompt, QStringLiteral("Otro usuario modificó o borró la declaración "
                                                    "05/2025. Vuelva a cargarla."));
        QCOMPARE(numero(ruta, QStringLiteral("P_Ingresos"), QStringLiteral("05/2025")), 777.0);
        QVERIFY(numero(ruta, QStringLiteral("P_Elaboracion"), QStringLiteral("05/2025")) != 11.0);
        QVERIFY(enEdicion(*f) && f->EsExistente() && f->HuboError());
        QCOMPARE(caja(*f, 3)->text(), QStringLiteral("11,00"));
        QVERIFY(registro().contains(QStringLiteral("Row cannot be located")));
    }

    // The print command saves without the field checks: a period nobody
    // can read back is refused before anything is written.
    void reporteConPeriodoInvalido() {
        ScriptedMessages msgs;
        auto f = abreVentana();
        const QStringList antes = tabla(ruta);
        tecla(*f, Qt::Key_F2);
        QVERIFY(f->EsNuevo());
        QTest::keyClicks(caja(*f, 0), QStringLiteral("5/2006"));
        tecla(*f, Qt::Key_F6);
        QCOMPARE(msgs.count(), 1);
        QCOMPARE(msgs.last().prompt, declaracion::kMensajePeriodoInvalido);
        QVERIFY(f->HuboError());
        QCOMPARE(tabla(ruta), antes);
    }

    // The print command saves the declaration on screen first; printing it
    // again, and saving it afterwards, update the same row.
    void reporteGrabaEImprime() {
        ScriptedMessages msgs;
        q42::Reportes::CarpetaReportes(sourcePath(QStringLiteral("reports")));
        DialogScript vistaPrevia([](QDialog*) { return int(QDialog::Rejected); });
        auto f = abreVentana();
        const QStringList antes = tabla(ruta);
        escribe(*f, 0, QStringLiteral("07/2025"));
        escribe(*f, 2, QStringLiteral("88"));
        tecla(*f, Qt::Key_F6);
        QCOMPARE(vistaPrevia.count(), 1);
        QCOMPARE(numero(ruta, QStringLiteral("P_Ingresos"), QStringLiteral("07/2025")), 88.0);
        QVERIFY(enEdicion(*f));
        escribe(*f, 2, QStringLiteral("89"));
        tecla(*f, Qt::Key_F6);
        QCOMPARE(vistaPrevia.count(), 2);
        escribe(*f, 2, QStringLiteral("90"));
        tecla(*f, Qt::Key_F5);
        QCOMPARE(msgs.count(), 0);
        QVERIFY(!enEdicion(*f));
        QCOMPARE(cuenta(ruta, QStringLiteral("WHERE Periodo='07/2025'")), 1);
        QCOMPARE(numero(ruta, QStringLiteral("P_Ingresos"), QStringLiteral("07/2025")), 90.0);
        QCOMPARE(tabla(ruta, QStringLiteral("07/2025")), antes);
    }

    // Resetting the form keeps the last failure and the last box.
    void inicializaConservaEstado() {
        ScriptedMessages msgs;
        auto f = abreVentana();
        escribe(*f, 0, QStringLiteral("05/2025"));
        caja(*f, 7)->setFocus();
        caja(*f, 0)->setText(QStringLiteral("5/2025"));
        QVERIFY(!f->Datosvalidos());
        caja(*f, 7)->setFocus();
        f->Inicializa();
        QVERIFY(f->HuboError());
        QCOMPARE(f->IndiceActual(), qint16(7));
        QVERIFY(!enEdicion(*f));
    }

    // Nulls in number and text columns load without a crash: empty boxes.
    void nulosSeCargan() {
        ScriptedMessages msgs;
        ejecuta(ruta, QStringLiteral("UPDATE DJ_Q42 SET P_Ingresos=NULL, SPSemo_Consumo=NULL, "
                                     "Observaciones=NULL, Responsable=NULL, Cod000=NULL, "
                                     "F000=NULL WHERE Periodo='05/2025'"));
        auto f = abreVentana();
        escribe(*f, 0, QStringLiteral("05/2025"));
        QCOMPARE(msgs.count(), 0);
        QVERIFY(enEdicion(*f));
        QVERIFY(caja(*f, 2)->text().isEmpty());
        QVERIFY(caja(*f, 27)->text().isEmpty());
        QVERIFY(caja(*f, 40)->text().isEmpty());
        QVERIFY(f->caja(QStringLiteral("TxtResponsalble"))->text().isEmpty());
        QVERIFY(f->caja(QStringLiteral("Txt000"))->text().isEmpty());
        QVERIFY(!caja(*f, 3)->text().isEmpty());
        QCOMPARE(etiqueta(*f, QStringLiteral("LblTotIngresos")), caja(*f, 1)->text());
    }
};

QTEST_MAIN(TstFrmQ42Grabacion)
#include "tst_frmq42_grabacion.moc"
