#include "TestEnv.h"
#include "ado/Ado.h"
#include "core/Cifras.h"
#include "widgets/CajaTexto.h"
#include "widgets/Formularios.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QtTest>

using q42::Formularios;

namespace {

QLineEdit* caja(QWidget* form, const QString& nombre, const QString& campo) {
    auto* c = new q42::CajaTexto(form);
    c->setObjectName(nombre);
    if (!campo.isEmpty())
        c->setProperty(Formularios::DataField, campo);
    return c;
}

} // namespace

class TstFormularios : public QObject {
    Q_OBJECT
    TestEnv env;

private Q_SLOTS:
    void filtraTecla_data() {
        QTest::addColumn<bool>("numerico");
        QTest::addColumn<int>("limite");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("seleccion"); // characters selected from the start
        QTest::addColumn<QChar>("tecla");
        QTest::addColumn<bool>("pasa");
        QTest::addColumn<QChar>("queda");
        const QChar nada;
        QTest::newRow("digit in number box")
            << true << 15 << "12" << 0 << QChar('3') << true << QChar('3');
        QTest::newRow("letter in number box")
            << true << 15 << "12" << 0 << QChar('a') << false << nada;
        QTest::newRow("blank in number box")
            << true << 15 << "" << 0 << QChar(' ') << false << nada;
        QTest::newRow("dot becomes regional comma")
            << true << 15 << "12" << 0 << QChar('.') << true << QChar(',');
        QTest::newRow("comma stays") << true << 15 << "12" << 0 << QChar(',') << true << QChar(',');
        QTest::newRow("minus") << true << 15 << "" << 0 << QChar('-') << true << QChar('-');
        // One sign, in front, and one decimal separator (the caret is at 0).
        QTest::newRow("second minus") << true << 15 << "-1" << 0 << QChar('-') << false << nada;
        QTest::newRow("digit before the sign")
            << true << 15 << "-1" << 0 << QChar('5') << false << nada;
        QTest::newRow("minus over the selected sign")
            << true << 15 << "-1" << 1 << QChar('-') << true << QChar('-');
        QTest::newRow("second decimal separator")
            << true << 15 << "1,5" << 0 << QChar('.') << false << nada;
        QTest::newRow("period box full takes a new period")
            << false << 7 << "06/2025" << 0 << QChar('0') << true << QChar('0');
        QTest::newRow("separator over the selected one")
            << true << 15 << ",5" << 1 << QChar(',') << true << QChar(',');
        QTest::newRow("non-ascii digit") << true << 15 << "" << 0 << QChar(0x0663) << false << nada;
        QTest::newRow("letter in text box")
            << false << 0 << "ab" << 0 << QChar('c') << true << QChar('c');
        QTest::newRow("dot in text box unchanged")
            << false << 0 << "ab" << 0 << QChar('.') << true << QChar('.');
        QTest::newRow("limit reached")
            << false << 7 << "1234567" << 0 << QChar('8') << false << nada;
        // A figure too long is told on confirming, never cut while typing.
        QTest::newRow("no typing limit in number box")
            << true << 3 << "123" << 0 << QChar('4') << true << QChar('4');
        QTest::newRow("limit with selection replaced")
            << false << 7 << "1234567" << 2 << QChar('8') << true << QChar('8');
        QTest::newRow("backspace at limit")
            << false << 7 << "1234567" << 0 << QChar(8) << true << QChar(8);
        QTest::newRow("escape in number box")
            << true << 15 << "" << 0 << QChar(27) << true << QChar(27);
        QTest::newRow("no limit") << false << 0 << QString(300, 'x') << 0 << QChar('y') << true
                                  << QChar('y');
    }
    void filtraTecla() {
        QFETCH(bool, numerico);
        QFETCH(int, limite);
        QFETCH(QString, texto);
        QFETCH(int, seleccion);
        QFETCH(QChar, tecla);
        QFETCH(bool, pasa);
        QFETCH(QChar, queda);
        QLineEdit box;
        if (QByteArray(QTest::currentDataTag()).startsWith("period"))
            box.setProperty(Formularios::DataField, QStringLiteral("Periodo"));
        box.setProperty(Formularios::Numerico, numerico);
        box.setProperty(Formularios::LargoMaximo, limite);
        box.setText(texto);
        box.setSelection(0, seleccion);
        QCOMPARE(Formularios::FiltraTecla(&box, tecla), pasa);
        QCOMPARE(tecla, queda);
    }

