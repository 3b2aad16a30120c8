#pragma once

#include "platform/report/Report.h"
#include "printing/PrintFieldSpec.h"

#include <QString>
#include <QVariant>
#include <QVector>

class QWidget;

// The report that runs a print form against the report data (ReportGlobal).
// Every fetched record is one page: a multi-row layout (fields numbered
// 1.._n) shows n detail rows a page; a single-record layout shows the page
// items once when there is at least one detail row. A report runs once.
class ActiveReport1 : public report::Report {
public:
    ActiveReport1();

    // One field's text: a text value through the substring rule (tag line
    // 1: "start" or "start,length"), any other value through the output
    // format (tag line 2).
    static QString fnUserFormat(const QVariant &value, const QString &tag);

    // The first page item of that name, or "" (text).
    static QVariant fnGetPageData(const QString &name);
    // The first item of that name in detail row `row`, or "" (text).
    static QVariant fnGetDetailData(const QString &name, int row);

    // Runs the report and shows it in the modal preview window, whose place
    // is remembered as "ActiveReport1".
    void ShowPreview(QWidget *parent = nullptr);
    // After the preview: renders the pages the preview had not come to and
    // writes them all as page files when SavePath is not empty. Throws report::PageFileError or
    // text::TextFileError.
    void Terminate();

    QString SavePath;

    int pageCount() const { return lngPageCount; }
    int rowsPerPage() const { return intRowsPerPage; }
    bool isMultiRow() const { return flgMultiRow; }

protected:
    void dataInitialize() override;
    void fetchData(bool &eof) override;

private:
    struct Field {
        int control; // index in the Detail section
        PrintFieldSpec spec;
    };
    void setFieldText(const Field &field, const QString &text);

    int lngRowCursor = 0;
    int intRowsPerPage = 0;
    int lngPageCount = 0;
    bool flgMultiRow = false;
    bool flgFetched = false;
    QVector<Field> m_fields;
    report::Section *m_detail = nullptr;
};
