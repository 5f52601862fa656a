// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractTableModel>
#include <array>
#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <utility>

struct PaymentPlan;

// The cells of MSFlexGrid, row by row as the grid numbers them: row 0 is the
// fixed header row, column 0 the fixed first column. The view shows row 0 as
// its horizontal header and column 0 as its vertical header, so the model's
// items are the grid's cells from row 1 and column 1 on. A plan's cells are
// written only when the view or a caller asks for one, so a plan of any
// length costs the same to show.
class FlexGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kColumns = 5; // a plan's columns

    explicit FlexGridModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Grid rows, the header row included; never fewer than 1.
    int gridRows() const { return rows_; }
    void setGridRows(int count);

    std::string cell(int row, int column) const;
    void setCell(int row, int column, std::string text);
    // The cell with a plan's amounts as plain numbers (99847.17, 0.45); a
    // written cell is its text.
    std::string plainCell(int row, int column) const;

    // Shows the plan below the header row, which stays: the opening row,
    // then one row per month. Replaces every row and cell written before.
    void setPlan(std::shared_ptr<const PaymentPlan> plan);

private:
    using PlanText = std::string (*)(const PaymentPlan&, std::size_t, int);
    std::string cell(int row, int column, PlanText planText) const;

    std::array<std::string, kColumns> header_;
    // Cells below the header row written one by one; they cover the plan's.
    std::map<std::pair<int, int>, std::string> written_;
    std::shared_ptr<const PaymentPlan> plan_;
    int planRows_ = 0; // the rows after the header that show the plan
    int rows_ = 1;

    // The row of the opening balance: the first row below the header, with
    // no month number.
    bool isOpeningRow(int row) const;
    // The tooltip of a cell: "699.00 scheduled + 78.83 extra" for a month's payment.
    QVariant paymentSplit(int row, int column) const;
};
