#include "../masters/DialogDriver.h"
#include "FullFileSystem.h"
#include "TestSupport.h"
#include "core/DateValue.h"
#include "core/Globals.h"
#include "core/controls/ucJaInput.h"
#include "core/dialogs/frmNameInput.h"
#include "filtereditor/frmFind.h"
#include "filters/FilterCompiler.h"
#include "filters/SearchFilterFile.h"
#include "filters/SearchFilterKind.h"
#include "model/Customer.h"
#include "model/Customers.h"
#include "platform/ui/Twips.h"

#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>
#include <functional>
#include <optional>

using D = DialogDriver;
using Step = std::function<void()>;

namespace {

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QString slipFilter(const QString &name)
{
    return searchfilter::filePath(SearchFilterKind::Denpyo, name);
}

void at(int h, int m, int s)
{
    setFixedNow(QDateTime(QDate(2024, 5, 1), QTime(h, m, s)));
}

// What a value dialog is given: keys typed into it.
Step range(const QString &from, const QString &to)
{
    return [=] {
        D::type(from);
        D::key(Qt::Key_Return);
        D::type(to);
        D::key(Qt::Key_Return);
        D::key(Qt::Key_Return);
    };
}
Step text(const QString &value)
{
    return [=] {
        D::type(value);
        D::key(Qt::Key_Return);
        D::key(Qt::Key_Return);
    };
}
// The first option, or the second after Right.
Step choice(bool first)
{
    return [=] {
        if (!first)
            D::key(Qt::Key_Right);
        D::key(Qt::Key_Return);
        D::key(Qt::Key_Return);
    };
}
Step cancel()
{
    return [] { D::key(Qt::Key_Escape); };
}

} // namespace

// The filter editor driven by keys: its three modes, the condition tree's
// rules, saving and what the saved filter selects.
class tst_frmFind : public QObject {
    Q_OBJECT

    std::optional<testsupport::OpenedProgramFolder> m_folder;

    static std::unique_ptr<frmFind> editor(const QString &kind, const QString &name)
    {
        auto form = std::make_unique<frmFind>();
        form->ObjectName = kind;
        form->FindName = name;
        return form;
    }

    // The condition tree as "field: condition, condition | field: ...".
    static QString tree(frmFind &form)
    {
        QStringList fields;
        for (int i = 0; i < form.tvwCondition->topLevelItemCount(); ++i) {
            QTreeWidgetItem *field = form.tvwCondition->topLevelItem(i);
            QStringList conditions;
            for (int c = 0; c < field->childCount(); ++c)
                conditions << field->child(c)->text(0);
            fields << field->text(0) + QStringLiteral(": ") + conditions.join(QStringLiteral(", "));
        }
        return fields.join(QStringLiteral(" | "));
    }

    // Chooses a field in the field tree by keys and enters a value for it.
    static void add(frmFind &form, const QString &caption, const Step &step)
    {
        form.tvwSelect->setFocus();
        const auto found = form.tvwSelect->findItems(caption, Qt::MatchExactly);
        QVERIFY(!found.isEmpty());
        form.tvwSelect->setCurrentItem(found.first());
        bool opened = false;
        D::onNextModal([&](QWidget *) {
            opened = true;
            // The field tree and the closing buttons wait for the dialog.
            QVERIFY(!form.tvwSelect->isEnabled());
            QVERIFY(!form.cmdOK->isEnabled());
            QCOMPARE(form.frmChild->title(), caption);
            step();
        });
        D::key(Qt::Key_Return);
        reactivate(form);
        QVERIFY(opened);
        QVERIFY(form.tvwSelect->isEnabled());
        QVERIFY(form.cmdOK->isEnabled());
        QCOMPARE(form.frmChild->title(), QString());
        QCOMPARE(D::focusName(), QStringLiteral("tvwSelect"));
    }

