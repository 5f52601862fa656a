// SPDX-License-Identifier: GPL-3.0-or-later
#include "InfoWidgets.h"

#include "TwipsLayout.h"
#include "VeskResources.h"
#include "modCommonChecks.h"

#include <QFont>
#include <QIcon>
#include <QLabel>

namespace {

QLabel* AddLabel(QWidget* page, const char* name, const QString& text, const QRect& twips,
                 bool bold)
{
    auto* label = new QLabel(text, page);
    label->setObjectName(QString::fromLatin1(name));
    PlaceControl(label, twips.x(), twips.y(), twips.width(), twips.height());
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

QLabel* AddHeading(QWidget* page, const char* name, const QString& text, int left, int top,
                   int width, int height)
{
    return AddLabel(page, name, text, QRect(left, top, width, height), true);
}

QLabel* AddBody(QWidget* page, const char* name, const QString& text, int left, int top, int width,
                int height)
{
    return AddLabel(page, name, text, QRect(left, top, width, height), false);
}

QWidget* SetUpInfoWindow(QWidget* window, const QString& caption, std::int16_t height,
                         std::int16_t width)
{
    window->setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    window->setWindowTitle(caption);
    InitVeskResources();
    window->setWindowIcon(QIcon(QStringLiteral(":/icons/lightning.png")));
    return AddScrollingClient(window, height, width);
}
