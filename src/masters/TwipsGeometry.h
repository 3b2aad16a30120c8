#pragma once

#include <QPalette>
#include <QString>

class QFrame;
class QLabel;
class QWidget;

// Places a widget by a designed rectangle in twips (relative to its parent).
void placeTwips(QWidget *widget, int left, int top, int width, int height);

// A caption placed by its designed rectangle.
QLabel *placedLabel(const QString &text, QWidget *parent, int left, int top, int width, int height);

// A named control placed by its designed rectangle.
template <typename T>
T *placedField(const char *name, QWidget *parent, int left, int top, int width, int height)
{
    auto *field = new T(parent);
    field->setObjectName(QLatin1String(name));
    placeTwips(field, left, top, width, height);
    return field;
}

// One of the two thin lines (shadow, then highlight) under a dialog's title.
QFrame *separatorLine(QWidget *parent, int left, int top, int width, QPalette::ColorRole role);
