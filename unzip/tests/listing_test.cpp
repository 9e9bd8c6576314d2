// Functions 1 to 7: counting, walking, the comment and the member at an index.
#include <gtest/gtest.h>

#include <cstring>

#include "support/test_support.h"
#include "support/zip_builder.h"

using namespace zwtest;

namespace {

std::string treeArchive(const TempDir& dir) {
    std::string path = dir / "tree.zip";
    ZipEntry folder;
    folder.name = "docs/";
    folder.method = 0;
    folder.externalAttributes = 0x10;
    ZipEntry secret;
    secret.name = "docs/secret.txt";
    secret.data = "classified";
    secret.password = "pw";
    secret.dosDate = (45 << 9) | (12 << 5) | 31;   // 2025-12-31
    secret.dosTime = (23 << 11) | (59 << 5) | 29;  // 23:59:58
    ZipBuilder()
        .add("readme.txt", std::string(1000, 'r'))
        .add(folder)
        .add("docs/guide.TXT", "guide", 0)
        .add(secret)
        .add("data.bin", "\x01\x02\x03", 0)
        .comment("Archive comment\nline two")
        .writeTo(path);
    return path;
}

}  // namespace

TEST(Counting, AllMembersAndDirectoriesLeftOutWithBit4) {
    TempDir dir;
    const std::string zip = treeArchive(dir);
    Command all(UNZIP_COUNTALLZIPMEMBERS, zip);
    EXPECT_EQ(all.run(), ZW_OK);
    EXPECT_EQ(all.c.returnCount, 5);
    Command files(UNZIP_COUNTALLZIPMEMBERS, zip);
    files.c.wUnzipSubOptions = ZW_SUB_SKIP_DIRECTORIES;
    EXPECT_EQ(files.run(), ZW_OK);
    EXPECT_EQ(files.c.returnCount, 4);
}

TEST(Counting, NamedMembersFollowPatternsAndRecursion) {
    TempDir dir;
    const std::string zip = treeArchive(dir);
    struct Case {
        const char* spec;
        int32_t recurse, expected;
    };
    const Case cases[] = {
        // file spec, recurse flag, members counted
        {"*.txt", 0, 1},
        {"*.txt", 1, 3},
        {"*.*", 0, 3},
        {"*.*", 1, 5},
        {"docs\\*", 0, 3},
        {"docs/*.txt", 0, 2},
        {"README.TXT data.bin", 0, 2},
        {"\"data.bin\" nothing", 0, 1},
        {"?ata.*", 0, 1},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.spec);
        Command cmd(UNZIP_COUNTNAMEDZIPMEMBERS, zip);
        cmd.filespec(k.spec).c.recurseFlag = k.recurse;
        EXPECT_EQ(cmd.run(), ZW_OK);
        EXPECT_EQ(cmd.c.returnCount, k.expected);
    }
    Command unbalanced(UNZIP_COUNTNAMEDZIPMEMBERS, zip);
    unbalanced.filespec("\"readme.txt");
    EXPECT_EQ(unbalanced.run(), ZW_SYNTAX_ERROR);
    EXPECT_EQ(unbalanced.returned(), "ZipWell UnZIP Error: Command syntax error (Double Quotes mismatched.)");
}

