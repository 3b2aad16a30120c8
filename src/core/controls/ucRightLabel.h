#pragma once

#include "core/controls/ucCaptionLabel.h"

// A right-aligned value field whose caption ends 100 twips short of the
// control's right edge.
class ucRightLabel : public ucCaptionLabel {
    Q_OBJECT
public:
    explicit ucRightLabel(QWidget *parent = nullptr);

    // The caption's colour as an RGB value (red in the low byte), limited
    // to 16 bits: writing outside 0..32767 throws std::out_of_range. Reads
    // 0 until a colour was written.
    int ForeColor() const { return m_foreColor; }
    void setForeColor(int rgb);

private:
    int m_foreColor = 0;
};
