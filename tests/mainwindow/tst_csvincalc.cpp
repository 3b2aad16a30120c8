#include "core/DateValue.h"
#include "mainwindow/commands/ListCsvFile.h"
#include "model/Customer.h"
#include "model/Denpyo.h"
#include "model/Shohin.h"
#include "platform/text/Cp932.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

// A spreadsheet program reads our CSV files as we mean them: the files are
// opened by LibreOffice Calc (headless, CP932, every column as text) and
// saved again as UTF-8, and every field must come back as written. Skipped
// where Calc is not installed.

namespace {

// The rows of a CSV text by the usual quoting rule.
QList<QStringList> parseCsv(const QString &text)
{
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"')) {
                field += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            row << field;
            field.clear();
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            row << field;
            rows << row;
            row.clear();
            field.clear();
        } else {
            field += c;
        }
    }
    if (!field.isEmpty() || !row.isEmpty())
        rows << (row << field);
    return rows;
}

QDateTime day(int y, int m, int d)
{
    return localDateTime(QDate(y, m, d), QTime(0, 0));
}

} // namespace

class tst_CsvInCalc : public QObject {
    Q_OBJECT
private slots:
    void calcReadsEveryField_data();
    void calcReadsEveryField();
};

void tst_CsvInCalc::calcReadsEveryField_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("columns");

    Denpyo d;
    d.setDenpyoID(123);
    d.setNouki(day(2025, 3, 31));
    d.setCustomerID(QStringLiteral("C001"));
    d.setCustomerPostNumber(QStringLiteral("1234567"));
    d.setCustomerName(QStringLiteral("株式会社 山田商店「本店」"));
    d.setCustomerAddress1(QStringLiteral("東京都千代田区丸の内１－２－３"));
    d.setSummery(1234000);
    d.setMitsumori(true);
    d.setMitsumoriDate(day(2025, 3, 1));
    d.setMemo(QStringLiteral("一行目\r\n\"二行目\", 以上"));
    for (const char *name : {"ボルト＆ナット", "ｶﾀｶﾅ半角", "①②③ ～ ￥"}) {
        Meisai &m = d.Meisais().Add();
        m.setItemName(QString::fromUtf8(name));
        m.setItemTanka(1234.5);
        m.setItemSuryo(0.125);
        m.setItemKingaku(154);
    }
    QTest::newRow("slip of three lines") << ListCsvFile::DenpyoHeader() + ListCsvFile::DenpyoRows(d) << 37;

    Customer c;
    c.setCustomerID(QStringLiteral("K,01"));
    c.setNameKnj(QStringLiteral("髙橋 﨑"));
    c.setPostNumber(QStringLiteral("1234567"));
    c.setMemo(QStringLiteral("a\r\nb"));
    c.setTsukiSeikyu(true);
    c.setShimeBi(QStringLiteral("20日締め"));
    QTest::newRow("customer") << ListCsvFile::CustomerHeader() + ListCsvFile::CustomerRow(c) << 14;

    Shohin s;
    s.setShohinID(QStringLiteral("S01"));
    s.setNumber(QStringLiteral("AB-1"));
    s.setName(QStringLiteral("六角ボルト \"M8\""));
    s.setMaker(QStringLiteral("日本製作所"));
    s.setTanka(12.75);
    s.setTanni(QStringLiteral("本"));
    s.setMemo(QStringLiteral("説明1\r\n説明2"));
    QTest::newRow("product") << ListCsvFile::ShohinHeader() + ListCsvFile::ShohinRow(s) << 7;
}

void tst_CsvInCalc::calcReadsEveryField()
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        QSKIP("LibreOffice Calc (soffice) is not installed");
    QFETCH(QString, text);
    QFETCH(int, columns);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list.csv"));
    QCOMPARE(ListCsvFile::write(path, text), qsizetype(0));

    // Field separator ",", text delimiter '"', character set 60 (Windows
    // 932), from line 1, every column as text.
    QStringList formats;
    for (int i = 1; i <= columns; ++i)
        formats << QStringLiteral("%1/2").arg(i);
    QProcess calc;
    calc.setWorkingDirectory(dir.path());
    calc.start(soffice, {QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(dir.filePath("profile")).toString(),
                         QStringLiteral("--headless"),
                         QStringLiteral("--infilter=CSV:44,34,60,1,") + formats.join(QLatin1Char('/')),
                         QStringLiteral("--convert-to"),
                         QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76,1,,0,true"),
                         QStringLiteral("--outdir"), dir.filePath(QStringLiteral("out")), path});
    QVERIFY(calc.waitForFinished(180000));
    QCOMPARE(calc.exitCode(), 0);

    QFile converted(dir.filePath(QStringLiteral("out/list.csv")));
    QVERIFY2(converted.open(QIODevice::ReadOnly), qPrintable(QString::fromLocal8Bit(calc.readAllStandardError())));
    const QList<QStringList> read = parseCsv(QString::fromUtf8(converted.readAll()));
    const QList<QStringList> written = parseCsv(text::fromCp932(text::toCp932(text)));
    QCOMPARE(read, written);
    for (const QStringList &row : written)
        QCOMPARE(row.size(), columns);
}

QTEST_GUILESS_MAIN(tst_CsvInCalc)
#include "tst_csvincalc.moc"
