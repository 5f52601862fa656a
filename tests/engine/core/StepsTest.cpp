// SPDX-License-Identifier: GPL-3.0-or-later
// One month of each plan: the record after each step, plan lengths and totals.

#include "EngineTestSupport.h"

#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace {

struct LoanCase {
    const char* name;
    const char* balance;
    double rate;
    const char* payment;
    const char* maximum = "0";
    const char* fixed = "0";
};

void Start(const LoanCase& loan)
{
    StartLoan(Money(loan.balance), loan.rate, Money(loan.payment), Money(loan.maximum),
              Money(loan.fixed));
}

const LoanCase kWorked{"worked", "100000", 7.5, "699"};
const LoanCase kInterestEqualsPayment{"equal", "100000", 12, "1000"};
const LoanCase kInterestAbovePayment{"above", "100000", 12, "900"};
const LoanCase kFirstMonthPays{"first", "500", 10, "699"};
const LoanCase kExactZero{"exact", "200", 0, "100"};
const LoanCase kZeroRate{"zero", "1000", 0, "100"};
const LoanCase kCap750{"cap750", "100000", 7.5, "699", "750"};
const LoanCase kFixed1000{"fixed1000", "100000", 7.5, "699", "0", "1000"};
const LoanCase kFixed600{"fixed600", "100000", 7.5, "699", "0", "600"};
const LoanCase kNoScheduled{"noScheduled", "1000", 12, "0", "0", "500"};
const LoanCase kGrowing{"growing", "2000000", 3, "0", "0", "15"};

// Accelerated-plan fields after a given month; nullptr leaves a field unchecked.
struct VeskMonthCase {
    LoanCase loan;
    int month;
    const char* interest; // amount(VeskMonthInterest)
    const char* principal;
    const char* nextBalance;
    const char* extra;
    const char* monthly;
    const char* principalPaid;
    const char* balance;
    const char* totalInterest;
};

class VeskMonth : public ::testing::TestWithParam<VeskMonthCase> {};

TEST_P(VeskMonth, RecordAfterTheMonth)
{
    const VeskMonthCase& c = GetParam();
    Start(c.loan);
    for (int m = 0; m < c.month; ++m)
        StepVeskMonth();
    const auto check = [](const char* expected, Currency got, const char* field) {
        if (expected) {
            EXPECT_EQ(got, Money(expected)) << field;
        }
    };
    check(c.interest, Currency::fromDouble(CalcState.VeskMonthInterest), "VeskMonthInterest");
    check(c.principal, CalcState.VeskPrincipal, "VeskPrincipal");
    check(c.nextBalance, CalcState.VeskNextBalance, "VeskNextBalance");
    check(c.extra, CalcState.VeskExtra, "VeskExtra");
    check(c.monthly, CalcState.VeskMonthly, "VeskMonthly");
    check(c.principalPaid, CalcState.VeskPrincipalPaid, "VeskPrincipalPaid");
    check(c.balance, CalcState.VeskBalance, "VeskBalance");
    check(c.totalInterest, CalcState.VeskTotalInterest, "VeskTotalInterest");
}

INSTANTIATE_TEST_SUITE_P(
    Examples, VeskMonth,
    ::testing::Values(
        VeskMonthCase{kWorked, 1, "625", "74", "99227", "78.8313", "777.8313", "152.8313",
                      "99847.1687", "625"},
        VeskMonthCase{kWorked, 2, "624.0448", "74.9552", "99073.2135", "79.7924", "778.7924",
                      "154.7476", "99692.4211", "1249.0448"},
        VeskMonthCase{kWorked, 179, "1.1339", "697.8661", nullptr, "706.5965", "182.5528",
                      "181.4189", "0", "75056.9315"},
        VeskMonthCase{kInterestEqualsPayment, 1, "1000", "0", "99000", "10", "1010", "10", "99990",
                      "1000"},
        // the principal share is the payment less the interest, even when negative
        VeskMonthCase{kInterestAbovePayment, 1, "1000", "-100", "99200", "-92", "808", "-192",
                      "100192", "1000"},
        VeskMonthCase{kFirstMonthPays, 1, "4.1667", nullptr, nullptr, nullptr, "504.1667", "500",
                      "0", "4.1667"},
        VeskMonthCase{kExactZero, 1, "0", "100", "0", "100", "200", "200", "0", "0"},
        VeskMonthCase{kCap750, 1, "625", "74", nullptr, "51", "750", "125", "99875", nullptr},
        VeskMonthCase{kFixed1000, 1, "625", "74", nullptr, "301", "1000", "375", "99625", nullptr},
        VeskMonthCase{kFixed600, 1, "625", "74", nullptr, "-99", "600", "-25", "100025", nullptr},
        VeskMonthCase{kNoScheduled, 1, "10", "-10", "1010", "500", "500", "490", "510", "10"},
        VeskMonthCase{kNoScheduled, 2, "5.1", "-5.1", nullptr, "500", "500", "494.9", "15.1",
                      "15.1"},
        VeskMonthCase{kNoScheduled, 3, "0.151", "-0.151", nullptr, "500", "15.251", "15.1", "0",
                      "15.251"}));

struct PlanLength {
    LoanCase loan;
    int veskMonths;
    const char* veskInterest;
    int minMonths;
    const char* minInterest;
};

class PlanLengths : public ::testing::TestWithParam<PlanLength> {};

