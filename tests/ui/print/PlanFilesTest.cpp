// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlanFiles.h"

#include "Calculator.h"
#include "LoanInputs.h"
#include "PlanTexts.h"
#include "PopplerOutput.h"
#include "UiTestSupport.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

// The worked example, with a maximum monthly payment where one is given.
std::shared_ptr<const PaymentPlan> WorkedExamplePlan(const QString& maximum = QString())
{
    return PlanFor(maximum.isEmpty()
                       ? TillZero("100000", "7.5", "699")
                       : TillZero("100000", "7.5", "699", Limit::Maximum, qPrintable(maximum)));
}

// The text of each page of a PDF, as poppler's pdftotext lays it out, with
// every run of blanks made one.
QStringList PdfPageTexts(const QString& path)
{
    QStringList pages =
        PopplerOutput(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, "-"})
            .split(u'\f');
    pages.removeLast(); // after the last page's form feed
    for (QString& page : pages) {
        QStringList lines;
        for (const QString& line : page.split(u'\n')) {
            if (!line.trimmed().isEmpty()) {
                lines << line.simplified();
            }
        }
        page = lines.join(u'\n');
    }
    return pages;
}

const QString kHeaderRow = QStringLiteral("Term Monthly Payment Interest Principal Balance Extra");

QString DirEntries(const QTemporaryDir& dir)
{
    return QDir(dir.path())
        .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)
        .join(u',');
}

} // namespace

class PlanFilesTest : public QObject {
    Q_OBJECT

private slots:
    void init() { messages_ = std::make_unique<MsgBoxRecorder>(); }
    void cleanup() { messages_.reset(); }

    void pdfPagesStartWithTheHeaderRow_data();
    void pdfPagesStartWithTheHeaderRow();
    void cancelledPdfLeavesNoFile();
    void unwritablePdfIsReported();
    void suggestsTheLoanInTheLastFolder();

private:
    std::unique_ptr<MsgBoxRecorder> messages_;
};

void PlanFilesTest::pdfPagesStartWithTheHeaderRow_data()
{
    QTest::addColumn<QString>("maximum");
    QTest::addColumn<QStringList>("front");
    QTest::newRow("worked example")
        << QString()
        << QStringList{"Payment Plan Till You Reach Zero",
                       "Outstanding Balance $100,000.00",
                       "Interest Rate (APR) 7.5%",
                       "Scheduled Payment $699.00",
                       "Vesk's Method Minimum Payment Plan",
                       "Payoff Period 14 yrs and 11 mths Payoff Period 30 yrs and 1 mth",
                       "Aver Mnthly Pymt $977.97 Mnthly Pymt $699.00",
                       "Total Interest $75,056.93 Total Interest $151,930.85",
                       "Total Paid $175,056.93 Total Paid $251,930.85",
                       "Amount Saved On Interest $76,873.92",
                       kHeaderRow,
                       "100000"};
    QTest::newRow("maximum 1000")
        << QStringLiteral("1000")
        << QStringList{"Payment Plan Till You Reach Zero",
                       "Outstanding Balance $100,000.00",
                       "Interest Rate (APR) 7.5%",
                       "Scheduled Payment $699.00",
                       "Maximum Monthly Payment $1,000.00",
                       "Vesk's Method **altered** Minimum Payment Plan",
                       "Payoff Period 16 yrs and 1 mth Payoff Period 30 yrs and 1 mth",
                       "Aver Mnthly Pymt $919.14 Mnthly Pymt $699.00",
                       "Total Interest $77,394.01 Total Interest $151,930.85",
                       "Total Paid $177,394.01 Total Paid $251,930.85",
                       "Amount Saved On Interest $74,536.84",
                       kHeaderRow,
                       "100000"};
}

