#pragma once

#include <QTranslator>

namespace ui {

// The texts of Qt's own file and print dialogs that Qt's Japanese
// translation leaves in English. Installed after Qt's translation, so that
// it is asked first; every other text it leaves to Qt's.
class QtTextsJa : public QTranslator {
public:
    using QTranslator::QTranslator;

    QString translate(const char *context, const char *sourceText, const char *disambiguation = nullptr,
                      int n = -1) const override;
    bool isEmpty() const override { return false; }
};

} // namespace ui
