#include "masters/DecimalText.h"

#include <QtTest>

class tst_DecimalText : public QObject {
    Q_OBJECT
private slots:
    void plainText_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("negative zero") << -0.0 << "0";
        QTest::newRow("whole") << 1500.0 << "1500";
        QTest::newRow("one decimal") << 1234.5 << "1234.5";
        QTest::newRow("negative") << -2000.25 << "-2000.25";
        QTest::newRow("small fraction") << 0.00001 << "0.00001";
        QTest::newRow("fifteen digits") << 123456789012.345 << "123456789012.345";
        QTest::newRow("sixteenth digit rounded") << 0.1 + 0.2 << "0.3";
        QTest::newRow("beyond the exponent switch") << 2.5e15 << "2500000000000000";
        QTest::newRow("large") << 1e20 << "100000000000000000000";
        QTest::newRow("power of ten") << 1000000.0 << "1000000";
        QTest::newRow("sixteen digits rounded") << 123456789012345.6 << "123456789012346";
        QTest::newRow("seventeen digits rounded") << 9007199254740993.0 << "9007199254740990";
        QTest::newRow("tiny") << 1e-7 << "0.0000001";
        QTest::newRow("negative tiny") << -0.000125 << "-0.000125";
    }
    void plainText()
    {
        QFETCH(double, value);
        QTEST(plainDecimalText(value), "text");
    }
};

QTEST_MAIN(tst_DecimalText)
#include "tst_decimaltext.moc"