    void cajaTextoFiltersTypingOnly() {
        QWidget form;
        QLineEdit* box = caja(&form, QStringLiteral("txtFields_1"), QStringLiteral("P_Otros"));
        Formularios::PreparaCampos({box}, QStringLiteral("DJ_Q42"), nullptr);
        QStringList motivos;
        connect(static_cast<q42::CajaTexto*>(box), &q42::CajaTexto::teclaRechazada, this,
                [&](const QString& m) { motivos << m; });
        QTest::keyClicks(box, QStringLiteral("12a.5x"));
        QCOMPARE(box->text(), QStringLiteral("12,5"));
        // Each refused key is told, never dropped unseen.
        QCOMPARE(motivos, QStringList(2, q42::kMotivoTeclaRechazada));

        // A thousands mark turns out as such when the decimals follow.
        box->clear();
        QTest::keyClicks(box, QStringLiteral("1.542,81"));
        QCOMPARE(box->text(), QStringLiteral("1.542,81"));

        // A paste is held to the same rule: a figure goes in, a word does not.
        box->clear();
        QGuiApplication::clipboard()->setText(QStringLiteral("doce"));
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(box->text(), QString());
        QCOMPARE(motivos.size(), 3);
        QGuiApplication::clipboard()->setText(QStringLiteral("1.542.000"));
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(box->text(), QStringLiteral("1.542.000"));

        // Neither the program's text nor typing on is cut: a figure too
        // long is told on confirming.
        const QString largo(40, '9');
        box->setText(largo);
        QCOMPARE(box->text(), largo);
        QTest::keyClicks(box, QStringLiteral("1"));
        QCOMPARE(box->text(), largo + QLatin1Char('1'));
    }

    void preparaCamposWithoutConnection_data() {
        QTest::addColumn<QString>("campo");
        QTest::addColumn<int>("previo");
        QTest::addColumn<bool>("numerico");
        QTest::addColumn<int>("largo");
        QTest::newRow("period") << "Periodo" << 0 << false << 7;
        QTest::newRow("period in capitals") << "PERIODO" << 0 << false << 7;
        QTest::newRow("remarks") << "Observaciones" << 0 << false << 0;
        QTest::newRow("remarks keep the form's limit") << "Observaciones" << 7 << false << 7;
        QTest::newRow("quantity") << "SP000_Consumo" << 0 << true << 0;
        QTest::newRow("quantity ignores a form limit") << "P_Existencia" << 7 << true << 0;
    }
    void preparaCamposWithoutConnection() {
        QFETCH(QString, campo);
        QFETCH(int, previo);
        QFETCH(bool, numerico);
        QFETCH(int, largo);
        QWidget form;
        QLineEdit* box = caja(&form, QStringLiteral("txtFields_0"), campo);
        if (previo)
            box->setProperty(Formularios::LargoMaximo, previo);
        Formularios::PreparaCampos({box}, QStringLiteral("DJ_Q42"), nullptr);
        QCOMPARE(box->property(Formularios::Numerico).toBool(), numerico);
        QCOMPARE(box->property(Formularios::LargoMaximo).toInt(), largo);
        QCOMPARE(box->maxLength(), QLineEdit().maxLength()); // never the widget's own limit
    }

