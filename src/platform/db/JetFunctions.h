#pragma once

struct sqlite3;

namespace db {

// Registers the Jet SQL functions that the program's condition texts use.
void registerJetFunctions(sqlite3 *db);

} // namespace db
