// SPDX-License-Identifier: GPL-3.0-or-later
// The enabling rule, the Calculate command's load and run, and the payment plan.

#include "CalculatorTestSupport.h"
#include "PaymentPlan.h"

#include <array>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace {

struct EnableCase {
    Loan loan;
    bool tillZero;
    const char* reason; // nullptr: Calculate is enabled
    InputField field = InputField::None;
    bool focusPayment = false;
};

EnableCase On(Loan loan, bool tillZero = false)
{
    return {loan, tillZero, nullptr};
}

EnableCase Off(Loan loan, bool tillZero, InputField field, const char* reason,
               bool focusPayment = false)
{
    return {loan, tillZero, reason, field, focusPayment};
}

void PrintTo(const EnableCase& c, std::ostream* os)
{
    *os << '"' << c.loan.balance << "\" \"" << c.loan.rate << "\" \"" << c.loan.payment << "\" \""
        << c.loan.maximum << "\" max=" << c.loan.chkMaxMonthly
        << " fixed=" << c.loan.chkDisableVesk;
}

class Enabling : public ::testing::TestWithParam<EnableCase> {};

TEST_P(Enabling, DecisionAndReason)
{
    const EnableCase& c = GetParam();
    const EnableDecision got = EnablingRule(InputsFor(c.loan, c.tillZero));
    EXPECT_EQ(got.enabled, c.reason == nullptr);
    EXPECT_EQ(got.reason, c.reason != nullptr ? c.reason : "");
    EXPECT_EQ(got.field, c.field);
    EXPECT_EQ(got.focusPayment, c.focusPayment);
}

constexpr InputField kBalance = InputField::Balance;
constexpr InputField kRate = InputField::Rate;
constexpr InputField kPayment = InputField::Payment;
constexpr InputField kMaximum = InputField::Maximum;
const char* const kNoPayment = "Payment must be greater than 0";
const char* const kNoBalance = "Balance must be greater than 0";

INSTANTIATE_TEST_SUITE_P(
    Monthly, Enabling,
    ::testing::Values(
        Off({"", "", ""}, false, kBalance, "Balance must not be blank"),
        On({"100000", "7.5", "699"}), On({"100000", "0", "699"}), On({"100000", "-5", "699"}),
        On({"100000", "abc", "699"}),
        Off({"100000", "", "699"}, false, kRate, "Interest rate must not be blank"),
        Off({"100000", " ", "699"}, true, kRate, "Interest rate must not be blank"),
        Off({"100000", "7.5", "0"}, false, kPayment, kNoPayment),
        Off({"100000", "7.5", "-699"}, true, kPayment, kNoPayment),
        Off({"100000", "7.5", "abc"}, false, kPayment, kNoPayment),
        Off({"100000", "7.5", "0.00004"}, false, kPayment, kNoPayment),
        Off({"100000", "0", "0"}, false, kPayment, kNoPayment),
        Off({" ", "7.5", "699"}, false, kBalance, "Balance must not be blank"),
        Off({"  ", "7.5", "699"}, false, kBalance, kNoBalance),
        Off({"0", "7.5", "699"}, false, kBalance, kNoBalance),
        Off({"-1", "7.5", "699"}, false, kBalance, kNoBalance),
        Off({"0.00004", "7.5", "699"}, false, kBalance, kNoBalance),
        Off({"$100000", "7.5", "699"}, false, kBalance, kNoBalance),
        Off({"abc", "7.5", "699"}, false, kBalance, kNoBalance), On({"100,000", "7.5", "699"}),
        On({"100 000", "7.5", "699"}), On({"1\t0\n0", "7.5", "699"}), On({"12abc", "7.5", "699"}),
        On({"1E3", "7.5", "699"}), On({"100000", "7.5", "699"}, true),
        Off({"1E15", "7.5", "699"}, false, kBalance, "Balance is out of range"),
        Off({"100000", "1E400", "699"}, false, kRate, "Interest rate is out of range"),
        Off({"100000", "7.5", "1E15"}, false, kPayment, "Payment is out of range"),
        // every box is read before any test, even the disabled maximum
        Off({"100000", "7.5", "699", "1E15"}, false, kMaximum, "Maximum is out of range"),
        Off({"0", "7.5", "1234567890123456"}, false, kPayment, "Payment is out of range"),
        Off({" ", "7.5", "-1E15"}, false, kPayment, "Payment is out of range")));

