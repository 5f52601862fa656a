// SPDX-License-Identifier: GPL-3.0-or-later
#include "MsgBox.h"
#include "RuntimeError.h"
#include "modFileFunctions.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <optional>
#include <ostream>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

const std::string kMarker = "C:\\Program Files\\VeskPayment\\veskpayment.txt";

std::string ReadAll(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Points drive C: at a fresh temporary folder and records every message.
class FileFunctionsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (const char* old = std::getenv("XDG_DATA_HOME")) {
            savedDataHome_ = old;
        }
        std::string pattern = (fs::temp_directory_path() / "vesk-files-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dataHome_ = pattern;
        setenv("XDG_DATA_HOME", dataHome_.c_str(), 1);
        drive_ = dataHome_ / "VeskPayment" / "drive_c";
        previous_ = SetMsgBoxHandler([this](const std::string& text, const std::string& title) {
            messages_.push_back(title + ": " + text);
        });
    }

    void TearDown() override
    {
        SetMsgBoxHandler(previous_);
        if (savedDataHome_) {
            setenv("XDG_DATA_HOME", savedDataHome_->c_str(), 1);
        } else {
            unsetenv("XDG_DATA_HOME");
        }
        std::error_code ignored;
        fs::remove_all(dataHome_, ignored);
    }

    fs::path markerFile() const
    {
        return drive_ / "Program Files" / "VeskPayment" / "veskpayment.txt";
    }

    fs::path dataHome_;
    fs::path drive_;
    std::vector<std::string> messages_;

private:
    std::optional<std::string> savedDataHome_;
    MsgBoxHandler previous_;
};

} // namespace

TEST_F(FileFunctionsTest, MissingFolderChainIsCreatedAndTheMarkerWritten)
{
    ASSERT_FALSE(FileExists(kMarker));
    ASSERT_FALSE(fs::exists(drive_ / "Program Files"));

    EXPECT_TRUE(WriteToFile(kMarker, "Vesk Payment 1.0", false));

    EXPECT_EQ(ReadAll(markerFile()), "Vesk Payment 1.0\r\n");
    EXPECT_EQ(fs::file_size(markerFile()), 18U);
    EXPECT_TRUE(FileExists(kMarker));
    EXPECT_TRUE(messages_.empty());
}

TEST_F(FileFunctionsTest, AnyReadableFileCountsAsPresentEvenWhenEmpty)
{
    fs::create_directories(markerFile().parent_path());
    std::ofstream(markerFile()).close();
    EXPECT_TRUE(FileExists(kMarker));
}

TEST_F(FileFunctionsTest, AFolderIsNotAFileThatExists)
{
    fs::create_directories(markerFile());
    EXPECT_FALSE(FileExists(kMarker));
}

TEST_F(FileFunctionsTest, AppendKeepsTheContentAndOutputReplacesIt)
{
    ASSERT_TRUE(WriteToFile(kMarker, "one", false));
    ASSERT_TRUE(WriteToFile(kMarker, "two", true));
    EXPECT_EQ(ReadAll(markerFile()), "one\r\ntwo\r\n");

    ASSERT_TRUE(WriteToFile(kMarker, "three", false));
    EXPECT_EQ(ReadAll(markerFile()), "three\r\n");
}

TEST_F(FileFunctionsTest, AppendCreatesAMissingFile)
{
    EXPECT_TRUE(WriteToFile(kMarker, "first", true));
    EXPECT_EQ(ReadAll(markerFile()), "first\r\n");
}

TEST_F(FileFunctionsTest, AFolderThatCannotBeCreatedGivesFalseWithoutMessage)
{
    // A file where a folder is needed stops creation even for root.
    fs::create_directories(drive_);
    std::ofstream(drive_ / "Program Files").close();

    EXPECT_FALSE(WriteToFile(kMarker, "Vesk Payment 1.0", false));
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(ReadAll(drive_ / "Program Files"), "");
}

TEST_F(FileFunctionsTest, AFileThatCannotBeWrittenGivesFalseWithoutMessage)
{
    fs::create_directories(markerFile()); // a folder in the file's place
    EXPECT_FALSE(WriteToFile(kMarker, "Vesk Payment 1.0", false));
    EXPECT_TRUE(messages_.empty());
}

TEST_F(FileFunctionsTest, AnotherDriveIsNotReadyAndSaysSoOnce)
{
    EXPECT_FALSE(FileExists("D:\\VeskPayment\\veskpayment.txt"));
    EXPECT_TRUE(messages_.empty());

    EXPECT_FALSE(WriteToFile("D:\\VeskPayment\\veskpayment.txt", "Vesk Payment 1.0", false));
    EXPECT_EQ(messages_,
              std::vector<std::string>{"Error: You don't have a disk in the disk drive!!"});
}

