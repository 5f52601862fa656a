// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

// A line a screen reader speaks once, wherever the focus is: a notification
// that appears each time it is given something to say. It takes no room,
// draws nothing and takes no focus; the window keeps showing what it says
// in its own controls. InstallAccessibleWidgets gives it its role.
class SpokenNotice : public QWidget {
    Q_OBJECT
public:
    explicit SpokenNotice(QWidget* parent);

    // Announces text: the notice reappears with text as its name.
    void say(const QString& text);
};
