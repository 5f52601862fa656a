// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Currency.h"

#include <string_view>

// Strict conversions, used by the Calculate command: the whole text must be a
// number (surrounding blanks, a sign, "," thousands separators, "." decimal
// point). Not a number raises Type mismatch (13); out of range raises Overflow (6).
Currency TextToCurrency(std::string_view text);
double TextToDouble(std::string_view text);

// The lenient leading-number reading used to decide whether Calculate is
// enabled: blanks, tabs and line feeds are ignored anywhere, "&H" and "&O"
// prefixes, an optional exponent; reading stops at the first character that
// cannot continue the number; no number reads as 0. Too large raises Overflow.
double LenientValue(std::string_view text);
