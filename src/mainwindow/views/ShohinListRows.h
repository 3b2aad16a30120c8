#pragma once

#include "mainwindow/views/MainListModel.h"
#include "mainwindow/views/MainListRows.h"

class Shohins;

// The rows of the main product list: ID, part number, name, maker, price.
class ShohinListRows : public TextListRows {
public:
    static constexpr int kPriceColumn = 4;

    explicit ShohinListRows(const Shohins &shohins);
    static QVector<MainListModel::Column> columns();
    // "#,##0.###" padded with leading blanks to 11 characters; a longer
    // text is shown whole.
    static QString priceCell(double tanka);
};