    // Selects a condition by its text and edits it through its dialog.
    static void edit(frmFind &form, const QString &conditionText, const Step &step, QString *column = nullptr)
    {
        const auto found = form.tvwCondition->findItems(conditionText, Qt::MatchExactly | Qt::MatchRecursive);
        QVERIFY(!found.isEmpty());
        form.tvwCondition->setFocus();
        form.tvwCondition->setCurrentItem(found.first());
        D::onNextModal([&](QWidget *) {
            if (column)
                *column = form.frmChild->title();
            step();
        });
        D::key(Qt::Key_Return);
        reactivate(form);
    }

    // A closed dialog hands the activation back to the editor, as the
    // desktop does (the offscreen platform does not by itself).
    static void reactivate(frmFind &form) { QApplication::setActiveWindow(&form); }

private slots:
    void init()
    {
        at(9, 0, 0);
        m_folder.emplace();
    }
    void cleanup()
    {
        m_folder.reset();
        setFixedNow(QDateTime());
    }

    void modes_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("ok");
        QTest::addColumn<QStringList>("tabs");
        const QStringList withName{"txtName", "tvwSelect", "tvwCondition", "cmdClear", "cmdOK", "cmdEnd", "txtName"};
        const QStringList withoutName{"tvwSelect", "tvwCondition", "cmdClear", "cmdOK", "cmdEnd", "tvwSelect"};
        QTest::newRow("new slip filter") << "伝票" << "" << " 伝票検索フィルター" << "登録(F12)" << withName;
        QTest::newRow("existing customer filter") << "顧客" << "大口" << " 顧客検索フィルター" << "更新(F12)"
                                                  << withoutName;
        QTest::newRow("product search") << "商品" << "一時検索" << " 商品検索" << "検索(F12)" << withoutName;
    }
    void modes()
    {
        QFETCH(QString, kind);
        QFETCH(QString, name);
        SearchFilterFile().write(searchfilter::filePath(SearchFilterKind::Customer, QStringLiteral("大口")));
        auto form = editor(kind, name);
        QVERIFY(D::open(form.get()));
        QTEST(form->windowTitle(), "caption");
        QCOMPARE(form->lblTitle->text(), form->windowTitle().mid(1));
        QTEST(form->cmdOK->text(), "ok");
        // Every caption is shown whole in the font used.
        const QStringList clipped = D::clippedTexts(form.get());
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QStringLiteral(", "))));
        QCOMPARE(form->txtName->Text(), name);
        QCOMPARE(form->txtName->Enabled(), name.isEmpty());
        QVERIFY(!form->cmdEdit->isEnabled());
        QVERIFY(!form->cmdRemove->isEnabled());
        // Edit and remove are locked, so Tab passes them by.
        QTEST(D::tabWalk(name.isEmpty() ? 7 : 6), "tabs");
        // The field tree lists the register's search items in table order.
        const QStringList &items = searchfilter::itemTable(*searchfilter::kindFromObjectName(kind));
        QCOMPARE(form->tvwSelect->topLevelItemCount(), items.size());
        QCOMPARE(form->tvwSelect->topLevelItem(1)->text(0), items.at(1).section(QLatin1Char(';'), 2, 2));
    }

    // The first one-off search creates its empty file; the next one starts
    // from the conditions of the last.
    void temporarySearch()
    {
        const QString path = slipFilter(QStringLiteral("一時検索"));
        QVERIFY(!QFile::exists(path));
        auto first = editor(QStringLiteral("伝票"), QStringLiteral("一時検索"));
        QVERIFY(D::open(first.get()));
        QCOMPARE(bytesOf(path), QByteArray());
        add(*first, QStringLiteral("受注"), choice(true));
        D d;
        D::key(Qt::Key_F12);
        QVERIFY(d.messages.isEmpty());
        QVERIFY(first->ResultFind());
        QVERIFY(!first->ResultModified());
        QVERIFY(!first->isVisible());

        auto second = editor(QStringLiteral("伝票"), QStringLiteral("一時検索"));
        QVERIFY(D::open(second.get()));
        QCOMPARE(tree(*second), QStringLiteral("受注: 済み"));
        QString where, lines;
        QVERIFY(fnMakeDenpyoSQLWHERE(QStringLiteral("一時検索"), where, lines));
        QVERIFY(where.contains(QStringLiteral("受注")));
    }

    // The example filter: entered in the order 伝票番号, 受注, 伝票番号 and
    // written with each field's conditions together, byte for byte.
    void writesGroupedByField()
    {
        auto form = editor(QStringLiteral("伝票"), QString());
        QVERIFY(D::open(form.get()));
        D::type(QStringLiteral("  例  "));
        D::key(Qt::Key_Return);
        QCOMPARE(D::focusName(), QStringLiteral("tvwSelect"));
        at(9, 30, 15);
        add(*form, QStringLiteral("伝票番号"), range(QStringLiteral("100"), QStringLiteral("200")));
        at(9, 30, 25);
        add(*form, QStringLiteral("受注"), choice(true));
        at(9, 30, 40);
        add(*form, QStringLiteral("伝票番号"), range(QStringLiteral("500"), QString()));
        QCOMPARE(tree(*form), QStringLiteral("伝票番号: 100～200, 500～500 | 受注: 済み"));
        QCOMPARE(form->FindName, QStringLiteral("例"));

        D d;
        D::key(Qt::Key_End);
        D::key(Qt::Key_Return);
        QCOMPARE(d.texts(), QStringList{QStringLiteral("検索フィルター登録 例 を登録しますか？")});
        QCOMPARE(d.messages.first().icon, ui::Icon::Question);
        QVERIFY(form->ResultModified());
        QVERIFY(!form->ResultFind());
        QCOMPARE(bytesOf(slipFilter(QStringLiteral("例"))),
                 bytesOf(QStringLiteral(QVX_FIXTURES "/filters/example.dkj")));

        // Read back, the filter shows the same tree.
        auto again = editor(QStringLiteral("伝票"), QStringLiteral("例"));
        QVERIFY(D::open(again.get()));
        QCOMPARE(tree(*again), tree(*form));
        QVERIFY(!again->txtName->Enabled());
    }

    void conditionRules()
    {
        auto form = editor(QStringLiteral("顧客"), QString());
        QVERIFY(D::open(form.get()));
        add(*form, QStringLiteral("月締め請求"), choice(true));
        add(*form, QStringLiteral("部門"), text(QStringLiteral("営業")));
        // The same value again is not added twice.
        add(*form, QStringLiteral("部門"), text(QStringLiteral("営業")));
        // A cancelled dialog adds nothing.
        add(*form, QStringLiteral("メモ"), cancel());
        add(*form, QStringLiteral("部門"), text(QStringLiteral("総務")));
        QCOMPARE(tree(*form), QStringLiteral("月締め請求: する | 部門: 営業, 総務"));

        // Editing the only condition of the first field moves the field to
        // the end; the dialog's frame shows the column.
        QString column;
        edit(*form, QStringLiteral("する"), choice(false), &column);
        QCOMPARE(column, QStringLiteral("月締め請求"));
        QCOMPARE(tree(*form), QStringLiteral("部門: 営業, 総務 | 月締め請求: しない"));
        QCOMPARE(D::focusName(), QStringLiteral("tvwCondition"));
        // Editing a condition to another's text leaves one of them.
        // (the dialog opens with its text selected, so typing replaces it)
        edit(*form, QStringLiteral("営業"), text(QStringLiteral("総務")));
        QCOMPARE(tree(*form), QStringLiteral("部門: 総務 | 月締め請求: しない"));
        // Cancelling an edit changes nothing.
        edit(*form, QStringLiteral("総務"), cancel());
        QCOMPARE(tree(*form), QStringLiteral("部門: 総務 | 月締め請求: しない"));

        // Edit and remove follow the selected node; a field node cannot be
        // removed by itself.
        form->tvwCondition->setFocus();
        form->tvwCondition->setCurrentItem(form->tvwCondition->topLevelItem(0));
        QVERIFY(!form->cmdEdit->isEnabled());
        D::key(Qt::Key_Delete);
        QCOMPARE(tree(*form), QStringLiteral("部門: 総務 | 月締め請求: しない"));
        D::key(Qt::Key_Down);
        QVERIFY(form->cmdRemove->isEnabled());
        D::key(Qt::Key_Delete);
        QCOMPARE(tree(*form), QStringLiteral("月締め請求: しない"));
        QVERIFY(!form->cmdEdit->isEnabled());
        QVERIFY(!form->cmdRemove->isEnabled());
        QCOMPARE(D::focusName(), QStringLiteral("tvwSelect"));

        // Right from the field tree reaches the condition tree while it has
        // nodes, else the clear button.
        D::key(Qt::Key_Right);
        QCOMPARE(D::focusName(), QStringLiteral("tvwCondition"));
        form->cmdClear->click();
        QCOMPARE(tree(*form), QString());
        form->tvwSelect->setFocus();
        D::key(Qt::Key_Right);
        QCOMPARE(D::focusName(), QStringLiteral("cmdClear"));
        D::key(Qt::Key_Home);
        QCOMPARE(D::focusName(), QStringLiteral("txtName"));
        D::key(Qt::Key_Down);
        QCOMPARE(D::focusName(), QStringLiteral("cmdClear"));
    }

    void saveRefusals_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("nameAfter");
        QTest::newRow("empty") << "" << "検索フィルター名を入力してください。" << "";
        QTest::newRow("blanks") << "   " << "検索フィルター名を入力してください。" << "   ";
        QTest::newRow("separator") << " a/b " << "フィルター名には次の文字は使えません。\r\n\t\\/:*?<>|" << "a/b";
        QTest::newRow("taken") << "大口" << "この検索フィルター名は既に登録されています。" << "大口";
        QTest::newRow("all") << "全件" << "この名前は検索フィルター名には使えません。" << "全件";
        QTest::newRow("folder") << "検索フィルター" << "この名前は検索フィルター名には使えません。" << "検索フィルター";
        QTest::newRow("temporary") << "一時検索" << "この名前は検索フィルター名には使えません。" << "一時検索";
        QTest::newRow("temporary prefix") << "一時検索2" << "この名前は検索フィルター名には使えません。" << "一時検索2";
    }
    void saveRefusals()
    {
        QFETCH(QString, typed);
        SearchFilterFile().write(slipFilter(QStringLiteral("大口")));
        const QByteArray before = bytesOf(slipFilter(QStringLiteral("大口")));
        auto form = editor(QStringLiteral("伝票"), QString());
        QVERIFY(D::open(form.get()));
        D::type(typed);
        add(*form, QStringLiteral("受注"), choice(true));
        D d;
        D::key(Qt::Key_F12);
        QTEST(d.texts().value(0), "message");
        QCOMPARE(d.messages.size(), 1);
        QVERIFY(form->isVisible());
        QVERIFY(!form->ResultModified());
        QTEST(form->txtName->TextBox()->text(), "nameAfter");
        QCOMPARE(tree(*form), QStringLiteral("受注: 済み"));
        QCOMPARE(bytesOf(slipFilter(QStringLiteral("大口"))), before);
        QVERIFY(!QFile::exists(slipFilter(QStringLiteral("全件"))));
    }

    void updateAsksAndNoKeepsOpen()
    {
        SearchFilterFile().write(slipFilter(QStringLiteral("大口")));
        auto form = editor(QStringLiteral("伝票"), QStringLiteral("大口"));
        QVERIFY(D::open(form.get()));
        QCOMPARE(tree(*form), QString());
        add(*form, QStringLiteral("品名"), text(QStringLiteral("ねじ")));
        D d;
        d.answer = ui::Answer::No;
        form->tvwCondition->setFocus();
        D::key(Qt::Key_F12);
        QCOMPARE(d.texts(), QStringList{QStringLiteral("検索フィルター登録 大口 を更新しますか？")});
        QVERIFY(form->isVisible());
        QCOMPARE(bytesOf(slipFilter(QStringLiteral("大口"))), QByteArray());
        d.answer = ui::Answer::Yes;
        form->cmdOK->click();
        QVERIFY(form->ResultModified());
        SearchFilterFile file;
        QCOMPARE(file.read(slipFilter(QStringLiteral("大口"))), SearchFilterFile::Status::Ok);
        QCOMPARE(file.fields.value(0).conditions.value(0).text, QStringLiteral("ねじ"));
    }

    // 名前をつけて保存 asks before it replaces another filter, and leaves the
    // editor open with its own name and results.
    void saveAs()
    {
        SearchFilterFile().write(slipFilter(QStringLiteral("大口")));
        auto form = editor(QStringLiteral("伝票"), QString());
        QVERIFY(D::open(form.get()));
        add(*form, QStringLiteral("見積もり"), choice(false));
        D d;
        const auto saveAs = [&](const QString &name) {
            D::onNextModal([name](QWidget *modal) {
                QVERIFY(qobject_cast<frmNameInput *>(modal));
                D::type(name);
                D::key(Qt::Key_Return);
                D::key(Qt::Key_Return);
            });
            form->mnuSaveAs->trigger();
            reactivate(*form);
        };
        d.answer = ui::Answer::No;
        saveAs(QStringLiteral("大口"));
        QCOMPARE(d.texts(), QStringList{QStringLiteral("検索フィルター 大口 は既に登録されています。\r\n上書きしますか？")});
        QCOMPARE(bytesOf(slipFilter(QStringLiteral("大口"))), QByteArray());
        d.answer = ui::Answer::Yes;
        saveAs(QStringLiteral("大口"));
        QVERIFY(bytesOf(slipFilter(QStringLiteral("大口"))).contains("Y00"));
        d.messages.clear();
        saveAs(QStringLiteral("一時検索"));
        QCOMPARE(d.texts(), QStringList{QStringLiteral("この名前は検索フィルター名には使えません。")});
        saveAs(QStringLiteral("小口"));
        QVERIFY(QFile::exists(slipFilter(QStringLiteral("小口"))));
        QVERIFY(form->isVisible());
        QCOMPARE(form->FindName, QString());
        QVERIFY(!form->ResultModified());
        D::key(Qt::Key_Escape);
        QVERIFY(!form->isVisible());
        QVERIFY(!form->ResultModified());
        QVERIFY(!form->ResultFind());
    }

    // A disk that is full keeps the old filter and the editor with its
    // conditions; the user is told.
    void fullDisk()
    {
        testsupport::FullFileSystem fs;
        QVX_NEED_FULL_FS(fs);
        gstrDenpyoKensakuFilterFolder = fs.path() + QLatin1Char('/');
        SearchFilterFile().write(slipFilter(QStringLiteral("大口")));
        auto form = editor(QStringLiteral("伝票"), QStringLiteral("大口"));
        QVERIFY(D::open(form.get()));
        add(*form, QStringLiteral("品名"), text(QStringLiteral("ねじ")));
        QVERIFY(fs.fill());
        D d;
        D::key(Qt::Key_F12);
        QCOMPARE(d.messages.size(), 2);
        QVERIFY(d.texts().at(1).startsWith(QStringLiteral("検索フィルター 大口 を保存できませんでした。")));
        QCOMPARE(d.messages.at(1).icon, ui::Icon::Exclamation);
        QVERIFY(form->isVisible());
        QVERIFY(!form->ResultModified());
        QCOMPARE(tree(*form), QStringLiteral("品名: ねじ"));
        QCOMPARE(bytesOf(slipFilter(QStringLiteral("大口"))), QByteArray());
        fs.release();
        D::key(Qt::Key_F12);
        QVERIFY(form->ResultModified());
        QVERIFY(bytesOf(slipFilter(QStringLiteral("大口"))).contains("S33"));
    }

    // A filter that cannot be read does not open the editor.
    void unreadableFilters()
    {
        QFile::copy(QStringLiteral(QVX_FIXTURES "/filters/unpaired.dkj"), slipFilter(QStringLiteral("壊れ")));
        D d;
        auto broken = editor(QStringLiteral("伝票"), QStringLiteral("壊れ"));
        QCOMPARE(broken->exec(), int(QDialog::Rejected));
        QCOMPARE(d.texts(), QStringList{QStringLiteral("検索フィルター 壊れが不正です。")});
        QCOMPARE(d.messages.first().icon, ui::Icon::Exclamation);
        QVERIFY(!broken->ResultModified() && !broken->ResultFind());
        d.messages.clear();
        auto gone = editor(QStringLiteral("伝票"), QStringLiteral("ない"));
        QCOMPARE(gone->exec(), int(QDialog::Rejected));
        QVERIFY(d.messages.isEmpty());
    }

    // A filter saved in the editor selects the records its conditions name.
    void savedFilterSelects()
    {
        const auto customer = [](const QString &id, const QString &bumon, bool monthly) {
            Customer c;
            c.setCustomerID(id);
            c.setBumon(bumon);
            c.setTsukiSeikyu(monthly);
            QVERIFY(c.Apply());
        };
        customer(QStringLiteral("A1"), QStringLiteral("営業一課"), true);
        customer(QStringLiteral("A2"), QStringLiteral("総務"), true);
        customer(QStringLiteral("B1"), QStringLiteral("営業二課"), false);
        customer(QStringLiteral("B2"), QStringLiteral("経理"), true);
        auto form = editor(QStringLiteral("顧客"), QString());
        QVERIFY(D::open(form.get()));
        D::type(QStringLiteral("月締め営業"));
        add(*form, QStringLiteral("部門"), text(QStringLiteral("営業")));
        add(*form, QStringLiteral("月締め請求"), choice(true));
        add(*form, QStringLiteral("部門"), text(QStringLiteral("経理")));
        D d;
        D::key(Qt::Key_F12);
        QVERIFY(form->ResultModified());
        QString where;
        QVERIFY(fnMakeCustomerSQLWHERE(QStringLiteral("月締め営業"), where));
        Customers list;
        list.Load(where, QStringLiteral("顧客ID"));
        QStringList ids;
        for (const auto &row : list)
            ids << row.CustomerID();
        QCOMPARE(ids, (QStringList{QStringLiteral("A1"), QStringLiteral("B2")}));
    }

    void layoutAndMemory()
    {
        auto form = editor(QStringLiteral("伝票"), QString());
        QVERIFY(D::open(form.get()));
        form->resize(100, 100);
        QVERIFY(form->width() > ui::twipsToPixelsX(6000, form.get()));
        QVERIFY(form->height() > ui::twipsToPixelsY(5000, form.get()));
        form->resize(form->minimumSizeHint() + QSize(200, 150));
        QCoreApplication::processEvents();
        // The trees and the frame grow with the window; the buttons keep to
        // its right edge.
        const QRect body = form->tvwSelect->parentWidget()->rect();
        QCOMPARE(form->picCommandBox->geometry().right(), form->cmdClear->geometry().right());
        QVERIFY(body.right() - form->cmdClear->geometry().right() < ui::twipsToPixelsX(300, form.get()));
        QVERIFY(body.bottom() - form->tvwSelect->geometry().bottom() < ui::twipsToPixelsY(300, form.get()));
        const QSize size = form->size();
        form->FormClose();
        auto again = editor(QStringLiteral("伝票"), QString());
        QVERIFY(D::open(again.get()));
        QCOMPARE(again->size(), size);
    }
};

QTEST_MAIN(tst_frmFind)
#include "tst_frmfind.moc"
