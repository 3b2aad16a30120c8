#include "platform/ui/SaveFileBox.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

// The platform's save box as the export shows it: the suggested name in the
// current folder, the first filter chosen, and the default extension added
// to a name typed without one; cancelling gives the empty text.
class tst_SaveFileBox : public QObject {
    Q_OBJECT
private slots:
    void chosenPathTakesTheDefaultExtension_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("suggested name") << QString() << "伝票_250331090507.csv";
        QTest::newRow("typed without extension") << "一覧" << "一覧.csv";
        QTest::newRow("typed with extension") << "list.txt" << "list.txt";
    }
    void chosenPathTakesTheDefaultExtension()
    {
        QFETCH(QString, typed);
        QTemporaryDir dir;
        const QString before = QDir::currentPath();
        QDir::setCurrent(dir.path());
        QString shownName;
        QString shownFilter;
        QTimer::singleShot(0, this, [&] {
            auto *box = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            QVERIFY(box);
            QCOMPARE(box->acceptMode(), QFileDialog::AcceptSave);
            shownFilter = box->selectedNameFilter();
            auto *name = box->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            QVERIFY(name);
            shownName = name->text();
            if (!typed.isEmpty())
                name->setText(typed);
            QTest::keyClick(name, Qt::Key_Return);
        });
        const QString path = ui::chooseSaveFile(
            {{QStringLiteral("ＣＳＶファイル (*.csv)"), QStringLiteral("すべてのファイル (*.*)")},
             QStringLiteral("伝票_250331090507"),
             QStringLiteral("csv")});
        QDir::setCurrent(before);
        QCOMPARE(shownName, QStringLiteral("伝票_250331090507"));
        QCOMPARE(shownFilter, QStringLiteral("ＣＳＶファイル (*.csv)"));
        QFETCH(QString, chosen);
        QCOMPARE(QFileInfo(path).absoluteFilePath(), QDir(dir.path()).absoluteFilePath(chosen));
    }

    void cancelGivesNothing()
    {
        QTimer::singleShot(0, this, [] {
            if (QWidget *box = QApplication::activeModalWidget())
                box->close();
        });
        QCOMPARE(ui::chooseSaveFile({{QStringLiteral("ＣＳＶファイル (*.csv)")}, QStringLiteral("x"), QStringLiteral("csv")}),
                 QString());
    }
};

QTEST_MAIN(tst_SaveFileBox)
#include "tst_savefilebox.moc"
