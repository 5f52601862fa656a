// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FlexGridModel.h"

#include <QString>
#include <QTableView>
#include <array>
#include <memory>

class QMenu;

// A read-only grid of text cells with a fixed header row and a fixed first
// column, both drawn as headers and kept in view while the cells scroll.
// Rows, TextMatrix and ColWidth address it as a whole: row 0 is the header
// row, column 0 the first column, widths are in twips.
class MSFlexGrid : public QTableView {
    Q_OBJECT
public:
    static constexpr int kColumns = FlexGridModel::kColumns;
    // The width of a column nobody has set.
    static constexpr int kDefaultColWidth = 1080;

    explicit MSFlexGrid(QWidget* parent = nullptr);

    int Rows() const;
    void setRows(int rows);

    QString TextMatrix(int row, int column) const;
    void setTextMatrix(int row, int column, const QString& text);

    int ColWidth(int column) const;
    void setColWidth(int column, int twips);

    // Shows the plan below the header row, replacing every other row.
    void setPlan(std::shared_ptr<const PaymentPlan> plan);

    // Makes the cell at row, column (row and column 1 or more) the current
    // cell, where the keyboard and a screen reader start.
    void setCurrentCell(int row, int column);

    // The selected cells as lines of tab-separated texts, one line per row of
    // the selection's bounding rectangle; unselected cells inside it are empty.
    // Whole rows (the whole grid, say) come with their Term column under the
    // header row, their amounts as plain numbers for spreadsheets.
    QString selectedText() const;
    // Puts selectedText() on the clipboard (Ctrl+C and the context menu).
    void copySelection();

protected:
    void changeEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString wholeRowsText(const QItemSelection& selection) const;
    void tellFocusedCell();
    bool paintCorner(QWidget* corner);
    void sectionResized(int section, int oldSize, int newSize);
    void applyColWidth(int column);
    // Rows and columns as designed, in the window's mapping.
    void applySizes();

    FlexGridModel* model_;
    std::array<int, kColumns> colWidths_;
    QWidget* corner_ = nullptr;
    QMenu* contextMenu_ = nullptr;
};
