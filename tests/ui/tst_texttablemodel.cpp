#include "platform/ui/TextTableModel.h"

#include <QSignalSpy>
#include <QtTest>

using ui::TextTableModel;

class tst_TextTableModel : public QObject {
    Q_OBJECT

private slots:
    // What a view asks of the table, inside it and beyond it.
    void cellsCaptionsAndAlignments()
    {
        TextTableModel m;
        m.setColumns({{QStringLiteral("品名"), Qt::AlignLeft}, {QStringLiteral("金額"), Qt::AlignRight}});
        QSignalSpy reset(&m, &QAbstractItemModel::modelReset);
        m.setRows({{QStringLiteral("ボルト"), QStringLiteral("1,200")}, {QStringLiteral("短い行")}});
        QCOMPARE(reset.size(), 1);
        QCOMPARE(m.rowCount(), 2);
        QCOMPARE(m.columnCount(), 2);
        QCOMPARE(m.data(m.index(0, 1)).toString(), QStringLiteral("1,200"));
        QCOMPARE(m.data(m.index(1, 1)).toString(), QString()); // a short row shows empty cells
        QCOMPARE(m.text(2, 0), QString());
        QCOMPARE(m.text(0, 2), QString());
        QCOMPARE(m.text(-1, 0), QString());
        QCOMPARE(m.data(m.index(0, 1), Qt::TextAlignmentRole).toInt(), int(Qt::AlignRight | Qt::AlignVCenter));
        QCOMPARE(m.data(m.index(0, 0), Qt::TextAlignmentRole).toInt(), int(Qt::AlignLeft | Qt::AlignVCenter));
        QVERIFY(!m.data(m.index(0, 0), Qt::EditRole).isValid());
        QCOMPARE(m.headerData(1, Qt::Horizontal).toString(), QStringLiteral("金額"));
        QCOMPARE(m.headerData(1, Qt::Horizontal, Qt::TextAlignmentRole).toInt(),
                 int(Qt::AlignRight | Qt::AlignVCenter));
        QVERIFY(!m.headerData(5, Qt::Horizontal).isValid());
        // A table has no children under its cells.
        QCOMPARE(m.rowCount(m.index(0, 0)), 0);
        QCOMPARE(m.columnCount(m.index(0, 0)), 0);
        QVERIFY(!(m.flags(m.index(0, 0)) & Qt::ItemIsEditable));

        m.clear();
        QCOMPARE(m.rowCount(), 0);
        QCOMPARE(m.columnCount(), 2);
    }
};

QTEST_GUILESS_MAIN(tst_TextTableModel)
#include "tst_texttablemodel.moc"
