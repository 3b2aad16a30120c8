#pragma once

#include "mainwindow/views/MainListRows.h"

#include <memory>

// The rows of the print-form branch: the root lists the own-company print
// data and the seven kinds (sorted by the hidden third column); a kind's
// list starts with the row that creates a new print form, then one row per
// print form of the kind's folder.
namespace PrintFormRows {
inline const QString kAddRow = QStringLiteral(" フォームの追加");
inline const QString kPrintInfoRow = QStringLiteral("自社印刷情報");

std::shared_ptr<TextListRows> root();
// A kind name outside the seven lists the add row alone.
std::shared_ptr<TextListRows> forms(const QString &kindName);
} // namespace PrintFormRows
