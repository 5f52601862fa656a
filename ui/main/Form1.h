// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMainWindow>
#include <cstdint>
#include <string>

struct CalculatorInputs;
enum class InputField;
class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class SpokenNotice;

// The main calculator window: the loan figures, the choice between the first
// month's payment and the full payment plan, and the Calculate command.
class Form1 : public QMainWindow {
    Q_OBJECT
public:
    explicit Form1(QWidget* parent = nullptr);

    // Designed outer size in twips, borders, title bar and menu bar included.
    static constexpr std::int16_t kDesignedHeight = 3690;
    static constexpr std::int16_t kDesignedWidth = 6675;

protected:
    void changeEvent(QEvent* event) override;

private:
    void createControls();
    void createMenu();
    void arrangeTabOrder();
    void connectHandlers();

    // What the fields and options hold right now.
    CalculatorInputs inputs() const;
    void paintMaximumBackground();

    // Option interlocks.
    void optMonthly_Click();
    void optToZero_Click();
    void chkMaxMonthly_Click();
    void chkDisableVesk_Click();
    void EDtxtMaximum();
    void EDchkMaxMonthly();

    // Enabling of the Calculate button and menu entry.
    void EDcmdCalculate();
    void showRefusalReason(const std::string& reason, InputField field);
    void txtBalance_Change();
    void txtInterestRate_Change();
    void txtPayment_Change();
    void txtMaximum_Change();

    void cmdCalculate_Click();
    void announceResults();
    void mnuCalculate_Click();
    void mnuAbout_Click();
    void mnuForm_Click();
    void mnuExit_Click();
    void Form_Resize();

    QLabel* Label3 = nullptr;
    QLineEdit* txtBalance = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* txtInterestRate = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* txtPayment = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* lblMonthly = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* lblPayoff = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* lblAmountSaved = nullptr;
    QRadioButton* optMonthly = nullptr;
    QRadioButton* optToZero = nullptr;
    QPushButton* cmdCalculate = nullptr;
    QGroupBox* Frame1 = nullptr;
    QCheckBox* chkMaxMonthly = nullptr;
    QLineEdit* txtMaximum = nullptr;
    QCheckBox* chkDisableVesk = nullptr;
    // Speaks the results after Calculate; it shows nothing.
    SpokenNotice* resultsNotice = nullptr;

    QMenu* mnuOptions = nullptr;
    QAction* mnuAbout = nullptr;
    QAction* mnuForm = nullptr;
    QAction* mnuCalculate = nullptr;
    QAction* mnuExit = nullptr;
};
