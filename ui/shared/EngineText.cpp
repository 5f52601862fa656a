// SPDX-License-Identifier: GPL-3.0-or-later
#include "EngineText.h"

#include "DisplayFormats.h"

#include <QLabel>
#include <QStringList>

QString FromStd(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString Dollars(Currency amount)
{
    return FromStd(DollarText(amount));
}

QString CaptionedValues(std::initializer_list<std::pair<const QLabel*, const QLabel*>> rows)
{
    QStringList said;
    for (const auto& [caption, value] : rows) {
        said << caption->text() + QLatin1Char(' ') + value->text();
    }
    return said.join(QStringLiteral(", "));
}
