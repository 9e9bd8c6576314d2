// Function 9 (extraction to memory) and traditional decryption.
#include <gtest/gtest.h>

#include <numeric>

#include "support/test_support.h"
#include "support/zip_builder.h"

using namespace zwtest;

namespace {

std::string counting(size_t n) {
    std::string s(n, '\0');
    for (size_t i = 0; i < n; ++i) s[i] = char('a' + i % 26);
    return s;
}

struct MemoryRun {
    int32_t result;
    std::string bytes;
};

MemoryRun toMemory(const std::string& zip, int32_t index, int32_t offset, int32_t size,
                   const std::string& password = "") {
    std::string block(size_t(size) + 8, '#');
    Command cmd(UNZIP_FILETOMEM, zip);
    cmd.c.index = index;
    cmd.c.lpMemBlock = block.data();
    cmd.c.lMemBlockSize = size;
    cmd.c.lStartingOffset = offset;
    if (!password.empty()) cmd.password(password);
    int32_t rc = cmd.run();
    EXPECT_EQ(block.substr(size_t(size)), "########") << "wrote past the block";
    return {rc, block.substr(0, size_t(cmd.c.returnCount))};
}

// locked.txt, encrypted with the password "right", optionally followed by a plain open.txt.
std::string lockedArchive(const TempDir& dir, bool withPlainMember) {
    std::string zip = dir / "crypt.zip";
    ZipEntry e;
    e.name = "locked.txt";
    e.data = "top secret";
    e.password = "right";
    ZipBuilder b;
    b.add(e);
    if (withPlainMember) b.add("open.txt", "open");
    b.writeTo(zip);
    return zip;
}

}  // namespace

TEST(FileToMemory, CopiesTheRequestedRangeOfEveryMethod) {
    TempDir dir;
    std::string zip = dir / "mem.zip";
    const std::string content = counting(300000);
    ZipBuilder().add("deflated.txt", content, 8).add("stored.txt", content, 0).writeTo(zip);
    struct Case {
        int32_t offset, size;
    };
    // starting offset, block size
    const Case cases[] = {{0, 300000}, {100, 50}, {0, 10}, {299990, 100}, {250000, 40000}, {300000, 10}, {0, 0}};
    for (int32_t index : {0, 1}) {
        for (const Case& k : cases) {
            SCOPED_TRACE(std::to_string(index) + " @" + std::to_string(k.offset) + "+" + std::to_string(k.size));
            MemoryRun r = toMemory(zip, index, k.offset, k.size);
            EXPECT_EQ(r.result, ZW_OK);
            size_t from = std::min<size_t>(size_t(k.offset), content.size());
            EXPECT_EQ(r.bytes, content.substr(from, size_t(k.size)));
        }
    }
}

TEST(FileToMemory, ByPlainNameAndNoMatch) {
    TempDir dir;
    std::string zip = dir / "names.zip";
    ZipBuilder().add("dir/inner.txt", "inner").add("top.txt", "top").writeTo(zip);
    std::string block(16, '\0');
    Command byName(UNZIP_FILETOMEM, zip);
    byName.filespec("INNER.TXT");
    byName.c.lpMemBlock = block.data();
    byName.c.lMemBlockSize = 16;
    ASSERT_EQ(byName.run(), ZW_OK);
    EXPECT_EQ(block.substr(0, 5), "inner");

    Command none(UNZIP_FILETOMEM, zip);
    none.filespec("absent.txt");
    none.c.lpMemBlock = block.data();
    none.c.lMemBlockSize = 16;
    EXPECT_EQ(none.run(), ZW_NO_FILES);
    EXPECT_EQ(none.returned(), "ZipWell UnZIP Error: No files to test, extract, etc. (No items match filespec)");
}

TEST(FileToMemory, WholeMemberIsCrcCheckedButPartialCopiesAreNot) {
    TempDir dir;
    std::string zip = dir / "crc.zip";
    ZipEntry e;
    e.name = "bad.txt";
    e.data = counting(5000);
    e.centralCrc = 1;
    ZipBuilder().add(e).writeTo(zip);
    EXPECT_EQ(toMemory(zip, 0, 0, 5000).result, ZW_BAD_CRC);
    MemoryRun part = toMemory(zip, 0, 10, 20);
    EXPECT_EQ(part.result, ZW_OK);
    EXPECT_EQ(part.bytes, counting(5000).substr(10, 20));
}

TEST(FileToMemory, MemberThatOutgrowsItsDeclaredSizeIsStopped) {
    TempDir dir;
    std::string zip = dir / "bomb.zip";
    ZipEntry e;
    e.name = "bomb.bin";
    e.data = std::string(1 << 20, '\0');
    e.centralSize = 10;  // the header understates the size
    ZipBuilder().add(e).writeTo(zip);
    Command test(UNZIP_EXTRACT, zip);
    test.filespec("*.*").c.testFlag = 1;
    EXPECT_EQ(test.run(), ZW_APP_CANCELLED);
    EXPECT_EQ(toMemory(zip, 0, 0, 1 << 20).result, ZW_APP_CANCELLED);
}

