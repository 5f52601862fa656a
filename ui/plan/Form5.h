// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QString>
#include <cstdint>
#include <memory>

class MSFlexGrid;
struct PaymentPlan;
struct PlanTerms;
class QGroupBox;
class QLabel;
class QPushButton;

// The payment plan window: the accelerated plan month by month and the
// comparison with the scheduled plan.
class Form5 : public QDialog {
    Q_OBJECT
public:
    explicit Form5(QWidget* parent = nullptr);
    ~Form5() override;

    // Creates the window, builds the plan from CalcState and shows it modally;
    // returns once the window is gone. A failing load shows its message,
    // discards the window and activates mainWindow.
    static void showModal(QWidget* mainWindow);

    // The window built and loaded but not shown, or null when the load failed
    // (its message shown, mainWindow activated). showModal runs it modally.
    static std::unique_ptr<Form5> createLoaded(QWidget* mainWindow);

    // Designed outer size in twips, borders and title bar included.
    static constexpr std::int16_t kDesignedHeight = 8010;
    static constexpr std::int16_t kDesignedWidth = 7560;

    // Writes the plan's months to path as CSV, whole or not at all; a failure
    // is reported through MsgBox and gives false.
    bool savePlanCsv(const QString& path);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void createControls();
    void createPrintControls();
    void createWhatIfControls();

    // Builds the plan into the grid and the summary; false after reporting a
    // run-time error.
    bool Form_Load();
    // Form_Load, then the grid's cursor on the first month.
    bool loadAtFirstMonth();
    void Form_Resize();
    void cmdBack_Click();
    void mnuSaveCsv_Click();
    void mnuChart_Click();
    void mnuExportPdf_Click();
    void mnuPrint_Click();
    void mnuWhatIf_Click();
    // Shows the plan for terms, as the Calculate command would have loaded them.
    void showPlanFor(const PlanTerms& terms);

    void setFrameCaption(const QString& caption, bool altered);
    void describeForScreenReaders();
    void widenColumnsToHeaders();
    // The width of text in the window's font, in twips.
    int TextWidth(const QString& text) const;

    // The plan the grid shows and the CSV is written from.
    std::shared_ptr<const PaymentPlan> plan_;

    MSFlexGrid* MSFlexGrid1 = nullptr;
    QPushButton* cmdBack = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* lblAmountSaved = nullptr;
    QGroupBox* Frame1 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* lblPayoff = nullptr;
    QGroupBox* Frame2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* lblMinPayoff = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* lblAverageMonthly = nullptr;
    QLabel* Label6 = nullptr;
    QPushButton* cmdChart = nullptr;
    QPushButton* cmdPrint = nullptr;
    QPushButton* cmdWhatIf = nullptr;
};
