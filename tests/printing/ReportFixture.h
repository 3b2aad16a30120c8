#pragma once

#include "platform/report/Layout.h"
#include "platform/report/Page.h"

#include <QStringList>

namespace fixture {

// A layout whose Detail section holds one Field control per spec, the i-th
// at top 1000 * i so that a page's texts can be told apart by their place.
inline report::Layout fieldLayout(const QStringList &specs, const QStringList &tags = {},
                                  const QStringList &formats = {})
{
    report::Layout l;
    report::Section detail;
    detail.name = QStringLiteral("Detail");
    detail.newPage = report::NewPageBefore;
    detail.height = 15000;
    for (int i = 0; i < specs.size(); ++i) {
        report::Control c;
        c.name = QStringLiteral("Field%1").arg(i + 1);
        c.top = 1000 * i;
        c.width = 3000;
        c.height = 300;
        c.text = specs[i];
        c.tag = tags.value(i);
        c.outputFormat = formats.value(i);
        detail.controls.append(c);
    }
    l.sections = {detail};
    return l;
}

// The text each field of fieldLayout() printed on the page, "" for none.
inline QStringList fieldTexts(const report::Page &page, int fields, int topMargin = 1440)
{
    QStringList out(fields);
    for (const report::PageItem &item : page.items)
        if (item.type == report::PageItem::Type::Text)
            out[(item.box.top() - topMargin) / 1000] = item.text;
    return out;
}

} // namespace fixture
