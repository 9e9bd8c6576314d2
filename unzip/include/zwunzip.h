/* zwunzip.h - the exported interface of zwunzip32, the ZIP extraction library.
 *
 * A caller fills one UNZIPCMDSTRUCT and calls zwunzip() (or zwunzipVB() with
 * fixed-length, blank-padded strings); the library lists, counts, tests or
 * extracts the members of one ZIP archive as the structure's Function asks and
 * returns one of the ZW_* result codes below. The structure is packed and
 * little-endian; on a 32-bit build its offsets are the historical ones
 * (sizes 100, 110 and 142), on a 64-bit build every pointer is 8 bytes wide
 * and the three accepted sizes are 140, 158 and 206. Compiles as C and C++.
 */
#ifndef ZWUNZIP_H
#define ZWUNZIP_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(_WIN32)
#define ZWCALL __stdcall
#else
#define ZWCALL
#endif

#if defined(QUAY_BUILDING_LIBRARY) && (defined(__GNUC__) || defined(__clang__))
#define ZWEXPORT __attribute__((visibility("default")))
#else
#define ZWEXPORT
#endif

/* Function codes (UNZIPCMDSTRUCT.Function). */
#define UNZIP_COUNTALLZIPMEMBERS 1   /* returnCount = number of members */
#define UNZIP_GETNEXTZIPINFO 2       /* zInfo = next member */
#define UNZIP_COUNTNAMEDZIPMEMBERS 3 /* returnCount = members matching lpszFilespec */
#define UNZIP_GETNEXTNAMEDZIPINFO 4  /* zInfo = next member matching lpszFilespec */
#define UNZIP_GETCOMMENTSIZE 5       /* returnCount = archive comment length */
#define UNZIP_GETCOMMENT 6           /* lpszReturnString = archive comment */
#define UNZIP_GETINDEXEDZIPINFO 7    /* zInfo = member at index */
#define UNZIP_EXTRACT 8              /* extract or test selected members */
#define UNZIP_FILETOMEM 9            /* extract one member into lpMemBlock */

/* Result codes. */
#define ZW_OK 0
#define ZW_UNEXPECTED_EOF 2
#define ZW_BAD_STRUCTURE 3
#define ZW_NO_MEMORY_LOCAL 4
#define ZW_NO_MEMORY 5
#define ZW_FILE_NOT_FOUND 9
#define ZW_NO_FILES 11
#define ZW_SAME_VOLUME 12
#define ZW_INDEX_OUT_OF_BOUNDS 25
#define ZW_MULTIDISK_UNSUPPORTED 26
#define ZW_CREATE_ERROR 28
#define ZW_OPEN_ERROR 29
#define ZW_BAD_CRC 39
#define ZW_APP_CANCELLED 40
#define ZW_SKIPPED_ENCRYPTED 41
#define ZW_UNKNOWN_METHOD 42
#define ZW_BAD_KEY 44
#define ZW_BUSY 45
#define ZW_VOLUME_ID 46
#define ZW_SYNTAX_ERROR 47
#define ZW_USER_CANCELLED 48
#define ZW_USER_SKIPPED 49
#define ZW_DISK_FULL 50

/* wUnzipSubOptions bits. */
#define ZW_SUB_DELETE_EXISTING 0x0001   /* make an existing target writable and delete it first */
#define ZW_SUB_ALLOW_CANCEL 0x0002      /* callbacks and the progress program may cancel */
#define ZW_SUB_EXTERNAL_PROGRESS 0x0004 /* start the external progress program */
#define ZW_SUB_EXTERNAL_CANCEL 0x0008   /* the progress program shows a cancel button */
#define ZW_SUB_SKIP_DIRECTORIES 0x0010  /* counts and lists leave out directory entries */
#define ZW_SUB_FORWARD_SLASHES 0x0020   /* listed names keep "/" as the separator */
#define ZW_SUB_ALL_REMOVABLE 0x0080     /* every drive counts as removable media */
#define ZW_SUB_EXTRACTION_LOG 0x0100    /* write ZWUNLOG.TXT */

/* Button sets passed to the message callback, and the answers it may give. */
#define ZW_MB_OK 0
#define ZW_MB_OKCANCEL 1
#define ZW_MB_ABORTRETRYIGNORE 2
#define ZW_MB_YESNOCANCEL 3
#define ZW_MB_YESNO 4
#define ZW_MB_RETRYCANCEL 5
#define ZW_MB_FIVEBUTTON 6 /* Yes, No, Cancel, Yes to all, Rename */