TEST_P(PlanLengths, BothPlansToZero)
{
    const PlanLength& c = GetParam();
    Start(c.loan);
    int vesk = 0;
    for (; CalcState.VeskBalance > Currency{} && vesk <= 32767; ++vesk)
        StepVeskMonth();
    EXPECT_EQ(vesk, c.veskMonths);
    EXPECT_EQ(CalcState.VeskBalance, Currency{});
    if (c.veskInterest) {
        EXPECT_EQ(CalcState.VeskTotalInterest, Money(c.veskInterest));
    }

    int min = 0;
    for (; CalcState.MinBalance > Currency{} && min <= 32767; ++min)
        StepMinMonth();
    EXPECT_EQ(min, c.minMonths);
    EXPECT_EQ(CalcState.MinBalance, Currency{});
    EXPECT_EQ(CalcState.MinPayment, Money(c.loan.payment));
    if (c.minInterest) {
        EXPECT_EQ(CalcState.MinTotalInterest, Money(c.minInterest));
    }
}

INSTANTIATE_TEST_SUITE_P(Examples, PlanLengths,
                         ::testing::Values(PlanLength{kWorked, 179, "75056.9315", 361,
                                                      "151930.8475"},
                                           PlanLength{kZeroRate, 5, "0", 10, "0"},
                                           PlanLength{kExactZero, 1, "0", 2, "0"},
                                           PlanLength{kCap750, 288, nullptr, 361, nullptr},
                                           PlanLength{kFixed1000, 158, nullptr, 361, nullptr},
                                           PlanLength{kFirstMonthPays, 1, "4.1667", 1, "4.1667"}),
                         [](const auto& param) { return std::string(param.param.loan.name); });

TEST(MinMonth, ScheduledPlanSteps)
{
    struct Case {
        LoanCase loan;
        const char* interest;
        const char* principal;
        const char* balance;
    };
    for (const Case& c :
         {Case{kWorked, "625", "74", "99926"}, Case{kInterestEqualsPayment, "1000", "0", "100000"},
          Case{kInterestAbovePayment, "1000", "-100", "100100"}}) {
        Start(c.loan);
        CalcState.VeskBalance = Currency{}; // the accelerated plan has ended
        StepMinMonth();
        EXPECT_EQ(Currency::fromDouble(CalcState.MinMonthInterest), Money(c.interest))
            << c.loan.name;
        EXPECT_EQ(CalcState.MinPrincipal, Money(c.principal)) << c.loan.name;
        EXPECT_EQ(CalcState.MinBalance, Money(c.balance)) << c.loan.name;
        EXPECT_EQ(CalcState.MinTotalInterest, Money(c.interest)) << c.loan.name;
        EXPECT_EQ(CalcState.MinPayment, Money(c.loan.payment)) << c.loan.name;
    }
}

// Payment less interest is the principal, and the principal is the fall of
// the balance, in every month of every plan, including shortfall months.
TEST(VeskMonth, PaymentLessInterestIsTheFallOfTheBalance)
{
    for (const LoanCase& loan :
         {kWorked, kInterestEqualsPayment, kInterestAbovePayment, kFirstMonthPays, kCap750,
          kFixed1000, kFixed600, kNoScheduled, kGrowing}) {
        Start(loan);
        for (int month = 1; month <= 400 && CalcState.VeskBalance > Currency{}; ++month) {
            const Currency before = CalcState.VeskBalance;
            StepVeskMonth();
            const Currency interest = Currency::fromDouble(CalcState.VeskMonthInterest);
            ASSERT_EQ(CalcState.VeskMonthly - interest, CalcState.VeskPrincipalPaid)
                << loan.name << " month " << month;
            ASSERT_EQ(before - CalcState.VeskBalance, CalcState.VeskPrincipalPaid)
                << loan.name << " month " << month;
        }
    }
}

// Both plans run again on a record of their own leave CalcState as it was.
TEST(Steps, LocalRecordRunsThePlansWithoutCalcState)
{
    Start(kWorked);
    CalcRecord local = CalcState;
    const Currency untouched = Money("1");
    CalcState.VeskBalance = CalcState.MinBalance = untouched;

    int veskMonths = 0;
    for (; local.VeskBalance > Currency{}; ++veskMonths)
        StepVeskMonth(local);
    int minMonths = 0;
    for (; local.MinBalance > Currency{}; ++minMonths)
        StepMinMonth(local);

    EXPECT_EQ(veskMonths, 179);
    EXPECT_EQ(local.VeskTotalInterest, Money("75056.9315"));
    EXPECT_EQ(minMonths, 361);
    EXPECT_EQ(local.MinTotalInterest, Money("151930.8475"));
    EXPECT_EQ(CalcState.VeskBalance, untouched);
    EXPECT_EQ(CalcState.MinBalance, untouched);
    EXPECT_EQ(CalcState.VeskTotalInterest, Currency{});
}

TEST(Steps, OverflowIsRaisedNotWrapped)
{
    // a fixed payment below the interest: the balance grows out of range
    Start(kGrowing);
    int months = 0;
    const int error = ErrorNumberOf([&] {
        for (; months < 32767; ++months)
            StepVeskMonth();
    });
    EXPECT_EQ(error, ErrOverflow);
    EXPECT_LT(months, 32767);
    EXPECT_GT(CalcState.VeskBalance, Money("2000000"));

    // an absurd rate: the double product, then the interest amount, overflow
    for (double rate : {1e306, 1e14}) {
        StartLoan(Money("100000"), rate, Money("699"));
        EXPECT_EQ(ErrorNumberOf([] { StepVeskMonth(); }), ErrOverflow) << rate;
        StartLoan(Money("100000"), rate, Money("699"));
        CalcState.VeskBalance = Currency{};
        EXPECT_EQ(ErrorNumberOf([] { StepMinMonth(); }), ErrOverflow) << rate;
    }
}

} // namespace
