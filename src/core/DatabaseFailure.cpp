#include "core/DatabaseFailure.h"

#include "platform/db/DbError.h"
#include "platform/ui/MessageBox.h"

void showDatabaseFailure(const std::exception &error, QWidget *parent)
{
    QString text;
    if (const auto *dbError = dynamic_cast<const db::DbError *>(&error))
        text = QString::number(dbError->number()) + QStringLiteral(":") + dbError->description();
    else
        text = QString::fromUtf8(error.what());
    ui::showMessage(text, ui::Icon::Exclamation, ui::Buttons::Ok, ui::Answer::Ok, QString(), parent);
}

bool runShowingFailure(QWidget *parent, const std::function<void()> &action)
{
    try {
        action();
        return true;
    } catch (const std::exception &e) {
        showDatabaseFailure(e, parent);
        return false;
    }
}
