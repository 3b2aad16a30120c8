#include "core/controls/ucTitleLabel.h"

#include <QFrame>
#include <QLabel>

ucTitleLabel::ucTitleLabel(QWidget *parent)
    : ucCaptionLabel({315, 10, 100, 40, 255, 10}, parent)
{
    const QColor grey(224, 224, 224);
    QPalette palette = Picture1()->palette();
    palette.setColor(QPalette::Window, grey);
    Picture1()->setPalette(palette);
    Label1()->setAutoFillBackground(true);
    Label1()->setPalette(palette);
    Label1()->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}
