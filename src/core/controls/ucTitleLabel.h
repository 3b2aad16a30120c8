#pragma once

#include "core/controls/ucCaptionLabel.h"

// A light grey title band.
class ucTitleLabel : public ucCaptionLabel {
    Q_OBJECT
public:
    explicit ucTitleLabel(QWidget *parent = nullptr);
};
