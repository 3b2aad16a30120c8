#pragma once

#include "platform/report/Layout.h"
#include "platform/report/LayoutFile.h"
#include "platform/report/Page.h"

#include <QHash>
#include <QStringList>
#include <QVector>

namespace fixture {

// A print form with one small field per spec, laid out in columns of 140,
// so that what a page printed can be read back by spec from the places of
// its texts.
class GridForm {
public:
    static constexpr int kRows = 140, kRowHeight = 95, kColumnWidth = 3000, kMargin = 720;

    explicit GridForm(const QStringList &specs, const QString &userData = QStringLiteral("0;0;0;"))
        : m_specs(specs)
    {
        m_layout.userData = userData;
        m_layout.pageSetup.leftMargin = m_layout.pageSetup.topMargin = kMargin;
        m_layout.pageSetup.rightMargin = m_layout.pageSetup.bottomMargin = kMargin;
        report::Section detail;
        detail.name = QStringLiteral("Detail");
        detail.newPage = report::NewPageBefore;
        detail.height = kRows * kRowHeight;
        for (int i = 0; i < specs.size(); ++i) {
            report::Control c;
            c.name = QStringLiteral("Field%1").arg(i + 1);
            c.left = (i / kRows) * kColumnWidth;
            c.top = (i % kRows) * kRowHeight;
            c.width = kColumnWidth - 100;
            c.height = kRowHeight - 5;
            c.font.size = 4;
            c.text = specs[i];
            detail.controls.append(c);
        }
        m_layout.sections = {detail};
    }

    void save(const QString &path) const { report::saveLayout(path, m_layout); }

    // Spec -> printed text of one page; a field that printed nothing is "".
    QHash<QString, QString> values(const report::Page &page) const
    {
        QHash<QString, QString> out;
        for (const QString &s : m_specs)
            out.insert(s, QString());
        for (const report::PageItem &item : page.items) {
            if (item.type != report::PageItem::Type::Text)
                continue;
            const int index = (item.box.left() - kMargin) / kColumnWidth * kRows + (item.box.top() - kMargin) / kRowHeight;
            if (index >= 0 && index < m_specs.size())
                out[m_specs[index]] = item.text;
        }
        return out;
    }

private:
    QStringList m_specs;
    report::Layout m_layout;
};

// "1_行番号", "1_品名", ..., "n_品名": the detail items in slots 1 to n.
inline QStringList slotSpecs(const QStringList &items, int slotCount)
{
    QStringList out;
    for (int slot = 1; slot <= slotCount; ++slot)
        for (const QString &item : items)
            out << QStringLiteral("%1_%2").arg(slot).arg(item);
    return out;
}

inline QStringList pageSpecs(const QStringList &items)
{
    QStringList out;
    for (const QString &item : items)
        out << QStringLiteral("P_") + item;
    return out;
}

} // namespace fixture
