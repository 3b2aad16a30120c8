#pragma once

#include "core/controls/DateBox.h"

#include <QDate>
#include <QString>

#include <functional>

class Denpyo;
class QKeyEvent;
class QDialog;
class QFrame;
class QLabel;
class QWidget;

// Pieces the slip dialogs share.
namespace slipdialog {

// The picture, the title label lblTitle and the etched rule under them.
struct TitleBlock {
    QLabel *title = nullptr;
    QFrame *rule[2] = {};
};

// The title block, the rule running from x 240 to lineEnd (twips).
TitleBlock titleBlock(QDialog *dialog, const QString &title, int titleLeft, int titleWidth, int lineEnd);

// Lets the two lines of the rule end at lineEnd (twips), as the window's
// width changes.
void stretchRule(QFrame *upper, QFrame *lower, int lineEnd);

// A sunken, display-only value field.
QLabel *valueLabel(const char *name, QWidget *parent, int left, int top, int width, int height,
                   bool rightAligned = false);

// The date box of the slip dialogs: the zero date shows as nothing.
class DatePicker : public DateBox {
    Q_OBJECT
public:
    explicit DatePicker(QWidget *parent = nullptr);
};

DatePicker *datePicker(const char *name, QWidget *parent);

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

// "number - customer / ¥amount with tax", the line that names a slip.
QString slipCaption(const Denpyo &slip);

// Escape, Return and Enter stay in the dialog: Return and Enter press the
// focused button. Returns whether the key was one of them.
bool dialogKey(QWidget *dialog, QKeyEvent *event);

} // namespace slipdialog
