#include "masters/TwipsGeometry.h"

#include "platform/ui/Twips.h"

#include <QFrame>
#include <QLabel>
#include <QWidget>

void placeTwips(QWidget *widget, int left, int top, int width, int height)
{
    widget->setGeometry(ui::twipsToPixelsX(left, widget), ui::twipsToPixelsY(top, widget),
                        ui::twipsToPixelsX(width, widget), ui::twipsToPixelsY(height, widget));
}

QLabel *placedLabel(const QString &text, QWidget *parent, int left, int top, int width, int height)
{
    auto *label = new QLabel(text, parent);
    placeTwips(label, left, top, width, height);
    return label;
}

QFrame *separatorLine(QWidget *parent, int left, int top, int width, QPalette::ColorRole role)
{
    auto *line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Plain);
    line->setForegroundRole(role);
    placeTwips(line, left, top, width, 15);
    return line;
}
