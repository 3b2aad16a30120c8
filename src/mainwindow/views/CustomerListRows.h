#pragma once

#include "mainwindow/views/MainListModel.h"
#include "mainwindow/views/MainListRows.h"

class Customers;

// The rows of the main customer list: ID, name, department, closing day.
class CustomerListRows : public TextListRows {
public:
    explicit CustomerListRows(const Customers &customers);
    static QVector<MainListModel::Column> columns();
};
