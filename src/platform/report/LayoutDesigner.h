#pragma once

#include "platform/report/Layout.h"
#include "platform/report/Page.h"

#include <QHash>
#include <functional>
#include <QPoint>
#include <QVector>
#include <QWidget>

class QActionGroup;
class QAction;
class QComboBox;
class QScrollArea;
class QToolBar;

namespace report {

class DesignCanvas;
class PropertyPanel;

// A page designer for report layouts: the page at real size (and zoom) with
// its sections and their controls, a toolbox that adds labels, text boxes,
// lines, rectangles and pictures, selection by click, Ctrl-click and
// rubber band (kept in the order the controls were selected), moving and
// resizing by mouse and keys, copy, paste, delete, and a panel of the
// selected control's properties. It draws the controls with the painter
// that prints them.
class LayoutDesigner : public QWidget {
    Q_OBJECT
public:
    // What a layoutChanged notification is about.
    enum ChangeKind {
        ControlsChanged = 1,   // controls added or removed
        PropertiesChanged = 2, // a control or section changed
        SectionsChanged = 4,   // a section added or removed
        LayoutReplaced = 8,    // a whole layout was set or loaded
    };
    enum class Tool { Pointer, Label, TextBox, Line, Rectangle, Picture };

    struct ControlRef {
        int section = -1;
        int control = -1;
        bool operator==(const ControlRef &) const = default;
    };

    explicit LayoutDesigner(QWidget *parent = nullptr);
    ~LayoutDesigner() override;

    // A4 portrait, one "Detail" section filling the page between the
    // margins, starting a new page before each record.
    static Layout blankLayout();

    const Layout &layout() const { return m_layout; }
    void setLayout(const Layout &layout);
    void loadLayoutFile(const QString &path); // throws LayoutError
    void saveLayoutFile(const QString &path); // throws text::TextFileError
    QString userData() const { return m_layout.userData; }
    void setUserData(const QString &userData) { m_layout.userData = userData; }

    // The layout run once with its design texts, as a report without data
    // prints it: what the preview shows.
    QVector<Page> renderPreview() const;

    // Selection, in the order the controls were selected.
    const QVector<ControlRef> &selection() const { return m_selection; }
    const Control *control(const ControlRef &ref) const;
    void setSelection(const QVector<ControlRef> &refs);
    void selectControl(const ControlRef &ref, bool add);
    void clearSelection() { setSelection({}); }
    // The section new controls go to and the panel shows when nothing is
    // selected; -1 without sections.
    int currentSection() const { return m_currentSection; }
    void setCurrentSection(int section);

    // Editing; each raises layoutChanged.
    ControlRef addControl(Tool tool, int section, const QRect &twips);
    // At the first free place near the top left of the current section.
    ControlRef addControlAtDefaultPlace(Tool tool);
    void setControlText(const ControlRef &ref, const QString &text);
    void changeSelected(const std::function<void(Control &)> &change, bool first = false);
    bool renameControl(const ControlRef &ref, const QString &name);
    void moveSelection(int dx, int dy);
    void resizeSelection(int dw, int dh);
    void deleteSelection();
    void copySelection();
    void paste();
    void changeSection(int section, const std::function<void(Section &)> &change);
    void deleteSection(int section);
    // After a drag of the canvas has changed controls in place.
    void notifyControlsEdited();

    Tool tool() const { return m_tool; }
    void setTool(Tool tool);
    double zoom() const { return m_zoom; }
    void setZoom(double zoom);

    DesignCanvas *canvas() const { return m_canvas; }
    PropertyPanel *propertyPanel() const { return m_panel; }
    QAction *toolAction(Tool tool) const { return m_toolActions.value(int(tool)); }

    // A name of that kind no control of the layout has: "Field3".
    QString freeName(const QString &stem) const;
    static QString nameStem(ControlKind kind);

signals:
    void layoutChanged(int kind);
    void selectionChanged();

private:
    friend class DesignCanvas; // edits controls in place while dragging
    void emitChanged(int kind);
    void updateViews();

    Layout m_layout;
    QVector<ControlRef> m_selection;
    int m_currentSection = -1;
    Tool m_tool = Tool::Pointer;
    double m_zoom = 1.0;
    QVector<Control> m_clipboard;
    int m_pasteCount = 0;

    QToolBar *m_toolbar;
    QActionGroup *m_toolGroup;
    QHash<int, QAction *> m_toolActions;
    QComboBox *m_zoomBox;
    QScrollArea *m_scroll;
    DesignCanvas *m_canvas;
    PropertyPanel *m_panel;
};

} // namespace report
