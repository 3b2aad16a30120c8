#pragma once

#include "masters/RecordEditor.h"
#include "model/Shohin.h"

#include <optional>

class QFrame;
class QLabel;
class QPushButton;
class MemoBox;
class ucIDInput;
class ucJaInput;
class ucTankaInput;

// The product editor: creates or changes one product in the mode the caller
// sets.
class frmShohin : public RecordEditor {
    Q_OBJECT
public:
    explicit frmShohin(QWidget *parent = nullptr);

    // The product of "ReferenceNew" and "SelectedUpdate".
    QString strShohinID;
    // The product shown by "CopyNew".
    Shohin ShohinObject;
    // "NewReturn": the ID just saved; untouched otherwise. The name keeps the
    // spelling its callers use.
    QString ResutltShohinID;

protected:
    QString recordWord() const override { return QStringLiteral("商品"); }
    ui::Icon emptyIdOnSaveIcon() const override { return ui::Icon::Critical; }
    QString loadKey() const override { return strShohinID; }
    void prepareFields() override;
    void recordClear() override;
    bool showStored(const QString &id, bool showWhenMissing) override;
    void showCopyObject() override;
    SaveOutcome saveRecord(const QString &id, bool isNew, QString *message) override;
    bool pickRecord(bool copyId) override;
    void applyTabChain(bool withId) override;
    void setReturnedId(const QString &id) override { ResutltShohinID = id; }
    void resizeEvent(QResizeEvent *event) override;

private:
    void ShohinShow(const Shohin &shohin);
    // Every field but the ID box.
    void showDetails(const Shohin &shohin);
    void showTanka(double tanka);

    QLabel *lblTitle;
    ucIDInput *txtShohinID;
    QPushButton *cmdShohinID;
    QFrame *framMain;
    ucJaInput *txtShohinNumber;
    ucJaInput *txtShohinName;
    ucJaInput *txtShohinMaker;
    ucTankaInput *txtShohinTanka;
    ucJaInput *txtShohinTanni;
    MemoBox *txtShohinMemo;
    QPushButton *cmdOK;
    QPushButton *cmdEnd;
    // The price as loaded while its box is untouched: the box cannot show
    // every stored price, and an unedited one must be saved as it was.
    std::optional<double> m_keptTanka;
};
