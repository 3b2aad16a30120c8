#pragma once

#include <QString>
#include <QVector>

class QWidget;
class QHeaderView;

// Window positions and column widths remembered in the "Size" settings file,
// keyed by the window's name (its objectName, e.g. "frmMainForm").
// Sizes are twips (1440 per logical inch).

// Record codecs (21 and 100 characters).
struct WindowPositionRecord {
    int left = 0, top = 0, width = 0, height = 0, state = 0;
    static WindowPositionRecord decode(const QString &record);
    QString encode() const;
};
QString encodeColumnWidths(const QString &oldRecord, const QVector<int> &widths);
// Widths of the first `count` columns: a blank or missing slot gives 300; a
// slot that is no width (hand edits) and columns past the 20 slots give -1,
// "keep the designed width".
QVector<int> decodeColumnWidths(const QString &record, int count);

void LoadWindowPosition(QWidget *window);
void SaveWindowPosition(QWidget *window);
void CenterForm(QWidget *window);

// Grid: section "GridColumn Width"; list view: "ListViewHeaderColumn Width".
void LoadGridColumnWidth(QWidget *window, QHeaderView *header);
void SaveGridColumnWidth(QWidget *window, QHeaderView *header);
void LoadListViewColumnWidth(QWidget *window, QHeaderView *header);
void SaveListViewColumnWidth(QWidget *window, QHeaderView *header);

