#include "platform/report/PropertyPanel.h"

#include "platform/report/LayoutDesigner.h"
#include "platform/text/FileFailure.h"
#include "platform/text/LineFile.h"
#include "platform/ui/EntryRule.h"
#include "platform/ui/MessageBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QValidator>
#include <QVBoxLayout>

#include <cerrno>

namespace report {

namespace {

QSpinBox *twipsBox(QWidget *parent, int minimum = -kMaxTwips)
{
    auto *box = new QSpinBox(parent);
    box->setRange(minimum, kMaxTwips);
    box->setSingleStep(15);
    box->setSuffix(QStringLiteral(" tw"));
    box->setKeyboardTracking(false);
    return box;
}

QString kindName(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Label: return QStringLiteral("ラベル");
    case ControlKind::TextBox: return QStringLiteral("テキストボックス");
    case ControlKind::Line: return QStringLiteral("直線");
    case ControlKind::Shape: return QStringLiteral("四角形");
    case ControlKind::Picture: return QStringLiteral("画像");
    }
    return QString();
}

const qint64 kPictureLimit = 16 * 1024 * 1024;

QLineEdit *entryBox(QWidget *parent, const char *name)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setValidator(new ui::EntryRule(e));
    return e;
}

// Shows a control's value as it stands (the entry rule is for the user's
// input); leaves the caret where it is while the user types into the box.
void setText(QLineEdit *edit, const QString &text)
{
    if (edit->text() == text)
        return;
    const QValidator *rule = edit->validator();
    edit->setValidator(nullptr);
    edit->setText(text);
    edit->setValidator(rule);
}

} // namespace

PropertyPanel::PropertyPanel(LayoutDesigner *designer) : QWidget(designer), m_designer(designer)
{
    setObjectName(QStringLiteral("propertyPanel"));
    m_kindLabel = new QLabel(this);
    m_kindLabel->setStyleSheet(QStringLiteral("font-weight: bold"));
    m_pages = new QStackedWidget(this);
    m_pages->addWidget(buildControlPage());
    m_pages->addWidget(buildSectionPage());
    auto *box = new QVBoxLayout(this);
    box->setContentsMargins(4, 4, 4, 4);
    box->addWidget(m_kindLabel);
    box->addWidget(m_pages);
    box->addStretch();
    refresh();
}

