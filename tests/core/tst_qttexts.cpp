#include "core/Startup.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Every text of a window that a user reads or a screen reader announces:
// captions, tool tips, tab and group titles, list entries and headers.
QStringList textsOf(QWidget *window)
{
    QStringList texts{window->windowTitle()};
    for (QWidget *w : window->findChildren<QWidget *>()) {
        texts << w->toolTip() << w->accessibleName();
        if (auto *label = qobject_cast<QLabel *>(w))
            texts << label->text();
        else if (auto *button = qobject_cast<QAbstractButton *>(w))
            texts << button->text();
        else if (auto *group = qobject_cast<QGroupBox *>(w))
            texts << group->title();
        else if (auto *tabs = qobject_cast<QTabWidget *>(w))
            for (int i = 0; i < tabs->count(); ++i)
                texts << tabs->tabText(i) << tabs->tabToolTip(i);
        else if (auto *combo = qobject_cast<QComboBox *>(w))
            for (int i = 0; i < combo->count(); ++i)
                texts << combo->itemText(i);
        else if (auto *header = qobject_cast<QHeaderView *>(w); header && header->model())
            for (int i = 0; i < header->count(); ++i)
                texts << header->model()->headerData(i, header->orientation()).toString();
    }
    texts.removeAll(QString());
    return texts;
}

// The English texts that Qt's Japanese translation leaves, or that the C
// locale's formats give.
const QStringList kEnglish = {"Folder", "Drive", "Dec", "document", "Pages", "Double Sided Printing", "Off",
                              "Long side binding", "Short side binding", "Advanced", "Specify pages"};

QStringList english(const QStringList &texts)
{
    QStringList found;
    for (const QString &text : texts)
        for (const QString &word : kEnglish)
            if (text.contains(word))
                found << text;
    return found;
}

} // namespace

// Qt's own dialogs in Japanese under the C locale, set up as main() sets
// up the program.
class tst_QtTexts : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(installQtTranslation());
    }

    void fileBox()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("d")));
        QFile csv(dir.filePath(QStringLiteral("a.csv")));
        QVERIFY(csv.open(QIODevice::WriteOnly));
        csv.write("a,b\r\n");
        csv.close();
        // Set once written: the write would move the time again.
        QVERIFY(csv.open(QIODevice::ReadWrite));
        QVERIFY(csv.setFileTime(QDateTime(QDate(2025, 3, 4), QTime(10, 30)), QFileDevice::FileModificationTime));
        csv.close();

        QFileDialog box(nullptr, QString(), dir.path(), QStringLiteral("CSV (*.csv)"));
        box.setOption(QFileDialog::DontUseNativeDialog);
        box.setViewMode(QFileDialog::Detail);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        auto *model = box.findChild<QFileSystemModel *>();
        QVERIFY(model);
        const QModelIndex folder = model->index(dir.path());
        QTRY_COMPARE(model->rowCount(folder), 2);
        QStringList rows;
        for (int row = 0; row < 2; ++row) {
            QStringList columns;
            for (int column = 0; column < model->columnCount(folder); ++column)
                columns << model->index(row, column, folder).data().toString();
            rows << columns.join(QLatin1Char('|'));
        }
        rows.sort();
        QVERIFY2(rows.at(0).startsWith(QStringLiteral("a.csv|")), qPrintable(rows.join(QLatin1Char('\n'))));
        QVERIFY2(rows.at(0).contains(QStringLiteral("2025/03/04 10:30")), qPrintable(rows.at(0)));
        QVERIFY2(rows.at(1).contains(QStringLiteral("|フォルダー|")), qPrintable(rows.at(1)));
        const QStringList found = english(textsOf(&box) + rows);
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));
    }

    void printDialog()
    {
        QPrinter printer;
        QPrintDialog dialog(&printer);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QStringList texts = textsOf(&dialog);
        const QStringList found = english(texts);
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));
    }

    // The printer properties come up only for a printer of the print system,
    // a drive only on some systems: their texts are asked of the translators
    // as Qt asks them.
    void textsAskedOfTranslators_data()
    {
        QTest::addColumn<QString>("context");
        QTest::addColumn<QString>("english");
        QTest::newRow("tab") << "QPrintPropertiesWidget" << "Advanced";
        QTest::newRow("duplex") << "QPrintSettingsOutput" << "Double Sided Printing";
        QTest::newRow("off") << "QPrintSettingsOutput" << "Off";
        QTest::newRow("long side") << "QPrintSettingsOutput" << "Long side binding";
        QTest::newRow("short side") << "QPrintSettingsOutput" << "Short side binding";
        QTest::newRow("pages") << "QPrintSettingsOutput" << "Pages";
        QTest::newRow("drive") << "QAbstractFileIconProvider" << "Drive";
    }
    void textsAskedOfTranslators()
    {
        QFETCH(QString, context);
        QFETCH(QString, english);
        const QString shown = QCoreApplication::translate(context.toLatin1().constData(), english.toLatin1().constData());
        QVERIFY2(shown != english, qPrintable(shown));
        QVERIFY(!shown.contains(QRegularExpression(QStringLiteral("[A-Za-z]"))));
    }
};

int main(int argc, char *argv[])
{
    useJapaneseSystemLocale();
    QApplication app(argc, argv);
    tst_QtTexts test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_qttexts.moc"
