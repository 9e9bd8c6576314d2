// Writing export files: one CR LF line per record with trailing blanks removed, lines
// that do not fit refused, and an earlier file of the same name kept until the export
// has been completely written.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "quay/tables/export_file.h"

namespace quay::core {
namespace {

namespace fs = std::filesystem;

class ExportFileOnDisk : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/quayexpXXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        m_dir = pattern;
        m_name = (m_dir / "export.txt").string();
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string contents() const {
        std::ifstream in(m_name, std::ios::binary);
        std::ostringstream all;
        all << in.rdbuf();
        return all.str();
    }
    void writeEarlierFile() const { std::ofstream(m_name, std::ios::binary) << "earlier export\r\n"; }
    std::size_t filesInDir() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()));
    }

    fs::path m_dir;
    std::string m_name;
};

TEST_F(ExportFileOnDisk, WritesOneLinePerRecord) {
    ExportFile exp;
    ASSERT_EQ(exp.create(m_name), TextFileStatus::Ok) << exp.errorText();
    exp.rec.DATAFIELD = "Acme, Inc.,Springfield   ";
    ASSERT_EQ(exp.add(), TextFileStatus::Ok);
    ASSERT_EQ(exp.add("second line"), TextFileStatus::Ok);
    ASSERT_EQ(exp.add(""), TextFileStatus::Ok);
    ASSERT_EQ(exp.add(std::string(2048, 'w')), TextFileStatus::Ok);
    EXPECT_EQ(exp.linesWritten(), 4);
    ASSERT_EQ(exp.close(), TextFileStatus::Ok) << exp.errorText();
    EXPECT_EQ(contents(), "Acme, Inc.,Springfield\r\nsecond line\r\n\r\n" + std::string(2048, 'w') + "\r\n");
    EXPECT_EQ(filesInDir(), 1u);  // no scratch file left behind
}

TEST_F(ExportFileOnDisk, RefusesLinesThatDoNotFitAndWritesNothingForThem) {
    ExportFile exp;
    ASSERT_EQ(exp.create(m_name), TextFileStatus::Ok);
    EXPECT_EQ(exp.add(std::string(2049, 'w')), TextFileStatus::LineTooLong);
    EXPECT_EQ(exp.add("two\nlines"), TextFileStatus::LineTooLong);
    EXPECT_EQ(exp.add("carriage\rreturn"), TextFileStatus::LineTooLong);
    ASSERT_EQ(exp.add("kept"), TextFileStatus::Ok);
    ASSERT_EQ(exp.close(), TextFileStatus::Ok);
    EXPECT_EQ(contents(), "kept\r\n");
}

TEST_F(ExportFileOnDisk, EarlierFileStaysUntilTheExportIsClosed) {
    writeEarlierFile();
    ExportFile exp;
    ASSERT_EQ(exp.create(m_name), TextFileStatus::Ok);
    ASSERT_EQ(exp.add("new"), TextFileStatus::Ok);
    EXPECT_EQ(contents(), "earlier export\r\n");
    ASSERT_EQ(exp.close(), TextFileStatus::Ok);
    EXPECT_EQ(contents(), "new\r\n");
}

TEST_F(ExportFileOnDisk, AbandonedExportLeavesTheEarlierFile) {
    writeEarlierFile();
    {
        ExportFile exp;
        ASSERT_EQ(exp.create(m_name), TextFileStatus::Ok);
        ASSERT_EQ(exp.add("half"), TextFileStatus::Ok);
        exp.discard();
        EXPECT_FALSE(exp.isOpen());
        EXPECT_EQ(exp.close(), TextFileStatus::NotOpen);
    }
    {
        ExportFile exp;  // destroyed while open
        ASSERT_EQ(exp.create(m_name), TextFileStatus::Ok);
        ASSERT_EQ(exp.add("half"), TextFileStatus::Ok);
    }
    EXPECT_EQ(contents(), "earlier export\r\n");
    EXPECT_EQ(filesInDir(), 1u);
}

TEST_F(ExportFileOnDisk, RefusesUnusableNames) {
    ExportFile exp;
    EXPECT_EQ(exp.create(""), TextFileStatus::NameMissing);
    EXPECT_EQ(exp.create(std::string(100, 'n')), TextFileStatus::NameTooLong);
    EXPECT_EQ(exp.create((m_dir / "no" / "such" / "dir.txt").string()), TextFileStatus::CannotWrite);
    EXPECT_NE(exp.errorText().find("dir.txt: The file cannot be written."), std::string::npos);
    EXPECT_FALSE(exp.isOpen());
    EXPECT_EQ(exp.add("x"), TextFileStatus::NotOpen);
}

TEST(ExportFileFull, WriteFailureKeepsTheEarlierFile) {
    // /dev/full accepts the open and fails every write with "no space left".
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full on this system";
    char pattern[] = "/tmp/quayexpXXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    const fs::path dir = pattern;
    const fs::path target = dir / "export.txt";
    std::ofstream(target, std::ios::binary) << "earlier\r\n";
    fs::create_symlink("/dev/full", dir / "export.txt.part");
    {
        ExportFile exp;
        ASSERT_EQ(exp.create(target.string()), TextFileStatus::Ok);
        TextFileStatus status = TextFileStatus::Ok;
        for (int i = 0; i < 10000 && status == TextFileStatus::Ok; ++i) status = exp.add(std::string(100, 'x'));
        if (status == TextFileStatus::Ok) status = exp.close();
        EXPECT_EQ(status, TextFileStatus::CannotWrite);
        if (exp.isOpen()) {
            EXPECT_EQ(exp.close(), TextFileStatus::CannotWrite);
        }
    }
    std::ifstream in(target, std::ios::binary);
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, "earlier\r");
    fs::remove_all(dir);
}

}  // namespace
}  // namespace quay::core