QWidget *PropertyPanel::buildControlPage()
{
    auto *page = new QWidget(this);
    auto *form = new QFormLayout(page);
    form->setContentsMargins(0, 0, 0, 0);
    nameEdit = entryBox(page, "nameEdit");
    textEdit = entryBox(page, "textEdit");
    tagEdit = entryBox(page, "tagEdit");
    formatEdit = entryBox(page, "formatEdit");
    leftBox = twipsBox(page);
    topBox = twipsBox(page);
    widthBox = twipsBox(page);
    heightBox = twipsBox(page);
    fontBox = new QComboBox(page);
    fontBox->setEditable(true);
    fontBox->addItems({QStringLiteral("ＭＳ 明朝"), QStringLiteral("ＭＳ ゴシック"), QStringLiteral("ＭＳ Ｐ明朝"),
                       QStringLiteral("ＭＳ Ｐゴシック")});
    fontSizeBox = new QDoubleSpinBox(page);
    fontSizeBox->setRange(1, 200);
    fontSizeBox->setDecimals(1);
    fontSizeBox->setSuffix(QStringLiteral(" pt"));
    fontSizeBox->setKeyboardTracking(false);
    boldBox = new QCheckBox(QStringLiteral("太字"), page);
    italicBox = new QCheckBox(QStringLiteral("斜体"), page);
    underlineBox = new QCheckBox(QStringLiteral("下線"), page);
    alignBox = new QComboBox(page);
    alignBox->addItems({QStringLiteral("左"), QStringLiteral("中央"), QStringLiteral("右")});
    valignBox = new QComboBox(page);
    valignBox->addItems({QStringLiteral("上"), QStringLiteral("中央"), QStringLiteral("下")});
    wrapBox = new QCheckBox(QStringLiteral("折り返す"), page);
    borderBox = new QCheckBox(QStringLiteral("枠線を引く"), page);
    lineWidthBox = twipsBox(page, 0);
    lineWidthBox->setMaximum(1440);
    pictureButton = new QPushButton(QStringLiteral("画像の読み込み..."), page);

    auto *styles = new QHBoxLayout;
    styles->addWidget(boldBox);
    styles->addWidget(italicBox);
    styles->addWidget(underlineBox);
    auto *aligns = new QHBoxLayout;
    aligns->addWidget(alignBox);
    aligns->addWidget(valignBox);
    form->addRow(QStringLiteral("名前"), nameEdit);
    form->addRow(QStringLiteral("テキスト"), textEdit);
    form->addRow(QStringLiteral("タグ"), tagEdit);
    form->addRow(QStringLiteral("出力形式"), formatEdit);
    form->addRow(QStringLiteral("左"), leftBox);
    form->addRow(QStringLiteral("上"), topBox);
    form->addRow(QStringLiteral("幅"), widthBox);
    form->addRow(QStringLiteral("高さ"), heightBox);
    form->addRow(QStringLiteral("フォント"), fontBox);
    form->addRow(QStringLiteral("サイズ"), fontSizeBox);
    form->addRow(QString(), styles);
    form->addRow(QStringLiteral("配置"), aligns);
    form->addRow(QString(), wrapBox);
    form->addRow(QString(), borderBox);
    form->addRow(QStringLiteral("線の太さ"), lineWidthBox);
    form->addRow(QString(), pictureButton);

    auto all = [this](const std::function<void(Control &)> &change) {
        if (!m_filling)
            m_designer->changeSelected(change);
    };
    connect(nameEdit, &QLineEdit::editingFinished, this, [this] {
        if (m_filling || m_designer->selection().isEmpty())
            return;
        const LayoutDesigner::ControlRef first = m_designer->selection().first();
        const Control *c = m_designer->control(first);
        if (c && c->name != nameEdit->text() && !m_designer->renameControl(first, nameEdit->text()))
            refresh();
    });
    connect(textEdit, &QLineEdit::textEdited, this, [all](const QString &t) { all([t](Control &c) { c.text = t; }); });
    connect(tagEdit, &QLineEdit::textEdited, this, [all](const QString &t) { all([t](Control &c) { c.tag = t; }); });
    connect(formatEdit, &QLineEdit::textEdited, this,
            [all](const QString &t) { all([t](Control &c) { c.outputFormat = t; }); });
    connect(leftBox, &QSpinBox::valueChanged, this, [all](int v) { all([v](Control &c) { c.left = v; }); });
    connect(topBox, &QSpinBox::valueChanged, this, [all](int v) { all([v](Control &c) { c.top = v; }); });
    connect(widthBox, &QSpinBox::valueChanged, this, [all](int v) { all([v](Control &c) { c.width = v; }); });
    connect(heightBox, &QSpinBox::valueChanged, this, [all](int v) { all([v](Control &c) { c.height = v; }); });
    connect(fontBox, &QComboBox::currentTextChanged, this,
            [all](const QString &f) { all([f](Control &c) { c.font.family = f; }); });
    connect(fontSizeBox, &QDoubleSpinBox::valueChanged, this,
            [all](double v) { all([v](Control &c) { c.font.size = v; }); });
    connect(boldBox, &QCheckBox::toggled, this, [all](bool on) { all([on](Control &c) { c.font.bold = on; }); });
    connect(italicBox, &QCheckBox::toggled, this, [all](bool on) { all([on](Control &c) { c.font.italic = on; }); });
    connect(underlineBox, &QCheckBox::toggled, this,
            [all](bool on) { all([on](Control &c) { c.font.underline = on; }); });
    connect(alignBox, &QComboBox::currentIndexChanged, this,
            [all](int i) { all([i](Control &c) { c.align = HAlign(qBound(0, i, 2)); }); });
    connect(valignBox, &QComboBox::currentIndexChanged, this,
            [all](int i) { all([i](Control &c) { c.valign = VAlign(qBound(0, i, 2)); }); });
    connect(wrapBox, &QCheckBox::toggled, this, [all](bool on) { all([on](Control &c) { c.wordWrap = on; }); });
    connect(borderBox, &QCheckBox::toggled, this, [all](bool on) { all([on](Control &c) { c.border = on; }); });
    connect(lineWidthBox, &QSpinBox::valueChanged, this, [all](int v) { all([v](Control &c) { c.lineWidth = v; }); });
    connect(pictureButton, &QPushButton::clicked, this, &PropertyPanel::choosePicture);
    return page;
}

QWidget *PropertyPanel::buildSectionPage()
{
    auto *page = new QWidget(this);
    auto *form = new QFormLayout(page);
    form->setContentsMargins(0, 0, 0, 0);
    sectionNameEdit = entryBox(page, "sectionNameEdit");
    newPageBox = new QComboBox(page);
    newPageBox->addItems({QStringLiteral("0 - None"), QStringLiteral("1 - Before"), QStringLiteral("2 - After"),
                          QStringLiteral("3 - BeforeAfter")});
    sectionHeightBox = twipsBox(page, 0);
    deleteSectionButton = new QPushButton(QStringLiteral("セクションの削除"), page);
    form->addRow(QStringLiteral("名前"), sectionNameEdit);
    form->addRow(QStringLiteral("NewPage"), newPageBox);
    form->addRow(QStringLiteral("高さ"), sectionHeightBox);
    form->addRow(QString(), deleteSectionButton);

    auto section = [this](const std::function<void(Section &)> &change) {
        if (!m_filling)
            m_designer->changeSection(m_designer->currentSection(), change);
    };
    connect(sectionNameEdit, &QLineEdit::editingFinished, this, [this, section] {
        const QString name = sectionNameEdit->text();
        section([name](Section &s) { s.name = name; });
    });
    connect(newPageBox, &QComboBox::currentIndexChanged, this,
            [section](int i) { section([i](Section &s) { s.newPage = i; }); });
    connect(sectionHeightBox, &QSpinBox::valueChanged, this,
            [section](int v) { section([v](Section &s) { s.height = v; }); });
    connect(deleteSectionButton, &QPushButton::clicked, this,
            [this] { m_designer->deleteSection(m_designer->currentSection()); });
    return page;
}

