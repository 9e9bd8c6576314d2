// Function 8: extraction to files and testing, with the overwrite questions,
// freshen and update, the rename callback, text mode, dates and attributes,
// and the refusal of member names that would leave the destination.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <ctime>

#include "support/test_support.h"
#include "support/zip_builder.h"

using namespace zwtest;

namespace {

std::string sampleArchive(const TempDir& dir) {
    std::string path = dir / "sample.zip";
    ZipEntry folder;
    folder.name = "sub/";
    folder.method = 0;
    ZipEntry empty;
    empty.name = "empty.txt";
    empty.method = 0;
    empty.dosDate = (30 << 9) | (6 << 5) | 15;    // 2010-06-15
    empty.dosTime = (10 << 11) | (20 << 5) | 15;  // 10:20:30
    ZipEntry locked;
    locked.name = "sub/locked.txt";
    locked.data = "read only";
    locked.externalAttributes = 0x01;
    ZipBuilder()
        .add("hello.txt", "hello world\n")
        .add(folder)
        .add("sub/deep.txt", std::string(100000, 'd'))
        .add(empty)
        .add(locked)
        .writeTo(path);
    return path;
}

time_t mtimeOf(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mtime;
}

time_t localTime(int y, int mo, int d, int h, int mi, int s) {
    std::tm tm{};
    tm.tm_year = y - 1900;
    tm.tm_mon = mo - 1;
    tm.tm_mday = d;
    tm.tm_hour = h;
    tm.tm_min = mi;
    tm.tm_sec = s;
    tm.tm_isdst = -1;
    return std::mktime(&tm);
}

Command extractAll(const std::string& zip, const std::string& dest) {
    Command cmd(UNZIP_EXTRACT, zip);
    cmd.filespec("*.*").destination(dest).c.recurseFlag = 1;
    return cmd;
}

}  // namespace

