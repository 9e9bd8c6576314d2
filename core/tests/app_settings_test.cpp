// The settings file: Windows INI reading with case-insensitive names, damaged lines
// skipped, writes that keep every other line, atomic replacement, the default
// place, and the user id from the log-in name.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "quay/app/login_name.h"
#include "quay/app/settings.h"

namespace quay::core {
namespace {

namespace fs = std::filesystem;

class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/quay-settings-XXXXXX";
        ASSERT_NE(::mkdtemp(tmpl), nullptr);
        m_dir = tmpl;
        m_file = m_dir / "tallvane.ini";
    }
    void TearDown() override { fs::remove_all(m_dir); }

    void put(const std::string& content) {
        std::ofstream out(m_file, std::ios::binary);
        out << content;
    }
    std::string contents() const {
        std::ifstream in(m_file, std::ios::binary);
        std::ostringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }

    fs::path m_dir;
    fs::path m_file;
};

TEST_F(SettingsFile, SectionsAndKeysAreFoundWhateverTheirCase) {
    put("[Defaults]\nTipOfDay=False\nMODPosition = 7 \n[QuoteForm1]\nXPosit=120\n");
    Settings s(m_file);
    EXPECT_EQ(s.read("defaults", "TIPOFDAY", "True"), "False");
    EXPECT_EQ(s.readNumber("DEFAULTS", "modposition", 1), 7);
    EXPECT_EQ(s.readNumber("quoteform1", "xposit", 0), 120);
}

TEST_F(SettingsFile, MissingFileSectionOrKeyGivesTheDefault) {
    Settings s(m_file);
    EXPECT_EQ(s.read("Defaults", "TipOfDay", "True"), "True");
    EXPECT_FALSE(s.find("Defaults", "TipOfDay").has_value());
    put("[Main]\nXPosit=3\n");
    EXPECT_EQ(s.read("Defaults", "TipOfDay", "True"), "True");
    EXPECT_EQ(s.readNumber("Main", "YPosit", 0), 0);
}

TEST_F(SettingsFile, ValuesLoseSurroundingBlanksAndOnePairOfQuotes) {
    put("[A]\nplain=  some text  \nquoted=\"  padded  \"\nempty=\n");
    Settings s(m_file);
    EXPECT_EQ(s.read("A", "plain"), "some text");
    EXPECT_EQ(s.read("A", "quoted"), "  padded  ");
    ASSERT_TRUE(s.find("A", "empty").has_value());
    EXPECT_EQ(*s.find("A", "empty"), "");
}

TEST_F(SettingsFile, MalformedLinesAreSkippedNotFatal) {
    put("orphan=before any section\n[Broken\nno equals sign here\n=no key\n[Main]\n"
        "garbage line\nXPosit=40\n[]\nYPosit=5\n");
    Settings s(m_file);
    EXPECT_EQ(s.readNumber("Main", "XPosit", 0), 40);
    // "[]" is no header, so YPosit still belongs to Main.
    EXPECT_EQ(s.readNumber("Main", "YPosit", 0), 5);
    EXPECT_FALSE(s.find("Broken", "no equals sign here").has_value());
}

TEST_F(SettingsFile, NumbersThatAreNotWholeGiveTheDefault) {
    put("[W]\na=12abc\nb=-4\nc=+9\nd=99999999999\ne=\n");
    Settings s(m_file);
    EXPECT_EQ(s.readNumber("W", "a", 1), 1);
    EXPECT_EQ(s.readNumber("W", "b", 1), -4);
    EXPECT_EQ(s.readNumber("W", "c", 1), 9);
    EXPECT_EQ(s.readNumber("W", "d", 1), 1);
    EXPECT_EQ(s.readNumber("W", "e", 1), 1);
}

TEST_F(SettingsFile, FirstOccurrenceOfARepeatedSectionOrKeyCounts) {
    put("[Main]\nXPosit=1\nXPosit=2\n[main]\nXPosit=3\nYPosit=4\n");
    Settings s(m_file);
    EXPECT_EQ(s.readNumber("Main", "XPosit", 0), 1);
    EXPECT_EQ(s.readNumber("Main", "YPosit", 0), 0);
}

