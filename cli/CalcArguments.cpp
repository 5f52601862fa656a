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

// Checks the collected values together and builds the window's inputs from them.
ParsedArguments Combine(RawOptions raw)
{
    for (const auto& [field, value] :
         {std::pair{InputField::Balance, &raw.balance}, std::pair{InputField::Rate, &raw.rate},
          std::pair{InputField::Payment, &raw.payment}}) {
        if (!*value)
            return UsageError{"missing required option " + std::string(NameOf(field).option)};
    }
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
    in.payment = std::move(*raw.payment);
    // Both options stand for a check box that only exists in "Payments Till Zero".
    in.chkMaxMonthly = raw.maximum ? 1 : 0;
    in.chkDisableVesk = raw.fixed ? 1 : 0;
    in.maximumEnabled = raw.maximum || raw.fixed;
    in.maximum = raw.maximum ? *raw.maximum : raw.fixed ? *raw.fixed : std::string();
    in.tillZero = raw.tillZero || in.maximumEnabled;

    if (options.format == OutputFormat::Csv && !in.tillZero)
        return UsageError{
            "--format csv lists a payment plan: add --till-zero, --maximum or --fixed"};
    return options;
}

} // namespace

ParsedArguments ParseArguments(const std::vector<std::string>& args)
{
    RawOptions raw;
    const std::array<std::pair<std::string_view, std::optional<std::string>*>, 6> valueOptions{{
        {NameOf(InputField::Balance).option, &raw.balance},
        {NameOf(InputField::Rate).option, &raw.rate},
        {NameOf(InputField::Payment).option, &raw.payment},
        {NameOf(InputField::Maximum, false).option, &raw.maximum},
        {NameOf(InputField::Maximum, true).option, &raw.fixed},
        {"--format", &raw.format},
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

std::string HelpText()
{
    return R"help(Usage: vesk-calc --balance TEXT --rate TEXT --payment TEXT [OPTION]...

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
  --format FORMAT   text (default), json (one object: the exact amounts and
                    month counts beside the texts), or csv (the plan for a
                    spreadsheet; needs --till-zero, --maximum or --fixed)
  -h, --help        show this help
  --version         show the version

Exit status: 0 done; 1 the calculation failed (the calculator's message on
stderr, or in the JSON object); 2 inputs the calculator would not accept or a
wrong command line (one line on stderr).
)help";
}

std::string VersionText()
{
    return "vesk-calc (Vesk Payment) " VESK_VERSION "\n";
}
