#pragma once

namespace ui {

// Shows the hourglass pointer for its lifetime (list fills, saves, prints).
// Nests: the pointer returns when the outermost guard ends.
class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;

    // Ends the wait early (before a message box, for example).
    void release();

private:
    bool m_active = false;
};

} // namespace ui
