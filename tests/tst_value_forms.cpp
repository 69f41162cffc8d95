#include "page/value_forms.h"

#include <QtTest>

#include <cmath>
#include <limits>

using namespace ValueForms;

class ValueFormsTest : public QObject
{
    Q_OBJECT

private slots:
    void wholeNumbers_data();
    void wholeNumbers();
    void writtenWholeNumbers();
    void colours_data();
    void colours();
    void writtenColours();
    void numbers_data();
    void numbers();
    void writtenNumbers_data();
    void writtenNumbers();
    void writtenNumbersReadBack_data();
    void writtenNumbersReadBack();
};

void ValueFormsTest::wholeNumbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("value");

    QTest::newRow("zero") << "0" << true << 0;
    QTest::newRow("plain") << "12" << true << 12;
    QTest::newRow("negative") << "-1" << true << -1;
    QTest::newRow("plus sign") << "+3" << true << 3;
    QTest::newRow("spaces around") << "  7 " << true << 7;
    QTest::newRow("half down to even") << "2.5" << true << 2;
    QTest::newRow("half up to even") << "3.5" << true << 4;
    QTest::newRow("negative half to even") << "-2.5" << true << -2;
    QTest::newRow("zero point five") << "0.5" << true << 0;
    QTest::newRow("above half") << "2.51" << true << 3;
    QTest::newRow("decimal comma") << "1,5" << true << 2;
    QTest::newRow("exponent") << "1e2" << true << 100;
    QTest::newRow("highest") << "32767" << true << 32767;
    QTest::newRow("lowest") << "-32768" << true << -32768;
    QTest::newRow("rounds to highest") << "32767.4" << true << 32767;
    QTest::newRow("rounds to lowest") << "-32768.5" << true << -32768;
    QTest::newRow("rounds past highest") << "32767.5" << false << 0;
    QTest::newRow("above range") << "32768" << false << 0;
    QTest::newRow("below range") << "-32769" << false << 0;
    QTest::newRow("far above range") << "1e300" << false << 0;
    QTest::newRow("beyond a double") << "1e400" << false << 0;
    QTest::newRow("below a double") << "1e-400" << true << 0;
    QTest::newRow("many leading zeros") << "0." + QString(400, '0') + "1" << true << 0;
    QTest::newRow("huge exponent") << "1e99999999999999999999" << false << 0;
    QTest::newRow("huge negative exponent") << "-1e-99999999999999999999" << true << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("only spaces") << "   " << false << 0;
    QTest::newRow("word") << "abc" << false << 0;
    QTest::newRow("trailing letters") << "12px" << false << 0;
    QTest::newRow("two separators") << "1.2.3" << false << 0;
    QTest::newRow("lone point") << "." << false << 0;
    QTest::newRow("lone sign") << "-" << false << 0;
    QTest::newRow("exponent without digits") << "1e" << false << 0;
    QTest::newRow("infinity") << "inf" << false << 0;
    QTest::newRow("not a number") << "nan" << false << 0;
    QTest::newRow("hexadecimal") << "0x10" << false << 0;
    QTest::newRow("inner space") << "1 2" << false << 0;
}

void ValueFormsTest::wholeNumbers()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(int, value);
    const std::optional<qint16> read = readWholeNumber(text);
    QCOMPARE(read.has_value(), valid);
    if (valid)
        QCOMPARE(int(*read), value);
}

void ValueFormsTest::writtenWholeNumbers()
{
    QCOMPARE(writeWholeNumber(0), QStringLiteral("0"));
    QCOMPARE(writeWholeNumber(-1), QStringLiteral("-1"));
    QCOMPARE(writeWholeNumber(32767), QStringLiteral("32767"));
    QCOMPARE(writeWholeNumber(-32768), QStringLiteral("-32768"));
}

void ValueFormsTest::colours_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<quint32>("value");

    QTest::newRow("black") << "0" << true << 0u;
    QTest::newRow("red") << "255" << true << 0xFFu;
    QTest::newRow("white") << "16777215" << true << 0xFFFFFFu;
    QTest::newRow("button face reference") << "-2147483633" << true << 0x8000000Fu;
    QTest::newRow("window text reference") << "-2147483640" << true << 0x80000008u;
    QTest::newRow("highest") << "2147483647" << true << 0x7FFFFFFFu;
    QTest::newRow("lowest") << "-2147483648" << true << 0x80000000u;
    QTest::newRow("rounded") << "254.5" << true << 254u;
    QTest::newRow("above range") << "2147483648" << false << 0u;
    QTest::newRow("below range") << "-2147483649" << false << 0u;
    QTest::newRow("empty") << "" << false << 0u;
    QTest::newRow("colour name") << "red" << false << 0u;
}

void ValueFormsTest::colours()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(quint32, value);
    const std::optional<quint32> read = readColour(text);
    QCOMPARE(read.has_value(), valid);
    if (valid)
        QCOMPARE(*read, value);
}