TEST_F(SettingsFile, WriteChangesOneLineAndKeepsCommentsAndOrder) {
    const std::string before =
        "; Billquay workstation settings\n[Defaults]\n# tips\nTipOfDay=True\nMODPosition=3\n\n"
        "[Main]\nXPosit=10\nbroken line\nYPosit=20\n";
    put(before);
    Settings s(m_file);
    ASSERT_EQ(s.write("DEFAULTS", "tipofday", "False"), SettingsStatus::Ok);
    EXPECT_EQ(contents(),
              "; Billquay workstation settings\n[Defaults]\n# tips\ntipofday=False\nMODPosition=3\n\n"
              "[Main]\nXPosit=10\nbroken line\nYPosit=20\n");
    EXPECT_EQ(s.read("Defaults", "TipOfDay"), "False");
}

TEST_F(SettingsFile, WriteAddsKeyAfterTheSectionsLastEntryAndNewSectionsAtTheEnd) {
    put("[Main]\nXPosit=10\n\n; next\n[Other]\nk=v\n");
    Settings s(m_file);
    ASSERT_EQ(s.write("Main", "Width", "640"), SettingsStatus::Ok);
    ASSERT_EQ(s.write("QuoteForm1", "Maximize", "No"), SettingsStatus::Ok);
    EXPECT_EQ(contents(), "[Main]\nXPosit=10\nWidth=640\n\n; next\n[Other]\nk=v\n\n[QuoteForm1]\nMaximize=No\n");
}

TEST_F(SettingsFile, WriteCreatesTheFileAndItsDirectory) {
    const fs::path nested = m_dir / "config" / "tallvane.ini";
    Settings s(nested);
    ASSERT_EQ(s.writeNumber("Defaults", "MODPosition", 12), SettingsStatus::Ok);
    EXPECT_EQ(Settings(nested).readNumber("Defaults", "MODPosition", 1), 12);
}

TEST_F(SettingsFile, CrLfFilesStayCrLfAndValuesRoundTrip) {
    put("[Main]\r\nXPosit=1\r\n");
    Settings s(m_file);
    ASSERT_EQ(s.write("Main", "Caption", "  two blanks  "), SettingsStatus::Ok);
    ASSERT_EQ(s.write("Main", "Quoted", "\"q\""), SettingsStatus::Ok);
    EXPECT_EQ(contents(), "[Main]\r\nXPosit=1\r\nCaption=\"  two blanks  \"\r\nQuoted=\"\"q\"\"\r\n");
    EXPECT_EQ(s.read("Main", "Caption"), "  two blanks  ");
    EXPECT_EQ(s.read("Main", "Quoted"), "\"q\"");
}

TEST_F(SettingsFile, BadNamesAndValuesAreRefusedAndChangeNothing) {
    put("[Main]\nXPosit=1\n");
    Settings s(m_file);
    EXPECT_EQ(s.write("Ma]in", "k", "v"), SettingsStatus::InvalidName);
    EXPECT_EQ(s.write("Main", "a=b", "v"), SettingsStatus::InvalidName);
    EXPECT_EQ(s.write("", "k", "v"), SettingsStatus::InvalidName);
    EXPECT_EQ(s.write("Main", ";k", "v"), SettingsStatus::InvalidName);
    EXPECT_EQ(s.write("Main", "k", "two\nlines"), SettingsStatus::InvalidValue);
    EXPECT_FALSE(s.lastErrorText().empty());
    EXPECT_EQ(contents(), "[Main]\nXPosit=1\n");
}

TEST_F(SettingsFile, UnreadableFileIsNeverReplaced) {
    if (::geteuid() == 0) GTEST_SKIP() << "root reads any file";
    put("[Main]\nXPosit=1\n");
    ::chmod(m_file.c_str(), 0);
    Settings s(m_file);
    EXPECT_EQ(s.write("Main", "YPosit", "2"), SettingsStatus::IoError);
    ::chmod(m_file.c_str(), 0644);
    EXPECT_EQ(contents(), "[Main]\nXPosit=1\n");
}

TEST_F(SettingsFile, PathThatIsNoFileIsReportedAndLeftAlone) {
    fs::create_directory(m_file);
    fs::path inside = m_file / "keep.txt";
    std::ofstream(inside) << "kept";
    Settings s(m_file);
    EXPECT_EQ(s.read("Main", "XPosit", "none"), "none");
    EXPECT_EQ(s.write("Main", "XPosit", "1"), SettingsStatus::IoError);
    EXPECT_NE(s.lastErrorText().find("cannot read"), std::string::npos);
    EXPECT_TRUE(fs::exists(inside));
}

