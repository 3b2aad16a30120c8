#include "SlipFixture.h"
#include "slips/SlipAmounts.h"
#include "slips/frmDenpyo.h"
#include "slips/frmDenpyoCopy.h"

#include <QPushButton>
#include <numeric>

using D = DialogDriver;
using namespace slipfixture;

// The line-transfer dialog driven at the keyboard over a temporary database.
class tst_frmDenpyoCopy : public QObject {
    Q_OBJECT

    std::optional<testsupport::OpenedProgramFolder> m_folder;

    static void selectRows(frmDenpyoCopy &dlg, const char *list, const QList<int> &rows)
    {
        auto *l = dlg.findChild<QTreeWidget *>(QLatin1String(list));
        l->clearSelection();
        for (int row : rows)
            l->topLevelItem(row)->setSelected(true);
    }
    static void press(frmDenpyoCopy &dlg, const char *button)
    {
        dlg.findChild<QPushButton *>(QLatin1String(button))->click();
    }
    // Decides the destination at the keyboard: the stored slip of that
    // number, or with 0 the new slip proposed.
    static void decide(int destination)
    {
        if (destination != 0) {
            D::key(Qt::Key_A, Qt::ControlModifier);
            D::type(QString::number(destination));
        }
        D::key(Qt::Key_Return);
    }
    static qint64 stored(qint32 id, const char *column)
    {
        return connection()
            .scalar(QStringLiteral("SELECT %1 FROM 伝票テーブル WHERE 伝票番号 = %2").arg(QString::fromUtf8(column)).arg(id))
            .toLongLong();
    }
    static qint64 counter()
    {
        return connection()
            .scalar(QStringLiteral("SELECT 数値型データ FROM 基本情報テーブル WHERE 基本情報ID = 'CurrentDenpyoID'"))
            .toLongLong();
    }
    static void setLong(const char *key, qint32 value)
    {
        BasicInfo info;
        info.setBasicInfoID(QString::fromLatin1(key));
        info.setLongValue(value);
        QVERIFY(info.Apply());
    }
    // What the slip editor computes for a slip's lines and controls.
    static SlipAmountResult editorAmounts(const Denpyo &d, qint32 pattern)
    {
        SlipAmountInput in;
        for (const Meisai &m : d.Meisais())
            in.lines.push_back({m.ItemTanka(), m.ItemSuryo()});
        in.rateOn = d.NebikiRitsuOn();
        in.rateText = QString::number(d.NebikiRitsu());
        in.amountText = QString::number(d.NebikiKingaku());
        in.taxOn = d.ShouhizeiIn();
        in.taxRate = 10;
        in.taxPattern = pattern;
        return SlipAmounts::compute(in);
    }
    // A slip stored as the slip editor registers it: line amounts and
    // totals by its amount rules.
    static void storeEditedSlip(qint32 id, const QList<Line> &lines, qint32 pattern, bool ritsuOn, qint16 ritsu,
                                qint32 nebiki)
    {
        Denpyo d;
        d.setDenpyoID(id);
        d.setNouki(QDateTime(QDate(2026, 12, 1), QTime()));
        d.setCustomerID(QStringLiteral("C%1").arg(id));
        d.setCustomerName(QStringLiteral("顧客%1").arg(id));
        d.setNebikiRitsuOn(ritsuOn);
        d.setNebikiRitsu(ritsu);
        d.setNebikiKingaku(nebiki);
        d.setShouhizeiIn(true);
        for (const Line &l : lines) {
            Meisai &m = d.Meisais().Add();
            m.setItemName(l.name);
            m.setItemTanka(l.tanka);
            m.setItemSuryo(l.suryo);
        }
        const SlipAmountResult r = editorAmounts(d, pattern);
        QVERIFY(!r.overflow);
        for (int i = 1; i <= d.Meisais().Count(); ++i)
            d.Meisais().Item(i).setItemKingaku(qint32(r.lineAmounts[i - 1].yen()));
        d.setMeisaiSum(qint32(r.lineTotal.yen()));
        d.setNebikiKingaku(qint32(r.discount.yen()));
        d.setSummery(qint32(r.total.yen()));
        d.setShouhizei(qint32(r.tax.yen()));
        d.setSummeryWithShouhizei(qint32(r.totalWithTax.yen()));
        QVERIFY(d.Apply());
    }
    // A slip's five totals, then its line amounts.
    static QList<qint64> storedAmounts(qint32 id)
    {
        Denpyo d;
        if (!d.Load(id))
            return {};
        QList<qint64> out{d.MeisaiSum(), d.NebikiKingaku(), d.Summery(), d.Shouhizei(), d.SummeryWithShouhizei()};
        for (const Meisai &m : d.Meisais())
            out << m.ItemKingaku();
        return out;
    }
    static QList<qint64> totalsOf(const Denpyo &d)
    {
        return {d.MeisaiSum(), d.NebikiKingaku(), d.Summery(), d.Shouhizei(), d.SummeryWithShouhizei()};
    }
    // Opens the stored slip in the slip editor, which must show no
    // difference, registers it unchanged with F12 and says whether that
    // changed any stored amount.
    static void registerUnchangedInTheEditor(qint32 id)
    {
        const QList<qint64> before = storedAmounts(id);
        QVERIFY(!before.isEmpty());
        D d;
        frmDenpyo editor;
        editor.strMode = QStringLiteral("SelectedUpdate");
        editor.strDenpyoID = QString::number(id);
        QVERIFY(D::open(&editor));
        QVERIFY2(editor.findChild<QLabel *>(QStringLiteral("lblMessage"))->text().isEmpty(),
                 qPrintable(QStringLiteral("slip %1 shows a difference").arg(id)));
        D::key(Qt::Key_F12);
        QCOMPARE(d.texts(), QStringList{QStringLiteral("伝票 %1 を更新しますか？").arg(id)});
        QVERIFY(editor.ResultModified());
        QCOMPARE(storedAmounts(id), before);
    }

private slots:
    void init()
    {
        setFixedNow(QDateTime(QDate(2026, 12, 9), QTime(10, 0)));
        m_folder.emplace();
        setTaxRate(10);
    }
    void cleanup()
    {
        m_folder.reset();
        setFixedNow(QDateTime());
    }

