#pragma once

#include <QDate>
#include <QString>

#include <functional>

class Denpyo;
class QDateEdit;
class QKeyEvent;
class QDialog;
class QLabel;
class QWidget;

// Pieces the slip dialogs share.
namespace slipdialog {

// The picture, the title label lblTitle and the etched rule under them,
// the rule running from x 240 to lineEnd (twips).
QLabel *titleBlock(QDialog *dialog, const QString &title, int titleLeft, int titleWidth, int lineEnd);

// A sunken, display-only value field.
QLabel *valueLabel(const char *name, QWidget *parent, int left, int top, int width, int height,
                   bool rightAligned = false);

// A date picker that drops down a calendar and shows yyyy/mm/dd.
QDateEdit *datePicker(const char *name, QWidget *parent);

// The date a picker shows at the zero date.
QDate zeroDay();

// The slip number as the caller passed it, read as a number; 0 when it is
// none or out of range.
qint32 slipNumber(const QString &text);

// Runs load, which reads the dialog's slip and says whether it is there. On a
// database failure, or a slip that has gone (it is not shown as a cleared
// one), the dialog shows why and rejects itself once its event loop runs.
// Returns whether the slip was read.
bool loadOrReject(QDialog *dialog, const std::function<bool()> &load);

// "number - customer / \amount with tax", the line that names a slip.
QString slipCaption(const Denpyo &slip);

// Escape, Return and Enter stay in the dialog: Return and Enter press the
// focused button. Returns whether the key was one of them.
bool dialogKey(QWidget *dialog, QKeyEvent *event);

} // namespace slipdialog
