// Where a report run keeps its finished pages: a file that only grows, read back at any
// offset. The run's own is an unnamed file in the temporary folder, which the system
// removes when the last handle closes, so the pages of a run leave nothing behind even
// when the program ends abruptly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "quay/export.h"

namespace quay::reports {

// A file of stored pages. Writes come from the run's thread; reads may come from any
// thread but never two at once (the page store serialises them).
class QUAY_EXPORT PageFile {
public:
    virtual ~PageFile();

    // Appends size bytes at the end of the file. False, with the system's reason in error,
    // when they could not all be written (a full disk); the file then holds no part of them.
    virtual bool append(const void* data, std::size_t size, std::string& error) = 0;
    // Reads size bytes from offset. False, with the reason in error, when the file holds
    // fewer or cannot be read.
    virtual bool readAt(std::uint64_t offset, void* data, std::size_t size, std::string& error) const = 0;
    // Bytes appended so far.
    virtual std::uint64_t size() const = 0;
};

// An unnamed temporary file in folder (the system's temporary folder when empty). Null,
// with the reason in error, when the folder does not exist or cannot take a file.
QUAY_EXPORT std::unique_ptr<PageFile> openTemporaryPageFile(const std::string& folder, std::string& error);

}  // namespace quay::reports
