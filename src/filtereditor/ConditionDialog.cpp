#include "filtereditor/ConditionDialog.h"

#include "platform/ui/MessageBox.h"
#include "platform/ui/Twips.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

using ui::NavKey;

ConditionDialog::ConditionDialog(const char *name, int topTwips, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), cmdOK(new QPushButton(QStringLiteral("ＯＫ"), this)),
      cmdCancel(new QPushButton(QStringLiteral("ｷｬﾝｾﾙ(ESC)"), this)), keys(new ui::KeyNavigator(this)),
      m_rows(new QVBoxLayout), m_topTwips(topTwips)
{
    setObjectName(QLatin1String(name));
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    for (QPushButton *button : {cmdOK, cmdCancel}) {
        // Enter belongs to the key handling, not to a default button.
        button->setAutoDefault(false);
        button->setDefault(false);
        button->setMinimumWidth(ui::twipsToPixelsX(1095, this));
    }
    auto *frame = new QVBoxLayout(this);
    frame->setContentsMargins(8, 6, 8, 6);
    frame->addLayout(m_rows);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    buttons->addStretch();
    frame->addLayout(buttons);
    setFrameStyle();

    connect(cmdOK, &QPushButton::clicked, this, &ConditionDialog::InputOK);
    connect(cmdCancel, &QPushButton::clicked, this, &ConditionDialog::InputCancel);
    keys->watch({cmdOK, cmdCancel});
    keys->setAction(cmdOK, NavKey::Enter, [this] { InputOK(); });
    keys->setAction(cmdCancel, NavKey::Enter, [this] { InputCancel(); });
    keys->setAction(nullptr, NavKey::Escape, [this] { InputCancel(); });
    keys->setMove(nullptr, NavKey::End, cmdOK);
}

void ConditionDialog::setFrameStyle()
{
    // Without a title bar the window still needs an edge against the editor.
    setStyleSheet(QStringLiteral("ConditionDialog { border: 1px solid palette(dark); }"));
}

void ConditionDialog::addRow(QBoxLayout *row)
{
    m_rows->addLayout(row);
}

void ConditionDialog::setTargets(QWidget *from, QWidget *enter, QWidget *up, QWidget *down, QWidget *right,
                                 QWidget *left)
{
    keys->watch(from);
    const std::pair<NavKey, QWidget *> targets[] = {
        {NavKey::Enter, enter}, {NavKey::Up, up}, {NavKey::Down, down}, {NavKey::Right, right}, {NavKey::Left, left}};
    for (const auto &[key, to] : targets) {
        if (to)
            keys->setMove(from, key, to);
    }
}

void ConditionDialog::refuse(const QString &text, QWidget *focus)
{
    ui::showMessage(text, ui::Icon::Exclamation, ui::Buttons::Ok, ui::Answer::Ok, QString(), this);
    if (focus && ui::KeyNavigator::canTakeFocus(focus))
        focus->setFocus(Qt::OtherFocusReason);
}

void ConditionDialog::showEvent(QShowEvent *event)
{
    if (!m_loaded) {
        m_loaded = true;
        m_ok = false;
        keys->setMove(nullptr, NavKey::Home, firstField());
        QWidget *previous = nullptr;
        for (QWidget *w : tabFields() + QList<QWidget *>{cmdOK, cmdCancel}) {
            keys->watch(w);
            if (previous)
                setTabOrder(previous, w);
            previous = w;
        }
        loadValue();
        placeOverFrame();
        if (QWidget *w = initialFocus())
            w->setFocus(Qt::OtherFocusReason);
    }
    QDialog::showEvent(event);
}

QWidget *ConditionDialog::initialFocus() const
{
    for (QWidget *w : tabFields()) {
        if (ui::KeyNavigator::canTakeFocus(w))
            return w;
    }
    return nullptr;
}

void ConditionDialog::placeOverFrame()
{
    adjustSize();
    QWidget *editor = ofrmFind.data();
    QWidget *frame = editor ? editor->findChild<QWidget *>(QStringLiteral("frmChild")) : nullptr;
    if (!frame)
        return;
    const QPoint corner = frame->mapToGlobal(QPoint(0, 0));
    const int inset = ui::twipsToPixelsX(150, frame);
    // The frame's width, not the boxes' preferred one: the boxes give way
    // so that the last caption stays inside the editor's frame.
    const int width = qMax(frame->width() - inset, minimumSizeHint().width());
    setGeometry(corner.x() + inset, corner.y() + ui::twipsToPixelsY(m_topTwips, frame), width, sizeHint().height());
}

void ConditionDialog::keyPressEvent(QKeyEvent *event)
{
    // Esc is the key handling's (InputCancel); Enter closes nothing by itself.
    if (event->key() == Qt::Key_Escape) {
        InputCancel();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        return;
    QDialog::keyPressEvent(event);
}

void ConditionDialog::InputOK()
{
    if (!storeResult())
        return;
    m_ok = true;
    accept();
}

void ConditionDialog::InputCancel()
{
    m_ok = false;
    reject();
}
