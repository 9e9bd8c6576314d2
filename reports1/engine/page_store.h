// The finished pages of one report run, kept out of memory: each page is written in its
// stored form (page_codec.h) to the run's page file as soon as it is finished, and read
// back by number when an output asks for it. Only the few pages read last stay decoded,
// so the memory of a run does not grow with its length.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "page_codec.h"
#include "quay/reports/engine/page_file.h"
#include "quay/reports/engine/page_list.h"

namespace quay::reports::detail {

// File layout: one record per page, one after the other:
//   u32 payload length, u32 FNV-1a checksum of the payload (both little-endian), payload.
// The store keeps the offset of each record; a record is read with one read call and its
// checksum is checked before it is decoded.
//
// States: open (append() takes pages) -> failed (a write failed: every later append is
// refused, the pages before stay readable). Reads are meant for after the run is over;
// "{pages}" is filled with the number of pages stored when the page is read.
//
// Thread safety: every method may be called from any thread; they are serialised.
class PageStore {
public:
    // Decoded pages kept for reading again: enough for the preview's largest screenful of
    // pages and its neighbours.
    static constexpr std::size_t kCachedPages = 48;

    // With a null file, the store makes an unnamed temporary file in folder (the system's
    // temporary folder when empty) when the first page arrives.
    explicit PageStore(std::unique_ptr<PageFile> file = nullptr, std::string folder = {});

    // Stores a finished page; patterns lists the items (ascending) whose text is a
    // page-number pattern. False when it could not be written (see error()).
    bool append(const Page& page, const std::vector<std::uint32_t>& patterns);

    bool hasFailed() const;
    // Why the store failed, in words for the user; empty while it has not.
    std::string error() const;

    int pageCount() const;
    // Bytes written to the page file so far.
    std::uint64_t storedBytes() const;

    // Page index (from 0), as laid out, with its page numbers filled in. Null, with the
    // reason in *error when given, when it cannot be read back.
    // REQUIRES: 0 <= index < pageCount().
    std::shared_ptr<const Page> read(int index, std::string* error = nullptr) const;

private:
    std::shared_ptr<const Page> readLocked(int index, std::string* error) const;

    mutable std::mutex m_mutex;
    std::unique_ptr<PageFile> m_file;
    std::string m_folder;
    PageCodec m_codec;
    std::string m_buffer;                  // the record being written, kept for its capacity
    std::vector<std::uint64_t> m_offsets;  // where each page's record starts
    std::string m_error;
    mutable std::string m_readBuffer;
    // Most recently read first.
    mutable std::vector<std::pair<int, std::shared_ptr<const Page>>> m_cache;
};

}  // namespace quay::reports::detail
