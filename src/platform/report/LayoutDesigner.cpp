#include "platform/report/LayoutDesigner.h"

#include "platform/report/DesignCanvas.h"
#include "platform/report/LayoutFile.h"
#include "platform/report/PropertyPanel.h"
#include "platform/report/Report.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QSplitter>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

namespace report {

namespace {

// A report without data: one record, printed with the texts as designed.
class DesignReport : public Report {
protected:
    void fetchData(bool &eof) override { eof = std::exchange(m_done, true); }

private:
    bool m_done = false;
};

// Moves and sizes stay within what a layout file may hold.
int clampedSum(int a, int b)
{
    return int(std::clamp<qint64>(qint64(a) + b, -kMaxTwips, kMaxTwips));
}

ControlKind kindOf(LayoutDesigner::Tool tool)
{
    switch (tool) {
    case LayoutDesigner::Tool::Label: return ControlKind::Label;
    case LayoutDesigner::Tool::Line: return ControlKind::Line;
    case LayoutDesigner::Tool::Rectangle: return ControlKind::Shape;
    case LayoutDesigner::Tool::Picture: return ControlKind::Picture;
    default: return ControlKind::TextBox;
    }
}

QSize defaultSize(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Line: return {2000, 0};
    case ControlKind::Shape: return {2000, 1000};
    case ControlKind::Picture: return {1500, 1500};
    default: return {1500, 300};
    }
}

} // namespace

LayoutDesigner::LayoutDesigner(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("LayoutDesigner"));
    m_toolbar = new QToolBar(this);
    m_toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_toolGroup = new QActionGroup(this);
    const struct {
        Tool tool;
        const char *text;
        const char *name;
    } tools[] = {
        {Tool::Pointer, "選択", "toolPointer"},     {Tool::Label, "ラベル", "toolLabel"},
        {Tool::TextBox, "テキストボックス", "toolTextBox"}, {Tool::Line, "直線", "toolLine"},
        {Tool::Rectangle, "四角形", "toolRectangle"}, {Tool::Picture, "画像", "toolPicture"},
    };
    int number = 0;
    for (const auto &t : tools) {
        QAction *a = m_toolbar->addAction(QString::fromUtf8(t.text));
        a->setObjectName(QLatin1String(t.name));
        a->setCheckable(true);
        a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_0 + number++)));
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        a->setToolTip(QStringLiteral("%1 (%2)").arg(a->text(), a->shortcut().toString(QKeySequence::NativeText)));
        m_toolGroup->addAction(a);
        m_toolActions.insert(int(t.tool), a);
        const Tool tool = t.tool;
        connect(a, &QAction::triggered, this, [this, tool] {
            setTool(tool);
            m_canvas->setFocus();
        });
        addAction(a);
    }
    m_toolActions.value(int(Tool::Pointer))->setChecked(true);
    m_toolbar->addSeparator();
    QAction *copyAction = m_toolbar->addAction(QStringLiteral("コピー"), this, [this] { copySelection(); });
    QAction *pasteAction = m_toolbar->addAction(QStringLiteral("貼り付け"), this, [this] { paste(); });
    QAction *removeAction = m_toolbar->addAction(QStringLiteral("削除"), this, [this] { deleteSelection(); });
    copyAction->setToolTip(QStringLiteral("コピー (Ctrl+C)"));
    pasteAction->setToolTip(QStringLiteral("貼り付け (Ctrl+V)"));
    removeAction->setToolTip(QStringLiteral("削除 (Delete)"));
    m_toolbar->addSeparator();
    m_toolbar->addWidget(new QLabel(QStringLiteral(" 表示倍率 "), m_toolbar));
    m_zoomBox = new QComboBox(m_toolbar);
    m_zoomBox->setObjectName(QStringLiteral("zoomBox"));
    for (int percent : {50, 75, 100, 125, 150, 200})
        m_zoomBox->addItem(QStringLiteral("%1%").arg(percent), percent / 100.0);
    m_zoomBox->setCurrentIndex(2);
    m_toolbar->addWidget(m_zoomBox);
    connect(m_zoomBox, &QComboBox::currentIndexChanged, this,
            [this](int i) { setZoom(m_zoomBox->itemData(i).toDouble()); });

    m_canvas = new DesignCanvas(this);
    m_scroll = new QScrollArea(this);
    m_scroll->setWidget(m_canvas);
    m_scroll->setWidgetResizable(false);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_scroll->setFocusPolicy(Qt::NoFocus);

    m_panel = new PropertyPanel(this);
    auto *panelScroll = new QScrollArea(this);
    panelScroll->setWidget(m_panel);
    panelScroll->setWidgetResizable(true);
    panelScroll->setMinimumWidth(240);
    panelScroll->setFocusPolicy(Qt::NoFocus);

    auto *split = new QSplitter(Qt::Horizontal, this);
    split->addWidget(m_scroll);
    split->addWidget(panelScroll);
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 0);
    split->setChildrenCollapsible(false);

    auto *box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    box->addWidget(m_toolbar);
    box->addWidget(split, 1);
    setFocusProxy(m_canvas);

    m_layout = blankLayout();
    m_currentSection = 0;
    updateViews();
}