INSTANTIATE_TEST_SUITE_P(
    MaximumAndFixed, Enabling,
    ::testing::Values(
        Off({"100000", "7.5", "699", "5", 1, 0}, true, kMaximum, "Maximum must be at least 15"),
        On({"100000", "7.5", "699", "50", 1, 0}, true),
        On({"100000", "7.5", "699", "15", 1, 0}, true),
        Off({"100000", "7.5", "699", "14.9999", 1, 0}, true, kMaximum,
            "Maximum must be at least 15"),
        Off({"100000", "7.5", "699", "", 1, 0}, true, kMaximum, "Maximum must not be blank"),
        Off({"100000", "7.5", "699", " ", 1, 0}, true, kMaximum, "Maximum must not be blank"),
        Off({"0", "7.5", "699", "1E20", 1, 0}, true, kMaximum, "Maximum is out of range"),
        Off({"100000", "7.5", "0", "5", 1, 0}, true, kMaximum, "Maximum must be at least 15"),
        Off({"100000", "7.5", "0", "50", 1, 0}, true, kPayment, kNoPayment, true),
        Off({"100000", "7.5", "-1", "15", 1, 0}, true, kPayment, kNoPayment, true),
        On({"1000", "0", "0", "500", 0, 1}, true), On({"1000", "7.5", "-5", "500", 0, 1}, true),
        On({"1000", "7.5", "  ", "500", 0, 1}, true),
        Off({"1000", "7.5", " ", "500", 0, 1}, true, kPayment, "Payment must not be blank"),
        Off({"1000", "7.5", "", "500", 0, 1}, true, kPayment, "Payment must not be blank"),
        Off({"1000", "7.5", "699", "", 0, 1}, true, kMaximum, "Fixed payment must not be blank"),
        Off({"1000", "7.5", "699", " ", 0, 1}, true, kMaximum, "Fixed payment must not be blank"),
        Off({"1000", "7.5", "699", "5", 0, 1}, true, kMaximum, "Fixed payment must be at least 15"),
        Off({"1000", "7.5", "699", "1E15", 0, 1}, true, kMaximum, "Fixed payment is out of range"),
        Off({"0", "7.5", "699", "500", 0, 1}, true, kBalance, kNoBalance)));

TEST(LoadCalcState, ResetsThenReadsEachFieldTwice)
{
    struct Case {
        Loan loan;
        const char* maxMonthly;
        const char* fixedMonthly;
    };
    for (const Case& c : {Case{{"100,000", "7.5", "699"}, "0", "0"},
                          Case{{"100000", "7.5", "699", "1000", 1, 0}, "1000", "0"},
                          Case{{"100000", "7.5", "699", "650", 0, 1}, "0", "650"},
                          Case{{"100000", "7.5", "699", "abc"}, "0", "0"}}) {
        CalcState.MinTotalInterest = CalcState.VeskTotalInterest = Money("5");
        CalcState.MaxMonthly = CalcState.FixedMonthly = Money("5");
        LoadCalcState(InputsFor(c.loan, true));
        EXPECT_EQ(CalcState.VeskBalance, Money("100000"));
        EXPECT_EQ(CalcState.MinBalance, Money("100000"));
        EXPECT_EQ(CalcState.VeskRate, 7.5 / 100);
        EXPECT_EQ(CalcState.MinRate, 7.5 / 100);
        EXPECT_EQ(CalcState.VeskScheduled, Money("699"));
        EXPECT_EQ(CalcState.MinPayment, Money("699"));
        EXPECT_EQ(CalcState.MaxMonthly, Money(c.maxMonthly)) << c.loan.maximum;
        EXPECT_EQ(CalcState.FixedMonthly, Money(c.fixedMonthly)) << c.loan.maximum;
        EXPECT_EQ(CalcState.MinTotalInterest, Currency{});
        EXPECT_EQ(CalcState.VeskTotalInterest, Currency{});
    }
}

TEST(LoadCalcState, StrictReadingFailsAndKeepsWhatWasWritten)
{
    const std::pair<Loan, int> cases[] = {{{"12abc", "7.5", "699"}, ErrTypeMismatch},
                                          {{"100000", "abc", "699"}, ErrTypeMismatch},
                                          {{"100000", "7.5", ""}, ErrTypeMismatch},
                                          {{"100000", "7.5", "699", "x", 1, 0}, ErrTypeMismatch},
                                          {{"922337203685477.5808", "7.5", "699"}, ErrOverflow},
                                          {{"100000", "7.5", "9999999999999999"}, ErrOverflow}};
    for (const auto& [loan, error] : cases)
        EXPECT_EQ(ErrorNumberOf([&] { LoadCalcState(InputsFor(loan, false)); }), error)
            << loan.balance << " " << loan.rate << " " << loan.payment;

    CalcState.VeskTotalInterest = Money("5");
    EXPECT_EQ(ErrorNumberOf([] {
                  LoadCalcState(InputsFor({"250", "abc", "1"}, false));
              }),
              ErrTypeMismatch);
    EXPECT_EQ(CalcState.VeskTotalInterest, Currency{});
    EXPECT_EQ(CalcState.VeskBalance, Money("250"));
    EXPECT_EQ(CalcState.MinBalance, Money("250"));
}

