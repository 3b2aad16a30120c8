#pragma once

#include <QString>
#include <stdexcept>

namespace db {

// A failure of the database engine: the engine's (extended) result code and
// its description. Every database error of the program travels as one.
class DbError : public std::runtime_error {
public:
    DbError(int number, const QString &description);

    int number() const { return m_number; }
    const QString &description() const { return m_description; }

private:
    int m_number;
    QString m_description;
};

} // namespace db
