#pragma once

#include <QObject>
#include <QString>

class frmMainForm;
class PopupMenus;

// The command half of the main window: connects its menus, toolbars, keys
// and tree to the commands, and runs each as a view request of the window.
class MainCommands : public QObject {
    Q_OBJECT
public:
    explicit MainCommands(frmMainForm *form);

    void ToolbarCommand(const QString &key);
    // 新規作成 of the menu bar and the toolbar, on the current view.
    void NewCommand();
    void GoUpFolder();
    void GoBeforeDay();
    void GoNextDay();
    void GoBeforeMonth();
    void GoNextMonth();
    void SelectAllItems();
    void FindCommand();
    void DeleteCommand();
    void RenameCommand();
    // The bulk progress change of the slips selected in the slip list.
    void ShinkoCommand();
    void CloseMainForm();
    void HelpCommand();
    void RegClearCommand();
    void SystemInfoCommand();
    void VersionCommand();
    void ListKeyF2();
    void ListPrintCommand();

    PopupMenus *popupMenus() const { return m_popups; }

private:
    bool inFilterFolder() const;
    void connectMenus();
    void connectKeys();
    void run(void (MainCommands::*command)());

    frmMainForm *m_form;
    PopupMenus *m_popups;
};
