#include "platform/grid/FlexGrid.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QtTest>
#include <cmath>

// The grid layer: rows and cells, the program-opened editor and its events.
class tst_FlexGrid : public QObject {
    Q_OBJECT

    static void fill(grid::FlexGrid &g, int rows)
    {
        g.setCols(4);
        g.setColumnEditable(1, true);
        g.setColumnEditable(2, true);
        g.setRows(1);
        for (int i = 1; i <= rows; ++i)
            g.AddItem(QString::number(i));
    }

private slots:
    void rowsAndCells()
    {
        grid::FlexGrid g;
        fill(g, 3);
        QCOMPARE(g.Rows(), 4);
        g.setTextMatrix(2, 1, QStringLiteral("b"));
        g.AddItem(QStringLiteral("x"), 2);
        QCOMPARE(g.TextMatrix(2, 0), QStringLiteral("x"));
        QCOMPARE(g.TextMatrix(3, 1), QStringLiteral("b"));
        g.RemoveItem(2);
        QCOMPARE(g.TextMatrix(2, 1), QStringLiteral("b"));
        g.moveRow(2, 3);
        QCOMPARE(g.TextMatrix(3, 1), QStringLiteral("b"));
        g.setRows(2);
        QCOMPARE(g.Rows(), 2);
        g.setTextMatrix(1, 2, QStringLiteral("1,234.5"));
        QCOMPARE(g.ValueMatrix(1, 2), 1234.5);
        g.setTextMatrix(1, 2, QStringLiteral("12a"));
        QCOMPARE(g.ValueMatrix(1, 2), 0.0);
        // Cells outside the grid read empty and ignore writes.
        g.setTextMatrix(9, 9, QStringLiteral("z"));
        QCOMPARE(g.TextMatrix(9, 9), QString());
        QCOMPARE(g.Row(), 0);
    }