    // The column types of the table decide; a column the table lacks, or a
    // table that cannot be read, falls back on the name.
    void preparaCamposFromTheTable_data() {
        QTest::addColumn<QString>("tabla");
        QTest::addColumn<QString>("campo");
        QTest::addColumn<int>("previo");
        QTest::addColumn<bool>("numerico");
        QTest::addColumn<int>("largo");
        QTest::addColumn<bool>("antes"); // prepared once before without a connection
        const QString dj = QStringLiteral("DJ_Q42");
        QTest::newRow("period") << dj << "periodo" << 0 << false << 7 << false;
        QTest::newRow("real") << dj << "P_Existencia" << 0 << true << 0 << false;
        QTest::newRow("decimal") << dj << "SP000_Consumo" << 0 << true << 0 << false;
        QTest::newRow("text column size") << dj << "Observaciones" << 0 << false << 255 << false;
        QTest::newRow("form limit tighter") << dj << "Observaciones" << 7 << false << 7 << false;
        QTest::newRow("harvest") << dj << "Cosecha" << 0 << false << 50 << false;
        QTest::newRow("text named like a number")
            << dj << "SP000_Otros" << 0 << false << 30 << false;
        QTest::newRow("not in the table") << dj << "SPBasura_Otras" << 0 << true << 0 << false;
        QTest::newRow("no such table") << "NO_EXISTE"
                                       << "SP000_Otros" << 0 << true << 0 << false;
        QTest::newRow("table name with SQL") << "DJ_Q42; DROP TABLE DJ_Q42"
                                             << "SP000_Otros" << 0 << true << 0 << false;
        QTest::newRow("prepared before by name") << dj << "SP000_Otros" << 0 << false << 30 << true;
        QTest::newRow("form limit kept across preparations")
            << dj << "Observaciones" << 7 << false << 7 << true;
    }
    void preparaCamposFromTheTable() {
        QFETCH(QString, tabla);
        QFETCH(QString, campo);
        QFETCH(int, previo);
        QFETCH(bool, numerico);
        QFETCH(int, largo);
        QFETCH(bool, antes);
        QFile archivo(env.ruta(QStringLiteral("f.db"))); // an empty file is an empty database
        QVERIFY(archivo.open(QIODevice::WriteOnly));
        archivo.close();
        auto cn = std::make_shared<ado::Connection>();
        cn->Open(QStringLiteral("Provider=SQLite;Data Source=%1;").arg(archivo.fileName()));
        cn->Execute(QStringLiteral("DROP TABLE IF EXISTS DJ_Q42"));
        cn->Execute(QStringLiteral(
            "CREATE TABLE DJ_Q42 (Periodo NVARCHAR(7), P_Existencia REAL, SP000_Consumo "
            "DECIMAL(18,2), SP000_Otros NVARCHAR(30), Observaciones NVARCHAR(255), Cosecha "
            "NVARCHAR(50))"));
        QWidget form;
        QLineEdit* box = caja(&form, QStringLiteral("txtFields_0"), campo);
        if (previo)
            box->setProperty(Formularios::LargoMaximo, previo);
        if (antes)
            Formularios::PreparaCampos({box}, tabla, nullptr);
        Formularios::PreparaCampos({box}, tabla, cn.get());
        QCOMPARE(box->property(Formularios::Numerico).toBool(), numerico);
        QCOMPARE(box->property(Formularios::LargoMaximo).toInt(), largo);
        QCOMPARE(cn->Execute(QStringLiteral("SELECT COUNT(*) FROM DJ_Q42"))->Fields(0).Value(),
                 QVariant(0));
    }

    void limpiaFormulario_data() {
        QTest::addColumn<int>("modo");
        QTest::addColumn<QString>("periodo");
        QTest::newRow("mode 0 clears the period") << 0 << "";
        QTest::newRow("mode 1 keeps the period") << 1 << "05/2006";
    }
    void limpiaFormulario() {
        QFETCH(int, modo);
        QFETCH(QString, periodo);
        QWidget form;
        QLineEdit* per = caja(&form, QStringLiteral("txtFields_0"), QStringLiteral("periodo"));
        QLineEdit* num = caja(&form, QStringLiteral("txtFields_1"), QStringLiteral("P_Existencia"));
        QLineEdit* libre = caja(&form, QStringLiteral("TxtEquiv"), QString());
        QWidget* marco = new QWidget(&form); // boxes inside frames are bound too
        QLineEdit* anidada =
            caja(marco, QStringLiteral("txtFields_40"), QStringLiteral("Observaciones"));
        per->setText(QStringLiteral("05/2006"));
        num->setText(QStringLiteral("12,00"));
        libre->setText(QStringLiteral("TON"));
        anidada->setText(QStringLiteral("nota"));
        Formularios::LimpiaFormulario(&form, modo);
        QCOMPARE(per->text(), periodo);
        QCOMPARE(num->text(), QString());
        QCOMPARE(anidada->text(), QString());
        QCOMPARE(libre->text(), QStringLiteral("TON"));
    }

