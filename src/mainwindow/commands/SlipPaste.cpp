#include "mainwindow/commands/SlipPaste.h"

#include "core/BasicInfo.h"
#include "platform/db/DbError.h"

#include <exception>
#include <limits>

namespace {

QString failureMessage(const QString &reason, int stored)
{
    QString text = QStringLiteral("伝票の貼り付けに失敗しました。(") + reason + QLatin1Char(')');
    if (stored > 0)
        text += QStringLiteral("\n") + QString::number(stored) + QStringLiteral("件の伝票は貼り付けられています。");
    return text;
}

} // namespace

SlipPasteResult StoreDenpyos(std::vector<std::unique_ptr<Denpyo>> &slips)
{
    SlipPasteResult result;
    for (const std::unique_ptr<Denpyo> &slip : slips) {
        try {
            // Read afresh: the previous save has raised it.
            BasicInfo counter;
            counter.Initialize();
            counter.Load(QStringLiteral("CurrentDenpyoID"));
            const qint32 last = counter.LongValue();
            if (last == std::numeric_limits<qint32>::max()) {
                result.failure = failureMessage(QStringLiteral("伝票番号がこれ以上ありません。"), result.stored);
                return result;
            }
            slip->setDenpyoID(last + 1);
            if (!slip->Apply()) {
                result.failure = failureMessage(slip->ErrorMessage(), result.stored);
                return result;
            }
        } catch (const std::exception &error) {
            const auto *dbError = dynamic_cast<const db::DbError *>(&error);
            const QString reason = dbError ? QString::number(dbError->number()) + QLatin1Char(':') + dbError->description()
                                           : QString::fromUtf8(error.what());
            result.failure = failureMessage(reason, result.stored);
            return result;
        }
        ++result.stored;
    }
    return result;
}

QString slipsPastedMessage(int count)
{
    return QStringLiteral("伝票を") + QString::number(count) + QStringLiteral("件、貼り付けました。");
}