TEST(Decryption, RightPasswordExtractsEveryEncryptedMember) {
    TempDir dir;
    std::string zip = dir / "crypt.zip";
    ZipEntry deflated;
    deflated.name = "deflated.txt";
    deflated.data = counting(20000);
    deflated.password = "s3cret";
    ZipEntry stored = deflated;
    stored.name = "stored.txt";
    stored.method = 0;
    ZipEntry streamed = deflated;
    streamed.name = "streamed.txt";
    streamed.descriptor = true;  // the check byte is then the high byte of the DOS time
    ZipBuilder().add(deflated).add(stored).add(streamed).add("plain.txt", "plain").writeTo(zip);
    Command cmd(UNZIP_EXTRACT, zip);
    cmd.filespec("*.*").destination(dir / "out").password("s3cret");
    ASSERT_EQ(cmd.run(), ZW_OK);
    EXPECT_EQ(cmd.c.returnCount, 4);
    for (const char* n : {"deflated.txt", "stored.txt", "streamed.txt"})
        EXPECT_EQ(readFile(dir / "out/" + n), counting(20000)) << n;
    EXPECT_EQ(toMemory(zip, 1, 5, 10, "s3cret").bytes, counting(20000).substr(5, 10));
}

TEST(Decryption, WrongPasswordQuietlySkipsAndGoesOn) {
    TempDir dir;
    const std::string zip = lockedArchive(dir, true);
    Command cmd(UNZIP_EXTRACT, zip);
    cmd.filespec("*.*").destination(dir / "out").password("wrong");
    EXPECT_EQ(cmd.run(), ZW_USER_SKIPPED);
    EXPECT_EQ(listTree(dir / "out"), (std::vector<std::string>{"open.txt"}));
}

TEST(Decryption, PasswordQuestionOkSkipsAndCancelStopsWith44) {
    TempDir dir;
    const std::string zip = lockedArchive(dir, true);
    for (int32_t answer : {ZW_ID_OK, ZW_ID_CANCEL}) {
        SCOPED_TRACE(answer);
        TempDir out;
        Command cmd(UNZIP_EXTRACT, zip);
        cmd.filespec("*.*").destination(out.path()).withScript();
        cmd.c.quietFlag = 0;
        cmd.script.answers = {answer};
        EXPECT_EQ(cmd.run(), answer == ZW_ID_OK ? ZW_USER_SKIPPED : ZW_BAD_KEY);
        auto asked = cmd.script.of(ZW_MSG_PASSWORD);
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_EQ(asked[0].text,
                  "locked.txt is encrypted, and you have not provided the correct code. Go to next item (if any)?");
        EXPECT_EQ(asked[0].buttons, ZW_MB_OKCANCEL);
        EXPECT_EQ(listTree(out.path()),
                  answer == ZW_ID_OK ? std::vector<std::string>{"open.txt"} : std::vector<std::string>{});
    }
}

TEST(Decryption, MemoryExtractionAsksNothing) {
    TempDir dir;
    const std::string zip = lockedArchive(dir, false);
    EXPECT_EQ(toMemory(zip, 0, 0, 64).result, ZW_SKIPPED_ENCRYPTED);
    EXPECT_EQ(toMemory(zip, 0, 0, 64, "wrong").result, ZW_BAD_KEY);
    EXPECT_EQ(toMemory(zip, 0, 0, 64, "right").bytes, "top secret");
}

TEST(Decryption, CorpusArchivesOpenWithTheirPasswords) {
    struct Case {
        const char* archive;
        const char* password;
        int32_t members;
    };
    const Case cases[] = {
        {"generated/gen-zipcrypto-stored.zip", "infozip-secret", 2},
        {"generated/gen-zipcrypto-descriptor.zip", "infozip-secret", 1},
        {"generated/gen-7z-zipcrypto.zip", "7zip-secret", 2},
        {"libzip/encrypt-1234.zip", "1234", 1},
        {"rubyzip/zipWithEncryption.zip", "password", 2},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.archive);
        Command right(UNZIP_EXTRACT, corpus(k.archive));
        right.filespec("*.*").password(k.password).c.testFlag = 1;
        right.c.recurseFlag = 1;
        EXPECT_EQ(right.run(), ZW_OK);
        EXPECT_EQ(right.c.returnCount, k.members);
        Command wrong(UNZIP_EXTRACT, corpus(k.archive));
        wrong.filespec("*.*").password("not-it").c.testFlag = 1;
        wrong.c.recurseFlag = 1;
        EXPECT_EQ(wrong.run(), ZW_USER_SKIPPED);
    }
}
