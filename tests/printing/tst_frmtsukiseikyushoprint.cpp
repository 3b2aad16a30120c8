#include "../masters/DateKeys.h"
#include "FullFileSystem.h"
#include "GridForm.h"
#include "TestSupport.h"
#include "core/DateValue.h"
#include "core/Globals.h"
#include "core/Settings.h"
#include "model/Customer.h"
#include "model/Denpyo.h"
#include "platform/report/PageFile.h"
#include "platform/report/PreviewDialog.h"
#include "platform/report/PreviewWidget.h"
#include "platform/ui/MessageBox.h"
#include "printing/SeikyushoArchive.h"
#include "printing/frmTsukiSeikyushoPrint.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>
#include <QtTest>
#include <optional>

namespace {
// A cell's text as the list shows it.
QString cell(const frmTsukiSeikyushoPrint &w, int row, int column)
{
    const QAbstractItemModel *m = w.lvwMeisaiList->model();
    return m->data(m->index(row, column)).toString();
}

QDateTime at(int y, int m, int d)
{
    return QDateTime(QDate(y, m, d), QTime(0, 0));
}

void storeSlip(qint32 id, const QDateTime &nouki, bool seikyu)
{
    Denpyo d;
    d.setDenpyoID(id);
    d.setCustomerID(QStringLiteral("A01"));
    d.setCustomerName(QStringLiteral("甲商店"));
    d.setNouki(nouki);
    d.setJuchuDate(at(2024, 1, 5));
    d.setNouhin(true);
    d.setNouhinDate(nouki);
    d.setSeikyu(seikyu);
    d.setNebikiKingaku(id == 1 ? 500 : 0);
    d.setNebikiRitsu(id == 1 ? 10 : 0);
    d.setSummery(1000 * id);
    d.setShouhizei(100 * id);
    d.setSummeryWithShouhizei(1100 * id);
    Meisai &m = d.Meisais().Add();
    m.setItemName(QStringLiteral("品%1").arg(id));
    m.setItemKingaku(1000 * id);
    QVERIFY(d.Apply());
}

// A slip of A01 stored without lines, with a discount without a rate.
void storeSlipWithoutLines(qint32 id, const QDateTime &nouki)
{
    Denpyo d;
    d.setDenpyoID(id);
    d.setCustomerID(QStringLiteral("A01"));
    d.setNouki(nouki);
    d.setNebikiKingaku(300);
    d.setSummery(-300);
    d.setSummeryWithShouhizei(-300);
    QVERIFY(d.Apply());
}

// Every stored row of a table with its row id, one text per row.
QStringList storedRows(const QString &table)
{
    QStringList out;
    db::Statement st = gConnection->prepare(QStringLiteral("SELECT rowid, * FROM %1 ORDER BY rowid").arg(table));
    while (st.step()) {
        QStringList values;
        for (int i = 0; i < st.columnCount(); ++i)
            values << (st.isNull(i) ? QStringLiteral("<null>") : st.text(i));
        out << values.join(QLatin1Char('|'));
    }
    return out;
}
} // namespace

class tst_frmTsukiSeikyushoPrint : public QObject {
    Q_OBJECT

    std::optional<testsupport::OpenedProgramFolder> m_folder;
    QList<ui::MessageRequest> m_messages;
    ui::Answer m_answer = ui::Answer::Yes;
    int m_previews = 0;

private slots:
    void init()
    {
        m_folder.emplace();
        setFixedNow(QDateTime(QDate(2024, 3, 25), QTime(10, 0)));
        m_messages.clear();
        m_previews = 0;
        m_answer = ui::Answer::Yes;
        ui::setMessageResponder([this](const ui::MessageRequest &r) {
            m_messages << r;
            return r.buttons == ui::Buttons::Ok ? ui::Answer::Ok : m_answer;
        });
        report::setPreviewDriver([this](report::PreviewDialog &) {
            ++m_previews;
            return int(QDialog::Accepted);
        });
        Customer c;
        c.setCustomerID(QStringLiteral("A01"));
        c.setNameKnj(QStringLiteral("甲商店"));
        c.setShimeBi(QStringLiteral("20日締め"));
        c.setTsukiSeikyu(true);
        c.setSeikyushoForm(QStringLiteral("請求"));
        QVERIFY(c.Apply());
        fixture::GridForm form({QStringLiteral("P_顧客名")});
        form.save(gstrTsukiSeikyushoPrintFormFolder + QStringLiteral("請求.rpx"));
        storeSlip(1, at(2024, 2, 21), false);
        storeSlip(2, at(2024, 3, 20), true);
        storeSlip(3, at(2024, 3, 21), false); // after the period
    }
    void cleanup()
    {
        ui::setMessageResponder({});
        report::setPreviewDriver({});
        setFixedNow(QDateTime());
        m_folder.reset();
    }

