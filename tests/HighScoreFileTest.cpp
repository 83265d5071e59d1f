#include "app/HighScoreFile.h"
#include "tests/ScratchDirectoryTest.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace quarnel {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

class HighScoreFileTest : public test::ScratchDirectoryTest {
  protected:
    fs::path ScorePath() const { return dir_ / HighScoreFileName; }

    std::vector<std::string> DirectoryEntries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir_)) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }

    static fs::perms Mode(const fs::path& file) {
        return fs::status(file).permissions() & fs::perms::mask;
    }
};

// Root reads and writes past permission bits, so as root a check of refused access runs in a
// child process that has become "nobody". The check answers whether it held.
template <typename Check>
void ExpectUnprivileged(Check check) {
    if (::geteuid() != 0) {
        EXPECT_TRUE(check());
        return;
    }
    const pid_t pid = ::fork();
    ASSERT_NE(pid, -1) << "errno " << errno;
    if (pid == 0) {
        const uid_t nobody = 65534;
        const bool dropped =
            ::setgroups(0, nullptr) == 0 && ::setgid(nobody) == 0 && ::setuid(nobody) == 0;
        ::_exit(!dropped ? 2 : check() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0)
        << (WEXITSTATUS(status) == 2 ? "could not become nobody" : "the check failed as nobody");
}

// Sets the process umask for one test and puts the old one back.
class ScopedUmask {
  public:
    explicit ScopedUmask(mode_t mask) : old_(::umask(mask)) {}
    ~ScopedUmask() { ::umask(old_); }

  private:
    mode_t old_;
};

// Runs the rest of a test from another current directory.
class ScopedCurrentDirectory {
  public:
    explicit ScopedCurrentDirectory(const fs::path& dir) : old_(fs::current_path()) {
        fs::current_path(dir);
    }
    ~ScopedCurrentDirectory() {
        std::error_code ignored;
        fs::current_path(old_, ignored);
    }

  private:
    fs::path old_;
};

// --- Loading file contents -----------------------------------------------------------------------

struct LoadCase {
    const char* name;
    std::string content;
    int32_t value;
    int error;
};

// Keeps failure messages readable: the content itself may be long or unprintable.
void PrintTo(const LoadCase& c, std::ostream* os) {
    *os << c.name;
}

class LoadContentTest : public HighScoreFileTest, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(LoadContentTest, ReadsLeadingItem) {
    const LoadCase& c = GetParam();
    WriteBytes(ScorePath(), c.content);
    const HighScoreLoad loaded = LoadHighScore(ScorePath());
    EXPECT_EQ(loaded.error, c.error);
    EXPECT_EQ(loaded.value, c.value);
}

constexpr int32_t Int32Min = std::numeric_limits<int32_t>::min();
constexpr int32_t Int32Max = std::numeric_limits<int32_t>::max();
constexpr int Ok = HighScoreOk;
constexpr int Bad = HighScoreNotNumeric;

const LoadCase LoadCases[] = {
    // What the game itself writes, and hand-edited variants of it.
    {"Written", "12345\r\n", 12345, Ok},
    {"NoLineEnd", "12345", 12345, Ok},
    {"BlankLinesFirst", "\r\n\r\n  77\r\n", 77, Ok},
    {"ControlBytesSkipped", "\0\t\v\f\x1f 8"s, 8, Ok},
    {"SecondItemIgnored", "12 34", 12, Ok},
    {"LaterLinesIgnored", "7 junk\r\nmore junk\r\n", 7, Ok},
    {"EndMarkEndsItem", "12\x1a", 12, Ok},
    {"Negative", "-5", -5, Ok},
    {"PlusSign", "+42", 42, Ok},
    {"LeadingZeros", "007", 7, Ok},
    {"Int32Max", "2147483647", Int32Max, Ok},
    {"Int32Min", "-2147483648", Int32Min, Ok},
    {"ItemOf32Bytes", std::string(30, '0') + "42", 42, Ok},
    // Hexadecimal with each accepted prefix.
    {"HexDollar", "$7FFFFFFF", Int32Max, Ok},
    {"HexLowerX", "xff", 255, Ok},
    {"HexUpperX", "X1a", 26, Ok},
    {"Hex0x", "0x10", 16, Ok},
    {"Hex0X", "0XaB", 171, Ok},
    // Nothing there: no error.
    {"Empty", "", 0, Ok},
    {"OnlyBlanks", "  \r\n \t", 0, Ok},
    {"EndMarkFirst", "\x1a"s + "99", 0, Ok},
    {"EndMarkAfterBlanks", "\r\n \x1a"s + "99", 0, Ok},
    // Items that are not a whole 32-bit integer.
    {"TrailingLetters", "12abc", 0, Bad},
    {"LoneMinus", "-", 0, Bad},
    {"LonePlus", "+", 0, Bad},
    {"DoubleSign", "--5", 0, Bad},
    {"PlusMinus", "+-5", 0, Bad},
    {"Exponent", "1e3", 0, Bad},
    {"Fraction", "1.5", 0, Bad},
    {"Bare0x", "0x", 0, Bad},
    {"BareDollar", "$", 0, Bad},
    {"SignedHex", "-$5", 0, Bad},
    {"HexPrefixTwice", "0x0x5", 0, Bad},
    {"HexDigitInDecimal", "12f", 0, Bad},
    {"AboveInt32Max", "2147483648", 0, Bad},
    {"BelowInt32Min", "-2147483649", 0, Bad},
    {"HexAboveInt32Max", "$80000000", 0, Bad},
    {"FarOutOfRange", "99999999999999999999", 0, Bad},
    {"ItemOf33Bytes", std::string(31, '0') + "42", 0, Bad},
    {"HighByteIsNoBlank", "\xa0"s + "5", 0, Bad},
    // Far enough in to need more than one read.
    {"LongRunOfBlanks", std::string(4094, ' ') + "123456\r\n", 123456, Ok},
    {"LongJunkAfterItem", "9 " + std::string(100000, 'z'), 9, Ok},
};

INSTANTIATE_TEST_SUITE_P(HighScoreFile, LoadContentTest, ::testing::ValuesIn(LoadCases),
                         [](const ::testing::TestParamInfo<LoadCase>& info) {
                             return std::string(info.param.name);
                         });

// --- Loading failures ----------------------------------------------------------------------------

TEST_F(HighScoreFileTest, LoadFailuresReportTheirCause) {
    WriteBytes(dir_ / "plain", "1\r\n");
    fs::create_directory(dir_ / "dir");
    fs::create_directory(dir_ / "dir" / HighScoreFileName);
    fs::create_directory(dir_ / "pipe");
    ASSERT_EQ(::mkfifo((dir_ / "pipe" / HighScoreFileName).c_str(), 0644), 0);
    fs::create_directory(dir_ / "device");
    fs::create_symlink("/dev/zero", dir_ / "device" / HighScoreFileName);
    const struct {
        fs::path file;
        int error;
    } cases[] = {
        {ScorePath(), HighScoreNotFound},
        {dir_ / "missing" / HighScoreFileName, HighScoreNotFound},
        {dir_ / "plain" / HighScoreFileName, HighScoreBadFileName},
        {dir_ / "dir" / HighScoreFileName, HighScoreAccessDenied},
        // Neither may hang the start: a pipe with no writer, a device that never ends.
        {dir_ / "pipe" / HighScoreFileName, HighScoreAccessDenied},
        {dir_ / "device" / HighScoreFileName, HighScoreAccessDenied},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const HighScoreLoad loaded = LoadHighScore(c.file);
        EXPECT_EQ(loaded.error, c.error);
        EXPECT_EQ(loaded.value, 0);
    }
}

TEST_F(HighScoreFileTest, LoadOfUnreadableFileIsRefused) {
    WriteBytes(ScorePath(), "500\r\n");
    fs::permissions(ScorePath(), fs::perms::none);
    fs::permissions(dir_, fs::perms(0755));
    ExpectUnprivileged([&] {
        const HighScoreLoad loaded = LoadHighScore(ScorePath());
        return loaded.error == HighScoreAccessDenied && loaded.value == 0;
    });
}

// --- Saving
// ---------------------------------------------------------------------------------------

TEST_F(HighScoreFileTest, SaveWritesDecimalAndCrLfOnly) {
    const struct {
        int32_t value;
        std::string_view bytes;
    } cases[] = {
        {0, "0\r\n"},
        {12345, "12345\r\n"},
        {-5, "-5\r\n"},
        {Int32Min, "-2147483648\r\n"},
        {Int32Max, "2147483647\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        // A longer old content shows up if the file is not fully replaced.
        WriteBytes(ScorePath(), "9999999999999999\r\nold second line\r\n");
        ASSERT_EQ(SaveHighScore(ScorePath(), c.value), HighScoreOk);
        EXPECT_EQ(ReadBytes(ScorePath()), c.bytes);
    }
    EXPECT_EQ(DirectoryEntries(), std::vector<std::string>{HighScoreFileName});
}

TEST_F(HighScoreFileTest, SavedValueLoadsBack) {
    for (const int32_t value : {0, 1, -1, 12345, -5, Int32Min, Int32Max}) {
        SCOPED_TRACE(value);
        ASSERT_EQ(SaveHighScore(ScorePath(), value), HighScoreOk);
        const HighScoreLoad loaded = LoadHighScore(ScorePath());
        EXPECT_EQ(loaded.error, HighScoreOk);
        EXPECT_EQ(loaded.value, value);
    }
}

TEST_F(HighScoreFileTest, RelativeNameResolvesAgainstCurrentDirectory) {
    ScopedCurrentDirectory inside(dir_);
    ASSERT_EQ(SaveHighScore(HighScoreFileName, 321), HighScoreOk);
    EXPECT_EQ(ReadBytes(dir_ / HighScoreFileName), "321\r\n");
    EXPECT_EQ(LoadHighScore(HighScoreFileName).value, 321);
}

TEST_F(HighScoreFileTest, NewFileGetsUmaskedDefaultMode) {
    ScopedUmask mask(022);
    ASSERT_EQ(SaveHighScore(ScorePath(), 1), HighScoreOk);
    EXPECT_EQ(Mode(ScorePath()), fs::perms(0644));
}

TEST_F(HighScoreFileTest, ReplacedFileKeepsItsMode) {
    ScopedUmask mask(022);
    WriteBytes(ScorePath(), "1\r\n");
    fs::permissions(ScorePath(), fs::perms(0640));
    ASSERT_EQ(SaveHighScore(ScorePath(), 2), HighScoreOk);
    EXPECT_EQ(Mode(ScorePath()), fs::perms(0640));
}

TEST_F(HighScoreFileTest, SaveIntoMissingDirectoryFails) {
    const fs::path missing = dir_ / "missing";
    EXPECT_EQ(SaveHighScore(missing / HighScoreFileName, 1), HighScoreNotFound);
    EXPECT_FALSE(fs::exists(missing));
}

TEST_F(HighScoreFileTest, FailedSaveIntoReadOnlyDirectoryKeepsOldFile) {
    WriteBytes(ScorePath(), "777\r\n");
    fs::permissions(dir_, fs::perms(0555));
    ExpectUnprivileged([&] { return SaveHighScore(ScorePath(), 1) == HighScoreAccessDenied; });
    EXPECT_EQ(ReadBytes(ScorePath()), "777\r\n");
    EXPECT_EQ(DirectoryEntries(), std::vector<std::string>{HighScoreFileName});
}

TEST_F(HighScoreFileTest, SaveOverDirectoryFailsAndLeavesNoTemporaryFile) {
    fs::create_directory(ScorePath());
    WriteBytes(ScorePath() / "inside", "x");
    EXPECT_EQ(SaveHighScore(ScorePath(), 1), HighScoreAccessDenied);
    EXPECT_TRUE(fs::is_directory(ScorePath()));
    EXPECT_EQ(ReadBytes(ScorePath() / "inside"), "x");
    EXPECT_EQ(DirectoryEntries(), std::vector<std::string>{HighScoreFileName});
}

// --- Errors -----------------------------------------------------------------------------------

TEST(HighScoreErrorTest, TextsAreThePlayersMessages) {
    const struct {
        int error;
        std::string_view text;
    } cases[] = {
        {HighScoreNotFound, "ファイルが見つかりません"},
        {HighScoreBadFileName, "不正なファイル名です"},
        {HighScoreTooManyOpenFiles, "オープンしたファイルが多すぎます"},
        {HighScoreAccessDenied, "ファイルへのアクセスが拒否されました"},
        {HighScoreDiskFull, "ディスクがいっぱいです"},
        {HighScoreNotNumeric, "入力値が数値ではありません"},
        {21, "I/O エラー (21)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.error);
        EXPECT_EQ(HighScoreErrorText(c.error), c.text);
    }
}

TEST(HighScoreErrorTest, ErrnoMapsToTheGamesCodes) {
    const struct {
        int err;
        int error;
    } cases[] = {
        {ENOENT, HighScoreNotFound},
        {ENOTDIR, HighScoreBadFileName},
        {ENAMETOOLONG, HighScoreBadFileName},
        {EINVAL, HighScoreBadFileName},
        {ELOOP, HighScoreBadFileName},
        {EMFILE, HighScoreTooManyOpenFiles},
        {ENFILE, HighScoreTooManyOpenFiles},
        {EACCES, HighScoreAccessDenied},
        {EPERM, HighScoreAccessDenied},
        {EISDIR, HighScoreAccessDenied},
        {EROFS, HighScoreAccessDenied},
        {ENOSPC, HighScoreDiskFull},
        {EDQUOT, HighScoreDiskFull},
        {EIO, HighScoreReadError},
        {EXDEV, EXDEV},
        {EFBIG, EFBIG},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.err);
        EXPECT_EQ(HighScoreErrorFromErrno(c.err), c.error);
    }
}

}  // namespace
}  // namespace quarnel