TEST_F(SettingsFile, OversizedFileIsNotReadAndNotReplaced) {
    put("[Main]\nXPosit=1\n; " + std::string(5u << 20, 'x') + "\n");
    const auto before = fs::file_size(m_file);
    Settings s(m_file);
    EXPECT_EQ(s.readNumber("Main", "XPosit", 0), 0);
    EXPECT_EQ(s.write("Main", "XPosit", "2"), SettingsStatus::IoError);
    EXPECT_EQ(fs::file_size(m_file), before);
}

TEST_F(SettingsFile, WriteLeavesNoTemporaryFileBehind) {
    Settings s(m_file);
    ASSERT_EQ(s.write("Main", "XPosit", "1"), SettingsStatus::Ok);
    ASSERT_EQ(s.write("Main", "YPosit", "2"), SettingsStatus::Ok);
    int files = 0;
    for (const auto& e : fs::directory_iterator(m_dir)) {
        (void)e;
        ++files;
    }
    EXPECT_EQ(files, 1);
}

TEST_F(SettingsFile, TwoProcessesWritingAtOnceLoseNoKey) {
    constexpr int kKeys = 40;
    pid_t children[2];
    for (int c = 0; c < 2; ++c) {
        children[c] = ::fork();
        ASSERT_GE(children[c], 0);
        if (children[c] == 0) {
            Settings s(m_file);
            bool ok = true;
            for (int i = 0; i < kKeys; ++i)
                ok = ok &&
                     s.writeNumber("Station" + std::to_string(c), "Key" + std::to_string(i), i) == SettingsStatus::Ok;
            ::_exit(ok ? 0 : 1);
        }
    }
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    Settings s(m_file);
    for (int c = 0; c < 2; ++c) {
        for (int i = 0; i < kKeys; ++i)
            EXPECT_EQ(s.readNumber("Station" + std::to_string(c), "Key" + std::to_string(i), -1), i) << c << "/" << i;
    }
}

TEST(SettingsPlace, EnvironmentDecidesTheDefaultFile) {
    const char* oldOverride = std::getenv(Settings::kPathVariable);
    const std::string keptOverride = oldOverride ? oldOverride : "";
    const char* oldXdg = std::getenv("XDG_CONFIG_HOME");
    const std::string keptXdg = oldXdg ? oldXdg : "";

    ::setenv(Settings::kPathVariable, "/tmp/elsewhere/my.ini", 1);
    EXPECT_EQ(Settings::defaultPath(), fs::path("/tmp/elsewhere/my.ini"));
    ::unsetenv(Settings::kPathVariable);
    ::setenv("XDG_CONFIG_HOME", "/tmp/xdg", 1);
    EXPECT_EQ(Settings::defaultPath(), fs::path("/tmp/xdg/tallvane.ini"));
    ::setenv("XDG_CONFIG_HOME", "relative/dir", 1);  // not absolute: ignored
    EXPECT_EQ(Settings::defaultPath().filename(), "tallvane.ini");
    EXPECT_EQ(Settings::defaultPath().parent_path().filename(), ".config");

    if (oldOverride) ::setenv(Settings::kPathVariable, keptOverride.c_str(), 1);
    if (oldXdg)
        ::setenv("XDG_CONFIG_HOME", keptXdg.c_str(), 1);
    else
        ::unsetenv("XDG_CONFIG_HOME");
}

TEST(UserId, LoginNameIsClippedUpperCasedAndCut) {
    EXPECT_EQ(userIdForLoginName("jsmith  "), "JSMITH");
    EXPECT_EQ(userIdForLoginName("   "), "DEFAULT");
    EXPECT_EQ(userIdForLoginName(""), "DEFAULT");
    EXPECT_EQ(userIdForLoginName("a.very.long.login.name.indeed"), "A.VERY.LONG.LOGIN.NA");
}

TEST(UserId, ProcessHasALoginName) { EXPECT_FALSE(loginName().empty()); }

}  // namespace
}  // namespace quay::core
