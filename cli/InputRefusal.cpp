// SPDX-License-Identifier: GPL-3.0-or-later
#include "InputRefusal.h"

#include "Currency.h"
#include "RuntimeError.h"
#include "TextConversions.h"

#include <array>
#include <string_view>

namespace {

struct Field {
    std::string_view name;
    const std::string& text;
    bool isAmount; // read into a currency amount, not a double
};

// The window treats exactly "" and " " as a blank box.
bool IsBlank(std::string_view text)
{
    return text.empty() || text == " ";
}

// The amount the enabling rule compares; throws RuntimeError when out of range.
Currency LenientAmount(std::string_view text)
{
    return Currency::fromDouble(LenientValue(text));
}

} // namespace

std::optional<std::string> RefusalReason(const CalculatorInputs& in)
{
    if (EnablingRule(in).enabled)
        return std::nullopt;

    // The maximum box holds the fixed payment under "Disable Vesk Method".
    const std::string_view maximumName = in.chkDisableVesk == 1 ? "fixed" : "maximum";
    const std::array<Field, 4> readOrder{{{"balance", in.balance, true},
                                          {"rate", in.rate, false},
                                          {maximumName, in.maximum, true},
                                          {"payment", in.payment, true}}};

    // The rule reads all four values before its first test, so a value it
    // cannot read refuses the inputs whatever the other boxes hold.
    for (const Field& field : readOrder) {
        try {
            const double value = LenientValue(field.text);
            if (field.isAmount)
                Currency::fromDouble(value);
        } catch (const RuntimeError&) {
            return std::string(field.name) + ": out of range";
        }
    }

    for (const Field& field : {readOrder[0], readOrder[1], readOrder[3]}) {
        if (IsBlank(field.text))
            return std::string(field.name) + ": must not be blank";
    }

    const bool maximumBoxUsed = in.chkMaxMonthly == 1 || in.chkDisableVesk == 1;
    if (in.chkMaxMonthly == 1 && IsBlank(in.maximum))
        return "maximum: must not be blank";
    if (maximumBoxUsed && LenientAmount(in.maximum) < Currency::fromUnits(15))
        return std::string(maximumName) + ": must be at least 15";

    // Only a fixed payment ("Disable Vesk Method") does without a scheduled payment.
    const bool paymentNeeded = in.chkMaxMonthly == 1 || !in.maximumEnabled;
    if (paymentNeeded && LenientAmount(in.payment) <= Currency())
        return "payment: must be greater than 0";

    if (LenientAmount(in.balance) <= Currency())
        return "balance: must be a number greater than 0";
    return "inputs: not accepted by the calculator";
}
