#pragma once

#include <QString>
#include <QStringList>

class frmMainForm;

// The names a deletion question lists: the first six, one a line, then one
// line "    :" when there are more.
QString DeletionNameList(const QStringList &names);
// "次の", the count, the question after it, a blank line and the names.
QString DeletionQuestion(const QString &question, const QStringList &names);

// Deletes the slips, customers or products selected in the main list after
// one question (No is the default). True when the user agreed to delete at
// least one selected row; a record that could not be deleted is reported
// after the others are done, one that has gone already is passed over. The
// records go in one transaction; a failure of the transaction itself (a full
// disk) deletes none of them and is shown.
bool DeleteDenpyos(frmMainForm &form);
bool DeleteCustomers(frmMainForm &form);
bool DeleteShohins(frmMainForm &form);

// The delete command in a slip, customer or product list: the kind's
// deletion, then the list again, and after customers the tree and the date
// bar's customer choice. False when the place is no such list.
bool DeleteRecordsCommand(frmMainForm &form);
