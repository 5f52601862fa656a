// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Currency.h"

#include <QString>
#include <initializer_list>
#include <string_view>
#include <utility>

class QLabel;

// The engine's texts (UTF-8) as the windows show them.
QString FromStd(std::string_view text);
// An amount as the windows show dollars: "$76,873.92".
QString Dollars(Currency amount);

// What a screen reader hears of a row of results: each value after the
// caption beside it, "Payoff Period 14 yrs and 11 mths, Aver Mnthly Pymt $977.97".
QString CaptionedValues(std::initializer_list<std::pair<const QLabel*, const QLabel*>> rows);
