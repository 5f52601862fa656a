// SPDX-License-Identifier: GPL-3.0-or-later
#include "RuntimeError.h"

RuntimeError::RuntimeError(int number) : RuntimeError(number, ErrorDescription(number)) {}

RuntimeError::RuntimeError(int number, const std::string& description)
    : std::runtime_error(description), number_(number)
{
}

std::string ErrorDescription(int number)
{
    switch (number) {
    case ErrOverflow:
        return "Overflow";
    case ErrDivisionByZero:
        return "Division by zero";
    case ErrTypeMismatch:
        return "Type mismatch";
    case ErrBadFileNameOrNumber:
        return "Bad file name or number";
    case ErrFileNotFound:
        return "File not found";
    case ErrFileAlreadyOpen:
        return "File already open";
    case ErrDeviceIO:
        return "Device I/O error";
    case ErrDiskFull:
        return "Disk full";
    case ErrBadFileName:
        return "Bad file name";
    case ErrTooManyFiles:
        return "Too many files";
    case ErrPermissionDenied:
        return "Permission denied";
    case ErrDiskNotReady:
        return "Disk not ready";
    case ErrPathFileAccess:
        return "Path/File access error";
    case ErrPathNotFound:
        return "Path not found";
    default:
        return "Application-defined or object-defined error";
    }
}

void Raise(int number)
{
    throw RuntimeError(number);
}
