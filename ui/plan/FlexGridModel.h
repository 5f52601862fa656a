// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Calculator.h"

#include <QAbstractTableModel>
#include <string>
#include <vector>

// The cells of MSFlexGrid, row by row as the grid numbers them: row 0 is the
// fixed header row, column 0 the fixed first column. The view shows row 0 as
// its horizontal header and column 0 as its vertical header, so the model's
// items are the grid's cells from row 1 and column 1 on.
class FlexGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kColumns = kPlanColumns;

    explicit FlexGridModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Grid rows, the header row included; never fewer than 1.
    int gridRows() const { return static_cast<int>(rows_.size()); }
    void setGridRows(int count);

    const std::string& cell(int row, int column) const { return rows_[row][column]; }
    void setCell(int row, int column, std::string text);

    // Replaces every row, the header row first, in one step.
    void setAllRows(std::vector<PlanRow> rows);
    const std::vector<PlanRow>& allRows() const { return rows_; }

private:
    // The row of the opening balance: the first row below the header, with
    // no month number.
    bool isOpeningRow(int row) const;

    std::vector<PlanRow> rows_;
};
