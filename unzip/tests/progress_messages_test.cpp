// Progress callbacks and their cancel answers, the external progress program,
// the message protocol (type-13 look-ups, error lines, disk prompts of split
// archives) and the two logs.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <cstring>

#include "support/test_support.h"
#include "support/zip_builder.h"

using namespace zwtest;

namespace {

struct Status {
    std::string text;
    int32_t percent;
    int32_t bytes;
};

struct Recorder {
    std::vector<Status> major, minor;
    int64_t majorAnswer = 0;
    int32_t minorAnswer = 0;
    size_t cancelAfterMinor = 1u << 30;  // answer minorAnswer from this call on
};

int64_t ZWCALL onMajor(const char* text, int32_t percent, void* data) {
    auto* r = static_cast<Recorder*>(data);
    r->major.push_back({text, percent, 0});
    return r->majorAnswer;
}

int32_t ZWCALL onMinor(int32_t bytes, const char* text, int32_t percent, void* data) {
    auto* r = static_cast<Recorder*>(data);
    r->minor.push_back({text, percent, bytes});
    return r->minor.size() > r->cancelAfterMinor ? r->minorAnswer : 0;
}

void attach(Command& cmd, Recorder& r) {
    cmd.c.lpMajorStatus = &onMajor;
    cmd.c.lpMajorUserData = &r;
    cmd.c.lpMinorStatus = &onMinor;
    cmd.c.lpMinorUserData = &r;
}

std::string threeMembers(const TempDir& dir) {
    std::string zip = dir / "three.zip";
    ZipBuilder().add("one.txt", "1").add("big.bin", std::string(3 << 20, 'b')).add("three.txt", "3").writeTo(zip);
    return zip;
}

}  // namespace

TEST(ProgressCallbacks, MajorPerMemberAndMinorAsBytesAreWritten) {
    TempDir dir;
    const std::string zip = threeMembers(dir);
    Recorder r;
    Command cmd(UNZIP_EXTRACT, zip);
    cmd.filespec("*.*").destination(dir / "out");
    attach(cmd, r);
    ASSERT_EQ(cmd.run(), ZW_OK);
    ASSERT_EQ(r.major.size(), 3u);
    EXPECT_EQ(r.major[0].text, "Item 1 of 3");
    EXPECT_EQ(r.major[2].text, "Item 3 of 3");
    EXPECT_EQ(r.major[0].percent, 33);
    EXPECT_EQ(r.major[2].percent, 100);
    std::vector<Status> big;
    for (const Status& s : r.minor)
        if (s.text == "Extracting: big.bin") big.push_back(s);
    ASSERT_GT(big.size(), 2u);
    for (size_t i = 1; i < big.size(); ++i) {
        EXPECT_GT(big[i].bytes, big[i - 1].bytes);
        EXPECT_GE(big[i].percent, big[i - 1].percent);
    }
    EXPECT_EQ(big.back().bytes, 3 << 20);
    EXPECT_EQ(big.back().percent, 100);
    // 256 KiB of 3 MiB: done / (total / 100) + 1.
    EXPECT_EQ(big.front().percent, int32_t((256 * 1024) / ((3 << 20) / 100)) + 1);
}

TEST(ProgressCallbacks, StatusTextsOfTestingAndMemory) {
    TempDir dir;
    const std::string zip = threeMembers(dir);
    Recorder test;
    Command t(UNZIP_EXTRACT, zip);
    t.filespec("one.txt").c.testFlag = 1;
    attach(t, test);
    ASSERT_EQ(t.run(), ZW_OK);
    ASSERT_FALSE(test.minor.empty());
    EXPECT_EQ(test.minor.back().text, "Testing: one.txt");
    EXPECT_EQ(test.minor.back().percent, 100);

    Recorder mem;
    char block[8];
    Command m(UNZIP_FILETOMEM, zip);
    m.c.index = 2;
    m.c.lpMemBlock = block;
    m.c.lMemBlockSize = sizeof block;
    attach(m, mem);
    ASSERT_EQ(m.run(), ZW_OK);
    ASSERT_FALSE(mem.minor.empty());
    EXPECT_EQ(mem.minor.back().text, "File to Memory: three.txt");
}

