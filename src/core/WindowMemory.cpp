#include "core/WindowMemory.h"
#include "core/Settings.h"
#include "platform/ui/ScreenFit.h"
#include "platform/ui/Twips.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {

const QString kPositionSection = QStringLiteral("Window Positions");
const QString kGridSection = QStringLiteral("GridColumn Width");
const QString kListViewSection = QStringLiteral("ListViewHeaderColumn Width");
constexpr int kPositionLength = 21;
constexpr int kSlotCount = 20;
constexpr int kSlotWidth = 5;
constexpr int kWidthsLength = kSlotCount * kSlotWidth;
constexpr int kMissingSlotWidth = 300;
constexpr int kMaxColumnWidth = 32767;

QString sizeFile()
{
    return settingsFileName(QStringLiteral("Size"));
}

QString windowName(const QWidget *window)
{
    const QString name = window->objectName();
    return name.isEmpty() ? QString::fromLatin1(window->metaObject()->className()) : name;
}

// The value of a text's leading number: blanks skipped, an optional sign,
// digits. Nothing of the kind reads as 0; *found tells the two apart.
qint64 leadingNumber(const QString &text, bool *found = nullptr)
{
    qsizetype i = 0;
    while (i < text.size() && (text.at(i) == QLatin1Char(' ') || text.at(i) == QLatin1Char('\t')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    qint64 value = 0;
    bool digits = false;
    for (; i < text.size() && text.at(i) >= QLatin1Char('0') && text.at(i) <= QLatin1Char('9'); ++i) {
        digits = true;
        if (value < 100000000000LL)
            value = value * 10 + (text.at(i).unicode() - '0');
    }
    if (found)
        *found = digits;
    return negative ? -value : value;
}

// Five characters; a negative value is "-" and four digits, so that a
// window left of or above the screen comes back where it was.
QString field(qint64 value)
{
    value = std::clamp<qint64>(value, -9999, 99999);
    if (value < 0)
        return QLatin1Char('-') + QString::number(-value).rightJustified(4, QLatin1Char('0'));
    return QString::number(value).rightJustified(kSlotWidth, QLatin1Char('0'));
}

int stateDigit(const QWidget *window)
{
    const Qt::WindowStates s = window->windowState();
    if (s & Qt::WindowMinimized)
        return 1;
    if (s & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return 2;
    return 0;
}

QScreen *primaryScreen()
{
    return QGuiApplication::primaryScreen();
}

void loadColumnWidths(const QString &section, QWidget *window, QHeaderView *header)
{
    if (!window || !header)
        return;
    const QString record = fnReadSetting(sizeFile(), section, windowName(window));
    if (record.isEmpty())
        return;
    const QVector<int> widths = decodeColumnWidths(record, header->count());
    for (int c = 0; c < widths.size(); ++c) {
        if (widths.at(c) >= 0)
            header->resizeSection(c, ui::twipsToPixelsX(widths.at(c), window));
    }
}

void saveColumnWidths(const QString &section, QWidget *window, QHeaderView *header)
{
    if (!window || !header)
        return;
    const QString name = windowName(window);
    QVector<int> widths;
    const int count = std::min(header->count(), kSlotCount);
    for (int c = 0; c < count; ++c)
        widths.append(ui::pixelsToTwipsX(header->sectionSize(c), window));
    fnWriteSetting(sizeFile(), section, name,
                   encodeColumnWidths(fnReadSetting(sizeFile(), section, name), widths));
}

} // namespace

WindowPositionRecord WindowPositionRecord::decode(const QString &record)
{
    WindowPositionRecord r;
    r.left = int(leadingNumber(record.mid(0, 5)));
    r.top = int(leadingNumber(record.mid(5, 5)));
    r.width = int(leadingNumber(record.mid(10, 5)));
    r.height = int(leadingNumber(record.mid(15, 5)));
    r.state = int(leadingNumber(record.mid(20, 1)));
    return r;
}

QString WindowPositionRecord::encode() const
{
    const int digit = (state >= 0 && state <= 9) ? state : 0;
    return field(left) + field(top) + field(width) + field(height) + QString::number(digit);
}

QString encodeColumnWidths(const QString &oldRecord, const QVector<int> &widths)
{
    QString record = oldRecord.size() == kWidthsLength ? oldRecord : QString(kWidthsLength, QLatin1Char(' '));
    const int count = std::min<int>(int(widths.size()), kSlotCount);
    for (int c = 0; c < count; ++c) {
        const int w = std::clamp(widths.at(c), 0, kMaxColumnWidth);
        record.replace(c * kSlotWidth, kSlotWidth, QString::number(w).rightJustified(kSlotWidth, QLatin1Char('0')));
    }
    return record;
}

QVector<int> decodeColumnWidths(const QString &record, int count)
{
    QVector<int> widths;
    for (int c = 0; c < count; ++c) {
        if (c >= kSlotCount) {
            widths.append(-1);
            continue;
        }
        const QString slot = record.mid(c * kSlotWidth, kSlotWidth).trimmed();
        if (slot.isEmpty()) {
            widths.append(kMissingSlotWidth);
            continue;
        }
        // A hand-edited slot that is no width leaves the designed width.
        bool found = false;
        const qint64 value = leadingNumber(slot, &found);
        widths.append(found && value >= 0 && value <= kMaxColumnWidth ? int(value) : -1);
    }
    return widths;
}

void LoadWindowPosition(QWidget *window)
{
    if (!window)
        return;
    const QString record = fnReadSetting(sizeFile(), kPositionSection, windowName(window));
    if (record.isEmpty()) {
        CenterForm(window);
        return;
    }
    const WindowPositionRecord r = WindowPositionRecord::decode(record);
    const int width = std::max(r.width, 1440);
    const int height = std::max(r.height, 500);
    // The inner rectangle, as SaveWindowPosition stores it: a window placed
    // before it is first shown has no frame size yet, and a frame position
    // would move it by its title bar on every opening.
    // Saved on a larger screen or at a larger scale, the place may lie
    // partly off this one: it is kept only as far as it fits.
    auto place = [&] {
        ui::placeOnScreen(window, QRect(ui::twipsToPixelsX(r.left, window), ui::twipsToPixelsY(r.top, window),
                                        ui::twipsToPixelsX(width, window), ui::twipsToPixelsY(height, window)));
    };
    if (r.state == 1 || r.state == 2) {
        // Placed first, so that restoring the window later returns it here.
        place();
        window->setWindowState(r.state == 1 ? Qt::WindowMinimized : Qt::WindowMaximized);
    } else {
        window->setWindowState(Qt::WindowNoState);
        place();
    }
}

void SaveWindowPosition(QWidget *window)
{
    if (!window)
        return;
    const QString name = windowName(window);
    QString record = fnReadSetting(sizeFile(), kPositionSection, name);
    if (record.size() != kPositionLength)
        record = QString(kPositionLength, QLatin1Char(' '));
    const int state = stateDigit(window);
    if (!record.trimmed().isEmpty() && state != 0) {
        record[kPositionLength - 1] = QChar(u'0' + state);
    } else {
        WindowPositionRecord r;
        r.left = ui::pixelsToTwipsX(window->geometry().x(), window);
        r.top = ui::pixelsToTwipsY(window->geometry().y(), window);
        r.width = ui::pixelsToTwipsX(window->width(), window);
        r.height = ui::pixelsToTwipsY(window->height(), window);
        r.state = state;
        record = r.encode();
    }
    fnWriteSetting(sizeFile(), kPositionSection, name, record);
}

void CenterForm(QWidget *window)
{
    if (!window)
        return;
    QScreen *screen = window->screen() ? window->screen() : primaryScreen();
    if (!screen)
        return;
    ui::fitFirstSize(window);
    // The frame centred on the area without panels (move() places the
    // frame), its title bar never above the area's top.
    const QRect area = screen->availableGeometry();
    const QSize outer = window->size().grownBy(ui::frameMargins(window));
    window->move(area.x() + std::max(0, (area.width() - outer.width()) / 2),
                 area.y() + std::max(0, (area.height() - outer.height()) / 2));
}

void LoadGridColumnWidth(QWidget *window, QHeaderView *header)
{
    loadColumnWidths(kGridSection, window, header);
}

void SaveGridColumnWidth(QWidget *window, QHeaderView *header)
{
    saveColumnWidths(kGridSection, window, header);
}

void LoadListViewColumnWidth(QWidget *window, QHeaderView *header)
{
    loadColumnWidths(kListViewSection, window, header);
}

void SaveListViewColumnWidth(QWidget *window, QHeaderView *header)
{
    saveColumnWidths(kListViewSection, window, header);
}
