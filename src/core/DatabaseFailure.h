#pragma once

#include <exception>

class QWidget;

// Shows a failure of a database or file operation as the user sees every
// error: the error number, ":" and its text (exclamation icon).
void showDatabaseFailure(const std::exception &error, QWidget *parent = nullptr);
