#pragma once

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <optional>

// The plain text in which the main window copies slips, customers and
// products to the clipboard and reads them back: three header lines
// ("Quorvex5", "オブジェクト/" and the kind word, "件数/" and the count), then
// one line "n/key//value" per value of record n; every line ends with CR LF.
namespace clipboardtext {

// The lines of one record, written or read: the key (for a slip line
// "明細/" + position + "/" + name) and its value.
class RecordLines {
public:
    // Collects the lines for lines().
    explicit RecordLines(qint32 number) : RecordLines(number, m_own) {}
    // Appends the lines to out: a copy of thousands of records is written
    // into one text without a copy per record.
    RecordLines(qint32 number, QString &out);
    RecordLines(const RecordLines &) = delete;
    RecordLines &operator=(const RecordLines &) = delete;

    // The keys that follow are those of the line item at the position
    // ("明細/" + position + "/" before each); 0 for the record's own keys.
    void item(qint32 position);

    void text(const QString &key, const QString &value);     // line breaks dropped
    void memo(const QString &key, const QString &value);     // CR LF as "<CRLF>"
    void whole(const QString &key, qint64 value);
    void number(const QString &key, double value);           // up to 15 significant digits
    void flag(const QString &key, bool value);               // "True" / "False"
    void date(const QString &key, const QDateTime &value);   // "yyyy/mm/dd"
    void stageDate(const QString &key, const QDateTime &value); // empty for no date
    void time(const QString &key, const QDateTime &value);   // empty for no time

    const QString &lines() const { return *m_out; }

private:
    void line(const QString &key, QStringView value);

    QString m_own;
    QString *m_out;
    QString m_number;     // "n/"
    QString m_itemPrefix; // "明細/j/", empty outside a line item
};

// The key table of one read record. A key the text does not hold reads as
// the empty value (empty text, 0, False, the zero date); a value that is
// there but does not convert marks the table as failed, and the whole text
// is then refused.
class RecordTable {
public:
    void insert(const QString &key, const QString &value) { m_values.insert(key, value); }
    bool contains(const QString &key) const { return m_values.contains(key); }
    bool isEmpty() const { return m_values.isEmpty(); }

    QString text(const QString &key) const;
    QString memo(const QString &key) const; // "<CRLF>" back to CR LF
    qint32 int32(const QString &key);
    qint16 int16(const QString &key);
    double number(const QString &key);
    bool flag(const QString &key);
    QDateTime date(const QString &key);

    // False once a value has not converted.
    bool converted() const { return m_converted; }

private:
    std::optional<qint64> whole(const QString &key, qint64 min, qint64 max);

    QHash<QString, QString> m_values;
    bool m_converted = true;
};

// The three header lines for count records of the kind ("伝票", "顧客", "商品").
QString header(const QString &kind, qint32 count);

// The record tables 1 to N of a text of the kind, or nullopt when the text
// is refused: a header that is not exactly ours (lines ended by LF alone
// included), a negative count, a record line whose number is no number or
// that holds no "//", a record of 1 to N without lines, or a key that occurs
// twice in one record. Record
// numbers above N are ignored. The text is taken in its CP932 form without
// NUL characters, as typed text is.
std::optional<QList<RecordTable>> read(const QString &text, const QString &kind);

// "クリップボードに伝票のコピーがないか、または、フォーマットが不正です。"
QString refusalMessage(const QString &kind);

} // namespace clipboardtext
