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
