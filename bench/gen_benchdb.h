#pragma once

#include <QString>

namespace benchdb {

constexpr int kSlips = 100000;
constexpr int kLines = 1000000;

// The path of a database of that many slips with ten lines each on average
// (plus customers and products), built on the first call for the current
// schema and reused by later runs. Benchmarks only read it: one that writes
// works on benchsupport::scratchCopy.
QString database(int slips);
// database(kSlips).
QString largeDatabase();

} // namespace benchdb
