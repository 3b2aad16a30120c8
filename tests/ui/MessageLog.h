#pragma once

#include "platform/ui/MessageBox.h"

#include <QList>

// Answers message boxes for a test and keeps what they said. Questions get
// the answers queued in `answers`, then the box's default.
struct MessageLog {
    QList<ui::MessageRequest> shown;
    QList<ui::Answer> answers;

    MessageLog()
    {
        ui::setMessageResponder([this](const ui::MessageRequest &r) {
            shown << r;
            return answers.isEmpty() ? r.defaultAnswer : answers.takeFirst();
        });
    }
    ~MessageLog() { ui::setMessageResponder({}); }

    QStringList texts() const
    {
        QStringList list;
        for (const auto &r : shown)
            list << r.text;
        return list;
    }
};
