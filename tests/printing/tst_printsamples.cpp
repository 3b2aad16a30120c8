#include "platform/report/LayoutFile.h"
#include "platform/report/PreviewDialog.h"
#include "platform/report/PreviewWidget.h"
#include "TestSupport.h"
#include "core/BasicInfo.h"
#include "core/DateValue.h"
#include "core/Globals.h"
#include "core/Routines.h"
#include "model/Customer.h"
#include "model/Denpyo.h"
#include "model/Shohin.h"
#include "printing/CustomerPrint.h"
#include "printing/DenpyoListPrint.h"
#include "printing/DenpyoPrint.h"
#include "printing/ShohinPrint.h"
#include "printing/PrintFieldSpec.h"
#include "printing/PrintFormOption.h"
#include "printing/PrintItemNames.h"
#include "printing/ReportCurrency.h"
#include "printing/clsReportPrint.h"
#include "printing/frmTsukiSeikyushoPrint.h"
#include "platform/ui/MessageBox.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
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

// The sample each kind's tests print; the kinds with tax-contained
// variants ship them beside it.
QString mainSample(const QString &kind)
{
    static const QHash<QString, QString> names = {
        {"Denpyo", "納品書"},         {"DenpyoList", "伝票一覧"}, {"TsukiSeikyusho", "請求書"},
        {"Customer", "顧客情報"},     {"CustomerList", "顧客一覧"}, {"Shohin", "商品情報"},
        {"ShohinList", "商品一覧"},
    };
    return names.value(kind);
}

QVariant yen(qint64 amount)
{
    return QVariant::fromValue(ReportCurrency::fromYen(amount));
}

QVariant day(int y, int m, int d)
{
    return QDateTime(QDate(y, m, d), QTime(0, 0));
}

// Values a print procedure could hand over, by item name; long texts where
// real data runs long, so that clipped or overlapping fields show.
QVariant sampleValue(const QString &name, int row)
{
    static const QHash<QString, QVariant> values = {
        {"印刷日付", day(2024, 4, 30)},
        {"自社会社名", "株式会社クオルベックス商事"},
        {"自社郵便番号", "〒150-0002"},
        {"自社所在地１", "東京都渋谷区渋谷二丁目12番19号"},
        {"自社所在地２", "渋谷インフォスアネックス 8階"},
        {"自社電話番号", "03-1234-5678"},
        {"自社FAX番号", "03-1234-5679"},
        {"自社ホームページ", "https://www.example.co.jp/"},
        {"自社メール", "info@example.co.jp"},
        {"自社登録番号", "T1234567890123"},
        {"自社振込口座１銀行", "みずほ銀行"}, {"自社振込口座１支店", "渋谷中央支店"},
        {"自社振込口座１種類", "普通"}, {"自社振込口座１番号", "1234567"},
        {"自社振込口座２銀行", "三井住友銀行"}, {"自社振込口座２支店", "渋谷駅前支店"},
        {"自社振込口座２種類", "当座"}, {"自社振込口座２番号", "7654321"},
        {"伝票番号", 1234},
        {"納期", "2024年5月10日"},
        {"顧客ID", "C00001"}, {"顧客郵便", "530-0001"},
        {"顧客所在地１", "大阪府大阪市北区梅田三丁目1番3号"}, {"顧客所在地２", "ノースゲートビルディング 15階"},
        {"顧客名", "株式会社見本商会"}, {"顧客名+様", "株式会社見本商会 様"}, {"顧客名+御中", "株式会社見本商会 御中"},
        {"顧客部門", "購買部 資材課"}, {"顧客電話", "06-1111-2222"}, {"顧客FAX", "06-1111-2223"},
        {"納品日", day(2024, 4, 15)}, {"請求日", day(2024, 4, 30)},
        {"値引率", 5.0}, {"値引金額", yen(500)},
        {"値引き+値引金額", "値引き -500"}, {"値引き+値引率+値引金額", "値引き 5% -500"},
        {"合計", yen(123450)}, {"消費税", yen(12345)}, {"税込合計", yen(135795)},
        {"部門", "営業一課"}, {"担当", "山田 太郎"},
        {"メモ１行目", "いつもお引き立ていただき誠にありがとうございます。"},
        {"メモ２行目", "お支払いは月末締め翌月末払いでお願いいたします。"},
        {"顧客名かな", "ミホンショウカイ"}, {"顧客名漢字", "株式会社見本商会"}, {"顧客名漢字+様", "株式会社見本商会 様"},
        {"顧客名漢字+御中", "株式会社見本商会 御中"}, {"郵便番号", "530-0001"},
        {"所在地１", "大阪府大阪市北区梅田三丁目1番3号"}, {"所在地２", "ノースゲートビルディング 15階"},
        {"電話番号", "06-1111-2222"}, {"FAX番号", "06-1111-2223"}, {"月締め請求", "する"}, {"締め日", "20日"},
        {"請求金額計算", "伝票ごと"}, {"請求金額計算説明", "伝票ごとに消費税を計算します"}, {"請求書フォーム", "請求書"},
        {"商品ID", "P00012"}, {"品番", "BP-0500-BK"}, {"品名", "油性ボールペン 0.5mm 黒 (10本入)"},
        {"製造元", "見本文具製作所"}, {"単価", yen(1280)}, {"数量", 12.0}, {"単位", "箱"}, {"金額", yen(15360)},
        {"備考", "4/15納品分"},
        {"先頭伝票顧客/顧客郵便", "530-0001"}, {"先頭伝票顧客/顧客所在地１", "大阪府大阪市北区梅田三丁目1番3号"},
        {"先頭伝票顧客/顧客所在地２", "ノースゲートビルディング 15階"},
        {"先頭伝票顧客/顧客名+様", "株式会社見本商会 様"}, {"先頭伝票顧客/顧客名+御中", "株式会社見本商会 御中"},
        {"伝票集計/合計", yen(1234500)}, {"伝票集計/消費税", yen(123450)}, {"伝票集計/税込合計", yen(1357950)},
    };
    if (name == QStringLiteral("行番号") || name == QStringLiteral("伝票連番"))
        return row;
    if (name == QStringLiteral("伝票番号") && row > 0)
        return 1000 + row;
    if (name == QStringLiteral("品名") && row > 0)
        return QStringLiteral("見本品 第%1号 詰め合わせ").arg(row);
    return values.value(name, QString());
}

