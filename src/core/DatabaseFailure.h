#pragma once

#include <QString>
#include <exception>
#include <functional>

class QWidget;

// The error number, ":" and the text of a failure (the text alone for a
// failure without a number).
QString databaseFailureText(const std::exception &error);

// Shows a failure of a database or file operation as the user sees every
// error: the error number, ":" and its text (exclamation icon).
void showDatabaseFailure(const std::exception &error, QWidget *parent = nullptr);

// Runs a window's action; a failure it throws becomes that message and the
// window stays as it is. Returns whether the action ran through.
bool runShowingFailure(QWidget *parent, const std::function<void()> &action);
