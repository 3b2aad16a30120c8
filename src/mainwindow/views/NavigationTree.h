#pragma once

#include <QTreeWidget>

// The navigation tree of the main window. Each node carries its key: two
// letters for the branch ("de", "cu", "sh", "ts", "sy") and the list name
// that its view receives.
class NavigationTree : public QTreeWidget {
    Q_OBJECT
public:
    enum { KeyRole = Qt::UserRole + 1 };

    explicit NavigationTree(QWidget *parent = nullptr);

    // Rebuilds every node: the three registers with their saved filters,
    // the customers billed monthly, the print-form kinds. All collapsed,
    // none selected.
    void BuildTree();

    QTreeWidgetItem *findKey(const QString &key) const;
    static QString keyOf(const QTreeWidgetItem *item);

    // Whether a saved filter's name can be listed as an ordinary filter:
    // names of the fixed nodes and of temporary searches are left out.
    static bool isListedFilterName(const QString &name);

signals:
    void nodeClicked(const QString &key);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyboardSearch(const QString &search) override;

private:
    QTreeWidgetItem *addNode(QTreeWidgetItem *parent, const QString &key, const QString &text, int normal,
                             int selected);
};
