// SPDX-License-Identifier: GPL-3.0-or-later
#include "CalcArguments.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>
#include <utility>

namespace {

// The values collected from the command line, before they are checked together.
struct RawOptions {
    std::optional<std::string> balance;
    std::optional<std::string> rate;
    std::optional<std::string> payment;
    std::optional<std::string> maximum;
    std::optional<std::string> fixed;
    std::optional<std::string> format;
    bool tillZero = false;
    std::optional<std::string> solve;
    std::optional<std::string> within;
    std::optional<std::string> sweep;
    std::optional<std::string> from;
    std::optional<std::string> to;
    std::optional<std::string> step;
    std::optional<std::string> veskMonths;
    std::optional<std::string> firstPayment;
};

std::optional<OutputFormat> FormatNamed(std::string_view name)
{
    if (name == "text")
        return OutputFormat::Text;
    if (name == "json")
        return OutputFormat::Json;
    if (name == "csv")
        return OutputFormat::Csv;
    return std::nullopt;
}

// An argument as a message shows it: quoted, its control characters written
// as escapes so that the message stays one line.
std::string Quoted(std::string_view text)
{
    std::string quoted = "'";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n') {
            quoted += "\\n";
        } else if (c == '\t') {
            quoted += "\\t";
        } else if (c == '\r') {
            quoted += "\\r";
        } else if (byte < 0x20 || byte == 0x7f) {
            char escape[5];
            std::snprintf(escape, sizeof escape, "\\x%02x", byte);
            quoted += escape;
        } else {
            quoted += c;
        }
    }
    return quoted + '\'';
}

// A refused value: one line without the pointer to --help.
UsageError Refused(std::string message)
{
    return {std::move(message), false};
}

std::optional<VariedPayment> VariedNamed(std::string_view name, bool scheduledToo)
{
    if (name == "maximum")
        return VariedPayment::Maximum;
    if (name == "fixed")
        return VariedPayment::Fixed;
    if (name == "scheduled" && scheduledToo)
        return VariedPayment::Scheduled;
    return std::nullopt;
}

// A span option's months, 1 to the longest plan.
std::optional<UsageError> ReadSpan(std::string_view option, const std::string& text, int& months)
{
    const std::optional<int> span = ParseSpan(text);
    if (!span)
        return Refused(std::string(option) + " must be months (120), years (10y) or both (10y6m)");
    if (*span < 1 || *span > kLongestWithin)
        return Refused(std::string(option) + " must be 1 to " + std::to_string(kLongestWithin) +
                       " months");
    months = *span;
    return std::nullopt;
}

// --solve, --sweep and the options that go with them, --vesk-months and --first-payment.
std::optional<UsageError> CombineWhatIf(const RawOptions& raw, CalcOptions& options)
{
    if (raw.solve && raw.sweep)
        return UsageError{"--solve and --sweep cannot be used together"};
    if (raw.within && !raw.solve)
        return UsageError{"--within goes with --solve"};
    if ((raw.from || raw.to || raw.step) && !raw.sweep)
        return UsageError{"--from, --to and --step go with --sweep"};
    if (raw.solve || raw.sweep) {
        const std::string_view mode = raw.solve ? "--solve" : "--sweep";
        if (raw.maximum || raw.fixed || raw.tillZero)
            return UsageError{std::string(mode) +
                              " sets the payment itself: leave out --maximum, --fixed and "
                              "--till-zero"};
        const std::string& name = raw.solve ? *raw.solve : *raw.sweep;
        const std::optional<VariedPayment> varied = VariedNamed(name, raw.solve.has_value());
        if (!varied)
            return UsageError{"unknown " + std::string(mode) + " " + Quoted(name) + " (use " +
                              (raw.solve ? "maximum, fixed or scheduled)" : "maximum or fixed)")};
        options.varied = *varied;
        options.mode = raw.solve ? CalcMode::Solve : CalcMode::Sweep;
        options.inputs.tillZero = true; // every plan of a solve or sweep is listed till zero
    }
    if (raw.solve) {
        if (!raw.within)
            return UsageError{"--solve needs --within"};
        if (auto error = ReadSpan("--within", *raw.within, options.within))
            return error;
    }
    if (raw.sweep) {
        if (!raw.from || !raw.to || !raw.step)
            return UsageError{"--sweep needs --from, --to and --step"};
        options.from = *raw.from;
        options.to = *raw.to;
        options.step = *raw.step;
    }
    if (raw.veskMonths) {
        // After its first months a plan pays the scheduled payment alone; a
        // fixed payment has no Vesk's Method to stop.
        if (raw.fixed)
            return UsageError{"--vesk-months cannot be used with --fixed"};
        if (options.mode != CalcMode::Calculate && options.varied != VariedPayment::Maximum)
            return UsageError{"--vesk-months cannot be used with " +
                              std::string(raw.solve ? "--solve " : "--sweep ") +
                              (raw.solve ? *raw.solve : *raw.sweep)};
        int months = 0;
        if (auto error = ReadSpan("--vesk-months", *raw.veskMonths, months))
            return error;
        options.inputs.veskFirstMonths = static_cast<std::int16_t>(months);
    }
    if (raw.firstPayment) {
        options.firstPayment = CalendarMonth::fromText(*raw.firstPayment);
        if (!options.firstPayment)
            return Refused("--first-payment must be a month from 1900-01 to 9999-12 (YYYY-MM)");
    }
    return std::nullopt;
}