#define ZW_ID_OK 1
#define ZW_ID_CANCEL 2
#define ZW_ID_ABORT 3
#define ZW_ID_RETRY 4
#define ZW_ID_IGNORE 5
#define ZW_ID_YES 6
#define ZW_ID_NO 7
#define ZW_ID_YESTOALL 100
#define ZW_ID_RENAME 101

/* Message types of the message protocol (first argument of the message callback). */
#define ZW_MSG_INSERT_DISK 0
#define ZW_MSG_INSERT_DISK_OF 1
#define ZW_MSG_OPEN_ERROR 2
#define ZW_MSG_READ_ERROR 3
#define ZW_MSG_WRITE_ERROR 4
#define ZW_MSG_NOT_REMOVABLE 5
#define ZW_MSG_SAME_VOLUME 6
#define ZW_MSG_OVERWRITE 8
#define ZW_MSG_PASSWORD 9
#define ZW_MSG_INVALID_DISK 10
#define ZW_MSG_ERROR 11
#define ZW_MSG_OVERWRITE_FIVE 12
#define ZW_MSG_TEXT_LOOKUP 13

/* Size of the text buffer handed to the message callback; a type-13 answer may
 * rewrite it in place, terminated within this size. */
#define ZW_MESSAGE_TEXT_SIZE 1024
/* Size of lpszReturnString and of a rename callback's name buffer. */
#define ZW_RETURN_STRING_SIZE 4096
#define ZW_MAX_PATH 260

/* Callbacks, in the order of their arguments. */
typedef int64_t(ZWCALL* ZWMAJORSTATUSPROC)(const char* text, int32_t percent, void* userData);
typedef int32_t(ZWCALL* ZWMINORSTATUSPROC)(int32_t bytesDone, const char* text, int32_t percent, void* userData);
typedef int32_t(ZWCALL* ZWMESSAGEDISPLAYPROC)(int32_t type, int32_t buttons, int32_t code, int32_t extra, char* text,
                                              const char* caption, void* userData);
/* name: the proposed target, a buffer of ZW_MAX_PATH characters the callback may
 * rewrite; attributes: DOS attribute bits (1 read-only, 2 hidden, 4 system,
 * 0x20 archive) the callback may change. The answer is not used. */
typedef int32_t(ZWCALL* ZWRENAMEPROC)(char* name, const char* caption, uint16_t dosDate, uint16_t dosTime,
                                      uint32_t* attributes, void* userData);

#pragma pack(push, 1)

typedef struct ZINFO {
    int32_t index;
    int32_t flag;
    uint32_t cSize;
    uint32_t oSize;
    int32_t cMethod;
    char cDateTime[18];
    int32_t seconds;
    int32_t dirFlag;
    int32_t encryptFlag;
    char szFileName[260];
} ZINFO;

typedef struct ZINFO_SHORT {
    int32_t index;
    int32_t flag;
    uint32_t cSize;
    uint32_t oSize;
    int32_t cMethod;
    char cDateTime[18];
    int32_t seconds;
    int32_t dirFlag;
    int32_t encryptFlag;
    char szFileName[128];
} ZINFO_SHORT;

typedef struct UNZIPCMDSTRUCT {
    int32_t unzipStructSize;
    int32_t Function;
    char* lpszZIPFile;
    void* zInfo; /* ZINFO, or ZINFO_SHORT with the first and second layouts */
    char* lpszFilespec;
    int32_t index;
    char* lpszDestination;
    int32_t freshenFlag;
    int32_t updateFlag;
    int32_t overWriteFlag;
    int32_t quietFlag;
    int32_t testFlag;
    int32_t noDirectoryNamesFlag;
    int32_t recurseFlag;
    int32_t noDirectoryItemsFlag;
    ZWMINORSTATUSPROC lpMinorStatus;
    void* lpMinorUserData;
    ZWMAJORSTATUSPROC lpMajorStatus;
    void* lpMajorUserData;
    int32_t returnCount;
    char* lpszReturnString;
    int32_t diagnosticFlag;
    int32_t textModeFlag;
    int32_t decryptFlag;
    char* lpszDecryptCode;
    /* second layout from here */
    ZWMESSAGEDISPLAYPROC lpMessageDisplay;
    void* lpMessageDisplayData;
    uint16_t wUnzipSubOptions;
    /* full layout from here */
    int32_t lResv1;
    int32_t lResv2;
    ZWRENAMEPROC lpRenameProc;
    void* lpRenameUserData;
    char* lpszExtProgTitle;
    void* lpMemBlock;
    int32_t lMemBlockSize;
    int32_t lStartingOffset;
} UNZIPCMDSTRUCT;