TEST(MemberInformation, IndexedMemberCarriesEveryField) {
    TempDir dir;
    const std::string zip = treeArchive(dir);
    Command cmd(UNZIP_GETINDEXEDZIPINFO, zip);
    cmd.c.index = 3;
    ASSERT_EQ(cmd.run(), ZW_OK);
    EXPECT_EQ(+cmd.info.index, 3);
    EXPECT_STREQ(cmd.info.szFileName, "docs\\secret.txt");
    EXPECT_EQ(+cmd.info.oSize, 10u);
    EXPECT_EQ(+cmd.info.cSize, ZipBuilder::deflate("classified").size() + 12);
    EXPECT_EQ(+cmd.info.cMethod, 8);
    EXPECT_STREQ(cmd.info.cDateTime, "12/31/25  23:59");
    EXPECT_EQ(+cmd.info.seconds, 58);
    EXPECT_EQ(+cmd.info.encryptFlag, 1);
    EXPECT_EQ(+cmd.info.flag & 1, 1);
    EXPECT_EQ(+cmd.info.dirFlag, 0);

    Command folder(UNZIP_GETINDEXEDZIPINFO, zip);
    folder.c.index = 1;
    ASSERT_EQ(folder.run(), ZW_OK);
    EXPECT_EQ(+folder.info.dirFlag, 1);
    EXPECT_STREQ(folder.info.szFileName, "docs\\");

    // Sub-option bit 5 keeps the stored "/" separators.
    Command slashes(UNZIP_GETINDEXEDZIPINFO, zip);
    slashes.c.index = 3;
    slashes.c.wUnzipSubOptions = ZW_SUB_FORWARD_SLASHES;
    ASSERT_EQ(slashes.run(), ZW_OK);
    EXPECT_STREQ(slashes.info.szFileName, "docs/secret.txt");
}

TEST(MemberInformation, IndexOutsideTheArchiveGives25) {
    TempDir dir;
    const std::string zip = treeArchive(dir);
    for (int32_t index : {5, -1, 1000}) {
        SCOPED_TRACE(index);
        Command cmd(UNZIP_GETINDEXEDZIPINFO, zip);
        cmd.c.index = index;
        EXPECT_EQ(cmd.run(), ZW_INDEX_OUT_OF_BOUNDS);
        EXPECT_EQ(cmd.returned(), "ZipWell UnZIP Error: Index out of bounds (Specified index is out of range)");
    }
    // With bit 4 the index counts files only: index 3 is then the last member.
    Command files(UNZIP_GETINDEXEDZIPINFO, zip);
    files.c.index = 3;
    files.c.wUnzipSubOptions = ZW_SUB_SKIP_DIRECTORIES;
    ASSERT_EQ(files.run(), ZW_OK);
    EXPECT_STREQ(files.info.szFileName, "data.bin");
}

TEST(MemberWalk, NextMemberWalksInOrderAndStartsOverForAnotherArchive) {
    TempDir dir;
    const std::string zip = treeArchive(dir);
    std::string other = dir / "other.zip";
    ZipBuilder().add("only.txt", "1").writeTo(other);
    Command first(UNZIP_GETNEXTZIPINFO, zip);
    ASSERT_EQ(first.run(), ZW_OK);
    EXPECT_STREQ(first.info.szFileName, "readme.txt");
    Command switchTo(UNZIP_GETNEXTZIPINFO, other);
    ASSERT_EQ(switchTo.run(), ZW_OK);
    EXPECT_STREQ(switchTo.info.szFileName, "only.txt");
    // Back to the first archive: the walk starts again from its first member.
    std::vector<std::string> names;
    for (int i = 0; i < 5; ++i) {
        Command cmd(UNZIP_GETNEXTZIPINFO, zip);
        ASSERT_EQ(cmd.run(), ZW_OK);
        names.push_back(cmd.info.szFileName);
    }
    EXPECT_EQ(names,
              (std::vector<std::string>{"readme.txt", "docs\\", "docs\\guide.TXT", "docs\\secret.txt", "data.bin"}));
    Command end(UNZIP_GETNEXTZIPINFO, zip);
    EXPECT_EQ(end.run(), ZW_NO_FILES);
    EXPECT_EQ(end.returned(), "ZipWell UnZIP Error: No files to test, extract, etc. (No more items found)");
    Command again(UNZIP_GETNEXTZIPINFO, zip);
    ASSERT_EQ(again.run(), ZW_OK);
    EXPECT_STREQ(again.info.szFileName, "readme.txt");
}

TEST(MemberWalk, NextNamedMemberSkipsNonMatching) {
    TempDir dir;
    const std::string zip = treeArchive(dir);
    std::vector<std::string> names;
    for (;;) {
        Command cmd(UNZIP_GETNEXTNAMEDZIPINFO, zip);
        cmd.filespec("*.txt").c.recurseFlag = 1;
        int32_t rc = cmd.run();
        if (rc != ZW_OK) {
            EXPECT_EQ(rc, ZW_NO_FILES);
            break;
        }
        names.push_back(cmd.info.szFileName);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"readme.txt", "docs\\guide.TXT", "docs\\secret.txt"}));
}

