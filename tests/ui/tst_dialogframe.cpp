#include "core/dialogs/frmNameInput.h"
#include "core/dialogs/frmSystemInfo.h"
#include "core/dialogs/frmVersion.h"
#include "platform/ui/DialogFrame.h"

#include <QDialog>
#include <QLabel>
#include <QVBoxLayout>
#include <QtTest>

#include <functional>
#include <memory>

using DialogMaker = std::function<QDialog *()>;
Q_DECLARE_METATYPE(DialogMaker)

namespace {
QDialog *plainDialog(ui::DialogFrame frame, bool withLayout)
{
    auto *d = new QDialog;
    if (withLayout) {
        auto *layout = new QVBoxLayout(d);
        layout->addWidget(new QLabel(QStringLiteral("内容"), d));
    } else {
        d->resize(300, 200);
    }
    ui::setDialogFrame(d, frame);
    return d;
}
} // namespace

// Which dialogs carry minimise/maximise buttons and which keep a fixed size.
class TestDialogFrame : public QObject {
    Q_OBJECT
private slots:
    void frame_data()
    {
        QTest::addColumn<DialogMaker>("make");
        QTest::addColumn<bool>("sizable");
        QTest::newRow("fixed, laid out") << DialogMaker([] { return plainDialog(ui::DialogFrame::Fixed, true); })
                                         << false;
        QTest::newRow("fixed, placed") << DialogMaker([] { return plainDialog(ui::DialogFrame::Fixed, false); })
                                       << false;
        QTest::newRow("sizable") << DialogMaker([] { return plainDialog(ui::DialogFrame::Sizable, true); }) << true;
        QTest::newRow("name dialog") << DialogMaker([]() -> QDialog * { return new frmNameInput; }) << false;
        QTest::newRow("settings") << DialogMaker([]() -> QDialog * { return new frmSystemInfo; }) << false;
        QTest::newRow("about box") << DialogMaker([]() -> QDialog * { return new frmVersion; }) << false;
    }

    void frame()
    {
        QFETCH(DialogMaker, make);
        QFETCH(bool, sizable);
        std::unique_ptr<QDialog> d(make());
        const Qt::WindowFlags flags = d->windowFlags();
        QCOMPARE(flags & Qt::WindowType_Mask, Qt::Dialog);
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QCOMPARE(bool(flags & Qt::WindowMinimizeButtonHint), sizable);
        QCOMPARE(bool(flags & Qt::WindowMaximizeButtonHint), sizable);
        // Laid out as on showing, without running the dialogs' opening steps.
        if (d->layout())
            d->layout()->activate();
        const QSize shown = d->size();
        d->resize(shown + QSize(200, 150));
        QCOMPARE(d->size() != shown, sizable);
        QCOMPARE(d->minimumSize() == d->maximumSize(), !sizable);
    }
};

QTEST_MAIN(TestDialogFrame)
#include "tst_dialogframe.moc"