    // Every shape a cell can hold reads as the number it shows; texts that
    // are no number read 0.
    void valueMatrixReadsTheShownNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("commas") << "1,234,567.25" << 1234567.25;
        QTest::newRow("leading minus") << "-1,234.5" << -1234.5;
        QTest::newRow("trailing minus") << "1,234.5-" << -1234.5;
        QTest::newRow("minus zero") << "-0" << -0.0;
        QTest::newRow("blanks around") << " 12.5 " << 12.5;
        QTest::newRow("no integer part") << "-.5" << -0.5;
        QTest::newRow("no fraction") << "7." << 7.0;
        QTest::newRow("comma before minus") << ",-5" << -5.0;
        QTest::newRow("exponent") << "1e3" << 1000.0;
        QTest::newRow("plus sign") << "+5" << 5.0;
        QTest::newRow("decimal rounding") << "0.1" << 0.1;
        QTest::newRow("twelve and three") << "999,999,999,999.999" << 999999999999.999;
        QTest::newRow("twenty digits") << "12345678901234567890" << 12345678901234567890.0;
        QTest::newRow("longer than a buffer")
            << "0.000000000000000000000000000000000000000000000000000000000000000000000001" << 1e-72;
        QTest::newRow("blank") << "" << 0.0;
        QTest::newRow("minus alone") << "-" << 0.0;
        QTest::newRow("point alone") << "." << 0.0;
        QTest::newRow("two minus") << "--5" << 0.0;
        QTest::newRow("two points") << "1.5.2" << 0.0;
        QTest::newRow("minus inside") << "1-2" << 0.0;
        QTest::newRow("letter") << "12a" << 0.0;
        QTest::newRow("full-width digits") << "１２" << 0.0;
        QTest::newRow("infinity") << "inf" << 0.0;
        QTest::newRow("not a number") << "nan" << 0.0;
        QTest::newRow("too large") << "1" + QString(400, QLatin1Char('0')) << 0.0;
    }
    void valueMatrixReadsTheShownNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        grid::FlexGrid g;
        fill(g, 1);
        g.setTextMatrix(1, 2, text);
        const double read = g.ValueMatrix(1, 2);
        QCOMPARE(read, value);
        QCOMPARE(std::signbit(read), std::signbit(value));
    }

    void editingAndEvents()
    {
        grid::FlexGrid g;
        fill(g, 2);
        g.show();
        QApplication::setActiveWindow(&g);
        QVERIFY(QTest::qWaitForWindowActive(&g));

        QStringList events;
        connect(&g, &grid::FlexGrid::cellLeft, &g,
                [&](int r, int c) { events << QStringLiteral("left %1,%2").arg(r).arg(c); });
        connect(&g, &grid::FlexGrid::cellEntered, &g,
                [&](int r, int c) { events << QStringLiteral("entered %1,%2").arg(r).arg(c); });
        connect(&g, &grid::FlexGrid::editCommitted, &g,
                [&](int r, int c) { events << QStringLiteral("committed %1,%2").arg(r).arg(c); });
        int arrivals = 0;
        connect(&g, &grid::FlexGrid::focusReceived, &g, [&] { ++arrivals; });
        connect(&g, &grid::FlexGrid::editorKeyPress, &g, [](int, int, QChar &c) { c = c.toUpper(); });
        connect(&g, &grid::FlexGrid::editorKeyDown, &g, [](int, int, int &key, Qt::KeyboardModifiers) {
            if (key == Qt::Key_F11)
                key = 0;
        });

        g.setCurrentCell(1, 1);
        // Nothing opens the editor but the program.
        QVERIFY(!g.isEditing());
        g.EditCell();
        QVERIFY(g.isEditing());
        QTest::keyClicks(g.editor(), QStringLiteral("ab"));
        QCOMPARE(g.editor()->text(), QStringLiteral("AB"));
        QTest::keyClick(g.editor(), Qt::Key_F11);
        g.setCurrentCell(2, 2);
        QCOMPARE(g.TextMatrix(1, 1), QStringLiteral("AB"));
        QCOMPARE(events, (QStringList{"entered 1,1", "committed 1,1", "left 1,1", "entered 2,2"}));
        // Closing the editor gives the focus back to the grid: no arrival.
        QCOMPARE(arrivals, 0);

        // The fixed column and columns not editable get no editor.
        g.setCurrentCell(2, 3);
        g.EditCell();
        QVERIFY(!g.isEditing());

        // A cancelled edit keeps the cell.
        g.setCurrentCell(1, 2);
        g.EditCell();
        QTest::keyClicks(g.editor(), QStringLiteral("zz"));
        g.cancelEdit();
        QCOMPARE(g.TextMatrix(1, 2), QString());
        // Rows going away take the editor with them unstored.
        g.EditCell();
        QTest::keyClicks(g.editor(), QStringLiteral("q"));
        g.setRows(1);
        QVERIFY(!g.isEditing());
    }

    // A cell is one line: a line break or another control character that
    // comes into the editor is dropped there, the caret staying after what
    // came in.
    void controlCharactersNeverReachTheEditor_data()
    {
        QTest::addColumn<QString>("route");
        QTest::newRow("pasted") << "pasted";
        QTest::newRow("input method") << "input method";
        QTest::newRow("inserted") << "inserted";
    }

    void controlCharactersNeverReachTheEditor()
    {
        QFETCH(QString, route);
        grid::FlexGrid g;
        fill(g, 1);
        g.show();
        QApplication::setActiveWindow(&g);
        QVERIFY(QTest::qWaitForWindowActive(&g));
        g.setCurrentCell(1, 1);
        g.EditCell();
        QLineEdit *editor = g.editor();
        QVERIFY(editor);
        const QString entered = QStringLiteral("line1\r\nli\tne2\n");
        if (route == "pasted") {
            QGuiApplication::clipboard()->setText(entered);
            QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
        } else if (route == "input method") {
            QInputMethodEvent event;
            event.setCommitString(entered);
            QApplication::sendEvent(editor, &event);
        } else {
            editor->insert(entered);
        }
        QCOMPARE(editor->text(), QStringLiteral("line1line2"));
        QTest::keyClicks(editor, QStringLiteral("x"));
        g.commitEdit();
        QCOMPARE(g.TextMatrix(1, 1), QStringLiteral("line1line2x"));
    }

    // Whatever reached the editor (keys, a paste, the input method) is
    // stored as a CP932 file would give it back, without NUL characters.
    void editedTextTakesItsCp932Form()
    {
        grid::FlexGrid g;
        fill(g, 1);
        g.setCurrentCell(1, 1);
        g.EditCell();
        QVERIFY(g.isEditing());
        g.editor()->insert(QStringLiteral("六角ボルト〜‖−—¢£¬") + QChar(0) + QStringLiteral("x"));
        g.commitEdit();
        QCOMPARE(g.TextMatrix(1, 1), QStringLiteral("六角ボルト～∥－―￠￡￢x"));
    }
};

QTEST_MAIN(tst_FlexGrid)
#include "tst_flexgrid.moc"
