#pragma once

#include <QString>

// The option flags a print form keeps in its user data ("1;0;0;": only the
// selected rows, product lines, slip rows apart from product lines), read
// from the layout file as text: the first line holding "UserData" gives
// them, right after UserData=". A file without such a line, or one that
// cannot be read, has every option off.
void GetDenpyoListFormOption(const QString &layoutPath, bool &OnlySelect, bool &ShohinMeisai, bool &DenpyoLine);
void GetListFormOption(const QString &layoutPath, bool &OnlySelect);

// The option flags as the designer keeps them in a layout's user data: each
// "0" or "1" followed by ";", in the order above. Reading takes the first
// three parts; a missing or blank part is off.
struct PrintFormOptions {
    bool OnlySelect = false;
    bool ShohinMeisai = false;
    bool DenpyoLine = false;

    static PrintFormOptions fromUserData(const QString &userData);
    QString toUserData() const;
    bool operator==(const PrintFormOptions &) const = default;
};
