// The program's text and number helpers and its error message, without
// windows: the messages are answered through the scripted double.

#include "EntornoPrueba.h"
#include "ScriptedMessages.h"
#include "core/MsgBox.h"
#include "core/Utiles.h"

#include <QtTest>

using q42::Utiles;

class TstUtiles : public QObject {
    Q_OBJECT
    EntornoPrueba env;

private Q_SLOTS:
    void textoANumero_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<qint64>("raw");
        QTest::addColumn<int>("error");
        QTest::newRow("empty is zero") << "" << qint64(0) << 0;
        QTest::newRow("blanks are zero") << "   " << qint64(0) << 0;
        QTest::newRow("two decimals of the screen") << "1234,50" << qint64(12345000) << 0;
        QTest::newRow("negative") << "-0,25" << qint64(-2500) << 0;
        QTest::newRow("letters") << "12a" << qint64(0) << int(q42::err::TypeMismatch);
        QTest::newRow("two separators") << "1,2,3" << qint64(0) << int(q42::err::TypeMismatch);
        QTest::newRow("period text") << "05/2006" << qint64(0) << int(q42::err::TypeMismatch);
    }
    void textoANumero() {
        QFETCH(QString, texto);
        QFETCH(qint64, raw);
        QFETCH(int, error);
        QCOMPARE(errorOf([&] { QCOMPARE(Utiles::TextoANumero(texto).raw(), raw); }), error);
    }

    void cuentaPalabras_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("palabras");
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("blanks only") << " \t " << 0;
        QTest::newRow("one word padded") << "  len  " << 1;
        QTest::newRow("statement") << "SELECT * FROM DJ_Q42" << 4;
        QTest::newRow("tabs and line breaks") << "a\tb\r\nc" << 3;
        QTest::newRow("runs of blanks") << "a    b" << 2;
    }
    void cuentaPalabras() {
        QFETCH(QString, texto);
        QFETCH(int, palabras);
        QCOMPARE(Utiles::CuentaPalabras(texto), palabras);
    }

    void textoAEntero_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<qint64>("valor");
        QTest::addColumn<int>("error");
        QTest::newRow("empty") << "" << qint64(0) << 0;
        QTest::newRow("no digits") << "abc" << qint64(0) << 0;
        QTest::newRow("leading blanks and sign") << "  -7abc" << qint64(-7) << 0;
        QTest::newRow("plus sign") << "+3" << qint64(3) << 0;
        QTest::newRow("stops at decimal") << "12,9" << qint64(12) << 0;
        QTest::newRow("month of a period") << "05/2006" << qint64(5) << 0;
        QTest::newRow("too large")
            << "99999999999999999999" << qint64(0) << int(q42::err::Overflow);
    }
    void textoAEntero() {
        QFETCH(QString, texto);
        QFETCH(qint64, valor);
        QFETCH(int, error);
        QCOMPARE(errorOf([&] { QCOMPARE(Utiles::TextoAEntero(texto), valor); }), error);
    }

    // The number a setting begins with (administrator flag, flat bars):
    // "1.0" is 1, a word after the number is ignored, a lone point or sign
    // is no number.
    void valorInicial_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<double>("valor");
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("word") << "SI" << 0.0;
        QTest::newRow("one") << "1" << 1.0;
        QTest::newRow("one with decimals and blanks") << "  1.0 " << 1.0;
        QTest::newRow("trailing point") << "1." << 1.0;
        QTest::newRow("leading point") << ".5x" << 0.5;
        QTest::newRow("negative") << "-1" << -1.0;
        QTest::newRow("lone point") << "." << 0.0;
        QTest::newRow("lone sign") << "-" << 0.0;
        QTest::newRow("exponent") << "2e3 toneladas" << 2000.0;
        QTest::newRow("exponent without digits") << "2e" << 2.0;
        QTest::newRow("comma is no decimal point") << "1,5" << 1.0;
    }
    void valorInicial() {
        QFETCH(QString, texto);
        QFETCH(double, valor);
        QCOMPARE(Utiles::ValorInicial(texto), valor);
    }

    void ajustaTexto_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("ancho");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("padded") << "abc" << 5 << "abc  ";
        QTest::newRow("cut") << "abcdef" << 3 << "abc";
        QTest::newRow("exact") << "abc" << 3 << "abc";
        QTest::newRow("empty padded") << "" << 2 << "  ";
        QTest::newRow("no width") << "abc" << 0 << "";
        QTest::newRow("negative width") << "abc" << -1 << "";
    }
    void ajustaTexto() {
        QFETCH(QString, texto);
        QFETCH(int, ancho);
        QFETCH(QString, esperado);
        QCOMPARE(Utiles::AjustaTexto(texto, ancho), esperado);
    }

    void quitaCaracteres_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("quita");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("equals of a parameter") << " = srv=1 "
                                               << "="
                                               << "  srv1 ";
        QTest::newRow("mask-file padding")
            << QStringLiteral("CLIENTES") + QChar(0) + QChar(0) + QChar(0xFF) + QChar(0xFF)
            << QString(QChar(0)) + QChar(0xFF) << "CLIENTES";
        QTest::newRow("nothing to remove") << "abc"
                                           << ""
                                           << "abc";
        QTest::newRow("everything removed") << "aaa"
                                            << "a"
                                            << "";
    }
    void quitaCaracteres() {
        QFETCH(QString, texto);
        QFETCH(QString, quita);
        QFETCH(QString, esperado);
        QCOMPARE(Utiles::QuitaCaracteres(texto, quita), esperado);
    }

    void reemplazos_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("busca");
        QTest::addColumn<QString>("pone");
        QTest::addColumn<QString>("sensible");
        QTest::addColumn<QString>("insensible");
        QTest::newRow("case") << "Len LEN len"
                              << "LEN"
                              << "LENGTH"
                              << "Len LENGTH len"
                              << "LENGTH LENGTH LENGTH";
        QTest::newRow("empty search changes nothing") << "abc"
                                                      << ""
                                                      << "x"
                                                      << "abc"
                                                      << "abc";
        QTest::newRow("replacement contains search") << "aa"
                                                     << "a"
                                                     << "aa"
                                                     << "aaaa"
                                                     << "aaaa";
    }
    void reemplazos() {
        QFETCH(QString, texto);
        QFETCH(QString, busca);
        QFETCH(QString, pone);
        QFETCH(QString, sensible);
        QFETCH(QString, insensible);
        QCOMPARE(Utiles::Reemplaza(texto, busca, pone), sensible);
        QCOMPARE(Utiles::SustituyeTexto(texto, busca, pone), insensible);
    }

    void ultimoDiaMes_data() {
        QTest::addColumn<int>("mes");
        QTest::addColumn<int>("anio");
        QTest::addColumn<int>("dia");
        QTest::newRow("january") << 1 << 2006 << 31;
        QTest::newRow("february leap") << 2 << 2024 << 29;
        QTest::newRow("february common") << 2 << 2023 << 28;
        QTest::newRow("february 2000") << 2 << 2000 << 29;
        QTest::newRow("february 1900") << 2 << 1900 << 28;
        QTest::newRow("april") << 4 << 2006 << 30;
        QTest::newRow("december") << 12 << 2006 << 31;
        QTest::newRow("month 0") << 0 << 2006 << -1;
        QTest::newRow("month 13") << 13 << 2006 << -1;
    }
    void ultimoDiaMes() {
        QFETCH(int, mes);
        QFETCH(int, anio);
        QFETCH(int, dia);
        if (dia < 0)
            QCOMPARE(errorOf([&] { Utiles::UltimoDiaMes(mes, anio); }),
                     int(q42::err::InvalidProcedureCall));
        else
            QCOMPARE(Utiles::UltimoDiaMes(mes, anio), dia);
    }

    void nombreMes_data() {
        QTest::addColumn<int>("mes");
        QTest::addColumn<QString>("nombre");
        QTest::newRow("first") << 1 << "Enero";
        QTest::newRow("may") << 5 << "Mayo";
        QTest::newRow("last") << 12 << "Diciembre";
        QTest::newRow("below") << 0 << "";
        QTest::newRow("above") << 13 << "";
    }
    void nombreMes() {
        QFETCH(int, mes);
        QFETCH(QString, nombre);
        QCOMPARE(Utiles::NombreMes(mes), nombre);
    }

    void carpetaConBarra_data() {
        QTest::addColumn<QString>("carpeta");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("unix") << "/opt/q42"
                              << "/opt/q42/";
        QTest::newRow("already ends") << "/opt/q42/"
                                      << "/opt/q42/";
        QTest::newRow("windows") << "C:\\Q42"
                                 << "C:\\Q42\\";
        QTest::newRow("windows ends") << "C:\\Q42\\"
                                      << "C:\\Q42\\";
        QTest::newRow("empty stays empty") << ""
                                           << "";
    }
    void carpetaConBarra() {
        QFETCH(QString, carpeta);
        QFETCH(QString, esperado);
        QCOMPARE(Utiles::CarpetaConBarra(carpeta), esperado);
    }

    void trataError_data() {
        QTest::addColumn<int>("botones");
        QTest::addColumn<QString>("rutina");
        QTest::addColumn<int>("respuesta");
        QTest::addColumn<int>("estilo");
        QTest::newRow("default buttons, retry")
            << -1 << "Cfg" << int(q42::vbRetry) << int(q42::vbAbortRetryIgnore + q42::vbCritical);
        QTest::newRow("default buttons, ignore, no routine")
            << -1 << "" << int(q42::vbIgnore) << int(q42::vbAbortRetryIgnore + q42::vbCritical);
        QTest::newRow("given buttons pass through")
            << int(q42::vbOKOnly + q42::vbInformation) << "AbrirRecordset" << int(q42::vbOK)
            << int(q42::vbOKOnly + q42::vbInformation);
    }
    void trataError() {
        QFETCH(int, botones);
        QFETCH(QString, rutina);
        QFETCH(int, respuesta);
        QFETCH(int, estilo);
        ScriptedMessages msgs;
        msgs.answer(respuesta);
        const q42::Error e(q42::err::E_Fail, QStringLiteral("Login failed for user 'sa'."),
                           QStringLiteral("Microsoft OLE DB Provider for SQL Server"));
        const std::optional<int> b = botones < 0 ? std::nullopt : std::optional<int>(botones);
        QCOMPARE(q42::TrataError(e, b, rutina), respuesta);
        QCOMPARE(msgs.count(), 1);
        QCOMPARE(msgs.unexpected(), 0);
        QCOMPARE(msgs.last().style, estilo);
        QVERIFY(!msgs.last().title.isEmpty());
        const QString texto = msgs.last().prompt;
        QVERIFY(texto.contains(QStringLiteral("-2147467259")));
        QVERIFY(texto.contains(QStringLiteral("Login failed for user 'sa'.")));
        QVERIFY(texto.contains(QStringLiteral("Microsoft OLE DB Provider for SQL Server")));
        QCOMPARE(texto.contains(QStringLiteral("Rutina")), !rutina.isEmpty());
        if (!rutina.isEmpty())
            QVERIFY(texto.contains(rutina));
    }
};

QTEST_GUILESS_MAIN(TstUtiles)
#include "tst_utiles.moc"
