#pragma once

#include "model/DenpyoDisplay.h"
#include "model/RowList.h"

#include <QString>
#include <functional>

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

    // Load with a count check in front: `proceed` gets the number of slips
    // Load would append, before any is appended, and they are appended only
    // when it returns true; returns what it returned. A line condition's join
    // runs once for both: its rows are read, counted and kept for proceed's
    // answer. Throws db::DbError, then appending nothing.
    bool LoadAfterCount(const QString &strSQLWHERE, const QString &strSQLMEISAIWHERE, const QString &strSQLORDER,
                        const std::function<bool(qint32 count)> &proceed);

    // The statements Load and CountCheck run.
    static QString listStatement(const QString &strSQLWHERE, const QString &strSQLMEISAIWHERE,
                                 const QString &strSQLORDER);
    static QString countStatement(const QString &strSQLWHERE, const QString &strSQLMEISAIWHERE,
                                  const QString &strSQLORDER);
};
