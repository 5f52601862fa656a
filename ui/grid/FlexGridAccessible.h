// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AccessibleChildren.h"

#include <QAccessibleWidget>

class MSFlexGrid;

// MSFlexGrid as a screen reader meets it: a table of the months whose fixed
// header row gives the column headers, the corner included (it reads the
// first column's header, "Term"), and whose fixed first column is the
// table's column 0 of row headers ("Term 2"), so that a screen reader
// reading a row says its month. The cells read the model's accessible
// texts. Children are numbered as the item view numbers them in its focus
// and selection events: row by row, the header row first, the header column
// first in each row.
class FlexGridAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit FlexGridAccessible(MSFlexGrid* grid);

    // Makes every MSFlexGrid use this interface. The program installs it at
    // start, before any grid exists.
    static void install();

    MSFlexGrid* grid() const;

    // QAccessibleInterface
    void* interface_cast(QAccessible::InterfaceType type) override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    // QAccessibleTableInterface
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override;
    int selectedRowCount() const override;
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override;
    QList<int> selectedRows() const override;
    bool isColumnSelected(int column) const override;
    bool isRowSelected(int row) const override;
    bool selectRow(int row) override;
    bool selectColumn(int column) override;
    bool unselectRow(int row) override;
    bool unselectColumn(int column) override;
    void modelChange(QAccessibleTableModelChangeEvent* event) override;

    // The child number of the cell at a model row and column; -1 stands for
    // the header row or the header column.
    int childIndex(int row, int column) const;

private:
    int modelColumns() const;

    mutable AccessibleChildren children_;
};
