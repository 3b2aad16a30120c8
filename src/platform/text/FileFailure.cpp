#include "platform/text/FileFailure.h"

#include <cerrno>

namespace text {

QString failureReason(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("保存先のフォルダーがありません。");
    case EACCES:
    case EPERM:
        return QStringLiteral("保存先に書き込む権限がありません。");
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("ディスクの空き容量が足りません。");
    case EROFS:
        return QStringLiteral("保存先は読み取り専用です。");
    case EIO:
        return QStringLiteral("ディスクの読み書きでエラーが発生しました。");
    case EISDIR:
        return QStringLiteral("同じ名前のフォルダーがあります。");
    case EBUSY:
        return QStringLiteral("ほかのプログラムが使用しています。");
    default:
        // The number lets whoever looks into it find the cause.
        return QStringLiteral("ファイルシステムでエラーが発生しました(エラー番号 %1)。").arg(error);
    }
}

QString readFailureReason(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("ファイルがありません。");
    case EACCES:
    case EPERM:
        return QStringLiteral("ファイルを読む権限がありません。");
    case EISDIR:
        return QStringLiteral("ファイルではなくフォルダーです。");
    case EFBIG:
        return QStringLiteral("ファイルが大きすぎます。");
    default:
        return failureReason(error);
    }
}

} // namespace text