LayoutDesigner::~LayoutDesigner()
{
    m_panel->detach();
}

Layout LayoutDesigner::blankLayout()
{
    Layout l;
    Section detail;
    detail.name = QStringLiteral("Detail");
    detail.newPage = NewPageBefore;
    detail.height = l.pageSetup.pageHeight() - l.pageSetup.topMargin - l.pageSetup.bottomMargin;
    l.sections = {detail};
    return l;
}

void LayoutDesigner::setLayout(const Layout &layout)
{
    m_layout = layout;
    m_selection.clear();
    m_currentSection = -1;
    for (int i = 0; i < m_layout.sections.size() && m_currentSection < 0; ++i)
        if (m_layout.sections[i].name == QLatin1String("Detail"))
            m_currentSection = i;
    if (m_currentSection < 0 && !m_layout.sections.isEmpty())
        m_currentSection = 0;
    updateViews();
    emit selectionChanged();
    emitChanged(LayoutReplaced);
}

void LayoutDesigner::loadLayoutFile(const QString &path)
{
    setLayout(report::loadLayout(path));
}

void LayoutDesigner::saveLayoutFile(const QString &path)
{
    saveLayout(path, m_layout);
}

QVector<Page> LayoutDesigner::renderPreview() const
{
    DesignReport r;
    r.setLayout(m_layout);
    r.run();
    return r.takePages();
}

const Control *LayoutDesigner::control(const ControlRef &ref) const
{
    if (ref.section < 0 || ref.section >= m_layout.sections.size())
        return nullptr;
    const QVector<Control> &controls = m_layout.sections[ref.section].controls;
    return ref.control >= 0 && ref.control < controls.size() ? &controls[ref.control] : nullptr;
}

void LayoutDesigner::setSelection(const QVector<ControlRef> &refs)
{
    QVector<ControlRef> valid;
    for (const ControlRef &r : refs)
        if (control(r) && !valid.contains(r))
            valid.append(r);
    if (!valid.isEmpty())
        m_currentSection = valid.last().section;
    if (valid == m_selection)
        return;
    m_selection = valid;
    updateViews();
    emit selectionChanged();
}

void LayoutDesigner::selectControl(const ControlRef &ref, bool add)
{
    if (!add) {
        setSelection({ref});
        return;
    }
    QVector<ControlRef> refs = m_selection;
    if (refs.contains(ref))
        refs.removeAll(ref);
    else
        refs.append(ref);
    setSelection(refs);
}

void LayoutDesigner::setCurrentSection(int section)
{
    if (section < -1 || section >= m_layout.sections.size() || section == m_currentSection)
        return;
    m_currentSection = section;
    updateViews();
}

QString LayoutDesigner::nameStem(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Label: return QStringLiteral("Label");
    case ControlKind::TextBox: return QStringLiteral("Field");
    case ControlKind::Line: return QStringLiteral("Line");
    case ControlKind::Shape: return QStringLiteral("Shape");
    case ControlKind::Picture: return QStringLiteral("Picture");
    }
    return QStringLiteral("Control");
}

QString LayoutDesigner::freeName(const QString &stem) const
{
    for (int n = 1;; ++n) {
        const QString name = stem + QString::number(n);
        bool used = false;
        for (const Section &s : m_layout.sections)
            for (const Control &c : s.controls)
                used = used || c.name.compare(name, Qt::CaseInsensitive) == 0;
        if (!used)
            return name;
    }
}

LayoutDesigner::ControlRef LayoutDesigner::addControl(Tool tool, int section, const QRect &twips)
{
    if (tool == Tool::Pointer || section < 0 || section >= m_layout.sections.size())
        return {};
    Control c;
    c.kind = kindOf(tool);
    c.name = freeName(nameStem(c.kind));
    const QSize size = defaultSize(c.kind);
    c.left = twips.x();
    c.top = twips.y();
    const bool given = twips.width() != 0 || twips.height() != 0;
    c.width = given ? twips.width() : size.width();
    c.height = given ? twips.height() : size.height();
    if (c.kind == ControlKind::Label || c.kind == ControlKind::TextBox)
        c.text = c.name;
    Section &s = m_layout.sections[section];
    s.controls.append(c);
    const ControlRef ref{section, int(s.controls.size()) - 1};
    m_selection = {ref};
    m_currentSection = section;
    updateViews();
    emit selectionChanged();
    emitChanged(ControlsChanged);
    return ref;
}

LayoutDesigner::ControlRef LayoutDesigner::addControlAtDefaultPlace(Tool tool)
{
    const int section = m_currentSection;
    if (section < 0 || section >= m_layout.sections.size())
        return {};
    int at = 0;
    for (bool taken = true; taken; at += 150) {
        taken = false;
        for (const Control &c : m_layout.sections[section].controls)
            taken = taken || (c.left == at && c.top == at);
        if (!taken)
            break;
    }
    return addControl(tool, section, QRect(at, at, 0, 0));
}

void LayoutDesigner::setControlText(const ControlRef &ref, const QString &text)
{
    if (!control(ref))
        return;
    m_layout.sections[ref.section].controls[ref.control].text = text;
    updateViews();
    emitChanged(PropertiesChanged);
}

