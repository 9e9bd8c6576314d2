// libFuzzer target: arbitrary bytes as an archive, run through counting, the
// member records, testing and extraction to memory (whole and partial), all
// through the public interface. Nothing may crash, read outside a buffer or
// allocate without bound.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "zwunzip.h"

namespace {

const std::string& archivePath() {
    static std::string path = [] {
        setenv("ZWUNZIP_NO_TERMINAL", "1", 1);
        const char* tmp = getenv("TMPDIR");
        return std::string(tmp ? tmp : "/tmp") + "/zwunzip-fuzz-" + std::to_string(getpid()) + ".zip";
    }();
    return path;
}

UNZIPCMDSTRUCT command(int32_t function, std::string& zip) {
    UNZIPCMDSTRUCT c{};
    c.unzipStructSize = UNZIPCMDSTRUCT_SIZE_V3;
    c.Function = function;
    c.lpszZIPFile = zip.data();
    c.index = -1;
    c.quietFlag = 1;
    return c;
}

// Counting, the member records, the comment, testing and extraction to memory.
void runAll(std::string& zip) {
    char ret[ZW_RETURN_STRING_SIZE];
    UNZIPCMDSTRUCT count = command(UNZIP_COUNTALLZIPMEMBERS, zip);
    if (zwunzip(&count) != ZW_OK) return;
    const int32_t members = count.returnCount < 8 ? count.returnCount : 8;

    ZINFO info;
    for (int32_t i = 0; i < members; ++i) {
        UNZIPCMDSTRUCT c = command(UNZIP_GETINDEXEDZIPINFO, zip);
        c.zInfo = &info;
        c.index = i;
        zwunzip(&c);
    }
    UNZIPCMDSTRUCT comment = command(UNZIP_GETCOMMENT, zip);
    comment.lpszReturnString = ret;
    comment.returnCount = sizeof ret;
    zwunzip(&comment);

    std::string spec = "*.*";
    std::string password = "secret";
    UNZIPCMDSTRUCT test = command(UNZIP_EXTRACT, zip);
    test.lpszFilespec = spec.data();
    test.recurseFlag = 1;
    test.testFlag = 1;
    test.decryptFlag = 1;
    test.lpszDecryptCode = password.data();
    test.lpszReturnString = ret;
    zwunzip(&test);

    std::vector<uint8_t> block(4096);
    for (int32_t i = 0; i < members; ++i) {
        for (int32_t start : {0, 100}) {
            UNZIPCMDSTRUCT c = command(UNZIP_FILETOMEM, zip);
            c.index = i;
            c.lpMemBlock = block.data();
            c.lMemBlockSize = int32_t(block.size());
            c.lStartingOffset = start;
            zwunzip(&c);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string zip = archivePath();
    FILE* f = std::fopen(zip.c_str(), "wb");
    if (!f) return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    runAll(zip);
    ::unlink(zip.c_str());
    return 0;
}
