// SPDX-License-Identifier: GPL-3.0-or-later
#include "FlexGridAccessible.h"

#include "MSFlexGrid.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPointer>

namespace {

// One cell of the grid as the table's child: a data cell (row and column
// 0 or more, in the model's numbering), a header cell of the header row
// (row -1) or of the header column (column -1), or the corner (both -1).
class FlexGridCell : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    FlexGridCell(MSFlexGrid* grid, int row, int column) : grid_(grid), row_(row), column_(column) {}

    bool isValid() const override
    {
        return grid_ != nullptr && row_ < grid_->model()->rowCount() &&
               column_ < grid_->model()->columnCount();
    }
    QObject* object() const override { return nullptr; }
    QAccessibleInterface* parent() const override
    {
        return QAccessible::queryAccessibleInterface(grid_);
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}

    QAccessible::Role role() const override
    {
        if (isCell()) {
            return QAccessible::Cell;
        }
        return column_ < 0 && row_ >= 0 ? QAccessible::RowHeader : QAccessible::ColumnHeader;
    }

    QString text(QAccessible::Text kind) const override
    {
        if (!isValid() || (kind != QAccessible::Name && kind != QAccessible::Description)) {
            return {};
        }
        const int role =
            kind == QAccessible::Name ? Qt::AccessibleTextRole : Qt::AccessibleDescriptionRole;
        const QAbstractItemModel* model = grid_->model();
        QVariant value;
        if (isCell()) {
            value = grid_->model()->index(row_, column_).data(role);
        } else if (row_ < 0 && column_ < 0) {
            value = grid_->TextMatrix(0, 0);
        } else if (row_ < 0) {
            value = model->headerData(column_, Qt::Horizontal, role);
        } else {
            value = model->headerData(row_, Qt::Vertical, role);
        }
        if (kind == QAccessible::Name && !value.isValid()) {
            value = isCell()   ? model->index(row_, column_).data()
                    : row_ < 0 ? model->headerData(column_, Qt::Horizontal)
                               : model->headerData(row_, Qt::Vertical);
        }
        return value.toString();
    }

    QRect rect() const override
    {
        if (!isValid() || !grid_->isVisible()) {
            return {};
        }
        const Place at = place();
        return {at.part->mapToGlobal(at.rect.topLeft()), at.rect.size()};
    }

    QAccessible::State state() const override
    {
        QAccessible::State state;
        if (!isValid()) {
            state.invalid = true;
            return state;
        }
        // A cell scrolled out of view is hidden, so that a screen reader's
        // review of the window reads only the rows on the screen.
        state.offscreen = !isInView();
        state.invisible = !grid_->isVisible() || state.offscreen;
        if (isCell()) {
            state.selectable = true;
            state.focusable = true;
            state.selected = isSelected();
            state.focused = grid_->hasFocus() && grid_->currentIndex() == index();
            state.readOnly = true;
        }
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableCellInterface) {
            return static_cast<QAccessibleTableCellInterface*>(this);
        }
        return nullptr;
    }

    // QAccessibleTableCellInterface, in the table's numbering: the Term
    // column is column 0, the header row has no row number (-1).
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    int columnIndex() const override { return column_ + 1; }
    int rowIndex() const override { return row_; }
    bool isSelected() const override
    {
        return grid_ != nullptr && isCell() && grid_->selectionModel()->isSelected(index());
    }
    QList<QAccessibleInterface*> columnHeaderCells() const override
    {
        return row_ < 0 ? QList<QAccessibleInterface*>{} : headerCell(-1, column_);
    }
    QList<QAccessibleInterface*> rowHeaderCells() const override
    {
        return isCell() ? headerCell(row_, -1) : QList<QAccessibleInterface*>{};
    }
    QAccessibleInterface* table() const override { return parent(); }

    int row() const { return row_; }
    int column() const { return column_; }

private:
    bool isCell() const { return row_ >= 0 && column_ >= 0; }
    // Where the cell lies, in the coordinates of the part of the grid that
    // shows it: the cells' viewport, a header's, or the grid for the corner.
    struct Place {
        const QWidget* part;
        QRect rect;
    };
    Place place() const
    {
        const QHeaderView* top = grid_->horizontalHeader();
        const QHeaderView* side = grid_->verticalHeader();
        if (isCell()) {
            return {grid_->viewport(), grid_->visualRect(index())};
        }
        if (row_ < 0 && column_ < 0) {
            return {grid_, QRect(side->x(), top->y(), side->width(), top->height())};
        }
        if (row_ < 0) {
            return {top->viewport(), QRect(top->sectionViewportPosition(column_), 0,
                                           top->sectionSize(column_), top->height())};
        }
        return {side->viewport(), QRect(0, side->sectionViewportPosition(row_), side->width(),
                                        side->sectionSize(row_))};
    }
    // Whether any of the cell shows in its part of the grid; the corner always does.
    bool isInView() const
    {
        if (row_ < 0 && column_ < 0) {
            return true;
        }
        const Place at = place();
        return at.part->rect().intersects(at.rect);
    }
    QModelIndex index() const { return grid_->model()->index(row_, column_); }
    QList<QAccessibleInterface*> headerCell(int row, int column) const
    {
        const auto* grid =
            static_cast<FlexGridAccessible*>(QAccessible::queryAccessibleInterface(grid_));
        QAccessibleInterface* header = grid->child(grid->childIndex(row, column));
        return header != nullptr ? QList<QAccessibleInterface*>{header}
                                 : QList<QAccessibleInterface*>{};
    }

    QPointer<MSFlexGrid> grid_;
    int row_;
    int column_;
};

