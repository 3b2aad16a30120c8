#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace ui {

enum class Icon { None, Critical, Exclamation, Question, Information };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class Answer { Ok, Cancel, Yes, No, Retry };

struct MessageRequest {
    QString text;
    Icon icon = Icon::None;
    Buttons buttons = Buttons::Ok;
    Answer defaultAnswer = Answer::Ok;
    QString title; // empty: the application's title
};

// Shows a modal message box and returns the button chosen. Closing the box
// without a button counts as Cancel (or No, or Ok for a box without them).
Answer showMessage(const MessageRequest &request, QWidget *parent = nullptr);
Answer showMessage(const QString &text, Icon icon = Icon::None, Buttons buttons = Buttons::Ok,
                   Answer defaultAnswer = Answer::Ok, const QString &title = QString(),
                   QWidget *parent = nullptr);

// Tests answer message boxes through a responder instead of showing them.
using MessageResponder = std::function<Answer(const MessageRequest &)>;
void setMessageResponder(MessageResponder responder); // empty: real boxes again

} // namespace ui
