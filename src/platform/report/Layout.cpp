#include "platform/report/Layout.h"

namespace report {

Control *Section::control(const QString &controlName)
{
    for (Control &c : controls)
        if (c.name == controlName)
            return &c;
    return nullptr;
}

Section *Layout::section(const QString &sectionName)
{
    for (Section &s : sections)
        if (s.name == sectionName)
            return &s;
    return nullptr;
}

const Section *Layout::section(const QString &sectionName) const
{
    return const_cast<Layout *>(this)->section(sectionName);
}

} // namespace report
