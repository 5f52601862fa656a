// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>

// A run-time error as the platform reports it: a number and its description.
// Every failure of the calculation and of the file functions is one of these.
class RuntimeError : public std::runtime_error {
public:
    explicit RuntimeError(int number);
    RuntimeError(int number, const std::string& description);

    int number() const noexcept { return number_; }
    std::string description() const { return what(); }

private:
    int number_;
};

// The error numbers the program raises or tells apart.
enum ErrorNumber : int {
    ErrOverflow = 6,
    ErrDivisionByZero = 11,
    ErrTypeMismatch = 13,
    ErrBadFileNameOrNumber = 52,
    ErrFileNotFound = 53,
    ErrFileAlreadyOpen = 55,
    ErrDeviceIO = 57,
    ErrDiskFull = 61,
    ErrBadFileName = 64,
    ErrTooManyFiles = 67,
    ErrPermissionDenied = 70,
    ErrDiskNotReady = 71,
    ErrPathFileAccess = 75,
    ErrPathNotFound = 76,
};

// The platform's description of an error number ("Overflow", "Type mismatch" ...).
std::string ErrorDescription(int number);

[[noreturn]] void Raise(int number);
