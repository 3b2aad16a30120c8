#include "masters/TwipsGeometry.h"

#include "platform/ui/Twips.h"

#include <QWidget>

void placeTwips(QWidget *widget, int left, int top, int width, int height)
{
    widget->setGeometry(ui::twipsToPixelsX(left, widget), ui::twipsToPixelsY(top, widget),
                        ui::twipsToPixelsX(width, widget), ui::twipsToPixelsY(height, widget));
}
