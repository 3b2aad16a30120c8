#include "masters/EditorMode.h"

#include <QtTest>

class tst_EditorMode : public QObject {
    Q_OBJECT

private slots:
    void modes_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<bool>("isNew");
        QTest::addColumn<bool>("staysOpen");
        QTest::addColumn<bool>("inputStates");
        QTest::addColumn<bool>("idFixed");
        QTest::addColumn<bool>("loadsKey");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("ok");
        QTest::newRow("New") << "New" << true << true << false << false << false << "新規顧客" << "登録(F12)";
        QTest::newRow("NewReturn") << "NewReturn" << true << false << false << false << false << "新規顧客"
                                   << "登録(F12)";
        QTest::newRow("ReferenceNew") << "ReferenceNew" << true << false << false << false << true
                                      << "新規顧客" << "登録(F12)";
        QTest::newRow("CopyNew") << "CopyNew" << true << false << false << false << false << "新規顧客"
                                 << "登録(F12)";
        QTest::newRow("SelectableUpdate") << "SelectableUpdate" << false << true << true << false << false
                                          << "顧客修正" << "更新(F12)";
        QTest::newRow("SelectedUpdate") << "SelectedUpdate" << false << false << false << true << true
                                        << "顧客修正" << "更新(F12)";
    }
    void modes()
    {
        QFETCH(QString, mode);
        const EditorMode m = EditorMode::fromText(mode);
        QCOMPARE(m.text(), mode);
        QTEST(m.isNewRecord(), "isNew");
        QTEST(m.staysOpenAfterSave(), "staysOpen");
        QTEST(m.hasInputStates(), "inputStates");
        QTEST(m.looksUpTypedId(), "inputStates");
        QTEST(m.idBoxFixed(), "idFixed");
        QTEST(m.loadsGivenKey(), "loadsKey");
        QTEST(m.title(QStringLiteral("顧客")), "title");
        QTEST(m.okCaption(), "ok");
    }

    void saveQuestionNamesVerbAndId()
    {
        QCOMPARE(EditorMode::fromText(QStringLiteral("New")).saveQuestion(QStringLiteral("顧客"), QStringLiteral("A1")),
                 QStringLiteral("顧客 A1 を登録しますか？"));
        QCOMPARE(EditorMode::fromText(QStringLiteral("SelectedUpdate"))
                     .saveQuestion(QStringLiteral("商品"), QStringLiteral("P-1")),
                 QStringLiteral("商品 P-1 を更新しますか？"));
    }

    void unknownModeOpensBlank()
    {
        QCOMPARE(EditorMode::fromText(QStringLiteral("new")).kind(), EditorMode::New);
        QCOMPARE(EditorMode::fromText(QString()).kind(), EditorMode::New);
    }
};

QTEST_APPLESS_MAIN(tst_EditorMode)
#include "tst_editormode.moc"
