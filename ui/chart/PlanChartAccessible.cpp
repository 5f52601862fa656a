// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlanChartAccessible.h"

#include "PlanChartView.h"

#include <QPointer>

namespace {

// One point of a curve, read as its tooltip reads.
class ChartPoint : public QAccessibleInterface {
public:
    ChartPoint(PlanChartView* view, int index) : view_(view), index_(index) {}

    bool isValid() const override { return view_ != nullptr && index_ < view_->pointCount(); }
    QObject* object() const override { return nullptr; }
    QAccessibleInterface* parent() const override
    {
        return QAccessible::queryAccessibleInterface(view_);
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}
    QAccessible::Role role() const override { return QAccessible::ListItem; }

    QString text(QAccessible::Text kind) const override
    {
        if (kind != QAccessible::Name || !isValid()) {
            return {};
        }
        return view_->pointText(index_).replace(QLatin1Char('\n'), QStringLiteral(", "));
    }

    QRect rect() const override { return isValid() ? view_->pointRect(index_) : QRect(); }

    QAccessible::State state() const override
    {
        QAccessible::State state;
        if (!isValid()) {
            state.invalid = true;
            return state;
        }
        state.invisible = !view_->isVisible();
        state.focusable = true;
        state.focused = view_->hasFocus() && view_->currentPoint() == index_;
        state.readOnly = true;
        return state;
    }

    int index() const { return index_; }

private:
    QPointer<PlanChartView> view_;
    int index_;
};

QAccessibleInterface* ChartFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("PlanChartView") && object != nullptr &&
        object->isWidgetType()) {
        return new PlanChartAccessible(static_cast<PlanChartView*>(object));
    }
    return nullptr;
}

} // namespace

PlanChartAccessible::PlanChartAccessible(PlanChartView* view)
    : QAccessibleWidget(view, QAccessible::Chart)
{
}

void PlanChartAccessible::install()
{
    QAccessible::installFactory(ChartFactory); // Qt installs a factory only once
}

PlanChartView* PlanChartAccessible::view() const
{
    return static_cast<PlanChartView*>(widget());
}

int PlanChartAccessible::childCount() const
{
    return view()->pointCount();
}

QAccessibleInterface* PlanChartAccessible::child(int index) const
{
    if (index < 0 || index >= childCount()) {
        return nullptr;
    }
    return children_.at(index, [&] { return new ChartPoint(view(), index); });
}

int PlanChartAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    const auto* point = dynamic_cast<const ChartPoint*>(child);
    return point != nullptr && child->parent() == this ? point->index() : -1;
}

// The pointer finds points by their tooltips, not through the children.
QAccessibleInterface* PlanChartAccessible::childAt(int, int) const
{
    return nullptr;
}

QAccessibleInterface* PlanChartAccessible::focusChild() const
{
    return view()->hasFocus() ? child(view()->currentPoint()) : nullptr;
}
