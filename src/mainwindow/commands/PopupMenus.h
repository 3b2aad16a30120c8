#pragma once

#include <QObject>
#include <QPoint>

class QAction;
class QMenu;
class frmMainForm;

// The three popup menus of the main list: the record menu of slip, customer
// and product lists, the object menu of the filter folders and print-form
// lists, and the menu of one customer's saved monthly invoices. Each opening
// sets the items' visibility, enabled state and print captions again for
// the list under the mouse.
class PopupMenus : public QObject {
    Q_OBJECT
public:
    static constexpr int kPrintEntries = 10;

    explicit PopupMenus(frmMainForm *form);
    ~PopupMenus() override;

    // Prepares the menu that fits the present list and selection; nullptr
    // when none opens (levels 0 and 2, an add row, no selected row).
    QMenu *PreparePopupMenu();
    void ShowPopupMenu(const QPoint &globalPos);

    QMenu *mnuItem;
    QAction *mnuItemNew, *mnuItemDisplay, *mnuItemEdit, *mnuItemCopy, *mnuItemPaste, *mnuItemDelete,
        *mnuItemRefNew, *bar5, *mnuItemProcess, *mnuItemOtherInfo, *mnuItemDenpyoCopy, *mnuItemDenpyoSplit;
    QAction *mnuItemPrint[kPrintEntries];

    QMenu *mnuObject;
    QAction *mnuObjectEdit, *mnuObjectDelete, *mnuObjectRename;

    QMenu *mnuSeikyusho;
    QAction *mnuSeikyushoPrint, *mnuSeikyushoDelete;

private:
    void prepareItemMenu(bool slips, const QString &printFormFolder, int selected);

    frmMainForm *m_form;
};
