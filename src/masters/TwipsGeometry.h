#pragma once

class QWidget;

// Places a widget by a designed rectangle in twips (relative to its parent).
void placeTwips(QWidget *widget, int left, int top, int width, int height);