TEST(ArchiveComment, LengthAndTextCutToTheCallersBuffer) {
    TempDir dir;
    const std::string zip = treeArchive(dir);
    Command length(UNZIP_GETCOMMENTSIZE, zip);
    EXPECT_EQ(length.run(), ZW_OK);
    EXPECT_EQ(length.c.returnCount, 24);

    Command text(UNZIP_GETCOMMENT, zip);
    text.c.returnCount = ZW_RETURN_STRING_SIZE;
    EXPECT_EQ(text.run(), ZW_OK);
    EXPECT_EQ(text.returned(), "Archive comment\nline two");
    EXPECT_EQ(text.c.returnCount, 24);

    Command cut(UNZIP_GETCOMMENT, zip);
    cut.c.returnCount = 8;
    EXPECT_EQ(cut.run(), ZW_OK);
    EXPECT_EQ(cut.returned(), "Archive");
    EXPECT_EQ(cut.c.returnCount, 7);
}

TEST(ArchiveOpening, MissingFileGives9AndGarbageGives3) {
    TempDir dir;
    Command missing(UNZIP_COUNTALLZIPMEMBERS, dir / "absent.zip");
    EXPECT_EQ(missing.run(), ZW_FILE_NOT_FOUND);
    EXPECT_EQ(missing.returned(), "ZipWell UnZIP Error: File not found (Problem reading ZIP file)");

    writeFile(dir / "junk.zip", std::string(5000, 'j'));
    Command junk(UNZIP_COUNTALLZIPMEMBERS, dir / "junk.zip");
    EXPECT_EQ(junk.run(), ZW_BAD_STRUCTURE);
    EXPECT_EQ(junk.returned(),
              "ZipWell UnZIP Error: Zip file structure invalid (Can't understand ZIP file, structure problem)");
}

TEST(ArchiveOpening, StubBeforeTheArchiveIsSkipped) {
    TempDir dir;
    std::string zip = dir / "sfx.zip";
    ZipBuilder().prefix(std::string(1024, 'M')).add("inside.txt", "inside").writeTo(zip);
    char block[16] = {};
    Command cmd(UNZIP_FILETOMEM, zip);
    cmd.c.index = 0;
    cmd.c.lpMemBlock = block;
    cmd.c.lMemBlockSize = sizeof block;
    EXPECT_EQ(cmd.run(), ZW_OK);
    EXPECT_STREQ(block, "inside");
}

TEST(HostileArchive, Zip64LocatorClaimingBillionsOfDisksIsRefusedWithoutAllocating) {
    // A damaged archive whose Zip64 locator claims about 1.7 billion disks: the disk count
    // sized a table of segments before it was checked. It must be refused as a damaged
    // archive, never followed.
    static const char kBytes[] =
        "\x50\x4b\x03\x04\x0b\x00\x00\x00\x00\x00\xc5\x24\x88\x5d\x7c\xb0"
        "\xef\xd7\x0b\xff\x2b\x00\x00\x00\x00\x00\x05\x00\x00\x0b\x61\x2e"
        "\x2b\x74\x78\x74\x68\x01\x50\x4b\x06\x07\x66\x00\x00\x00\x00\x06"
        "\x81\x00\x00\x00\x00\x61\x2e\x74\x78\x74\x50\x4b\x05\x06\x00\x00"
        "\x00\x00\x01\x00\x01\x00\x30\x00\x00\x29\x00\x2e\x00\x00\x00\x65"
        "\x6e\x09\x00\x61\x20\x63\x6f\x6d\x6d\x74\x65\x6e";
    TempDir dir;
    const std::string zip = dir / "lying-disks.zip";
    writeFile(zip, std::string(kBytes, sizeof kBytes - 1));
    Command count(UNZIP_COUNTALLZIPMEMBERS, zip);
    EXPECT_EQ(count.run(), ZW_BAD_STRUCTURE);
}
