// Reading comma-separated import files: quoted columns with commas and doubled quotes,
// empty columns, 50 columns and no more, CR LF and LF line ends; a malformed line is
// refused with its number and then not a single record is handed out.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "quay/tables/import_file.h"

namespace quay::core {
namespace {

namespace fs = std::filesystem;

// Every record of a file that opened, each as its columns' texts.
std::vector<std::vector<std::string>> readAll(ImportFile& imp) {
    std::vector<std::vector<std::string>> records;
    while (imp.next() == TextFileStatus::Ok) {
        std::vector<std::string> columns;
        for (int n = 1; n <= imp.columns(); ++n) columns.push_back(imp.rec.DATAFIELD(n).str());
        records.push_back(columns);
    }
    return records;
}

std::string columnsOf(int count, const std::string& text) {
    std::string line;
    for (int i = 0; i < count; ++i) line += (i ? "," : "") + text + std::to_string(i + 1);
    return line;
}

TEST(ImportParsing, SplitsColumnsAsWritten) {
    struct Case {
        const char* text;                               // file contents
        std::vector<std::vector<std::string>> records;  // expected columns per record
    };
    const Case cases[] = {
        {"a,b,c\n", {{"a", "b", "c"}}},
        {"\"Smith, John\",\"12 \"\"Oak\"\" St\"\n", {{"Smith, John", "12 \"Oak\" St"}}},
        {"a,,c,\n", {{"a", "", "c", ""}}},
        {"\"\",x\n", {{"", "x"}}},
        {"one\r\ntwo\r\n", {{"one"}, {"two"}}},
        {"one\rtwo\r", {{"one"}, {"two"}}},  // CR alone ends a line
        {"one\rtwo\nthree\r\nfour", {{"one"}, {"two"}, {"three"}, {"four"}}},
        {"one\r\r\ntwo", {{"one"}, {"two"}}},    // CR, then an empty line ended by CR LF
        {"one\ntwo", {{"one"}, {"two"}}},        // last line without a line end
        {"one\n\n\ntwo\n", {{"one"}, {"two"}}},  // empty lines carry no record
        {"  \"quoted\"  ,plain\n", {{"quoted", "plain"}}},
        {"  lead,trail  \n", {{"  lead", "trail"}}},
        {"say \"hi\",x\n", {{"say \"hi\"", "x"}}},  // a quote inside an unquoted column is text
        {"\"a\"\"\"\n", {{"a\""}}},
        {"", {}},
        {"\xEF\xBB\xBFName,City\r\n", {{"Name", "City"}}},  // byte order mark of a spreadsheet export
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ImportFile imp;
        ASSERT_EQ(imp.openText(c.text), TextFileStatus::Ok) << imp.errorText();
        EXPECT_EQ(imp.records(), c.records.size());
        EXPECT_EQ(readAll(imp), c.records);
    }
}

TEST(ImportParsing, FiftyColumnsFillEveryField) {
    ImportFile imp;
    ASSERT_EQ(imp.openText(columnsOf(50, "c") + "\r\n"), TextFileStatus::Ok);
    ASSERT_EQ(imp.next(), TextFileStatus::Ok);
    EXPECT_EQ(imp.columns(), 50);
    EXPECT_EQ(imp.rec.FIELD1().view(), "c1");
    EXPECT_EQ(imp.rec.FIELD50().view(), "c50");
    EXPECT_EQ(imp.next(), TextFileStatus::EndOfFile);
}

TEST(ImportParsing, ColumnsALineLacksAreBlankNotLeftFromTheLineBefore) {
    ImportFile imp;
    ASSERT_EQ(imp.openText("a,b,c\nx\n"), TextFileStatus::Ok);
    ASSERT_EQ(imp.next(), TextFileStatus::Ok);
    ASSERT_EQ(imp.next(), TextFileStatus::Ok);
    EXPECT_EQ(imp.rec.FIELD1().view(), "x");
    EXPECT_TRUE(imp.rec.FIELD2().isBlank());
    EXPECT_TRUE(imp.rec.FIELD3().isBlank());
    EXPECT_EQ(imp.currentLine(), 2);
}

TEST(ImportParsing, ColumnOfFiftyCharactersFitsTrailingBlanksDoNotCount) {
    const std::string fifty(50, 'x');
    ImportFile imp;
    ASSERT_EQ(imp.openText(fifty + "," + fifty + "     \n"), TextFileStatus::Ok);
    ASSERT_EQ(imp.next(), TextFileStatus::Ok);
    EXPECT_EQ(imp.rec.FIELD1().view(), fifty);
    EXPECT_EQ(imp.rec.FIELD2().view(), fifty);
}

constexpr const char* kNotUtf8Line2 =
    "Line 2: The line holds characters that are not UTF-8 text.  Save the file as \"CSV UTF-8\" and import it again.";

TEST(ImportParsing, ColumnLimitCountsCharactersNotBytes) {
    // 50 characters of two, three and four bytes each fit whole; 51 do not.
    for (const std::string& ch :
         {std::string("\xC3\xA9"), std::string("\xE2\x82\xAC"), std::string("\xF0\x9F\x98\x80")}) {
        std::string fifty;
        for (int i = 0; i < 50; ++i) fifty += ch;
        SCOPED_TRACE(ch);
        ImportFile imp;
        ASSERT_EQ(imp.openText(fifty + ",Lyon\n"), TextFileStatus::Ok) << imp.errorText();
        ASSERT_EQ(imp.next(), TextFileStatus::Ok);
        EXPECT_EQ(imp.rec.FIELD1().view(), fifty);  // never cut
        EXPECT_EQ(imp.rec.FIELD2().view(), "Lyon");
        EXPECT_EQ(imp.openText(fifty + ch + "\n"), TextFileStatus::ColumnTooLong);
    }
}

TEST(ImportRefusal, MalformedLineIsNamedAndNothingIsHandedOut) {
    struct Case {
        std::string text;       // file contents
        TextFileStatus status;  // the fault
        long line;              // the line reported
        const char* message;    // what the user reads
    };
    const Case cases[] = {
        {"ok\n" + columnsOf(51, "c") + "\n", TextFileStatus::TooManyColumns, 2,
         "Line 2, column 51: The line has more than 50 columns."},
        {"ok\nok\n\"open,quote\n\"next\"\n", TextFileStatus::UnbalancedQuote, 3,
         "Line 3, column 1: A quoted column is not closed."},
        {"a,\"b\"c,d\n", TextFileStatus::TextAfterQuote, 1,
         "Line 1, column 2: A quoted column is followed by text before the next comma."},
        {"ok\r\nok\r\nok\r\nx," + std::string(51, 'y') + "\r\n", TextFileStatus::ColumnTooLong, 4,
         "Line 4, column 2: A column is longer than 50 characters."},
        {std::string("ok\nPK\x03\x04\0\0binary\n", 16), TextFileStatus::NotText, 2,
         "Line 2: The file is not a text file."},
        {"ok\rx," + std::string(51, 'y') + "\r", TextFileStatus::ColumnTooLong, 2,
         "Line 2, column 2: A column is longer than 50 characters."},
        // column: Windows-1252 "Café" (E9 alone), a cut sequence, an overlong "/", a surrogate
        {"Name\nCaf\xE9,Lyon\n", TextFileStatus::NotUtf8, 2, kNotUtf8Line2},
        {"Name\nab\xC3\n", TextFileStatus::NotUtf8, 2, kNotUtf8Line2},
        {"Name\n\xC0\xAF\n", TextFileStatus::NotUtf8, 2, kNotUtf8Line2},
        {"Name\n\xED\xA0\x80\n", TextFileStatus::NotUtf8, 2, kNotUtf8Line2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        ImportFile imp;
        EXPECT_EQ(imp.openText(c.text), c.status);
        EXPECT_EQ(imp.errorLine(), c.line);
        EXPECT_EQ(imp.errorText(), c.message);
        EXPECT_FALSE(imp.isOpen());
        // Not even the good lines before the fault are handed out.
        EXPECT_EQ(imp.next(), TextFileStatus::NotOpen);
        EXPECT_EQ(imp.records(), 0u);
    }
}

class ImportFileOnDisk : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/quayimpXXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        m_dir = pattern;
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string write(const std::string& name, const std::string& contents) {
        const fs::path path = m_dir / name;
        std::ofstream(path, std::ios::binary) << contents;
        return path.string();
    }

    fs::path m_dir;
};

TEST_F(ImportFileOnDisk, ReadsTheNamedFile) {
    const std::string name = write("customers.csv", "\"Acme, Inc.\",Springfield\r\nBob,\r\n");
    ImportFile imp;
    ASSERT_EQ(imp.open(name), TextFileStatus::Ok) << imp.errorText();
    EXPECT_EQ(readAll(imp), (std::vector<std::vector<std::string>>{{"Acme, Inc.", "Springfield"}, {"Bob", ""}}));
}

TEST_F(ImportFileOnDisk, MalformedFileIsReportedWithItsNameAndLine) {
    const std::string name = write("bad.csv", "a\n\"b\n");
    ImportFile imp;
    EXPECT_EQ(imp.open(name), TextFileStatus::UnbalancedQuote);
    EXPECT_EQ(imp.errorText(), name + ": Line 2, column 1: A quoted column is not closed.");
    EXPECT_EQ(imp.next(), TextFileStatus::NotOpen);
}

TEST_F(ImportFileOnDisk, RefusesMissingFilesAndUnusableNames) {
    ImportFile imp;
    EXPECT_EQ(imp.open((m_dir / "none.csv").string()), TextFileStatus::NotFound);
    EXPECT_EQ(imp.open(""), TextFileStatus::NameMissing);
    EXPECT_EQ(imp.open(std::string(100, 'n')), TextFileStatus::NameTooLong);
    EXPECT_EQ(imp.open(m_dir.string()), TextFileStatus::CannotRead);
    EXPECT_EQ(imp.next(), TextFileStatus::NotOpen);
}

}  // namespace
}  // namespace quay::core
