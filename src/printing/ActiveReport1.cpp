#include "printing/ActiveReport1.h"

#include "core/Routines.h"
#include "core/WindowMemory.h"
#include "platform/report/FormatPattern.h"
#include "platform/report/PageFile.h"
#include "platform/report/PreviewDialog.h"
#include "platform/report/PreviewWidget.h"
#include "printing/ReportCurrency.h"
#include "printing/ReportGlobal.h"

#include <QDateTime>
#include <QFileInfo>
#include <cmath>

namespace {

const QString kCrLf = QStringLiteral("\r\n");

double dateSerial(const QDateTime &d)
{
    const qint64 days = QDate(1899, 12, 30).daysTo(d.date());
    return double(days) + d.time().msecsSinceStartOfDay() / 86400000.0;
}

// Where the first CR LF of a short text starts, or -1.
qsizetype lineEnd(QStringView text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i)
        if (text[i] == u'\r' && text[i + 1] == u'\n')
            return i;
    return -1;
}

bool hasDateParts(QStringView pattern)
{
    for (const QChar c : pattern) {
        switch (c.toLower().unicode()) {
        case 'y': case 'm': case 'd': case 'h': case 'n': case 's': case 'q': case 'a': return true;
        default: break;
        }
    }
    return false;
}

// The substring rule of a text field: "start" or "start,length".
QString substringRule(const QString &value, QStringView ruleText)
{
    if (ruleText.trimmed().isEmpty())
        return value;
    const QString rule = ruleText.toString();
    const int comma = rule.indexOf(QLatin1Char(','));
    const QString startText = comma < 0 ? rule : rule.left(comma);
    const QString lengthText = comma < 0 ? QString() : rule.mid(comma + 1).section(QLatin1Char(','), 0, 0);
    double start = 0, length = 0;
    if (!fnParseNumeric(startText, start))
        return value;
    // A start before the first character counts from the first character.
    const qint64 from = qMax<qint64>(1, qint64(std::nearbyint(qBound(-1e9, start, 1e9))));
    if (from > value.size())
        return QString();
    if (!fnParseNumeric(lengthText, length))
        return value.mid(int(from - 1));
    const qint64 count = qint64(std::nearbyint(qBound(-1e9, length, 1e9)));
    if (count <= 0)
        return QString();
    return value.mid(int(from - 1), int(qMin<qint64>(count, value.size())));
}

} // namespace

ActiveReport1::ActiveReport1() = default;

QString ActiveReport1::fnUserFormat(const QVariant &value, const QString &tag)
{
    // Every field of every row passes here: the tag's lines are looked at
    // in place, and a value is read in its own type.
    const QStringView lines(tag);
    const qsizetype cut = lineEnd(lines);
    const QStringView rule = cut < 0 ? lines : lines.left(cut);
    QStringView format = cut < 0 ? QStringView() : lines.mid(cut + 2);
    const qsizetype cut2 = lineEnd(format);
    if (cut2 >= 0)
        format.truncate(cut2);

    const int type = value.typeId();
    if (!value.isValid() || value.isNull())
        return QString();
    if (type == QMetaType::QString)
        return substringRule(value.toString(), rule);
    if (type == QMetaType::Bool)
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");

    const bool isDate = type == QMetaType::QDateTime || type == QMetaType::QDate;
    QDateTime date;
    double number = 0;
    if (isDate) {
        date = type == QMetaType::QDate ? QDateTime(value.toDate(), QTime(0, 0)) : value.toDateTime();
        number = dateSerial(date);
    } else if (type == QMetaType::Int) {
        number = *static_cast<const int *>(value.constData());
    } else if (type == qMetaTypeId<ReportCurrency>()) {
        number = static_cast<const ReportCurrency *>(value.constData())->toDouble();
    } else {
        number = value.toDouble();
    }

    if (format.contains(QLatin1String(".#")))
        return fnFormatNumber(format.toString(), number);
    if (isDate) {
        if (!format.isEmpty() && !hasDateParts(format))
            return report::formatNumber(number, format);
        return report::formatDate(date, format);
    }
    return report::formatNumber(number, format);
}

QVariant ActiveReport1::fnGetPageData(const QString &name)
{
    for (int i = 1; i < garrReportPageData.size(); ++i)
        if (garrReportPageData[i].name == name)
            return garrReportPageData[i].value;
    return QString();
}

QVariant ActiveReport1::fnGetDetailData(const QString &name, int row)
{
    CollectReportDetailRows(row);
    const int rows = ReportDetailRowsCollected();
    if (row < 1 || row > rows)
        return QString();
    // Read through a constant reference: a writable access would check for
    // sharing at every item.
    const QVector<ReportItem> &items = garrReportDetailData;
    const qsizetype begin = qMax(1, garrReportDetailIndex.at(row));
    const qsizetype end = qMin(row < rows ? qsizetype(garrReportDetailIndex.at(row + 1)) : items.size(), items.size());
    for (qsizetype i = begin; i < end; ++i)
        if (items[i].name == name)
            return items[i].value;
    return QString();
}

