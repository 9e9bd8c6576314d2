// Test archives written byte by byte: local headers, data (stored, deflated
// with zlib, or raw bytes of any method), optional traditional encryption and
// data descriptors, the central directory and the end record. Any header
// field can be made to lie, so that hostile archives are easy to build.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zwtest {

struct ZipEntry {
    std::string name;
    std::string data;                    // the member's content
    uint16_t method = 8;                 // 0 stored, 8 deflated; others need rawData
    std::optional<std::string> rawData;  // compressed bytes as they are stored
    uint16_t flags = 0;
    uint16_t dosDate = (40 << 9) | (1 << 5) | 2;  // 2020-01-02
    uint16_t dosTime = (3 << 11) | (4 << 5) | 3;  // 03:04:06
    uint16_t madeBy = 0x0014;                     // MS-DOS host, version 2.0
    uint32_t externalAttributes = 0;
    std::string password;     // traditional encryption when not empty
    bool descriptor = false;  // flag bit 3 and a trailing data descriptor
    std::string comment;
    // Lies told by the central directory.
    std::optional<uint32_t> centralCrc, centralSize, centralCompressedSize, centralOffset;
    std::optional<uint16_t> centralDisk;
};

class ZipBuilder {
public:
    ZipBuilder& add(ZipEntry entry);
    ZipBuilder& add(const std::string& name, const std::string& data, uint16_t method = 8);
    ZipBuilder& comment(const std::string& text);
    ZipBuilder& prefix(const std::string& bytes);  // stub before the archive
    ZipBuilder& entryCount(uint16_t count);        // a lying end record

    std::string build() const;
    void writeTo(const std::string& path) const;

    static std::string deflate(const std::string& data);
    static uint32_t crc32(const std::string& data);

private:
    std::vector<ZipEntry> m_entries;
    std::string m_comment;
    std::string m_prefix;
    std::optional<uint16_t> m_count;
};

}  // namespace zwtest