// Checks the collected values together and builds the window's inputs from them.
ParsedArguments Combine(RawOptions raw)
{
    // The scheduled payment is what --solve scheduled finds.
    const bool solvesPayment = raw.solve && *raw.solve == "scheduled";
    for (const auto& [field, value] :
         {std::pair{InputField::Balance, &raw.balance}, std::pair{InputField::Rate, &raw.rate},
          std::pair{InputField::Payment, &raw.payment}}) {
        if (!*value && !(field == InputField::Payment && solvesPayment))
            return UsageError{"missing required option " + std::string(NameOf(field).option)};
    }
    if (solvesPayment && raw.payment)
        return UsageError{"--solve scheduled finds the payment: leave out --payment"};
    if (raw.maximum && raw.fixed)
        return UsageError{"--maximum and --fixed cannot be used together"};

    CalcOptions options;
    if (raw.format) {
        const auto format = FormatNamed(*raw.format);
        if (!format)
            return UsageError{"unknown format " + Quoted(*raw.format) + " (use text, json or csv)"};
        options.format = *format;
    }

    CalculatorInputs& in = options.inputs;
    in.balance = std::move(*raw.balance);
    in.rate = std::move(*raw.rate);
    in.payment = raw.payment.value_or(std::string());
    // Both options stand for a check box that only exists in "Payments Till Zero".
    in.chkMaxMonthly = raw.maximum ? 1 : 0;
    in.chkDisableVesk = raw.fixed ? 1 : 0;
    in.maximumEnabled = raw.maximum || raw.fixed;
    in.maximum = raw.maximum ? *raw.maximum : raw.fixed ? *raw.fixed : std::string();
    in.tillZero = raw.tillZero || in.maximumEnabled;
    if (auto error = CombineWhatIf(raw, options))
        return *error;

    if (options.format == OutputFormat::Csv && !in.tillZero)
        return UsageError{
            "--format csv lists a payment plan: add --till-zero, --maximum or --fixed"};
    return options;
}

} // namespace

ParsedArguments ParseArguments(const std::vector<std::string>& args)
{
    RawOptions raw;
    const std::array<std::pair<std::string_view, std::optional<std::string>*>, 14> valueOptions{{
        {NameOf(InputField::Balance).option, &raw.balance},
        {NameOf(InputField::Rate).option, &raw.rate},
        {NameOf(InputField::Payment).option, &raw.payment},
        {NameOf(InputField::Maximum, false).option, &raw.maximum},
        {NameOf(InputField::Maximum, true).option, &raw.fixed},
        {"--format", &raw.format},
        {"--solve", &raw.solve},
        {"--within", &raw.within},
        {"--sweep", &raw.sweep},
        {"--from", &raw.from},
        {"--to", &raw.to},
        {"--step", &raw.step},
        {"--vesk-months", &raw.veskMonths},
        {"--first-payment", &raw.firstPayment},
    }};

    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "--help" || arg == "-h")
            return HelpRequest{};
        if (arg == "--version")
            return VersionRequest{};
        if (arg == "--till-zero") {
            raw.tillZero = true;
            continue;
        }

        std::string_view name = arg;
        std::optional<std::string> attachedValue;
        if (const auto equals = arg.find('='); arg.starts_with("--") && equals != arg.npos) {
            name = arg.substr(0, equals);
            attachedValue = std::string(arg.substr(equals + 1));
        }

        const auto option = std::find_if(valueOptions.begin(), valueOptions.end(),
                                         [name](const auto& entry) { return entry.first == name; });
        if (option == valueOptions.end()) {
            if (arg.starts_with("-"))
                return UsageError{"unknown option " + Quoted(arg)};
            return UsageError{"unexpected argument " + Quoted(arg)};
        }
        std::optional<std::string>& value = *option->second;
        if (value)
            return UsageError{"option " + std::string(name) + " given more than once"};
        if (attachedValue)
            value = std::move(attachedValue);
        else if (i + 1 < args.size())
            value = args[++i];
        else
            return UsageError{"option " + std::string(name) + " needs a value"};
    }
    return Combine(std::move(raw));
}

