// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <cstdint>
#include <functional>
#include <memory>

// The engine's types stay out of this header: moc cannot read the C++20
// library headers they bring.
class Currency;
enum class VariedPayment;
struct PlanTerms;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QSpinBox;
class QTimer;
class SpokenNotice;
class WhatIfChart;
class WhatIfResults;

// What if: the loan on screen with another cap or fixed payment, or Vesk's
// Method for its first years only. Every change of the payment shows its
// plan at once; "Pay off within" finds the least payment that clears the
// loan in time; the chart shows what each payment saves. Open Plan shows the
// chosen plan in the payment plan window.
class frmWhatIf : public QDialog {
    Q_OBJECT
public:
    // Shows the chosen plan, as the Calculate command would for its terms.
    using OpenPlan = std::function<void(const PlanTerms&)>;

    frmWhatIf(const PlanTerms& terms, OpenPlan openPlan, QWidget* parent = nullptr);
    ~frmWhatIf() override;

    // Opens the window modal to owner; it is deleted when it closes.
    static frmWhatIf* openOver(QWidget* owner, const PlanTerms& terms, OpenPlan openPlan);

    // Designed outer size in twips, borders and title bar included.
    static constexpr std::int16_t kDesignedHeight = 5865;
    static constexpr std::int16_t kDesignedWidth = 10320;

    // The terms of the plan on screen: the loan with the payment as chosen.
    PlanTerms chosenTerms() const;
    WhatIfChart* chart() const { return chtSavings; }

private:
    void createPaymentFrame(QWidget* client);
    void createWithinFrame(QWidget* client);
    void arrangeTabOrder();
    void connectHandlers();

    void txtPayment_Change();
    void sldPayment_Change(int position);
    void txtFirstPayment_Change();
    void cmdFindPayment_Click();
    void tellFound(const QString& text);
    void cmdOpenPlan_Click();
    void Form_Resize();

    VariedPayment varied() const;
    Currency payment() const;
    void setPayment(Currency value);
    // The loan again with the first months on screen; the slider's range
    // and the chart follow.
    void takeLoan();
    // The plan of the payment on screen, in the results and on the chart.
    void showOutcome();

    // The loan, the payments the slider and the chart span, and the plan of
    // the payment on screen.
    struct Session;
    std::unique_ptr<Session> session_;

    QGroupBox* fraPayment = nullptr;
    QRadioButton* optCap = nullptr;
    QRadioButton* optFixed = nullptr;
    QLabel* lblPayment = nullptr;
    QDoubleSpinBox* txtPayment = nullptr;
    QSlider* sldPayment = nullptr;
    QLabel* lblVeskFirst = nullptr;
    QSpinBox* txtVeskYears = nullptr;
    QSpinBox* txtVeskMonths = nullptr;
    QGroupBox* fraWithin = nullptr;
    QSpinBox* txtWithinYears = nullptr;
    QSpinBox* txtWithinMonths = nullptr;
    QPushButton* cmdFindPayment = nullptr;
    QLabel* lblFindResult = nullptr;
    QLabel* lblFirstPayment = nullptr;
    QLineEdit* txtFirstPayment = nullptr;
    QPushButton* cmdOpenPlan = nullptr;
    QPushButton* cmdClose = nullptr;
    WhatIfResults* fraResults = nullptr;
    WhatIfChart* chtSavings = nullptr;
    // The results spoken once the user stops changing the payment.
    SpokenNotice* resultsNotice = nullptr;
    QTimer* resultsPause = nullptr;
};
