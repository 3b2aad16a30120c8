#include "core/controls/ucRightLabel.h"

#include "core/controls/ucTextInput.h"

#include <QFrame>
#include <QLabel>
#include <stdexcept>

ucRightLabel::ucRightLabel(QWidget *parent)
    : ucCaptionLabel({300, 0, 0, 30, 240, 100}, parent)
{
    Picture1()->setBackgroundRole(QPalette::Base);
    Label1()->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label1()->setFont(ucTextInput::fieldFont());
}

void ucRightLabel::setForeColor(int rgb)
{
    if (rgb < 0 || rgb > 32767)
        throw std::out_of_range("ForeColor out of range");
    m_foreColor = rgb;
    QPalette palette = Label1()->palette();
    palette.setColor(QPalette::WindowText, QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF));
    Label1()->setPalette(palette);
}