    void indiceCampo_data() {
        QTest::addColumn<QString>("campo");
        QTest::addColumn<int>("indice");
        QTest::newRow("exact") << "SP000_Consumo" << 2;
        QTest::newRow("other case") << "sp000_consumo" << 2;
        QTest::newRow("period") << "PERIODO" << 0;
        QTest::newRow("missing") << "SPBasura_Consumo" << -1;
        QTest::newRow("empty") << "" << -1;
    }
    void indiceCampo() {
        QFETCH(QString, campo);
        QFETCH(int, indice);
        QWidget form;
        const QList<QLineEdit*> cajas = {
            caja(&form, QStringLiteral("txtFields_0"), QStringLiteral("Periodo")),
            caja(&form, QStringLiteral("txtFields_1"), QString()),
            caja(&form, QStringLiteral("txtFields_2"), QStringLiteral("SP000_Consumo"))};
        QCOMPARE(Formularios::IndiceCampo(campo, cajas), indice);
    }

    // The families of boxes the focus order and Enter walk through.
    void nombreIndexado_data() {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QString>("base");
        QTest::addColumn<int>("indice");
        QTest::newRow("box") << "txtFields_12"
                             << "txtFields" << 12;
        QTest::newRow("underscores in the base") << "sp_000_3"
                                                 << "sp_000" << 3;
        QTest::newRow("no base") << "_3" << QString() << -1;
        QTest::newRow("no index") << "txtFields_" << QString() << -1;
        QTest::newRow("index then letters") << "txtFields_3a" << QString() << -1;
        QTest::newRow("other digits") << QString::fromUtf8("txtFields_\u0663") << QString() << -1;
        QTest::newRow("no underscore") << "Text1" << QString() << -1;
    }
    void nombreIndexado() {
        QFETCH(QString, nombre);
        QFETCH(QString, base);
        QFETCH(int, indice);
        QString b;
        int i = -1;
        QCOMPARE(Formularios::NombreIndexado(nombre, &b, &i), indice >= 0);
        QCOMPARE(b, base);
        QCOMPARE(i, indice);
    }

    void mueveFoco_data() {
        QTest::addColumn<int>("desde");
        QTest::addColumn<int>("tecla");
        QTest::addColumn<int>("hasta");
        QTest::newRow("next") << 0 << 13 << 1;
        QTest::newRow("skips disabled and hidden") << 1 << 13 << 4;
        QTest::newRow("wraps to the first") << 5 << int(Qt::Key_Return) << 0;
        QTest::newRow("up goes back over skipped") << 4 << int(Qt::Key_Up) << 1;
    }
    void mueveFoco() {
        QFETCH(int, desde);
        QFETCH(int, tecla);
        QFETCH(int, hasta);
        QWidget form;
        QList<QLineEdit*> cajas(6);
        for (int i : {5, 3, 1, 0, 4, 2}) // layout order is not the index order
            cajas[i] = caja(&form, QStringLiteral("txtFields_%1").arg(i), QStringLiteral("C"));
        auto* otra = caja(&form, QStringLiteral("TxtEquiv"), QString()); // not in the array
        Q_UNUSED(otra);
        cajas[2]->setEnabled(false);
        cajas[3]->hide();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        cajas[desde]->setFocus();
        Formularios::MueveFoco(cajas[desde], tecla);
        QCOMPARE(form.focusWidget(), cajas[hasta]);
    }

    void mueveFocoOutsideTheArray() {
        QWidget form;
        QLineEdit* a = caja(&form, QStringLiteral("TxtEquiv"), QString());
        QLineEdit* b = caja(&form, QStringLiteral("TxtSAGPyA"), QString());
        QLineEdit* c = caja(&form, QStringLiteral("TxtCosecha"), QString());
        b->setEnabled(false);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        a->setFocus();
        Formularios::MueveFoco(a, 13);
        QCOMPARE(form.focusWidget(), c);
    }
};

QTEST_MAIN(TstFormularios)
#include "tst_formularios.moc"
