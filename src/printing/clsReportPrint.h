#pragma once

#include <QString>
#include <QVariant>

class QWidget;

// Collects the values of one report and runs a print form with them.
// Creating a collector empties the report data (ReportGlobal): there is one
// report at a time.
//
// Order of use: SetPageData for each page item; for each detail row
// AddDetailData and then SetDetailData for the row's items; ReportPrintView.
class clsReportPrint {
public:
    clsReportPrint();

    void SetPageData(const QString &inName, const QVariant &inValue);
    void AddDetailData();
    void SetDetailData(const QString &inName, const QVariant &inValue);

    int GetErrorMessageCount() const;
    QString GetErrorMessage(int iIndex) const; // from 1

    // Runs the print form and prints it through the print dialog, without
    // a preview.
    bool ReportPrint(const QString &rpxFilePath, QWidget *parent = nullptr);
    // Runs the print form in the modal preview, writes the rendered pages as
    // page files savePath_0, savePath_1, ... when savePath is not empty
    // (after deleting every file whose path begins with savePath), then shows
    // the collected problems. False when the layout could not be loaded or
    // the page files could not be written; the user has been told.
    bool ReportPrintView(const QString &rpxFilePath, const QString &savePath, QWidget *parent = nullptr);

private:
    void ShowErrorMessages(QWidget *parent) const;
};
