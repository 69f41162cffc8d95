#include "browser/history.h"

#include <QtTest>

// The history alone, as a table of steps: "visit ADDRESS", "back" or "forward". Each row gives
// what the steps that move answered, and where the history stands after them.
class HistoryTest : public QObject
{
    Q_OBJECT

private slots:
    void steps_data();
    void steps();
    void emptyHistoryGoesNowhere();
};

void HistoryTest::steps_data()
{
    QTest::addColumn<QStringList>("steps");
    // What back and forward gave, in order; "-" where they gave nothing.
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QStringList>("addresses");
    QTest::addColumn<QString>("current");
    QTest::addColumn<bool>("canGoBack");
    QTest::addColumn<bool>("canGoForward");

    QTest::newRow("one visit") << QStringList{"visit a"} << QStringList{} << QStringList{"a"} << "a"
                               << false << false;
    QTest::newRow("visits line up") << QStringList{"visit a", "visit b", "visit c"} << QStringList{}
                                    << QStringList{"a", "b", "c"} << "c" << true << false;
    QTest::newRow("back") << QStringList{"visit a", "visit b", "back"} << QStringList{"a"}
                          << QStringList{"a", "b"} << "a" << false << true;
    QTest::newRow("back twice, forward once")
        << QStringList{"visit a", "visit b", "visit c", "back", "back", "forward"}
        << QStringList{"b", "a", "b"} << QStringList{"a", "b", "c"} << "b" << true << true;
    QTest::newRow("back past the first page")
        << QStringList{"visit a", "visit b", "back", "back"} << QStringList{"a", "-"}
        << QStringList{"a", "b"} << "a" << false << true;
    QTest::newRow("forward past the last page")
        << QStringList{"visit a", "visit b", "back", "forward", "forward"}
        << QStringList{"a", "b", "-"} << QStringList{"a", "b"} << "b" << true << false;
    QTest::newRow("a visit after going back drops the pages ahead")
        << QStringList{"visit a", "visit b", "visit c", "back", "back", "visit d"}
        << QStringList{"b", "a"} << QStringList{"a", "d"} << "d" << true << false;
    QTest::newRow("visiting the current page again adds nothing")
        << QStringList{"visit a", "visit a", "visit b", "visit b"} << QStringList{}
        << QStringList{"a", "b"} << "b" << true << false;
    QTest::newRow("visiting the current page again keeps the pages ahead")
        << QStringList{"visit a", "visit b", "back", "visit a"} << QStringList{"a"}
        << QStringList{"a", "b"} << "a" << false << true;
    QTest::newRow("the same page twice, apart")
        << QStringList{"visit a", "visit b", "visit a", "back", "back"} << QStringList{"b", "a"}
        << QStringList{"a", "b", "a"} << "a" << false << true;
}

void HistoryTest::steps()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, answers);
    QFETCH(QStringList, addresses);
    QFETCH(QString, current);
    QFETCH(bool, canGoBack);
    QFETCH(bool, canGoForward);

    History history;
    QStringList given;
    for (const QString &step : steps) {
        if (step.startsWith(QLatin1String("visit "))) {
            history.visit(step.mid(6));
            continue;
        }
        const std::optional<QString> peeked =
            step == QLatin1String("back") ? history.backAddress() : history.forwardAddress();
        const std::optional<QString> moved =
            step == QLatin1String("back") ? history.back() : history.forward();
        QCOMPARE(peeked, moved);
        given << moved.value_or(QStringLiteral("-"));
    }
    QCOMPARE(given, answers);
    QCOMPARE(history.addresses(), addresses);
    QCOMPARE(history.current(), current);
    QCOMPARE(history.canGoBack(), canGoBack);
    QCOMPARE(history.canGoForward(), canGoForward);
}

void HistoryTest::emptyHistoryGoesNowhere()
{
    History history;
    QVERIFY(history.current().isEmpty());
    QVERIFY(!history.canGoBack());
    QVERIFY(!history.canGoForward());
    QVERIFY(!history.back());
    QVERIFY(!history.forward());
    QVERIFY(history.addresses().isEmpty());
}

QTEST_GUILESS_MAIN(HistoryTest)
#include "tst_history.moc"
