// The pages of long slip-list prints through the sample forms: every page
// must stay as the list print has always laid it out (same rows on the same
// pages, same totals on the last), and the first page must not wait for the
// rows of the later ones.
#include "TestSupport.h"
#include "core/BasicInfo.h"
#include "core/Globals.h"
#include "model/Customer.h"
#include "model/Denpyo.h"
#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "platform/report/PageFile.h"
#include "platform/report/PreviewDialog.h"
#include "platform/report/PreviewWidget.h"
#include "platform/ui/MessageBox.h"
#include "printing/DenpyoListPrint.h"
#include "printing/ReportGlobal.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QtTest>
#include <functional>

namespace {

constexpr int kSlips = 320;

QDateTime at(int y, int m, int d)
{
    return QDateTime(QDate(y, m, d), QTime(0, 0));
}

void setInfo(const QString &key, const QString &text)
{
    BasicInfo info;
    info.setBasicInfoID(key);
    info.setStringValue(text);
    QVERIFY(info.Apply());
}

// Slip n of the fixture: five customers in turn, 0 to 3 lines, a discount
// on every seventh, stages and memos that vary.
void storeSlip(int n)
{
    Denpyo d;
    d.setDenpyoID(n);
    d.setNouki(at(2024, 1 + n % 12, 1 + n % 28));
    const int customer = n % 5;
    d.setCustomerID(QStringLiteral("K%1").arg(customer));
    d.setCustomerName(QStringLiteral("顧客%1商店").arg(customer));
    d.setCustomerPostNumber(QStringLiteral("53000%1%1").arg(customer));
    d.setCustomerAddress1(QStringLiteral("大阪市北区%1-%2").arg(customer).arg(n % 9));
    d.setNouhin(n % 3 != 0);
    if (n % 3 != 0)
        d.setNouhinDate(at(2024, 1 + n % 12, 2 + n % 27));
    d.setSeikyu(n % 4 == 0);
    if (n % 4 == 0)
        d.setSeikyuDate(at(2024, 1 + n % 12, 28));
    const qint32 sum = 1000 * n + 37 * (n % 11);
    if (n % 7 == 0) {
        d.setNebikiRitsu(n % 2 ? 5 : 0);
        d.setNebikiKingaku(100 + n);
    }
    d.setSummery(sum);
    d.setShouhizei(sum / 10);
    d.setSummeryWithShouhizei(sum + sum / 10);
    d.setBumon(QStringLiteral("営業%1").arg(n % 2));
    d.setTanto(QStringLiteral("担当%1").arg(n % 6));
    if (n % 5 == 1)
        d.setMemo(QStringLiteral("メモ%1\r\n二行目").arg(n));
    for (int k = 1; k <= n % 4; ++k) {
        Meisai &m = d.Meisais().Add();
        m.setItemID(QStringLiteral("S-%1").arg(k));
        m.setItemNumber(QStringLiteral("No%1").arg(n * 10 + k));
        m.setItemName(QStringLiteral("品物%1-%2").arg(n).arg(k));
        m.setItemTanka(12.5 * k);
        m.setItemSuryo(n % 13 + k);
        m.setItemTanni(QStringLiteral("個"));
        m.setItemKingaku(qint32(12.5 * k * (n % 13 + k)));
        m.setItemBikou(k == 2 ? QStringLiteral("至急") : QString());
    }
    QVERIFY(d.Apply());
}

// The keys as the main list hands them over: newest 納期 first, with a
// number whose slip is gone and a slip listed twice.
QStringList listedKeys()
{
    db::Statement st = connection().prepare(
        QStringLiteral("SELECT 伝票番号 FROM 伝票テーブル ORDER BY 納期 DESC, 伝票番号 DESC"));
    QStringList keys{QString()};
    while (st.step())
        keys << QString::number(st.int64(0)).rightJustified(9, QLatin1Char('0'));
    keys.insert(40, QStringLiteral("000099999"));
    keys.insert(77, keys[5]);
    return keys;
}

QString formCopy(const QString &folder, const QString &sample, const QString &name, const QString &options)
{
    QFile in(sample);
    if (!in.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(sample));
    QByteArray bytes = in.readAll();
    const qsizetype at = bytes.indexOf("UserData=\"");
    bytes.replace(at + 10, 6, options.toLatin1());
    QFile out(folder + name + QStringLiteral(".rpx"));
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
        qFatal("cannot write the form");
    return name;
}

// The page files' bytes, one hash over all of them in order.
QByteArray pagesHash(const QString &base)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const QString &path : report::pageFilePaths(base)) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return QByteArray();
        hash.addData(f.readAll());
    }
    return hash.result().toHex();
}

} // namespace

class tst_ListPrintPages : public QObject {
    Q_OBJECT

    testsupport::ProgramFolder m_folder;
    QStringList m_keys;
    std::function<void(report::PreviewDialog &)> m_preview;

private slots:
    void initTestCase()
    {
        m_folder.open();
        ui::setMessageResponder([](const ui::MessageRequest &) { return ui::Answer::Ok; });
        report::setPreviewDriver([this](report::PreviewDialog &d) {
            if (m_preview)
                m_preview(d);
            return int(QDialog::Accepted);
        });
        setInfo(QStringLiteral("MyName"), QStringLiteral("見本商事"));
        setInfo(QStringLiteral("MyAddress1"), QStringLiteral("東京都中央区1-1"));
        for (int c = 0; c < 5; ++c) {
            Customer k;
            k.setCustomerID(QStringLiteral("K%1").arg(c));
            k.setNameKnj(QStringLiteral("登録顧客%1").arg(c));
            k.setPostNumber(QStringLiteral("100000%1").arg(c));
            k.setAddress1(QStringLiteral("東京都港区%1").arg(c));
            QVERIFY(k.Apply());
        }
        for (int n = 1; n <= kSlips; ++n)
            storeSlip(n);
        m_keys = listedKeys();
        QCOMPARE(m_keys.size(), kSlips + 3);
    }

