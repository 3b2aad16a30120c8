#pragma once

#include "masters/DecimalText.h"
#include "masters/RecordPicker.h"
#include "model/Shohin.h"

class ucIDInput;
class ucJaInput;

// The product picker: search by the start of the ID and parts of 品番, 品名
// and 製造元, or by a saved product filter; F2 creates a product. After it
// closed with OK the Result values are the chosen product's stored values.
class frmShohinList : public RecordPicker {
    Q_OBJECT
public:
    explicit frmShohinList(QWidget *parent = nullptr);

    QString ResultShohinID() const { return m_chosen.ShohinID(); }
    QString ResultNumber() const { return m_chosen.Number(); }
    QString ResultName() const { return m_chosen.Name(); }
    QString ResultMaker() const { return m_chosen.Maker(); }
    // Plain decimal text: no separators, no trailing zeros, 15 digits.
    QString ResultTanka() const { return plainDecimalText(m_chosen.Tanka()); }
    QString ResultTanni() const { return m_chosen.Tanni(); }
    QString ResultMemo() const { return m_chosen.Memo(); }
    // The chosen record itself, which the Result values read.
    const Shohin &ResultShohin() const { return m_chosen; }

    // The 単価 column's text: thousands commas, at most two decimals.
    static QString tankaCell(double tanka);

protected:
    QString boxCondition() const override;
    bool filterCondition(const QString &name, QString *condition) const override;
    QList<QStringList> loadRows(const QString &condition) override;
    void clearBoxes() override;
    void loadChosen(const QString &key) override;
    QString createRecord() override;
    void showNewKey(const QString &key) override;
    bool searchStaysDefault() const override { return true; }
    QWidget *aboveList() const override;
    void resizeEvent(QResizeEvent *event) override;

private:
    ucIDInput *txtSearchShohinID;
    ucJaInput *txtSearchHinban;
    ucJaInput *txtSearchHinmei;
    ucJaInput *txtSearchMaker;
    Shohin m_chosen;
};