TEST(ProgressCallbacks, CancelAnswersFollowLayoutAndSubOption) {
    TempDir dir;
    const std::string zip = threeMembers(dir);
    struct Case {
        const char* name;
        int32_t size;
        uint16_t options;
        int64_t majorAnswer;
        int32_t minorAnswer;
        int32_t result;
    };
    const Case cases[] = {
        // layout, sub-options, major answer, minor answer, result
        {"major cancels in the full layout", UNZIPCMDSTRUCT_SIZE_V3, 0, 1, 0, ZW_USER_CANCELLED},
        {"major high half alone does not cancel", UNZIPCMDSTRUCT_SIZE_V3, 0, int64_t(1) << 32, 0, ZW_OK},
        {"major answer ignored in the first layout", UNZIPCMDSTRUCT_SIZE_V1, 0, 1, 0, ZW_OK},
        {"minor ignored without bit 1", UNZIPCMDSTRUCT_SIZE_V3, 0, 0, 1, ZW_OK},
        {"minor cancels with bit 1", UNZIPCMDSTRUCT_SIZE_V3, ZW_SUB_ALLOW_CANCEL, 0, 1, ZW_USER_CANCELLED},
        {"minor cancels in the second layout", UNZIPCMDSTRUCT_SIZE_V2, ZW_SUB_ALLOW_CANCEL, 0, 1, ZW_USER_CANCELLED},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        TempDir out;
        Recorder r;
        r.majorAnswer = k.majorAnswer;
        r.minorAnswer = k.minorAnswer;
        r.cancelAfterMinor = 2;
        Command cmd(UNZIP_EXTRACT, zip);
        cmd.filespec("*.*").destination(out.path());
        cmd.c.unzipStructSize = k.size;
        cmd.c.wUnzipSubOptions = k.options;
        attach(cmd, r);
        EXPECT_EQ(cmd.run(), k.result);
        if (k.result == ZW_USER_CANCELLED) {
            // Stopped without an error line, and no half-written member is left.
            EXPECT_EQ(cmd.returned(), "");
            EXPECT_FALSE(exists(out / "big.bin"));
        } else {
            EXPECT_EQ(readFile(out / "big.bin").size(), size_t(3 << 20));
        }
    }
}

TEST(ProgressCallbacks, CancelAfterTheRequestedBytesIsANormalEndOfMemoryExtraction) {
    TempDir dir;
    const std::string zip = threeMembers(dir);
    Recorder r;
    r.minorAnswer = 1;
    r.cancelAfterMinor = 0;
    std::string block(1000, '\0');
    Command cmd(UNZIP_FILETOMEM, zip);
    cmd.c.index = 1;
    cmd.c.lpMemBlock = block.data();
    cmd.c.lMemBlockSize = 1000;
    cmd.c.wUnzipSubOptions = ZW_SUB_ALLOW_CANCEL;
    attach(cmd, r);
    EXPECT_EQ(cmd.run(), ZW_OK);
    EXPECT_EQ(cmd.c.returnCount, 1000);
    EXPECT_EQ(block, std::string(1000, 'b'));
}

TEST(ExternalCancel, SetFlagStopsTheExtraction) {
    TempDir dir;
    const std::string zip = threeMembers(dir);
    int32_t flag = 1;
    setUnzipExternalCancel(&flag);
    Command cmd(UNZIP_EXTRACT, zip);
    cmd.filespec("*.*").destination(dir / "out");
    EXPECT_EQ(cmd.run(), ZW_USER_CANCELLED);
    setUnzipExternalCancel(nullptr);
    EXPECT_FALSE(exists(dir / "out/one.txt"));
}

namespace {

// A stand-in progress program: records its arguments, answers every status
// record with the int32 in $ZW_FAKE_ANSWER and keeps the records it got.
void installFakeProgram(const TempDir& dir, int answer) {
    std::string script =
        "#!/bin/sh\n"
        "echo \"$@\" > \"" +
        dir.path() +
        "/args\"\n"
        "while :; do\n"
        "  rec=$(head -c 360 | od -An -v -tx1 | tr -d ' \\n')\n"
        "  [ -z \"$rec\" ] && exit 0\n"
        "  echo \"$rec\" >> \"" +
        dir.path() +
        "/records\"\n"
        "  case \"$rec\" in 02000000*) exit 0;; esac\n"
        "  printf '\\" +
        std::to_string(answer) +
        "\\000\\000\\000'\n"
        "done\n";
    ::mkdir((dir / "bin").c_str(), 0755);
    writeFile(dir / "bin/zwprog32", script);
    ::chmod((dir / "bin/zwprog32").c_str(), 0755);
}

std::string withPath(const TempDir& dir) {
    std::string old = std::getenv("PATH") ? std::getenv("PATH") : "";
    ::setenv("PATH", (dir / "bin" + ":" + old).c_str(), 1);
    return old;
}

int32_t ZWCALL registerFromRename(char*, const char*, uint16_t, uint16_t, uint32_t*, void* data) {
    *static_cast<int32_t*>(data) = registerExternUnzipProg(data, nullptr, nullptr, nullptr, nullptr);
    return 0;
}

}  // namespace

