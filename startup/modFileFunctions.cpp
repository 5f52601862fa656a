// SPDX-License-Identifier: GPL-3.0-or-later
#include "modFileFunctions.h"

#include "MsgBox.h"
#include "RuntimeError.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

std::string DataHome()
{
    // A relative XDG_DATA_HOME is to be ignored.
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg != nullptr && xdg[0] == '/') {
        return xdg;
    }
    std::string home;
    if (const char* env = std::getenv("HOME"); env != nullptr && env[0] == '/') {
        home = env;
    } else if (const passwd* user = getpwuid(getuid());
               user != nullptr && user->pw_dir != nullptr) {
        home = user->pw_dir;
    }
    if (home.empty()) {
        throw RuntimeError(ErrDiskNotReady); // nowhere of the user's own to put drive C:
    }
    return home + "/.local/share";
}

// Rejects what no file name may hold, and ".." steps that would leave the drive.
void CheckNames(const std::string& rest)
{
    std::string step;
    for (std::size_t i = 0; i <= rest.size(); ++i) {
        if (i == rest.size() || IsSeparator(rest[i])) {
            if (step == "..") {
                throw RuntimeError(ErrBadFileName);
            }
            step.clear();
            continue;
        }
        const auto c = static_cast<unsigned char>(rest[i]);
        if (c < 0x20 || std::string_view("<>:\"|?*").find(rest[i]) != std::string_view::npos) {
            throw RuntimeError(ErrBadFileName);
        }
        step += rest[i];
    }
}

bool ParentIsFolder(std::string native)
{
    while (native.size() > 1 && native.back() == '/') {
        native.pop_back();
    }
    std::error_code error;
    return std::filesystem::is_directory(std::filesystem::path(native).parent_path(), error);
}

// The error number the platform gives for a failed open, write or close.
int ErrorNumberFor(int err, const std::string& native)
{
    switch (err) {
    case ENOENT:
        return ParentIsFolder(native) ? ErrFileNotFound : ErrPathNotFound;
    case ENOTDIR:
        return ErrPathNotFound;
    case EACCES:
    case EPERM:
        return ErrPermissionDenied;
    case ENOSPC:
    case EDQUOT:
        return ErrDiskFull;
    case ENAMETOOLONG:
    case EINVAL:
    case EILSEQ:
        return ErrBadFileName;
    case EBADF:
        return ErrBadFileNameOrNumber;
    case EMFILE:
    case ENFILE:
        return ErrTooManyFiles;
    case EIO:
        return ErrDeviceIO;
    case ENXIO:
    case ENODEV:
#ifdef ENOMEDIUM
    case ENOMEDIUM:
#endif
        return ErrDiskNotReady;
    default:
        return ErrPathFileAccess;
    }
}

// One open file; closed on every way out.
class OpenFile {
public:
    OpenFile(const std::string& native, const char* mode) : file_(std::fopen(native.c_str(), mode))
    {
        if (file_ == nullptr) {
            const int err = errno;
            throw RuntimeError(ErrorNumberFor(err, native));
        }
    }
    ~OpenFile()
    {
        if (file_ != nullptr) {
            std::fclose(file_);
        }
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    bool isFolder() const
    {
        struct stat info {};
        return fstat(fileno(file_), &info) != 0 || S_ISDIR(info.st_mode);
    }

    void write(const std::string& bytes)
    {
        if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
            const int err = errno;
            throw RuntimeError(ErrorNumberFor(err, {}));
        }
    }

    // Closing flushes, so a full disk may only show here.
    void close()
    {
        if (std::fclose(std::exchange(file_, nullptr)) != 0) {
            const int err = errno;
            throw RuntimeError(ErrorNumberFor(err, {}));
        }
    }

private:
    std::FILE* file_;
};

} // namespace

std::string DriveRoot()
{
    std::string root = DataHome() + "/VeskPayment/drive_c";
    std::error_code ignored;
    std::filesystem::create_directories(root, ignored);
    return root;
}

std::string NativePath(const std::string& path)
{
    std::string rest = path;
    if (path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]))) {
        if (std::toupper(static_cast<unsigned char>(path[0])) != 'C') {
            throw RuntimeError(ErrDiskNotReady);
        }
        rest = path.substr(2);
    }
    CheckNames(rest);
    std::size_t start = 0;
    while (start < rest.size() && IsSeparator(rest[start])) {
        ++start;
    }
    std::string native = DriveRoot() + '/';
    for (std::size_t i = start; i < rest.size(); ++i) {
        native += IsSeparator(rest[i]) ? '/' : rest[i];
    }
    return native;
}

bool FileExists(const std::string& path)
{
    try {
        OpenFile file(NativePath(path), "rb");
        if (file.isFolder()) {
            return false; // a folder is not a file that can be read
        }
        file.close();
        return true;
    } catch (...) {
        return false;
    }
}

bool WriteToFile(const std::string& path, const std::string& text, bool append)
{
    bool foldersMade = false;
    for (;;) {
        try {
            OpenFile file(NativePath(path), append ? "ab" : "wb");
            file.write(text + "\r\n");
            file.close();
            return true;
        } catch (const RuntimeError& error) {
            if (error.number() == ErrDiskNotReady) {
                MsgBox("You don't have a disk in the disk drive!!", "Error");
            }
            // One retry after making the folders: if they still cannot be
            // reached, a second attempt would fail the same way.
            if (error.number() == ErrPathNotFound && !foldersMade) {
                MakeFolderPath(path);
                foldersMade = true;
                continue;
            }
            return false;
        } catch (...) {
            return false;
        }
    }
}

bool SplitPath(std::string path, std::string& folder, FolderPrefixes& prefixes,
               std::string& fileName)
{
    bool result = false;
    try {
        const std::size_t last = path.rfind('\\');
        if (last == std::string::npos) {
            return false;
        }
        folder = path.substr(0, last + 1);
        fileName = path.substr(last + 1);

        std::size_t slot = 0;
        for (std::size_t q = 0; q <= last; ++q) {
            if (path[q] != '\\') {
                continue;
            }
            if (slot == prefixes.size()) {
                break; // deeper prefixes are dropped
            }
            prefixes[slot++] = path.substr(0, q + 1);
        }
        result = true;
    } catch (...) {
        // the outputs keep what was reached
    }
    return result;
}

void MakeFolderPath(std::string path)
{
    FolderPrefixes prefixes{};
    std::string folder;
    std::string fileName;
    SplitPath(std::move(path), folder, prefixes, fileName);
    for (const std::string& prefix : prefixes) {
        if (prefix.empty()) {
            break;
        }
        try {
            MakeFolder(prefix);
        } catch (...) {
            // exists already, or cannot be made: go on with the next level
        }
    }
}

void MakeFolder(const std::string& path)
{
    const std::string native = NativePath(path);
    if (::mkdir(native.c_str(), 0777) != 0) {
        const int err = errno;
        throw RuntimeError(err == EEXIST ? ErrPathFileAccess : ErrorNumberFor(err, native));
    }
}