void ActiveReport1::dataInitialize()
{
    lngRowCursor = 0;
    flgFetched = false;
    m_fields.clear();
    m_detail = layout().section(QStringLiteral("Detail"));
    if (m_detail) {
        for (int i = 0; i < m_detail->controls.size(); ++i) {
            report::Control &c = m_detail->controls[i];
            if (!c.name.startsWith(QLatin1String("Field")))
                continue;
            c.dataField = fnTrimBlanks(c.text);
            c.tag = c.tag + kCrLf + c.outputFormat;
            m_fields.append({i, PrintFieldSpec::parse(c.dataField)});
        }
    }
    intRowsPerPage = 0;
    for (const Field &f : m_fields)
        if (f.spec.kind == PrintFieldSpec::Kind::Detail && f.spec.slot > intRowsPerPage)
            intRowsPerPage = f.spec.slot;
    const int rows = ReportDetailRowCount();
    if (intRowsPerPage > 0) {
        flgMultiRow = true;
        if (rows > 0)
            lngPageCount = (rows + intRowsPerPage - 1) / intRowsPerPage;
    } else {
        flgMultiRow = false;
        intRowsPerPage = 1;
        lngPageCount = 1;
    }
}

void ActiveReport1::setFieldText(const Field &field, const QString &text)
{
    m_detail->controls[field.control].text = text;
}

void ActiveReport1::fetchData(bool &eof)
{
    if (!flgMultiRow && flgFetched) {
        eof = true;
        return;
    }
    const int rows = ReportDetailRowCount();
    if (lngRowCursor >= rows) {
        eof = true;
        return;
    }
    eof = false;
    // A fetch fills one page: the page items have one value for all its
    // rows and are formatted once.
    const int page = lngRowCursor / intRowsPerPage + 1;
    // The page's rows are read together, before any of them is asked for.
    CollectReportDetailRows(lngRowCursor + intRowsPerPage);
    using Kind = PrintFieldSpec::Kind;
    for (const Field &f : m_fields) {
        const report::Control &c = m_detail->controls[f.control];
        QString text;
        switch (f.spec.kind) {
        case Kind::PageNumber:
            text = fnUserFormat(QVariant(page), c.tag);
            break;
        case Kind::PageCount:
            text = fnUserFormat(QVariant(lngPageCount), c.tag);
            break;
        case Kind::Page:
        case Kind::FirstPage:
        case Kind::LastPage:
            if (f.spec.kind == Kind::FirstPage && page != 1)
                break;
            if (f.spec.kind == Kind::LastPage && page != lngPageCount)
                break;
            text = f.spec.isLiteral() ? f.spec.literalText() : fnUserFormat(fnGetPageData(f.spec.item), c.tag);
            break;
        case Kind::Detail:
        case Kind::None:
            break;
        }
        setFieldText(f, text);
    }

    for (int slot = 1; slot <= intRowsPerPage; ++slot) {
        ++lngRowCursor;
        for (const Field &f : m_fields) {
            // A fractional prefix (1.5) counts towards the rows of a page
            // but equals no slot.
            if (f.spec.kind != Kind::Detail || f.spec.slot != slot || f.spec.number != slot)
                continue;
            const report::Control &c = m_detail->controls[f.control];
            setFieldText(f, f.spec.isLiteral() ? f.spec.literalText()
                                               : fnUserFormat(fnGetDetailData(f.spec.item, lngRowCursor), c.tag));
        }
        if (lngRowCursor >= rows)
            break;
    }
    flgFetched = true;
}

void ActiveReport1::ShowPreview(QWidget *parent)
{
    // The window opens on the first page; the rest render while it shows.
    start();
    runFor(QDeadlineTimer(0));
    report::PreviewDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("ActiveReport1"));
    LoadWindowPosition(&dialog);
    dialog.setPages(pages().mid(0, finishedPageCount()), [this](QVector<report::Page> &shown, QDeadlineTimer deadline) {
        const bool done = runFor(deadline);
        for (int i = int(shown.size()); i < finishedPageCount(); ++i)
            shown.append(pages()[i]);
        return done;
    });
    // Names the print job and the offered PDF file after the print form.
    dialog.viewer()->setTitle(QFileInfo(layoutPath()).completeBaseName());
    dialog.execPreview();
    SaveWindowPosition(&dialog);
}

void ActiveReport1::Terminate()
{
    if (SavePath.isEmpty())
        return;
    // The preview may have closed before the last page.
    while (!runFor(QDeadlineTimer(QDeadlineTimer::Forever))) {
    }
    report::writePageFiles(SavePath, pages());
}