/* The callbacks of a zwunzipVB() call. */
typedef struct ZWUNZIPVBCALLBACKS {
    ZWMINORSTATUSPROC lpMinorStatus;
    void* lpMinorUserData;
    ZWMAJORSTATUSPROC lpMajorStatus;
    void* lpMajorUserData;
    ZWMESSAGEDISPLAYPROC lpMessageDisplay;
    void* lpMessageDisplayData;
    ZWRENAMEPROC lpRenameProc;
    void* lpRenameUserData;
} ZWUNZIPVBCALLBACKS;

#pragma pack(pop)

/* The three accepted structure sizes of this platform. */
#define ZW_PTR_EXTRA ((int32_t)sizeof(void*) - 4)
#define UNZIPCMDSTRUCT_SIZE_V1 (100 + 10 * ZW_PTR_EXTRA)
#define UNZIPCMDSTRUCT_SIZE_V2 (110 + 12 * ZW_PTR_EXTRA)
#define UNZIPCMDSTRUCT_SIZE_V3 (142 + 16 * ZW_PTR_EXTRA)

/* Offsets and widths of zwunzipVB()'s blank-padded string buffer. */
#define ZWVB_ZIPFILE_OFFSET 0
#define ZWVB_ZIPFILE_SIZE 256
#define ZWVB_FILESPEC_OFFSET 256
#define ZWVB_FILESPEC_SIZE 256
#define ZWVB_DESTINATION_OFFSET 512
#define ZWVB_DESTINATION_SIZE 256
#define ZWVB_RETURN_OFFSET 768
#define ZWVB_RETURN_SIZE 2048
#define ZWVB_DECRYPT_OFFSET 2816
#define ZWVB_DECRYPT_SIZE 66
#define ZWVB_BUFFER_SIZE 2882

#ifdef __cplusplus
#define ZW_STATIC_ASSERT(cond, msg) static_assert(cond, msg)
#else
#define ZW_STATIC_ASSERT(cond, msg) _Static_assert(cond, msg)
#endif

