#pragma once

#include <QDateTime>
#include <QString>

class Denpyo;
class Meisai;
class QWidget;
class clsReportPrint;
enum class ReportPart;

// Prints one slip as it is given (nothing of it is read from the database)
// through the slip print form formFolder + formName + ".rpx", in the modal
// preview. Page items: the slip, its memo lines, the line totals and the
// own company; one detail row per line with its taxes at the rate of the
// settings. False when the print form could not be loaded (the user has
// been told). Throws db::DbError.
bool PrintDenpyo(const Denpyo &denpyo, const QString &formFolder, const QString &formName,
                 const QDateTime &printDate, QWidget *parent = nullptr);

// Items the slip and slip-list prints share.
// "顧客ID" to "顧客FAX": the customer as the slip holds it.
void SetDenpyoCustomerItems(clsReportPrint &report, ReportPart part, const Denpyo &denpyo);
// "見積日" to "入金日": a stage's date only when the stage is set.
void SetDenpyoStageDates(clsReportPrint &report, ReportPart part, const Denpyo &denpyo);
// "商品ID" to "備考" of one line, as detail items.
void SetMeisaiItems(clsReportPrint &report, const Meisai &meisai);
