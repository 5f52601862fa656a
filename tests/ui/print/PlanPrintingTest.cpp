// SPDX-License-Identifier: GPL-3.0-or-later
// Printing the plan: its preview, the print dialog, the printer and the file.
#include "PlanPrinting.h"

#include "LoanInputs.h"
#include "PlanDocument.h"
#include "PlanFiles.h"
#include "PopplerOutput.h"
#include "PrivateCups.h"
#include "UiTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

namespace {

// The preview open in this test, if any.
QPrintPreviewDialog* OpenPreview()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* preview = qobject_cast<QPrintPreviewDialog*>(widget);
            preview != nullptr && preview->isVisible()) {
            return preview;
        }
    }
    return nullptr;
}

// Cancels the next progress dialog that shows: with Esc, or with the mouse
// on its Cancel button.
class CancelProgress : public QObject {
public:
    explicit CancelProgress(bool escape)
    {
        connect(&poll_, &QTimer::timeout, this, [this, escape] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                auto* progress = qobject_cast<QProgressDialog*>(widget);
                if (progress == nullptr || !progress->isVisible() || progress->wasCanceled()) {
                    continue;
                }
                if (escape && !progress->isActiveWindow()) {
                    progress->activateWindow(); // Esc is a shortcut of the active window
                    return;
                }
                if (escape) {
                    QTest::keyClick(progress->windowHandle(), Qt::Key_Escape);
                } else {
                    QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
                }
                cancelled_ = progress->wasCanceled();
                poll_.stop();
                return;
            }
        });
        poll_.start(20);
    }
    bool cancelled() const { return cancelled_; }

private:
    QTimer poll_;
    bool cancelled_ = false;
};

// What a print through the preview saw.
struct Printed {
    QPageSize paper;    // the preview's
    int pages = 0;      // the preview's
    QString suggestion; // the print dialog's Print to File name
};

// Prints plan through the preview: presses its Print, takes the default
// printer in the print dialog or, with a file, Print to File there, and
// cancels the pages' progress when asked to. A preview still open after
// printing is closed.
Printed PrintThroughPreview(std::shared_ptr<const PaymentPlan> plan, const QString& file,
                            bool cancel)
{
    Printed seen;
    std::unique_ptr<CancelProgress> cancelling;
    enum { Preview, Dialog, Printing } step = Preview;
    int waited = 0;
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        QPrintPreviewDialog* preview = OpenPreview();
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if (step == Preview && preview != nullptr) {
            seen.paper = preview->printer()->pageLayout().pageSize();
            seen.pages = preview->findChild<QPrintPreviewWidget*>()->pageCount();
            const QString print = QCoreApplication::translate("QPrintPreviewDialog", "Print");
            for (QAction* action : preview->findChildren<QAction*>()) {
                if (action->text() == print) {
                    QTimer::singleShot(0, action, &QAction::trigger);
                }
            }
            step = Dialog;
        } else if (step == Dialog && dialog != nullptr) {
            for (auto* edit : dialog->findChildren<QLineEdit*>()) {
                if (edit->text().endsWith(QLatin1String(".pdf"))) {
                    seen.suggestion = edit->text();
                    if (!file.isEmpty()) {
                        edit->setText(file);
                    }
                }
            }
            const QString toFile =
                QCoreApplication::translate("QPrintDialog", "Print to File (PDF)");
            for (auto* printers : dialog->findChildren<QComboBox*>()) {
                if (!file.isEmpty() && printers->findText(toFile) >= 0) {
                    printers->setCurrentIndex(printers->findText(toFile));
                }
            }
            if (cancel) {
                cancelling = std::make_unique<CancelProgress>(false);
            }
            dialog->accept();
            step = Printing;
        } else if (step == Printing && preview != nullptr && ++waited > 25) {
            preview->close();
        }
    });
    driver.start(20);
    PrintPlan(nullptr, std::move(plan));
    if (cancel && (cancelling == nullptr || !cancelling->cancelled())) {
        seen.pages = -1; // the progress was never cancelled
    }
    return seen;
}

// The pages the plan takes on paper, as a PDF.
int PagesOn(const std::shared_ptr<const PaymentPlan>& plan, QPageSize::PageSizeId paper)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    QPageLayout layout = PdfPageLayout();
    layout.setPageSize(QPageSize(paper));
    writer.setPageLayout(layout);
    return PlanDocument(plan).pageCount(&writer);
}

// A PDF's page count and page size, as poppler's pdfinfo gives them.
QString PdfInfo(const QString& path)
{
    QStringList facts;
    for (const QString& line : PopplerOutput(QStringLiteral("pdfinfo"), {path}).split(u'\n')) {
        if (line.startsWith(QLatin1String("Pages:")) ||
            line.startsWith(QLatin1String("Page size:"))) {
            facts << line.simplified();
        }
    }
    return facts.join(QLatin1String("; "));
}

} // namespace

class PlanPrintingTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init() { messages_ = std::make_unique<MsgBoxRecorder>(); }
    void cleanup() { messages_.reset(); }

    void cancelledPreviewCloses_data();
    void cancelledPreviewCloses();
    void printsOnThePrintersPaper();
    void cancelledPrintLeavesNothing_data();
    void cancelledPrintLeavesNothing();

