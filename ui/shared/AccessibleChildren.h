// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessible>
#include <QHash>
#include <functional>

// The interfaces an accessible widget makes for children that are not
// objects (a grid's cells, a chart's points): each made once, on first
// request, and all forgotten together.
class AccessibleChildren {
public:
    AccessibleChildren() = default;
    ~AccessibleChildren() { forget(); }
    AccessibleChildren(const AccessibleChildren&) = delete;
    AccessibleChildren& operator=(const AccessibleChildren&) = delete;

    QAccessibleInterface* at(int index, const std::function<QAccessibleInterface*()>& make);
    void forget();

private:
    QHash<int, QAccessible::Id> ids_;
};
