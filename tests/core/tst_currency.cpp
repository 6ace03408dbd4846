#include "EntornoPrueba.h"
#include "core/Currency.h"
#include "core/Error.h"
#include "core/Regional.h"
#include "core/StepRunner.h"

#include <QtTest>

using q42::Currency;

class TstCurrency : public QObject {
    Q_OBJECT
    EntornoPrueba env;

private Q_SLOTS:
    void parse_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<qint64>("raw");
        QTest::newRow("blank is zero") << "  " << true << qint64(0);
        QTest::newRow("decimal comma") << "1234,5" << true << qint64(12345000);
        QTest::newRow("grouped") << "11.110,50" << true << qint64(111105000);
        QTest::newRow("lone dot is a decimal point") << "12.5" << true << qint64(125000);
        QTest::newRow("negative") << "-0,25" << true << qint64(-2500);
        QTest::newRow("fifth decimal half to even down") << "0,00005" << true << qint64(0);
        QTest::newRow("fifth decimal half to even up") << "0,00015" << true << qint64(2);
        QTest::newRow("beyond half") << "0,000051" << true << qint64(1);
        QTest::newRow("letters") << "12a" << false << qint64(0);
        QTest::newRow("only sign") << "-" << false << qint64(0);
        QTest::newRow("two decimal separators") << "1,2,3" << false << qint64(0);
        QTest::newRow("large stock") << "100000,25" << true << qint64(1000002500);
    }
    void parse() {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(qint64, raw);
        const auto v = Currency::parse(text);
        QCOMPARE(v.has_value(), ok);
        if (ok)
            QCOMPARE(v->raw(), raw);
    }

    void overflowIsAnError() {
        QVERIFY_THROWS_EXCEPTION(q42::Error,
                                 Currency::parse(QStringLiteral("99999999999999999999")));
        const Currency max = Currency::fromRaw(std::numeric_limits<std::int64_t>::max());
        QVERIFY_THROWS_EXCEPTION(q42::Error, max + Currency::fromInt(1));
    }

    void roundsHalfToEven_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("twoDecimals");
        QTest::newRow("0.125") << "0,125"
                               << "0,12";
        QTest::newRow("0.135") << "0,135"
                               << "0,14";
        QTest::newRow("negative half") << "-0,125"
                                       << "-0,12";
        QTest::newRow("zero") << "0"
                              << "0,00";
        QTest::newRow("thirteen digits and more") << "12345678901234,5"
                                                  << "12345678901234,50";
    }
    void roundsHalfToEven() {
        QFETCH(QString, text);
        QFETCH(QString, twoDecimals);
        QCOMPARE(Currency::parse(text)->toFixed(2), twoDecimals);
    }

    void textForms() {
        QCOMPARE(Currency::parse(QStringLiteral("1234,5"))->toText(), QStringLiteral("1234,5"));
        QCOMPARE(Currency::parse(QStringLiteral("3"))->toText(), QStringLiteral("3"));
        QCOMPARE(Currency::parse(QStringLiteral("-3,25"))->toSqlText(), QStringLiteral("-3.25"));
    }

    void productKeepsFourDecimals() {
        // 125 t milled at 64 % extraction
        const Currency w = *Currency::parse(QStringLiteral("125"));
        const Currency e = *Currency::parse(QStringLiteral("64"));
        QCOMPARE((w * e).toText(), QStringLiteral("8000"));
        QCOMPARE(
            (*Currency::parse(QStringLiteral("0,0001")) * *Currency::parse(QStringLiteral("0,5")))
                .raw(),
            qint64(0));
        QCOMPARE(Currency::fromDouble(0.00015).raw(), qint64(2));
    }

    void readsDatesDayFirst_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date");
        QTest::newRow("d/m/yyyy") << "05/06/2006" << QDate(2006, 6, 5);
        QTest::newRow("month/year") << "05/2006" << QDate(2006, 5, 1);
        QTest::newRow("two digit year") << "31/12/99" << QDate(1999, 12, 31);
        QTest::newRow("with time") << "01/02/2024 10:30" << QDate(2024, 2, 1);
        QTest::newRow("iso") << "2024-02-29" << QDate(2024, 2, 29);
        QTest::newRow("impossible day") << "31/02/2024" << QDate();
        QTest::newRow("text") << "abc" << QDate();
        QTest::newRow("month 13 of a year") << "13/2006" << QDate();
    }
    void readsDatesDayFirst() {
        QFETCH(QString, text);
        QFETCH(QDate, date);
        const auto d = q42::Regional::readDate(text);
        QCOMPARE(d.value_or(QDate()), date);
    }

    void fullDateNeedsThreeParts() {
        QVERIFY(!q42::Regional::readFullDate(QStringLiteral("05/2006")));
        QVERIFY(q42::Regional::readFullDate(QStringLiteral("01/05/2006")));
    }

    void writesDatesAndTimes() {
        const QDateTime t(QDate(2024, 3, 7), QTime(9, 5, 2));
        QCOMPARE(q42::Regional::format(t, QStringLiteral("dd/mm/yy hh:mm")),
                 QStringLiteral("07/03/24 09:05"));
        QCOMPARE(q42::Regional::format(t, QStringLiteral("dd/mm/yyyy")),
                 QStringLiteral("07/03/2024"));
    }

    void stepRunnerFollowsTheAnswers() {
        QStringList trace;
        int failures = 2;
        int asked = 0;
        const bool done = q42::StepRunner::run({[&] { trace << "a"; },
                                                [&] {
                                                    trace << "b";
                                                    if (failures-- > 0)
                                                        throw q42::Error(7, QStringLiteral("x"));
                                                },
                                                [&] { trace << "c"; }},
                                               [&](const q42::Error& e) {
                                                   ++asked;
                                                   return e.number() == 7 ? q42::vbRetry : 0;
                                               });
        QVERIFY(done);
        QCOMPARE(asked, 2);
        QCOMPARE(trace, QStringList({"a", "b", "b", "b", "c"}));

        trace.clear();
        QVERIFY(
            !q42::StepRunner::run({[&] { throw q42::Error(1, QString()); }, [&] { trace << "x"; }},
                                  [](const q42::Error&) { return 3; }));
        QVERIFY(trace.isEmpty());
        q42::StepRunner::runIgnoringFailures(
            {[&] { throw std::runtime_error("boom"); }, [&] { trace << "next"; }});
        QCOMPARE(trace, QStringList({"next"}));
    }
};

QTEST_GUILESS_MAIN(TstCurrency)
#include "tst_currency.moc"
