// The shared test corpus: every archive is counted, tested and extracted, and
// the outcome compared with the one this library settles for it (result
// code and members handled). Archives with reference contents are compared
// byte for byte.
#include <gtest/gtest.h>

#include <cstring>

#include "support/test_support.h"

using namespace zwtest;

namespace {

struct CorpusCase {
    const char* archive;
    const char* password;
    int32_t countResult, members;    // function 1
    int32_t testResult, tested;      // function 8 with testFlag
    int32_t extractResult, written;  // function 8 into a fresh folder
};

// archive, password, count result, members, test result, members tested, extraction result, members written
const CorpusCase kCorpus[] = {
    {"cc/COMPRESS-214_unix_symlinks.zip", "", 0, 21, 0, 21, 0, 21},
    {"cc/COMPRESS-380/COMPRESS-380.zip", "", 0, 1, 42, 0, 42, 0},
    {"cc/COMPRESS-477/split_zip_created_by_zip/split_zip_created_by_zip.zip", "", 0, 272, 0, 272, 0, 272},
    {"cc/COMPRESS-477/split_zip_created_by_zip/split_zip_created_by_zip_zip64.zip", "", 0, 272, 0, 272, 0, 272},
    {"cc/COMPRESS-477/split_zip_created_by_zip/zip_to_compare_created_by_zip.zip", "", 0, 272, 0, 272, 0, 272},
    {"cc/COMPRESS-546.zip", "", 3, 0, 3, 0, 3, 0},
    {"cc/archive_with_bytes_after_data.zip", "", 0, 2, 0, 2, 0, 2},
    {"cc/archive_with_trailer.zip", "", 0, 2, 0, 2, 0, 2},
    {"cc/bla-stored-dd.zip", "", 0, 2, 3, 0, 3, 0},
    {"cc/bzip2-zip.zip", "", 0, 1, 42, 0, 42, 0},
    {"cc/imploding-4Kdict-2trees.zip", "", 0, 1, 0, 1, 0, 1},
    {"cc/imploding-8Kdict-3trees.zip", "", 0, 1, 0, 1, 0, 1},
    {"cc/invalid-zip.zip", "", 3, 0, 3, 0, 3, 0},
    {"cc/lorem-ipsum-deflate64.zip", "", 0, 1, 42, 0, 42, 0},
    {"cc/lorem-ipsum-implode.zip", "", 0, 1, 0, 1, 0, 1},
    {"cc/moby.zip", "", 0, 1, 42, 0, 42, 0},
    {"cc/ordertest.zip", "", 0, 23, 0, 23, 0, 23},
    {"cc/password-encrypted.zip", "hello", 0, 13, 0, 13, 0, 13},
    {"cc/zipbomb.xlsx", "", 0, 19, 0, 19, 0, 19},
    {"dn/StrangeZipFiles_filenameTimeAndSizesDifferentInLH.zip", "", 0, 1, 0, 1, 0, 1},
    {"dn/badzipfiles_CDoffsetOutOfBounds.zip", "", 3, 0, 3, 0, 3, 0},
    {"dn/badzipfiles_EOCDmissing.zip", "", 3, 0, 3, 0, 3, 0},
    {"dn/badzipfiles_compressedSizeOutOfBounds.zip", "", 0, 1, 2, 0, 2, 0},
    {"dn/badzipfiles_invalidDeflate.zip", "", 0, 1, 2, 0, 2, 0},
    {"dn/badzipfiles_localFileOffsetOutOfBounds.zip", "", 0, 1, 3, 0, 3, 0},
    {"dn/badzipfiles_nameRooted.zip", "", 0, 1, 0, 1, 49, 0},
    {"dn/badzipfiles_numberOfEntriesDifferent.zip", "", 3, 0, 3, 0, 3, 0},
    {"dn/refzipfiles_emptydir.zip", "", 0, 1, 0, 1, 0, 1},
    {"dn/refzipfiles_encrypted_entries_weak.zip", "", 0, 4, 49, 2, 49, 2},
    {"dn/refzipfiles_prepended.zip", "", 0, 1, 0, 1, 0, 1},
    {"generated/gen-7z-method12-bzip2.zip", "", 0, 1, 42, 0, 42, 0},
    {"generated/gen-7z-zipcrypto.zip", "7zip-secret", 0, 2, 0, 2, 0, 2},
    {"generated/gen-archive-comment.zip", "", 0, 2, 0, 2, 0, 2},
    {"generated/gen-crc-mismatch.zip", "", 0, 1, 39, 0, 39, 0},
    {"generated/gen-deflate-basic.zip", "", 0, 8, 0, 8, 0, 8},
    {"generated/gen-descriptor-stdin-member.zip", "", 0, 1, 0, 1, 0, 1},
    {"generated/gen-descriptor-stdout.zip", "", 0, 3, 0, 3, 0, 3},
    {"generated/gen-duplicate-names.zip", "", 0, 2, 0, 2, 0, 2},
    {"generated/gen-empty-archive.zip", "", 0, 0, 11, 0, 11, 0},
    {"generated/gen-empty-file-only.zip", "", 0, 1, 0, 1, 0, 1},
    {"generated/gen-entry-comment.zip", "", 0, 1, 0, 1, 0, 1},
    {"generated/gen-method12-bzip2.zip", "", 0, 1, 42, 0, 42, 0},
    {"generated/gen-method14-lzma.zip", "", 0, 1, 42, 0, 42, 0},
    {"generated/gen-method77-unknown.zip", "", 0, 1, 42, 0, 42, 0},
    {"generated/gen-method9-deflate64.zip", "", 0, 2, 42, 0, 42, 0},
    {"generated/gen-method99-aes256.zip", "", 0, 1, 42, 0, 42, 0},
    {"generated/gen-overlap-full.zip", "", 0, 16, 3, 0, 3, 0},
    {"generated/gen-overlap-quoted.zip", "", 0, 2, 3, 0, 3, 0},
    {"generated/gen-size-understated.zip", "", 0, 1, 40, 0, 40, 0},
    {"generated/gen-split-64k.zip", "", 0, 6, 0, 6, 0, 6},
    {"generated/gen-stored-basic.zip", "", 0, 7, 0, 7, 0, 7},
    {"generated/gen-symlink-escape.zip", "", 0, 2, 0, 2, 28, 1},
    {"generated/gen-symlink.zip", "", 0, 2, 0, 2, 0, 2},
    {"generated/gen-traversal-absolute.zip", "", 0, 3, 0, 3, 49, 0},
    {"generated/gen-traversal-dotdot.zip", "", 0, 3, 0, 3, 49, 1},
    {"generated/gen-truncated-half.zip", "", 3, 0, 3, 0, 3, 0},
    {"generated/gen-truncated-no-eocd.zip", "", 3, 0, 3, 0, 3, 0},
    {"generated/gen-utf8-names.zip", "", 0, 1, 0, 1, 0, 1},
    {"generated/gen-zeros-1MiB-deflate.zip", "", 0, 1, 0, 1, 0, 1},
    {"generated/gen-zip64-forced.zip", "", 0, 2, 0, 2, 0, 2},
    {"generated/gen-zipcrypto-deflate.zip", "infozip-secret", 0, 2, 0, 2, 0, 2},
    {"generated/gen-zipcrypto-descriptor.zip", "infozip-secret", 0, 1, 0, 1, 0, 1},
    {"generated/gen-zipcrypto-mixed.zip", "infozip-secret", 0, 2, 0, 2, 0, 2},
    {"generated/gen-zipcrypto-stored.zip", "infozip-secret", 0, 2, 0, 2, 0, 2},
    {"go/crc32-not-streamed.zip", "", 0, 2, 0, 2, 0, 2},
    {"go/dd.zip", "", 0, 1, 0, 1, 0, 1},
    {"go/go-no-datadesc-sig.zip", "", 0, 2, 0, 2, 0, 2},
    {"go/go-with-datadesc-sig.zip", "", 0, 2, 0, 2, 0, 2},
    {"go/test-trailing-junk.zip", "", 0, 2, 0, 2, 0, 2},
    {"go/test.zip", "", 0, 2, 0, 2, 0, 2},
    {"go/zip64-2.zip", "", 0, 1, 0, 1, 0, 1},
    {"go/zip64.zip", "", 0, 1, 0, 1, 0, 1},
    {"la/libarchive_test__test_compat_zip_1.zip", "", 0, 2, 0, 2, 0, 2},
    {"la/libarchive_test__test_compat_zip_5.zip", "", 0, 12, 0, 12, 0, 12},
    {"la/libarchive_test__test_read_format_zip_bz2_hang.zip", "", 3, 0, 3, 0, 3, 0},
    {"la/libarchive_test__test_read_format_zip_comment_stored_1.zip", "", 0, 2, 0, 2, 0, 2},
    {"la/libarchive_test__test_read_format_zip_comment_stored_2.zip", "", 0, 2, 0, 2, 0, 2},
    {"la/libarchive_test__test_read_format_zip_filename_cp866.zip", "", 0, 2, 0, 2, 0, 2},
    {"la/libarchive_test__test_read_format_zip_filename_utf8_jp.zip", "", 0, 3, 0, 3, 0, 3},
    {"la/libarchive_test__test_read_format_zip_length_at_end.zip", "", 0, 1, 0, 1, 0, 1},
    {"la/libarchive_test__test_read_format_zip_malformed1.zip", "", 3, 0, 3, 0, 3, 0},
    {"la/libarchive_test__test_read_format_zip_msdos.zip", "", 0, 6, 0, 6, 0, 6},
    {"la/libarchive_test__test_read_format_zip_sfx", "", 0, 2, 0, 2, 0, 2},
    {"la/libarchive_test__test_read_format_zip_size_exceeds_declared_deflate.zip", "", 0, 2, 40, 0, 40, 0},
    {"la/libarchive_test__test_read_format_zip_size_exceeds_declared_stored.zip", "", 0, 2, 2, 0, 2, 0},
    {"la/libarchive_test__test_read_format_zip_symlink_unsupported_compression.zip", "", 0, 2, 42, 0, 42, 0},
    {"la/libarchive_test__test_read_format_zip_traditional_encryption_data.zip", "12345678", 0, 2, 0, 2, 0, 2},
    {"la/libarchive_test__test_read_format_zip_uncompressed_size_off_by_4gib.zip", "", 0, 1, 2, 0, 2, 0},
    {"la/libarchive_test__test_read_format_zip_zip64a.zip", "", 0, 1, 0, 1, 0, 1},
    {"la/unzip_test__test_symlink_dotdot.zip", "", 0, 3, 0, 3, 0, 3},
    {"la/unzip_test__test_t_bad.zip", "", 0, 5, 0, 5, 0, 5},
    {"libzip/bigzero-zip.zip", "", 0, 1, 0, 1, 0, 1},
    {"libzip/bogus.zip", "", 3, 0, 3, 0, 3, 0},
    {"libzip/broken.zip", "", 0, 6, 39, 1, 39, 1},
    {"libzip/empty-pkware.zip", "", 0, 1, 49, 0, 49, 0},
    {"libzip/encrypt-1234.zip", "1234", 0, 1, 0, 1, 0, 1},
    {"libzip/encrypt-aes128.zip", "", 0, 2, 42, 1, 42, 1},
    {"libzip/encrypt.zip", "", 0, 2, 49, 1, 49, 1},
    {"libzip/filename_duplicate.zip", "", 0, 2, 0, 2, 0, 2},
    {"libzip/filename_empty.zip", "", 0, 1, 0, 1, 0, 1},
    {"libzip/gap.zip", "", 0, 3, 39, 0, 39, 0},
    {"libzip/incons-archive-comment-longer.zip", "", 0, 1, 0, 1, 0, 1},
    {"libzip/incons-archive-comment-shorter.zip", "", 0, 1, 0, 1, 0, 1},
    {"libzip/incons-cdoffset.zip", "", 3, 0, 3, 0, 3, 0},
    {"libzip/incons-cdsize-large.zip", "", 0, 1, 0, 1, 0, 1},
    {"libzip/incons-central-compression-method.zip", "", 0, 1, 2, 0, 2, 0},
    {"libzip/incons-central-compsize-larger.zip", "", 0, 1, 3, 0, 3, 0},
    {"libzip/incons-central-compsize-smaller.zip", "", 0, 1, 2, 0, 2, 0},
    {"libzip/incons-central-crc.zip", "", 0, 1, 39, 0, 39, 0},
    {"libzip/incons-central-magic-bad.zip", "", 3, 0, 3, 0, 3, 0},
    {"libzip/incons-central-size-larger.zip", "", 0, 1, 2, 0, 2, 0},
    {"libzip/incons-data.zip", "", 0, 1, 39, 0, 39, 0},
    {"libzip/incons-ef-local-size.zip", "", 0, 1, 39, 0, 39, 0},
    {"libzip/incons-eocd-magic-bad.zip", "", 3, 0, 3, 0, 3, 0},
    {"libzip/incons-file-count-high.zip", "", 3, 0, 3, 0, 3, 0},
    {"libzip/incons-file-count-low.zip", "", 0, 2, 0, 2, 0, 2},
    {"libzip/incons-filename-nul-byte.zip", "", 0, 1, 0, 1, 49, 0},
    {"libzip/incons-gap-before-cd.zip", "", 0, 1, 0, 1, 0, 1},
    {"libzip/incons-local-crc.zip", "", 0, 1, 0, 1, 0, 1},
    {"libzip/incons-local-filename-long.zip", "", 0, 1, 2, 0, 2, 0},
    {"libzip/incons-local-filename.zip", "", 0, 1, 0, 1, 0, 1},
    {"libzip/incons-local-magic-bad.zip", "", 0, 1, 3, 0, 3, 0},
    {"libzip/incons-local-size-larger.zip", "", 0, 1, 0, 1, 0, 1},
    {"libzip/incons-stored-size.zip", "", 0, 1, 2, 0, 2, 0},
    {"libzip/junk-at-end.zip", "", 0, 3, 0, 3, 0, 3},
    {"libzip/junk-at-start.zip", "", 0, 3, 0, 3, 0, 3},
    {"libzip/multidisk.zip", "", 0, 1, 48, 0, 48, 0},
    {"libzip/streamed-zip64.zip", "", 0, 1, 0, 1, 0, 1},
    {"libzip/streamed.zip", "", 0, 1, 0, 1, 0, 1},
    {"libzip/test-cp437.zip", "", 0, 16, 0, 16, 0, 16},
    {"libzip/test-utf8.zip", "", 0, 1, 0, 1, 0, 1},
    {"libzip/testcomment.zip", "", 0, 4, 0, 4, 0, 4},
    {"libzip/testfile-lzma.zip", "", 0, 1, 42, 0, 42, 0},
    {"libzip/testfile-truncated.zip", "", 3, 0, 3, 0, 3, 0},
    {"libzip/testfile-xz.zip", "", 0, 1, 42, 0, 42, 0},
    {"libzip/testfile-zstd.zip", "", 0, 1, 42, 0, 42, 0},
    {"libzip/zip64.zip", "", 0, 1, 0, 1, 0, 1},
    {"perlaz/crypt.zip", "test", 0, 1, 0, 1, 0, 1},
    {"perlaz/dotdot-from-unexistant-path.zip", "", 0, 1, 0, 1, 49, 0},
    {"perlaz/emptydef.zip", "", 0, 1, 0, 1, 0, 1},
    {"perlaz/emptydefstr.zip", "", 0, 1, 0, 1, 0, 1},
    {"perlaz/emptystore.zip", "", 0, 1, 0, 1, 0, 1},
    {"perlaz/link-dir.zip", "", 0, 2, 0, 2, 28, 1},
    {"perlaz/zip64-infozip.zip", "", 0, 1, 0, 1, 0, 1},
    {"perlaz/zip64-iocz.zip", "", 0, 1, 0, 1, 0, 1},
    {"rubyzip/gpbit3stored.zip", "", 0, 2, 0, 2, 0, 2},
    {"rubyzip/invalid-split.zip", "", 0, 1, 0, 1, 0, 1},
    {"rubyzip/max_length_file_comment.zip", "", 0, 1, 0, 1, 0, 1},
    {"rubyzip/path_traversal/jwilk/absolute1.zip", "", 0, 1, 0, 1, 49, 0},
    {"rubyzip/path_traversal/jwilk/absolute2.zip", "", 0, 1, 0, 1, 49, 0},
    {"rubyzip/path_traversal/jwilk/dirsymlink.zip", "", 0, 2, 0, 2, 28, 1},
    {"rubyzip/path_traversal/jwilk/relative0.zip", "", 0, 1, 0, 1, 49, 0},
    {"rubyzip/path_traversal/jwilk/relative2.zip", "", 0, 1, 0, 1, 49, 0},
    {"rubyzip/path_traversal/jwilk/symlink.zip", "", 0, 2, 0, 2, 0, 2},
    {"rubyzip/path_traversal/relative1.zip", "", 0, 2, 0, 2, 49, 1},
    {"rubyzip/path_traversal/tilde.zip", "", 0, 3, 0, 3, 0, 3},
    {"rubyzip/zip-aes-256.zip", "", 0, 2, 42, 0, 42, 0},
    {"rubyzip/zipWithDirs.zip", "", 0, 11, 0, 11, 0, 11},
    {"rubyzip/zipWithEncryption.zip", "password", 0, 2, 0, 2, 0, 2},
    {"sc/Archives/Infozip.nocomp.multi.zip", "", 0, 5, 0, 5, 0, 5},
    {"sc/Archives/Large/Large.zip", "", 0, 1, 0, 1, 0, 1},
    {"sc/Archives/PrePostHeaders.zip", "", 0, 4, 0, 4, 0, 4},
    {"sc/Archives/Zip.EntryComment.zip", "", 0, 1, 0, 1, 0, 1},
    {"sc/Archives/Zip.deflate.zip", "", 0, 6, 0, 6, 0, 6},
    {"sc/Archives/Zip.none.datadescriptors.zip", "", 0, 2, 0, 2, 0, 2},
    {"sc/Archives/Zip.none.zip", "", 0, 6, 0, 6, 0, 6},
    {"sc/Archives/Zip.reduce1.zip", "", 0, 3, 0, 3, 0, 3},
    {"sc/Archives/Zip.reduce3.zip", "", 0, 3, 0, 3, 0, 3},
    {"yauzl/failure/End_of_central_directory_record_signature_not_found_Either_not_a_zip_file_or_file_is_truncated.zip",
     "", 3, 0, 3, 0, 3, 0},
    {"yauzl/failure/"
     "End_of_central_directory_record_signature_not_found_Either_not_a_zip_file_or_file_is_truncated_1.zip",
     "", 3, 0, 3, 0, 3, 0},
    {"yauzl/failure/absolute_path_C_xt.zip", "", 0, 2, 0, 2, 49, 1},
    {"yauzl/failure/absolute_path_atxt.zip", "", 0, 2, 0, 2, 49, 1},
    {"yauzl/failure/compressed_uncompressed_size_mismatch_for_stored_file_2147483647_5.zip", "", 0, 2, 2, 0, 2, 0},
    {"yauzl/failure/extra_field_length_exceeds_extra_field_buffer_size.zip", "", 0, 2, 0, 2, 0, 2},
    {"yauzl/failure/file_data_overflows_file_bounds_63_2147483647_308.zip", "", 0, 2, 2, 0, 2, 0},
    {"yauzl/failure/invalid_central_directory_file_header_signature_0x1014b50.zip", "", 3, 0, 3, 0, 3, 0},
    {"yauzl/failure/invalid_characters_in_fileName_a_txt.zip", "", 0, 2, 0, 2, 0, 2},
    {"yauzl/failure/invalid_code_lengths_set.zip", "", 0, 1, 2, 0, 2, 0},
    {"yauzl/failure/invalid_local_file_header_signature_0x3034b50.zip", "", 0, 2, 3, 1, 3, 1},
    {"yauzl/failure/invalid_relative_path_xt.zip", "", 0, 2, 0, 2, 49, 1},
    {"yauzl/failure/multi-disk_zip_files_are_not_supported_found_disk_number_1.zip", "", 48, 0, 48, 0, 48, 0},
    {"yauzl/failure/not_enough_bytes_in_the_stream_expected_2048576_got_only_1000000.zip", "", 0, 1, 2, 0, 2, 0},
    {"yauzl/failure/too_many_bytes_in_the_stream_expected_82496_got_at_least_98304.zip", "", 0, 1, 40, 0, 40, 0},
    {"yauzl/failure/unexpected_EOF.zip", "", 0, 1, 3, 0, 3, 0},
    {"yauzl/failure/unsupported_compression_method_1.zip", "", 0, 2, 2, 1, 2, 1},
    {"yauzl/success/big-compression.zip", "", 0, 1, 0, 1, 0, 1},
    {"yauzl/success/directories.zip", "", 0, 3, 0, 3, 0, 3},
    {"yauzl/success/empty.zip", "", 0, 0, 11, 0, 11, 0},
    {"yauzl/success/everything.zip", "", 0, 1006, 0, 1006, 0, 1006},
    {"yauzl/success/traditional-encryption-and-compression.zip", "a", 0, 1, 0, 1, 0, 1},
    {"yauzl/success/traditional-encryption.zip", "a", 0, 1, 0, 1, 0, 1},
    {"yauzl/success/unicode-path-extra-field.zip", "", 0, 1, 0, 1, 0, 1},
    {"yauzl/success/zip64.zip", "", 0, 2, 0, 2, 0, 2},
    {"yauzl/wrong-entry-sizes/wrong-entry-sizes.zip", "", 0, 3, 2, 0, 2, 0},
    {"zip2/comment_garbage.zip", "", 0, 0, 11, 0, 11, 0},
    {"zip2/data_descriptor.zip", "", 0, 1, 0, 1, 0, 1},
    {"zip2/deflate64_issue_25.zip", "", 3, 0, 3, 0, 3, 0},
    {"zip2/files_and_dirs.zip", "", 0, 3, 0, 3, 0, 3},
    {"zip2/ignore_encryption_flag.zip", "", 0, 1, 49, 0, 49, 0},
    {"zip2/invalid_cde_number_of_files_allocation_greater_offset.zip", "", 3, 0, 3, 0, 3, 0},
    {"zip2/invalid_offset.zip", "", 3, 0, 3, 0, 3, 0},
    {"zip2/legacy/implode.zip", "", 0, 1, 0, 1, 0, 1},
    {"zip2/legacy/reduce.zip", "", 0, 1, 0, 1, 0, 1},
    {"zip2/legacy/shrink.zip", "", 0, 1, 0, 1, 0, 1},
    {"zip2/misaligned_comment.zip", "", 0, 0, 11, 0, 11, 0},
    {"zip2/ppmd.zip", "", 0, 1, 42, 0, 42, 0},
    {"zip2/zip64_magic_in_filename_1.zip", "", 0, 1, 0, 1, 49, 0},
    {"zip2/zip64_magic_in_filename_2.zip", "", 0, 1, 0, 1, 49, 0},
};

Command runOn(const CorpusCase& k, bool test, const std::string& dest) {
    Command cmd(UNZIP_EXTRACT, corpus(k.archive));
    cmd.filespec("*.*").c.recurseFlag = 1;
    cmd.c.overWriteFlag = 1;
    cmd.c.testFlag = test ? 1 : 0;
    if (!dest.empty()) cmd.destination(dest);
    if (*k.password) cmd.password(k.password);
    return cmd;
}

std::string memberBytes(const std::string& archive, const std::string& name, size_t size) {
    std::string block(size + 16, '\0');
    Command cmd(UNZIP_FILETOMEM, archive);
    cmd.filespec(name);
    cmd.c.lpMemBlock = block.data();
    cmd.c.lMemBlockSize = int32_t(block.size());
    EXPECT_EQ(cmd.run(), ZW_OK) << archive << " " << name;
    block.resize(size_t(cmd.c.returnCount));
    return block;
}

}  // namespace