TEST(ExternalProgram, ReceivesStatusRecordsInsteadOfTheCallbacks) {
    TempDir dir;
    const std::string zip = threeMembers(dir);
    installFakeProgram(dir, 0);
    const std::string oldPath = withPath(dir);
    Recorder r;
    int32_t registered = -1;
    Command cmd(UNZIP_EXTRACT, zip);
    cmd.filespec("*.*").destination(dir / "out");
    cmd.c.wUnzipSubOptions = ZW_SUB_EXTERNAL_PROGRESS | ZW_SUB_EXTERNAL_CANCEL;
    cmd.title = "Restore";
    cmd.c.lpszExtProgTitle = cmd.title.data();
    cmd.c.lpRenameProc = &registerFromRename;
    cmd.c.lpRenameUserData = &registered;
    attach(cmd, r);
    int32_t rc = cmd.run();
    ::setenv("PATH", oldPath.c_str(), 1);
    ASSERT_EQ(rc, ZW_OK);
    EXPECT_EQ(registered, 1);
    EXPECT_TRUE(r.major.empty());
    EXPECT_EQ(readFile(dir / "args"), "/c /u /T=Restore\n");
    const std::string records = readFile(dir / "records");
    // Kind 0, 33 percent, then "Item 1 of 3" in the text field.
    EXPECT_EQ(records.substr(0, 16), "0000000021000000");
    EXPECT_NE(records.find("4974656d2031206f662033"), std::string::npos);
    EXPECT_NE(records.find("\n02000000"), std::string::npos);  // the close request
    EXPECT_EQ(readFile(dir / "out/three.txt"), "3");
    // Outside the extraction, registration is refused again.
    EXPECT_EQ(registerExternUnzipProg(nullptr, nullptr, nullptr, nullptr, nullptr), 0);
}

TEST(ExternalProgram, NonZeroReplyCancelsWithBit1) {
    TempDir dir;
    const std::string zip = threeMembers(dir);
    installFakeProgram(dir, 1);
    const std::string oldPath = withPath(dir);
    Command cmd(UNZIP_EXTRACT, zip);
    cmd.filespec("*.*").destination(dir / "out");
    cmd.c.wUnzipSubOptions = ZW_SUB_EXTERNAL_PROGRESS | ZW_SUB_ALLOW_CANCEL;
    int32_t rc = cmd.run();
    ::setenv("PATH", oldPath.c_str(), 1);
    EXPECT_EQ(rc, ZW_USER_CANCELLED);
    EXPECT_EQ(readFile(dir / "args"), "/n /u /T=Extract Progress\n");
}

TEST(ExternalProgram, MissingProgramFallsBackToTheCallbacks) {
    TempDir dir;
    const std::string zip = threeMembers(dir);
    const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    ::setenv("PATH", dir.path().c_str(), 1);
    Recorder r;
    Command cmd(UNZIP_EXTRACT, zip);
    cmd.filespec("*.*").destination(dir / "out");
    cmd.c.wUnzipSubOptions = ZW_SUB_EXTERNAL_PROGRESS;
    attach(cmd, r);
    int32_t rc = cmd.run();
    ::setenv("PATH", oldPath.c_str(), 1);
    EXPECT_EQ(rc, ZW_OK);
    EXPECT_EQ(r.major.size(), 3u);
}

namespace {
int32_t ZWCALL replaceTexts(int32_t type, int32_t, int32_t code, int32_t, char* text, const char*, void* data) {
    auto* seen = static_cast<std::vector<std::string>*>(data);
    seen->push_back(std::to_string(type) + ":" + std::to_string(code) + ":" + text);
    if (type == ZW_MSG_TEXT_LOOKUP && code == ZW_BAD_CRC + 15) std::strcpy(text, "Prüfsumme falsch");
    return ZW_ID_OK;
}
}  // namespace

