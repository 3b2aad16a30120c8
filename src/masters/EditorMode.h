#pragma once

#include <QString>

// What a record editor's mode text asks of it. The customer and product
// editors share these rules; only their words ("顧客", "商品") differ.
class EditorMode {
public:
    enum Kind { New, NewReturn, ReferenceNew, CopyNew, SelectableUpdate, SelectedUpdate };

    // Unknown texts behave as "New": the dialog then at least opens blank.
    static EditorMode fromText(const QString &text);

    Kind kind() const { return m_kind; }
    QString text() const;

    // The four new modes insert a row; the two update modes rewrite one.
    bool isNewRecord() const;
    // "New" and "SelectableUpdate" return to their empty starting state after
    // a save; the others close with their first save.
    bool staysOpenAfterSave() const;
    // Only "SelectableUpdate" has the input states "Key" and "Data".
    bool hasInputStates() const { return m_kind == SelectableUpdate; }
    // In "SelectedUpdate" the key is fixed: the ID box is disabled and left
    // out of the tab chain.
    bool idBoxFixed() const { return m_kind == SelectedUpdate; }
    // The ID box's own lookup (Enter, F11 with a typed ID) and the copy of
    // the picked ID exist only in "SelectableUpdate".
    bool looksUpTypedId() const { return m_kind == SelectableUpdate; }
    // Modes that load the given key when the dialog opens.
    bool loadsGivenKey() const { return m_kind == ReferenceNew || m_kind == SelectedUpdate; }

    // Title word per mode: "新規顧客" / "顧客修正" for the word "顧客".
    QString title(const QString &recordWord) const;
    // "登録(F12)" or "更新(F12)".
    QString okCaption() const;
    // "顧客 A1 を登録しますか？"
    QString saveQuestion(const QString &recordWord, const QString &id) const;

private:
    explicit EditorMode(Kind kind) : m_kind(kind) {}
    Kind m_kind;
};

// The input state of "SelectableUpdate": the user types or picks a key
// ("Key"), then edits the loaded record ("Data").
enum class InputState { Key, Data };