// Selects or deselects the whole row or column through a cell; false for a
// cell outside the grid.
bool SelectLine(MSFlexGrid* grid, int row, int column, QItemSelectionModel::SelectionFlags how)
{
    const QModelIndex cell = grid->model()->index(row, column);
    if (!cell.isValid()) {
        return false;
    }
    grid->selectionModel()->select(cell, how);
    return true;
}

QAccessibleInterface* FlexGridFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("MSFlexGrid") && object != nullptr && object->isWidgetType()) {
        return new FlexGridAccessible(static_cast<MSFlexGrid*>(object));
    }
    return nullptr;
}

} // namespace

FlexGridAccessible::FlexGridAccessible(MSFlexGrid* grid)
    : QAccessibleWidget(grid, QAccessible::Table)
{
}

void FlexGridAccessible::install()
{
    QAccessible::installFactory(FlexGridFactory); // Qt installs a factory only once
}

MSFlexGrid* FlexGridAccessible::grid() const
{
    return static_cast<MSFlexGrid*>(widget());
}

void* FlexGridAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableInterface) {
        return static_cast<QAccessibleTableInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
}

int FlexGridAccessible::modelColumns() const
{
    return grid()->model()->columnCount();
}

int FlexGridAccessible::childIndex(int row, int column) const
{
    return (row + 1) * (modelColumns() + 1) + column + 1;
}

int FlexGridAccessible::childCount() const
{
    return (rowCount() + 1) * (modelColumns() + 1);
}

QAccessibleInterface* FlexGridAccessible::child(int index) const
{
    if (index < 0 || index >= childCount()) {
        return nullptr;
    }
    const int perRow = modelColumns() + 1;
    return children_.at(
        index, [&] { return new FlexGridCell(grid(), index / perRow - 1, index % perRow - 1); });
}

int FlexGridAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    const auto* cell = dynamic_cast<const FlexGridCell*>(child);
    if (cell == nullptr || child->parent() != this) {
        return -1;
    }
    return childIndex(cell->row(), cell->column());
}

QAccessibleInterface* FlexGridAccessible::childAt(int x, int y) const
{
    const QModelIndex index = grid()->indexAt(grid()->viewport()->mapFromGlobal(QPoint(x, y)));
    return index.isValid() ? child(childIndex(index.row(), index.column())) : nullptr;
}

QAccessibleInterface* FlexGridAccessible::focusChild() const
{
    const QModelIndex current = grid()->currentIndex();
    if (!grid()->hasFocus() || !current.isValid()) {
        return nullptr;
    }
    return child(childIndex(current.row(), current.column()));
}

QAccessibleInterface* FlexGridAccessible::cellAt(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) {
        return nullptr;
    }
    return child(childIndex(row, column - 1)); // column 0 is the Term column
}

int FlexGridAccessible::selectedCellCount() const
{
    return static_cast<int>(grid()->selectionModel()->selectedIndexes().size());
}

QList<QAccessibleInterface*> FlexGridAccessible::selectedCells() const
{
    QList<QAccessibleInterface*> cells;
    for (const QModelIndex& index : grid()->selectionModel()->selectedIndexes()) {
        cells.append(child(childIndex(index.row(), index.column())));
    }
    return cells;
}

QString FlexGridAccessible::columnDescription(int column) const
{
    return column == 0 ? grid()->TextMatrix(0, 0)
                       : grid()->model()->headerData(column - 1, Qt::Horizontal).toString();
}

QString FlexGridAccessible::rowDescription(int row) const
{
    return grid()->model()->headerData(row, Qt::Vertical).toString();
}

int FlexGridAccessible::selectedColumnCount() const
{
    return static_cast<int>(selectedColumns().size());
}

int FlexGridAccessible::selectedRowCount() const
{
    return static_cast<int>(selectedRows().size());
}

int FlexGridAccessible::columnCount() const
{
    return modelColumns() + 1;
}

int FlexGridAccessible::rowCount() const
{
    return grid()->model()->rowCount();
}

QList<int> FlexGridAccessible::selectedColumns() const
{
    QList<int> columns;
    for (const QModelIndex& index : grid()->selectionModel()->selectedColumns()) {
        columns.append(index.column() + 1);
    }
    return columns;
}

QList<int> FlexGridAccessible::selectedRows() const
{
    QList<int> rows;
    for (const QModelIndex& index : grid()->selectionModel()->selectedRows()) {
        rows.append(index.row());
    }
    return rows;
}

bool FlexGridAccessible::isColumnSelected(int column) const
{
    return column > 0 && grid()->selectionModel()->isColumnSelected(column - 1);
}

bool FlexGridAccessible::isRowSelected(int row) const
{
    return grid()->selectionModel()->isRowSelected(row);
}

bool FlexGridAccessible::selectRow(int row)
{
    return SelectLine(grid(), row, 0, QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

bool FlexGridAccessible::selectColumn(int column)
{
    return SelectLine(grid(), 0, column - 1,
                      QItemSelectionModel::Select | QItemSelectionModel::Columns);
}

bool FlexGridAccessible::unselectRow(int row)
{
    return SelectLine(grid(), row, 0, QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
}

bool FlexGridAccessible::unselectColumn(int column)
{
    return SelectLine(grid(), 0, column - 1,
                      QItemSelectionModel::Deselect | QItemSelectionModel::Columns);
}

// Rows come and go only while the plan is built: the cells met so far are
// dropped and made anew when asked for.
void FlexGridAccessible::modelChange(QAccessibleTableModelChangeEvent*)
{
    children_.forget();
}