    void splitOfLinesTwoAndFiveIntoANewSlip()
    {
        storeSlip(10, numbered(6));
        D d;
        frmDenpyoCopy dlg;
        dlg.Mode = QStringLiteral("Split");
        dlg.FromDenpyoID = QStringLiteral("000000010");
        QVERIFY(D::open(&dlg));
        QCOMPARE(dlg.windowTitle(), QStringLiteral(" 伝票分割"));
        QCOMPARE(D::focusName(), QStringLiteral("txtToDenpyoID"));
        QCOMPARE(D::shown(&dlg, "txtToDenpyoID"), QStringLiteral("11"));
        QVERIFY(!dlg.findChild<QPushButton *>(QStringLiteral("cmdOK"))->isEnabled());
        D::key(Qt::Key_F12); // nothing before the destination is decided
        QVERIFY(d.messages.isEmpty());

        D::key(Qt::Key_Return);
        QCOMPARE(D::focusName(), QStringLiteral("datToNouki"));
        D::key(Qt::Key_Return);
        QCOMPARE(D::focusName(), QStringLiteral("lstSelectable"));
        selectRows(dlg, "lstSelectable", {1, 4});
        press(dlg, "cmdSelect");
        QCOMPARE(rowTexts(&dlg, "lstSelectable"), (QStringList{"01", "03", "04", "06"}));
        QCOMPARE(rowTexts(&dlg, "lstSelected"), (QStringList{"02", "05"}));
        QCOMPARE(label(&dlg, "wlbFromMeisaiKei"), QStringLiteral("1,400"));
        QCOMPARE(label(&dlg, "wlbToMeisaiKei"), QStringLiteral("700"));

        D::key(Qt::Key_F12);
        QCOMPARE(d.texts(), QStringList{QStringLiteral("既存伝票を更新し、新規伝票を作成します。よろしいですか？")});
        QVERIFY(dlg.ResultModified());
        QCOMPARE(storedLines(10), (QStringList{"品1", "品3", "品4", "品6"}));
        QCOMPARE(storedLines(11), (QStringList{"品2", "品5"}));
        QCOMPARE(stored(10, "明細計"), 1400);
        QCOMPARE(stored(11, "明細計"), 700);
        QCOMPARE(connection().scalar(QStringLiteral("SELECT 顧客名 FROM 伝票テーブル WHERE 伝票番号 = 11")).toString(),
                 QStringLiteral("山田商店"));
        QCOMPARE(connection().scalar(QStringLiteral("SELECT 納期 FROM 伝票テーブル WHERE 伝票番号 = 11")).toString(),
                 QStringLiteral("2026/12/09"));
        QCOMPARE(counter(), 11);
    }

