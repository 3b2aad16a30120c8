#pragma once

#include <QString>
#include <QStringList>

// The seven kinds of print form: the code the designer is opened with, the
// name shown for it, the folder of the user's layouts, the folder of sample
// layouts and the options its designer offers.
struct PrintFormKind {
    QString code;        // "Denpyo", "DenpyoList", ...
    QString displayName; // "伝票", "伝票リスト", ...
    const QString *folder; // the folder global of the user's layouts
    bool onlySelectOption;  // 選択行のみを出力する
    bool denpyoListOptions; // 商品明細を出力する, 伝票行と商品明細行を分ける

    // The name the main window gives the kind: display name & "印刷フォーム".
    QString listName() const;
    QString formFolder() const { return folder ? *folder : QString(); }
    // Beside the user's folder: <program>/Define/<code>PrintSampleForm/.
    QString sampleFolder() const;
};

// In the order the main window lists them.
const QVector<PrintFormKind> &printFormKinds();
// nullptr for a code or name that is none of the seven (compared exactly).
const PrintFormKind *printFormKindByCode(const QString &code);
const PrintFormKind *printFormKindByListName(const QString &listName);

// The print forms of a folder: every "*.rpx" file, its name less the
// extension, sorted. A folder that does not exist has none.
QStringList printFormNames(const QString &folder);
// The file of a print form: folder & name & ".rpx".
QString printFormPath(const QString &folder, const QString &name);
// Whether a print form of that name exists in the folder, regardless of
// letter case (the names once lived on a file system that ignored it).
bool printFormExists(const QString &folder, const QString &name);