void setInfo(const char *key, const QString &text, qint32 number = 0)
{
    BasicInfo info;
    info.setBasicInfoID(QString::fromLatin1(key));
    info.setStringValue(text);
    info.setLongValue(number);
    info.Apply();
}

// A program database as a small business would have it: the own company,
// forty customers, forty products and forty delivered slips of customer
// C00001, slip 1001 with twelve lines and a discount.
void fillProgramDatabase()
{
    setInfo("MyName", QStringLiteral("株式会社クオルベックス商事"));
    setInfo("MyPostNumber", QStringLiteral("〒150-0002"));
    setInfo("MyAddress1", QStringLiteral("東京都渋谷区渋谷二丁目12番19号"));
    setInfo("MyAddress2", QStringLiteral("渋谷インフォスアネックス 8階"));
    setInfo("MyPhone", QStringLiteral("03-1234-5678"));
    setInfo("MyFax", QStringLiteral("03-1234-5679"));
    setInfo("MyTourokuBango", QStringLiteral("T1234567890123"));
    setInfo("MyKoza1Ginko", QStringLiteral("みずほ銀行"));
    setInfo("MyKoza1Shiten", QStringLiteral("渋谷中央支店"));
    setInfo("MyKoza1Shurui", QString(), 1);
    setInfo("MyKoza1Number", QStringLiteral("1234567"));
    setInfo("MyKoza2Ginko", QStringLiteral("三井住友銀行"));
    setInfo("MyKoza2Shiten", QStringLiteral("渋谷駅前支店"));
    setInfo("MyKoza2Shurui", QString(), 0);
    setInfo("MyKoza2Number", QStringLiteral("7654321"));
    for (int i = 1; i <= 40; ++i) {
        Customer c;
        c.setCustomerID(QStringLiteral("C%1").arg(i, 5, 10, QLatin1Char('0')));
        c.setNameKana(QStringLiteral("ミホンショウカイ"));
        c.setNameKnj(i == 1 ? QStringLiteral("株式会社見本商会") : QStringLiteral("見本取引先 第%1号").arg(i));
        c.setBumon(QStringLiteral("購買部 資材課"));
        c.setPostNumber(QStringLiteral("5300001"));
        c.setAddress1(QStringLiteral("大阪府大阪市北区梅田三丁目1番3号"));
        c.setAddress2(QStringLiteral("ノースゲートビルディング 15階"));
        c.setPhone(QStringLiteral("06-1111-2222"));
        c.setFax(QStringLiteral("06-1111-2223"));
        c.setNebikiRitsu(5);
        c.setTsukiSeikyu(true);
        c.setShimeBi(QStringLiteral("20日締め"));
        c.setSeikyushoForm(QStringLiteral("請求書"));
        c.setMemo(QStringLiteral("月末締め翌月末払い\r\n担当: 山田"));
        c.Apply();
        Shohin s;
        s.setShohinID(QStringLiteral("P%1").arg(i, 5, 10, QLatin1Char('0')));
        s.setNumber(QStringLiteral("BP-%1-BK").arg(i, 4, 10, QLatin1Char('0')));
        s.setName(QStringLiteral("油性ボールペン 0.5mm 黒 (10本入) 第%1号").arg(i));
        s.setMaker(QStringLiteral("見本文具製作所"));
        s.setTanka(1280);
        s.setTanni(QStringLiteral("箱"));
        s.setMemo(QStringLiteral("在庫僅少"));
        s.Apply();
    }
    Customer customer;
    customer.Load(QStringLiteral("C00001"));
    for (int n = 1001; n <= 1040; ++n) {
        Denpyo d;
        d.setDenpyoID(n);
        d.setNouki(QDateTime(QDate(2024, 4, 15), QTime(0, 0)));
        d.setCustomerID(customer.CustomerID());
        d.setCustomerPostNumber(customer.PostNumber());
        d.setCustomerAddress1(customer.Address1());
        d.setCustomerAddress2(customer.Address2());
        d.setCustomerName(customer.NameKnj());
        d.setCustomerBumon(customer.Bumon());
        d.setNouhin(true);
        d.setNouhinDate(QDateTime(QDate(2024, 4, 15), QTime(0, 0)));
        d.setTanto(QStringLiteral("山田 太郎"));
        const int lines = n == 1001 ? 12 : 1 + n % 3;
        qint32 sum = 0;
        for (int k = 1; k <= lines; ++k) {
            Meisai &m = d.Meisais().Add();
            m.setItemID(QStringLiteral("P%1").arg(k, 5, 10, QLatin1Char('0')));
            m.setItemNumber(QStringLiteral("BP-%1-BK").arg(k, 4, 10, QLatin1Char('0')));
            m.setItemName(QStringLiteral("見本品 第%1号 詰め合わせ").arg(k));
            m.setItemTanka(1280);
            m.setItemSuryo(k);
            m.setItemTanni(QStringLiteral("箱"));
            m.setItemKingaku(1280 * k);
            sum += 1280 * k;
        }
        d.setNebikiRitsu(n == 1001 ? 5 : 0);
        d.setNebikiKingaku(n == 1001 ? 500 : 0);
        d.setSummery(sum - d.NebikiKingaku());
        d.setShouhizei((sum - d.NebikiKingaku()) / 10);
        d.setSummeryWithShouhizei(d.Summery() + d.Shouhizei());
        d.setMemo(QStringLiteral("いつもお引き立ていただき誠にありがとうございます。"));
        d.Apply();
    }
}