    void copyToANewSlipKeepsStoredAmounts()
    {
        storeSlip(10, {{QStringLiteral("半端"), 0.5, 5, 3}, {QStringLiteral("普通"), 100, 2, 200}}, QStringLiteral("甲"),
                  true, 10);
        D d;
        frmDenpyoCopy dlg;
        dlg.Mode = QStringLiteral("Copy");
        dlg.FromDenpyoID = QStringLiteral("10");
        QVERIFY(D::open(&dlg));
        D::key(Qt::Key_Return);
        press(dlg, "cmdAllSelect");
        // Copy leaves every source row in place.
        QCOMPARE(rowTexts(&dlg, "lstSelectable"), (QStringList{"01", "02"}));
        QCOMPARE(rowTexts(&dlg, "lstSelected"), (QStringList{"01", "02"}));
        D::key(Qt::Key_F12);
        QCOMPARE(d.texts(), QStringList{QStringLiteral("新規伝票を作成します。よろしいですか？")});
        QCOMPARE(storedLines(11), (QStringList{"半端", "普通"}));
        // The line keeps the amount its source stored for 0.5 x 5.
        QCOMPARE(connection()
                     .scalar(QStringLiteral("SELECT 金額 FROM 明細テーブル WHERE 伝票番号 = 11 AND 明細番号 = 1"))
                     .toInt(),
                 3);
        // The totals are those shown, from the stored amounts: 203 less 10 %
        // (20.3, rounded off as the slip editor does).
        QCOMPARE(stored(11, "明細計"), 203);
        QCOMPARE(stored(11, "値引金額"), 20);
        QCOMPARE(stored(11, "値引率計算"), 1);
        QCOMPARE(storedLines(10), (QStringList{"半端", "普通"}));
    }