TEST_F(FileFunctionsTest, NoAccessGivesFalseWithoutMessage)
{
    if (geteuid() == 0) {
        GTEST_SKIP() << "permission bits do not stop root";
    }
    fs::create_directories(markerFile().parent_path());
    fs::permissions(markerFile().parent_path(), fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(WriteToFile(kMarker, "Vesk Payment 1.0", false));
    EXPECT_TRUE(messages_.empty());
    fs::permissions(markerFile().parent_path(), fs::perms::owner_all);
}

TEST_F(FileFunctionsTest, NativePathPutsDriveCUnderTheDataFolder)
{
    const std::string root = (dataHome_ / "VeskPayment" / "drive_c").string();
    const struct {
        std::string path;
        std::string native;
    } cases[] = {
        {kMarker, root + "/Program Files/VeskPayment/veskpayment.txt"},
        {"c:\\Program Files\\", root + "/Program Files/"},
        {"C:\\", root + "/"},
        {"\\Temp\\x.txt", root + "/Temp/x.txt"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NativePath(c.path), c.native) << c.path;
    }
    EXPECT_TRUE(fs::is_directory(root));
}

TEST_F(FileFunctionsTest, NativePathRefusesOtherDrivesAndEscapes)
{
    const struct {
        std::string path;
        int number;
    } cases[] = {
        {"D:\\VeskPayment\\veskpayment.txt", ErrDiskNotReady},
        {"a:\\", ErrDiskNotReady},
        {"C:\\..\\..\\etc\\passwd", ErrBadFileName},
        {"C:\\Program Files\\..\\x.txt", ErrBadFileName},
        {"C:\\what?.txt", ErrBadFileName},
        {"C:\\a:b", ErrBadFileName},
    };
    for (const auto& c : cases) {
        try {
            NativePath(c.path);
            ADD_FAILURE() << c.path << " was accepted";
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.number(), c.number) << c.path;
        }
    }
}

TEST_F(FileFunctionsTest, MakeFolderTellsTheErrorsApart)
{
    const struct {
        std::string path;
        int number;
    } cases[] = {
        {"C:\\", ErrPathFileAccess},               // exists already
        {"C:\\Missing\\Inner\\", ErrPathNotFound}, // its parent is missing
    };
    for (const auto& c : cases) {
        try {
            MakeFolder(c.path);
            ADD_FAILURE() << c.path << " was created";
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.number(), c.number) << c.path;
            EXPECT_EQ(error.description(), ErrorDescription(c.number));
        }
    }
}

TEST_F(FileFunctionsTest, MakeFolderPathCreatesEveryFolderButNotTheFileName)
{
    MakeFolderPath("C:\\One\\Two\\Three\\file.txt");
    EXPECT_TRUE(fs::is_directory(drive_ / "One" / "Two" / "Three"));
    EXPECT_FALSE(fs::exists(drive_ / "One" / "Two" / "Three" / "file.txt"));

    // An existing level is passed over and the deeper ones still made.
    MakeFolderPath("C:\\One\\Four\\");
    EXPECT_TRUE(fs::is_directory(drive_ / "One" / "Four"));
}

TEST_F(FileFunctionsTest, MakeFolderPathWithoutBackslashCreatesNothing)
{
    fs::create_directories(drive_);
    MakeFolderPath("C:veskpayment");
    EXPECT_TRUE(fs::is_empty(drive_));
}

namespace {

struct SplitCase {
    const char* name;
    std::string path;
    bool result;
    std::string folder;
    std::string fileName;
    std::vector<std::string> slots; // the filled slots from 0; the rest stay empty
};

// Keeps the test names readable.
void PrintTo(const SplitCase& c, std::ostream* out)
{
    *out << c.name;
}

std::string Levels(int count)
{
    std::string path = "C:";
    for (int i = 1; i <= count; ++i) {
        path += "\\L" + std::to_string(i);
    }
    return path;
}

std::vector<std::string> Prefixes(int count)
{
    std::vector<std::string> prefixes{"C:\\"};
    for (int i = 1; i < count; ++i) {
        prefixes.push_back(prefixes.back() + "L" + std::to_string(i) + "\\");
    }
    return prefixes;
}

class SplitPathTest : public ::testing::TestWithParam<SplitCase> {};

} // namespace

TEST_P(SplitPathTest, FillsFolderFileNameAndSlots)
{
    const SplitCase& c = GetParam();
    FolderPrefixes prefixes{};
    std::string folder = "untouched";
    std::string fileName = "untouched";

    EXPECT_EQ(SplitPath(c.path, folder, prefixes, fileName), c.result);

    EXPECT_EQ(folder, c.folder);
    EXPECT_EQ(fileName, c.fileName);
    for (std::size_t i = 0; i < prefixes.size(); ++i) {
        const std::string expected = i < c.slots.size() ? c.slots[i] : std::string();
        EXPECT_EQ(prefixes[i], expected) << "slot " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Paths, SplitPathTest,
    ::testing::Values(
        SplitCase{"Marker",
                  kMarker,
                  true,
                  "C:\\Program Files\\VeskPayment\\",
                  "veskpayment.txt",
                  {"C:\\", "C:\\Program Files\\", "C:\\Program Files\\VeskPayment\\"}},
        SplitCase{"EndsInBackslash",
                  "C:\\Program Files\\",
                  true,
                  "C:\\Program Files\\",
                  "",
                  {"C:\\", "C:\\Program Files\\"}},
        SplitCase{"NoBackslash", "veskpayment.txt", false, "untouched", "untouched", {}},
        SplitCase{"LeadingBackslash", "\\x.txt", true, "\\", "x.txt", {"\\"}},
        // 29 backslashes: the 26 outermost prefixes are kept.
        SplitCase{"DeeperThanTheSlots", Levels(29), true, Levels(28) + "\\", "L29", Prefixes(26)},
        SplitCase{"ExactlyTheSlots", Levels(26), true, Levels(25) + "\\", "L26", Prefixes(26)}),
    [](const ::testing::TestParamInfo<SplitCase>& param) { return std::string(param.param.name); });
