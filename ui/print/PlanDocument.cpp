// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlanDocument.h"

#include "Colours.h"
#include "EngineText.h"
#include "PlanDocumentTexts.h"
#include "PlanTexts.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

// Font sizes in points.
constexpr qreal kTitlePoints = 15;
constexpr qreal kTextPoints = 10;
constexpr qreal kTablePoints = 9;
constexpr qreal kFooterPoints = 8;
// A table too wide for the page is set smaller, down to this size.
constexpr qreal kSmallestTablePoints = 5;
// A table row is this many lines of its font high.
constexpr qreal kRowLines = 1.2;

const QColor kHeaderShade(228, 228, 228);
const QColor kRowShade(244, 244, 244);
const QColor kRuleColour(150, 150, 150);

// The grid's columns, then the extra each month sends on top of the
// scheduled payment.
constexpr int kTableColumns = kPlanColumns + 1;
constexpr int kExtraColumn = kPlanColumns;
constexpr int kAmountColumns = kTableColumns - 1;

QFont FontOf(qreal points, bool bold = false)
{
    QFont font = QGuiApplication::font();
    font.setPointSizeF(points);
    font.setBold(bold);
    // No ligatures: a PDF reader searches and copies "Payoff" as typed, not
    // with an "ff" glyph. It is also quicker to set a long table so.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

// Captions and values drawn as the window labels them.
struct LabelledValue {
    QString label;
    QString value;
};

// Where everything goes on the device's pages, in device units.
struct Layout {
    QSizeF page;     // the printable area
    qreal point = 1; // device units per point
    QFont title = FontOf(kTitlePoints, true);
    QFont text = FontOf(kTextPoints);
    QFont bold = FontOf(kTextPoints, true);
    QFont table = FontOf(kTablePoints);
    QFont tableHeader = FontOf(kTablePoints, true);
    QFont footer = FontOf(kFooterPoints);
    qreal padding = 0; // inside a table cell, left and right
    qreal rowHeight = 0;
    // The left edge of each column, then the right edge of the last.
    std::array<qreal, kTableColumns + 1> edges{};
    qreal frontHeight = 0; // title, inputs and summary on the first page
    qreal footerHeight = 0;
    int rows = 0; // the table's rows: the opening row, then one per month
    int rowsOnFirstPage = 0;
    int rowsPerPage = 1;
    int pages = 1;
};

// The first page's head: the title, the loan's inputs, both plans' summaries
// side by side as the window's frames show them, the interest saved. Paints
// when painter is given; returns the height it takes either way.
class FrontMatter {
public:
    FrontMatter(const PaymentPlan& plan, const Layout& layout, QPagedPaintDevice* device)
        : layout_(layout), device_(device)
    {
        for (const PlanInputText& input : PlanInputTexts(plan.terms)) {
            inputs_.push_back({FromStd(input.label), FromStd(input.value)});
        }
        const PlanCaption caption = FrameCaption(plan.terms);
        caption_ = FromStd(caption.text);
        altered_ = caption.altered;
        const PlanSummaryTexts summary = SummaryTexts(plan.summary);
        planRows_ = {{{QStringLiteral("Payoff Period"), FromStd(summary.payoff)},
                      {QStringLiteral("Aver Mnthly Pymt"), FromStd(summary.averageMonthly)},
                      {QStringLiteral("Total Interest"), FromStd(summary.totalInterest)},
                      {QStringLiteral("Total Paid"), FromStd(summary.totalPaid)}}};
        minimumRows_ = {{{QStringLiteral("Payoff Period"), FromStd(summary.minPayoff)},
                         {QStringLiteral("Mnthly Pymt"), FromStd(summary.minPayment)},
                         {QStringLiteral("Total Interest"), FromStd(summary.minTotalInterest)},
                         {QStringLiteral("Total Paid"), FromStd(summary.minTotalPaid)}}};
        saved_ = {QStringLiteral("Amount Saved On Interest"), FromStd(summary.amountSaved)};
    }

    qreal paint(QPainter* painter) const
    {
        const qreal width = layout_.page.width();
        const qreal line = lineHeight(layout_.text);
        qreal y = 0;

        const qreal titleHeight = lineHeight(layout_.title);
        drawText(painter, layout_.title, {0, y, width, titleHeight}, Qt::AlignLeft,
                 FromStd(kPlanDocumentTitle));
        y += titleHeight + line * 0.6;

        qreal labelWidth = 0;
        qreal valueWidth = 0;
        for (const LabelledValue& input : inputs_) {
            labelWidth = std::max(labelWidth, advance(layout_.text, input.label));
            valueWidth = std::max(valueWidth, advance(layout_.text, input.value));
        }
        const qreal valueRight = labelWidth + line * 2 + valueWidth;
        for (const LabelledValue& input : inputs_) {
            drawText(painter, layout_.text, {0, y, labelWidth, line}, Qt::AlignLeft, input.label);
            drawText(painter, layout_.text, {0, y, valueRight, line}, Qt::AlignRight, input.value);
            y += line;
        }
        y += line * 0.8;

        // The two frames side by side across the page, as the window has
        // them across the grid; each a caption over its lines and totals.
        const qreal gap = line;
        const qreal frameWidth = (width - gap) / 2;
        const qreal frameHeight = line * (1 + kFrameRows) + line * 0.8;
        paintFrame(painter, {0, y, frameWidth, frameHeight}, caption_,
                   altered_ ? kAlteredColour : QColor(Qt::black), planRows_);
        paintFrame(painter, {frameWidth + gap, y, frameWidth, frameHeight},
                   QStringLiteral("Minimum Payment Plan"), Qt::black, minimumRows_);
        y += frameHeight + line * 0.5;

        drawText(painter, layout_.text, {0, y, width, line}, Qt::AlignLeft, saved_.label);
        drawText(painter, layout_.bold,
                 {advance(layout_.text, saved_.label) + line, y, width, line}, Qt::AlignLeft,
                 saved_.value);
        y += line * 2;
        return y;
    }

private:
    static constexpr int kFrameRows = 4;

    void paintFrame(QPainter* painter, const QRectF& frame, const QString& caption,
                    const QColor& captionColour,
                    const std::array<LabelledValue, kFrameRows>& rows) const
    {
        const qreal line = lineHeight(layout_.text);
        const qreal inset = line * 0.5;
        if (painter != nullptr) {
            painter->setPen(QPen(kRuleColour, layout_.point * 0.5));
            painter->setBrush(Qt::NoBrush);
            painter->drawRect(frame);
            painter->setPen(captionColour);
        }
        const qreal inner = frame.width() - 2 * inset;
        qreal y = frame.top() + line * 0.4;
        drawText(painter, layout_.bold, {frame.left() + inset, y, inner, line}, Qt::AlignLeft,
                 caption);
        if (painter != nullptr) {
            painter->setPen(Qt::black);
        }
        for (const LabelledValue& row : rows) {
            y += line;
            const QRectF box(frame.left() + inset, y, inner, line);
            drawText(painter, layout_.text, box, Qt::AlignLeft, row.label);
            drawText(painter, layout_.text, box, Qt::AlignRight, row.value);
        }
    }

    void drawText(QPainter* painter, const QFont& font, const QRectF& box, Qt::Alignment alignment,
                  const QString& text) const
    {
        if (painter != nullptr) {
            painter->setFont(font);
            painter->drawText(box, static_cast<int>(alignment | Qt::AlignVCenter), text);
        }
    }

    qreal lineHeight(const QFont& font) const { return QFontMetricsF(font, device_).height(); }
    qreal advance(const QFont& font, const QString& text) const
    {
        return QFontMetricsF(font, device_).horizontalAdvance(text);
    }

    const Layout& layout_;
    QPagedPaintDevice* device_;
    std::vector<LabelledValue> inputs_;
    QString caption_;
    bool altered_ = false;
    std::array<LabelledValue, kFrameRows> planRows_;
    std::array<LabelledValue, kFrameRows> minimumRows_;
    LabelledValue saved_;
};

// A month's value in a column, as a number to find the widest text by.
double ValueOf(const PlanMonth& month, int column)
{
    switch (column) {
    case 1:
        return month.payment.toDouble();
    case 2:
        return month.interest;
    case 3:
        return month.principal.toDouble();
    case kExtraColumn:
        return month.extra.toDouble();
    default:
        return month.balance.toDouble();
    }
}

QString HeaderText(int column)
{
    return FromStd(column == kExtraColumn ? kExtraHeader
                                          : kPlanHeader[static_cast<std::size_t>(column)]);
}

// A table cell: the grid's cell, or the month's extra (none in the opening row).
QString TableCellText(const PaymentPlan& plan, std::size_t row, int column)
{
    if (column != kExtraColumn) {
        return FromStd(PlanCellText(plan, row, column));
    }
    return row < 2 ? QString() : FromStd(ExtraCellText(plan.months[row - 2]));
}

// The texts that may be the widest of each column: the header, and the
// months with the largest and the smallest value (the most digits, or a sign).
std::array<std::vector<QString>, kTableColumns> WidestCandidates(const PaymentPlan& plan)
{
    std::array<std::vector<QString>, kTableColumns> candidates;
    const std::size_t rows = PlanGridRows(plan);
    for (int column = 0; column < kTableColumns; ++column) {
        auto& texts = candidates[static_cast<std::size_t>(column)];
        texts.push_back(TableCellText(plan, 1, column)); // the opening row
        if (plan.months.empty()) {
            continue;
        }
        if (column == kTermColumn) {
            texts.push_back(TableCellText(plan, rows - 1, column));
            continue;
        }
        const auto [smallest, largest] = std::minmax_element(
            plan.months.begin(), plan.months.end(), [column](const auto& a, const auto& b) {
                return ValueOf(a, column) < ValueOf(b, column);
            });
        for (const auto month : {smallest, largest}) {
            texts.push_back(TableCellText(
                plan, static_cast<std::size_t>(month - plan.months.begin()) + 2, column));
        }
    }
    return candidates;
}

Layout LayOut(const PaymentPlan& plan, QPagedPaintDevice* device)
{
    Layout layout;
    layout.page = QSizeF(device->width(), device->height());
    layout.point = device->logicalDpiY() / 72.0;
    layout.frontHeight = FrontMatter(plan, layout, device).paint(nullptr);
    layout.footerHeight = QFontMetricsF(layout.footer, device).height() * 2;

    // Each column as wide as its widest text; the Term column keeps that,
    // the amounts share the rest of the page. A table wider than the page
    // is set in a smaller font.
    const auto candidates = WidestCandidates(plan);
    auto needed = [&](qreal& termWidth, qreal& amountWidth) {
        const QFontMetricsF cells(layout.table, device);
        const QFontMetricsF headers(layout.tableHeader, device);
        layout.padding = cells.averageCharWidth() * 1.2;
        for (int column = 0; column < kTableColumns; ++column) {
            qreal widest = headers.horizontalAdvance(HeaderText(column));
            for (const QString& text : candidates[static_cast<std::size_t>(column)]) {
                widest = std::max(widest, cells.horizontalAdvance(text));
            }
            qreal& width = column == kTermColumn ? termWidth : amountWidth;
            width = std::max(width, widest + 2 * layout.padding);
        }
    };
    qreal termWidth = 0;
    qreal amountWidth = 0;
    needed(termWidth, amountWidth);
    const qreal total = termWidth + kAmountColumns * amountWidth;
    if (total > layout.page.width()) {
        const qreal points =
            std::max(kSmallestTablePoints, kTablePoints * layout.page.width() / total);
        layout.table.setPointSizeF(points);
        layout.tableHeader.setPointSizeF(points);
        termWidth = amountWidth = 0;
        needed(termWidth, amountWidth);
    }
    amountWidth = std::max(amountWidth, (layout.page.width() - termWidth) / kAmountColumns);
    layout.edges[0] = 0;
    layout.edges[1] = termWidth;
    for (std::size_t column = 2; column < layout.edges.size(); ++column) {
        layout.edges[column] = layout.edges[column - 1] + amountWidth;
    }
    layout.rowHeight = QFontMetricsF(layout.table, device).height() * kRowLines;

    // Every page has the header row and the footer; the first page also
    // has the front matter.
    layout.rows = static_cast<int>(PlanGridRows(plan)) - 1;
    const qreal tableRoom = layout.page.height() - layout.footerHeight - layout.rowHeight;
    layout.rowsPerPage = std::max(1, static_cast<int>(std::floor(tableRoom / layout.rowHeight)));
    layout.rowsOnFirstPage = std::clamp(
        static_cast<int>(std::floor((tableRoom - layout.frontHeight) / layout.rowHeight)), 0,
        layout.rows);
    const int later = layout.rows - layout.rowsOnFirstPage;
    layout.pages = 1 + (later + layout.rowsPerPage - 1) / layout.rowsPerPage;
    return layout;
}

QRectF CellRect(const Layout& layout, int column, qreal top)
{
    const auto c = static_cast<std::size_t>(column);
    return {layout.edges[c] + layout.padding, top,
            layout.edges[c + 1] - layout.edges[c] - 2 * layout.padding, layout.rowHeight};
}

// Months centred under Term, as in the grid's first column; amounts to the right.
int CellAlignment(int column)
{
    return (column == kTermColumn ? Qt::AlignHCenter : Qt::AlignRight) | Qt::AlignVCenter;
}

} // namespace