TEST(Corpus, EveryArchiveIsCountedTestedAndExtractedAsSettled) {
    for (const CorpusCase& k : kCorpus) {
        SCOPED_TRACE(k.archive);
        ASSERT_TRUE(exists(corpus(k.archive)));
        Command count(UNZIP_COUNTALLZIPMEMBERS, corpus(k.archive));
        EXPECT_EQ(count.run(), k.countResult);
        EXPECT_EQ(count.c.returnCount, k.members);

        Command test = runOn(k, true, "");
        EXPECT_EQ(test.run(), k.testResult) << test.returned();
        EXPECT_EQ(test.c.returnCount, k.tested);

        TempDir out;
        Command extract = runOn(k, false, out.path());
        EXPECT_EQ(extract.run(), k.extractResult) << extract.returned();
        EXPECT_EQ(extract.c.returnCount, k.written);
        // Nothing but finished members: no temporary file survives a failure.
        for (const std::string& n : listTree(out.path())) EXPECT_EQ(n.find(".zw-"), std::string::npos) << n;
    }
}

TEST(Corpus, ListingWalksEveryMemberOfEveryReadableArchive) {
    for (const CorpusCase& k : kCorpus) {
        if (k.countResult != ZW_OK) continue;
        SCOPED_TRACE(k.archive);
        for (int32_t i = 0; i < k.members; ++i) {
            Command cmd(UNZIP_GETINDEXEDZIPINFO, corpus(k.archive));
            cmd.c.index = i;
            ASSERT_EQ(cmd.run(), ZW_OK);
            EXPECT_EQ(+cmd.info.index, i);
            EXPECT_LT(std::strlen(cmd.info.szFileName), sizeof cmd.info.szFileName);
        }
    }
}

