// SPDX-License-Identifier: GPL-3.0-or-later
#include "CupsJob.h"

#include <QByteArray>
#include <QFile>
#include <QPrintEngine>
#include <QPrinter>
#include <cups/cups.h>
#include <utility>
#include <vector>

namespace {

using Option = std::pair<QByteArray, QByteArray>;

QByteArray Sides(const QPrinter& printer)
{
    const bool landscape = printer.pageLayout().orientation() == QPageLayout::Landscape;
    switch (printer.duplex()) {
    case QPrinter::DuplexNone:
        return "one-sided";
    case QPrinter::DuplexAuto:
        return landscape ? "two-sided-short-edge" : "two-sided-long-edge";
    case QPrinter::DuplexLongSide:
        return "two-sided-long-edge";
    case QPrinter::DuplexShortSide:
        return "two-sided-short-edge";
    }
    return "one-sided";
}

std::vector<Option> JobOptions(const QPrinter& printer)
{
    std::vector<Option> options{{"media", printer.pageLayout().pageSize().key().toLocal8Bit()}};
    if (printer.copyCount() > 1) {
        options.emplace_back("copies", QByteArray::number(printer.copyCount()));
        if (printer.collateCopies()) {
            options.emplace_back("Collate", "True");
        }
    }
    options.emplace_back("sides", Sides(printer));
    if (printer.pageLayout().orientation() == QPageLayout::Landscape) {
        options.emplace_back("landscape", "");
    }
    const QStringList chosen = printer.printEngine()->property(kCupsOptionsProperty).toStringList();
    for (qsizetype i = 0; i + 1 < chosen.size(); i += 2) {
        options.emplace_back(chosen[i].toLocal8Bit(), chosen[i + 1].toLocal8Bit());
    }
    return options;
}

} // namespace

bool SubmitToCups(const QPrinter& printer, const QString& pdfPath, QString* reason)
{
    std::vector<Option> options = JobOptions(printer);
    std::vector<cups_option_t> list;
    list.reserve(options.size());
    for (Option& option : options) {
        list.push_back({option.first.data(), option.second.data()});
    }
    // A queue's instance ("office/duplex") is a set of options on the queue itself.
    const QByteArray queue = printer.printerName().section(u'/', 0, 0).toLocal8Bit();
    const QByteArray title = printer.docName().toLocal8Bit();
    const int job =
        cupsPrintFile2(CUPS_HTTP_DEFAULT, queue.constData(), QFile::encodeName(pdfPath).constData(),
                       title.constData(), static_cast<int>(list.size()), list.data());
    if (job == 0 && reason != nullptr) {
        *reason = QString::fromLocal8Bit(cupsLastErrorString());
    }
    return job != 0;
}