// Records whose prices and quantities have decimals, and an invoice
// customer C09001 whose slip 9001 went through no stage and whose slip 9002
// was delivered a day after its date.
void storeDecimalRecords()
{
    const struct {
        const char *id;
        double tanka;
    } products[] = {{"P09001", 12.5}, {"P09002", 1234.5678}, {"P09003", 1280}};
    for (const auto &p : products) {
        Shohin s;
        s.setShohinID(QString::fromLatin1(p.id));
        s.setName(QStringLiteral("端数品 ") + QString::fromLatin1(p.id));
        s.setTanka(p.tanka);
        QVERIFY(s.Apply());
    }
    Customer c;
    c.setCustomerID(QStringLiteral("C09001"));
    c.setNameKnj(QStringLiteral("端数商会"));
    c.setTsukiSeikyu(true);
    c.setShimeBi(QStringLiteral("20日締め"));
    c.setSeikyushoForm(QStringLiteral("請求書"));
    QVERIFY(c.Apply());
    const struct {
        double tanka, suryo;
        qint32 kingaku;
    } lines[] = {{12.5, 2, 25}, {2.5, 3, 8}, {0.5, 1.125, 1}, {1234.5678, 1, 1235}, {1280, 3, 3840}};
    for (qint32 id : {9001, 9002}) {
        Denpyo d;
        d.setDenpyoID(id);
        d.setCustomerID(c.CustomerID());
        d.setCustomerName(c.NameKnj());
        d.setNouki(day(2024, 3, id == 9001 ? 10 : 15).toDateTime());
        if (id == 9002) {
            d.setNouhin(true);
            d.setNouhinDate(day(2024, 3, 16).toDateTime());
        }
        qint32 sum = 0;
        for (const auto &l : lines) {
            Meisai &m = d.Meisais().Add();
            m.setItemName(QStringLiteral("端数品"));
            m.setItemTanka(l.tanka);
            m.setItemSuryo(l.suryo);
            m.setItemKingaku(l.kingaku);
            sum += l.kingaku;
            if (id == 9002)
                break;
        }
        d.setMeisaiSum(sum);
        d.setSummery(sum);
        d.setSummeryWithShouhizei(sum);
        QVERIFY(d.Apply());
    }
}

