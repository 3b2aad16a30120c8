#pragma once

#include <QDateTime>
#include <QString>

class Denpyo;

// The five progress stages of a slip by index: 0 見積もり, 1 受注, 2 納品,
// 3 請求, 4 入金.
namespace denpyostages {

constexpr int kCount = 5;
QString label(int stage);
bool flag(const Denpyo &d, int stage);
QDateTime date(const Denpyo &d, int stage);
void set(Denpyo &d, int stage, bool on, const QDateTime &date);

} // namespace denpyostages
