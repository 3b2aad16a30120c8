#include "ReportFixture.h"
#include "core/Globals.h"
#include "core/Settings.h"
#include "platform/report/LayoutFile.h"
#include "platform/report/PageFile.h"
#include "platform/report/PreviewDialog.h"
#include "platform/report/PreviewWidget.h"
#include "platform/ui/MessageBox.h"
#include "printing/ReportGlobal.h"
#include "printing/clsReportPrint.h"
#include "printing/frmPreview.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class tst_clsReportPrint : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_layout;
    QList<ui::MessageRequest> m_messages;
    QList<QVector<report::Page>> m_previews;
    QStringList m_previewNames;

    void touch(const QString &path)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("old");
    }

    void recordPreviews()
    {
        report::setPreviewDriver([this](report::PreviewDialog &d) {
            m_previews << d.viewer()->pages();
            m_previewNames << d.objectName() + QLatin1Char(':') + d.viewer()->title();
            return int(QDialog::Accepted);
        });
    }

private slots:
    void initTestCase()
    {
        gstrStartupDir = m_dir.path(); // window places are remembered here
        m_layout = m_dir.filePath(QStringLiteral("form.rpx"));
        report::saveLayout(m_layout, fixture::fieldLayout({"P_顧客名", "1_品名", "2_品名", "ページ番号"}));
        ui::setMessageResponder([this](const ui::MessageRequest &r) {
            m_messages << r;
            return ui::Answer::Ok;
        });
        recordPreviews();
    }

    void init()
    {
        m_messages.clear();
        m_previews.clear();
        m_previewNames.clear();
    }

    void previewShowsTheRunAndNoMessageWithoutProblems()
    {
        clsReportPrint collector;
        collector.SetPageData(QStringLiteral("顧客名"), QStringLiteral("A社"));
        for (int r = 0; r < 3; ++r) {
            collector.AddDetailData();
            collector.SetDetailData(QStringLiteral("品名"), QStringLiteral("品%1").arg(r + 1));
        }
        QVERIFY(collector.ReportPrintView(m_layout, QString()));
        QCOMPARE(m_previews.size(), 1);
        // Named after the form: the print job and the offered PDF file.
        QCOMPARE(m_previewNames, QStringList{QStringLiteral("ActiveReport1:") + QFileInfo(m_layout).completeBaseName()});
        QCOMPARE(m_previews[0].size(), 2);
        QCOMPARE(m_previews[0][1].texts(), (QStringList{"A社", "品3", "2"}));
        QVERIFY(m_messages.isEmpty());
    }

    void detailDataBeforeAnyRowIsReportedOncePerCall()
    {
        clsReportPrint collector;
        for (int i = 0; i < 3; ++i)
            collector.SetDetailData(QStringLiteral("品名"), QStringLiteral("迷子"));
        collector.AddDetailData();
        QCOMPARE(collector.GetErrorMessageCount(), 3);
        QCOMPARE(collector.GetErrorMessage(1), QStringLiteral("SetDetailData:詳細データインデックスが設定されていません"));
        QVERIFY(collector.ReportPrintView(m_layout, QString()));
        // The stray items belong to no row and never print.
        QCOMPARE(m_previews[0].size(), 1);
        QVERIFY(!m_previews[0][0].texts().contains(QStringLiteral("迷子")));
        QCOMPARE(m_messages.size(), 1);
        const QString line = QStringLiteral("SetDetailData:詳細データインデックスが設定されていません\r\n");
        QCOMPARE(m_messages[0].text, line + line + line);
        QCOMPARE(m_messages[0].icon, ui::Icon::None);
        QCOMPARE(m_messages[0].buttons, ui::Buttons::Ok);
        QCOMPARE(m_messages[0].title, QString());
    }

    void aNewCollectorEmptiesTheStore()
    {
        clsReportPrint first;
        first.SetPageData(QStringLiteral("顧客名"), QStringLiteral("一社目"));
        first.AddDetailData();
        first.SetDetailData(QStringLiteral("品名"), QStringLiteral("x"));
        clsReportPrint second;
        QCOMPARE(garrReportPageData.size(), 1);
        QCOMPARE(ReportDetailRowCount(), 0);
        QVERIFY(first.ReportPrintView(m_layout, QString()));
        QCOMPARE(m_previews[0].size(), 0);
    }

    void pageFilesArePrunedAndRewritten()
    {
        QTemporaryDir archive;
        const QString base = archive.filePath(QStringLiteral("C1_20240331.cnv"));
        for (int i = 0; i < 5; ++i)
            touch(base + QStringLiteral("_%1").arg(i));
        clsReportPrint collector;
        for (int r = 0; r < 3; ++r)
            collector.AddDetailData();
        QVERIFY(collector.ReportPrintView(m_layout, base));
        QCOMPARE(QDir(archive.path()).entryList(QDir::Files, QDir::Name),
                 (QStringList{"C1_20240331.cnv_0", "C1_20240331.cnv_1"}));
        // frmPreview shows the page files as they were printed.
        frmPreview preview;
        preview.loadPageFiles(report::pageFilePaths(base));
        QCOMPARE(preview.ARViewer21->pages(), m_previews[0]);
        QCOMPARE(preview.windowTitle(), QStringLiteral("印刷プレビュー"));
    }

    // The preview opens on the first page while the rest still render; a
    // preview closed there still leaves every page in the page files.
    void previewClosedAtItsFirstPageSavesEveryPage()
    {
        QTemporaryDir archive;
        const QString base = archive.filePath(QStringLiteral("C1_20240331.cnv"));
        const auto collect = [] {
            clsReportPrint collector;
            collector.SetPageData(QStringLiteral("顧客名"), QStringLiteral("A社"));
            for (int r = 0; r < 7; ++r) {
                collector.AddDetailData();
                collector.SetDetailData(QStringLiteral("品名"), QStringLiteral("品%1").arg(r + 1));
            }
            return collector;
        };
        int shownAtOpen = -1;
        report::setPreviewDriver([&shownAtOpen](report::PreviewDialog &d) {
            shownAtOpen = d.viewer()->shownPageCount();
            return int(QDialog::Rejected);
        });
        clsReportPrint collector = collect();
        const bool saved = collector.ReportPrintView(m_layout, base);
        recordPreviews();
        QVERIFY(saved);
        QCOMPARE(shownAtOpen, 1);
        const QStringList paths = report::pageFilePaths(base);
        QCOMPARE(paths.size(), 4);
        QVector<report::Page> files;
        for (const QString &path : paths)
            files << report::loadPage(path);
        clsReportPrint again = collect();
        QVERIFY(again.ReportPrintView(m_layout, QString()));
        QCOMPARE(files, m_previews.value(0));
        QCOMPARE(files.last().texts(), (QStringList{"A社", "品7", "4"}));
    }

    void noSavePathWritesNothing()
    {
        const QStringList before = QDir(m_dir.path()).entryList(QDir::Files);
        clsReportPrint collector;
        collector.AddDetailData();
        QVERIFY(collector.ReportPrintView(m_layout, QString()));
        QStringList after = QDir(m_dir.path()).entryList(QDir::Files);
        after.removeIf([](const QString &n) { return n.endsWith(QLatin1String(".txt")) || n.contains("SIZE"); });
        QCOMPARE(after, before.filter(QRegularExpression("rpx$")));
    }

    void unreadableLayoutIsReportedAndNothingRuns_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("broken") << QByteArray("<Report><Section>");
    }

    void unreadableLayoutIsReportedAndNothingRuns()
    {
        QFETCH(QByteArray, content);
        const QString path = m_dir.filePath(QStringLiteral("broken.rpx"));
        QFile::remove(path);
        if (!content.isEmpty()) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        clsReportPrint collector;
        collector.AddDetailData();
        QVERIFY(!collector.ReportPrintView(path, m_dir.filePath(QStringLiteral("never"))));
        QVERIFY(m_previews.isEmpty());
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(m_messages[0].icon, ui::Icon::Critical);
        QVERIFY(m_messages[0].text.contains(path));
    }

    // The print preview and the page-file preview remember their places
    // under their own names.
    void previewWindowsRememberTheirPlace()
    {
        const QString file = settingsFileName(QStringLiteral("Size"));
        const QString section = QStringLiteral("Window Positions");
        clsReportPrint collector;
        collector.AddDetailData();
        QVERIFY(collector.ReportPrintView(m_layout, QString()));
        QCOMPARE(fnReadSetting(file, section, QStringLiteral("ActiveReport1")).size(), 21);
        frmPreview preview;
        preview.resize(640, 480);
        preview.show();
        preview.reject();
        QCOMPARE(fnReadSetting(file, section, QStringLiteral("frmPreview")).size(), 21);
    }

    void unwritablePageFilesAreReported()
    {
        clsReportPrint collector;
        collector.AddDetailData();
        QVERIFY(!collector.ReportPrintView(m_layout, QStringLiteral("/nonexistent-folder/x")));
        QCOMPARE(m_previews.size(), 1);
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(m_messages[0].icon, ui::Icon::Critical);
    }
};

QTEST_MAIN(tst_clsReportPrint)
#include "tst_clsreportprint.moc"
