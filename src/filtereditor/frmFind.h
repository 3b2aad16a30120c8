#pragma once

#include "core/Tables.h"
#include "filters/SearchFilterFile.h"
#include "filters/SearchFilterKind.h"

#include <QDialog>
#include <QVector>
#include <optional>

class QAction;
class QFrame;
class QGroupBox;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class ucJaInput;
namespace ui {
class KeyNavigator;
}

// The search-filter editor: the fields of one register in a tree on the
// left, the filter being built (fields, each with its OR-ed conditions) on
// the right. Set ObjectName ("伝票", "顧客" or "商品") and FindName (empty
// for a new filter, a saved filter's name, or "一時検索" for a one-off
// search), exec(), then read ResultFind and ResultModified.
class frmFind : public QDialog {
    Q_OBJECT
public:
    explicit frmFind(QWidget *parent = nullptr);
    ~frmFind() override;

    QString ObjectName;
    // Follows the name box while a new filter's name is typed.
    QString FindName;

    // A saved filter was registered or updated by OK or F12.
    bool ResultModified() const { return m_resultModified; }
    // The temporary filter was written by OK or F12 and is to be run.
    bool ResultFind() const { return m_resultFind; }

    // Opens the editor; when its filter cannot be read it does not show and
    // returns Rejected with both results false.
    int exec() override;

    // The routines behind the buttons, keys and menus.
    void ConditionAdd();
    void ConditionEdit();
    void ConditionRemove();
    void ConditionClear();
    void FilterSave(bool temporary);
    void FilterSaveAs();
    void FormClose();

    // The filter as the condition tree shows it.
    const SearchFilterFile &filter() const { return m_filter; }

    QLabel *lblTitle;
    ucJaInput *txtName;
    QTreeWidget *tvwSelect;
    QGroupBox *frmChild;
    QTreeWidget *tvwCondition;
    QPushButton *cmdClear;
    QPushButton *cmdEdit;
    QPushButton *cmdRemove;
    QWidget *picCommandBox;
    QPushButton *cmdOK;
    QPushButton *cmdEnd;
    QMenuBar *menuBar;
    QAction *mnuSaveAs;
    QAction *mnuExit;
    QMenu *mnuNode;
    QAction *mnuNodeEdit;
    QAction *mnuNodeRemove;

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void done(int result) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool Form_Load();
    bool FilterFileLoad();
    void FilterItemSet();
    void SelectTreeFill();
    void ConditionNodeAdd(const QString &fieldKey, const QString &fieldLabel, const QString &keyWithoutStamp,
                          const QString &displayText);
    // Asks a condition's value in the dialog of its code; "" when cancelled,
    // nullopt when the code has no dialog.
    std::optional<QString> askValue(const QString &code, const QString &current);
    void CommandEnable(bool flag);
    void TabOrderSet(bool nameEditable);
    void setUpKeys();
    void nodeSelected();
    void setEditButtons(bool enabled);
    // Shows the filter again; `visibleKey` is scrolled to, `currentKey`
    // becomes the selected node (none when empty).
    void showConditions(const QString &visibleKey, const QString &currentKey);
    const KensakuItemSpec *itemOf(const QString &key) const;
    bool writeFilter(const QString &name);
    QString path(const QString &name) const;
    void layOut();

    QWidget *m_body;
    QList<QFrame *> m_lines;
    ui::KeyNavigator *m_keys;
    QVector<KensakuItemSpec> arrFilterItems;
    SearchFilterFile m_filter;
    SearchFilterKind m_kind = SearchFilterKind::Denpyo;
    bool flgNewFilter = true;
    bool m_resultModified = false;
    bool m_resultFind = false;
    bool m_loaded = false;
    bool m_loadFailed = false;
    bool m_showing = false;
};