TEST(MessageProtocol, TextLookupsCanReplaceTextsAndErrorsAreShownUnlessQuiet) {
    TempDir dir;
    std::string zip = dir / "crc.zip";
    ZipEntry bad;
    bad.name = "bad.txt";
    bad.data = "payload";
    bad.centralCrc = 7;
    ZipBuilder().add(bad).writeTo(zip);
    std::vector<std::string> seen;
    Command cmd(UNZIP_EXTRACT, zip);
    cmd.filespec("*.*").c.testFlag = 1;
    cmd.c.quietFlag = 0;
    cmd.c.lpMessageDisplay = &replaceTexts;
    cmd.c.lpMessageDisplayData = &seen;
    EXPECT_EQ(cmd.run(), ZW_BAD_CRC);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], "13:54:Bad CRC");
    EXPECT_EQ(seen[1], "11:39:ZipWell UnZIP Error: Prüfsumme falsch (Problem extracting file(s))\n");
    EXPECT_EQ(cmd.returned(), "ZipWell UnZIP Error: Prüfsumme falsch (Problem extracting file(s))");

    seen.clear();
    cmd.c.quietFlag = 1;
    EXPECT_EQ(cmd.run(), ZW_BAD_CRC);
    ASSERT_EQ(seen.size(), 1u);  // only the look-up
}

namespace {
struct SegmentSupplier {
    std::string from, to;
    int prompts = 0;
    int32_t answer = ZW_ID_OK;
};
int32_t ZWCALL supplySegment(int32_t type, int32_t, int32_t code, int32_t extra, char* text, const char*, void* data) {
    auto* s = static_cast<SegmentSupplier*>(data);
    if (type != ZW_MSG_INSERT_DISK_OF) return 0;
    ++s->prompts;
    EXPECT_EQ(code, 1);
    EXPECT_EQ(extra, 3);
    EXPECT_STREQ(text, "Please insert Disk Volume 1 of 3. \nPress OK when ready or Cancel to abort.");
    if (s->answer == ZW_ID_OK) writeFile(s->to, readFile(s->from));
    return s->answer;
}
}  // namespace

TEST(SplitArchives, MissingSegmentIsAskedForAndCanBeSupplied) {
    TempDir dir;
    for (const char* n : {"gen-split-64k.z02", "gen-split-64k.zip"})
        writeFile(dir / n, readFile(corpus(std::string("generated/") + n)));
    SegmentSupplier s{corpus("generated/gen-split-64k.z01"), dir / "gen-split-64k.z01"};
    Command cmd(UNZIP_EXTRACT, dir / "gen-split-64k.zip");
    cmd.filespec("*.*").destination(dir / "out").c.recurseFlag = 1;
    cmd.c.lpMessageDisplay = &supplySegment;
    cmd.c.lpMessageDisplayData = &s;
    ASSERT_EQ(cmd.run(), ZW_OK);
    EXPECT_EQ(s.prompts, 1);
    EXPECT_EQ(cmd.c.returnCount, 6);
    EXPECT_EQ(readFile(dir / "out/lorem.txt").size(), 140508u);

    ::unlink((dir / "gen-split-64k.z01").c_str());
    SegmentSupplier refuse{"", "", 0, ZW_ID_CANCEL};
    Command cancelled(UNZIP_EXTRACT, dir / "gen-split-64k.zip");
    cancelled.filespec("*.*").c.testFlag = 1;
    cancelled.c.lpMessageDisplay = &supplySegment;
    cancelled.c.lpMessageDisplayData = &refuse;
    EXPECT_EQ(cancelled.run(), ZW_USER_CANCELLED);
    EXPECT_EQ(refuse.prompts, 1);
}

TEST(SplitArchives, FirstSegmentNamedReadsTheSetFromItsLastSegment) {
    TempDir dir;
    for (const char* n : {"gen-split-64k.z01", "gen-split-64k.z02"})
        writeFile(dir / n, readFile(corpus(std::string("generated/") + n)));
    Command missing(UNZIP_COUNTALLZIPMEMBERS, dir / "gen-split-64k.z01");
    missing.withScript();
    EXPECT_EQ(missing.run(), ZW_USER_CANCELLED);
    auto asked = missing.script.of(ZW_MSG_INSERT_DISK);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].extra, -1);
    EXPECT_EQ(asked[0].text,
              "Please insert the last disk of the Multi-Volume set. \nPress OK when ready or Cancel to abort.");

    writeFile(dir / "gen-split-64k.zip", readFile(corpus("generated/gen-split-64k.zip")));
    Command present(UNZIP_COUNTALLZIPMEMBERS, dir / "gen-split-64k.z01");
    EXPECT_EQ(present.run(), ZW_OK);
    EXPECT_EQ(present.c.returnCount, 6);
}

