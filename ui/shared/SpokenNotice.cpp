// SPDX-License-Identifier: GPL-3.0-or-later
#include "SpokenNotice.h"

SpokenNotice::SpokenNotice(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("spokenNotice"));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(0, 0, 0, 0);
    hide(); // nothing to say yet
}

// A screen reader speaks a notification when it appears; hiding it first
// makes the same words heard again after the next Calculate.
void SpokenNotice::say(const QString& text)
{
    hide();
    setAccessibleName(text);
    show();
}
