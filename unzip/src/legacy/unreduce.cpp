// Expanding reduced members (methods 2 to 5), as the ZIP application note describes under
// "Expanding - Methods 2-5". Reducing is two stages, undone here in one pass:
//
// 1. Follower sets. The data starts with 256 sets S(255) ... S(0), each a 6-bit count N
//    (at most 32) and N bytes. Then each byte of the intermediate stream is coded against
//    the set of the byte before it (Last-Character, 0 at the start): with an empty set it
//    is 8 raw bits; otherwise a 1 bit introduces 8 raw bits and a 0 bit an index of
//    B(N) bits into the set, B(N) being the bits needed to write N-1 (at least one).
//
// 2. The probabilistic expander turns the intermediate bytes into output. DLE (144)
//    escapes: DLE 0 is a literal 144; DLE V starts a match whose length comes from the
//    low bits of V (one more byte is added when they are all ones) and whose distance
//    is (high bits of V) * 256 + the next byte + 1. A match copies length + 3 bytes; the
//    compression factor (1 to 4) says how many high bits of V belong to the distance.
//    Bytes before the start of the output read as zeros.
//
// Safety: counts above 32 and indexes beyond a set are bad data, a match that would run
// past outSize is bad data, and running out of input before outSize bytes is bad data.
#include "bit_reader.h"
#include "legacy_methods.h"

#include <array>

namespace zw::legacy {
namespace {

constexpr unsigned kMaxFollowers = 32;
constexpr uint8_t kDle = 144;

struct FollowerSet {
    uint8_t count = 0;
    uint8_t indexBits = 0;
    std::array<uint8_t, kMaxFollowers> bytes{};
};

// Bits of an index into a set of `count` bytes: enough to write count - 1, at least one.
uint8_t indexBitsFor(unsigned count) {
    uint8_t bits = 1;
    while ((1u << bits) < count) ++bits;
    return bits;
}

enum class ExpandState { Literal, Escaped, LengthByte, DistanceByte };

class Unreducer {
public:
    Unreducer(const uint8_t* in, size_t inSize, uint8_t* out, size_t outSize, int factor)
        : m_bits(in, inSize),
          m_out(out),
          m_outSize(outSize),
          m_lengthMask(static_cast<uint8_t>(0xFFu >> factor)),
          m_distanceShift(static_cast<unsigned>(8 - factor)) {}

    Status run();

private:
    bool readFollowerSets();
    bool nextByte(uint8_t& byte);
    bool copyMatch(size_t distance, size_t length);

    detail::BitReader m_bits;
    uint8_t* m_out;
    size_t m_outSize;
    size_t m_outPos = 0;
    uint8_t m_lengthMask;
    unsigned m_distanceShift;
    uint8_t m_last = 0;  // Last-Character: the previous intermediate byte
    std::array<FollowerSet, 256> m_sets{};
};

bool Unreducer::readFollowerSets() {
    for (int j = 255; j >= 0; --j) {
        uint32_t count = 0;
        if (!m_bits.read(6, count) || count > kMaxFollowers) return false;
        FollowerSet& set = m_sets[static_cast<size_t>(j)];
        set.count = static_cast<uint8_t>(count);
        set.indexBits = indexBitsFor(count);
        for (uint32_t i = 0; i < count; ++i) {
            uint32_t byte = 0;
            if (!m_bits.read(8, byte)) return false;
            set.bytes[i] = static_cast<uint8_t>(byte);
        }
    }
    return true;
}

// Decodes the next intermediate byte from the follower-set stage.
bool Unreducer::nextByte(uint8_t& byte) {
    const FollowerSet& set = m_sets[m_last];
    uint32_t value = 0;
    if (set.count == 0) {
        if (!m_bits.read(8, value)) return false;
    } else {
        uint32_t raw = 0;
        if (!m_bits.readBit(raw)) return false;
        if (raw != 0) {
            if (!m_bits.read(8, value)) return false;
        } else {
            uint32_t index = 0;
            if (!m_bits.read(set.indexBits, index) || index >= set.count) return false;
            value = set.bytes[index];
        }
    }
    byte = static_cast<uint8_t>(value);
    m_last = byte;
    return true;
}

bool Unreducer::copyMatch(size_t distance, size_t length) {
    if (length > m_outSize - m_outPos) return false;
    for (size_t i = 0; i < length; ++i, ++m_outPos)
        m_out[m_outPos] = m_outPos >= distance ? m_out[m_outPos - distance] : 0;
    return true;
}

Status Unreducer::run() {
    if (!readFollowerSets()) return Status::BadData;
    ExpandState state = ExpandState::Literal;
    uint8_t v = 0;
    size_t length = 0;
    while (m_outPos < m_outSize) {
        uint8_t c = 0;
        if (!nextByte(c)) return Status::BadData;
        switch (state) {
        case ExpandState::Literal:
            if (c == kDle)
                state = ExpandState::Escaped;
            else
                m_out[m_outPos++] = c;
            break;
        case ExpandState::Escaped:
            if (c == 0) {
                m_out[m_outPos++] = kDle;
                state = ExpandState::Literal;
            } else {
                v = c;
                length = v & m_lengthMask;
                state = length == m_lengthMask ? ExpandState::LengthByte : ExpandState::DistanceByte;
            }
            break;
        case ExpandState::LengthByte:
            length += c;
            state = ExpandState::DistanceByte;
            break;
        case ExpandState::DistanceByte: {
            const size_t distance = (static_cast<size_t>(v >> m_distanceShift) << 8) + c + 1;
            if (!copyMatch(distance, length + 3)) return Status::BadData;
            state = ExpandState::Literal;
            break;
        }
        }
    }
    return Status::Ok;
}

}  // namespace

Status unreduce(const uint8_t* in, size_t inSize, uint8_t* out, size_t outSize, int factor) {
    if (factor < 1 || factor > 4) return Status::BadData;
    if (outSize == 0) return Status::Ok;
    Unreducer decoder(in, inSize, out, outSize, factor);
    return decoder.run();
}

}  // namespace zw::legacy
