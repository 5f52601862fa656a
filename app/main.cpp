// SPDX-License-Identifier: GPL-3.0-or-later
#include "AccessibleWidgets.h"
#include "FlexGridAccessible.h"
#include "MsgBoxWindow.h"
#include "PlanChartAccessible.h"
#include "VeskResources.h"
#include "frmSplash.h"

#include <QApplication>

// The splash window is the start-up object: it hands over to the main window
// and the program ends when the last window closes.
int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("VeskPayment"));
    QApplication::setWindowIcon(CalculatorIcon());
    InstallMessageBox();
    InstallAccessibleWidgets();
    FlexGridAccessible::install();
    PlanChartAccessible::install();

    auto* splash = new frmSplash();
    if (!splash->loaded()) {
        delete splash;
        return 0; // no window was ever shown
    }
    splash->show();
    return QApplication::exec();
}