struct MonthlyCase {
    Loan loan;
    const char* monthly; // nullptr: the accelerated plan ran no month
    const char* payoff;
    const char* saved;
};

class MonthlyPayment : public ::testing::TestWithParam<MonthlyCase> {};

TEST_P(MonthlyPayment, Results)
{
    const MonthlyCase& c = GetParam();
    LoadCalcState(InputsFor(c.loan, false));
    const MonthlyResultTexts got = ResultTexts(RunMonthlyPayment());
    EXPECT_EQ(got.monthly.has_value(), c.monthly != nullptr);
    if (c.monthly && got.monthly) {
        EXPECT_EQ(*got.monthly, c.monthly);
    }
    EXPECT_EQ(got.payoff, c.payoff);
    EXPECT_EQ(got.amountSaved, c.saved);
}

INSTANTIATE_TEST_SUITE_P(
    Table, MonthlyPayment,
    ::testing::Values(
        MonthlyCase{{"100000", "7.5", "699"}, "$777.83", "14 yrs and 11 mths", "$76,873.92"},
        MonthlyCase{{"250000", "6", "1500"}, "$1,758.75", "14 yrs and 11 mths", "$145,313.99"},
        MonthlyCase{{"20000", "18.9", "400"}, "$492.64", "4 yrs and 1 mth", "$9,953.16"},
        MonthlyCase{{"1000", "12", "100"}, "$191.90", "6 mths", "$27.01"},
        MonthlyCase{{"500", "10", "699"}, "$504.17", "1 mth", "$.00"},
        MonthlyCase{{"1000", "0", "100"}, "$200.00", "5 mths", "$.00"},
        MonthlyCase{{"100,000", "7.5", "699"}, "$777.83", "14 yrs and 11 mths", "$76,873.92"},
        MonthlyCase{{"0", "7.5", "699"}, nullptr, "", "$.00"},
        MonthlyCase{{"-5", "7.5", "699"}, nullptr, "", "$.00"},
        // balances beyond 2^53 ten-thousandths convert to their nearest doubles
        MonthlyCase{{"9999999999999", "12", "100000000000"},
                    "$101,000,000,000.01",
                    "22 yrs and 3 mths",
                    "$268,993,750,139,358.65"},
        MonthlyCase{{"7777777777777.7", "30", "200000000000"},
                    "$210,694,444,444.45",
                    "5 yrs and 6 mths",
                    "$11,852,847,711,407.52"},
        // 16,384 accelerated months, then exactly 32,767 scheduled ones
        MonthlyCase{{"3276700", "0", "100"}, "$200.00", "1365 yrs and 4 mths", "$.00"}));

TEST(MonthlyPayment, EndlessPlansRaiseOverflow)
{
    for (const Loan& loan : {Loan{"100000", "12", "900"}, // the payment does not cover the interest
                             Loan{"100000", "12", "1000"}, // the scheduled balance never moves
                             Loan{"3276800", "0", "100"},  // a 32,768th scheduled month
                             Loan{"7", "0", "0.0001"}}) {  // a 32,768th accelerated month
        LoadCalcState(InputsFor(loan, false));
        EXPECT_EQ(ErrorNumberOf(RunMonthlyPayment), ErrOverflow) << loan.balance;
    }
}

TEST(PaymentPlanLoad, FailuresCarryTheirErrorNumbers)
{
    const std::pair<Loan, const char*> cases[] = {
        // the balance grows out of range under a fixed payment below the interest
        {{"2,000,000", "3", "0", "15", 0, 1}, "Error Number 6 Overflow"},
        // the scheduled plan never ends
        {{"100000", "12", "1000"}, "Error Number 6 Overflow"},
        // month 32,767 would need grid row 32,768
        {{"3276700", "0", "100", "100", 0, 1}, "Error Number 6 Overflow"},
        // no month: the average divides by zero
        {{"0", "7.5", "699"}, "Error Number 6 Overflow"},
        {{"-5", "7.5", "699"}, "Error Number 11 Division by zero"}};
    for (const auto& [loan, text] : cases) {
        LoadCalcState(InputsFor(loan, true));
        try {
            LoadPaymentPlan();
            ADD_FAILURE() << loan.balance << " loaded";
        } catch (const RuntimeError& e) {
            EXPECT_EQ(PlanErrorText(e.number(), e.description()), text) << loan.balance;
        }
    }
}

} // namespace
