// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A CUPS server of the test's own, in a temporary folder, with one queue
// "letter" (a PDF printer whose paper is Letter) as the default printer,
// which writes what it prints to printout(). The server runs as the test's
// user and listens on a socket in the folder; CUPS_SERVER points this
// process at it, so it must exist before anything asks for printers.
class PrivateCups {
public:
    PrivateCups();
    ~PrivateCups();
    PrivateCups(const PrivateCups&) = delete;
    PrivateCups& operator=(const PrivateCups&) = delete;

    // Empty once the server runs with its queue; otherwise what went wrong.
    QString error() const { return error_; }
    // What the printer printed last.
    QString printout() const;
    // The jobs the server knows of, done or not, as lpstat lists them.
    QString knownJobs() const;

private:
    bool run(const QString& program, const QStringList& arguments);

    QTemporaryDir dir_;
    QProcess server_;
    QString error_;
};