void LayoutDesigner::changeSelected(const std::function<void(Control &)> &change, bool first)
{
    if (m_selection.isEmpty())
        return;
    for (const ControlRef &r : m_selection) {
        change(m_layout.sections[r.section].controls[r.control]);
        if (first)
            break;
    }
    updateViews();
    emitChanged(PropertiesChanged);
}

bool LayoutDesigner::renameControl(const ControlRef &ref, const QString &name)
{
    const QString trimmed = name.trimmed();
    if (!control(ref) || trimmed.isEmpty())
        return false;
    // Fields are found by name when a report runs: names stay unique.
    for (int s = 0; s < m_layout.sections.size(); ++s)
        for (int i = 0; i < m_layout.sections[s].controls.size(); ++i)
            if (ControlRef{s, i} != ref && m_layout.sections[s].controls[i].name == trimmed)
                return false;
    m_layout.sections[ref.section].controls[ref.control].name = trimmed;
    updateViews();
    emitChanged(PropertiesChanged);
    return true;
}

void LayoutDesigner::moveSelection(int dx, int dy)
{
    changeSelected([dx, dy](Control &c) {
        c.left = qMax(0, clampedSum(c.left, dx));
        c.top = qMax(0, clampedSum(c.top, dy));
    });
}

void LayoutDesigner::resizeSelection(int dw, int dh)
{
    changeSelected([dw, dh](Control &c) {
        const bool line = c.kind == ControlKind::Line;
        c.width = line ? clampedSum(c.width, dw) : qMax(0, clampedSum(c.width, dw));
        c.height = line ? clampedSum(c.height, dh) : qMax(0, clampedSum(c.height, dh));
    });
}

void LayoutDesigner::deleteSelection()
{
    if (m_selection.isEmpty())
        return;
    QVector<ControlRef> refs = m_selection;
    std::sort(refs.begin(), refs.end(), [](const ControlRef &a, const ControlRef &b) {
        return a.section != b.section ? a.section > b.section : a.control > b.control;
    });
    for (const ControlRef &r : refs)
        m_layout.sections[r.section].controls.removeAt(r.control);
    m_selection.clear();
    updateViews();
    emit selectionChanged();
    emitChanged(ControlsChanged);
}

void LayoutDesigner::copySelection()
{
    m_clipboard.clear();
    for (const ControlRef &r : m_selection)
        m_clipboard.append(*control(r));
    m_pasteCount = 0;
}

void LayoutDesigner::paste()
{
    const int section = m_currentSection;
    if (m_clipboard.isEmpty() || section < 0 || section >= m_layout.sections.size())
        return;
    const int offset = 150 * ++m_pasteCount;
    QVector<ControlRef> pasted;
    for (Control c : m_clipboard) {
        QString stem = c.name;
        while (!stem.isEmpty() && stem.back().isDigit())
            stem.chop(1);
        c.name = freeName(stem.isEmpty() ? nameStem(c.kind) : stem);
        c.left = clampedSum(c.left, offset);
        c.top = clampedSum(c.top, offset);
        m_layout.sections[section].controls.append(c);
        pasted.append({section, int(m_layout.sections[section].controls.size()) - 1});
    }
    m_selection = pasted;
    updateViews();
    emit selectionChanged();
    emitChanged(ControlsChanged);
}

void LayoutDesigner::changeSection(int section, const std::function<void(Section &)> &change)
{
    if (section < 0 || section >= m_layout.sections.size())
        return;
    const Section before = m_layout.sections[section];
    change(m_layout.sections[section]);
    if (before == m_layout.sections[section])
        return;
    updateViews();
    emitChanged(PropertiesChanged);
}

void LayoutDesigner::deleteSection(int section)
{
    if (section < 0 || section >= m_layout.sections.size() || m_layout.sections.size() < 2)
        return;
    m_layout.sections.removeAt(section);
    m_selection.clear();
    m_currentSection = qMin(section, int(m_layout.sections.size()) - 1);
    updateViews();
    emit selectionChanged();
    emitChanged(SectionsChanged);
}

void LayoutDesigner::notifyControlsEdited()
{
    updateViews();
    emitChanged(PropertiesChanged);
}

void LayoutDesigner::setTool(Tool tool)
{
    m_tool = tool;
    if (QAction *a = m_toolActions.value(int(tool)))
        a->setChecked(true);
    m_canvas->setCursor(tool == Tool::Pointer ? Qt::ArrowCursor : Qt::CrossCursor);
}

void LayoutDesigner::setZoom(double zoom)
{
    if (zoom <= 0)
        return;
    m_zoom = zoom;
    const int i = m_zoomBox->findData(zoom);
    if (i >= 0 && i != m_zoomBox->currentIndex())
        m_zoomBox->setCurrentIndex(i);
    m_canvas->relayout();
}

void LayoutDesigner::emitChanged(int kind)
{
    emit layoutChanged(kind);
}

void LayoutDesigner::updateViews()
{
    m_canvas->relayout();
    m_panel->refresh();
}

} // namespace report
