// Extraction of archives whose members are large enough to be inflated while
// the member before them is written: every byte lands in its own file, a
// member inflated ahead and then skipped or failed is never written, a full
// disk in the middle of a member and a cancel while the next member inflates
// leave no partial file and give the member's own result.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdint>

#include "support/test_support.h"
#include "support/zip_builder.h"

using namespace zwtest;

namespace {

// Text-like content of `size` bytes, different for every seed, that deflates
// about as well as business documents do.
std::string document(uint32_t seed, size_t size) {
    static const char* words[] = {"invoice",  "customer", "balance", "payment", "terms", "net",
                                  "shipping", "account",  "order",   "total",   "due",   "stock"};
    std::string s;
    s.reserve(size + 16);
    uint32_t x = seed * 2654435761u + 1;
    while (s.size() < size) {
        x = x * 1664525u + 1013904223u;
        s += words[(x >> 8) % 12];
        s += (x >> 20) % 9 == 0 ? "\n" : " ";
        if ((x >> 24) % 5 == 0) s += std::to_string(x % 100000);
    }
    s.resize(size);
    return s;
}

Command extractAll(const std::string& zip, const std::string& dest) {
    Command cmd(UNZIP_EXTRACT, zip);
    cmd.filespec("*.*").destination(dest).c.recurseFlag = 1;
    return cmd;
}

off_t sizeOf(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_size : -1;
}

struct MinorCancel {
    int calls = 0;
    int cancelAt = 0;
};

int32_t ZWCALL cancelOnMinor(int32_t, const char*, int32_t, void* data) {
    auto* c = static_cast<MinorCancel*>(data);
    return ++c->calls >= c->cancelAt ? 1 : 0;
}

}  // namespace

TEST(LargeMembers, EveryMemberIsWrittenByteForByteAmongSmallStoredAndFolderEntries) {
    TempDir dir;
    const std::string zip = dir / "mixed.zip";
    ZipEntry folder;
    folder.name = "reports/";
    folder.method = 0;
    std::vector<std::pair<std::string, std::string>> files = {
        {"reports/jan.txt", document(1, 3u << 20)},
        {"reports/feb.txt", document(2, 1u << 20)},
        {"small.txt", document(3, 900)},
        {"reports/mar.txt", document(4, (2u << 20) + 17)},
        {"stored.bin", document(5, 300000)},
        {"reports/apr.txt", document(6, 200000)},
        {"reports/may.txt", document(7, 5u << 20)},
    };
    ZipBuilder b;
    b.add(folder);
    for (const auto& [name, data] : files) b.add(name, data, name == "stored.bin" ? 0 : 8);
    b.writeTo(zip);

    Command cmd = extractAll(zip, dir / "out");
    ASSERT_EQ(cmd.run(), ZW_OK);
    EXPECT_EQ(cmd.c.returnCount, int32_t(files.size() + 1));
    for (const auto& [name, data] : files) {
        SCOPED_TRACE(name);
        // The length is exactly the content's: room taken ahead adds nothing.
        EXPECT_EQ(sizeOf(dir / "out/" + name), off_t(data.size()));
        EXPECT_TRUE(readFile(dir / "out/" + name) == data);
    }
    EXPECT_EQ(listTree(dir / "out").size(), files.size() + 1);
}

TEST(LargeMembers, ReplacedTargetsAndTextModeKeepTheirExactLength) {
    TempDir dir;
    const std::string zip = dir / "crlf.zip";
    std::string crlf;
    for (int i = 0; i < 40000; ++i) crlf += "line " + std::to_string(i) + "\r\n";
    const std::string big = document(11, 2u << 20);
    ZipBuilder().add("a.txt", crlf).add("b.txt", big).writeTo(zip);
    ::mkdir((dir / "out").c_str(), 0755);
    writeFile(dir / "out/b.txt", std::string(4u << 20, 'o'));  // longer than the member

    Command cmd = extractAll(zip, dir / "out");
    cmd.c.overWriteFlag = 1;
    cmd.c.textModeFlag = 1;
    ASSERT_EQ(cmd.run(), ZW_OK);
    std::string lf;
    for (int i = 0; i < 40000; ++i) lf += "line " + std::to_string(i) + "\n";
    EXPECT_TRUE(readFile(dir / "out/a.txt") == lf);
    EXPECT_TRUE(readFile(dir / "out/b.txt") == big);
    EXPECT_EQ(listTree(dir / "out"), (std::vector<std::string>{"a.txt", "b.txt"}));
}

TEST(LargeMembers, MemberInflatedAheadButSkippedLeavesItsTargetAndTheNextIsRight) {
    TempDir dir;
    const std::string zip = dir / "three.zip";
    const std::string one = document(21, 1u << 20), two = document(22, 2u << 20), three = document(23, 1u << 20);
    ZipBuilder().add("one.txt", one).add("two.txt", two).add("three.txt", three).writeTo(zip);
    ::mkdir((dir / "out").c_str(), 0755);
    writeFile(dir / "out/two.txt", "kept");

    Command cmd = extractAll(zip, dir / "out");
    cmd.c.quietFlag = 1;  // an existing target is skipped without asking
    EXPECT_EQ(cmd.run(), ZW_USER_SKIPPED);
    EXPECT_TRUE(readFile(dir / "out/one.txt") == one);
    EXPECT_EQ(readFile(dir / "out/two.txt"), "kept");
    EXPECT_TRUE(readFile(dir / "out/three.txt") == three);
}

