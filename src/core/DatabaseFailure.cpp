#include "core/DatabaseFailure.h"

#include "platform/db/DbError.h"
#include "platform/ui/MessageBox.h"

QString databaseFailureText(const std::exception &error)
{
    if (const auto *dbError = dynamic_cast<const db::DbError *>(&error))
        return QString::number(dbError->number()) + QStringLiteral(":") + dbError->description();
    return QString::fromUtf8(error.what());
}

void showDatabaseFailure(const std::exception &error, QWidget *parent)
{
    ui::showMessage(databaseFailureText(error), ui::Icon::Exclamation, ui::Buttons::Ok, ui::Answer::Ok, QString(), parent);
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
