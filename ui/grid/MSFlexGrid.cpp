// SPDX-License-Identifier: GPL-3.0-or-later
#include "MSFlexGrid.h"

#include "FittingFont.h"
#include "RuntimeError.h"
#include "TwipsLayout.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMenu>
#include <QStyleOptionHeader>
#include <QStylePainter>
#include <QStyledItemDelegate>
#include <QTimer>
#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>
#include <vector>

namespace {

// The height of every row, the header row included, unless the font needs more.
constexpr int kRowHeightTwips = 240;
constexpr int kRowTextMargin = 4; // pixels above and below the text, together

constexpr int kErrSubscriptOutOfRange = 381;

[[noreturn]] void RaiseSubscriptOutOfRange()
{
    throw RuntimeError(kErrSubscriptOutOfRange, "Subscript out of range");
}

// Draws a cell's text smaller when it is wider than its column, so that a
// large amount is read in full rather than cut short.
class FittingDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        const QWidget* view = option->widget;
        const QStyle* style = view != nullptr ? view->style() : QApplication::style();
        // The room the style leaves for text: a margin on either side.
        const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
        const int room = option->rect.width() - 2 * margin;
        if (room > 0) {
            option->font = FontToFit(option->font, option->text, room);
            option->fontMetrics = QFontMetrics(option->font);
        }
    }
};

} // namespace

MSFlexGrid::MSFlexGrid(QWidget* parent) : QTableView(parent), model_(new FlexGridModel(this))
{
    colWidths_.fill(kDefaultColWidth);
    setModel(model_);
    setItemDelegate(new FittingDelegate(this));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setWordWrap(false);
    // Tab leaves the grid for the next control instead of walking its cells.
    setTabKeyNavigation(false);

    // Fixed row heights: sizing rows to their contents would read every cell.
    QHeaderView* firstColumn = verticalHeader();
    firstColumn->setSectionResizeMode(QHeaderView::Fixed);
    firstColumn->setDefaultAlignment(Qt::AlignCenter);

    QHeaderView* headerRow = horizontalHeader();
    // The user may widen a column to read a large amount; ColWidth follows.
    connect(headerRow, &QHeaderView::sectionResized, this, &MSFlexGrid::sectionResized);
    // A bold header text would no longer fit the width measured for it.
    headerRow->setHighlightSections(false);
    applySizes();

    // The corner above the first column shows TextMatrix(0, 0).
    corner_ = findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
    if (corner_ != nullptr) {
        corner_->installEventFilter(this);
    }

    auto* copy = new QAction(tr("Copy"), this);
    copy->setObjectName(QStringLiteral("actCopy"));
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    connect(copy, &QAction::triggered, this, &MSFlexGrid::copySelection);
    addAction(copy);

    // One menu for the grid's whole life: a screen reader keeps the entries
    // it has met, and a menu made afresh for each opening would leave it
    // holding entries of a menu that is gone.
    contextMenu_ = new QMenu(this);
    contextMenu_->setObjectName(QStringLiteral("mnuGrid"));
}

int MSFlexGrid::Rows() const
{
    return model_->gridRows();
}

void MSFlexGrid::setRows(int rows)
{
    if (rows < 1) {
        RaiseSubscriptOutOfRange(); // the header row cannot be removed
    }
    model_->setGridRows(rows);
}

QString MSFlexGrid::TextMatrix(int row, int column) const
{
    if (row < 0 || row >= Rows() || column < 0 || column >= kColumns) {
        RaiseSubscriptOutOfRange();
    }
    return QString::fromStdString(model_->cell(row, column));
}

void MSFlexGrid::setTextMatrix(int row, int column, const QString& text)
{
    if (row < 0 || row >= Rows() || column < 0 || column >= kColumns) {
        RaiseSubscriptOutOfRange();
    }
    model_->setCell(row, column, text.toStdString());
    if (row == 0 && column == 0 && corner_ != nullptr) {
        corner_->update(); // the corner paints TextMatrix(0, 0)
    }
}

int MSFlexGrid::ColWidth(int column) const
{
    if (column < 0 || column >= kColumns) {
        RaiseSubscriptOutOfRange();
    }
    return colWidths_[static_cast<std::size_t>(column)];
}

void MSFlexGrid::setColWidth(int column, int twips)
{
    if (column < 0 || column >= kColumns) {
        RaiseSubscriptOutOfRange();
    }
    colWidths_[static_cast<std::size_t>(column)] = twips < 0 ? kDefaultColWidth : twips;
    applyColWidth(column);
}

void MSFlexGrid::setCurrentCell(int row, int column)
{
    if (row < 1 || row >= Rows() || column < 1 || column >= kColumns) {
        RaiseSubscriptOutOfRange(); // the fixed row and column take no focus
    }
    setCurrentIndex(model_->index(row - 1, column - 1));
}

void MSFlexGrid::setPlan(std::shared_ptr<const PaymentPlan> plan)
{
    model_->setPlan(std::move(plan));
}