TEST(CorpusContents, ReferenceSetMatchesInEveryMethod) {
    const std::string exe = readFile(corpus("expected/sc-test.exe"));
    const std::string jpg = readFile(corpus("expected/sc-test.jpg"));
    const std::string txt = readFile(corpus("expected/sc-tect-crlf.txt"));
    ASSERT_FALSE(exe.empty());
    for (const char* a : {"sc/Archives/Zip.none.zip", "sc/Archives/Zip.deflate.zip"}) {
        SCOPED_TRACE(a);
        EXPECT_EQ(memberBytes(corpus(a), "exe\\test.exe", exe.size()), exe);
        EXPECT_EQ(memberBytes(corpus(a), "jpg\\test.jpg", jpg.size()), jpg);
    }
    for (const char* a : {"sc/Archives/Zip.reduce1.zip", "sc/Archives/Zip.reduce3.zip"}) {
        SCOPED_TRACE(a);
        EXPECT_EQ(memberBytes(corpus(a), "TEST.EXE", exe.size()), exe);
        EXPECT_EQ(memberBytes(corpus(a), "TEST.JPG", jpg.size()), jpg);
        EXPECT_EQ(memberBytes(corpus(a), "TECT.TXT", txt.size()), txt);
    }
    const std::string first = readFile(corpus("expected/zip2-first.txt"));
    for (const char* a : {"zip2/legacy/shrink.zip", "zip2/legacy/reduce.zip", "zip2/legacy/implode.zip"}) {
        SCOPED_TRACE(a);
        Command cmd(UNZIP_FILETOMEM, corpus(a));
        std::string block(first.size() + 10, '\0');
        cmd.c.index = 0;
        cmd.c.lpMemBlock = block.data();
        cmd.c.lMemBlockSize = int32_t(block.size());
        ASSERT_EQ(cmd.run(), ZW_OK);
        EXPECT_EQ(block.substr(0, size_t(cmd.c.returnCount)), first);
    }
}

