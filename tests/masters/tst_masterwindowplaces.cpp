#include "DialogDriver.h"
#include "TestSupport.h"
#include "masters/frmCustomer.h"
#include "masters/frmCustomerList.h"
#include "masters/frmShohin.h"
#include "masters/frmShohinList.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>
#include <memory>

using D = DialogDriver;

// Each editor and picker comes back where and as large as it was closed;
// the editors keep their fixed width whatever was stored. The editors grow
// their memo and the pickers their lists with the window.
class tst_MasterWindowPlaces : public QObject {
    Q_OBJECT

    testsupport::ProgramFolder m_folder;

    static std::unique_ptr<QDialog> make(const QString &name)
    {
        if (name == QLatin1String("frmCustomer")) {
            auto editor = std::make_unique<frmCustomer>();
            editor->Mode = QStringLiteral("New");
            return editor;
        }
        if (name == QLatin1String("frmShohin")) {
            auto editor = std::make_unique<frmShohin>();
            editor->Mode = QStringLiteral("New");
            return editor;
        }
        if (name == QLatin1String("frmCustomerList"))
            return std::make_unique<frmCustomerList>();
        return std::make_unique<frmShohinList>();
    }

private slots:
    void initTestCase() { m_folder.open(); }

    void placeIsRemembered_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("fixedWidth");
        QTest::newRow("customer editor") << "frmCustomer" << true;
        QTest::newRow("product editor") << "frmShohin" << true;
        QTest::newRow("customer picker") << "frmCustomerList" << false;
        QTest::newRow("product picker") << "frmShohinList" << false;
    }
    void placeIsRemembered()
    {
        QFETCH(QString, name);
        QFETCH(bool, fixedWidth);
        D d;
        QPoint closedAt;
        QSize closedSize;
        int designedWidth = 0;
        {
            std::unique_ptr<QDialog> first = make(name);
            QCOMPARE(first->objectName(), name);
            QVERIFY(D::open(first.get()));
            designedWidth = first->width();
            first->move(150, 90);
            first->resize(first->width() + 90, first->height() + 60);
            closedAt = first->pos();
            closedSize = first->size();
            first->close();
        }
        std::unique_ptr<QDialog> second = make(name);
        QVERIFY(D::open(second.get()));
        QCOMPARE(second->pos(), closedAt);
        QCOMPARE(second->height(), closedSize.height());
        QCOMPARE(second->width(), fixedWidth ? designedWidth : closedSize.width());
        second->close();
    }

    void editorHeightRule_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("memoName");
        QTest::addColumn<QString>("blockName");
        QTest::newRow("customer editor") << "frmCustomer" << "txtCustomerMemo" << "framTsukiSeikyu";
        QTest::newRow("product editor") << "frmShohin" << "txtShohinMemo" << "";
    }
    void editorHeightRule()
    {
        QFETCH(QString, name);
        QFETCH(QString, memoName);
        QFETCH(QString, blockName);
        D d;
        std::unique_ptr<QDialog> dlg = make(name);
        QVERIFY(D::open(dlg.get()));
        const int width = dlg->width();
        dlg->resize(width + 200, dlg->height());
        QCOMPARE(dlg->width(), width);
        auto *memo = dlg->findChild<QPlainTextEdit *>(memoName);
        auto *ok = dlg->findChild<QPushButton *>(QStringLiteral("cmdOK"));
        auto *end = dlg->findChild<QPushButton *>(QStringLiteral("cmdEnd"));
        // Below the memo: the buttons, and in the customer editor the
        // monthly-billing block above them.
        QList<QWidget *> below = {ok, end};
        if (!blockName.isEmpty())
            below << dlg->findChild<QWidget *>(blockName);
        const int memoHeight = memo->height();
        QList<int> tops;
        for (QWidget *w : below)
            tops << w->y();
        dlg->resize(width, dlg->height() + 100);
        QCOMPARE(memo->height(), memoHeight + 100);
        for (int i = 0; i < below.size(); ++i)
            QCOMPARE(below[i]->y(), tops[i] + 100);
        // The smallest window keeps everything inside, nothing overlapping.
        dlg->resize(width, 10);
        QCOMPARE(dlg->height(), dlg->minimumHeight());
        QVERIFY(ok->geometry().bottom() < dlg->height());
        if (!blockName.isEmpty())
            QVERIFY(below.last()->geometry().bottom() < ok->y());
        dlg->close();
    }

    // The key row sits on the top edge of the fields' frame; nothing but
    // its own other control may paint over the ID box or its search button.
    void editorKeyRowIsNotCovered_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("idBoxName");
        QTest::addColumn<QString>("searchName");
        QTest::newRow("customer editor") << "frmCustomer" << "txtCustomerID" << "cmdCustomerID";
        QTest::newRow("product editor") << "frmShohin" << "txtShohinID" << "cmdShohinID";
    }
    void editorKeyRowIsNotCovered()
    {
        QFETCH(QString, name);
        QFETCH(QString, idBoxName);
        QFETCH(QString, searchName);
        D d;
        std::unique_ptr<QDialog> dlg = make(name);
        QVERIFY(D::open(dlg.get()));
        for (const QString &childName : {idBoxName, searchName}) {
            auto *w = dlg->findChild<QWidget *>(childName);
            QVERIFY2(w, qPrintable(childName));
            const QObjectList siblings = w->parentWidget()->children();
            for (qsizetype i = siblings.indexOf(w) + 1; i < siblings.size(); ++i) {
                auto *above = qobject_cast<QWidget *>(siblings.at(i));
                if (above && above->isVisible() && above->objectName() != idBoxName
                    && above->objectName() != searchName)
                    QVERIFY2(!above->geometry().intersects(w->geometry()),
                             qPrintable(childName + QStringLiteral(" under ") + above->objectName()));
            }
        }
        dlg->close();
    }

    void pickerLayoutFollowsTheWindow_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("listName");
        QTest::newRow("customer picker") << "frmCustomerList" << "lvwCustomerList";
        QTest::newRow("product picker") << "frmShohinList" << "lvwShohinList";
    }
    void pickerLayoutFollowsTheWindow()
    {
        QFETCH(QString, name);
        QFETCH(QString, listName);
        D d;
        std::unique_ptr<QDialog> picker = make(name);
        QVERIFY(D::open(picker.get()));
        auto *list = picker->findChild<QTreeWidget *>(listName);
        auto *tree = picker->findChild<QTreeWidget *>(QStringLiteral("tvwTree"));
        auto *frame = picker->findChild<QWidget *>(QStringLiteral("framSearch"));
        const QList<QPushButton *> bottomRight = {picker->findChild<QPushButton *>(QStringLiteral("cmdOK")),
                                                  picker->findChild<QPushButton *>(QStringLiteral("cmdCancel"))};
        const QSize listSize = list->size();
        const int treeHeight = tree->height();
        const int frameWidth = frame->width();
        QList<QPoint> fromCorner;
        for (QPushButton *b : bottomRight)
            fromCorner << QPoint(picker->width() - b->x(), picker->height() - b->y());
        picker->resize(picker->width() + 100, picker->height() + 50);
        QCOMPARE(list->size(), listSize + QSize(100, 50));
        QCOMPARE(tree->height(), treeHeight + 50);
        QCOMPARE(frame->width(), frameWidth + 100);
        for (int i = 0; i < bottomRight.size(); ++i)
            QCOMPARE(QPoint(picker->width() - bottomRight[i]->x(), picker->height() - bottomRight[i]->y()),
                     fromCorner[i]);
        picker->resize(10, 10);
        QCOMPARE(picker->size(), picker->minimumSize());
        picker->close();
    }
};

QTEST_MAIN(tst_MasterWindowPlaces)
#include "tst_masterwindowplaces.moc"
