#include "platform/report/LayoutFile.h"
#include "platform/report/PreviewDialog.h"
#include "platform/report/PreviewWidget.h"
#include "core/Globals.h"
#include "printing/PrintFieldSpec.h"
#include "printing/PrintFormOption.h"
#include "printing/PrintItemNames.h"
#include "printing/ReportCurrency.h"
#include "printing/clsReportPrint.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QStringList kKinds = {"Denpyo", "DenpyoList", "TsukiSeikyusho", "Customer", "CustomerList", "Shohin",
                            "ShohinList"};

QString sampleFolder(const QString &kind)
{
    return QStringLiteral(QVX_SAMPLES "/%1PrintSampleForm/").arg(kind);
}

QVariant yen(qint64 amount)
{
    return QVariant::fromValue(ReportCurrency::fromYen(amount));
}

} // namespace

class tst_PrintSamples : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_pdf;

    // The text of each PDF page, or a skip when pdftotext is missing.
    QStringList pdfPages(const QString &pdf, int pages)
    {
        QStringList out;
        for (int p = 1; p <= pages; ++p) {
            QProcess run;
            run.start(QStringLiteral("pdftotext"), {QStringLiteral("-f"), QString::number(p), QStringLiteral("-l"),
                                                    QString::number(p), pdf, QStringLiteral("-")});
            if (!run.waitForFinished(30000) || run.exitCode() != 0)
                return {};
            // Some ideographs come back as their look-alike radicals (見 as ⾒).
            out << QString::fromUtf8(run.readAllStandardOutput()).normalized(QString::NormalizationForm_KC);
        }
        return out;
    }

