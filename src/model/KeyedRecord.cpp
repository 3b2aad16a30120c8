#include "model/KeyedRecord.h"

#include "core/Globals.h"

#include <sqlite3.h>

KeyedRecord::Table::Table(const QString &name, const QStringList &columns, QString noKey,
                          QString alreadyExists, QString missing)
    : noKey(std::move(noKey)), alreadyExists(std::move(alreadyExists)), missing(std::move(missing))
{
    const QString keyCondition = QStringLiteral(" WHERE (%1 = ?)").arg(columns.first());
    const QString list = columns.join(QStringLiteral(", "));
    QStringList marks;
    QStringList sets;
    for (const QString &column : columns) {
        marks << QStringLiteral("?");
        sets << column + QStringLiteral(" = ?");
    }
    selectSql = QStringLiteral("SELECT %1 FROM %2").arg(list, name) + keyCondition;
    existsSql = QStringLiteral("SELECT 1 FROM %1").arg(name) + keyCondition;
    insertSql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(name, list, marks.join(QStringLiteral(", ")));
    updateSql = QStringLiteral("UPDATE %1 SET %2").arg(name, sets.join(QStringLiteral(", "))) + keyCondition;
    deleteSql = QStringLiteral("DELETE FROM %1").arg(name) + keyCondition;
}

std::optional<db::Statement> KeyedRecord::fetch(const QString &key) const
{
    db::Statement st = connection().prepare(m_table->selectSql);
    st.bindText(1, key);
    if (!st.step())
        return std::nullopt;
    return st;
}

bool KeyedRecord::apply(const QString &key, const std::function<void(db::Statement &)> &bind)
{
    if (key.isEmpty()) {
        m_errorMessage = m_table->noKey;
        return false;
    }
    db::Connection &c = connection();
    db::Statement exists = c.prepare(m_table->existsSql);
    exists.bindText(1, key);
    const bool found = exists.step();
    if (found && m_isNew) {
        m_errorMessage = m_table->alreadyExists;
        return false;
    }
    if (!found && !m_isNew) {
        m_errorMessage = m_table->missing;
        return false;
    }
    db::Statement st = c.prepare(found ? m_table->updateSql : m_table->insertSql);
    bind(st);
    if (found)
        st.bindText(st.parameterCount(), key);
    st.exec();
    m_isNew = false;
    return true;
}

bool KeyedRecord::remove(const QString &key)
{
    if (key.isEmpty()) {
        m_errorMessage = m_table->noKey;
        return false;
    }
    db::Connection &c = connection();
    c.prepare(m_table->deleteSql).bindText(1, key).exec();
    if (c.changes() == 0)
        throw db::DbError(SQLITE_NOTFOUND, m_table->missing);
    m_isNew = false;
    return true;
}
