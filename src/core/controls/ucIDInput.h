#pragma once

#include "core/controls/ucTextInput.h"

// Customer and product keys: digits, letters (typed lower case goes in as
// capitals), "+", "-" and "@", at most 14, no input method. Keys go into
// SQL between quotes, so no quote can ever be typed or pasted in.
class ucIDInput : public ucTextInput {
    Q_OBJECT
public:
    explicit ucIDInput(QWidget *parent = nullptr);

    // True: the search wildcard "*" may be typed too.
    bool ForSearch() const { return m_forSearch; }
    void setForSearch(bool value) { m_forSearch = value; }

protected:
    QChar filterChar(QChar c) const override;

private:
    bool m_forSearch = false;
};