std::optional<int> ParseSpan(std::string_view text)
{
    // Digits, capped well above any span a plan can have so they cannot overflow.
    const auto number = [&text]() -> std::optional<int> {
        std::size_t length = 0;
        int value = 0;
        while (length < text.size() && text[length] >= '0' && text[length] <= '9') {
            value = std::min(value * 10 + (text[length] - '0'), 100'000'000);
            ++length;
        }
        if (length == 0)
            return std::nullopt;
        text.remove_prefix(length);
        return value;
    };
    const std::optional<int> first = number();
    if (!first)
        return std::nullopt;
    if (text.empty() || text == "m")
        return *first;
    if (text.front() != 'y')
        return std::nullopt;
    text.remove_prefix(1);
    const int years = std::min(*first, 100'000) * 12;
    if (text.empty())
        return years;
    const std::optional<int> months = number();
    if (!months || text != "m")
        return std::nullopt;
    return years + *months;
}

std::string HelpText()
{
    return R"help(Usage: vesk-calc --balance TEXT --rate TEXT --payment TEXT [OPTION]...
  or:  vesk-calc --balance TEXT --rate TEXT --solve scheduled --within SPAN

Runs the payoff calculation of Vesk Payment without its windows. The texts
are read exactly as if typed into the calculator's fields.

  --balance TEXT    the outstanding balance
  --rate TEXT       the yearly interest rate in percent ("Interest Rate (APR)")
  --payment TEXT    the scheduled monthly payment
  --till-zero       "Payments Till Zero": list the plan month by month and
                    compare it with the minimum payment plan (without it:
                    "Monthly Payment", the first payment, payoff period and
                    the interest saved)
  --maximum TEXT    "Set Maximum Monthly Payment" to TEXT (at least 15);
                    implies --till-zero
  --fixed TEXT      "Disable Vesk Method" and pay TEXT every month (at least
                    15); implies --till-zero
  --solve WHAT      the least payment, to the cent, that pays the loan off
                    within --within, with the next cent down to show it is
                    the least: "maximum", the lowest cap on Vesk's Method
                    (none when Vesk's Method without a cap takes longer);
                    "fixed", the lowest fixed payment; "scheduled", the
                    scheduled payment itself (give no --payment)
  --within SPAN     the time to pay off within: months (120), years (10y) or
                    both (10y6m), 1 to 32766 months
  --sweep WHAT      one plan for each cap ("maximum") or fixed payment
                    ("fixed") from --from to --to in steps of --step (at
                    most 10000), read as the Maximum field reads them: its
                    payoff period, total interest, interest saved and
                    average payment, or its error
  --from TEXT       the first value of --sweep
  --to TEXT         the last value of --sweep
  --step TEXT       the step of --sweep
  --vesk-months SPAN
                    Vesk's Method for the first SPAN only (36, 3y), then
                    the scheduled payment alone; not with a fixed payment
  --first-payment YYYY-MM
                    the month of the first payment: adds the payoff month
                    and each month's date
  --format FORMAT   text (default), json (one object: the exact amounts and
                    month counts beside the texts), or csv (the plan, the
                    sweep's rows or the solve's row for a spreadsheet; a
                    plan needs --till-zero, --maximum or --fixed)
  -h, --help        show this help
  --version         show the version

Plans list both plans' total interest and total paid, and each month's
extra: what is sent on top of the scheduled payment.

Exit status: 0 done (also when no cap can pay off in time); 1 the
calculation failed (the calculator's message on stderr, or in the JSON
object); 2 inputs the calculator would not accept or a wrong command line
(one line on stderr).

Worked examples, all for 100000 at 7.5 % with 699 a month: with --solve
maximum and --within 20y the least cap is $809.16, and the cent below it
takes 20 yrs and 1 mth; with --solve fixed and --within 10y the least fixed
payment is $1,187.02; with --solve scheduled and --within 30y, and no
payment, the scheduled payment is $699.22; a sweep of caps from 800 to 1100
in steps of 100 saves $55,948.03 at 800 and $76,143.69 at 1100; and Vesk's
Method for the first 36 months only (--vesk-months 36) saves $22,811.98
against $76,873.92 for the whole loan.
)help";
}

std::string VersionText()
{
    return "vesk-calc (Vesk Payment) " VESK_VERSION "\n";
}
