#include "core/controls/ucTextInput.h"

#include "core/controls/InputTextBox.h"
#include "platform/text/TypedText.h"
#include "platform/ui/Twips.h"

#include <QResizeEvent>
#include <stdexcept>

namespace {
constexpr int kBoxHeightTwips = 300;
constexpr int kBoxShortfallTwips = 10; // the box ends this far inside the control's right edge
constexpr int kNoLimit = -1;
constexpr int kLargestMaxLength = 32766;

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QChar(0x3000);
}
} // namespace

ucTextInput::ucTextInput(const QString &accepted, int designedMaxLength, Qt::Alignment alignment,
                         ImeMode ime, QWidget *parent)
    : QWidget(parent), m_box(new InputTextBox(this)), m_accepted(accepted),
      m_maxLength(designedMaxLength)
{
    m_box->setObjectName(QStringLiteral("Text1"));
    m_box->setFont(fieldFont());
    m_box->setAlignment(alignment | Qt::AlignVCenter);
    m_box->move(0, 0);
    m_box->setFixedHeight(ui::twipsToPixelsY(kBoxHeightTwips, this));

    switch (ime) {
    case ImeMode::On:
        m_box->setAttribute(Qt::WA_InputMethodEnabled, true);
        m_box->setInputMethodHints(Qt::ImhNone);
        break;
    case ImeMode::Off:
        m_box->setAttribute(Qt::WA_InputMethodEnabled, true);
        m_box->setInputMethodHints(Qt::ImhPreferLatin);
        break;
    case ImeMode::Disabled:
        m_box->setAttribute(Qt::WA_InputMethodEnabled, false);
        m_box->setInputMethodHints(Qt::ImhPreferNumbers | Qt::ImhLatinOnly);
        break;
    case ImeMode::Untouched:
        break;
    }

    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(m_box);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setFixedHeight(ui::twipsToPixelsY(kBoxHeightTwips, this));

    connect(m_box, &QLineEdit::textChanged, this, [this] { boxChanged(); });
}

ucTextInput::~ucTextInput()
{
    // The box outlives this part of the field by the QWidget part's teardown,
    // which clears the focus and sends the box a focus-out.
    m_box->ownerGone();
}

QFont ucTextInput::fieldFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("MS Gothic"), QStringLiteral("ＭＳ ゴシック"),
                      QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("IPAGothic"),
                      QStringLiteral("VL Gothic"), QStringLiteral("Monospace")});
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSize(9);
    font.setWeight(QFont::Normal);
    return font;
}

QLineEdit *ucTextInput::TextBox() const
{
    return m_box;
}

bool ucTextInput::Enabled() const
{
    return m_box->isEnabled();
}

void ucTextInput::setEnabled(bool enabled)
{
    m_box->setEnabled(enabled);
}

QString ucTextInput::Text() const
{
    const QString text = m_box->text();
    qsizetype begin = 0, end = text.size();
    while (begin < end && isBlank(text.at(begin)))
        ++begin;
    while (end > begin && isBlank(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin);
}

void ucTextInput::setText(const QString &value)
{
    replaceText(value, false);
}

void ucTextInput::setMaxLength(int value)
{
    if (value < kNoLimit || value > kLargestMaxLength)
        throw std::out_of_range("MaxLength out of range");
    m_maxLength = value;
}

int ucTextInput::SelStart() const
{
    return m_box->hasSelectedText() ? m_box->selectionStart() : m_box->cursorPosition();
}

void ucTextInput::setSelStart(int value)
{
    m_box->setCursorPosition(qBound(0, value, int(m_box->text().size())));
}

int ucTextInput::SelLength() const
{
    return int(m_box->selectedText().size());
}

void ucTextInput::setSelLength(int value)
{
    const int start = SelStart();
    const int length = qBound(0, value, int(m_box->text().size()) - start);
    if (length == 0)
        m_box->setCursorPosition(start);
    else
        m_box->setSelection(start, length);
}

QSize ucTextInput::sizeHint() const
{
    return {m_box->sizeHint().width(), height()};
}

QSize ucTextInput::minimumSizeHint() const
{
    return {ui::twipsToPixelsX(kBoxShortfallTwips, this) + 1, height()};
}

QChar ucTextInput::filterChar(QChar c) const
{
    if (m_accepted.isEmpty())
        return text::isEnterable(c) ? c : QChar();
    return m_accepted.contains(c) ? c : QChar();
}

QString ucTextInput::filterTyped(const QString &typed, int replaced) const
{
    const int limit = typedLengthLimit();
    const qsizetype room = limit == kNoLimit ? -1 : qMax<qsizetype>(0, limit - (m_box->text().size() - replaced));
    return text::enterableText(typed, room, [this](QChar c) { return filterChar(c); });
}

bool ucTextInput::keyDown(int &keyCode, int &shift)
{
    const int pressed = keyCode;
    emit TextBoxKeyDown(keyCode, shift);
    return pressed == 0 || keyCode != 0;
}

void ucTextInput::boxChanged()
{
    if (!m_quiet)
        emit TextBoxChange();
}

void ucTextInput::replaceText(const QString &text, bool quiet)
{
    const bool wasQuiet = m_quiet;
    m_quiet = quiet;
    m_box->setText(text);
    m_quiet = wasQuiet;
}

void ucTextInput::selectAllText()
{
    const int length = int(m_box->text().size());
    if (length == 0)
        m_box->setCursorPosition(0);
    else
        m_box->setSelection(0, length);
}

void ucTextInput::enterField()
{
    selectAllText();
    emit TextBoxGotFocus();
}

void ucTextInput::leaveField()
{
    emit TextBoxLostFocus();
}

void ucTextInput::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_box->resize(qMax(0, event->size().width() - ui::twipsToPixelsX(kBoxShortfallTwips, this)),
                  m_box->height());
}
