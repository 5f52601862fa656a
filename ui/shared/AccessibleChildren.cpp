// SPDX-License-Identifier: GPL-3.0-or-later
#include "AccessibleChildren.h"

QAccessibleInterface* AccessibleChildren::at(int index,
                                             const std::function<QAccessibleInterface*()>& make)
{
    if (const auto known = ids_.constFind(index); known != ids_.constEnd()) {
        return QAccessible::accessibleInterface(*known);
    }
    QAccessibleInterface* child = make();
    ids_.insert(index, QAccessible::registerAccessibleInterface(child));
    return child;
}

void AccessibleChildren::forget()
{
    const QList<QAccessible::Id> ids = ids_.values();
    ids_.clear();
    for (const QAccessible::Id id : ids) {
        QAccessible::deleteAccessibleInterface(id);
    }
}
