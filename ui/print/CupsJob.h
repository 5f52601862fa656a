// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPrintEngine>
#include <QString>

class QPrinter;

// Where the print dialog leaves the CUPS options it chose beyond the
// printer's settings (the pages to print, pages per sheet, the printer's
// own options), as name, value, name, value: Qt's key, from a header Qt
// keeps private.
inline constexpr auto kCupsOptionsProperty = QPrintEngine::PrintEnginePropertyKey(0xfe00);

// Hands a finished PDF to the CUPS queue that printer is set up for, with
// the options Qt's own CUPS engine gives a job it prints: the paper, copies
// and collation, two-sided printing, the orientation and the print dialog's
// job options. False, with the server's reason, when the job is refused.
bool SubmitToCups(const QPrinter& printer, const QString& pdfPath, QString* reason);
