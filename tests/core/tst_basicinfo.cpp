#include "core/BasicInfo.h"
#include "core/Globals.h"
#include "core/Startup.h"
#include "TestSupport.h"

#include <QtTest>
#include <limits>
#include <optional>

class tst_BasicInfo : public QObject {
    Q_OBJECT

private:
    std::optional<testsupport::OpenedProgramFolder> m_folder;

    QVariant column(const QString &key, const QString &name)
    {
        auto st = connection().prepare(QStringLiteral("SELECT %1 FROM 基本情報テーブル WHERE 基本情報ID = ?").arg(name));
        st.bindText(1, key);
        return st.step() ? st.value(0) : QVariant(QStringLiteral("<no row>"));
    }
    int rows()
    {
        return connection().scalar(QStringLiteral("SELECT COUNT(*) FROM 基本情報テーブル")).toInt();
    }

private slots:
    void init()
    {
        m_folder.emplace();
    }
    void cleanup()
    {
        m_folder.reset();
    }

    void loadsFreshRows()
    {
        BasicInfo info;
        QVERIFY(info.Load(QStringLiteral("DatabaseVersion")));
        QCOMPARE(info.LongValue(), 5);
        QVERIFY(info.Load(QStringLiteral("denpyolistcheckcount")));
        QCOMPARE(info.BasicInfoID(), QStringLiteral("DenpyoListCheckCount"));
        QCOMPARE(info.LongValue(), 1000);
        QVERIFY(info.Load(QStringLiteral("MyName")));
        QCOMPARE(info.StringValue(), QString());
    }

    void missingRowLoadsCleared()
    {
        BasicInfo info;
        QVERIFY(info.Load(QStringLiteral("ShouhizeiRitsu")));
        QVERIFY(!info.Load(QStringLiteral("NoSuchKey")));
        QCOMPARE(info.LongValue(), 0);
        QCOMPARE(info.StringValue(), QString());
        QCOMPARE(info.BasicInfoID(), QString());
        QVERIFY(!info.Apply()); // Load cleared the key
        QCOMPARE(info.ErrorMessage(), QStringLiteral("コードが設定されていません。"));
    }

    void nullAndEmptyValuesLoadCleared()
    {
        connection().exec(QStringLiteral("INSERT INTO 基本情報テーブル VALUES ('A', '', NULL)"));
        BasicInfo info;
        info.setStringValue(QStringLiteral("x"));
        QVERIFY(info.Load(QStringLiteral("A")));
        QCOMPARE(info.StringValue(), QString());
        QCOMPARE(info.LongValue(), 0);
    }

    void applyInsertsMissingRow()
    {
        connection().exec(QStringLiteral("DELETE FROM 基本情報テーブル WHERE 基本情報ID = 'MyName'"));
        const int before = rows();
        BasicInfo info;
        info.setBasicInfoID(QStringLiteral("MyName"));
        info.setStringValue(QString());
        QVERIFY(info.Apply());
        QCOMPARE(rows(), before + 1);
        QVERIFY(column(QStringLiteral("MyName"), QStringLiteral("テキスト型データ")).isNull());
        QCOMPARE(column(QStringLiteral("MyName"), QStringLiteral("数値型データ")), QVariant(qint64(0)));
    }

    void applyUpdatesExistingRow()
    {
        const int before = rows();
        BasicInfo info;
        info.Load(QStringLiteral("CurrentDenpyoID"));
        info.setLongValue(std::numeric_limits<qint32>::max());
        QVERIFY(info.Apply());
        info.setBasicInfoID(QStringLiteral("currentdenpyoid")); // keys compare without case
        info.setLongValue(-42);
        QVERIFY(info.Apply());
        QCOMPARE(rows(), before);
        BasicInfo back;
        QVERIFY(back.Load(QStringLiteral("CurrentDenpyoID")));
        QCOMPARE(back.BasicInfoID(), QStringLiteral("CurrentDenpyoID"));
        QCOMPARE(back.LongValue(), -42);
        back.setLongValue(std::numeric_limits<qint32>::max());
        back.Apply();
        QVERIFY(back.Load(QStringLiteral("CurrentDenpyoID")));
        QCOMPARE(back.LongValue(), std::numeric_limits<qint32>::max());
    }

    void trailingBlanksOnlyAreRemoved()
    {
        BasicInfo info;
        info.setBasicInfoID(QStringLiteral("MyAddress1  "));
        info.setStringValue(QStringLiteral("  東京都  "));
        QCOMPARE(info.BasicInfoID(), QStringLiteral("MyAddress1"));
        QVERIFY(info.Apply());
        QCOMPARE(column(QStringLiteral("MyAddress1"), QStringLiteral("テキスト型データ")).toString(),
                 QStringLiteral("  東京都"));
    }

    void keysAreBoundNotSpliced()
    {
        BasicInfo info;
        info.setBasicInfoID(QStringLiteral("O'Brien') OR ('1'='1"));
        info.setStringValue(QStringLiteral("x"));
        QVERIFY(info.Apply());
        BasicInfo back;
        QVERIFY(back.Load(QStringLiteral("O'Brien') OR ('1'='1")));
        QCOMPARE(back.StringValue(), QStringLiteral("x"));
        QVERIFY(!back.Load(QStringLiteral("x') OR ('1'='1")));
    }

    void errorMessageSurvivesLaterSuccess()
    {
        BasicInfo info;
        QVERIFY(!info.Apply());
        info.Initialize();
        info.setBasicInfoID(QStringLiteral("Shouhizei"));
        QVERIFY(info.Apply());
        QCOMPARE(info.ErrorMessage(), QStringLiteral("コードが設定されていません。"));
    }

    void numberThatDoesNotConvertIsAnError()
    {
        connection().exec(QStringLiteral("UPDATE 基本情報テーブル SET 数値型データ = 'abc' WHERE 基本情報ID = 'Shouhizei'"));
        connection().exec(QStringLiteral("UPDATE 基本情報テーブル SET 数値型データ = 3.0 WHERE 基本情報ID = 'ShouhizeiRitsu'"));
        BasicInfo info;
        QVERIFY(info.Load(QStringLiteral("Shouhizei")));
        QVERIFY_THROWS_EXCEPTION(db::DbError, info.LongValue());
        QVERIFY(info.Load(QStringLiteral("ShouhizeiRitsu")));
        QCOMPARE(info.LongValue(), 3);
    }

    void databaseErrorsReachTheCaller()
    {
        connection().exec(QStringLiteral("DROP TABLE 基本情報テーブル"));
        BasicInfo info;
        QVERIFY_THROWS_EXCEPTION(db::DbError, info.Load(QStringLiteral("DatabaseVersion")));
        info.setBasicInfoID(QStringLiteral("MyName"));
        QVERIFY_THROWS_EXCEPTION(db::DbError, info.Apply());
    }
};

QTEST_GUILESS_MAIN(tst_BasicInfo)
#include "tst_basicinfo.moc"