/* Offsets on both builds: (32-bit offset, number of pointers before the field). */
#define ZW_CHECK_OFFSET(field, at32, ptrsBefore)                                            \
    ZW_STATIC_ASSERT(offsetof(UNZIPCMDSTRUCT, field) == (at32) + (ptrsBefore)*ZW_PTR_EXTRA, \
                     "UNZIPCMDSTRUCT." #field " offset")
ZW_CHECK_OFFSET(unzipStructSize, 0, 0);
ZW_CHECK_OFFSET(Function, 4, 0);
ZW_CHECK_OFFSET(lpszZIPFile, 8, 0);
ZW_CHECK_OFFSET(zInfo, 12, 1);
ZW_CHECK_OFFSET(lpszFilespec, 16, 2);
ZW_CHECK_OFFSET(index, 20, 3);
ZW_CHECK_OFFSET(lpszDestination, 24, 3);
ZW_CHECK_OFFSET(freshenFlag, 28, 4);
ZW_CHECK_OFFSET(updateFlag, 32, 4);
ZW_CHECK_OFFSET(overWriteFlag, 36, 4);
ZW_CHECK_OFFSET(quietFlag, 40, 4);
ZW_CHECK_OFFSET(testFlag, 44, 4);
ZW_CHECK_OFFSET(noDirectoryNamesFlag, 48, 4);
ZW_CHECK_OFFSET(recurseFlag, 52, 4);
ZW_CHECK_OFFSET(noDirectoryItemsFlag, 56, 4);
ZW_CHECK_OFFSET(lpMinorStatus, 60, 4);
ZW_CHECK_OFFSET(lpMinorUserData, 64, 5);
ZW_CHECK_OFFSET(lpMajorStatus, 68, 6);
ZW_CHECK_OFFSET(lpMajorUserData, 72, 7);
ZW_CHECK_OFFSET(returnCount, 76, 8);
ZW_CHECK_OFFSET(lpszReturnString, 80, 8);
ZW_CHECK_OFFSET(diagnosticFlag, 84, 9);
ZW_CHECK_OFFSET(textModeFlag, 88, 9);
ZW_CHECK_OFFSET(decryptFlag, 92, 9);
ZW_CHECK_OFFSET(lpszDecryptCode, 96, 9);
ZW_CHECK_OFFSET(lpMessageDisplay, 100, 10);
ZW_CHECK_OFFSET(lpMessageDisplayData, 104, 11);
ZW_CHECK_OFFSET(wUnzipSubOptions, 108, 12);
ZW_CHECK_OFFSET(lResv1, 110, 12);
ZW_CHECK_OFFSET(lResv2, 114, 12);
ZW_CHECK_OFFSET(lpRenameProc, 118, 12);
ZW_CHECK_OFFSET(lpRenameUserData, 122, 13);
ZW_CHECK_OFFSET(lpszExtProgTitle, 126, 14);
ZW_CHECK_OFFSET(lpMemBlock, 130, 15);
ZW_CHECK_OFFSET(lMemBlockSize, 134, 16);
ZW_CHECK_OFFSET(lStartingOffset, 138, 16);
ZW_STATIC_ASSERT(offsetof(UNZIPCMDSTRUCT, lpMessageDisplay) == UNZIPCMDSTRUCT_SIZE_V1, "first layout size");
ZW_STATIC_ASSERT(offsetof(UNZIPCMDSTRUCT, lResv1) == UNZIPCMDSTRUCT_SIZE_V2, "second layout size");
ZW_STATIC_ASSERT(sizeof(UNZIPCMDSTRUCT) == UNZIPCMDSTRUCT_SIZE_V3, "UNZIPCMDSTRUCT size");
ZW_STATIC_ASSERT(sizeof(void*) != 4 ||
                     (UNZIPCMDSTRUCT_SIZE_V1 == 100 && UNZIPCMDSTRUCT_SIZE_V2 == 110 && UNZIPCMDSTRUCT_SIZE_V3 == 142),
                 "32-bit layout sizes");
ZW_STATIC_ASSERT(sizeof(void*) != 8 ||
                     (UNZIPCMDSTRUCT_SIZE_V1 == 140 && UNZIPCMDSTRUCT_SIZE_V2 == 158 && UNZIPCMDSTRUCT_SIZE_V3 == 206),
                 "64-bit layout sizes");
ZW_STATIC_ASSERT(sizeof(ZINFO) == 310, "ZINFO size");
ZW_STATIC_ASSERT(sizeof(ZINFO_SHORT) == 178, "ZINFO_SHORT size");
#undef ZW_CHECK_OFFSET

/* Runs the function the structure names; returns a ZW_* result code. */
ZWEXPORT int32_t ZWCALL zwunzip(UNZIPCMDSTRUCT* cmd);

/* The same operation with the strings in one blank-padded buffer of
 * ZWVB_BUFFER_SIZE characters; returns ZW_SYNTAX_ERROR when a pointer is null. */
ZWEXPORT int32_t ZWCALL zwunzipVB(UNZIPCMDSTRUCT* cmd, char* strings, ZINFO* info, const ZWUNZIPVBCALLBACKS* callbacks);

/* Progress title: at most 299 characters are kept. */
ZWEXPORT void ZWCALL setUnzipProgTitle(const char* title);
ZWEXPORT void ZWCALL resetUnzipProgTitle(void);
/* Copies the title into buffer, at most length characters including the terminator. */
ZWEXPORT void ZWCALL getUnzipProgTitle(char* buffer, int32_t length);

/* A cancel flag shared with an external progress display: while it holds a
 * non-zero value the running extraction stops as cancelled. */
ZWEXPORT void ZWCALL setUnzipExternalCancel(int32_t* cancelFlag);
ZWEXPORT int32_t* ZWCALL getUnzipExternalCancel(void);

/* Called by the external progress display; accepted (1) only while an
 * extraction that started it runs, else 0. */
ZWEXPORT int32_t ZWCALL registerExternUnzipProg(void* window, ZWMAJORSTATUSPROC major, void* majorData,
                                                ZWMINORSTATUSPROC minor, void* minorData);

#ifdef __cplusplus
}
#endif

#endif /* ZWUNZIP_H */