// What each data field of a layout printed on a page, by the field's spec:
// the text drawn in the field's box.
QHash<QString, QString> printedFields(const report::Layout &layout, const report::Page &page)
{
    QHash<QString, QString> out;
    for (const report::Control &c : layout.sections[0].controls) {
        if (!c.name.startsWith(QLatin1String("Field")))
            continue;
        const QRect box(layout.pageSetup.leftMargin + c.left, layout.pageSetup.topMargin + c.top, c.width, c.height);
        QString text;
        for (const report::PageItem &item : page.items)
            if (item.type == report::PageItem::Type::Text && item.box == box)
                text = item.text;
        out.insert(c.text.trimmed(), text);
    }
    return out;
}

QStringList keys(const QString &prefix, int count, int width)
{
    QStringList out{QString()};
    for (int i = 1; i <= count; ++i)
        out << prefix + QStringLiteral("%1").arg(i, width, 10, QLatin1Char('0'));
    return out;
}

} // namespace

class tst_PrintSamples : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_pdf;
    QVector<report::Page> m_pages; // of the last preview
    QHash<QString, QHash<QString, QString>> m_printed;
    testsupport::ProgramFolder m_program;

    // The first page of the kind's sample as its print procedure fills it
    // with the records of storeDecimalRecords; the invoice goes through a
    // registration dated 2024/03/25 printed on 2024/03/20.
    QHash<QString, QString> printedSample(const QString &kind)
    {
        if (m_printed.contains(kind))
            return m_printed.value(kind);
        const QString folder = sampleFolder(kind);
        const QString form = mainSample(kind);
        const QDateTime printDate(QDate(2024, 6, 1), QTime(0, 0));
        m_pages.clear();
        m_pdf = m_dir.filePath(kind + QStringLiteral("-decimals.pdf"));
        if (kind == QStringLiteral("Denpyo")) {
            Denpyo d;
            if (d.Load(9001))
                PrintDenpyo(d, folder, form, printDate);
        } else if (kind == QStringLiteral("Shohin")) {
            Shohin s;
            if (s.Load(QStringLiteral("P09001")))
                PrintShohin(s, folder, form, printDate);
        } else if (kind == QStringLiteral("ShohinList")) {
            PrintShohinList(folder, form, printDate, {QString(), "P09001", "P09002", "P09003"}, QString());
        } else if (kind == QStringLiteral("TsukiSeikyusho")) {
            QFile::copy(folder + form + QStringLiteral(".rpx"),
                        gstrTsukiSeikyushoPrintFormFolder + form + QStringLiteral(".rpx"));
            QStringList messages;
            ui::setMessageResponder([&messages](const ui::MessageRequest &r) {
                messages << r.text;
                return ui::Answer::Yes;
            });
            setFixedNow(QDateTime(QDate(2024, 3, 25), QTime(10, 0)));
            {
                frmTsukiSeikyushoPrint w(QStringLiteral("C09001"));
                w.cmbSeikyushoForm->setCurrentText(form);
                w.dtpSeikyuDate->setDate(QDate(2024, 3, 25));
                w.dtpPrintDate->setDate(QDate(2024, 3, 20));
                w.SeikyushoRegistPrint();
            }
            setFixedNow(QDateTime());
            ui::setMessageResponder({});
            if (!messages.isEmpty())
                qWarning() << "registration said" << messages;
            Denpyo marked;
            if (!marked.Load(9002) || marked.SeikyuDate().date() != QDate(2024, 3, 25))
                qWarning("the slips were not marked with the invoice date");
        }
        QHash<QString, QString> fields;
        if (!m_pages.isEmpty())
            fields = printedFields(report::loadLayout(folder + form + QStringLiteral(".rpx")), m_pages.first());
        m_printed.insert(kind, fields);
        return fields;
    }

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
            out << QString::fromUtf8(run.readAllStandardOutput());
        }
        return out;
    }

