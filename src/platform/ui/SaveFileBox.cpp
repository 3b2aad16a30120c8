#include "platform/ui/SaveFileBox.h"

#include "platform/ui/KeyboardReturn.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>

namespace ui {
namespace {

SaveFileResponder &responder()
{
    static SaveFileResponder r;
    return r;
}

} // namespace

void setSaveFileResponder(SaveFileResponder r)
{
    responder() = std::move(r);
}

QString chooseSaveFile(const SaveFileRequest &request, QWidget *parent)
{
    if (responder())
        return responder()(request);

    QFileDialog box(parent ? parent : currentOpener());
    box.setAcceptMode(QFileDialog::AcceptSave);
    box.setFileMode(QFileDialog::AnyFile);
    box.setNameFilters(request.filters);
    if (!request.filters.isEmpty())
        box.selectNameFilter(request.filters.first());
    box.setDefaultSuffix(request.defaultSuffix);
    box.setDirectory(QDir::current());
    box.selectFile(request.fileName);
    if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty())
        return QString();
    return box.selectedFiles().first();
}

} // namespace ui
