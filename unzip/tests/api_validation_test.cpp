// Validation of the command before any work, the busy flag, the structure
// layouts and the progress-title functions, all through the public interface.
#include <gtest/gtest.h>

#include <cstring>

#include "support/test_support.h"
#include "support/zip_builder.h"

using namespace zwtest;

namespace {

std::string smallArchive(const TempDir& dir) {
    std::string path = dir / "small.zip";
    ZipBuilder().add("a.txt", "alpha").add("sub/b.txt", "bravo bravo").writeTo(path);
    return path;
}

}  // namespace

TEST(CommandValidation, EachBrokenCommandFailsWith47AndItsDetail) {
    TempDir dir;
    const std::string zip = smallArchive(dir);
    struct Case {
        const char* name;
        void (*prepare)(Command&);
        const char* detail;
    };
    const Case cases[] = {
        // name, how the command is broken, the detail of the error line
        {"unknown function", [](Command& c) { c.c.Function = 10; }, "Unknown function requested"},
        {"function zero", [](Command& c) { c.c.Function = 0; }, "Unknown function requested"},
        {"freshen and update", [](Command& c) { c.c.freshenFlag = c.c.updateFlag = 1; },
         "Can't freshen and update at the same time"},
        {"decrypt without code", [](Command& c) { c.c.decryptFlag = 1; }, "Decryption key not provided, or too long"},
        {"code too long", [](Command& c) { c.password(std::string(66, 'k')); },
         "Decryption key not provided, or too long"},
        {"count by spec without spec", [](Command& c) { c.c.Function = 3; }, "ZIP filename or filespec not provided"},
        {"extract without destination",
         [](Command& c) {
             c.c.Function = 8;
             c.spec = "*.*";
         },
         "Destination path not provided"},
        {"destination of one character",
         [](Command& c) {
             c.c.Function = 8;
             c.spec = "*.*";
             c.dest.assign(1, 'C');
         },
         "Destination path not complete"},
        {"relative destination",
         [](Command& c) {
             c.c.Function = 8;
             c.spec = "*.*";
             c.dest = "work\\out";
         },
         "Destination path must include drive letter"},
        {"extract without spec or index",
         [](Command& c) {
             c.c.Function = 8;
             c.dest = "/tmp";
         },
         "Item list not provided"},
        {"test freshening without destination",
         [](Command& c) {
             c.c.Function = 8;
             c.spec = "*.*";
             c.c.testFlag = 1;
             c.c.freshenFlag = 1;
         },
         "Need destination path when updating or freshening"},
        {"memory without block",
         [](Command& c) {
             c.c.Function = 9;
             c.c.index = 0;
         },
         "Inconsistent UNZIP_FILETOMEM parameters."},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Command cmd(1, zip);
        k.prepare(cmd);
        EXPECT_EQ(cmd.run(), ZW_SYNTAX_ERROR);
        EXPECT_EQ(cmd.returned(), std::string("ZipWell UnZIP Error: Command syntax error (") + k.detail + ")");
    }
}

TEST(CommandValidation, MissingOrEmptyArchiveNameIsRefused) {
    Command none(1, "");
    none.c.lpszZIPFile = nullptr;
    none.c.lpszFilespec = nullptr;
    EXPECT_EQ(zwunzip(&none.c), ZW_SYNTAX_ERROR);
    EXPECT_STREQ(none.ret, "ZipWell UnZIP Error: Command syntax error (ZIP filename not provided)");

    Command empty(1, "");
    EXPECT_EQ(empty.run(), ZW_SYNTAX_ERROR);
    EXPECT_EQ(empty.returned(), "ZipWell UnZIP Error: Command syntax error (No valid ZIP file indicated)");

    Command spec(4, "x.zip");
    std::string blank;
    spec.c.lpszZIPFile = spec.zip.data();
    spec.c.lpszFilespec = blank.data();
    EXPECT_EQ(zwunzip(&spec.c), ZW_SYNTAX_ERROR);
    EXPECT_STREQ(spec.ret, "ZipWell UnZIP Error: Command syntax error (ZIP filename or filespec empty)");
}

TEST(CommandValidation, FileToMemoryNeedsConsistentParameters) {
    TempDir dir;
    const std::string zip = smallArchive(dir);
    char block[16];
    struct Case {
        const char* spec;
        int32_t index, size, offset;
        bool ok;
    };
    const Case cases[] = {
        // spec, index, block size, starting offset, accepted
        {nullptr, 0, 16, 0, true},    {"a.txt", -1, 16, 0, true},      {nullptr, -1, 16, 0, false},
        {"*.txt", -1, 16, 0, false},  {"sub/b.txt", -1, 16, 0, false}, {"a.txt", -1, -1, 0, false},
        {"a.txt", -1, 16, -5, false}, {"a|b", -1, 16, 0, false},       {"[a]", -1, 16, 0, false},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.spec ? k.spec : "(index)");
        Command cmd(9, zip);
        if (k.spec) cmd.filespec(k.spec);
        cmd.c.index = k.index;
        cmd.c.lpMemBlock = block;
        cmd.c.lMemBlockSize = k.size;
        cmd.c.lStartingOffset = k.offset;
        int32_t rc = cmd.run();
        if (k.ok) {
            EXPECT_EQ(rc, ZW_OK);
        } else {
            EXPECT_EQ(rc, ZW_SYNTAX_ERROR);
            EXPECT_EQ(cmd.returned(),
                      "ZipWell UnZIP Error: Command syntax error (Inconsistent UNZIP_FILETOMEM parameters.)");
        }
    }
}