TEST(Extraction, WritesEveryMemberWithItsContentDateAndReadOnlyBit) {
    TempDir dir;
    const std::string zip = sampleArchive(dir);
    Command cmd = extractAll(zip, dir / "out");
    ASSERT_EQ(cmd.run(), ZW_OK);
    EXPECT_EQ(cmd.c.returnCount, 5);
    EXPECT_EQ(listTree(dir / "out"),
              (std::vector<std::string>{"empty.txt", "hello.txt", "sub/", "sub/deep.txt", "sub/locked.txt"}));
    EXPECT_EQ(readFile(dir / "out/hello.txt"), "hello world\n");
    EXPECT_EQ(readFile(dir / "out/sub/deep.txt"), std::string(100000, 'd'));
    EXPECT_EQ(readFile(dir / "out/empty.txt"), "");
    EXPECT_EQ(mtimeOf(dir / "out/empty.txt"), localTime(2010, 6, 15, 10, 20, 30));
    EXPECT_EQ(mtimeOf(dir / "out/hello.txt"), localTime(2020, 1, 2, 3, 4, 6));
    struct stat st {};
    ASSERT_EQ(::stat((dir / "out/sub/locked.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0222, 0u);
    struct stat plain {};
    ASSERT_EQ(::stat((dir / "out/hello.txt").c_str(), &plain), 0);
    EXPECT_NE(plain.st_mode & S_IWUSR, 0u);
}

TEST(Extraction, NoDirectoryNamesPutsEveryFileIntoTheDestination) {
    TempDir dir;
    const std::string zip = sampleArchive(dir);
    Command cmd = extractAll(zip, dir / "flat");
    cmd.c.noDirectoryNamesFlag = 1;
    ASSERT_EQ(cmd.run(), ZW_OK);
    EXPECT_EQ(listTree(dir / "flat"), (std::vector<std::string>{"deep.txt", "empty.txt", "hello.txt", "locked.txt"}));
}

TEST(Extraction, NoDirectoryItemsSkipsDirectoryEntries) {
    TempDir dir;
    std::string zip = dir / "dirs.zip";
    ZipEntry d;
    d.name = "lonely/";
    d.method = 0;
    ZipBuilder().add(d).add("file.txt", "f").writeTo(zip);
    Command cmd = extractAll(zip, dir / "out");
    cmd.c.noDirectoryItemsFlag = 1;
    ASSERT_EQ(cmd.run(), ZW_OK);
    EXPECT_EQ(cmd.c.returnCount, 1);
    EXPECT_EQ(listTree(dir / "out"), (std::vector<std::string>{"file.txt"}));
}

TEST(Extraction, ByIndexExtractsOneMemberAndAnIndexTooHighGives25) {
    TempDir dir;
    const std::string zip = sampleArchive(dir);
    Command one(UNZIP_EXTRACT, zip);
    one.destination(dir / "one").c.index = 2;
    ASSERT_EQ(one.run(), ZW_OK);
    EXPECT_EQ(listTree(dir / "one"), (std::vector<std::string>{"sub/", "sub/deep.txt"}));

    Command high(UNZIP_EXTRACT, zip);
    high.destination(dir / "two").c.index = 5;
    EXPECT_EQ(high.run(), ZW_INDEX_OUT_OF_BOUNDS);
    EXPECT_EQ(high.returned(), "ZipWell UnZIP Error: Index out of bounds (Index is too high)");
    EXPECT_FALSE(exists(dir / "two"));
}

TEST(Extraction, SpecMatchingNothingGives11) {
    TempDir dir;
    const std::string zip = sampleArchive(dir);
    Command cmd(UNZIP_EXTRACT, zip);
    cmd.filespec("*.doc").destination(dir / "out");
    EXPECT_EQ(cmd.run(), ZW_NO_FILES);
    EXPECT_EQ(cmd.returned(), "ZipWell UnZIP Error: No files to test, extract, etc. (No items match filespec)");
}

TEST(Extraction, TwoPatternsOneQuotedWithABlank) {
    TempDir dir;
    std::string zip = dir / "blanks.zip";
    ZipBuilder().add("my report.txt", "r").add("notes.txt", "n").add("other.dat", "o").writeTo(zip);
    Command cmd(UNZIP_EXTRACT, zip);
    cmd.filespec("notes.txt \"MY REPORT.TXT\"").destination(dir / "out");
    ASSERT_EQ(cmd.run(), ZW_OK);
    EXPECT_EQ(listTree(dir / "out"), (std::vector<std::string>{"my report.txt", "notes.txt"}));
}

TEST(Testing, ChecksEveryMemberAndWritesNothing) {
    TempDir dir;
    const std::string zip = sampleArchive(dir);
    Command cmd(UNZIP_EXTRACT, zip);
    cmd.filespec("*.*").c.recurseFlag = 1;
    cmd.c.testFlag = 1;
    ASSERT_EQ(cmd.run(), ZW_OK);
    EXPECT_EQ(cmd.c.returnCount, 5);
    EXPECT_EQ(listTree(dir.path()), (std::vector<std::string>{"sample.zip"}));
}

TEST(Testing, BadCrcStopsTheLoopWithProblemExtracting) {
    TempDir dir;
    std::string zip = dir / "crc.zip";
    ZipEntry bad;
    bad.name = "bad.txt";
    bad.data = "payload";
    bad.centralCrc = 0x12345678;
    ZipBuilder().add("good.txt", "fine").add(bad).add("after.txt", "never reached").writeTo(zip);
    Command test(UNZIP_EXTRACT, zip);
    test.filespec("*.*").c.testFlag = 1;
    EXPECT_EQ(test.run(), ZW_BAD_CRC);
    EXPECT_EQ(test.returned(), "ZipWell UnZIP Error: Bad CRC (Problem extracting file(s))");
    EXPECT_EQ(test.c.returnCount, 1);

    Command write = extractAll(zip, dir / "out");
    EXPECT_EQ(write.run(), ZW_BAD_CRC);
    // The damaged member leaves no file behind, and the loop stopped before the third.
    EXPECT_EQ(listTree(dir / "out"), (std::vector<std::string>{"good.txt"}));
}

TEST(Methods, UnknownMethodsAreSkippedWith42) {
    TempDir dir;
    for (uint16_t method : {7, 9, 12, 14, 77, 99}) {
        SCOPED_TRACE(method);
        std::string zip = dir / ("m" + std::to_string(method) + ".zip");
        ZipEntry e;
        e.name = "x.bin";
        e.data = "xxxx";
        e.method = method;
        e.rawData = std::string("\x01\x02\x03\x04", 4);
        ZipBuilder().add(e).writeTo(zip);
        Command cmd = extractAll(zip, dir / "out");
        EXPECT_EQ(cmd.run(), ZW_UNKNOWN_METHOD);
        EXPECT_EQ(cmd.returned(),
                  "ZipWell UnZIP Error: File skipped, unknown compression method (Problem extracting file(s))");
        EXPECT_FALSE(exists(dir / "out/x.bin"));
    }
}

TEST(Methods, VolumeLabelIsRefusedWith46) {
    TempDir dir;
    std::string zip = dir / "label.zip";
    ZipEntry label;
    label.name = "BACKUP01";
    label.method = 0;
    label.externalAttributes = 0x08;
    label.madeBy = 0x0014;
    ZipBuilder().add(label).writeTo(zip);
    Command cmd = extractAll(zip, dir / "out");
    EXPECT_EQ(cmd.run(), ZW_VOLUME_ID);
    EXPECT_EQ(cmd.returned(), "ZipWell UnZIP Error: Can't extract a Volume ID item (Problem extracting file(s))");
}

TEST(Overwrite, QuietSkipsAnExistingTargetAndKeepsIt) {
    TempDir dir;
    const std::string zip = sampleArchive(dir);
    ::mkdir((dir / "out").c_str(), 0755);
    writeFile(dir / "out/hello.txt", "mine");
    Command cmd(UNZIP_EXTRACT, zip);
    cmd.filespec("hello.txt").destination(dir / "out");
    EXPECT_EQ(cmd.run(), ZW_USER_SKIPPED);
    EXPECT_EQ(readFile(dir / "out/hello.txt"), "mine");

    Command forced(UNZIP_EXTRACT, zip);
    forced.filespec("hello.txt").destination(dir / "out").c.overWriteFlag = 1;
    EXPECT_EQ(forced.run(), ZW_OK);
    EXPECT_EQ(readFile(dir / "out/hello.txt"), "hello world\n");
}

TEST(Overwrite, AnswersOfTheMessageCallback) {
    TempDir dir;
    std::string zip = dir / "three.zip";
    ZipBuilder().add("a.txt", "new a").add("b.txt", "new b").add("c.txt", "new c").writeTo(zip);
    struct Case {
        const char* name;
        std::vector<int32_t> answers;
        int32_t result;
        const char* a;
        const char* b;
        const char* c;
        size_t questions;
    };
    const Case cases[] = {
        // answers in order, result, contents of a, b, c afterwards, questions asked
        {"yes no yes", {ZW_ID_YES, ZW_ID_NO, ZW_ID_YES}, ZW_USER_SKIPPED, "new a", "old", "new c", 3},
        {"yes to all", {ZW_ID_YESTOALL}, ZW_OK, "new a", "new b", "new c", 1},
        {"ignore is yes to all", {ZW_ID_IGNORE}, ZW_OK, "new a", "new b", "new c", 1},
        {"cancel", {ZW_ID_NO, ZW_ID_CANCEL}, ZW_USER_CANCELLED, "old", "old", "old", 2},
        {"answer outside the set then no", {ZW_ID_RETRY, ZW_ID_NO, ZW_ID_NO}, ZW_USER_SKIPPED, "old", "old", "old", 3},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        TempDir out;
        for (const char* n : {"a.txt", "b.txt", "c.txt"}) writeFile(out / n, "old");
        Command cmd(UNZIP_EXTRACT, zip);
        cmd.filespec("*.txt").destination(out.path()).withScript();
        cmd.c.quietFlag = 0;
        cmd.script.answers.assign(k.answers.begin(), k.answers.end());
        cmd.script.fallback = ZW_ID_NO;
        EXPECT_EQ(cmd.run(), k.result);
        EXPECT_EQ(readFile(out / "a.txt"), k.a);
        EXPECT_EQ(readFile(out / "b.txt"), k.b);
        EXPECT_EQ(readFile(out / "c.txt"), k.c);
        auto questions = cmd.script.of(ZW_MSG_OVERWRITE);
        ASSERT_EQ(questions.size(), k.questions);
        EXPECT_EQ(questions[0].text, out / "a.txt" + " exists, do you want to overwrite it?");
        EXPECT_EQ(questions[0].caption, "Zipwell UnZIP Warning");
        EXPECT_EQ(questions[0].buttons, ZW_MB_FIVEBUTTON);
    }
}

TEST(Overwrite, ReadOnlyTargetIsNamedInTheQuestionAndReplacedOnYes) {
    TempDir dir;
    const std::string zip = sampleArchive(dir);
    writeFile(dir / "hello.txt", "old");
    ::chmod((dir / "hello.txt").c_str(), 0444);
    Command cmd(UNZIP_EXTRACT, zip);
    cmd.filespec("hello.txt").destination(dir.path()).withScript();
    cmd.c.quietFlag = 0;
    cmd.script.answers = {ZW_ID_YES};
    EXPECT_EQ(cmd.run(), ZW_OK);
    EXPECT_EQ(readFile(dir / "hello.txt"), "hello world\n");
    auto q = cmd.script.of(ZW_MSG_OVERWRITE);
    ASSERT_EQ(q.size(), 1u);
    EXPECT_EQ(q[0].text, dir / "hello.txt" + " exists and is Read Only, do you want to overwrite it?");
}

TEST(Overwrite, OlderLayoutsAskWithYesNoCancel) {
    TempDir dir;
    const std::string zip = sampleArchive(dir);
    writeFile(dir / "hello.txt", "old");
    Command cmd(UNZIP_EXTRACT, zip);
    cmd.filespec("hello.txt").destination(dir.path()).withScript();
    cmd.c.quietFlag = 0;
    cmd.c.unzipStructSize = UNZIPCMDSTRUCT_SIZE_V2;
    cmd.script.answers = {ZW_ID_YESTOALL};  // not in the set: the library asks itself, and without a terminal skips
    EXPECT_EQ(cmd.run(), ZW_USER_SKIPPED);
    EXPECT_EQ(readFile(dir / "hello.txt"), "old");
    auto q = cmd.script.of(ZW_MSG_OVERWRITE);
    ASSERT_EQ(q.size(), 1u);
    EXPECT_EQ(q[0].buttons, ZW_MB_YESNOCANCEL);
}

TEST(Overwrite, DeleteExistingOptionReplacesAReadOnlyTarget) {
    TempDir dir;
    const std::string zip = sampleArchive(dir);
    writeFile(dir / "hello.txt", "old");
    ::chmod((dir / "hello.txt").c_str(), 0444);
    Command cmd(UNZIP_EXTRACT, zip);
    cmd.filespec("hello.txt").destination(dir.path()).c.overWriteFlag = 1;
    cmd.c.wUnzipSubOptions = ZW_SUB_DELETE_EXISTING;
    EXPECT_EQ(cmd.run(), ZW_OK);
    EXPECT_EQ(readFile(dir / "hello.txt"), "hello world\n");
}

TEST(Overwrite, ArchiveIsNeverExtractedOntoItself) {
    TempDir dir;
    std::string zip = dir / "self.zip";
    ZipBuilder().add("self.zip", "would destroy the archive").writeTo(zip);
    const std::string before = readFile(zip);
    Command cmd(UNZIP_EXTRACT, zip);
    cmd.filespec("*.*").destination(dir.path()).c.overWriteFlag = 1;
    EXPECT_EQ(cmd.run(), ZW_USER_SKIPPED);
    EXPECT_EQ(readFile(zip), before);
    EXPECT_NE(cmd.returned().find("You are trying to unzip from this ZIP file on top of itself"), std::string::npos);
}

TEST(FreshenUpdate, TargetsDecideWhichMembersAreTaken) {
    TempDir dir;
    std::string zip = dir / "dated.zip";
    ZipBuilder()
        .add("old.txt", "archive old")
        .add("new.txt", "archive new")
        .add("missing.txt", "archive missing")
        .writeTo(zip);
    // Members are dated 2020-01-02 03:04:06.
    auto prepare = [&](const std::string& out) {
        ::mkdir(out.c_str(), 0755);
        writeFile(out + "/old.txt", "disk");
        writeFile(out + "/new.txt", "disk");
        timeval older[2] = {{localTime(2019, 5, 5, 5, 5, 5), 0}, {localTime(2019, 5, 5, 5, 5, 5), 0}};
        ::utimes((out + "/old.txt").c_str(), older);
        // Same minute as the member: not taken.
        timeval same[2] = {{localTime(2020, 1, 2, 3, 4, 59), 0}, {localTime(2020, 1, 2, 3, 4, 59), 0}};
        ::utimes((out + "/new.txt").c_str(), same);
    };
    prepare(dir / "fresh");
    Command freshen(UNZIP_EXTRACT, zip);
    freshen.filespec("*.*").destination(dir / "fresh").c.freshenFlag = 1;
    freshen.c.overWriteFlag = 1;
    EXPECT_EQ(freshen.run(), ZW_OK);
    EXPECT_EQ(freshen.c.returnCount, 1);
    EXPECT_EQ(readFile(dir / "fresh/old.txt"), "archive old");
    EXPECT_EQ(readFile(dir / "fresh/new.txt"), "disk");
    EXPECT_FALSE(exists(dir / "fresh/missing.txt"));

    prepare(dir / "upd");
    Command update(UNZIP_EXTRACT, zip);
    update.filespec("*.*").destination(dir / "upd").c.updateFlag = 1;
    update.c.overWriteFlag = 1;
    EXPECT_EQ(update.run(), ZW_OK);
    EXPECT_EQ(update.c.returnCount, 2);
    EXPECT_EQ(readFile(dir / "upd/old.txt"), "archive old");
    EXPECT_EQ(readFile(dir / "upd/new.txt"), "disk");
    EXPECT_EQ(readFile(dir / "upd/missing.txt"), "archive missing");
}

namespace {
int32_t ZWCALL renameToUpper(char* name, const char* caption, uint16_t, uint16_t, uint32_t* attributes, void* data) {
    static_cast<std::vector<std::string>*>(data)->push_back(std::string(caption) + "|" + name);
    std::string n = name;
    n += ".renamed";
    n.copy(name, ZW_MAX_PATH - 1);
    name[std::min<size_t>(n.size(), ZW_MAX_PATH - 1)] = '\0';
    *attributes |= 0x01;  // make it read-only
    return 0;
}
}  // namespace

TEST(RenameCallback, ChangesTheTargetNameAndAttributes) {
    TempDir dir;
    const std::string zip = sampleArchive(dir);
    std::vector<std::string> calls;
    Command cmd(UNZIP_EXTRACT, zip);
    cmd.filespec("hello.txt").destination(dir / "out");
    cmd.c.lpRenameProc = &renameToUpper;
    cmd.c.lpRenameUserData = &calls;
    ASSERT_EQ(cmd.run(), ZW_OK);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0], "Zipwell Rename Request|" + dir / "out/hello.txt");
    EXPECT_EQ(readFile(dir / "out/hello.txt.renamed"), "hello world\n");
    EXPECT_FALSE(exists(dir / "out/hello.txt"));
    struct stat st {};
    ::stat((dir / "out/hello.txt.renamed").c_str(), &st);
    EXPECT_EQ(st.st_mode & 0222, 0u);
}

TEST(TextMode, CrLfBecomesLfAndBinaryModeKeepsBytes) {
    TempDir dir;
    std::string zip = dir / "text.zip";
    const std::string text = "line one\r\nline two\r\nlone cr\rend\r\n";
    // A CR LF pair across the boundary of the decoder's pieces must be joined too.
    std::string big = std::string(256 * 1024 - 1, 'x') + "\r\n" + "tail";
    ZipBuilder().add("t.txt", text).add("big.txt", big).writeTo(zip);
    Command txt = extractAll(zip, dir / "text");
    txt.c.textModeFlag = 1;
    ASSERT_EQ(txt.run(), ZW_OK);
    EXPECT_EQ(readFile(dir / "text/t.txt"), "line one\nline two\nlone cr\rend\n");
    EXPECT_EQ(readFile(dir / "text/big.txt"), std::string(256 * 1024 - 1, 'x') + "\ntail");
    Command bin = extractAll(zip, dir / "bin");
    ASSERT_EQ(bin.run(), ZW_OK);
    EXPECT_EQ(readFile(dir / "bin/t.txt"), text);
}

TEST(UnsafeNames, MembersThatLeaveTheDestinationAreSkippedWith49) {
    TempDir dir;
    std::string zip = dir / "evil.zip";
    ZipBuilder()
        .add("good.txt", "good")
        .add("../evil.txt", "evil")
        .add("a/../../evil2.txt", "evil")
        .add("/tmp/evil-absolute.txt", "evil")
        .add("C:/evil-drive.txt", "evil")
        .add("..\\evil-backslash.txt", "evil")
        .add("fine/./also.txt", "also")
        .writeTo(zip);
    ::mkdir((dir / "dest").c_str(), 0755);
    Command cmd = extractAll(zip, dir / "dest");
    cmd.withScript();
    EXPECT_EQ(cmd.run(), ZW_USER_SKIPPED);
    EXPECT_EQ(cmd.c.returnCount, 2);
    EXPECT_EQ(listTree(dir.path()),
              (std::vector<std::string>{"dest/", "dest/fine/", "dest/fine/also.txt", "dest/good.txt", "evil.zip"}));
    EXPECT_FALSE(exists("/tmp/evil-absolute.txt"));
    // Each refusal is reported with the reason (quiet: not shown, but returned and logged).
    EXPECT_EQ(cmd.returned(),
              "ZipWell UnZIP Error: User skipped this operation (member name leads outside the destination: "
              "..\\evil-backslash.txt)");
    // Testing such an archive writes nothing, so nothing is refused.
    Command test(UNZIP_EXTRACT, zip);
    test.filespec("*.*").c.recurseFlag = 1;
    test.c.testFlag = 1;
    EXPECT_EQ(test.run(), ZW_OK);
}

TEST(UnsafeNames, CorpusTraversalArchivesWriteOnlyInsideTheDestination) {
    const char* archives[] = {
        "generated/gen-traversal-dotdot.zip",
        "generated/gen-traversal-absolute.zip",
        "rubyzip/path_traversal/jwilk/absolute1.zip",
        "rubyzip/path_traversal/jwilk/absolute2.zip",
        "rubyzip/path_traversal/jwilk/relative0.zip",
        "rubyzip/path_traversal/jwilk/relative2.zip",
        "rubyzip/path_traversal/relative1.zip",
        "perlaz/dotdot-from-unexistant-path.zip",
        "yauzl/failure/absolute_path_C_xt.zip",
        "yauzl/failure/invalid_relative_path_xt.zip",
        "dn/badzipfiles_nameRooted.zip",
        "generated/gen-symlink-escape.zip",
        "rubyzip/path_traversal/jwilk/symlink.zip",
        "rubyzip/path_traversal/jwilk/dirsymlink.zip",
    };
    for (const char* a : archives) {
        SCOPED_TRACE(a);
        TempDir outer;
        const std::string dest = outer / "dest";
        ::mkdir(dest.c_str(), 0755);
        Command cmd = extractAll(corpus(a), dest);
        int32_t rc = cmd.run();
        EXPECT_TRUE(rc == ZW_OK || rc == ZW_USER_SKIPPED || rc == ZW_CREATE_ERROR) << rc;
        for (const std::string& n : listTree(outer.path())) EXPECT_EQ(n.rfind("dest/", 0), 0u) << n;
        // No symbolic link is ever created, so nothing can be followed out of the tree.
        for (const std::string& n : listTree(dest)) {
            struct stat st {};
            ::lstat((dest + "/" + n).c_str(), &st);
            EXPECT_FALSE(S_ISLNK(st.st_mode)) << n;
        }
    }
    EXPECT_FALSE(exists("/tmp/moo"));
    EXPECT_FALSE(exists("/tmp/evil-absolute.txt"));
}

TEST(DiskFull, WriteFailureGives50AndLeavesNoPartialFile) {
    TempDir dir;
    std::string zip = dir / "big.zip";
    ZipBuilder().add("big.bin", std::string(2 << 20, 'b')).writeTo(zip);
    ::mkdir((dir / "out").c_str(), 0755);
    writeFile(dir / "out/big.bin", "previous contents");
    pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        // A file-size limit makes every write past 64 KiB fail, as a full disk does.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{65536, 65536};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        Command cmd = extractAll(zip, dir / "out");
        cmd.c.overWriteFlag = 1;
        int32_t rc = cmd.run();
        bool lineOk = cmd.returned() == "ZipWell UnZIP Error: Disk full (Problem extracting file(s))";
        ::_exit(rc == ZW_DISK_FULL && lineOk ? 0 : 1);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(readFile(dir / "out/big.bin"), "previous contents");
    EXPECT_EQ(listTree(dir / "out"), (std::vector<std::string>{"big.bin"}));
}

TEST(OutputErrors, UncreatableDirectoryGives28) {
    TempDir dir;
    const std::string zip = sampleArchive(dir);
    writeFile(dir / "blocker", "a file where a directory should be");
    Command cmd = extractAll(zip, dir / "blocker/out");
    EXPECT_EQ(cmd.run(), ZW_CREATE_ERROR);
    EXPECT_EQ(cmd.returned(), "ZipWell UnZIP Error: Error creating output file (Problem extracting file(s))");
}

TEST(OutputErrors, MemoryThatCannotBeHadGives5) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "a sanitizer's allocator ends the process instead of failing an allocation";
#endif
    TempDir dir;
    std::string zip = dir / "zeros.zip";
    ZipBuilder().add("zeros.bin", std::string(48 << 20, '\0')).writeTo(zip);
    pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        // An address-space limit a little above what the process holds now
        // leaves no room for the member's 48 MiB output buffer.
        rlimit now{};
        ::getrlimit(RLIMIT_AS, &now);
        long pages = 0;
        if (FILE* f = std::fopen("/proc/self/statm", "r")) {
            if (std::fscanf(f, "%ld", &pages) != 1) pages = 0;
            std::fclose(f);
        }
        rlimit limit{rlim_t(pages) * rlim_t(::sysconf(_SC_PAGESIZE)) + (24u << 20), now.rlim_max};
        ::setrlimit(RLIMIT_AS, &limit);
        Command cmd(UNZIP_EXTRACT, zip);
        cmd.filespec("*.*").c.testFlag = 1;
        int32_t rc = cmd.run();
        bool lineOk = cmd.returned() == "ZipWell UnZIP Error: Out of memory (Problem extracting file(s))";
        ::_exit(rc == ZW_NO_MEMORY && lineOk ? 0 : 10 + rc);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}
