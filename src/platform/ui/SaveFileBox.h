#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace ui {

struct SaveFileRequest {
    // Name filters in the platform's form ("ＣＳＶファイル (*.csv)"); the
    // first is selected.
    QStringList filters;
    // The suggested name, shown in the current folder.
    QString fileName;
    // Added when the user types a name without an extension.
    QString defaultSuffix;
};

// Shows the platform's modal save box; the chosen file's full path, or the
// empty text when the user cancels.
QString chooseSaveFile(const SaveFileRequest &request, QWidget *parent = nullptr);

// Tests answer save boxes through a responder instead of showing them.
using SaveFileResponder = std::function<QString(const SaveFileRequest &)>;
void setSaveFileResponder(SaveFileResponder responder); // empty: real boxes again

} // namespace ui
