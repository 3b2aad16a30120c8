#pragma once

namespace db {
class Connection;
}

// Brings a database made by an earlier schema to the current one, in one
// transaction: the day indexes of the slip table were once built on the
// program's own Mid(), which no other SQLite tool knows, so that the stock
// shell could neither check, change, vacuum nor restore the file. They are
// rebuilt on SQLite's substr(). A current database is left untouched.
// Throws db::DbError; nothing is changed then.
void UpgradeSchema(db::Connection &connection);