private:
    // Before anything asks for printers.
    std::unique_ptr<PrivateCups> cups_ = std::make_unique<PrivateCups>();
    std::unique_ptr<MsgBoxRecorder> messages_;
    std::unique_ptr<ModalWatchdog> watchdog_;
};

void PlanPrintingTest::initTestCase()
{
    QVERIFY2(cups_->error().isEmpty(), qPrintable(cups_->error()));
    UseTestFont();
    watchdog_ = std::make_unique<ModalWatchdog>(60000);
}

void PlanPrintingTest::cancelledPreviewCloses_data()
{
    QTest::addColumn<bool>("relayout"); // cancel the layout after a change to landscape
    QTest::addColumn<bool>("escape");   // or the mouse on Cancel
    QTest::newRow("first layout, Esc") << false << true;
    QTest::newRow("first layout, mouse") << false << false;
    QTest::newRow("landscape, mouse") << true << false;
}

// A preview whose pages are cancelled is not shown with what it had so far:
// it closes, and the event loop that would paint it runs on unharmed. The
// longest plan takes long enough for the progress to show.
void PlanPrintingTest::cancelledPreviewCloses()
{
    QFETCH(bool, relayout);
    QFETCH(bool, escape);
    std::unique_ptr<CancelProgress> cancel;
    if (!relayout) {
        cancel = std::make_unique<CancelProgress>(escape);
    }
    // Once a preview shows its pages: turn it to landscape, or let it paint
    // what it holds for a while and close it.
    int shownTicks = 0;
    QTimer driver;
    connect(&driver, &QTimer::timeout, [&] {
        QPrintPreviewDialog* preview = OpenPreview();
        if (preview == nullptr || (cancel != nullptr && !cancel->cancelled() && relayout)) {
            return;
        }
        if (cancel == nullptr) {
            cancel = std::make_unique<CancelProgress>(escape);
            QTimer::singleShot(0, preview->findChild<QPrintPreviewWidget*>(),
                               &QPrintPreviewWidget::setLandscapeOrientation);
        } else if (++shownTicks == 10) {
            preview->grab();
            preview->close();
        }
    });
    driver.start(20);
    PrintPlan(nullptr, PlanFor(kLongestPlan));

    QVERIFY(cancel != nullptr && cancel->cancelled());
    QCOMPARE(OpenPreview(), nullptr);
    QVERIFY(shownTicks < 10); // it closed by itself
    QVERIFY(messages_->messages().empty());
}

// The preview shows the paper the printer uses (Letter, whatever the
// locale), the print dialog suggests the file Export PDF would, and the
// printer prints the pages the preview showed.
void PlanPrintingTest::printsOnThePrintersPaper()
{
    const auto plan = PlanFor(TillZero("100000", "0", "100")); // 500 months
    const int letterPages = PagesOn(plan, QPageSize::Letter);
    QVERIFY(letterPages != PagesOn(plan, QPageSize::A4));

    const Printed seen = PrintThroughPreview(plan, QString(), false);
    QCOMPARE(seen.paper.id(), QPageSize::Letter);
    QCOMPARE(seen.pages, letterPages);
    QCOMPARE(seen.suggestion, SuggestedPlanPath(plan->terms, QStringLiteral("pdf")));
    QVERIFY(messages_->messages().empty());
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(cups_->printout()), 20000);
    QTRY_COMPARE_WITH_TIMEOUT(
        PdfInfo(cups_->printout()),
        QStringLiteral("Pages: %1; Page size: 612 x 792 pts (letter)").arg(letterPages), 20000);
}

void PlanPrintingTest::cancelledPrintLeavesNothing_data()
{
    QTest::addColumn<bool>("toFile");
    QTest::newRow("printer") << false;
    QTest::newRow("file") << true;
}

// Cancelling the pages' progress withdraws the job before it is sent: the
// printer's queue never sees it; a file is not written, and one that was
// there stays as it was.
void PlanPrintingTest::cancelledPrintLeavesNothing()
{
    QFETCH(bool, toFile);
    QTemporaryDir dir;
    const QString file = toFile ? dir.filePath(QStringLiteral("plan.pdf")) : QString();
    if (toFile) {
        QFile earlier(file);
        QVERIFY(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier");
    }
    const QString jobsBefore = cups_->knownJobs();
    QFile::remove(cups_->printout());

    const Printed seen = PrintThroughPreview(PlanFor(kLongestPlan), file, true);
    QVERIFY2(seen.pages > 0, "the progress was not cancelled");
    QTest::qWait(1000); // a job on its way would be known by now
    QCOMPARE(cups_->knownJobs(), jobsBefore);
    QVERIFY(!QFile::exists(cups_->printout()));
    if (toFile) {
        QFile earlier(file);
        QVERIFY(earlier.open(QIODevice::ReadOnly));
        QCOMPARE(earlier.readAll(), QByteArray("earlier"));
    }
    QVERIFY(messages_->messages().empty());
}

QTEST_MAIN(PlanPrintingTest)
#include "PlanPrintingTest.moc"