    // The period and the two dates of the invoice, typed or picked in the
    // calendar.
    void datesAsTyped_data() { datekeys::addDateKeyRows({"from", "invoice date", "print date"}); }
    void datesAsTyped()
    {
        QFETCH(QString, window);
        frmTsukiSeikyushoPrint w(QStringLiteral("A01"));
        QVERIFY(DialogDriver::open(&w));
        const QHash<QString, QPair<QDateEdit *, QWidget *>> boxes = {
            {"from", {w.dtpFrom, w.dtpTo}},
            {"invoice date", {w.dtpSeikyuDate, w.dtpPrintDate}},
            {"print date", {w.dtpPrintDate, w.cmdOK}},
        };
        datekeys::checkDateKeys(&w, boxes.value(window).first, boxes.value(window).second);
        QVERIFY(w.isVisible());
        QVERIFY(m_messages.isEmpty());
        QCOMPARE(m_previews, 0);
    }

    void listShowsPeriodSlipsWithLinesAndDiscount()
    {
        frmTsukiSeikyushoPrint w(QStringLiteral("A01"));
        QCOMPARE(w.dtpFrom->date(), QDate(2024, 2, 21));
        QCOMPARE(w.dtpTo->date(), QDate(2024, 3, 20));
        QCOMPARE(w.dtpSeikyuDate->date(), QDate(2024, 3, 20));
        QCOMPARE(w.cmbSeikyushoForm->currentText(), QStringLiteral("請求"));
        // slip 1, line, discount, slip 2, line
        QCOMPARE(w.lvwMeisaiList->model()->rowCount(), 5);
        QCOMPARE(cell(w, 0, 0), QStringLiteral("000000001"));
        QCOMPARE(cell(w, 2, 8), QStringLiteral("-500"));
        QCOMPARE(cell(w, 2, 9), QStringLiteral("値引き 10%"));
        QCOMPARE(w.total(), qint64(3300));
        QVERIFY(w.cmdOK->isEnabled());
        // The unbilled choice rebuilds the list at once.
        w.chkMiSeikyu->setChecked(true);
        QCOMPARE(w.lvwMeisaiList->model()->rowCount(), 3);
        // The order date column: every slip was ordered in January.
        w.chkMiSeikyu->setChecked(false);
        w.cmbDateItem->setCurrentIndex(1);
        QCOMPARE(w.lvwMeisaiList->model()->rowCount(), 0);
        QVERIFY(!w.cmdOK->isEnabled());
        w.cmbDateItem->setCurrentIndex(2);
        QCOMPARE(w.lvwMeisaiList->model()->rowCount(), 5);
    }