TEST(Logs, DiagnosticLogRecordsTheCallAndItsResponse) {
    TempDir dir;
    ::setenv("ZWUNZIP_WINDIR", dir.path().c_str(), 1);
    const std::string zip = threeMembers(dir);
    Command cmd(UNZIP_COUNTALLZIPMEMBERS, zip);
    cmd.c.diagnosticFlag = 1;
    cmd.password("hunter2");
    ASSERT_EQ(cmd.run(), ZW_OK);
    const std::string log = readFile(dir / "ZIPWELL.LOG");
    EXPECT_EQ(log.rfind("\n--- Zipwell UnZIP Diagnostic Log - Version: 3.00.16 - ", 0), 0u);
    EXPECT_NE(log.find("Function: 1\n"), std::string::npos);
    EXPECT_NE(log.find("\n" + zip + "\n"), std::string::npos);
    EXPECT_NE(log.find("lStartingOffset: 0\n"), std::string::npos);
    EXPECT_NE(log.find("ZipWell UnZIP Response: 0 \nreturnCount: 3\n"), std::string::npos);
    EXPECT_EQ(log.find("hunter2"), std::string::npos);  // the password is never written
    EXPECT_NE(log.find("\n*******\n"), std::string::npos);
}

TEST(Logs, ExtractionLogListsMembersAndErrors) {
    TempDir dir;
    ::setenv("ZWUNZIP_WINDIR", dir.path().c_str(), 1);
    std::string zip = dir / "log.zip";
    ZipEntry bad;
    bad.name = "bad.txt";
    bad.data = "x";
    bad.centralCrc = 3;
    ZipBuilder().add("good.txt", "g").add(bad).writeTo(zip);
    Command cmd(UNZIP_EXTRACT, zip);
    cmd.filespec("*.*").c.testFlag = 1;
    cmd.c.wUnzipSubOptions = ZW_SUB_EXTRACTION_LOG;
    EXPECT_EQ(cmd.run(), ZW_BAD_CRC);
    const std::string log = readFile(dir / "ZWUNLOG.TXT");
    EXPECT_EQ(log.rfind("--- Zipwell UnZIP Log - Version: 3.00.16 - ", 0), 0u);
    EXPECT_NE(
        log.find("\ngood.txt [Tested]\nbad.txt [Tested]\nZipWell UnZIP Error: Bad CRC (Problem extracting file(s))\n"),
        std::string::npos);
    EXPECT_FALSE(exists(dir / "ZIPWELL.LOG"));
}

TEST(SplitArchives, SegmentThatCannotBeOpenedGives29) {
    TempDir dir;
    for (const char* n : {"gen-split-64k.z02", "gen-split-64k.zip"})
        writeFile(dir / n, readFile(corpus(std::string("generated/") + n)));
    ::mkdir((dir / "gen-split-64k.z01").c_str(), 0755);  // present, but not a file
    Command cmd(UNZIP_EXTRACT, dir / "gen-split-64k.zip");
    cmd.filespec("*.*").c.testFlag = 1;
    cmd.c.recurseFlag = 1;
    EXPECT_EQ(cmd.run(), ZW_OPEN_ERROR);
    EXPECT_EQ(cmd.returned(), "ZipWell UnZIP Error: Error opening archive (Problem extracting file(s))");
}

namespace {
struct WrongDisk {
    std::string right, target;
    std::vector<int32_t> types;
};
int32_t ZWCALL swapInRightSegment(int32_t type, int32_t, int32_t, int32_t, char*, const char*, void* data) {
    auto* w = static_cast<WrongDisk*>(data);
    if (type == ZW_MSG_TEXT_LOOKUP) return 0;
    w->types.push_back(type);
    if (type == ZW_MSG_INSERT_DISK_OF) writeFile(w->target, readFile(w->right));
    return ZW_ID_OK;
}
}  // namespace

TEST(SplitArchives, WrongSegmentInPlaceIsRefusedAndAskedForAgain) {
    TempDir dir;
    for (const char* n : {"gen-split-64k.z02", "gen-split-64k.zip"})
        writeFile(dir / n, readFile(corpus(std::string("generated/") + n)));
    writeFile(dir / "gen-split-64k.z01", readFile(corpus("generated/gen-split-64k.z02")));  // the wrong disk
    WrongDisk w{corpus("generated/gen-split-64k.z01"), dir / "gen-split-64k.z01", {}};
    Command cmd(UNZIP_EXTRACT, dir / "gen-split-64k.zip");
    cmd.filespec("*.*").c.testFlag = 1;
    cmd.c.recurseFlag = 1;
    cmd.c.lpMessageDisplay = &swapInRightSegment;
    cmd.c.lpMessageDisplayData = &w;
    EXPECT_EQ(cmd.run(), ZW_OK);
    EXPECT_EQ(cmd.c.returnCount, 6);
    EXPECT_EQ(w.types, (std::vector<int32_t>{ZW_MSG_INVALID_DISK, ZW_MSG_INSERT_DISK_OF}));
}
