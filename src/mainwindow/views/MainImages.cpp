#include "mainwindow/views/MainImages.h"

#include <QApplication>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QStandardPaths>
#include <QStyle>

namespace {

struct Picture {
    const char *themeName;
    QStyle::StandardPixmap fallback;
};

// 1 open folder, 2 closed folder, 3 person, 4 table, 5 table with a star,
// 6 stacked boxes, 7 pencil, 8 arrow right, 9 magnifier, 10 printer,
// 11 two sheets, 12 globe with magnifier, 13 sheet with magnifier,
// 14 sheet with a hand, 15 lined sheet, 16 grey sheet, 17 folder with
// magnifier, 18 light-blue table, 19 table with a tick, 20 card, 21 yen with
// a flag, 22 table with a star, 23 person with a star, 24 boxes with a star,
// 25 framed sheet with magnifier, 26 two tables, 27 grey printer, 28 framed
// sheet, 29 card with a tick, 30 card with a star, 31 yen with a star,
// 32 folder with magnifier, 33 blue table, 34 blue table with a tick.
const Picture kList[34] = {
    {"folder-open", QStyle::SP_DirOpenIcon},
    {"folder", QStyle::SP_DirClosedIcon},
    {"avatar-default", QStyle::SP_DirHomeIcon},
    {"x-office-spreadsheet", QStyle::SP_FileDialogDetailedView},
    {"x-office-spreadsheet-template", QStyle::SP_FileDialogDetailedView},
    {"package-x-generic", QStyle::SP_DriveHDIcon},
    {"accessories-text-editor", QStyle::SP_FileDialogInfoView},
    {"go-next", QStyle::SP_ArrowRight},
    {"system-search", QStyle::SP_FileDialogContentsView},
    {"printer", QStyle::SP_ComputerIcon},
    {"edit-copy", QStyle::SP_FileLinkIcon},
    {"folder-remote", QStyle::SP_DriveNetIcon},
    {"text-x-preview", QStyle::SP_FileDialogContentsView},
    {"x-office-document-template", QStyle::SP_FileIcon},
    {"x-office-document", QStyle::SP_FileIcon},
    {"text-x-generic", QStyle::SP_FileIcon},
    {"folder-saved-search", QStyle::SP_DirLinkIcon},
    {"x-office-spreadsheet", QStyle::SP_FileDialogDetailedView},
    {"application-certificate", QStyle::SP_DialogApplyButton},
    {"x-office-address-book", QStyle::SP_FileDialogInfoView},
    {"x-office-calendar", QStyle::SP_FileDialogListView},
    {"x-office-spreadsheet-template", QStyle::SP_FileDialogDetailedView},
    {"contact-new", QStyle::SP_DirHomeIcon},
    {"application-x-addon", QStyle::SP_DriveHDIcon},
    {"text-x-preview", QStyle::SP_FileDialogContentsView},
    {"x-office-presentation-template", QStyle::SP_FileDialogDetailedView},
    {"printer-network", QStyle::SP_ComputerIcon},
    {"text-x-generic-template", QStyle::SP_FileIcon},
    {"x-office-address-book", QStyle::SP_DialogApplyButton},
    {"x-office-address-book", QStyle::SP_FileDialogInfoView},
    {"x-office-calendar", QStyle::SP_FileDialogListView},
    {"folder-saved-search", QStyle::SP_DirLinkIcon},
    {"x-office-presentation", QStyle::SP_FileDialogDetailedView},
    {"x-office-drawing", QStyle::SP_DialogApplyButton},
};

// 1 folder up, 2 save sheet, 3 printer, 4 two sheets, 5 red cross,
// 6 magnifier, 7 black cross, 8 circling arrows, 9 select all, 10 question
// mark, 11 lined sheet, 12 arrow right, 13 calendar, 14 arrow right,
// 15 arrow left, 16 sheet with a list, 17 blank sheet, 18 settings sheet,
// 19 clipboard.
const Picture kBar[19] = {
    {"go-up", QStyle::SP_FileDialogToParent},
    {"document-save-as", QStyle::SP_DialogSaveButton},
    {"printer", QStyle::SP_ComputerIcon},
    {"edit-copy", QStyle::SP_FileLinkIcon},
    {"edit-delete", QStyle::SP_TrashIcon},
    {"edit-find", QStyle::SP_FileDialogContentsView},
    {"window-close", QStyle::SP_DialogCloseButton},
    {"view-refresh", QStyle::SP_BrowserReload},
    {"edit-select-all", QStyle::SP_DialogYesToAllButton},
    {"help-browser", QStyle::SP_DialogHelpButton},
    {"text-x-generic", QStyle::SP_FileIcon},
    {"go-next", QStyle::SP_ArrowForward},
    {"x-office-calendar", QStyle::SP_FileDialogListView},
    {"go-next", QStyle::SP_ArrowRight},
    {"go-previous", QStyle::SP_ArrowLeft},
    {"document-print", QStyle::SP_FileDialogListView},
    {"document-new", QStyle::SP_FileIcon},
    {"preferences-system", QStyle::SP_FileDialogInfoView},
    {"edit-paste", QStyle::SP_DialogOpenButton},
};

void ensureTheme()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    // Without a desktop session Qt knows only its own resources; the
    // installed themes live in the data folders.
    QStringList paths = QIcon::themeSearchPaths();
    for (const QString &data : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        const QString icons = data + QStringLiteral("/icons");
        if (!paths.contains(icons) && QFileInfo::exists(icons))
            paths << icons;
    }
    QIcon::setThemeSearchPaths(paths);
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == QLatin1String("hicolor"))
        QIcon::setThemeName(QStringLiteral("Adwaita"));
}

