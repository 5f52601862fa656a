// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <string>

// File and folder functions of the start-up. Paths are written the way the
// program names them, with a drive and backslashes ("C:\Program Files\...");
// NativePath says where such a path lies on this system.

// Room for the folder prefixes of one path, outermost first. Deeper levels
// than the slots can hold are dropped.
inline constexpr std::size_t kFolderSlots = 26;
using FolderPrefixes = std::array<std::string, kFolderSlots>;

// True if the file can be opened for reading; any failure gives false.
bool FileExists(const std::string& path);

// Writes text and a carriage return / line feed to the file, replacing its
// content or appending to it. Creates missing folders and retries once; a
// drive that is not ready is reported through MsgBox. False on any failure.
bool WriteToFile(const std::string& path, const std::string& text, bool append);

// Splits at the rightmost backslash into folder (backslash included) and
// file name, and fills prefixes from slot 0 with every prefix of the path
// that ends in a backslash. False, with the outputs untouched, if the path
// has no backslash.
bool SplitPath(std::string path, std::string& folder, FolderPrefixes& prefixes,
               std::string& fileName);

// Creates every folder on the way to the file named by path, outermost
// first; folders that cannot be created are passed over.
void MakeFolderPath(std::string path);

// Creates one folder; raises the platform's RuntimeError when it cannot.
void MakeFolder(const std::string& path);

// Drive C: is the folder VeskPayment/drive_c in the user's data folder
// ($XDG_DATA_HOME, by default ~/.local/share), made when missing. Paths
// without a drive lie on drive C:. Any other drive is not ready (error 71);
// a ".." step or a character that no file name may hold is a bad file
// name (error 64).
std::string NativePath(const std::string& path);
std::string DriveRoot();
