#include "core/Globals.h"
#include "filters/SearchConditionKey.h"
#include "filters/SearchFilterFile.h"
#include "filters/SearchFilterKind.h"
#include "platform/text/LineFile.h"

#include "FullFileSystem.h"

#include <QFile>
#include <QRandomGenerator>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>
#include <unistd.h>

namespace {

QString fixture(const QString &name)
{
    return QStringLiteral(QVX_FIXTURES "/filters/") + name;
}

// The bytes of the file at path; none when it cannot be read.
constexpr auto bytesOf = &testsupport::FullFileSystem::contents;

void writeBytesTo(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

// The example file with line `line` (0-based, CR LF kept) changed by `change`.
QByteArray exampleWith(int line, const std::function<QByteArray(QByteArray)> &change)
{
    QList<QByteArray> lines = bytesOf(fixture(QStringLiteral("example.dkj"))).split('\n');
    lines[line] = change(lines[line].chopped(1)) + '\r';
    return lines.join('\n');
}

QDateTime may1(int h, int m, int s)
{
    return QDateTime(QDate(2024, 5, 1), QTime(h, m, s));
}

} // namespace

class tst_SearchFilterFile : public QObject {
    Q_OBJECT

private slots:
    void readsTheExampleFile()
    {
        SearchFilterFile file;
        QCOMPARE(file.read(fixture(QStringLiteral("example.dkj"))), SearchFilterFile::Status::Ok);
        QCOMPARE(file.fields.size(), 2);
        QCOMPARE(file.fields[0].key, QStringLiteral("rt0D"));
        QCOMPARE(file.fields[0].label, QStringLiteral("伝票番号"));
        QCOMPARE(file.fields[0].conditions.size(), 2);
        QCOMPARE(file.fields[0].conditions[1].text, QStringLiteral("500～500"));
        QCOMPARE(file.fields[1].key, QStringLiteral("rtOD"));
        QCOMPARE(file.fields[1].conditions[0].key, QStringLiteral("45413.3961226852 Y00受注@Y"));
        QCOMPARE(file.fields[1].conditions[0].text, QStringLiteral("済み"));
    }

    // The editor builds keys from a moment and a value; written out they
    // must give exactly the bytes of a file written before.
    void writesTheExampleByteForByte()
    {
        const auto condition = [](const QDateTime &when, const QString &code, const QString &column,
                                  const QString &value) {
            return SearchFilterCondition{SearchConditionKey::stamped(when, code + column + QLatin1Char('@') + value),
                                         SearchConditionKey::displayText(code, value)};
        };
        SearchFilterFile file;
        file.fields = {
            {QStringLiteral("rt0D"),
             QStringLiteral("伝票番号"),
             {condition(may1(9, 30, 15), QStringLiteral("N00"), QStringLiteral("伝票番号"),
                        QStringLiteral("000000100000000200")),
              condition(may1(9, 30, 40), QStringLiteral("N00"), QStringLiteral("伝票番号"),
                        QStringLiteral("000000500000000500"))}},
            {QStringLiteral("rtOD"),
             QStringLiteral("受注"),
             {condition(may1(9, 30, 25), QStringLiteral("Y00"), QStringLiteral("受注"), QStringLiteral("Y"))}},
        };
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("out.dkj"));
        file.write(path);
        QCOMPARE(bytesOf(path), bytesOf(fixture(QStringLiteral("example.dkj"))));

        SearchFilterFile again;
        QCOMPARE(again.read(fixture(QStringLiteral("example.dkj"))), SearchFilterFile::Status::Ok);
        again.write(path);
        QCOMPARE(bytesOf(path), bytesOf(fixture(QStringLiteral("example.dkj"))));
    }