void ValueFormsTest::writtenColours()
{
    QCOMPARE(writeColour(0), QStringLiteral("0"));
    QCOMPARE(writeColour(0xFFFFFFu), QStringLiteral("16777215"));
    QCOMPARE(writeColour(0x8000000Fu), QStringLiteral("-2147483633"));
    QCOMPARE(writeColour(0x80000000u), QStringLiteral("-2147483648"));
}

void ValueFormsTest::numbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<float>("value");

    QTest::newRow("whole") << "81" << true << 81.0f;
    QTest::newRow("fraction") << "8.25" << true << 8.25f;
    QTest::newRow("decimal comma") << "8,25" << true << 8.25f;
    QTest::newRow("tenth") << "0.1" << true << 0.1f;
    QTest::newRow("negative") << "-149.5" << true << -149.5f;
    QTest::newRow("no leading digit") << ".5" << true << 0.5f;
    QTest::newRow("no trailing digit") << "5." << true << 5.0f;
    QTest::newRow("exponent") << "1.5E+03" << true << 1500.0f;
    QTest::newRow("more digits than a float keeps") << "0.123456789" << true << 0.123456789f;
    QTest::newRow("too small for a float") << "1e-60" << true << 0.0f;
    QTest::newRow("too small for a double") << "1e-400" << true << 0.0f;
    QTest::newRow("too large for a double") << "1e400" << false << 0.0f;
    QTest::newRow("too large for a float") << "1e39" << false << 0.0f;
    QTest::newRow("empty") << "" << false << 0.0f;
    QTest::newRow("word") << "wide" << false << 0.0f;
    QTest::newRow("comma and point") << "1,000.5" << false << 0.0f;
    QTest::newRow("infinity") << "infinity" << false << 0.0f;
}

void ValueFormsTest::numbers()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(float, value);
    const std::optional<float> read = readNumber(text);
    QCOMPARE(read.has_value(), valid);
    if (valid)
        QCOMPARE(*read, value);
}

void ValueFormsTest::writtenNumbers_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("point");
    QTest::addColumn<QString>("text");

    QTest::newRow("whole") << 81.0f << "."
                           << "81";
    QTest::newRow("round hundred") << 100.0f << "."
                                   << "100";
    QTest::newRow("fraction") << 8.25f << "."
                              << "8.25";
    QTest::newRow("half") << 149.5f << "."
                          << "149.5";
    QTest::newRow("tenth") << 0.1f << "."
                           << "0.1";
    QTest::newRow("negative") << -12.75f << "."
                              << "-12.75";
    QTest::newRow("zero") << 0.0f << "."
                          << "0";
    QTest::newRow("negative zero") << -0.0f << "."
                                   << "0";
    QTest::newRow("third, seven digits") << 1.0f / 3.0f << "."
                                         << "0.3333333";
    QTest::newRow("seven whole digits") << 1234567.0f << "."
                                        << "1234567";
    QTest::newRow("eight whole digits") << 12345678.0f << "."
                                        << "1.234568E+07";
    QTest::newRow("ten million") << 1e7f << "."
                                 << "1E+07";
    QTest::newRow("small") << 0.00001f << "."
                           << "0.00001";
    QTest::newRow("smaller") << 0.000001f << "."
                             << "1E-06";
    QTest::newRow("decimal comma") << 8.25f << ","
                                   << "8,25";
    QTest::newRow("whole with comma") << 81.0f << ","
                                      << "81";
    QTest::newRow("not a number") << std::numeric_limits<float>::quiet_NaN() << "."
                                  << "0";
    QTest::newRow("infinite") << std::numeric_limits<float>::infinity() << "."
                              << "0";
}

void ValueFormsTest::writtenNumbers()
{
    QFETCH(float, value);
    QFETCH(QString, point);
    QFETCH(QString, text);
    QCOMPARE(writeNumber(value, point.at(0)), text);
}

void ValueFormsTest::writtenNumbersReadBack_data()
{
    QTest::addColumn<float>("value");
    for (float value : {0.1f, 8.25f, 69.0f, -32.125f, 1e-6f, 3.4e38f, 123456.7f, 0.3f, 2.0f / 3.0f})
        QTest::newRow(qPrintable(QString::number(double(value)))) << value;
}

void ValueFormsTest::writtenNumbersReadBack()
{
    QFETCH(float, value);
    for (QChar point : {QLatin1Char('.'), QLatin1Char(',')}) {
        const std::optional<float> back = readNumber(writeNumber(value, point));
        QVERIFY(back.has_value());
        // Seven significant digits are what a written number keeps.
        QVERIFY2(std::abs(*back - value) <= std::abs(value) * 1e-6f,
                 qPrintable(writeNumber(value)));
    }
}

QTEST_GUILESS_MAIN(ValueFormsTest)
#include "tst_value_forms.moc"