void PropertyPanel::choosePicture()
{
    if (m_designer->selection().isEmpty())
        return;
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("画像の読み込み"), QString(),
                                                      QStringLiteral("画像 (*.png *.jpg *.jpeg *.bmp *.gif)"));
    if (path.isEmpty())
        return;
    const auto read = text::readBytes(path, kPictureLimit);
    // Only a file that could not be read has a reason to tell.
    const QString why = read ? QString() : text::readFailureReason(errno);
    const QByteArray bytes = read.value_or(QByteArray());
    QImage image;
    if (bytes.isEmpty() || !image.loadFromData(bytes)) {
        ui::showMessage(QStringLiteral("画像を読み込めません。") + why + QStringLiteral("\n") + path, ui::Icon::Exclamation,
                        ui::Buttons::Ok, ui::Answer::Ok, QString(), this);
        return;
    }
    m_designer->changeSelected([bytes](Control &c) {
        if (c.kind == ControlKind::Picture)
            c.picture = bytes;
    });
}

void PropertyPanel::refresh()
{
    if (m_detached)
        return;
    m_filling = true;
    const auto &selection = m_designer->selection();
    const Control *c = selection.isEmpty() ? nullptr : m_designer->control(selection.first());
    if (c) {
        m_pages->setCurrentIndex(0);
        m_kindLabel->setText(selection.size() > 1 ? QStringLiteral("%1 他 %2 個").arg(kindName(c->kind)).arg(selection.size() - 1)
                                                  : kindName(c->kind));
        const bool text = c->kind == ControlKind::Label || c->kind == ControlKind::TextBox;
        const bool box = c->kind != ControlKind::Line && c->kind != ControlKind::Shape;
        setText(nameEdit, c->name);
        nameEdit->setEnabled(selection.size() == 1);
        setText(textEdit, c->text);
        setText(tagEdit, c->tag);
        setText(formatEdit, c->outputFormat);
        // A line may run up or left: its width and height may be negative.
        widthBox->setMinimum(c->kind == ControlKind::Line ? -kMaxTwips : 0);
        heightBox->setMinimum(c->kind == ControlKind::Line ? -kMaxTwips : 0);
        leftBox->setValue(c->left);
        topBox->setValue(c->top);
        widthBox->setValue(c->width);
        heightBox->setValue(c->height);
        fontBox->setCurrentText(c->font.family);
        fontSizeBox->setValue(c->font.size);
        boldBox->setChecked(c->font.bold);
        italicBox->setChecked(c->font.italic);
        underlineBox->setChecked(c->font.underline);
        alignBox->setCurrentIndex(int(c->align));
        valignBox->setCurrentIndex(int(c->valign));
        wrapBox->setChecked(c->wordWrap);
        borderBox->setChecked(c->border);
        lineWidthBox->setValue(c->lineWidth);
        for (QWidget *w : std::initializer_list<QWidget *>{textEdit, tagEdit, formatEdit, fontBox, fontSizeBox, boldBox,
                                                           italicBox, underlineBox, alignBox, valignBox, wrapBox})
            w->setEnabled(text);
        borderBox->setEnabled(box);
        pictureButton->setVisible(c->kind == ControlKind::Picture);
    } else {
        const int s = m_designer->currentSection();
        const bool has = s >= 0 && s < m_designer->layout().sections.size();
        m_pages->setCurrentIndex(1);
        m_kindLabel->setText(QStringLiteral("セクション"));
        const Section *section = has ? &m_designer->layout().sections[s] : nullptr;
        setText(sectionNameEdit, section ? section->name : QString());
        newPageBox->setCurrentIndex(section ? qBound(0, section->newPage, 3) : 0);
        sectionHeightBox->setValue(section ? section->height : 0);
        for (QWidget *w : std::initializer_list<QWidget *>{sectionNameEdit, newPageBox, sectionHeightBox})
            w->setEnabled(has);
        deleteSectionButton->setEnabled(has && m_designer->layout().sections.size() > 1);
    }
    m_filling = false;
}

} // namespace report
