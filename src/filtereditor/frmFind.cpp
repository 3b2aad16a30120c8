#include "filtereditor/frmFind.h"

#include "core/DateValue.h"
#include "core/Routines.h"
#include "core/WindowMemory.h"
#include "core/controls/ucJaInput.h"
#include "core/dialogs/frmNameInput.h"
#include "filters/SavedFilters.h"
#include "filters/SearchConditionKey.h"
#include "filtereditor/frmDateFromTo.h"
#include "filtereditor/frmDenpyoIDFromTo.h"
#include "filtereditor/frmIDInput.h"
#include "filtereditor/frmKingakuFromTo.h"
#include "filtereditor/frmStringInput.h"
#include "filtereditor/frmYesNo.h"
#include "masters/TwipsGeometry.h"
#include "platform/text/LineFile.h"
#include "platform/ui/DialogFrame.h"
#include "platform/ui/KeyNavigator.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Twips.h"
#include "platform/ui/WaitCursor.h"

#include <QApplication>
#include <QFrame>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

using ui::NavKey;

namespace {

const QString kTemporary = searchfilter::kTemporaryName;
const QString kSearchCaption = QStringLiteral("検索(F12)");
const int kKeyRole = Qt::UserRole + 1;

// The design size of the window (twips); it is never made smaller. The
// layout rules count the window's outer size, which is the body's size
// plus the frame, title bar and menu bar of the design.
const int kMinWidth = 7095;
const int kMinHeight = 6495;
const int kOuterWidth = 120;
const int kOuterHeight = 900;

// The dialog, its options and result of each condition code.
enum class Dialog { DenpyoID, Kingaku, Date, ID, String, YesNo };
struct CodeDialog {
    Dialog dialog;
    QString first, second; // the two options
};

std::optional<CodeDialog> dialogOf(const QString &code)
{
    static const QHash<QString, CodeDialog> dialogs{
        {QStringLiteral("N00"), {Dialog::DenpyoID, {}, {}}},
        {QStringLiteral("K00"), {Dialog::Kingaku, {}, {}}},
        {QStringLiteral("D00"), {Dialog::Date, {}, {}}},
        {QStringLiteral("T00"), {Dialog::Date, {}, {}}},
        {QStringLiteral("I00"), {Dialog::ID, {}, {}}},
        {QStringLiteral("I21"), {Dialog::ID, QStringLiteral("Customer"), QStringLiteral("CustomerID")}},
        {QStringLiteral("I31"), {Dialog::ID, QStringLiteral("Shohin"), QStringLiteral("ShohinID")}},
        {QStringLiteral("S00"), {Dialog::String, {}, {}}},
        {QStringLiteral("S22"), {Dialog::String, QStringLiteral("Customer"), QStringLiteral("NameKnj")}},
        {QStringLiteral("S23"), {Dialog::String, QStringLiteral("Customer"), QStringLiteral("NameKana")}},
        {QStringLiteral("S24"), {Dialog::String, QStringLiteral("Customer"), QStringLiteral("Bumon")}},
        {QStringLiteral("S32"), {Dialog::String, QStringLiteral("Shohin"), QStringLiteral("Number")}},
        {QStringLiteral("S33"), {Dialog::String, QStringLiteral("Shohin"), QStringLiteral("Name")}},
        {QStringLiteral("S34"), {Dialog::String, QStringLiteral("Shohin"), QStringLiteral("Maker")}},
        {QStringLiteral("Y00"), {Dialog::YesNo, QStringLiteral("済み"), QStringLiteral("未済み")}},
        {QStringLiteral("Z00"), {Dialog::YesNo, QStringLiteral("する"), QStringLiteral("しない")}},
    };
    const auto it = dialogs.constFind(code);
    if (it == dialogs.cend())
        return std::nullopt;
    return *it;
}

QPushButton *button(const char *name, const QString &caption, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

QTreeWidget *tree(const char *name, QWidget *parent)
{
    auto *t = new QTreeWidget(parent);
    t->setObjectName(QLatin1String(name));
    t->setHeaderHidden(true);
    t->setColumnCount(1);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    return t;
}

} // namespace

frmFind::frmFind(QWidget *parent)
    : QDialog(parent), menuBar(new QMenuBar(this)), m_body(new QWidget(this)), m_keys(new ui::KeyNavigator(this))
{
    setObjectName(QStringLiteral("frmFind"));
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->setMenuBar(menuBar);
    outer->addWidget(m_body, 1);

    QMenu *mnuFile = menuBar->addMenu(QStringLiteral("ﾌｧｲﾙ(&F)"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuSaveAs = mnuFile->addAction(QStringLiteral("名前をつけて保存(&A)"));
    mnuSaveAs->setObjectName(QStringLiteral("mnuSaveAs"));
    mnuFile->addSeparator();
    mnuExit = mnuFile->addAction(QStringLiteral("終了(&X)"));
    mnuExit->setObjectName(QStringLiteral("mnuExit"));
    mnuNode = new QMenu(QStringLiteral("ノードメニュー"), this);
    mnuNode->setObjectName(QStringLiteral("mnuNode"));
    mnuNodeEdit = mnuNode->addAction(QStringLiteral("編集"));
    mnuNodeRemove = mnuNode->addAction(QStringLiteral("削除"));

    auto *image = new QLabel(m_body);
    image->setPixmap(style()->standardIcon(QStyle::SP_FileDialogContentsView).pixmap(16, 16));
    placeTwips(image, 120, 120, 375, 375);
    lblTitle = placedLabel(QString(), m_body, 600, 240, 5535, 255);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QLabel *label1 = placedLabel(QStringLiteral("検索フィルター名"), m_body, 120, 645, 1545, 255);
    label1->setObjectName(QStringLiteral("Label1"));
    txtName = placedField<ucJaInput>("txtName", m_body, 1680, 600, 5055, 300);
    tvwSelect = tree("tvwSelect", m_body);
    frmChild = new QGroupBox(m_body);
    frmChild->setObjectName(QStringLiteral("frmChild"));
    tvwCondition = tree("tvwCondition", m_body);
    tvwCondition->setContextMenuPolicy(Qt::CustomContextMenu);
    cmdClear = button("cmdClear", QStringLiteral("クリア(&C)"), m_body);
    cmdEdit = button("cmdEdit", QStringLiteral("編集(&E)"), m_body);
    cmdRemove = button("cmdRemove", QStringLiteral("削除(&D)"), m_body);
    picCommandBox = new QWidget(m_body);
    picCommandBox->setObjectName(QStringLiteral("picCommandBox"));
    cmdOK = button("cmdOK", QString(), picCommandBox);
    cmdEnd = button("cmdEnd", QStringLiteral("閉じる(ESC)"), picCommandBox);
    placeTwips(cmdOK, 0, 0, 1215, 540);
    placeTwips(cmdEnd, 0, 600, 1215, 540);
    for (QPushButton *b : {cmdClear, cmdEdit, cmdRemove, cmdOK, cmdEnd}) {
        // Enter on a focused button presses it; there is no default button.
        b->setAutoDefault(true);
        b->setDefault(false);
    }
    setEditButtons(false);
    // Double rules under the title and along the top edge.
    m_lines = {separatorLine(m_body, 120, 480, 100, QPalette::Dark), separatorLine(m_body, 120, 495, 100, QPalette::Light),
               separatorLine(m_body, 0, 0, 100, QPalette::Dark), separatorLine(m_body, 0, 15, 100, QPalette::Light)};

    connect(tvwSelect, &QTreeWidget::itemClicked, this, [this] { ConditionAdd(); });
    connect(tvwCondition, &QTreeWidget::currentItemChanged, this, [this] { nodeSelected(); });
    connect(tvwCondition, &QTreeWidget::itemDoubleClicked, this, [this] { ConditionEdit(); });
    connect(tvwCondition, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { mnuNode->popup(tvwCondition->viewport()->mapToGlobal(pos)); });
    connect(cmdClear, &QPushButton::clicked, this, &frmFind::ConditionClear);
    connect(cmdEdit, &QPushButton::clicked, this, &frmFind::ConditionEdit);
    connect(mnuNodeEdit, &QAction::triggered, this, &frmFind::ConditionEdit);
    connect(cmdRemove, &QPushButton::clicked, this, &frmFind::ConditionRemove);
    connect(mnuNodeRemove, &QAction::triggered, this, &frmFind::ConditionRemove);
    connect(cmdOK, &QPushButton::clicked, this, [this] { FilterSave(FindName == kTemporary); });
    connect(cmdEnd, &QPushButton::clicked, this, &frmFind::FormClose);
    connect(mnuSaveAs, &QAction::triggered, this, &frmFind::FilterSaveAs);
    // Leaving the editor from its menu is closing it.
    connect(mnuExit, &QAction::triggered, this, &frmFind::FormClose);
    connect(txtName, &ucTextInput::TextBoxChange, this, [this] { FindName = txtName->Text(); });
    tvwCondition->installEventFilter(this);
    setUpKeys();

    ui::setDialogFrame(this, ui::DialogFrame::Sizable);
    m_body->setMinimumSize(ui::twipsToPixelsX(kMinWidth - kOuterWidth, this),
                           ui::twipsToPixelsY(kMinHeight - kOuterHeight, this));
    resize(minimumSizeHint());
}

frmFind::~frmFind()
{
    // The trees and the name box report to this window while QWidget's
    // destructor takes them down after this part of it is gone.
    for (QObject *source : {static_cast<QObject *>(tvwSelect), static_cast<QObject *>(tvwCondition),
                            static_cast<QObject *>(txtName)})
        source->disconnect(this);
}

void frmFind::setUpKeys()
{
    m_keys->watch({txtName, tvwSelect, tvwCondition, cmdClear, cmdEdit, cmdRemove, cmdOK, cmdEnd});
    m_keys->setAction(nullptr, NavKey::Home, [this] {
        QWidget *to = txtName->Enabled() ? static_cast<QWidget *>(txtName) : tvwSelect;
        if (ui::KeyNavigator::canTakeFocus(to))
            to->setFocus(Qt::OtherFocusReason);
    });
    m_keys->setAction(nullptr, NavKey::End, [this] {
        if (ui::KeyNavigator::canTakeFocus(cmdOK))
            cmdOK->setFocus(Qt::OtherFocusReason);
    });
    m_keys->setAction(nullptr, NavKey::Escape, [this] { FormClose(); });
    m_keys->setAction(nullptr, NavKey::F12,
                      [this] { FilterSave(cmdOK->text().startsWith(QStringLiteral("検索"))); });

    m_keys->setMove(txtName, NavKey::Enter, tvwSelect);
    m_keys->setMove(txtName, NavKey::Down, cmdClear);
    m_keys->setMove(txtName, NavKey::Left, tvwSelect);

    m_keys->setAction(tvwSelect, NavKey::Enter, [this] { ConditionAdd(); });
    m_keys->setAction(tvwSelect, NavKey::Right, [this] {
        QWidget *to = tvwCondition->topLevelItemCount() > 0 ? static_cast<QWidget *>(tvwCondition) : cmdClear;
        if (ui::KeyNavigator::canTakeFocus(to))
            to->setFocus(Qt::OtherFocusReason);
    });
    m_keys->setAction(tvwCondition, NavKey::Enter, [this] { ConditionEdit(); });
}

bool frmFind::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == tvwCondition && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Delete) {
        ConditionRemove();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

// --- opening ------------------------------------------------------------------

int frmFind::exec()
{
    if (!m_loaded && !Form_Load())
        return Rejected;
    return QDialog::exec();
}

void frmFind::showEvent(QShowEvent *event)
{
    if (!m_loaded && !Form_Load()) {
        // Shown directly rather than through exec(): close again at once.
        QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
    }
    QDialog::showEvent(event);
    if (!m_showing) {
        m_showing = true;
        QWidget *first = txtName->Enabled() ? static_cast<QWidget *>(txtName) : tvwSelect;
        first->setFocus(Qt::OtherFocusReason);
    }
}

bool frmFind::Form_Load()
{
    m_loaded = true;
    LoadWindowPosition(this);
    const QString title = FindName == kTemporary ? QStringLiteral("検索") : QStringLiteral("検索フィルター");
    setWindowTitle(QLatin1Char(' ') + ObjectName + title);
    lblTitle->setText(ObjectName + title);
    m_resultModified = false;
    m_resultFind = false;
    // An unknown kind lists nothing and saves into no folder of ours.
    const auto kind = searchfilter::kindFromObjectName(ObjectName);
    if (!kind) {
        m_loadFailed = true;
        return false;
    }
    m_kind = *kind;

    if (!FindName.isEmpty()) {
        txtName->setText(FindName);
        txtName->setEnabled(false);
        if (!FilterFileLoad()) {
            m_loadFailed = true;
            return false;
        }
        flgNewFilter = false;
        cmdOK->setText(FindName == kTemporary ? kSearchCaption : QStringLiteral("更新(F12)"));
        TabOrderSet(false);
    } else {
        flgNewFilter = true;
        cmdOK->setText(QStringLiteral("登録(F12)"));
        TabOrderSet(true);
    }
    FilterItemSet();
    SelectTreeFill();
    return true;
}

QString frmFind::path(const QString &name) const
{
    return searchfilter::filePath(m_kind, name);
}

bool frmFind::FilterFileLoad()
{
    if (FindName == kTemporary) {
        try {
            searchfilter::ensureTemporaryFilter(m_kind);
        } catch (const text::TextFileError &error) {
            ui::showMessage(error.message(), ui::Icon::Exclamation, ui::Buttons::Ok, ui::Answer::Ok, QString(), this);
            return false;
        }
    }
    SearchFilterFile file;
    switch (file.read(path(FindName))) {
    case SearchFilterFile::Status::Missing:
        return false;
    case SearchFilterFile::Status::Invalid:
        ui::showMessage(QStringLiteral("検索フィルター ") + FindName + QStringLiteral("が不正です。"),
                        ui::Icon::Exclamation, ui::Buttons::Ok, ui::Answer::Ok, QString(), this);
        return false;
    case SearchFilterFile::Status::Ok:
        break;
    }
    m_filter = file;
    showConditions(QString(), QString());
    return true;
}

void frmFind::FilterItemSet()
{
    arrFilterItems.clear();
    for (const QString &row : searchfilter::itemTable(m_kind))
        arrFilterItems.append(KensakuItemSpec::parse(row));
}

void frmFind::SelectTreeFill()
{
    tvwSelect->clear();
    QHash<QString, QTreeWidgetItem *> nodes;
    for (const KensakuItemSpec &item : arrFilterItems) {
        QTreeWidgetItem *parent = item.parentKey == QLatin1String("root") ? nullptr : nodes.value(item.parentKey);
        auto *node = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tvwSelect);
        node->setText(0, item.caption);
        node->setData(0, kKeyRole, item.nodeKey);
        nodes.insert(item.nodeKey, node);
    }
}

const KensakuItemSpec *frmFind::itemOf(const QString &key) const
{
    for (const KensakuItemSpec &item : arrFilterItems) {
        if (item.nodeKey == key)
            return &item;
    }
    return nullptr;
}

void frmFind::TabOrderSet(bool nameEditable)
{
    txtName->setFocusPolicy(nameEditable ? Qt::StrongFocus : Qt::NoFocus);
    QWidget *chain[] = {txtName, tvwSelect, tvwCondition, cmdClear, cmdEdit, cmdRemove, cmdOK, cmdEnd};
    for (size_t i = nameEditable ? 0 : 1; i + 1 < std::size(chain); ++i)
        setTabOrder(chain[i], chain[i + 1]);
}

// --- the condition tree ---------------------------------------------------

void frmFind::showConditions(const QString &visibleKey, const QString &currentKey)
{
    const QSignalBlocker quiet(tvwCondition);
    tvwCondition->clear();
    QTreeWidgetItem *visible = nullptr;
    QTreeWidgetItem *current = nullptr;
    for (const SearchFilterField &field : m_filter.fields) {
        auto *node = new QTreeWidgetItem(tvwCondition);
        node->setText(0, field.label);
        node->setData(0, kKeyRole, field.key);
        for (const SearchFilterCondition &condition : field.conditions) {
            auto *child = new QTreeWidgetItem(node);
            child->setText(0, condition.text);
            child->setData(0, kKeyRole, condition.key);
            if (condition.key == visibleKey)
                visible = child;
            if (condition.key == currentKey)
                current = child;
        }
        if (field.key == visibleKey)
            visible = node;
        if (field.key == currentKey)
            current = node;
    }
    tvwCondition->expandAll();
    if (current)
        tvwCondition->setCurrentItem(current);
    else
        tvwCondition->setCurrentItem(nullptr);
    if (visible)
        tvwCondition->scrollToItem(visible);
}

void frmFind::setEditButtons(bool enabled)
{
    cmdEdit->setEnabled(enabled);
    cmdRemove->setEnabled(enabled);
}

void frmFind::nodeSelected()
{
    if (QTreeWidgetItem *item = tvwCondition->currentItem())
        setEditButtons(item->parent() != nullptr);
}

void frmFind::CommandEnable(bool flag)
{
    for (QWidget *w : {static_cast<QWidget *>(cmdClear), static_cast<QWidget *>(cmdOK),
                       static_cast<QWidget *>(cmdEnd), static_cast<QWidget *>(tvwSelect)})
        w->setEnabled(flag);
}

std::optional<QString> frmFind::askValue(const QString &code, const QString &current)
{
    const auto which = dialogOf(code);
    if (!which)
        return std::nullopt;
    CommandEnable(false);
    QString value;
    const auto run = [&](auto &dialog, auto result) {
        dialog.ValueString = current;
        dialog.ofrmFind = this;
        dialog.exec();
        value = dialog.OK() ? fnTrimBlanks((dialog.*result)()) : QString();
    };
    switch (which->dialog) {
    case Dialog::DenpyoID: {
        frmDenpyoIDFromTo dialog(this);
        run(dialog, &frmDenpyoIDFromTo::ResultDenpyoID);
        break;
    }
    case Dialog::Kingaku: {
        frmKingakuFromTo dialog(this);
        run(dialog, &frmKingakuFromTo::ResultKingaku);
        break;
    }
    case Dialog::Date: {
        frmDateFromTo dialog(this);
        run(dialog, &frmDateFromTo::ResultDate);
        break;
    }
    case Dialog::ID:
    case Dialog::String: {
        std::unique_ptr<TextConditionDialog> dialog;
        if (which->dialog == Dialog::ID)
            dialog = std::make_unique<frmIDInput>(this);
        else
            dialog = std::make_unique<frmStringInput>(this);
        dialog->SearchOptionObject = which->first;
        dialog->SearchOptionItemName = which->second;
        run(*dialog, &TextConditionDialog::ResultString);
        break;
    }
    case Dialog::YesNo: {
        frmYesNo dialog(this);
        dialog.TrueItemName = which->first;
        dialog.FalseItemName = which->second;
        run(dialog, &frmYesNo::ResultValue);
        break;
    }
    }
    CommandEnable(true);
    return value;
}

void frmFind::ConditionAdd()
{
    QTreeWidgetItem *node = tvwSelect->currentItem();
    if (!node || !tvwSelect->isEnabled())
        return;
    const KensakuItemSpec *item = itemOf(node->data(0, kKeyRole).toString());
    if (!item)
        return;
    tvwSelect->setEnabled(false);
    frmChild->setTitle(item->caption);
    const QString code = SearchConditionKey::codeOf(item->inputKind);
    const QString value = askValue(code, QString()).value_or(QString());
    frmChild->setTitle(QString());
    if (!value.isEmpty())
        ConditionNodeAdd(item->nodeKey, item->caption, code + item->column + QLatin1Char('@') + value,
                         SearchConditionKey::displayText(code, value));
    tvwSelect->setEnabled(true);
    tvwSelect->setFocus(Qt::OtherFocusReason);
}

void frmFind::ConditionNodeAdd(const QString &fieldKey, const QString &fieldLabel, const QString &keyWithoutStamp,
                               const QString &displayText)
{
    QTreeWidgetItem *current = tvwCondition->currentItem();
    const QString currentKey = current ? current->data(0, kKeyRole).toString() : QString();
    const bool added = m_filter.addCondition(fieldKey, fieldLabel, keyWithoutStamp, displayText, now());
    QString visibleKey = fieldKey;
    if (added) {
        for (const SearchFilterField &field : m_filter.fields) {
            if (field.key == fieldKey)
                visibleKey = field.conditions.last().key;
        }
    }
    showConditions(visibleKey, currentKey);
}

void frmFind::ConditionEdit()
{
    QTreeWidgetItem *node = tvwCondition->currentItem();
    if (!node || !node->parent()) {
        tvwCondition->setFocus(Qt::OtherFocusReason);
        return;
    }
    const int fieldIndex = tvwCondition->indexOfTopLevelItem(node->parent());
    const int conditionIndex = node->parent()->indexOfChild(node);
    const SearchFilterField field = m_filter.fields.value(fieldIndex);
    const auto key = SearchConditionKey::parse(node->data(0, kKeyRole).toString());
    if (key && dialogOf(key->code)) {
        frmChild->setTitle(key->column);
        const QString value = askValue(key->code, key->value).value_or(QString());
        frmChild->setTitle(QString());
        if (!value.isEmpty()) {
            m_filter.removeCondition(fieldIndex, conditionIndex);
            ConditionNodeAdd(field.key, field.label, key->code + key->column + QLatin1Char('@') + value,
                             SearchConditionKey::displayText(key->code, value));
            // The edited condition (or the one that already showed its text)
            // stays the selected node.
            const QString text = SearchConditionKey::displayText(key->code, value);
            for (const SearchFilterField &f : m_filter.fields) {
                if (f.key != field.key)
                    continue;
                for (const SearchFilterCondition &c : f.conditions)
                    if (c.text == text)
                        showConditions(c.key, c.key);
            }
        }
    }
    tvwCondition->setFocus(Qt::OtherFocusReason);
}

void frmFind::ConditionRemove()
{
    QTreeWidgetItem *node = tvwCondition->currentItem();
    if (!node || !node->parent())
        return;
    m_filter.removeCondition(tvwCondition->indexOfTopLevelItem(node->parent()), node->parent()->indexOfChild(node));
    showConditions(QString(), QString());
    setEditButtons(false);
    tvwSelect->setFocus(Qt::OtherFocusReason);
}

void frmFind::ConditionClear()
{
    m_filter.fields.clear();
    showConditions(QString(), QString());
    setEditButtons(false);
    tvwSelect->setFocus(Qt::OtherFocusReason);
}

// --- saving -------------------------------------------------------------------

bool frmFind::writeFilter(const QString &name)
{
    ui::WaitCursor wait;
    try {
        searchfilter::write(m_kind, name, m_filter);
        return true;
    } catch (const text::TextFileError &error) {
        wait.release();
        ui::showMessage(QStringLiteral("検索フィルター ") + name + QStringLiteral(" を保存できませんでした。\r\n")
                            + error.message(),
                        ui::Icon::Exclamation, ui::Buttons::Ok, ui::Answer::Ok, QString(), this);
        return false;
    }
}

namespace {

void message(const QString &text, ui::Icon icon, QWidget *parent)
{
    ui::showMessage(text, icon, ui::Buttons::Ok, ui::Answer::Ok, QString(), parent);
}
} // namespace

void frmFind::FilterSave(bool temporary)
{
    if (txtName->Text().isEmpty()) {
        message(QStringLiteral("検索フィルター名を入力してください。"), ui::Icon::Critical, this);
        return;
    }
    txtName->setText(fnRemoveCrLf(txtName->TextBox()->text()));
    if (!fnIsValidFileName(FindName)) {
        message(QStringLiteral("フィルター名には次の文字は使えません。\r\n\t\\/:*?<>|"), ui::Icon::Exclamation, this);
        return;
    }
    if (flgNewFilter && searchfilter::isReservedName(FindName)) {
        message(searchfilter::reservedNameMessage(), ui::Icon::Exclamation, this);
        return;
    }
    if (flgNewFilter && QFileInfo::exists(path(FindName))) {
        message(QStringLiteral("この検索フィルター名は既に登録されています。"), ui::Icon::Critical, this);
        return;
    }
    if (FindName != kTemporary) {
        const QString question = QStringLiteral("検索フィルター登録 ") + FindName + QStringLiteral(" を")
                                 + (flgNewFilter ? QStringLiteral("登録") : QStringLiteral("更新"))
                                 + QStringLiteral("しますか？");
        if (ui::showMessage(question, ui::Icon::Question, ui::Buttons::YesNo, ui::Answer::Yes, QString(), this)
            != ui::Answer::Yes)
            return;
    }
    if (!writeFilter(FindName))
        return;
    m_resultFind = temporary;
    m_resultModified = !temporary;
    accept();
}

void frmFind::FilterSaveAs()
{
    frmNameInput dialog(this);
    dialog.setTitle(QStringLiteral("フィルター"));
    dialog.setOriginalName(QString());
    dialog.exec();
    if (!dialog.OK())
        return;
    const QString name = dialog.ResultString();
    if (searchfilter::isReservedName(name)) {
        message(searchfilter::reservedNameMessage(), ui::Icon::Exclamation, this);
        return;
    }
    if (QFileInfo::exists(path(name))) {
        const QString question = QStringLiteral("検索フィルター ") + name
                                 + QStringLiteral(" は既に登録されています。\r\n上書きしますか？");
        if (ui::showMessage(question, ui::Icon::Question, ui::Buttons::YesNo, ui::Answer::No, QString(), this)
            != ui::Answer::Yes)
            return;
    }
    writeFilter(name);
}

void frmFind::FormClose()
{
    reject();
}

void frmFind::done(int result)
{
    if (isVisible())
        SaveWindowPosition(this);
    QDialog::done(result);
}

// --- layout -------------------------------------------------------------------

void frmFind::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    layOut();
}

void frmFind::layOut()
{
    const int w = ui::pixelsToTwipsX(m_body->width(), this) + kOuterWidth;
    const int h = ui::pixelsToTwipsY(m_body->height(), this) + kOuterHeight;
    const int W = std::max(w, kMinWidth);
    const int H = std::max(h, kMinHeight);
    const int buttonsLeft = W - 1215 - 200 - 120;
    placeTwips(tvwSelect, 120, 1080, 2175, H - 2100);
    placeTwips(frmChild, 2400, 960, W - 2600 - 120, 1695);
    placeTwips(tvwCondition, 2400, 2880, W - 3900 - 120, H - 3900);
    placeTwips(cmdClear, buttonsLeft, 2880, 1215, 420);
    placeTwips(cmdEdit, buttonsLeft, 3360, 1215, 420);
    placeTwips(cmdRemove, buttonsLeft, 3840, 1215, 420);
    placeTwips(picCommandBox, buttonsLeft, H - 2200, 1215, 1215);
    const int lineTops[] = {480, 495, 0, 15};
    for (int i = 0; i < m_lines.size(); ++i) {
        const int left = i < 2 ? 120 : 0;
        placeTwips(m_lines[i], left, lineTops[i], W - left, 15);
    }
}
