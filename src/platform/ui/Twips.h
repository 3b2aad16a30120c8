#pragma once

class QWidget;

// Twips: 1440 per logical inch of the widget's screen (the primary screen
// when there is no widget).
namespace ui {
int twipsToPixelsX(int twips, const QWidget *w = nullptr);
int twipsToPixelsY(int twips, const QWidget *w = nullptr);
int pixelsToTwipsX(int pixels, const QWidget *w = nullptr);
int pixelsToTwipsY(int pixels, const QWidget *w = nullptr);
} // namespace ui