    // Lines of half-yen products keep the amounts their slip stored, and
    // every slip written stores the sum of its lines' amounts as 明細計, also
    // a destination whose 明細計 was off before (lines 2, 4, 2 under 9).
    void transferredSlipsAddUp_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("destination"); // 0: a new slip (number 21)
        QTest::addColumn<QList<int>>("carried");
        QTest::addColumn<QList<int>>("toAmounts");
        QTest::addColumn<QList<int>>("fromAmounts");
        QTest::newRow("copy into a new slip")
            << "Copy" << 0 << QList<int>{0, 1, 2} << QList<int>{3, 4, 2} << QList<int>{3, 4, 2};
        QTest::newRow("copy into a stored slip")
            << "Copy" << 20 << QList<int>{0, 2} << QList<int>{2, 4, 2, 3, 2} << QList<int>{3, 4, 2};
        QTest::newRow("split into a new slip")
            << "Split" << 0 << QList<int>{1} << QList<int>{4} << QList<int>{3, 2};
        QTest::newRow("split into a stored slip")
            << "Split" << 20 << QList<int>{0, 2} << QList<int>{2, 4, 2, 3, 2} << QList<int>{4};
    }
    void transferredSlipsAddUp()
    {
        QFETCH(QString, mode);
        QFETCH(int, destination);
        QFETCH(QList<int>, carried);
        QFETCH(QList<int>, toAmounts);
        QFETCH(QList<int>, fromAmounts);
        // 0.5 x 5, 7 and 3 as the slip editor stores them (halves up).
        storeSlip(10, {{QStringLiteral("半5"), 0.5, 5, 3}, {QStringLiteral("半7"), 0.5, 7, 4},
                       {QStringLiteral("半3"), 0.5, 3, 2}});
        storeSlip(20, {{QStringLiteral("旧5"), 0.5, 5, 2}, {QStringLiteral("旧7"), 0.5, 7, 4},
                       {QStringLiteral("旧3"), 0.5, 3, 2}});
        connection().exec(QStringLiteral("UPDATE 伝票テーブル SET 明細計 = 9 WHERE 伝票番号 = 20"));
        const auto amounts = [](qint32 id) {
            Denpyo d;
            QList<int> out;
            if (d.Load(id))
                for (const Meisai &m : d.Meisais())
                    out << m.ItemKingaku();
            return out;
        };
        const auto sum = [](const QList<int> &values) { return std::accumulate(values.begin(), values.end(), 0); };
        D d;
        frmDenpyoCopy dlg;
        dlg.Mode = mode;
        dlg.FromDenpyoID = QStringLiteral("10");
        QVERIFY(D::open(&dlg));
        decide(destination);
        selectRows(dlg, "lstSelectable", carried);
        press(dlg, "cmdSelect");
        QCOMPARE(label(&dlg, "wlbToMeisaiKei"), QString::number(sum(toAmounts)));
        QCOMPARE(label(&dlg, "wlbFromMeisaiKei"), QString::number(sum(fromAmounts)));
        D::key(Qt::Key_F12);
        QVERIFY(dlg.ResultModified());
        const qint32 to = destination != 0 ? destination : 21;
        QCOMPARE(amounts(to), toAmounts);
        QCOMPARE(stored(to, "明細計"), sum(toAmounts));
        QCOMPARE(amounts(10), fromAmounts);
        QCOMPARE(stored(10, "明細計"), sum(fromAmounts));
    }

    // Every slip a transfer writes holds the totals the slip editor would
    // store for its lines: opened there and registered with F12 nothing
    // changes, in a shop that adds the tax on top and in one whose prices
    // contain it. The source discounts by rate, the stored destination by
    // a fixed amount.
    void transferredSlipsAreAsTheEditorStoresThem_data()
    {
        QTest::addColumn<int>("pattern");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("destination"); // 0: a new slip (number 21)
        QTest::addColumn<QList<int>>("carried");
        for (int pattern : {0, 1}) {
            const char *shop = pattern == 0 ? "外税" : "内税";
            QTest::addRow("%s: copy of every line into a new slip", shop)
                << pattern << "Copy" << 0 << QList<int>{0, 1, 2, 3};
            QTest::addRow("%s: copy into a stored slip", shop) << pattern << "Copy" << 20 << QList<int>{0, 3};
            QTest::addRow("%s: split into a new slip", shop) << pattern << "Split" << 0 << QList<int>{1, 3};
            QTest::addRow("%s: split into a stored slip", shop) << pattern << "Split" << 20 << QList<int>{0, 2};
            QTest::addRow("%s: refer into the edited slip", shop) << pattern << "Refer" << 30 << QList<int>{0, 3};
        }
    }
    void transferredSlipsAreAsTheEditorStoresThem()
    {
        QFETCH(int, pattern);
        QFETCH(QString, mode);
        QFETCH(int, destination);
        QFETCH(QList<int>, carried);
        setLong("ShouhizeiPattern", pattern);
        // 12,374 less 10 % (1,237.4) is 11,137; its tax is 1,113.7 on top or
        // 1,012.45 contained.
        storeEditedSlip(10, {{QStringLiteral("商品A"), 1234, 3, 0}, {QStringLiteral("半端"), 0.5, 5, 0},
                             {QStringLiteral("商品B"), 999, 7, 0}, {QStringLiteral("商品C"), 1, 1676, 0}},
                        pattern, true, 10, 0);
        storeEditedSlip(20, {{QStringLiteral("既存"), 50, 2, 0}, {QStringLiteral("既存2"), 333, 3, 0}}, pattern, false, 0,
                        305);
        const QList<qint64> sourceBefore = storedAmounts(10);

        Denpyo edited;
        edited.setDenpyoID(30);
        edited.Meisais().Add();
        D d;
        frmDenpyoCopy dlg;
        dlg.Mode = mode;
        dlg.FromDenpyoID = QStringLiteral("10");
        if (mode == QLatin1String("Refer"))
            dlg.ToDenpyoObject = &edited;
        QVERIFY(D::open(&dlg));
        if (mode != QLatin1String("Refer"))
            decide(destination);
        selectRows(dlg, "lstSelectable", carried);
        press(dlg, "cmdSelect");
        D::key(Qt::Key_F12);
        QVERIFY(dlg.ResultModified());

        if (mode == QLatin1String("Refer")) {
            const SlipAmountResult r = editorAmounts(edited, pattern);
            QCOMPARE(totalsOf(edited), (QList<qint64>{r.lineTotal.yen(), r.discount.yen(), r.total.yen(), r.tax.yen(),
                                                      r.totalWithTax.yen()}));
            return;
        }
        const qint32 to = destination != 0 ? destination : 21;
        // What the dialog showed is what it stored.
        QCOMPARE(label(&dlg, "wlbToSumWithShouhizei"), CopyTotals::format(stored(to, "合計消費税込み")));
        if (carried.size() == 4 && mode == QLatin1String("Copy"))
            QCOMPARE(storedAmounts(to), sourceBefore);
        registerUnchangedInTheEditor(to);
        if (mode == QLatin1String("Split"))
            registerUnchangedInTheEditor(10);
    }

    void copyToAStoredSlipAppendsItsLines()
    {
        storeSlip(10, numbered(2));
        storeSlip(20, {{QStringLiteral("既存"), 50, 2, 100}}, QStringLiteral("乙"));
        D d;
        frmDenpyoCopy dlg;
        dlg.Mode = QStringLiteral("Copy");
        dlg.FromDenpyoID = QStringLiteral("10");
        QVERIFY(D::open(&dlg));
        QCOMPARE(D::shown(&dlg, "txtToDenpyoID"), QStringLiteral("21"));
        for (const char *number : {"10", "99", "20"}) {
            D::key(Qt::Key_A, Qt::ControlModifier);
            D::type(QString::fromLatin1(number));
            D::key(Qt::Key_Return);
        }
        QCOMPARE(d.texts(), (QStringList{QStringLiteral("同一の伝票に対して処理することはできません。"),
                                         QStringLiteral("該当の伝票がありません。")}));
        QCOMPARE(rowTexts(&dlg, "lstSelected"), QStringList{"*01"});
        auto *to = dlg.findChild<QTreeWidget *>(QStringLiteral("lstSelected"));
        QCOMPARE(to->topLevelItem(0)->text(5), QStringLiteral("50×2"));
        QCOMPARE(label(&dlg, "wlbToCustomerName"), QStringLiteral("乙"));
        d.messages.clear();
        selectRows(dlg, "lstSelectable", {1});
        press(dlg, "cmdSelect");
        press(dlg, "cmdSelect"); // a line already carried is not carried twice
        // The stored line stays when everything is taken back.
        selectRows(dlg, "lstSelected", {0, 1});
        press(dlg, "cmdBack");
        QCOMPARE(rowTexts(&dlg, "lstSelected"), QStringList{"*01"});
        selectRows(dlg, "lstSelectable", {1});
        press(dlg, "cmdSelect");
        QCOMPARE(label(&dlg, "wlbToMeisaiKei"), QStringLiteral("300"));
        D::key(Qt::Key_F12);
        QCOMPARE(d.texts(), QStringList{QStringLiteral("複写先伝票を更新します。よろしいですか？")});
        QCOMPARE(storedLines(20), (QStringList{"既存", "品2"}));
        QCOMPARE(stored(20, "明細計"), 300);
        QCOMPARE(connection().scalar(QStringLiteral("SELECT 顧客名 FROM 伝票テーブル WHERE 伝票番号 = 20")).toString(),
                 QStringLiteral("乙"));
    }

    void referTakesLinesIntoTheEditedSlip()
    {
        storeSlip(10, numbered(3), QStringLiteral("丙"), false, 0, 0, true);
        Denpyo edited;
        edited.setDenpyoID(30);
        edited.Meisais().Add(); // the editor's lone blank row
        D d;
        frmDenpyoCopy dlg;
        dlg.Mode = QStringLiteral("Refer");
        dlg.FromDenpyoID = QStringLiteral("000000010");
        dlg.ToDenpyoObject = &edited;
        QVERIFY(D::open(&dlg));
        QCOMPARE(D::focusName(), QStringLiteral("lstSelectable"));
        QCOMPARE(edited.CustomerName(), QStringLiteral("丙"));
        QVERIFY(edited.ShouhizeiIn());
        QCOMPARE(rowTexts(&dlg, "lstSelected"), QStringList());
        selectRows(dlg, "lstSelectable", {0, 2});
        press(dlg, "cmdSelect");
        D::key(Qt::Key_F12);
        QVERIFY(d.messages.isEmpty());
        QVERIFY(dlg.ResultModified());
        QCOMPARE(edited.Meisais().Count(), 2);
        QCOMPARE(edited.Meisais().Item(2).ItemName(), QStringLiteral("品3"));
        QCOMPARE(edited.MeisaiSum(), 400);
        QCOMPARE(edited.Shouhizei(), 40);
        QCOMPARE(edited.SummeryWithShouhizei(), 440);
        QCOMPARE(storedLines(30), QStringList{"<no slip>"});
    }

    // A refused save leaves both slips as loaded: trying again carries the
    // lines once, and the refusal names its reason.
    void refusedCommitCanBeRetried_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::newRow("copy: the new number was taken") << "Copy";
        QTest::newRow("split: the source has gone") << "Split";
    }
    void refusedCommitCanBeRetried()
    {
        QFETCH(QString, mode);
        storeSlip(10, numbered(3));
        D d;
        frmDenpyoCopy dlg;
        dlg.Mode = mode;
        dlg.FromDenpyoID = QStringLiteral("10");
        QVERIFY(D::open(&dlg));
        D::key(Qt::Key_Return);
        selectRows(dlg, "lstSelectable", {0, 1});
        press(dlg, "cmdSelect");
        const bool split = mode == QLatin1String("Split");
        if (split) {
            connection().exec(QStringLiteral("DELETE FROM 伝票テーブル WHERE 伝票番号 = 10"));
        } else {
            storeSlip(11, numbered(1));
        }
        D::key(Qt::Key_F12);
        QCOMPARE(d.messages.size(), 2);
        QCOMPARE(d.messages.last().text, split ? Denpyo::MissingMessage() : QStringLiteral("この伝票は既に存在します。"));
        QCOMPARE(d.messages.last().icon, ui::Icon::Critical);
        QVERIFY(!dlg.ResultModified());
        QVERIFY(dlg.isVisible());
        QCOMPARE(storedLines(11), split ? QStringList{"<no slip>"} : QStringList{"品1"});

        if (split)
            storeSlip(10, numbered(3));
        else
            connection().exec(QStringLiteral("DELETE FROM 伝票テーブル WHERE 伝票番号 = 11"));
        D::key(Qt::Key_F12);
        QVERIFY(dlg.ResultModified());
        QCOMPARE(storedLines(11), (QStringList{"品1", "品2"}));
        QCOMPARE(storedLines(10), split ? QStringList{"品3"} : (QStringList{"品1", "品2", "品3"}));
    }

    void ninetyNineLines()
    {
        storeSlip(10, numbered(2));
        storeSlip(20, numbered(99));
        D d;
        frmDenpyoCopy dlg;
        dlg.Mode = QStringLiteral("Copy");
        dlg.FromDenpyoID = QStringLiteral("10");
        QVERIFY(D::open(&dlg));
        D::type(QStringLiteral("20"));
        D::key(Qt::Key_Return);
        selectRows(dlg, "lstSelectable", {0});
        press(dlg, "cmdSelect");
        press(dlg, "cmdAllSelect");
        QCOMPARE(d.texts(), QStringList(2, QStringLiteral("１伝票の明細数は９９件までです。処理を中断します。")));
        QCOMPARE(rowTexts(&dlg, "lstSelected").size(), 99);
    }

    void totalPastTheLimitCannotBeCommitted()
    {
        storeSlip(10, {{QStringLiteral("高額"), 1e9, 1, 1000000000}});
        D d;
        frmDenpyoCopy dlg;
        dlg.Mode = QStringLiteral("Copy");
        dlg.FromDenpyoID = QStringLiteral("10");
        QVERIFY(D::open(&dlg));
        D::key(Qt::Key_Return);
        press(dlg, "cmdAllSelect");
        QCOMPARE(label(&dlg, "wlbToSumWithShouhizei"), QStringLiteral("######"));
        QVERIFY(!dlg.findChild<QPushButton *>(QStringLiteral("cmdOK"))->isEnabled());
        D::key(Qt::Key_End);
        D::key(Qt::Key_F12);
        QVERIFY(d.messages.isEmpty());
        QCOMPARE(storedLines(11), QStringList{"<no slip>"});
    }

    // A fixed discount above the line sum hides the totals but the slip
    // takes them as computed, negative, as the slip editor stores them.
    void negativeTotalIsSavedAsComputed()
    {
        storeSlip(10, numbered(1));
        storeSlip(20, {{QStringLiteral("既存"), 100, 1, 100}}, QStringLiteral("乙"), false, 0, 500, true);
        D d;
        frmDenpyoCopy dlg;
        dlg.Mode = QStringLiteral("Copy");
        dlg.FromDenpyoID = QStringLiteral("10");
        QVERIFY(D::open(&dlg));
        D::type(QStringLiteral("20"));
        D::key(Qt::Key_Return);
        press(dlg, "cmdAllSelect");
        QCOMPARE(label(&dlg, "wlbToSum"), QStringLiteral("######"));
        QCOMPARE(label(&dlg, "wlbToNebikiKinagaku"), QStringLiteral("500"));
        D::key(Qt::Key_End);
        QCOMPARE(D::focusName(), QStringLiteral("cmdOK"));
        D::key(Qt::Key_F12);
        QVERIFY(dlg.ResultModified());
        QCOMPARE(stored(20, "合計"), -300);
        QCOMPARE(stored(20, "消費税"), -30);
        QCOMPARE(stored(20, "合計消費税込み"), -330);
    }

    void sourceThatHasGoneClosesTheDialog()
    {
        D d;
        frmDenpyoCopy dlg;
        dlg.Mode = QStringLiteral("Split");
        dlg.FromDenpyoID = QStringLiteral("000000077");
        dlg.show();
        QTRY_VERIFY(!dlg.isVisible());
        QCOMPARE(d.texts(), QStringList{Denpyo::MissingMessage()});
        QVERIFY(!dlg.ResultModified());
    }

    void escapeClosesWithoutSaving()
    {
        storeSlip(10, numbered(1));
        D d;
        frmDenpyoCopy dlg;
        dlg.Mode = QStringLiteral("Copy");
        dlg.FromDenpyoID = QStringLiteral("10");
        QVERIFY(D::open(&dlg));
        D::key(Qt::Key_Escape);
        QVERIFY(!dlg.isVisible());
        QVERIFY(!dlg.ResultModified());
        QCOMPARE(storedLines(11), QStringList{"<no slip>"});
    }
};

QTEST_MAIN(tst_frmDenpyoCopy)
#include "tst_frmdenpyocopy.moc"
