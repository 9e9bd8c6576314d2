// Shared pieces of the report engine's tests: a fixed-pitch measurer that makes every
// position in a dump predictable, and a page file that fills up. No Qt: the tests of the
// devices add qt_test_app.h.
#pragma once

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "quay/reports/engine/page_file.h"
#include "quay/reports/engine/text_measurer.h"

namespace quay::reports::testing {

// Every character is 100 units wide and every line 200 units high, whatever the font.
class FixedPitchMeasurer final : public TextMeasurer {
public:
    static constexpr int kCharWidth = 100;
    static constexpr Units kLineHeight = 200;

    double width(const FontSpec&, std::string_view text) const override {
        int chars = 0;
        for (unsigned char c : text)
            if ((c & 0xC0) != 0x80) ++chars;
        return chars * double(kCharWidth);
    }
    Units lineHeight(const FontSpec&) const override { return kLineHeight; }
};

// A page file in memory that fills up: appends after the first `room` fail as a full disk
// does, and a read can be made to find a byte changed.
class FillingPageFile final : public PageFile {
public:
    explicit FillingPageFile(int room = 1 << 30) : m_room(room) {}

    bool append(const void* data, std::size_t size, std::string& error) override {
        if (m_room <= 0) {
            error = std::strerror(ENOSPC);
            return false;
        }
        --m_room;
        m_data.append(static_cast<const char*>(data), size);
        return true;
    }
    bool readAt(std::uint64_t offset, void* data, std::size_t size, std::string& error) const override {
        if (offset + size > m_data.size()) {
            error = "the file ends early";
            return false;
        }
        std::memcpy(data, m_data.data() + offset, size);
        if (m_damageAt >= offset && m_damageAt < offset + size) static_cast<char*>(data)[m_damageAt - offset] ^= 0x5A;
        return true;
    }
    std::uint64_t size() const override { return m_data.size(); }

    // Every later read that covers byte `at` sees it changed.
    void damage(std::uint64_t at) { m_damageAt = at; }

private:
    int m_room;
    std::string m_data;
    std::uint64_t m_damageAt = ~std::uint64_t{0};
};

}  // namespace quay::reports::testing