TEST(CommandValidation, DestinationFormsThatPassTheCheck) {
    TempDir dir;
    const std::string zip = smallArchive(dir);
    // Drive letters and network shares are mapped through the environment.
    ::setenv("ZWUNZIP_DRIVE_Q", dir.path().c_str(), 1);
    ::setenv("ZWUNZIP_UNC_ROOT", dir.path().c_str(), 1);
    Command drive(8, zip);
    drive.filespec("a.txt").destination("Q:\\out\\one");
    EXPECT_EQ(drive.run(), ZW_OK);
    EXPECT_EQ(readFile(dir / "out/one/a.txt"), "alpha");

    Command share(8, zip);
    share.filespec("a.txt").destination("\\\\server\\share\\two");
    EXPECT_EQ(share.run(), ZW_OK);
    EXPECT_EQ(readFile(dir / "server/share/two/a.txt"), "alpha");

    Command absolute(8, zip);
    absolute.filespec("a.txt").destination(dir / "three");
    EXPECT_EQ(absolute.run(), ZW_OK);
    EXPECT_EQ(readFile(dir / "three/a.txt"), "alpha");
    ::unsetenv("ZWUNZIP_DRIVE_Q");
    ::unsetenv("ZWUNZIP_UNC_ROOT");
}

TEST(StructureLayout, WrongSizeIsRefusedAndEveryAcceptedSizeWorks) {
    TempDir dir;
    const std::string zip = smallArchive(dir);
    Command wrong(1, zip);
    wrong.c.unzipStructSize = 120;
    EXPECT_EQ(wrong.run(), ZW_SYNTAX_ERROR);
    EXPECT_EQ(wrong.c.returnCount, 0);

    for (int32_t size : {UNZIPCMDSTRUCT_SIZE_V1, UNZIPCMDSTRUCT_SIZE_V2, UNZIPCMDSTRUCT_SIZE_V3}) {
        SCOPED_TRACE(size);
        // The caller's structure is exactly `size` bytes, followed by a guard.
        std::vector<unsigned char> buffer(size_t(size) + 16, 0xAB);
        Command full(1, zip);
        full.c.unzipStructSize = size;
        full.c.lpszZIPFile = full.zip.data();
        std::memcpy(buffer.data(), &full.c, size_t(size));
        EXPECT_EQ(zwunzip(reinterpret_cast<UNZIPCMDSTRUCT*>(buffer.data())), ZW_OK);
        UNZIPCMDSTRUCT back;
        std::memcpy(&back, buffer.data(), sizeof back < buffer.size() ? sizeof back : buffer.size());
        EXPECT_EQ(back.returnCount, 2);
        EXPECT_EQ(back.unzipStructSize, size);
        for (size_t i = size_t(size); i < buffer.size(); ++i) EXPECT_EQ(buffer[i], 0xAB) << "byte " << i;
    }
}

TEST(StructureLayout, ShortLayoutsFillTheShortMemberRecord) {
    TempDir dir;
    std::string longName = std::string(150, 'n') + ".txt";
    std::string zip = dir / "long.zip";
    ZipBuilder().add(longName, "x").writeTo(zip);
    std::vector<unsigned char> buffer(UNZIPCMDSTRUCT_SIZE_V2, 0);
    Command cmd(7, zip);
    cmd.c.unzipStructSize = UNZIPCMDSTRUCT_SIZE_V2;
    cmd.c.index = 0;
    ZINFO_SHORT info;
    std::memset(&info, 0x5A, sizeof info);
    cmd.c.zInfo = &info;
    cmd.c.lpszZIPFile = cmd.zip.data();
    std::memcpy(buffer.data(), &cmd.c, buffer.size());
    EXPECT_EQ(zwunzip(reinterpret_cast<UNZIPCMDSTRUCT*>(buffer.data())), ZW_OK);
    EXPECT_EQ(+info.oSize, 1u);
    EXPECT_EQ(std::strlen(info.szFileName), 127u);
    EXPECT_EQ(std::string(info.szFileName), longName.substr(0, 127));
}