// Whether a toolbar picture is a light grey mask: the theme's symbolic
// icons come that way in some sizes, as pale as a disabled button.
bool isPaleMask(const QIcon &icon)
{
    // Sampled at one device pixel per pixel: at a larger screen scale Qt
    // would hand over another size's picture, and the answer would change.
    const QImage image = icon.pixmap(QSize(16, 16), 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
    qint64 opaque = 0, lightness = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor colour = QColor::fromRgba(image.pixel(x, y));
            if (colour.alpha() < 128)
                continue;
            if (colour.hslSaturation() > 40)
                return false;
            ++opaque;
            lightness += colour.lightness();
        }
    return opaque > 0 && lightness / opaque > 110;
}

// A mask drawn in the window's text colour; the disabled look is left to Qt.
QIcon tinted(const QIcon &mask)
{
    const QColor colour = qApp ? qApp->palette().color(QPalette::Active, QPalette::WindowText) : QColor(Qt::black);
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48}) {
        QImage image =
            mask.pixmap(QSize(size, size), 1.0).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        if (image.isNull())
            continue;
        QPainter painter(&image);
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(image.rect(), colour);
        painter.end();
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon.isNull() ? mask : icon;
}

// The symbolic form of a theme picture read from the theme's folders: the
// theme lookup prefers the full-colour form when there is one.
QIcon symbolicFromFiles(const QString &name)
{
    QIcon icon;
    for (const QString &root : QIcon::themeSearchPaths()) {
        const QString theme = root + QLatin1Char('/') + QIcon::themeName() + QLatin1Char('/');
        for (int size : {16, 24, 32, 48}) {
            const QString file = theme + QStringLiteral("%1x%1/actions/").arg(size) + name
                                 + QStringLiteral("-symbolic.symbolic.png");
            if (QFileInfo::exists(file))
                icon.addFile(file, QSize(size, size));
        }
        if (!icon.isNull())
            break;
    }
    return icon;
}

QIcon lookup(const Picture &picture)
{
    ensureTheme();
    const QString name = QString::fromLatin1(picture.themeName);
    // Actions of the theme exist in their symbolic form only.
    QIcon icon = QIcon::fromTheme(name);
    if (icon.isNull())
        icon = QIcon::fromTheme(name + QStringLiteral("-symbolic"));
    if (icon.isNull() && qApp)
        icon = qApp->style()->standardIcon(picture.fallback);
    return icon;
}

QIcon cached(QHash<int, QIcon> &cache, const Picture *table, int size, int index)
{
    if (index < 1 || index > size)
        return QIcon();
    auto it = cache.find(index);
    if (it == cache.end())
        it = cache.insert(index, lookup(table[index - 1]));
    return it.value();
}

} // namespace

namespace MainImages {

QIcon listImage(int index)
{
    static QHash<int, QIcon> cache;
    return cached(cache, kList, 34, index);
}

QIcon barImage(int index)
{
    static QHash<int, QIcon> cache;
    if (!cache.contains(index)) {
        const QIcon icon = cached(cache, kBar, 19, index);
        // New, Copy and Select all come in full colour as pale sheets that
        // look disabled; their symbolic forms are drawn instead.
        const bool paleSheet = index == 4 || index == 9 || index == 17;
        const QIcon symbolic = paleSheet ? symbolicFromFiles(QString::fromLatin1(kBar[index - 1].themeName)) : QIcon();
        if (!symbolic.isNull())
            cache.insert(index, tinted(symbolic));
        else if (isPaleMask(icon))
            cache.insert(index, tinted(icon));
    }
    return cache.value(index);
}

} // namespace MainImages
