#include "printing/PrintFormOption.h"

#include <QFile>
#include <QStringList>

namespace {

QStringList optionParts(const QString &layoutPath, const QString &defaultText)
{
    QString option = defaultText;
    QFile file(layoutPath);
    if (file.open(QIODevice::ReadOnly)) {
        while (!file.atEnd()) {
            const QString line = QString::fromUtf8(file.readLine());
            const int at = line.indexOf(QLatin1String("UserData"));
            if (at >= 0) {
                option = line.mid(at + 10);
                break;
            }
        }
    }
    return option.split(QLatin1Char(';'));
}

bool isOn(const QStringList &parts, int index)
{
    return index < parts.size() && parts[index] == QLatin1String("1");
}

} // namespace

void GetDenpyoListFormOption(const QString &layoutPath, bool &OnlySelect, bool &ShohinMeisai, bool &DenpyoLine)
{
    const QStringList parts = optionParts(layoutPath, QStringLiteral("0;0;0;"));
    OnlySelect = isOn(parts, 0);
    ShohinMeisai = isOn(parts, 1);
    DenpyoLine = isOn(parts, 2);
}

void GetListFormOption(const QString &layoutPath, bool &OnlySelect)
{
    OnlySelect = isOn(optionParts(layoutPath, QStringLiteral("False;")), 0);
}

PrintFormOptions PrintFormOptions::fromUserData(const QString &userData)
{
    const QStringList parts = userData.split(QLatin1Char(';'));
    auto on = [&parts](int i) { return i < parts.size() && parts.at(i).trimmed() == QLatin1String("1"); };
    return {on(0), on(1), on(2)};
}

QString PrintFormOptions::toUserData() const
{
    auto flag = [](bool b) { return b ? QStringLiteral("1;") : QStringLiteral("0;"); };
    return flag(OnlySelect) + flag(ShohinMeisai) + flag(DenpyoLine);
}
