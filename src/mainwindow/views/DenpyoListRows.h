#pragma once

#include "mainwindow/views/MainListRows.h"

#include <QString>
#include <memory>

class denpyos;
class DenpyoDisplay;

// The rows of the main slip list over the slips of one load. Cells are
// formatted when asked for; a list of many slips costs its load, not the
// formatting of sixteen texts per slip.
class DenpyoListRows : public MainListRows {
public:
    explicit DenpyoListRows(std::shared_ptr<const denpyos> slips);

    int count() const override;
    QString text(int row, int column) const override;
    int image(int row) const override;
    bool sortsByValue(int column) const override;
    std::optional<double> sortValue(int row, int column) const override;
    bool inOrder(int column, bool ascending) const override;

    // The cell texts of one slip, columns 0 to 15.
    static QString cell(const DenpyoDisplay &slip, int column);
    // The list picture chosen by the progress stages.
    static int stageImage(const DenpyoDisplay &slip);

private:
    std::shared_ptr<const denpyos> m_slips;
};