private slots:
    void initTestCase()
    {
        gstrStartupDir = m_dir.path();
        report::setPreviewDriver([this](report::PreviewDialog &d) {
            d.viewer()->savePdf(m_pdf);
            return int(QDialog::Accepted);
        });
    }

    void everyKindHasSamples_data()
    {
        QTest::addColumn<QString>("kind");
        for (const QString &k : kKinds)
            QTest::newRow(qPrintable(k)) << k;
    }

    // The layout rules: one section "Detail" that starts a new page, data
    // fields named "Field..." whose specs use the names of their kind.
    void everyKindHasSamples()
    {
        QFETCH(QString, kind);
        const QStringList files = QDir(sampleFolder(kind)).entryList({QStringLiteral("*.rpx")}, QDir::Files);
        QVERIFY(!files.isEmpty());
        const QStringList pageItems = fnGetItemNames(kind, QStringLiteral("P"));
        const QStringList detailItems = fnGetItemNames(kind, QStringLiteral("D"));
        for (const QString &file : files) {
            const report::Layout layout = report::loadLayout(sampleFolder(kind) + file);
            QCOMPARE(layout.sections.size(), 1);
            QCOMPARE(layout.sections[0].name, QStringLiteral("Detail"));
            QCOMPARE(layout.sections[0].newPage, 1);
            QCOMPARE(layout.userData.count(QLatin1Char(';')), 3);
            int fields = 0;
            for (const report::Control &c : layout.sections[0].controls) {
                const PrintFieldSpec spec = PrintFieldSpec::parse(c.text);
                const bool isField = c.name.startsWith(QLatin1String("Field"));
                QVERIFY2(isField == (spec.kind != PrintFieldSpec::Kind::None), qPrintable(file + ": " + c.name));
                if (!isField)
                    continue;
                ++fields;
                if (spec.isLiteral() || spec.kind == PrintFieldSpec::Kind::PageNumber
                    || spec.kind == PrintFieldSpec::Kind::PageCount)
                    continue;
                const QStringList &names = spec.kind == PrintFieldSpec::Kind::Detail ? detailItems : pageItems;
                QVERIFY2(names.indexOf(spec.item) >= 1, qPrintable(file + ": " + c.text));
            }
            QVERIFY(fields > 0);
        }
    }

    void slipSampleHasTenLineSlots()
    {
        report::Layout l = report::loadLayout(sampleFolder("Denpyo") + QStringLiteral("納品書.rpx"));
        int lastSlot = 0;
        for (const report::Control &c : l.sections[0].controls) {
            const PrintFieldSpec s = PrintFieldSpec::parse(c.text);
            if (s.kind == PrintFieldSpec::Kind::Detail)
                lastSlot = qMax(lastSlot, s.slot);
        }
        QCOMPARE(lastSlot, 10);
        bool a = true, b = true, c = true;
        GetDenpyoListFormOption(sampleFolder("TsukiSeikyusho") + QStringLiteral("請求書.rpx"), a, b, c);
        QVERIFY(!a && b && !c);
    }

    void slipPrintsToPdf()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext is not installed");
        m_pdf = m_dir.filePath(QStringLiteral("slip.pdf"));
        clsReportPrint collector;
        collector.SetPageData(QStringLiteral("顧客名+様"), QStringLiteral("株式会社見本商会 様"));
        collector.SetPageData(QStringLiteral("伝票番号"), 1234);
        collector.SetPageData(QStringLiteral("税込合計"), yen(123456));
        collector.SetPageData(QStringLiteral("自社登録番号"), QStringLiteral("T1234567890123"));
        collector.SetPageData(QStringLiteral("印刷日付"), QDateTime(QDate(2024, 4, 1), QTime(0, 0)));
        for (int r = 1; r <= 12; ++r) {
            collector.AddDetailData();
            collector.SetDetailData(QStringLiteral("品名"), QStringLiteral("見本品%1号").arg(r));
            collector.SetDetailData(QStringLiteral("金額"), yen(r * 1000));
        }
        QVERIFY(collector.ReportPrintView(sampleFolder("Denpyo") + QStringLiteral("納品書.rpx"), QString()));
        const QStringList pages = pdfPages(m_pdf, 2);
        QCOMPARE(pages.size(), 2);
        for (const QString &expected : {"株式会社見本商会 様", "000001234", "¥123,456", "T1234567890123", "見本品1号",
                                        "見本品10号", "10,000", "2024/04/01"})
            QVERIFY2(pages[0].contains(expected), qPrintable(expected));
        QVERIFY(!pages[0].contains(QStringLiteral("見本品11号")));
        QVERIFY(pages[1].contains(QStringLiteral("見本品11号")));
        QVERIFY(pages[1].contains(QStringLiteral("12,000")));
        QVERIFY(!pages[0].contains(QStringLiteral("\\")));
    }

    void invoiceTotalsOnTheLastPageOnly()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext is not installed");
        m_pdf = m_dir.filePath(QStringLiteral("invoice.pdf"));
        clsReportPrint collector;
        collector.SetPageData(QStringLiteral("先頭伝票顧客/顧客名+様"), QStringLiteral("見本工業 様"));
        collector.SetPageData(QStringLiteral("伝票集計/税込合計"), yen(987654));
        collector.SetPageData(QStringLiteral("自社振込口座１銀行"), QStringLiteral("見本銀行"));
        collector.SetPageData(QStringLiteral("自社振込口座１種類"), QStringLiteral("普通"));
        for (int r = 1; r <= 25; ++r) {
            collector.AddDetailData();
            collector.SetDetailData(QStringLiteral("品名"), QStringLiteral("品目%1").arg(r));
        }
        QVERIFY(collector.ReportPrintView(sampleFolder("TsukiSeikyusho") + QStringLiteral("請求書.rpx"), QString()));
        const QStringList pages = pdfPages(m_pdf, 2);
        QCOMPARE(pages.size(), 2);
        // "¥987,654" shows on both pages as the amount asked; the totals box
        // below the lines only on the last.
        QCOMPARE(pages[0].count(QStringLiteral("¥987,654")), 1);
        QCOMPARE(pages[1].count(QStringLiteral("¥987,654")), 2);
        for (const QString &p : pages)
            QVERIFY(p.contains(QStringLiteral("見本銀行")) && p.contains(QStringLiteral("ご請求金額")));
        QVERIFY(pages[1].contains(QStringLiteral("品目25")));
    }
};

QTEST_MAIN(tst_PrintSamples)
#include "tst_printsamples.moc"