// Every page after the first starts with the header row, every page ends
// with its number, and each month is on exactly one page, in order.
void PlanFilesTest::pdfPagesStartWithTheHeaderRow()
{
    QFETCH(QString, maximum);
    QFETCH(QStringList, front);
    const auto plan = WorkedExamplePlan(maximum);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("plan.pdf"));
    int pages = 0;
    QVERIFY(ExportPlanPdf(plan, path, [&pages](int, int total) {
        pages = total;
        return true;
    }));
    QVERIFY(messages_->messages().empty());

    // The document's properties name it and the program that made it.
    const QString info = PopplerOutput(QStringLiteral("pdfinfo"), {path});
    for (const char* property :
         {"^Title: +Payment Plan Till You Reach Zero$", "^Creator: +Vesk Payment 1\\.0$"}) {
        QVERIFY2(info.contains(QRegularExpression(QString::fromUtf8(property),
                                                  QRegularExpression::MultilineOption)),
                 qPrintable(info));
    }

    const QStringList texts = PdfPageTexts(path);
    QVERIFY2(!texts.isEmpty(), "pdftotext (poppler-utils) could not read the PDF");
    QCOMPARE(texts.size(), pages);
    QVERIFY(pages >= 3);
    QCOMPARE(texts.front().split(u'\n').mid(0, front.size()), front);

    const QRegularExpression monthRow(QStringLiteral(R"(^(\d+)( [\d,]*\.\d\d){5}$)"));
    int expected = 1;
    for (int page = 0; page < pages; ++page) {
        const QStringList lines = texts[page].split(u'\n');
        if (page > 0) {
            QCOMPARE(lines.front(), kHeaderRow);
        }
        QCOMPARE(lines.back(), QStringLiteral("Page %1 of %2").arg(page + 1).arg(pages));
        for (const QString& line : lines) {
            if (const auto match = monthRow.match(line); match.hasMatch()) {
                QCOMPARE(match.captured(1).toInt(), expected);
                ++expected;
            }
        }
    }
    QCOMPARE(expected - 1, int{plan->summary.veskMonths});
    const PlanMonth& last = plan->months.back();
    QVERIFY(texts.back().contains(QStringLiteral("%1 %2 %3 %4 .00 %5")
                                      .arg(QString::fromStdString(MonthCellText(last, 0)),
                                           QString::fromStdString(MonthCellText(last, 1)),
                                           QString::fromStdString(MonthCellText(last, 2)),
                                           QString::fromStdString(MonthCellText(last, 3)),
                                           QString::fromStdString(ExtraCellText(last)))));
}

// Cancelled on its second page: no file, and a file that was there is kept.
void PlanFilesTest::cancelledPdfLeavesNoFile()
{
    const auto plan = WorkedExamplePlan();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("plan.pdf"));
    const auto cancelOnSecondPage = [](int painted, int) { return painted < 2; };

    QVERIFY(!ExportPlanPdf(plan, path, cancelOnSecondPage));
    QCOMPARE(DirEntries(dir), QString());

    QFile earlier(path);
    QVERIFY(earlier.open(QIODevice::WriteOnly));
    earlier.write("earlier");
    earlier.close();
    QVERIFY(!ExportPlanPdf(plan, path, cancelOnSecondPage));
    QCOMPARE(DirEntries(dir), QStringLiteral("plan.pdf"));
    QVERIFY(earlier.open(QIODevice::ReadOnly));
    QCOMPARE(earlier.readAll(), QByteArray("earlier"));
    QVERIFY(messages_->messages().empty());
}

void PlanFilesTest::unwritablePdfIsReported()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("missing/plan.pdf"));
    QVERIFY(!ExportPlanPdf(PlanFor(TillZero("1200", "0", "100")), path));
    QCOMPARE(messages_->messages().size(), std::size_t{1});
    QVERIFY(QString::fromStdString(messages_->messages().front().text)
                .contains(QDir::toNativeSeparators(path)));
    QCOMPARE(DirEntries(dir), QString());
}

void PlanFilesTest::suggestsTheLoanInTheLastFolder()
{
    const PlanTerms terms = WorkedExamplePlan()->terms;
    QTemporaryDir home;
    const QByteArray realHome = qgetenv("HOME");
    const QByteArray realConfig = qgetenv("XDG_CONFIG_HOME"); // may name another documents folder
    qputenv("HOME", QFile::encodeName(home.path()));
    qunsetenv("XDG_CONFIG_HOME");
    // No documents folder yet: the home folder.
    const QString inHome = SuggestedPlanPath(terms, QStringLiteral("csv"));
    QVERIFY(QDir(home.path()).mkdir(QStringLiteral("Documents")));
    const QString inDocuments = SuggestedPlanPath(terms, QStringLiteral("csv"));
    qputenv("HOME", realHome);
    if (!realConfig.isEmpty()) {
        qputenv("XDG_CONFIG_HOME", realConfig);
    }
    QCOMPARE(inHome, home.filePath(QStringLiteral("plan-100000-7.5-699.csv")));
    QCOMPARE(inDocuments, home.filePath(QStringLiteral("Documents/plan-100000-7.5-699.csv")));

    QTemporaryDir dir;
    RememberPlanFolder(dir.filePath(QStringLiteral("earlier.csv")));
    QCOMPARE(
        SuggestedPlanPath(WorkedExamplePlan(QStringLiteral("1000"))->terms, QStringLiteral("pdf")),
        dir.filePath(QStringLiteral("plan-100000-7.5-699-max1000.pdf")));
}

QTEST_MAIN(PlanFilesTest)
#include "PlanFilesTest.moc"
