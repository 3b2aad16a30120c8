#pragma once

#include "model/DenpyoDisplay.h"
#include "model/RowList.h"

#include <QString>

// Slip rows matching a condition, positions 1 to Count. The three texts of
// Load and CountCheck are SQL fragments built by the caller (a filter
// compiler, the main window) and go into the statement as given:
// strSQLWHERE a condition on 伝票テーブル or "", strSQLMEISAIWHERE a
// condition on 明細テーブル or "" (a slip is listed once when any of its
// lines meets it), strSQLORDER the ORDER BY list (never empty).
class denpyos : public RowList<DenpyoDisplay> {
public:
    // Appends one row per matching slip. Throws db::DbError; rows appended
    // before an error stay.
    void Load(const QString &strSQLWHERE, const QString &strSQLMEISAIWHERE, const QString &strSQLORDER);
    // The number of slips Load would append with the same texts.
    qint32 CountCheck(const QString &strSQLWHERE, const QString &strSQLMEISAIWHERE,
                      const QString &strSQLORDER) const;

    // The statements Load and CountCheck run.
    static QString listStatement(const QString &strSQLWHERE, const QString &strSQLMEISAIWHERE,
                                 const QString &strSQLORDER);
    static QString countStatement(const QString &strSQLWHERE, const QString &strSQLMEISAIWHERE,
                                  const QString &strSQLORDER);
};
