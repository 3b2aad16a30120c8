#pragma once

#include <QString>

namespace benchdb {

constexpr int kSlips = 100000;
constexpr int kLines = 1000000;

// The path of a database of kSlips slips and kLines lines (plus customers
// and products), built on the first call and reused by later runs.
QString largeDatabase();

} // namespace benchdb