private slots:
    void initTestCase()
    {
        m_program.open();
        fillProgramDatabase();
        gstrStartupDir = m_dir.path();
        report::setPreviewDriver([this](report::PreviewDialog &d) {
            m_pages = d.viewer()->pages();
            d.viewer()->savePdf(m_pdf);
            return int(QDialog::Accepted);
        });
        storeDecimalRecords();
    }

    void samplesPrintStoredValues_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("spec"); // "日付列": the invoice's date column, top to bottom
        QTest::addColumn<QString>("printed");
        const auto row = [](const char *kind, const char *spec, const QString &printed) {
            QTest::addRow("%s %s", kind, spec) << QString::fromLatin1(kind) << QString::fromUtf8(spec) << printed;
        };
        // Unit prices and quantities as stored, decimals only where there are.
        row("Denpyo", "1_単価", "12.5");
        row("Denpyo", "1_金額", "25");
        row("Denpyo", "2_単価", "2.5");
        row("Denpyo", "3_単価", "0.5");
        row("Denpyo", "3_数量", "1.125");
        row("Denpyo", "4_単価", "1,234.5678");
        row("Denpyo", "5_単価", "1,280");
        row("Denpyo", "5_数量", "3");
        row("Shohin", "P_単価", "\\12.5");
        row("ShohinList", "1_単価", "12.5");
        row("ShohinList", "2_単価", "1,234.5678");
        row("ShohinList", "3_単価", "1,280");
        row("TsukiSeikyusho", "1_単価", "12.5");
        row("TsukiSeikyusho", "2_単価", "2.5");
        row("TsukiSeikyusho", "3_数量", "1.125");
        // The invoice date, not the print date; each slip's own date.
        row("TsukiSeikyusho", "P_先頭伝票/請求日付", "2024年3月25日");
        row("TsukiSeikyusho", "日付列", "3/10 3/15");
        // Account 3 was never filled in: no type of its own.
        row("TsukiSeikyusho", "P_自社振込口座１種類", "普通");
        row("TsukiSeikyusho", "P_自社振込口座２種類", "当座");
        row("TsukiSeikyusho", "P_自社振込口座３種類", "");
    }

    // The samples, printed through the print procedures, show the values as
    // they are stored.
    void samplesPrintStoredValues()
    {
        QFETCH(QString, kind);
        QFETCH(QString, spec);
        QFETCH(QString, printed);
        const QHash<QString, QString> fields = printedSample(kind);
        QVERIFY2(!fields.isEmpty(), "nothing printed");
        if (spec == QStringLiteral("日付列")) {
            QStringList dates;
            for (int slot = 1; fields.contains(QStringLiteral("%1_納期").arg(slot))
                               || fields.contains(QStringLiteral("%1_納品日").arg(slot));
                 ++slot) {
                for (const QString &item : {QStringLiteral("納期"), QStringLiteral("納品日")}) {
                    const QString text = fields.value(QStringLiteral("%1_%2").arg(slot).arg(item));
                    if (!text.isEmpty())
                        dates << text;
                }
            }
            QCOMPARE(dates.join(QLatin1Char(' ')), printed);
            return;
        }
        QVERIFY2(fields.contains(spec), qPrintable(spec));
        QCOMPARE(fields.value(spec), printed);
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

    void everySampleRenders_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("pages");
        QTest::addColumn<QStringList>("firstPage");
        QTest::addColumn<QStringList>("lastPage");
        QTest::newRow("Denpyo") << "Denpyo" << 4 << 1
                                << QStringList{"納", "株式会社見本商会 様", "¥135,795", "15,360", "見本品 第4号"}
                                << QStringList{"¥12,345"};
        QTest::newRow("DenpyoList") << "DenpyoList" << 40 << 2
                                    << QStringList{"伝票一覧", "000001001", "2024/04/15"}
                                    << QStringList{"000001040", "¥1,357,950"};
        QTest::newRow("TsukiSeikyusho") << "TsukiSeikyusho" << 6 << 1
                                        << QStringList{"請", "¥1,357,950", "T1234567890123", "渋谷中央支店"}
                                        << QStringList{"¥123,450"};
        QTest::newRow("Customer") << "Customer" << 1 << 1 << QStringList{"顧客情報", "ミホンショウカイ", "20日"}
                                  << QStringList{};
        QTest::newRow("CustomerList") << "CustomerList" << 40 << 2 << QStringList{"顧客一覧", "C00001"}
                                      << QStringList{"顧客一覧"};
        QTest::newRow("Shohin") << "Shohin" << 1 << 1 << QStringList{"商品情報", "BP-0500-BK", "¥1,280"}
                                << QStringList{};
        QTest::newRow("ShohinList") << "ShohinList" << 40 << 2 << QStringList{"商品一覧", "見本文具製作所", "1,280"}
                                    << QStringList{"見本品 第40号"};
    }

    // Every sample prints a typical data set with the texts where they
    // belong. QVX_SAMPLE_PDF_DIR keeps the PDF files for a look.
    void everySampleRenders()
    {
        QFETCH(QString, kind);
        QFETCH(int, rows);
        QFETCH(int, pages);
        QFETCH(QStringList, firstPage);
        QFETCH(QStringList, lastPage);
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext is not installed");
        const QString keep = qEnvironmentVariable("QVX_SAMPLE_PDF_DIR");
        const QStringList files = QDir(sampleFolder(kind)).entryList({QStringLiteral("*.rpx")}, QDir::Files);
        QVERIFY(files.contains(mainSample(kind) + QStringLiteral(".rpx")));
        clsReportPrint collector;
        for (const QString &name : fnGetItemNames(kind, QStringLiteral("P")).mid(1))
            collector.SetPageData(name, sampleValue(name, 0));
        const QStringList detailNames = fnGetItemNames(kind, QStringLiteral("D")).mid(1);
        for (int r = 1; r <= rows; ++r) {
            collector.AddDetailData();
            for (const QString &name : detailNames)
                collector.SetDetailData(name, sampleValue(name, r));
        }
        for (const QString &file : files) {
            m_pdf = (keep.isEmpty() ? m_dir.path() : keep) + QLatin1Char('/') + file.chopped(4) + QStringLiteral(".pdf");
            QVERIFY2(collector.ReportPrintView(sampleFolder(kind) + file, QString()), qPrintable(file));
            const QStringList texts = pdfPages(m_pdf, pages + 1);
            QCOMPARE(texts.size(), 0); // no page beyond the expected ones
            const QStringList printed = pdfPages(m_pdf, pages);
            QCOMPARE(printed.size(), pages);
            for (const QString &expected : firstPage)
                QVERIFY2(printed[0].contains(expected), qPrintable(file + ": " + expected + " in\n" + printed[0]));
            for (const QString &expected : lastPage)
                QVERIFY2(printed.last().contains(expected),
                         qPrintable(file + ": " + expected + " in\n" + printed.last()));
        }
    }

    // In a shop whose prices contain the tax a slip's 合計 already holds its
    // 消費税. The tax-contained variants of the slip and invoice samples
    // print 合計 less the tax as 小計, so that 小計 + 消費税 is the 合計
    // printed under them: 23,522 less 10 % is 21,170, of which 1,925 is tax.
    void taxContainedSamplesAddUp_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("form");
        QTest::addColumn<QStringList>("specs"); // 小計, 消費税, 合計
        QTest::newRow("納品書") << "Denpyo" << "納品書(内税)"
                             << QStringList{"P_合計-消費税", "P_消費税", "P_税込合計"};
        QTest::newRow("請求書") << "TsukiSeikyusho" << "請求書(内税)"
                             << QStringList{"L_伝票集計/合計-消費税", "L_伝票集計/消費税", "L_伝票集計/税込合計"};
    }
    void taxContainedSamplesAddUp()
    {
        QFETCH(QString, kind);
        QFETCH(QString, form);
        QFETCH(QStringList, specs);
        Denpyo slip;
        if (!slip.Load(8001)) {
            slip.setDenpyoID(8001);
            slip.setNouki(day(2024, 5, 10).toDateTime());
            slip.setCustomerID(QStringLiteral("C00001"));
            slip.setCustomerName(QStringLiteral("株式会社見本商会"));
            slip.setNebikiRitsuOn(true);
            slip.setNebikiRitsu(10);
            slip.setShouhizeiIn(true);
            for (const auto &[tanka, suryo] : {std::pair{1234, 3}, std::pair{999, 7}, std::pair{1, 12827}}) {
                Meisai &m = slip.Meisais().Add();
                m.setItemName(QStringLiteral("内税品"));
                m.setItemTanka(tanka);
                m.setItemSuryo(suryo);
                m.setItemKingaku(tanka * suryo);
            }
            slip.setMeisaiSum(23522);
            slip.setNebikiKingaku(2352);
            slip.setSummery(21170);
            slip.setShouhizei(1925);
            slip.setSummeryWithShouhizei(21170);
            QVERIFY(slip.Apply());
        }
        const QString folder = sampleFolder(kind);
        const QDateTime printDate(QDate(2024, 6, 1), QTime(0, 0));
        m_pages.clear();
        m_pdf = m_dir.filePath(form + QStringLiteral(".pdf"));
        QStringList messages;
        ui::setMessageResponder([&messages](const ui::MessageRequest &r) {
            messages << r.text;
            return ui::Answer::Ok;
        });
        const bool printed = kind == QLatin1String("Denpyo")
                                 ? PrintDenpyo(slip, folder, form, printDate)
                                 : PrintDenpyoList(folder, form, printDate, {QString(), "8001"}, QString());
        ui::setMessageResponder({});
        QCOMPARE(messages, QStringList());
        QVERIFY(printed);
        QCOMPARE(m_pages.size(), 1);
        const QHash<QString, QString> fields =
            printedFields(report::loadLayout(folder + form + QStringLiteral(".rpx")), m_pages.first());
        QList<qint64> amounts;
        for (const QString &spec : specs) {
            QVERIFY2(fields.contains(spec), qPrintable(spec));
            amounts << fnFilterChars(fields.value(spec), QStringLiteral("0123456789")).toLongLong();
        }
        QCOMPARE(amounts, (QList<qint64>{19245, 1925, 21170}));
        QCOMPARE(amounts[0] + amounts[1], amounts[2]);
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

    void proceduresPrintTheSamples_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("pages");
        QTest::addColumn<QStringList>("firstPage");
        QTest::addColumn<QStringList>("lastPage");
        QTest::newRow("Denpyo") << "Denpyo" << 2
                                << QStringList{"株式会社見本商会 様", "000001001", "530-0001", "2024年4月15日",
                                               "見本品 第10号", "12,800", "値引き 5% ¥500円", "¥99,340", "¥109,274",
                                               "T1234567890123", "2024/06/01"}
                                << QStringList{"見本品 第12号", "15,360"};
        QTest::newRow("DenpyoList") << "DenpyoList" << 2
                                    << QStringList{"000001001", "2024/04/15", "株式会社見本商会", "99,340", "109,274", "山田 太郎"}
                                    << QStringList{"000001040", "31", "¥"};
        QTest::newRow("TsukiSeikyusho") << "TsukiSeikyusho" << 1
                                        << QStringList{"株式会社見本商会 様", "530-0001", "000001001", "4/15",
                                                       "見本品 第1号 詰め合わせ", "値引き 5%", "-500", "みずほ銀行",
                                                       "普通", "当座"}
                                        << QStringList{"000001003"};
        QTest::newRow("Customer") << "Customer" << 1
                                  << QStringList{"C00001", "株式会社見本商会 御中", "ミホンショウカイ", "530-0001",
                                                 "する", "20日締め", "請求書", "月末締め翌月末払い", "担当: 山田"}
                                  << QStringList{};
        QTest::newRow("CustomerList") << "CustomerList" << 2 << QStringList{"C00001", "530-0001", "株式会社見本商会"}
                                      << QStringList{"C00040", "見本取引先 第40号"};
        QTest::newRow("Shohin") << "Shohin" << 1
                                << QStringList{"P00001", "BP-0001-BK", "油性ボールペン", "見本文具製作所", "1,280", "在庫僅少"}
                                << QStringList{};
        QTest::newRow("ShohinList") << "ShohinList" << 2 << QStringList{"P00001", "見本文具製作所", "1,280"}
                                    << QStringList{"P00040"};
    }

    // The print procedures fill the samples with stored records as a user
    // would print them. QVX_SAMPLE_PDF_DIR keeps the PDF files for a look.
    void proceduresPrintTheSamples()
    {
        QFETCH(QString, kind);
        QFETCH(int, pages);
        QFETCH(QStringList, firstPage);
        QFETCH(QStringList, lastPage);
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext is not installed");
        const QString keep = qEnvironmentVariable("QVX_SAMPLE_PDF_DIR");
        m_pdf = (keep.isEmpty() ? m_dir.path() : keep) + QStringLiteral("/%1-printed.pdf").arg(kind);
        const QString folder = sampleFolder(kind);
        const QString form = mainSample(kind);
        const QDateTime printDate(QDate(2024, 6, 1), QTime(0, 0));
        bool printed = false;
        if (kind == QStringLiteral("Denpyo")) {
            Denpyo d;
            QVERIFY(d.Load(1001));
            printed = PrintDenpyo(d, folder, form, printDate);
        } else if (kind == QStringLiteral("DenpyoList")) {
            QStringList numbers{QString()};
            for (int n = 1001; n <= 1040; ++n)
                numbers << QStringLiteral("%1").arg(n, 9, 10, QLatin1Char('0'));
            printed = PrintDenpyoList(folder, form, printDate, numbers, QString());
        } else if (kind == QStringLiteral("TsukiSeikyusho")) {
            printed = PrintDenpyoList(folder, form, printDate, {QString(), "1001", "1002", "1003"}, QString());
        } else if (kind == QStringLiteral("Customer")) {
            Customer c;
            QVERIFY(c.Load(QStringLiteral("C00001")));
            printed = PrintCustomer(c, folder, form, printDate);
        } else if (kind == QStringLiteral("CustomerList")) {
            printed = PrintCustomerList(folder, form, printDate, keys(QStringLiteral("C"), 40, 5), QString());
        } else if (kind == QStringLiteral("Shohin")) {
            Shohin s;
            QVERIFY(s.Load(QStringLiteral("P00001")));
            printed = PrintShohin(s, folder, form, printDate);
        } else {
            printed = PrintShohinList(folder, form, printDate, keys(QStringLiteral("P"), 40, 5), QString());
        }
        QVERIFY(printed);
        QCOMPARE(pdfPages(m_pdf, pages + 1).size(), 0); // no page beyond the expected ones
        const QStringList texts = pdfPages(m_pdf, pages);
        QCOMPARE(texts.size(), pages);
        for (const QString &expected : firstPage)
            QVERIFY2(texts[0].contains(expected), qPrintable(expected + " in\n" + texts[0]));
        for (const QString &expected : lastPage)
            QVERIFY2(texts.last().contains(expected), qPrintable(expected + " in\n" + texts.last()));
    }
};

QTEST_MAIN(tst_PrintSamples)
#include "tst_printsamples.moc"
