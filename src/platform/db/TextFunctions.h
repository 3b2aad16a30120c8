#pragma once

struct sqlite3;

namespace db {

// Registers the text functions (Mid, Left, Right, Len) that the program's
// condition texts use.
void registerTextFunctions(sqlite3 *db);

} // namespace db
