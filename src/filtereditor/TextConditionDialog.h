#pragma once

#include "filtereditor/ConditionDialog.h"

class QLabel;
class ucTextInput;

// One text to search for (a key or a piece of text), typed or fetched with
// F11 from the customer or product picker.
class TextConditionDialog : public ConditionDialog {
    Q_OBJECT
public:
    // "Customer" or "Shohin" offers that picker; anything else none.
    QString SearchOptionObject;
    // The picked record's value put into the box: "CustomerID", "NameKnj",
    // "NameKana", "Bumon", "ShohinID", "Number", "Name" or "Maker".
    QString SearchOptionItemName;

    // The box's text without line breaks and surrounding blanks.
    QString ResultString() const { return m_result; }

    // Opens the picker of SearchOptionObject and takes the chosen value.
    void ListSearch();

    ucTextInput *txtString;
    QPushButton *cmdSearch;

protected:
    TextConditionDialog(const char *name, ucTextInput *box, QWidget *parent);

    void loadValue() override;
    bool storeResult() override;
    QWidget *firstField() const override;
    QList<QWidget *> tabFields() const override;

    // Whether the cleaned text is written back into the box on OK.
    virtual bool showsCleanedText() const { return false; }

    QLabel *lblHint = nullptr;

private:
    QString pickedValue(bool *picked);

    QString m_result;
};
