// SPDX-License-Identifier: GPL-3.0-or-later
#include "InfoWidgets.h"

#include "VeskResources.h"
#include "modCommonChecks.h"

#include <QFont>
#include <QIcon>
#include <QLabel>

namespace {

QLabel* AddLabel(QWidget* window, const char* name, const QString& text, const QRect& rect,
                 bool bold)
{
    auto* label = new QLabel(text, window);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(rect);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    return label;
}

} // namespace

QLabel* AddHeading(QWidget* window, const char* name, const QString& text, int left, int top,
                   int width, int height)
{
    return AddLabel(window, name, text, TwipsRect(left, top, width, height), true);
}

QLabel* AddBody(QWidget* window, const char* name, const QString& text, int left, int top,
                int width, int height)
{
    return AddLabel(window, name, text, TwipsRect(left, top, width, height), false);
}

void SetUpInfoWindow(QWidget* window, const QString& caption)
{
    window->setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    window->setWindowTitle(caption);
    InitVeskResources();
    window->setWindowIcon(QIcon(QStringLiteral(":/icons/lightning.png")));
}