    void registrationMarksPrintsAndArchives()
    {
        frmTsukiSeikyushoPrint w(QStringLiteral("A01"));
        w.dtpSeikyuDate->setDate(QDate(2024, 3, 25));
        w.SeikyushoRegistPrint();
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(m_messages[0].text, QStringLiteral("既に請求済の伝票が存在しています。続行しますか？\r\n2\r\n"));
        QVERIFY(w.ResultModified);
        QCOMPARE(m_previews, 1);
        for (qint32 id : {1, 2}) {
            Denpyo d;
            QVERIFY(d.Load(id));
            QVERIFY(d.Seikyu());
            QCOMPARE(d.SeikyuDate().date(), QDate(2024, 3, 25));
        }
        Denpyo later;
        QVERIFY(later.Load(3));
        QVERIFY(!later.Seikyu());
        const QStringList pages = seikyusho::pagePaths(QStringLiteral("A01"), QDate(2024, 3, 25));
        QVERIFY(!pages.isEmpty());
        QVERIFY(pages.first().endsWith(QStringLiteral("/A01/A01_20240325/A01_20240325.cnv_0")));
        QCOMPARE(report::loadPages(pages).size(), pages.size());
        QCOMPARE(seikyusho::invoiceDates(QStringLiteral("A01")), QVector<QDate>{QDate(2024, 3, 25)});

        // The same date again: asked, and the new pages replace the old.
        frmTsukiSeikyushoPrint again(QStringLiteral("A01"));
        again.dtpSeikyuDate->setDate(QDate(2024, 3, 25));
        m_messages.clear();
        again.SeikyushoRegistPrint();
        QCOMPARE(m_messages.size(), 2);
        QCOMPARE(m_messages[1].text, QStringLiteral("この日付の請求書は既に存在しています。上書きしますか？"));
        QCOMPARE(seikyusho::invoiceDates(QStringLiteral("A01")), QVector<QDate>{QDate(2024, 3, 25)});
        QVERIFY(!seikyusho::pagePaths(QStringLiteral("A01"), QDate(2024, 3, 25)).isEmpty());
    }

    // Registration marks the period's slips and changes nothing else: their
    // other columns, the slips outside the period and every line (its row id
    // too) stay as stored, and a slip without lines gains none.
    void registrationChangesOnlyTheMarks()
    {
        storeSlipWithoutLines(4, at(2024, 3, 1));
        const QStringList slips = storedRows(QStringLiteral("伝票テーブル"));
        const QStringList lines = storedRows(QStringLiteral("明細テーブル"));
        setFixedNow(QDateTime(QDate(2024, 3, 26), QTime(8, 15, 30)));
        frmTsukiSeikyushoPrint w(QStringLiteral("A01"));
        w.dtpSeikyuDate->setDate(QDate(2024, 3, 25));
        w.SeikyushoRegistPrint();
        QVERIFY(w.ResultModified);

        QCOMPARE(storedRows(QStringLiteral("明細テーブル")), lines);
        const db::Statement names = gConnection->prepare(QStringLiteral("SELECT rowid, * FROM 伝票テーブル"));
        QStringList expected;
        for (const QString &row : slips) {
            QStringList values = row.split(QLatin1Char('|'));
            if (values[0] != QLatin1String("3")) {
                values[names.columnIndex(QStringLiteral("請求"))] = QStringLiteral("1");
                values[names.columnIndex(QStringLiteral("請求日付"))] = QStringLiteral("2024/03/25");
                values[names.columnIndex(QStringLiteral("更新日付"))] = QStringLiteral("2024/03/26 08:15:30");
            }
            expected << values.join(QLatin1Char('|'));
        }
        QCOMPARE(storedRows(QStringLiteral("伝票テーブル")), expected);
    }

