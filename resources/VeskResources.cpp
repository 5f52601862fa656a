// SPDX-License-Identifier: GPL-3.0-or-later
#include "VeskResources.h"

#include <QIcon>
#include <QString>

// Q_INIT_RESOURCE must be expanded outside any namespace. Referencing the
// initializer also keeps the linker from dropping the resource data.
static void registerResources()
{
    Q_INIT_RESOURCE(resources);
}

void InitVeskResources()
{
    [[maybe_unused]] static const bool registered = (registerResources(), true);
}

QIcon CalculatorIcon()
{
    InitVeskResources();
    return QIcon(QStringLiteral(":/icons/calculator.png"));
}
