/* A C caller of zwunzip32: includes the header as C, counts and lists the
 * members of a corpus archive, reads one into memory and checks the result
 * codes. Exits 0 when every check holds. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "zwunzip.h"

static int failures = 0;

#define CHECK(cond)                                                                  \
    do {                                                                             \
        if (!(cond)) {                                                               \
            fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond); \
            ++failures;                                                              \
        }                                                                            \
    } while (0)

static void prepare(UNZIPCMDSTRUCT* cmd, int32_t function, char* zip) {
    memset(cmd, 0, sizeof *cmd);
    cmd->unzipStructSize = UNZIPCMDSTRUCT_SIZE_V3;
    cmd->Function = function;
    cmd->lpszZIPFile = zip;
    cmd->index = -1;
    cmd->quietFlag = 1;
}

int main(int argc, char** argv) {
    char zip[1024];
    char ret[ZW_RETURN_STRING_SIZE];
    char block[64];
    UNZIPCMDSTRUCT cmd;
    ZINFO info;
    if (argc < 2) return 2;
    snprintf(zip, sizeof zip, "%s/go/test.zip", argv[1]);

    prepare(&cmd, UNZIP_COUNTALLZIPMEMBERS, zip);
    CHECK(zwunzip(&cmd) == ZW_OK);
    CHECK(cmd.returnCount == 2);

    prepare(&cmd, UNZIP_GETINDEXEDZIPINFO, zip);
    cmd.zInfo = &info;
    cmd.index = 1;
    CHECK(zwunzip(&cmd) == ZW_OK);
    CHECK(strcmp(info.szFileName, "test.txt") == 0);
    CHECK(info.cMethod == 8);

    prepare(&cmd, UNZIP_GETCOMMENT, zip);
    cmd.lpszReturnString = ret;
    cmd.returnCount = sizeof ret;
    CHECK(zwunzip(&cmd) == ZW_OK);
    CHECK(strcmp(ret, "This is a zipfile comment.") == 0);

    prepare(&cmd, UNZIP_FILETOMEM, zip);
    cmd.index = 1;
    cmd.lpMemBlock = block;
    cmd.lMemBlockSize = 4;
    CHECK(zwunzip(&cmd) == ZW_OK);
    CHECK(cmd.returnCount == 4 && memcmp(block, "This", 4) == 0);

    prepare(&cmd, 77, zip);
    CHECK(zwunzip(&cmd) == ZW_SYNTAX_ERROR);
    CHECK(zwunzip(NULL) == ZW_SYNTAX_ERROR);

    if (failures == 0) printf("1 passed, 0 failed\n");
    return failures == 0 ? 0 : 1;
}
