#include "printing/PrintFieldSpec.h"

#include "core/Routines.h"

#include <QLocale>
#include <cmath>

bool fnParseNumeric(const QString &text, double &value)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    bool ok = false;
    value = QLocale::c().toDouble(t, &ok);
    return ok && std::isfinite(value);
}

PrintFieldSpec PrintFieldSpec::parse(const QString &text)
{
    PrintFieldSpec spec;
    const QString s = fnTrimBlanks(text);
    if (s == QStringLiteral("ページ番号")) {
        spec.kind = Kind::PageNumber;
        return spec;
    }
    if (s == QStringLiteral("ページ数")) {
        spec.kind = Kind::PageCount;
        return spec;
    }
    const int first = s.indexOf(QLatin1Char('_'));
    spec.prefix = first < 0 ? s : s.left(first);
    if (first >= 0) {
        const int second = s.indexOf(QLatin1Char('_'), first + 1);
        spec.item = second < 0 ? s.mid(first + 1) : s.mid(first + 1, second - first - 1);
    }
    if (spec.prefix == QLatin1String("P")) {
        spec.kind = Kind::Page;
    } else if (spec.prefix == QLatin1String("F")) {
        spec.kind = Kind::FirstPage;
    } else if (spec.prefix == QLatin1String("L")) {
        spec.kind = Kind::LastPage;
    } else if (fnParseNumeric(spec.prefix, spec.number)) {
        spec.numeric = true;
        // Slots beyond the 16-bit range cannot be meant; they print nothing
        // rather than stop the print.
        const double rounded = std::nearbyint(spec.number);
        if (rounded >= 1 && rounded <= 32767) {
            spec.kind = Kind::Detail;
            spec.slot = int(rounded);
        }
    }
    return spec;
}