    // Every cell of the list: slip rows, their lines in line order, discount
    // rows with and without a rate, the blank line of a slip stored without
    // lines, and line texts stored with line breaks and blanks around them.
    void listShowsEveryCell()
    {
        storeSlipWithoutLines(4, at(2024, 3, 1));
        gConnection->exec(QStringLiteral(
            "INSERT INTO 明細テーブル (伝票番号, 明細番号, 商品ID, 品番, 品名, 単価, 数量, 単位, 金額, 備考) "
            "VALUES (2, 2, 'P01', ' AB-1 ', '品' || char(13, 10) || '二行', 1234.5, 0.125, '個', -154, '至急')"));
        frmTsukiSeikyushoPrint w(QStringLiteral("A01"));
        QStringList shown;
        for (int r = 0; r < w.lvwMeisaiList->model()->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < 13; ++c)
                cells << cell(w, r, c);
            shown << cells.join(QLatin1Char('|'));
        }
        const QStringList expected = {
            QStringLiteral("000000001|2024/02/21| | | | | | | | |1,000|100|1,100"),
            QStringLiteral("| | | |品1| | | |1,000| | | | "),
            QStringLiteral("| | | | | | | |-500|値引き 10%| | | "),
            QStringLiteral("000000004|2024/03/01| | | | | | | | |-300| |-300"),
            QStringLiteral("| | | | | | | | | | | | "),
            QStringLiteral("| | | | | | | |-300|値引き | | | "),
            QStringLiteral("000000002|2024/03/20| | | | | | | | |2,000|200|2,200"),
            QStringLiteral("| | | |品2| | | |2,000| | | | "),
            QStringLiteral("| |P01|AB-1|品二行|.125|個|1,234.5|-154|至急| | | "),
        };
        QCOMPARE(shown, expected);
        // Numbers are right-aligned, texts and dates left, captions alike.
        const QAbstractItemModel *m = w.lvwMeisaiList->model();
        QCOMPARE(m->columnCount(), 13);
        for (int c = 0; c < 13; ++c) {
            const bool number = QList<int>{5, 7, 8, 10, 11, 12}.contains(c);
            const int expectedAlignment = int(number ? Qt::AlignRight : Qt::AlignLeft);
            QCOMPARE(m->data(m->index(8, c), Qt::TextAlignmentRole).toInt() & Qt::AlignHorizontal_Mask,
                     expectedAlignment);
            QCOMPARE(m->headerData(c, Qt::Horizontal, Qt::TextAlignmentRole).toInt() & Qt::AlignHorizontal_Mask,
                     expectedAlignment);
        }
        QCOMPARE(m->headerData(8, Qt::Horizontal).toString(), QStringLiteral("金額"));
        QCOMPARE(w.lblTotal->text(), QStringLiteral("3,000"));
        QCOMPARE(w.total(), qint64(3000));
    }

    void noChangeWhenRefusedEmptyOrUnmarkable_data()
    {
        QTest::addColumn<QString>("case_");
        QTest::addColumn<QString>("message");
        QTest::newRow("answer no") << "no" << "既に請求済の伝票が存在しています。続行しますか？\r\n2\r\n";
        QTest::newRow("no form") << "noform" << "請求書フォームが指定されていません。";
        QTest::newRow("empty period") << "empty" << "この期間に請求する伝票がありません。";
        QTest::newRow("a slip cannot be stored") << "fail" << "";
    }
    void noChangeWhenRefusedEmptyOrUnmarkable()
    {
        QFETCH(QString, case_);
        QFETCH(QString, message);
        frmTsukiSeikyushoPrint w(QStringLiteral("A01"));
        if (case_ == QLatin1String("no"))
            m_answer = ui::Answer::No;
        if (case_ == QLatin1String("noform"))
            w.cmbSeikyushoForm->setCurrentIndex(0);
        if (case_ == QLatin1String("empty"))
            w.dtpFrom->setDate(QDate(2024, 3, 22)), w.dtpTo->setDate(QDate(2024, 3, 24));
        if (case_ == QLatin1String("fail"))
            gConnection->exec(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON 伝票テーブル WHEN NEW.伝票番号 = 2 "
                                             "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
        w.SeikyushoRegistPrint();
        QVERIFY(!m_messages.isEmpty());
        if (!message.isEmpty())
            QCOMPARE(m_messages.last().text, message);
        QVERIFY(!w.ResultModified);
        QCOMPARE(m_previews, 0);
        Denpyo d;
        QVERIFY(d.Load(1));
        QVERIFY(!d.Seikyu());
        QVERIFY(seikyusho::invoiceDates(QStringLiteral("A01")).isEmpty());
    }

    // A registration whose archive folder cannot take the invoice, or whose
    // form cannot be read, says why and archives nothing.
    void archiveFailureSaysWhy_data()
    {
        QTest::addColumn<QString>("cause");
        QTest::addColumn<QString>("reason");
        QTest::newRow("read-only") << "read-only" << "保存先は読み取り専用です。";
        QTest::newRow("missing") << "missing" << "保存先のフォルダーがありません。";
        QTest::newRow("full") << "full" << "ディスクの空き容量が足りません。";
        QTest::newRow("form file gone") << "no form" << "ファイルがありません。";
    }
    void archiveFailureSaysWhy()
    {
        QFETCH(QString, cause);
        QFETCH(QString, reason);
        testsupport::FullFileSystem fs;
        QTemporaryDir dir;
        if (cause == QLatin1String("missing")) {
            // A file where a folder of the archive's path should be.
            QFile file(dir.filePath(QStringLiteral("archive")));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.close();
            gstrTsukiSeikyushoFolder = file.fileName() + QStringLiteral("/TsukiSeikyusho/");
        } else if (cause != QLatin1String("no form")) {
            QVX_NEED_FULL_FS(fs);
            gstrTsukiSeikyushoFolder = fs.path() + QLatin1Char('/');
            QVERIFY(cause == QLatin1String("full") ? fs.fill() : fs.makeReadOnly());
        }
        frmTsukiSeikyushoPrint w(QStringLiteral("A01"));
        if (cause == QLatin1String("no form"))
            QVERIFY(QFile::remove(gstrTsukiSeikyushoPrintFormFolder + QStringLiteral("請求.rpx")));
        w.dtpFrom->setDate(QDate(2024, 2, 21));
        w.dtpTo->setDate(QDate(2024, 2, 29));
        w.SeikyushoRegistPrint();
        QVERIFY(!m_messages.isEmpty());
        QVERIFY(testsupport::saysWhyInJapanese(m_messages.last().text, reason));
        QVERIFY(seikyusho::invoiceDates(QStringLiteral("A01")).isEmpty());
    }

    // The date column and the unbilled choice come back at the next opening,
    // however the window was closed, and its first list already follows them.
    void choicesKeptForTheNextOpening_data()
    {
        QTest::addColumn<QString>("closing");
        QTest::addColumn<int>("rows"); // of the next opening's list
        QTest::newRow("閉じる") << "button" << 3;
        QTest::newRow("Esc") << "escape" << 3;
        QTest::newRow("after a registration") << "register" << 0;
    }
    void choicesKeptForTheNextOpening()
    {
        QFETCH(QString, closing);
        {
            frmTsukiSeikyushoPrint w(QStringLiteral("A01"));
            QCOMPARE(w.cmbDateItem->currentIndex(), 0);
            QVERIFY(!w.chkMiSeikyu->isChecked());
            w.cmbDateItem->setCurrentIndex(2);
            w.chkMiSeikyu->setChecked(true);
            w.show();
            if (closing == QLatin1String("button"))
                w.cmdExit->click();
            else if (closing == QLatin1String("escape"))
                QTest::keyClick(w.lvwMeisaiList, Qt::Key_Escape);
            else
                w.SeikyushoRegistPrint();
            QVERIFY(!w.isVisible());
            QCOMPARE(w.ResultModified, closing == QLatin1String("register"));
        }
        frmTsukiSeikyushoPrint again(QStringLiteral("A01"));
        QCOMPARE(again.cmbDateItem->currentIndex(), 2);
        QVERIFY(again.chkMiSeikyu->isChecked());
        // By delivery date, unbilled only: slip 1 with its line and discount,
        // until it is invoiced.
        QCOMPARE(again.lvwMeisaiList->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("納品日付"));
        QTEST(again.lvwMeisaiList->model()->rowCount(), "rows");
    }

    // A hand-edited settings file: what is not a choice counts as the default.
    void storedChoices_data()
    {
        QTest::addColumn<QString>("dateItem");
        QTest::addColumn<QString>("miSeikyu");
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("checked");
        QTest::newRow("blank") << "" << "" << 0 << false;
        QTest::newRow("order date, ticked") << "1" << "1" << 1 << true;
        QTest::newRow("padded") << " 2 " << " 1 " << 2 << true;
        QTest::newRow("past the last column") << "3" << "2" << 0 << false;
        QTest::newRow("negative, a word") << "-1" << "True" << 0 << false;
    }
    void storedChoices()
    {
        QFETCH(QString, dateItem);
        QFETCH(QString, miSeikyu);
        const QString file = settingsFileName(QStringLiteral("Ini"));
        const QString section = QStringLiteral("TsukiSeikyu Setting");
        QVERIFY(fnWriteSetting(file, section, QStringLiteral("DateItem"), dateItem));
        QVERIFY(fnWriteSetting(file, section, QStringLiteral("MiSeikyuOnly"), miSeikyu));
        frmTsukiSeikyushoPrint w(QStringLiteral("A01"));
        QTEST(w.cmbDateItem->currentIndex(), "index");
        QTEST(w.chkMiSeikyu->isChecked(), "checked");
    }
};

QTEST_MAIN(tst_frmTsukiSeikyushoPrint)
#include "tst_frmtsukiseikyushoprint.moc"
