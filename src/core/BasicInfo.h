#pragma once

#include <QString>

// One key/value row of 基本情報テーブル: the business settings kept in the
// database (schema version, slip-number counter, tax settings, own company).
class BasicInfo {
public:
    BasicInfo();

    void Initialize();
    const QString &ErrorMessage() const { return m_errorMessage; }

    const QString &BasicInfoID() const { return m_id; }
    void setBasicInfoID(const QString &value);        // trailing blanks removed
    const QString &StringValue() const { return m_string; }
    void setStringValue(const QString &value);        // trailing blanks removed
    qint32 LongValue() const;
    void setLongValue(qint32 value);

    // Clears the object and reads the row; false when the key has no row.
    bool Load(const QString &basicInfoID);
    // Inserts or updates the row; false with ErrorMessage when the key is empty.
    bool Apply();

private:
    bool Save();
    bool Fetch(const QString &basicInfoID);

    QString m_id;
    QString m_string;
    QString m_long = QStringLiteral("0");
    QString m_errorMessage;
};