TEST(CorpusContents, SplitSetExtractsLikeItsPlainTwin) {
    TempDir split, plain;
    const std::string base = "cc/COMPRESS-477/split_zip_created_by_zip/";
    Command a(UNZIP_EXTRACT, corpus(base + "split_zip_created_by_zip.zip"));
    a.filespec("*.*").destination(split.path()).c.recurseFlag = 1;
    ASSERT_EQ(a.run(), ZW_OK);
    Command b(UNZIP_EXTRACT, corpus(base + "zip_to_compare_created_by_zip.zip"));
    b.filespec("*.*").destination(plain.path()).c.recurseFlag = 1;
    ASSERT_EQ(b.run(), ZW_OK);
    const auto names = listTree(plain.path());
    ASSERT_EQ(listTree(split.path()), names);
    for (const std::string& n : names)
        if (n.back() != '/') {
            EXPECT_EQ(readFile(split / n), readFile(plain / n)) << n;
        }
}

TEST(CorpusContents, BrokenMembersFailOneByOne) {
    struct Case {
        int32_t index;
        int32_t result;
    };
    // libzip/broken.zip: member names say what each holds.
    const Case cases[] = {{0, ZW_OK}, {1, ZW_BAD_CRC}, {2, ZW_OK}, {3, ZW_BAD_CRC}, {4, ZW_UNEXPECTED_EOF}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.index);
        Command cmd(UNZIP_EXTRACT, corpus("libzip/broken.zip"));
        cmd.c.index = k.index;
        cmd.c.testFlag = 1;
        EXPECT_EQ(cmd.run(), k.result);
    }
}

TEST(CorpusContents, CommentsAreReturnedVerbatim) {
    Command cmd(UNZIP_GETCOMMENT, corpus("generated/gen-archive-comment.zip"));
    cmd.c.returnCount = sizeof cmd.ret;
    ASSERT_EQ(cmd.run(), ZW_OK);
    EXPECT_EQ(cmd.returned(), "This is the archive comment.\r\nSecond line.");  // as zip -z stored it
    Command longest(UNZIP_GETCOMMENTSIZE, corpus("rubyzip/max_length_file_comment.zip"));
    ASSERT_EQ(longest.run(), ZW_OK);
    EXPECT_EQ(longest.c.returnCount, 65535);
}