    void cleanup() { m_preview = {}; }

    void pagesAsBefore_data()
    {
        QTest::addColumn<QString>("sample");
        QTest::addColumn<QString>("options");
        QTest::addColumn<int>("pageCount");
        QTest::addColumn<QByteArray>("hash");
        // The page files the list print wrote before its rows were read page
        // by page: every page, byte for byte.
        const QString list = QStringLiteral(QVX_SAMPLES "/DenpyoListPrintSampleForm/伝票一覧.rpx");
        const QString invoice = QStringLiteral(QVX_SAMPLES "/TsukiSeikyushoPrintSampleForm/請求書.rpx");
        QTest::newRow("slips only") << list << "0;0;0;" << 11 << QByteArray("46b61d13025b57d94424c10dbadd3a05dac15c51c6f72d028957cebc1e7a4f44");
        QTest::newRow("lines in the slip row") << invoice << "0;1;0;" << 31
            << QByteArray("e347ddffeb8de8f72cb65fe0ef922c270fb809e31860a51f789dc53a409aed20");
        QTest::newRow("lines apart") << invoice << "0;1;1;" << 47
            << QByteArray("7b173983046241cd150e46a5ad37a046fb07ceaf02f629b1781a8887ab9b6afe");
    }

    // Every page of a long list print through the sample forms, kept as page
    // files as the monthly invoices keep them.
    void pagesAsBefore()
    {
        QFETCH(QString, sample);
        QFETCH(QString, options);
        QFETCH(int, pageCount);
        QFETCH(QByteArray, hash);
        const QString name = formCopy(gstrDenpyoListPrintFormFolder, sample, QStringLiteral("pages"), options);
        const QString base = m_folder.path() + QStringLiteral("/listpages");
        QVERIFY(PrintDenpyoList(gstrDenpyoListPrintFormFolder, name, at(2024, 6, 14), m_keys, base));
        QCOMPARE(int(report::pageFilePaths(base).size()), pageCount);
        QCOMPARE(pagesHash(base), hash);
    }

    // The preview opens on page 1 with the page count of the whole list
    // while the rows of the later pages are still unread; they are read as
    // the pages come.
    void firstPageBeforeLaterRows()
    {
        const QString name = formCopy(gstrDenpyoListPrintFormFolder,
                                      QStringLiteral(QVX_SAMPLES "/DenpyoListPrintSampleForm/伝票一覧.rpx"),
                                      QStringLiteral("first"), QStringLiteral("0;0;0;"));
        int collected = -1, shown = -1, total = -1;
        m_preview = [&](report::PreviewDialog &d) {
            collected = ReportDetailRowsCollected();
            shown = d.viewer()->shownPageCount();
            total = d.viewer()->pageCount();
        };
        QVERIFY(PrintDenpyoList(gstrDenpyoListPrintFormFolder, name, at(2024, 6, 14), m_keys, QString()));
        QCOMPARE(shown, 1);
        QCOMPARE(total, 11);
        // Page 1 and the page being laid out behind it: 30 rows each.
        QVERIFY2(collected >= 30 && collected <= 60, qPrintable(QString::number(collected)));
        QCOMPARE(ReportDetailRowsCollected(), kSlips + 2);
    }

    // A read that fails on a later page, after the preview has opened,
    // reaches the caller once the preview has closed, as a read before it
    // would; nothing is left open.
    void laterReadFails()
    {
        const QString name = formCopy(gstrDenpyoListPrintFormFolder,
                                      QStringLiteral(QVX_SAMPLES "/DenpyoListPrintSampleForm/伝票一覧.rpx"),
                                      QStringLiteral("fails"), QStringLiteral("0;0;0;"));
        const QString late = m_keys[300];
        db::Statement read = connection().prepare(
            QStringLiteral("SELECT 合計 FROM 伝票テーブル WHERE 伝票番号 = %1").arg(late.toInt()));
        QVERIFY(read.step());
        const qint64 sum = read.int64(0);
        read.reset();
        m_preview = [&](report::PreviewDialog &d) {
            connection().exec(QStringLiteral("UPDATE 伝票テーブル SET 合計 = NULL WHERE 伝票番号 = %1").arg(late.toInt()));
            QCOMPARE(d.viewer()->pages().size(), 11);
        };
        const auto restore = qScopeGuard([&] {
            connection().exec(
                QStringLiteral("UPDATE 伝票テーブル SET 合計 = %1 WHERE 伝票番号 = %2").arg(sum).arg(late.toInt()));
        });
        QVERIFY_THROWS_EXCEPTION(db::DbError,
                                 PrintDenpyoList(gstrDenpyoListPrintFormFolder, name, at(2024, 6, 14), m_keys,
                                                 m_folder.path() + QStringLiteral("/failpages")));
        QVERIFY(!connection().inTransaction());
    }
};

QTEST_MAIN(tst_ListPrintPages)
#include "tst_listprintpages.moc"
