// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>

class QPagedPaintDevice;
struct PaymentPlan;

// The payment plan as a paged document, for the printer and for PDF: a
// title, the loan's inputs, the comparison of both plans as the window shows
// it with their totals, then the grid's rows and each month's extra in a
// table whose header row heads every page, and
// "Page N of M" at the foot of each page. The pages are painted straight onto
// the device one after another, so a plan of 32,766 months (some 600 pages)
// needs no more memory than one of a year.
class PlanDocument {
public:
    explicit PlanDocument(std::shared_ptr<const PaymentPlan> plan);

    // Told after each page with the pages painted so far and the pages to
    // paint in all; returning false stops the painting.
    using Progress = std::function<bool(int painted, int pages)>;

    // The pages the document takes on the device's page size and margins.
    int pageCount(QPagedPaintDevice* device) const;

    // Paints the pages first to last (counted from 1; 0 for last means to
    // the end) onto a device no painter is active on. False when progress
    // stopped it or the device could not be painted on.
    bool paint(QPagedPaintDevice* device, const Progress& progress = {}, int first = 1,
               int last = 0) const;

private:
    std::shared_ptr<const PaymentPlan> plan_;
};
