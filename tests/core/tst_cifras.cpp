// Figures as an Argentine clerk types them: what the box shows after the
// keys, which key it refuses, and the figure it stores. One rule serves
// typing, pasting and the check on confirming.

#include "EntornoPrueba.h"
#include "core/Cifras.h"

#include <QtTest>

using q42::Currency;

class TstCifras : public QObject {
    Q_OBJECT
    EntornoPrueba env;

private Q_SLOTS:
    // Keys typed one after the other at the end of the box.
    void tecleo_data() {
        QTest::addColumn<QString>("teclas");
        QTest::addColumn<QString>("queda");   // the box after the keys
        QTest::addColumn<QString>("rechazo"); // keys refused, in order
        QTest::addColumn<QString>("cifra");   // what it stores, "" when refused on confirming
        QTest::newRow("thousands then decimals") << "1.542,81"
                                                 << "1.542,81"
                                                 << ""
                                                 << "1542.81";
        QTest::newRow("a lone dot is the decimal key") << "1.542"
                                                       << "1,542"
                                                       << ""
                                                       << "1.542";
        QTest::newRow("comma is the decimal key") << "12,5"
                                                  << "12,5"
                                                  << ""
                                                  << "12.5";
        QTest::newRow("two groups with dots") << "1.542.000"
                                              << "1.542.000"
                                              << ""
                                              << "1542000";
        QTest::newRow("two groups then decimals") << "1.542.000,5"
                                                  << "1.542.000,5"
                                                  << ""
                                                  << "1542000.5";
        QTest::newRow("comma twice makes a group") << "1,542,81"
                                                   << "1.542,81"
                                                   << ""
                                                   << "1542.81";
        QTest::newRow("a short group is no thousands") << "1.2.3"
                                                       << "1,23"
                                                       << "."
                                                       << "1.23";
        QTest::newRow("a long group is no thousands") << "1,5425,"
                                                      << "1,5425"
                                                      << ","
                                                      << "1.5425";
        QTest::newRow("letter refused, not dropped unseen") << "1e9"
                                                            << "19"
                                                            << "e"
                                                            << "19";
        QTest::newRow("blank refused") << "1 5"
                                       << "15"
                                       << " "
                                       << "15";
        QTest::newRow("minus only in front") << "-12-5"
                                             << "-125"
                                             << "-"
                                             << "-125";
        QTest::newRow("second minus") << "--5"
                                      << "-5"
                                      << "-"
                                      << "-5";
        QTest::newRow("decimals first") << ",5"
                                        << ",5"
                                        << ""
                                        << "0.5";
        QTest::newRow("non-ascii digit")
            << QString::fromUtf8("1\u0663") << "1" << QString::fromUtf8("\u0663") << "1";
        QTest::newRow("twelve whole digits") << "999999999999,99"
                                             << "999999999999,99"
                                             << ""
                                             << "999999999999.99";
        // Typed in full, refused on confirming, never cut.
        QTest::newRow("twenty digits") << "12345678901234567890"
                                       << "12345678901234567890"
                                       << ""
                                       << "";
        QTest::newRow("thirteen grouped digits") << "1.234.567.890.123"
                                                 << "1.234.567.890.123"
                                                 << ""
                                                 << "";
        QTest::newRow("a sign alone") << "-"
                                      << "-"
                                      << ""
                                      << "";
    }
    void tecleo() {
        QFETCH(QString, teclas);
        QFETCH(QString, queda);
        QFETCH(QString, rechazo);
        QFETCH(QString, cifra);
        QString texto;
        QString rechazadas;
        for (QChar t : teclas) {
            const auto r = q42::tecleaCifra(texto, int(texto.size()), 0, t);
            if (r) {
                QCOMPARE(r->cursor, int(r->texto.size()));
                texto = r->texto;
            } else {
                rechazadas += t;
            }
        }
        QCOMPARE(texto, queda);
        QCOMPARE(rechazadas, rechazo);
        const auto n = q42::leeCifra(texto);
        QCOMPARE(n.has_value(), !cifra.isEmpty());
        if (n)
            QCOMPARE(n->toSqlText(), cifra);
    }

    // Texts pasted or set by the program, read whole.
    void lectura_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("cifra"); // "" when it is no figure
        QTest::newRow("blank is zero") << "  "
                                       << "0";
        QTest::newRow("keypad point") << "12.5"
                                      << "12.5";
        QTest::newRow("grouped without decimals") << "1.234.567"
                                                  << "1234567";
        QTest::newRow("misplaced mark") << "12.34,5"
                                        << "";
        QTest::newRow("two decimal separators") << "1,2,3"
                                                << "";
        QTest::newRow("mark after the decimals") << "1,234.5"
                                                 << "";
        QTest::newRow("leading zeros do not count") << "0000000000001234"
                                                    << "1234";
        QTest::newRow("plus sign") << "+7"
                                   << "7";
        QTest::newRow("letters") << "doce"
                                 << "";
        QTest::newRow("thirteen whole digits") << "1234567890123"
                                               << "";
    }
    void lectura() {
        QFETCH(QString, texto);
        QFETCH(QString, cifra);
        const auto n = q42::leeCifra(texto);
        QCOMPARE(n.has_value(), !cifra.isEmpty());
        if (n)
            QCOMPARE(n->toSqlText(), cifra);
    }

    void conMiles_data() {
        QTest::addColumn<qint64>("raw");
        QTest::addColumn<QString>("texto");
        QTest::newRow("under a thousand") << qint64(9672000) << "967,20";
        QTest::newRow("thousands") << qint64(16710800) << "1.671,08";
        QTest::newRow("negative millions") << qint64(-12345678900) << "-1.234.567,89";
        QTest::newRow("exactly a thousand") << qint64(10000000) << "1.000,00";
    }
    void conMiles() {
        QFETCH(qint64, raw);
        QFETCH(QString, texto);
        QCOMPARE(q42::cifraConMiles(Currency::fromRaw(raw)), texto);
    }
};

QTEST_GUILESS_MAIN(TstCifras)
#include "tst_cifras.moc"