namespace {
struct Reentry {
    std::string zip;
    int32_t innerResult = -1;
    std::string innerText;
};
int64_t ZWCALL reenterFromMajor(const char*, int32_t, void* data) {
    auto* r = static_cast<Reentry*>(data);
    Command inner(1, r->zip);
    r->innerResult = inner.run();
    r->innerText = inner.returned();
    return 0;
}
}  // namespace

TEST(BusyFlag, SecondCallFromACallbackReturns45) {
    TempDir dir;
    Reentry r;
    r.zip = smallArchive(dir);
    Command outer(8, r.zip);
    outer.filespec("*.*").c.testFlag = 1;
    outer.c.recurseFlag = 1;
    outer.c.lpMajorStatus = &reenterFromMajor;
    outer.c.lpMajorUserData = &r;
    EXPECT_EQ(outer.run(), ZW_OK);
    EXPECT_EQ(outer.c.returnCount, 2);
    EXPECT_EQ(r.innerResult, ZW_BUSY);
    EXPECT_EQ(r.innerText, "ZipWell UnZIP Error: Busy, can't re-enter now (Re-entry not permitted)");
    // The flag is cleared again once the outer call returns.
    Command after(1, r.zip);
    EXPECT_EQ(after.run(), ZW_OK);
}

TEST(ProgressTitle, SetGetAndReset) {
    char buf[400];
    getUnzipProgTitle(buf, sizeof buf);
    EXPECT_STREQ(buf, "Extract Progress");
    getUnzipProgTitle(buf, 5);
    EXPECT_STREQ(buf, "Extr");
    setUnzipProgTitle(std::string(350, 't').c_str());
    getUnzipProgTitle(buf, sizeof buf);
    EXPECT_EQ(std::strlen(buf), 299u);
    setUnzipProgTitle("Nightly restore");
    getUnzipProgTitle(buf, sizeof buf);
    EXPECT_STREQ(buf, "Nightly restore");
    resetUnzipProgTitle();
    getUnzipProgTitle(buf, sizeof buf);
    EXPECT_STREQ(buf, "Extract Progress");
}

TEST(ExternalCancel, FlagIsStoredAndReturned) {
    int32_t flag = 0;
    EXPECT_EQ(getUnzipExternalCancel(), nullptr);
    setUnzipExternalCancel(&flag);
    EXPECT_EQ(getUnzipExternalCancel(), &flag);
    setUnzipExternalCancel(nullptr);
    // Outside an extraction that started the progress program, registration is refused.
    EXPECT_EQ(registerExternUnzipProg(nullptr, nullptr, nullptr, nullptr, nullptr), 0);
}

TEST(VisualBasicEntry, BlankPaddedStringsAreTrimmedAndTheResultPaddedBack) {
    TempDir dir;
    const std::string zip = smallArchive(dir);
    std::vector<char> strings(ZWVB_BUFFER_SIZE, ' ');
    std::memcpy(strings.data() + ZWVB_ZIPFILE_OFFSET, zip.data(), zip.size());
    std::memcpy(strings.data() + ZWVB_FILESPEC_OFFSET, "*.TXT", 5);
    UNZIPCMDSTRUCT cmd{};
    cmd.unzipStructSize = UNZIPCMDSTRUCT_SIZE_V3;
    cmd.Function = 3;
    cmd.quietFlag = 1;
    ZINFO info{};
    ZWUNZIPVBCALLBACKS callbacks{};
    EXPECT_EQ(zwunzipVB(&cmd, strings.data(), &info, &callbacks), ZW_OK);
    EXPECT_EQ(cmd.returnCount, 1);  // sub/b.txt has a path and recursion is off

    cmd.Function = 5;
    EXPECT_EQ(zwunzipVB(&cmd, strings.data(), &info, &callbacks), ZW_OK);
    cmd.Function = 42;
    EXPECT_EQ(zwunzipVB(&cmd, strings.data(), &info, &callbacks), ZW_SYNTAX_ERROR);
    std::string ret(strings.data() + ZWVB_RETURN_OFFSET, ZWVB_RETURN_SIZE);
    const std::string line = "ZipWell UnZIP Error: Command syntax error (Unknown function requested)";
    EXPECT_EQ(ret.substr(0, line.size()), line);
    EXPECT_EQ(ret.find_first_not_of(' ', line.size()), std::string::npos);

    EXPECT_EQ(zwunzipVB(nullptr, strings.data(), &info, &callbacks), ZW_SYNTAX_ERROR);
    EXPECT_EQ(zwunzipVB(&cmd, nullptr, &info, &callbacks), ZW_SYNTAX_ERROR);
    EXPECT_EQ(zwunzipVB(&cmd, strings.data(), nullptr, &callbacks), ZW_SYNTAX_ERROR);
    EXPECT_EQ(zwunzipVB(&cmd, strings.data(), &info, nullptr), ZW_SYNTAX_ERROR);
}