    void emptyFileRoundTrips()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("empty.ckj"));
        text::writeBytes(path, QByteArray());
        SearchFilterFile file;
        QCOMPARE(file.read(path), SearchFilterFile::Status::Ok);
        QVERIFY(file.isEmpty());
        file.write(path);
        QCOMPARE(bytesOf(path), QByteArray());
        QCOMPARE(file.read(dir.filePath(QStringLiteral("none.ckj"))), SearchFilterFile::Status::Missing);
    }

    // Quotes and "@" inside contents are not escaped and read back whole.
    void unescapedContentsReadBack()
    {
        SearchFilterFile file;
        const QString key = SearchConditionKey::stamped(may1(12, 0, 0), QStringLiteral("S00メモ@a@\"b\""));
        file.fields = {{QStringLiteral("rtKD"), QStringLiteral("メモ"), {{key, QStringLiteral("a@\"b\"")}}},
                       {QStringLiteral("rtID"), QStringLiteral("部門"), {}}};
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("q.dkj"));
        file.write(path);
        SearchFilterFile back;
        QCOMPARE(back.read(path), SearchFilterFile::Status::Ok);
        QCOMPARE(back.lines(), file.lines());
        QCOMPARE(back.fields[1].conditions.size(), 0);
        const auto parsed = SearchConditionKey::parse(back.fields[0].conditions[0].key);
        QVERIFY(parsed);
        QCOMPARE(parsed->code, QStringLiteral("S00"));
        QCOMPARE(parsed->column, QStringLiteral("メモ"));
        QCOMPARE(parsed->value, QStringLiteral("a@\"b\""));
        QCOMPARE(parsed->text(), back.fields[0].conditions[0].key);
    }

    void invalidFiles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("condition before the first field") << "condition-first.dkj";
        QTest::newRow("unpaired last line") << "unpaired.dkj";
        QTest::newRow("line shorter than three characters") << "short-line.dkj";
        QTest::newRow("field key twice") << "duplicate-field.dkj";
        QTest::newRow("condition key twice") << "duplicate-condition.dkj";
    }

    // Each line of a good file, broken in the ways a file is damaged by
    // hand or by a cut: a reader that took any of them would read a value
    // other than the one written.
    void damagedLinesMakeTheFileInvalid_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        for (int line = 0; line < 10; ++line) {
            const auto row = [line](const char *what) -> QTestData & { return QTest::addRow("line %d: %s", line + 1, what); };
            row("closing quote lost") << exampleWith(line, [](QByteArray l) { return l.chopped(1); });
            row("opening quote lost") << exampleWith(line, [](QByteArray l) { return l.mid(1); });
            row("kind letter X") << exampleWith(line, [](QByteArray l) { return l.replace(1, 1, "X"); });
            row("kind letter in lower case")
                << exampleWith(line, [](QByteArray l) { return l.replace(1, 1, QByteArray(1, char(l.at(1) | 0x20))); });
            row("kind letter of the other kind")
                << exampleWith(line, [](QByteArray l) { return l.replace(1, 1, l.at(1) == 'P' ? "C" : "P"); });
            row("NUL in the content") << exampleWith(line, [](QByteArray l) { return l.insert(2, '\0'); });
            row("bytes that are not CP932") << exampleWith(line, [](QByteArray l) { return l.insert(2, "\x81\x7f"); });
        }
    }

    void damagedLinesMakeTheFileInvalid()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("damaged.dkj"));
        writeBytesTo(path, bytes);
        SearchFilterFile file;
        QVERIFY(file.read(path) != SearchFilterFile::Status::Ok);
        QVERIFY(file.isEmpty());
    }

    // Random damage to a good file: whatever the reader takes, it takes
    // exactly, so writing it out again gives the lines that were read.
    void randomDamageIsReadExactlyOrRefused()
    {
        const QByteArray good = bytesOf(fixture(QStringLiteral("example.dkj")));
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("fuzz.dkj"));
        QRandomGenerator random(20240501);
        const QByteArray alphabet("\"PCpcX@\r\n\0 \x81\x60\xff", 14);
        int accepted = 0;
        for (int round = 0; round < 2000; ++round) {
            QByteArray bytes = good;
            const int changes = 1 + int(random.bounded(3));
            for (int i = 0; i < changes; ++i) {
                const int at = int(random.bounded(bytes.size()));
                switch (random.bounded(3)) {
                case 0: bytes.remove(at, 1); break;
                case 1: bytes.insert(at, alphabet.at(random.bounded(alphabet.size()))); break;
                default: bytes[at] = alphabet.at(random.bounded(alphabet.size())); break;
                }
            }
            writeBytesTo(path, bytes);
            SearchFilterFile file;
            if (file.read(path) != SearchFilterFile::Status::Ok)
                continue;
            ++accepted;
            QCOMPARE(file.lines(), *text::readLines(path));
            QVERIFY(!file.lines().join(QString()).contains(QChar::ReplacementCharacter));
        }
        QVERIFY(accepted > 0);
    }

    void invalidFiles()
    {
        QFETCH(QString, name);
        SearchFilterFile file;
        QCOMPARE(file.read(fixture(name)), SearchFilterFile::Status::Invalid);
        QVERIFY(file.isEmpty());
    }

    // A file far longer than any filter (a huge sparse one) is an invalid
    // filter, not one read into memory.
    void hugeFileIsInvalid()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("huge.dkj"));
        writeBytesTo(path, bytesOf(fixture(QStringLiteral("example.dkj"))));
        QCOMPARE(::truncate(QFile::encodeName(path).constData(), off_t(100) << 30), 0);
        SearchFilterFile file;
        QCOMPARE(file.read(path), SearchFilterFile::Status::Invalid);
        QVERIFY(file.isEmpty());
    }

    void stamp_data()
    {
        QTest::addColumn<QDateTime>("moment");
        QTest::addColumn<QString>("stamp");
        QTest::newRow("seconds") << may1(9, 30, 15) << "45413.3960069444 ";
        QTest::newRow("noon") << may1(12, 0, 0) << "45413.5          ";
        QTest::newRow("midnight") << may1(0, 0, 0) << "45413            ";
        QTest::newRow("last second") << may1(23, 59, 59) << "45413.9999884259 ";
    }

    void stamp()
    {
        QFETCH(QDateTime, moment);
        QFETCH(QString, stamp);
        QCOMPARE(SearchConditionKey::stampOf(moment), stamp);
        const auto key = SearchConditionKey::parse(SearchConditionKey::stamped(moment, QStringLiteral("Y00受注@N")));
        QVERIFY(key);
        QCOMPARE(key->letter(), QLatin1Char('Y'));
        QCOMPARE(key->value, QStringLiteral("N"));
    }

    void keyWithoutSeparatorInPlace()
    {
        QVERIFY(!SearchConditionKey::parse(QStringLiteral("45413.5          S00メモ")));
        QVERIFY(!SearchConditionKey::parse(QStringLiteral("45413.5@         S00メモ@x")));
        QVERIFY(!SearchConditionKey::parse(QStringLiteral("S00@x")));
    }

    void displayText_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("single number") << "N00" << "000000007000000007" << "7～7";
        QTest::newRow("amounts") << "K00" << "000001000000025000" << "1,000～25,000";
        QTest::newRow("zero amount") << "K00" << "000000000000000999" << "0～999";
        QTest::newRow("id prefix") << "I21" << "A01*" << "A01*";
        QTest::newRow("text") << "S33" << "ボルト" << "ボルト";
        QTest::newRow("stage set") << "Y00" << "Y" << "済み";
        QTest::newRow("stage not set") << "Y00" << "N" << "未済み";
        QTest::newRow("flag on") << "Z00" << "Y" << "する";
        QTest::newRow("flag off") << "Z00" << "N" << "しない";
        QTest::newRow("period label") << "D00" << "今月(20日締)" << "今月(20日締)";
        QTest::newRow("date pair") << "T00" << "24/05/0124/05/31" << "24/05/01～24/05/31";
    }

    void displayText()
    {
        QFETCH(QString, code);
        QFETCH(QString, value);
        QFETCH(QString, text);
        QCOMPARE(SearchConditionKey::displayText(code, value), text);
    }

    // Adding, editing (remove, then add) and removing as the editor does.
    void editingKeepsTheEditorsOrder()
    {
        SearchFilterFile file;
        const auto add = [&](const QString &key, const QString &label, const QString &code, const QString &column,
                             const QString &value, int second) {
            return file.addCondition(key, label, code + column + QLatin1Char('@') + value,
                                     SearchConditionKey::displayText(code, value), may1(10, 0, second));
        };
        QVERIFY(add("rt0D", "伝票番号", "N00", "伝票番号", "000000001000000002", 1));
        QVERIFY(add("rtOD", "受注", "Y00", "受注", "Y", 2));
        QVERIFY(!add("rt0D", "伝票番号", "N00", "伝票番号", "000000001000000002", 3));
        QVERIFY(add("rt0D", "伝票番号", "N00", "伝票番号", "000000005000000005", 4));
        QCOMPARE(file.conditionCount(), 3);
        // 10:00:04 is 45413.4167129630 to 15 digits; the trailing zero goes.
        QCOMPARE(file.fields[0].conditions[1].key, QStringLiteral("45413.416712963  N00伝票番号@000000005000000005"));

        // Editing the only condition of a field moves the field to the end.
        file.removeCondition(1, 0);
        QVERIFY(add("rtOD", "受注", "Y00", "受注", "N", 5));
        QCOMPARE(file.fields.size(), 2);
        QCOMPARE(file.fields[1].conditions[0].text, QStringLiteral("未済み"));
        QCOMPARE(file.fields[1].label, QStringLiteral("受注"));

        file.removeCondition(0, 0);
        file.removeCondition(0, 0);
        QCOMPARE(file.fields.size(), 1);
        QCOMPARE(file.fields[0].key, QStringLiteral("rtOD"));
    }

    // A file written elsewhere may label a field otherwise than the search
    // items do; a condition added for that field still joins it, so the
    // saved file keeps each field key once and stays readable.
    void addingJoinsAFieldLabelledOtherwise()
    {
        SearchFilterFile file;
        QVERIFY(file.parse({"\"Prt0D\"", "\"P番号\"", "\"C45413.5          N00伝票番号@000000001000000002\"",
                            "\"C1～2\""}));
        QVERIFY(file.addCondition("rt0D", "伝票番号", "N00伝票番号@000000007000000007", "7～7", may1(10, 0, 0)));
        QCOMPARE(file.fields.size(), 1);
        QCOMPARE(file.fields[0].label, QStringLiteral("番号"));
        QCOMPARE(file.fields[0].conditions.size(), 2);
        SearchFilterFile back;
        QVERIFY(back.parse(file.lines()));
        QCOMPARE(back.conditionCount(), 2);
    }

    void codeOf_data()
    {
        QTest::addColumn<QString>("inputKind");
        QTest::addColumn<QString>("code");
        QTest::newRow("number") << "NumInput" << "N00";
        QTest::newRow("customer id") << "IDInput_Customer_CustomerID" << "I21";
        QTest::newRow("maker") << "StringInput_Shohin_Maker" << "S34";
        QTest::newRow("date and time") << "DateInputForDateTime" << "T00";
        QTest::newRow("on/off") << "SuruShinai" << "Z00";
        QTest::newRow("unknown") << "Other" << "";
    }

    void codeOf()
    {
        QFETCH(QString, inputKind);
        QFETCH(QString, code);
        QCOMPARE(SearchConditionKey::codeOf(inputKind), code);
    }

    void temporaryFilterIsNeverListed()
    {
        QTemporaryDir dir;
        gstrShohinKensakuFilterFolder = dir.path() + QLatin1Char('/');
        const auto kind = SearchFilterKind::Shohin;
        searchfilter::ensureTemporaryFilter(kind);
        QCOMPARE(bytesOf(searchfilter::filePath(kind, searchfilter::kTemporaryName)), QByteArray());

        // The next temporary search starts from the last one's conditions.
        text::writeLines(searchfilter::filePath(kind, searchfilter::kTemporaryName),
                         {QStringLiteral("\"Prt3D\""), QStringLiteral("\"P品名\"")});
        searchfilter::ensureTemporaryFilter(kind);
        SearchFilterFile kept;
        QCOMPARE(kept.read(searchfilter::filePath(kind, searchfilter::kTemporaryName)), SearchFilterFile::Status::Ok);
        QCOMPARE(kept.fields.size(), 1);

        text::writeBytes(searchfilter::filePath(kind, QStringLiteral("大口")), QByteArray());
        text::writeBytes(searchfilter::filePath(kind, QStringLiteral("ねじ")), QByteArray());
        text::writeBytes(dir.filePath(QStringLiteral("other.ckj")), QByteArray());
        QCOMPARE(searchfilter::savedNames(kind), (QStringList{QStringLiteral("ねじ"), QStringLiteral("大口")}));
        QVERIFY(searchfilter::kindFromObjectName(QStringLiteral("商品")) == kind);
        QVERIFY(!searchfilter::kindFromObjectName(QStringLiteral("一時検索")));
    }

    // A filter rewritten on a full disk keeps all its conditions: an empty
    // slip filter would list every slip.
    void fullDiskKeepsTheOldFilter()
    {
        testsupport::FullFileSystem fs;
        QVX_NEED_FULL_FS(fs);
        SearchFilterFile file;
        for (int i = 0; i < 61; ++i) {
            const QString value = QStringLiteral("%1").arg(i, 9, 10, QLatin1Char('0')).repeated(2);
            QVERIFY(file.addCondition("rt0D", "伝票番号", "N00伝票番号@" + value,
                                      SearchConditionKey::displayText(QStringLiteral("N00"), value),
                                      may1(10, 0, 0).addSecs(i)));
        }
        const QString path = fs.filePath(QStringLiteral("大口.dkj"));
        file.write(path);
        const QByteArray old = bytesOf(path);
        QVERIFY(fs.fill());
        file.removeCondition(0, 0);
        QVERIFY_THROWS_EXCEPTION(text::TextFileError, file.write(path));
        QCOMPARE(bytesOf(path), old);
        SearchFilterFile back;
        QCOMPARE(back.read(path), SearchFilterFile::Status::Ok);
        QCOMPARE(back.conditionCount(), 61);
    }

    // A filter name names a file inside the kind's folder, nothing else.
    void namesStayInTheFolder_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("valid");
        QTest::newRow("empty") << "" << false;
        QTest::newRow("blank") << "  " << false;
        QTest::newRow("ideographic blank") << "\u3000" << false;
        QTest::newRow("dot") << "." << false;
        QTest::newRow("dot dot") << ".." << false;
        QTest::newRow("parent folder") << "../../QUORVEX5" << false;
        QTest::newRow("absolute") << "/tmp/x" << false;
        QTest::newRow("sub folder") << "a/b" << false;
        QTest::newRow("backslash") << "..\\x" << false;
        QTest::newRow("NUL") << QString::fromUtf16(u"a\0/../x", 7) << false;
        QTest::newRow("temporary") << searchfilter::kTemporaryName << true;
        QTest::newRow("dots inside") << "..a.b" << true;
        QTest::newRow("blanks around") << " 大口 " << true;
    }
    void namesStayInTheFolder()
    {
        QFETCH(QString, name);
        QFETCH(bool, valid);
        QTemporaryDir dir;
        gstrCustomerKensakuFilterFolder = dir.path() + QLatin1Char('/');
        const auto kind = SearchFilterKind::Customer;
        QCOMPARE(searchfilter::isValidName(name), valid);
        if (valid) {
            const QString path = searchfilter::filePath(kind, name);
            QCOMPARE(QFileInfo(path).absolutePath(), dir.path());
            QCOMPARE(QFileInfo(path).fileName(), name + QStringLiteral(".ckj"));
        } else {
            QVERIFY_THROWS_EXCEPTION(searchfilter::InvalidFilterName, searchfilter::filePath(kind, name));
            QVERIFY(!searchfilter::exists(kind, name));
        }
    }

    // A file whose name part is no valid filter name is not offered.
    void unusableFileNamesAreNotListed()
    {
        QTemporaryDir dir;
        gstrCustomerKensakuFilterFolder = dir.path() + QLatin1Char('/');
        for (const char *name : {"..ckj", "  .ckj", "\xE3\x80\x80.ckj", "a.ckj"})
            text::writeBytes(dir.filePath(QString::fromUtf8(name)), QByteArray());
        QCOMPARE(searchfilter::savedNames(SearchFilterKind::Customer), QStringList{QStringLiteral("a")});
    }
};

QTEST_GUILESS_MAIN(tst_SearchFilterFile)
#include "tst_searchfilterfile.moc"