PlanDocument::PlanDocument(std::shared_ptr<const PaymentPlan> plan) : plan_(std::move(plan)) {}

int PlanDocument::pageCount(QPagedPaintDevice* device) const
{
    return LayOut(*plan_, device).pages;
}

bool PlanDocument::paint(QPagedPaintDevice* device, const Progress& progress, int first,
                         int last) const
{
    const Layout layout = LayOut(*plan_, device);
    first = std::max(first, 1);
    last = last <= 0 ? layout.pages : std::min(last, layout.pages);
    QPainter painter;
    if (first > last || !painter.begin(device)) {
        return false;
    }
    const FrontMatter front(*plan_, layout, device);
    const QFontMetricsF footerMetrics(layout.footer, device);
    const qreal width = layout.edges.back();

    for (int page = first; page <= last; ++page) {
        if (page > first && !device->newPage()) {
            return false;
        }
        qreal y = page == 1 ? front.paint(&painter) : 0;
        const int firstRow =
            page == 1 ? 0 : layout.rowsOnFirstPage + (page - 2) * layout.rowsPerPage;
        const int rows = std::min(page == 1 ? layout.rowsOnFirstPage : layout.rowsPerPage,
                                  layout.rows - firstRow);

        if (rows > 0) {
            // The header row, as the grid's: shaded, its texts over their columns.
            painter.fillRect(QRectF(0, y, width, layout.rowHeight), kHeaderShade);
            painter.setPen(Qt::black);
            painter.setFont(layout.tableHeader);
            for (int column = 0; column < kTableColumns; ++column) {
                painter.drawText(CellRect(layout, column, y), CellAlignment(column),
                                 HeaderText(column));
            }
            y += layout.rowHeight;
            painter.setPen(QPen(kRuleColour, layout.point * 0.5));
            painter.drawLine(QPointF(0, y), QPointF(width, y));
        }

        painter.setFont(layout.table);
        for (int row = firstRow; row < firstRow + rows; ++row) {
            if (row % 2 == 1) {
                painter.fillRect(QRectF(0, y, width, layout.rowHeight), kRowShade);
            }
            painter.setPen(Qt::black);
            for (int column = 0; column < kTableColumns; ++column) {
                painter.drawText(CellRect(layout, column, y), CellAlignment(column),
                                 TableCellText(*plan_, static_cast<std::size_t>(row) + 1, column));
            }
            y += layout.rowHeight;
        }

        painter.setFont(layout.footer);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(0, layout.page.height() - footerMetrics.height(),
                                layout.page.width(), footerMetrics.height()),
                         Qt::AlignHCenter | Qt::AlignVCenter,
                         QStringLiteral("Page %1 of %2").arg(page).arg(layout.pages));

        if (progress && !progress(page - first + 1, last - first + 1)) {
            return false;
        }
    }
    return painter.end();
}