TEST(LargeMemberFailures, BadMemberAfterAGoodOneFailsInItsOwnTurnAndLeavesNothing) {
    TempDir dir;
    const std::string good = document(31, 2u << 20), bad = document(32, 2u << 20);
    struct Case {
        const char* name;
        bool corruptData;
        int32_t result;
    };
    for (const Case& k :
         {Case{"wrong CRC", false, ZW_BAD_CRC}, Case{"corrupt deflate data", true, ZW_UNEXPECTED_EOF}}) {
        SCOPED_TRACE(k.name);
        TempDir out;
        const std::string zip = dir / "bad.zip";
        ZipEntry broken;
        broken.name = "broken.txt";
        broken.data = bad;
        if (k.corruptData) {
            // A block type that does not exist, in the middle of the stream.
            std::string raw = ZipBuilder::deflate(bad);
            raw.resize(raw.size() / 2);
            raw += std::string(64, '\xff');
            broken.rawData = raw;
        } else {
            broken.centralCrc = ZipBuilder::crc32(bad) ^ 1u;
        }
        ZipBuilder().add("good.txt", good).add(broken).add("after.txt", good).writeTo(zip);
        ::mkdir((out / "dest").c_str(), 0755);
        writeFile(out / "dest/broken.txt", "previous contents");

        Command cmd = extractAll(zip, out / "dest");
        cmd.c.overWriteFlag = 1;
        const int32_t rc = cmd.run();
        if (k.corruptData) {
            EXPECT_TRUE(rc == ZW_UNEXPECTED_EOF || rc == ZW_BAD_CRC) << rc;
        } else {
            EXPECT_EQ(rc, k.result);
        }
        EXPECT_NE(cmd.returned().find("(Problem extracting file(s))"), std::string::npos) << cmd.returned();
        EXPECT_EQ(cmd.c.returnCount, 1);
        EXPECT_TRUE(readFile(out / "dest/good.txt") == good);
        EXPECT_EQ(readFile(out / "dest/broken.txt"), "previous contents");
        // The loop stopped: the member after it was inflated for nothing and never written.
        EXPECT_EQ(listTree(out / "dest"), (std::vector<std::string>{"broken.txt", "good.txt"}));
    }
}

TEST(LargeMemberFailures, DiskFullInTheMiddleOfAMemberGives50AndLeavesNoPartialFile) {
    TempDir dir;
    const std::string zip = dir / "big.zip";
    const std::string first = document(41, 1u << 20);
    ZipBuilder()
        .add("first.txt", first)
        .add("second.txt", document(42, 3u << 20))
        .add("third.txt", document(43, 1u << 20))
        .writeTo(zip);
    ::mkdir((dir / "out").c_str(), 0755);
    writeFile(dir / "out/second.txt", "previous contents");
    pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        // Every file may hold 2 MiB, as if the disk filled up two thirds into
        // the second member while the third was being inflated.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{2u << 20, 2u << 20};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        Command cmd = extractAll(zip, dir / "out");
        cmd.c.overWriteFlag = 1;
        const int32_t rc = cmd.run();
        const bool lineOk = cmd.returned() == "ZipWell UnZIP Error: Disk full (Problem extracting file(s))";
        ::_exit(rc == ZW_DISK_FULL && lineOk && cmd.c.returnCount == 1 ? 0 : 1);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_TRUE(readFile(dir / "out/first.txt") == first);
    EXPECT_EQ(readFile(dir / "out/second.txt"), "previous contents");
    EXPECT_EQ(listTree(dir / "out"), (std::vector<std::string>{"first.txt", "second.txt"}));
}

TEST(LargeMemberCancel, CancelWhileTheNextMemberInflatesLeavesNeitherAndALaterCallWorks) {
    TempDir dir;
    const std::string zip = dir / "big.zip";
    const std::string one = document(51, 4u << 20), two = document(52, 4u << 20);
    ZipBuilder().add("one.txt", one).add("two.txt", two).writeTo(zip);
    for (int cancelAt : {1, 3, 17, 20}) {
        SCOPED_TRACE(cancelAt);
        TempDir out;
        MinorCancel cancel;
        cancel.cancelAt = cancelAt;  // 16 progress steps per member of 4 MiB
        Command cmd = extractAll(zip, out.path());
        cmd.c.wUnzipSubOptions = ZW_SUB_ALLOW_CANCEL;
        cmd.c.lpMinorStatus = &cancelOnMinor;
        cmd.c.lpMinorUserData = &cancel;
        EXPECT_EQ(cmd.run(), ZW_USER_CANCELLED);
        EXPECT_EQ(cmd.returned(), "");
        EXPECT_EQ(cancel.calls, cancelAt);  // nothing was reported after the cancel
        // A member cancelled part-way leaves nothing; one finished before stays.
        std::vector<std::string> left = listTree(out.path());
        if (cancelAt <= 16) {
            EXPECT_TRUE(left.empty());
        } else {
            EXPECT_EQ(left, (std::vector<std::string>{"one.txt"}));
            EXPECT_TRUE(readFile(out / "one.txt") == one);
        }
    }
    TempDir again;
    Command cmd = extractAll(zip, again.path());
    ASSERT_EQ(cmd.run(), ZW_OK);
    EXPECT_TRUE(readFile(again / "one.txt") == one);
    EXPECT_TRUE(readFile(again / "two.txt") == two);
}
