// SPDX-License-Identifier: GPL-3.0-or-later
#include "FlexGridModel.h"

#include "PlanTexts.h"

#include <algorithm>
#include <utility>

static_assert(FlexGridModel::kColumns == kPlanColumns);

FlexGridModel::FlexGridModel(QObject* parent) : QAbstractTableModel(parent) {}

int FlexGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : gridRows() - 1;
}

int FlexGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kColumns - 1;
}

QVariant FlexGridModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid)) {
        return {};
    }
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString(cell(index.row() + 1, index.column() + 1));
    case Qt::AccessibleTextRole:
        if (isOpeningRow(index.row() + 1)) {
            const QString text = QString::fromStdString(cell(index.row() + 1, index.column() + 1));
            return text.isEmpty() ? text : tr("Opening balance %1").arg(text);
        }
        return {};
    case Qt::ToolTipRole:
        return paymentSplit(index.row() + 1, index.column() + 1);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant FlexGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    const bool horizontal = orientation == Qt::Horizontal;
    const int row = horizontal ? 0 : section + 1;
    const int column = horizontal ? section + 1 : 0;
    if (section < 0 || row >= gridRows() || column >= kColumns) {
        return {};
    }
    const QString text = QString::fromStdString(cell(row, column));
    switch (role) {
    case Qt::DisplayRole:
        return text;
    case Qt::AccessibleTextRole:
        // A screen reader says "Term 12" rather than a bare "12", and names
        // the row above the first month.
        if (!horizontal && isOpeningRow(row)) {
            return tr("Opening balance");
        }
        if (!horizontal && !text.isEmpty()) {
            return QStringLiteral("%1 %2").arg(QString::fromStdString(cell(0, 0)), text);
        }
        return text;
    default:
        return {};
    }
}

// A month's payment cell tells what of it is the scheduled payment and
// what the extra, which the grid's designed columns leave out.
QVariant FlexGridModel::paymentSplit(int row, int column) const
{
    const bool planMonth = row > 1 && row <= planRows_ && !written_.count({row, column});
    if (column != kPaymentColumn || !planMonth) {
        return {};
    }
    const PlanMonth& month = plan_->months[static_cast<std::size_t>(row) - 2];
    return QString::fromStdString(PaymentSplitText(month, plan_->terms.scheduledPayment));
}

bool FlexGridModel::isOpeningRow(int row) const
{
    return row == 1 && gridRows() > 1 && cell(1, 0).empty();
}

Qt::ItemFlags FlexGridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void FlexGridModel::setGridRows(int count)
{
    const int wanted = std::max(count, 1);
    const int current = gridRows();
    if (wanted > current) {
        beginInsertRows(QModelIndex(), current - 1, wanted - 2);
        rows_ = wanted;
        endInsertRows();
    } else if (wanted < current) {
        beginRemoveRows(QModelIndex(), wanted - 1, current - 2);
        // Rows taken away lose their texts; rows added later start empty.
        written_.erase(written_.lower_bound({wanted, 0}), written_.end());
        planRows_ = std::min(planRows_, wanted - 1);
        rows_ = wanted;
        endRemoveRows();
    }
}

std::string FlexGridModel::cell(int row, int column) const
{
    return cell(row, column, PlanCellText);
}

std::string FlexGridModel::plainCell(int row, int column) const
{
    return cell(row, column, PlainCellText);
}

std::string FlexGridModel::cell(int row, int column, PlanText planText) const
{
    if (row == 0) {
        return header_[static_cast<std::size_t>(column)];
    }
    if (const auto written = written_.find({row, column}); written != written_.end()) {
        return written->second;
    }
    if (row <= planRows_) {
        return planText(*plan_, static_cast<std::size_t>(row), column);
    }
    return {};
}

void FlexGridModel::setCell(int row, int column, std::string text)
{
    if (row == 0) {
        header_[static_cast<std::size_t>(column)] = std::move(text);
    } else {
        written_[{row, column}] = std::move(text);
    }
    if (row == 0 && column == 0) {
        // The corner: the vertical header's accessible texts name it.
        if (gridRows() > 1) {
            emit headerDataChanged(Qt::Vertical, 0, gridRows() - 2);
        }
    } else if (row == 0) {
        emit headerDataChanged(Qt::Horizontal, column - 1, column - 1);
    } else if (column == 0) {
        emit headerDataChanged(Qt::Vertical, row - 1, row - 1);
    } else {
        const QModelIndex changed = index(row - 1, column - 1);
        emit dataChanged(changed, changed, {Qt::DisplayRole});
    }
}

void FlexGridModel::setPlan(std::shared_ptr<const PaymentPlan> plan)
{
    beginResetModel();
    plan_ = std::move(plan);
    written_.clear();
    rows_ = static_cast<int>(PlanGridRows(*plan_));
    planRows_ = rows_ - 1;
    endResetModel();
}
