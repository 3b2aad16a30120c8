#pragma once

#include "model/Customer.h"
#include "model/Denpyo.h"
#include "model/Shohin.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

// Slips, customers and products as records of the clipboard text: the
// lines of one record, the whole text of a copy, and the records a paste
// makes of a text. Nothing here touches the clipboard or stores a record.
namespace clipboardtext {

// Record number's lines, each ended by CR LF, without the header.
QString DenpyoToClipText(qint32 number, const Denpyo &slip);
// The same lines appended to text.
void AppendDenpyoClipText(QString &text, qint32 number, const Denpyo &slip);
QString CustomerToClipText(qint32 number, const Customer &customer);
QString ShohinToClipText(qint32 number, const Shohin &shohin);

// The whole text of a copy: the records of the keys in their order, each
// loaded afresh; a key whose record has gone is left out of the text and
// of its count. Throws db::DbError.
QString DenpyosText(const QList<qint32> &denpyoIDs);
QString CustomersText(const QStringList &customerIDs);
QString ShohinsText(const QStringList &shohinIDs);

// The records of a pasted text, new and without a key (a slip also without
// a number, stages, times), or nullopt when the text is refused: by the
// reading rules, or because a value does not convert or a slip lacks one of
// the line items it counts.
std::optional<std::vector<std::unique_ptr<Denpyo>>> DenpyosFromText(const QString &text);
std::optional<QList<Customer>> CustomersFromText(const QString &text);
std::optional<QList<Shohin>> ShohinsFromText(const QString &text);

} // namespace clipboardtext