QString MSFlexGrid::selectedText() const
{
    const QItemSelection selection = selectionModel()->selection();
    if (selection.isEmpty()) {
        return {};
    }
    const int lastColumn = model_->columnCount() - 1;
    if (std::all_of(selection.begin(), selection.end(), [lastColumn](const auto& range) {
            return range.left() == 0 && range.right() == lastColumn;
        })) {
        return wholeRowsText(selection);
    }
    int top = INT_MAX;
    int bottom = -1;
    int left = INT_MAX;
    int right = -1;
    for (const QItemSelectionRange& range : selection) {
        top = std::min(top, range.top());
        bottom = std::max(bottom, range.bottom());
        left = std::min(left, range.left());
        right = std::max(right, range.right());
    }
    QStringList lines;
    lines.reserve(bottom - top + 1);
    for (int row = top; row <= bottom; ++row) {
        QStringList fields;
        for (int column = left; column <= right; ++column) {
            const QModelIndex cell = model_->index(row, column);
            fields << (selection.contains(cell) ? cell.data().toString() : QString());
        }
        lines << fields.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n'));
}

QString MSFlexGrid::wholeRowsText(const QItemSelection& selection) const
{
    std::vector<int> rows;
    for (const QItemSelectionRange& range : selection) {
        for (int row = range.top(); row <= range.bottom(); ++row) {
            rows.push_back(row + 1); // the grid's row below the header row
        }
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    rows.insert(rows.begin(), 0); // the header row heads them

    QStringList lines;
    lines.reserve(static_cast<qsizetype>(rows.size()));
    for (const int row : rows) {
        QStringList fields;
        for (int column = 0; column < kColumns; ++column) {
            fields << QString::fromStdString(model_->plainCell(row, column));
        }
        lines << fields.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n'));
}

void MSFlexGrid::copySelection()
{
    const QString text = selectedText();
    if (!text.isEmpty()) {
        QApplication::clipboard()->setText(text);
    }
}

// The grid's actions, at the mouse or, from the keyboard, at the current
// cell with the first entry highlighted, as a screen reader then announces.
void MSFlexGrid::contextMenuEvent(QContextMenuEvent* event)
{
    if (contextMenu_->actions() != actions()) {
        contextMenu_->clear();
        contextMenu_->addActions(actions());
    }
    QPoint place = event->globalPos();
    const bool fromKeyboard = event->reason() != QContextMenuEvent::Mouse;
    const QRect cell = visualRect(currentIndex());
    if (fromKeyboard && viewport()->rect().intersects(cell)) {
        place = viewport()->mapToGlobal(cell.bottomLeft());
    }
    contextMenu_->popup(place);
    if (fromKeyboard && !contextMenu_->actions().isEmpty()) {
        contextMenu_->setActiveAction(contextMenu_->actions().constFirst());
    }
    event->accept();
}

// A screen reader is told which cell has the focus, not only that the grid
// has. Qt tells of the grid's focus once the grid has taken it, so the cell
// is told of afterwards, or the grid's news would come last and hide it.
void MSFlexGrid::focusInEvent(QFocusEvent* event)
{
    QTableView::focusInEvent(event);
    if (QAccessible::isActive()) {
        QTimer::singleShot(0, this, &MSFlexGrid::tellFocusedCell);
    }
}

void MSFlexGrid::tellFocusedCell()
{
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(this);
    if (QAccessibleInterface* cell = table != nullptr ? table->focusChild() : nullptr) {
        QAccessibleEvent focus(cell, QAccessible::Focus);
        QAccessible::updateAccessibility(&focus);
    }
}

// Shift+F10 opens the context menu, as the Menu key does.
void MSFlexGrid::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
        QContextMenuEvent menu(QContextMenuEvent::Keyboard, QPoint(), mapToGlobal(QPoint()),
                               event->modifiers());
        contextMenuEvent(&menu);
        return;
    }
    QTableView::keyPressEvent(event);
}

bool MSFlexGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == corner_ && event->type() == QEvent::Paint) {
        return paintCorner(corner_);
    }
    return QTableView::eventFilter(watched, event);
}

// Drawn like the corner the view paints itself, with the header text added.
bool MSFlexGrid::paintCorner(QWidget* corner)
{
    QStyleOptionHeader option;
    option.initFrom(corner);
    option.state = QStyle::State_Raised;
    if (corner->isEnabled()) {
        option.state |= QStyle::State_Enabled;
    }
    if (corner->isActiveWindow()) {
        option.state |= QStyle::State_Active;
    }
    if (auto* button = qobject_cast<QAbstractButton*>(corner);
        button != nullptr && button->isDown()) {
        option.state |= QStyle::State_Sunken;
    }
    option.rect = corner->rect();
    option.position = QStyleOptionHeader::OnlyOneSection;
    option.orientation = Qt::Horizontal;
    option.textAlignment = Qt::AlignCenter;
    option.text = TextMatrix(0, 0);
    QStylePainter painter(corner);
    painter.drawControl(QStyle::CE_Header, option);
    return true;
}

void MSFlexGrid::sectionResized(int section, int, int newSize)
{
    const auto column = static_cast<std::size_t>(section + 1);
    const TwipsMapping mapping = TwipsMapping::of(this);
    if (column < colWidths_.size() && mapping.x(colWidths_[column]) != newSize) {
        colWidths_[column] = static_cast<int>(std::lround(mapping.twipsAcross(newSize)));
    }
}

void MSFlexGrid::applySizes()
{
    const int rowHeight = std::max(TwipsMapping::of(this).y(kRowHeightTwips),
                                   fontMetrics().height() + kRowTextMargin);
    verticalHeader()->setMinimumSectionSize(rowHeight);
    verticalHeader()->setDefaultSectionSize(rowHeight);
    horizontalHeader()->setFixedHeight(rowHeight);
    for (int column = 0; column < kColumns; ++column) {
        applyColWidth(column);
    }
}

void MSFlexGrid::changeEvent(QEvent* event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        applySizes(); // the rows and columns as designed in the new font
    }
}

void MSFlexGrid::applyColWidth(int column)
{
    const int pixels = TwipsMapping::of(this).x(colWidths_[static_cast<std::size_t>(column)]);
    if (column == 0) {
        verticalHeader()->setFixedWidth(pixels);
    } else {
        horizontalHeader()->resizeSection(column - 1, pixels);
    }
}
