#include "platform/report/Page.h"

#include <QStringList>

namespace report {

QStringList Page::texts() const
{
    QStringList out;
    for (const PageItem &item : items)
        if (item.type == PageItem::Type::Text)
            out << item.text;
    return out;
}

} // namespace report
