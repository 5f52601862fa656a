// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AccessibleChildren.h"

#include <QAccessibleWidget>

class PlanChartView;

// PlanChartView as a screen reader meets it: a chart whose children are the
// points the arrow keys step along, each read as its tooltip reads ("Month
// 3: $99,535.73 left, Vesk's Method"). The view moves the focus to the point
// the keys reach, so a screen reader speaks each month as the user steps.
class PlanChartAccessible : public QAccessibleWidget {
public:
    explicit PlanChartAccessible(PlanChartView* view);

    // Makes every PlanChartView use this interface. The program installs it
    // at start, before any chart exists.
    static void install();

    PlanChartView* view() const;

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

private:
    mutable AccessibleChildren children_;
};
