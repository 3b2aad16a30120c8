#include "platform/ui/QtTextsJa.h"

#include <cstring>

namespace ui {

namespace {

struct Text {
    const char *english;
    const char16_t *japanese;
};

// By their English text alone: each stands for one thing wherever Qt's
// dialogs show it.
const Text kTexts[] = {
    // The file box's type column.
    {"Folder", u"フォルダー"},
    {"Drive", u"ドライブ"},
    // The print dialog and its printer properties.
    {"Pages", u"ページ指定"},
    {"Double Sided Printing", u"両面印刷"},
    {"Off", u"オフ"},
    {"Long side binding", u"長辺綴じ"},
    {"Short side binding", u"短辺綴じ"},
    {"Advanced", u"詳細設定"},
    {"Specify pages or ranges separated by commas. Ranges are specified by two numbers separated by a hyphen. "
     "E.g: 3,5-7,9 prints pages 3, 5, 6, 7 and 9.",
     u"ページまたはページの範囲をカンマで区切って指定します。範囲は二つの番号をハイフンでつないで指定します。"
     u"例: 3,5-7,9 で 3、5、6、7、9 ページを印刷します。"},
};

} // namespace

QString QtTextsJa::translate(const char *context, const char *sourceText, const char *disambiguation, int n) const
{
    Q_UNUSED(context);
    Q_UNUSED(disambiguation);
    Q_UNUSED(n);
    if (!sourceText)
        return QString();
    for (const Text &text : kTexts) {
        if (std::strcmp(text.english, sourceText) == 0)
            return QString::fromUtf16(text.japanese);
    }
    return QString();
}

} // namespace ui
