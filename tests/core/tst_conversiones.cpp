#include "EntornoPrueba.h"
#include "core/Conversiones.h"
#include "core/Error.h"
#include "core/Regional.h"

#include <QtTest>

class TstConversiones : public QObject {
    Q_OBJECT
    EntornoPrueba env;

private Q_SLOTS:
    void fmtMoneda_data() {
        QTest::addColumn<QString>("valor");
        QTest::addColumn<int>("decimales");
        QTest::addColumn<QString>("esperado");
        auto fila = [](const char* nombre, const char* valor, int dec, const char* esperado) {
            QTest::newRow(nombre) << QString::fromUtf8(valor) << dec << QString(esperado);
        };
        fila("decimal comma", "1234,5", 2, "1234,50");
        fila("zero", "0", 2, "0,00");
        fila("empty text is zero", "", 2, "0,00");
        fila("blanks are zero", "   ", 2, "0,00");
        fila("negative keeps its sign", "-12,3", 2, "-12,30");
        fila("negative below one", "-0,5", 2, "-0,50");
        fila("half to even down", "0,125", 2, "0,12");
        fila("half to even up", "0,135", 2, "0,14");
        fila("negative half to even", "-2,345", 2, "-2,34");
        fila("negative rounds away from zero", "-2,347", 2, "-2,35");
        fila("no thousands separator", "11.110,5", 2, "11110,50");
        fila("lone dot is a decimal point", "12.5", 2, "12,50");
        fila("more than thirteen integer digits in full", "123456789012345,6", 2,
             "123456789012345,60");
        fila("tiny negative rounds to plain zero", "-0,001", 2, "0,00");
        fila("more decimals than held", "1,23456", 6, "1,234600");
        fila("one decimal", "7,25", 1, "7,2");
    }
    void fmtMoneda() {
        QFETCH(QString, valor);
        QFETCH(int, decimales);
        QFETCH(QString, esperado);
        QCOMPARE(FmtMoneda(valor, decimales), esperado);
    }

    void fmtMonedaSigueElSeparadorRegional() {
        q42::Regional::setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
        const QString r = FmtMoneda("1234.5", 2);
        q42::Regional::setLocale(QLocale(QLocale::Spanish, QLocale::Argentina));
        QCOMPARE(r, QString("1234.50"));
    }

    void fmtMonedaDeTextoNoNumerico() {
        QVERIFY_THROWS_EXCEPTION(q42::Error, FmtMoneda("doce", 2));
    }

    void esVerdadero_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("esperado");
        QTest::newRow("no lower case") << "no" << false;
        QTest::newRow("False mixed case") << "FaLsE" << false;
        QTest::newRow("falso") << "Falso" << false;
        QTest::newRow("zero") << "0" << false;
        QTest::newRow("n") << "n" << false;
        QTest::newRow("si") << "SI" << true;
        QTest::newRow("empty") << "" << true;
        QTest::newRow("minus one") << "-1" << true;
        QTest::newRow("no with blank is not no") << "NO " << true;
    }
    void esVerdadero() {
        QFETCH(QString, texto);
        QFETCH(bool, esperado);
        QCOMPARE(EsVerdadero(texto), esperado);
    }

    void formatos() {
        QCOMPARE(FormatoFecha(), QString("dd/mm/yy"));
        QCOMPARE(FormatoHora(), QString("hh:mm"));
        const QDateTime t(QDate(2006, 5, 31), QTime(14, 5));
        QCOMPARE(q42::Regional::format(t, FormatoFecha() + " " + FormatoHora()),
                 QString("31/05/06 14:05"));
    }
};

QTEST_GUILESS_MAIN(TstConversiones)
#include "tst_conversiones.moc"
