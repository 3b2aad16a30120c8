#pragma once

#include "filters/SearchFilterKind.h"
#include "platform/ui/KeyHandover.h"
#include "platform/ui/KeyNavigator.h"

#include <QDialog>
#include <QList>
#include <QStringList>
#include <functional>

class QGroupBox;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// The window behind the customer and product pickers: a tree of saved
// search filters, a frame of search boxes, a list of records, and the
// buttons to create, choose and close. The caller shows it modally and reads
// OK and then the concrete picker's Result values.
class RecordPicker : public QDialog {
    Q_OBJECT
public:
    // True when the window closed with a chosen record.
    bool OK() const { return m_ok; }

    // The key of the row that choosing loads; empty when there is none.
    const QString &currentChoice() const { return m_choice; }

    // Keys typed ahead past the closing go to where the caller puts the
    // focus after this returns.
    int exec() override;

protected:
    RecordPicker(const QString &formName, SearchFilterKind kind, QWidget *parent);
    ~RecordPicker() override;

    QTreeWidget *tvwTree = nullptr;
    QGroupBox *framSearch = nullptr;
    QPushButton *cmdSearch = nullptr;
    QTreeWidget *list = nullptr;
    QPushButton *cmdNew = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;
    QLabel *lblFilter = nullptr;
    ui::KeyNavigator *keys = nullptr;

    // Built by the concrete picker's constructor.
    void setColumns(const QStringList &headings, const QList<int> &widthsTwips,
                    const QList<Qt::Alignment> &alignments);
    // The search boxes; the first is Home's target.
    void setSearchBoxes(const QList<QWidget *> &boxes);

    // The box values' condition text.
    virtual QString boxCondition() const = 0;
    // Condition of a saved filter; false when it could not be compiled (the
    // compiler has shown why).
    virtual bool filterCondition(const QString &name, QString *condition) const = 0;
    // The rows of a condition, each the key followed by the other cells.
    virtual QList<QStringList> loadRows(const QString &condition) = 0;
    virtual void clearBoxes() = 0;
    // Loads the chosen record for the Result values.
    virtual void loadChosen(const QString &key) = 0;
    // Opens the record editor in "NewReturn"; the saved key or "".
    virtual QString createRecord() = 0;
    // Puts a new key into the ID box and empties the others.
    virtual void showNewKey(const QString &key) = 0;
    // The product picker keeps 検索 the default after a box was left.
    virtual bool searchStaysDefault() const { return false; }
    // Where Up from the first list row goes.
    virtual QWidget *aboveList() const = 0;
    // Where Home goes; the first search box unless a picker says otherwise.
    virtual QWidget *homeBox() const { return m_boxes.first(); }

    // The shared routines.
    void FilterTreeFill();
    void BoxSearch();
    void FilterSearch(QTreeWidgetItem *node);
    void Select();
    void ListCancel();
    void NewRecord();
    // Fills the list; true when rows were listed. Throws database errors.
    bool fillList(const QString &condition);
    // The same with the hourglass, a database error shown as a message.
    bool runFill(const QString &condition);

    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void done(int result) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

    QList<QWidget *> searchBoxes() const { return m_boxes; }

private:
    enum class DefaultButton { None, Search, Select };
    void setDefaultButton(DefaultButton which);
    void focusMoved(QWidget *now);

    QString m_formName;
    SearchFilterKind m_kind;
    QString m_nodePrefix;
    QList<QWidget *> m_boxes;
    QString m_choice;
    bool m_ok = false;
    bool m_opened = false;
    DefaultButton m_default = DefaultButton::None;
};

// A picker a caller opens for one choice. Its window outlives the caller's
// scope until the window system has moved the focus away from it, so that
// the keys typed meanwhile still reach the caller's window.
template <class Picker>
class RetainedPicker {
public:
    explicit RetainedPicker(QWidget *parent) : m_picker(new Picker(parent)) {}
    ~RetainedPicker() { ui::KeyHandover::retire(m_picker); }
    RetainedPicker(const RetainedPicker &) = delete;
    RetainedPicker &operator=(const RetainedPicker &) = delete;

    Picker *operator->() const { return m_picker; }

private:
    Picker *m_picker;
};
