// Tests of the shrink, reduce and implode decoders on hand-made bit streams, for what the
// corpus archives do not reach: partial clearing and code size limits when unshrinking,
// every reduction factor's match lengths and distances, and all four implode variants
// with valid and invalid trees.
#include "legacy_methods.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

using zw::legacy::Status;
using Bytes = std::vector<uint8_t>;

// Writes fields lowest bit first, as the three methods store them.
class BitWriter {
public:
    void put(uint32_t value, unsigned count) {
        for (unsigned i = 0; i < count; ++i, m_used = (m_used + 1) % 8) {
            if (m_used == 0) m_bytes.push_back(0);
            m_bytes.back() = static_cast<uint8_t>(m_bytes.back() | (((value >> i) & 1u) << m_used));
        }
    }
    // A Shannon-Fano code: its most significant bit comes first in the stream.
    void putCode(uint32_t code, unsigned length) {
        for (unsigned bit = length; bit-- > 0;) put((code >> bit) & 1u, 1);
    }
    void putBytes(const Bytes& bytes) {
        for (uint8_t b : bytes) put(b, 8);
    }
    const Bytes& bytes() const { return m_bytes; }

private:
    Bytes m_bytes;
    unsigned m_used = 0;
};

// Shrink codes at 9 bits, one bit wider after each 256,1.
Bytes shrinkCodes(const std::vector<unsigned>& codes) {
    BitWriter w;
    unsigned size = 9;
    for (size_t i = 0; i < codes.size(); ++i) {
        w.put(codes[i], size);
        if (i > 0 && codes[i - 1] == 256 && codes[i] == 1) ++size;
    }
    return w.bytes();
}

TEST(Unshrink, HandMadeCodeSequencesDecodeOrAreRefused) {
    // case, codes, expected output ("" for bad data)
    struct Case {
        const char* name;
        std::vector<unsigned> codes;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"string codes and KwKwK", {'a', 'b', 257, 259}, "abababa"},
        // 257=ab 258=ba 259=abc; the clear frees the leaves 258 and 259 and keeps 257,
        // then 258=cd 259=da 260=abc are given out again lowest first.
        {"partial clear keeps prefixes", {'a', 'b', 257, 'c', 256, 2, 'd', 257, 258, 259}, "ababcdabcdda"},
        // The clear frees 259 (abc) while it is the previous code; 258 then becomes
        // "abc" + "e" through the freed entry, which keeps its bytes until reused.
        {"string on a freed previous code", {'a', 'b', 257, 'c', 'd', 259, 256, 2, 'e', 258}, "ababcdabceabce"},
        {"wider codes after 256,1", {'a', 256, 1, 'b', 256, 1, 257}, "abab"},
        {"first code names no string", {300}, ""},
        {"code beyond the next free one", {'a', 258}, ""},
        {"unknown control sequence", {'a', 256, 3, 'b'}, ""},
        {"code size past 13 bits", {'a', 256, 1, 256, 1, 256, 1, 256, 1, 256, 1, 'b'}, ""},
        // 257=ab is freed by the clear and then given out again as (257, c): a string
        // that would be its own prefix.
        {"string made its own prefix", {'a', 'b', 257, 256, 2, 'c', 257}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes in = shrinkCodes(c.codes);
        const size_t outSize = c.expected.empty() ? 64 : c.expected.size();
        Bytes out(outSize);
        const Status status = zw::legacy::unshrink(in.data(), in.size(), out.data(), out.size());
        if (c.expected.empty()) {
            EXPECT_EQ(status, Status::BadData);
        } else {
            ASSERT_EQ(status, Status::Ok);
            EXPECT_EQ(std::string(out.begin(), out.end()), c.expected);
        }
    }
}

TEST(Unshrink, StringRunningPastTheOutputSizeIsBadData) {
    const Bytes in = shrinkCodes({'a', 'b', 257});
    Bytes out(3);
    EXPECT_EQ(zw::legacy::unshrink(in.data(), in.size(), out.data(), out.size()), Status::BadData);
}

// A shrinking compressor for the tests, written plainly: it matches strings through a
// dictionary, widens codes with 256,1 when a code needs it, and when the table is full
// sends 256,2 and frees every leaf by a full scan. It clears only after a code that the
// clear keeps (a byte, or a string with longer strings on it), since the next string is
// built on that code.
struct ShrinkResult {
    Bytes data;
    int clears = 0;
};

ShrinkResult shrinkForTest(const Bytes& input) {
    constexpr unsigned kSize = 8192;
    std::array<unsigned, kSize> prefix{};
    std::array<uint8_t, kSize> last{};
    std::array<bool, kSize> used{};
    std::unordered_map<unsigned, unsigned> dictionary;  // prefix << 8 | byte -> code
    unsigned nextFree = 257;
    unsigned size = 9;
    ShrinkResult result;
    BitWriter w;
    auto findFree = [&](unsigned from) {
        while (from < kSize && used[from]) ++from;
        return from;
    };
    auto emit = [&](unsigned code) {
        while (code >= (1u << size)) {
            w.put(256, size), w.put(1, size);
            ++size;
        }
        w.put(code, size);
    };
    auto clear = [&] {
        std::array<bool, kSize> hasChild{};
        for (unsigned c = 257; c < kSize; ++c) hasChild[prefix[c]] = hasChild[prefix[c]] || used[c];
        for (unsigned c = 257; c < kSize; ++c) {
            if (used[c] && !hasChild[c]) {
                used[c] = false;
                dictionary.erase(prefix[c] << 8 | last[c]);
            }
        }
        nextFree = findFree(257);
        ++result.clears;
    };
    unsigned current = input[0];
    for (size_t i = 1; i <= input.size(); ++i) {
        if (i < input.size()) {
            const auto found = dictionary.find(current << 8 | input[i]);
            if (found != dictionary.end()) {
                current = found->second;
                continue;
            }
        }
        emit(current);
        if (i == input.size()) break;
        auto isPrefix = [&](unsigned code) {
            for (unsigned c = 257; c < kSize; ++c) {
                if (used[c] && prefix[c] == code) return true;
            }
            return code < 256;
        };
        if (nextFree == kSize && isPrefix(current)) {
            w.put(256, size), w.put(2, size);
            clear();
        }
        if (nextFree < kSize) {
            prefix[nextFree] = current;
            last[nextFree] = input[i];
            used[nextFree] = true;
            dictionary[current << 8 | input[i]] = nextFree;
            nextFree = findFree(nextFree + 1);
        }
        current = input[i];
    }
    result.data = w.bytes();
    return result;
}

TEST(Unshrink, LongInputRoundTripsThroughRepeatedPartialClears) {
    // Words over a small alphabet fill the table several times over.
    std::mt19937 random(424242);
    const std::string alphabet = "etaoinshrdlucmfw";
    Bytes input;
    while (input.size() < 300000) {
        const size_t length = 1 + random() % 9;
        for (size_t k = 0; k < length; ++k) input.push_back(static_cast<uint8_t>(alphabet[random() % alphabet.size()]));
        input.push_back(' ');
    }
    const ShrinkResult shrunk = shrinkForTest(input);
    ASSERT_GE(shrunk.clears, 3);
    Bytes out(input.size());
    ASSERT_EQ(zw::legacy::unshrink(shrunk.data.data(), shrunk.data.size(), out.data(), out.size()), Status::Ok);
    EXPECT_TRUE(out == input);
}

// A reduced stream whose 256 follower sets are all empty, so every intermediate byte is
// stored as 8 raw bits after 256 six-bit zero counts.
Bytes reducedWithoutFollowers(const Bytes& intermediate) {
    Bytes in(192 + intermediate.size(), 0);
    std::copy(intermediate.begin(), intermediate.end(), in.begin() + 192);
    return in;
}

TEST(Unreduce, MatchesCopyLengthAndDistanceForEveryFactor) {
    for (int factor = 1; factor <= 4; ++factor) {
        SCOPED_TRACE("factor " + std::to_string(factor));
        const unsigned lengthMask = 0xFFu >> factor;
        const unsigned highShift = 8u - static_cast<unsigned>(factor);
        Bytes literals;
        for (int i = 0; i < 300; ++i) literals.push_back(static_cast<uint8_t>('a' + i % 23));

        // 144 0: a literal DLE. 144 V C with high bits 1: distance 256 + 0x13 + 1 = 276,
        // length 2 + 3. 144 V L C with all length bits set: length mask + 10 + 3 at distance 1.
        Bytes intermediate = literals;
        intermediate.insert(intermediate.end(), {144, 0});
        intermediate.insert(intermediate.end(), {144, static_cast<uint8_t>((1u << highShift) | 2u), 0x13});
        intermediate.insert(intermediate.end(), {144, static_cast<uint8_t>(lengthMask), 10, 0});

        Bytes expected = literals;
        expected.push_back(144);
        const size_t from = expected.size() - 276;
        for (size_t i = 0; i < 5; ++i) expected.push_back(expected[from + i]);
        expected.insert(expected.end(), lengthMask + 13, expected.back());

        const Bytes in = reducedWithoutFollowers(intermediate);
        Bytes out(expected.size());
        ASSERT_EQ(zw::legacy::unreduce(in.data(), in.size(), out.data(), out.size(), factor), Status::Ok);
        EXPECT_TRUE(out == expected);
    }
}

TEST(Unreduce, DistanceBeforeTheStartReadsZeros) {
    const Bytes in = reducedWithoutFollowers({'x', 144, 2, 9, 'y'});
    Bytes out(7);
    ASSERT_EQ(zw::legacy::unreduce(in.data(), in.size(), out.data(), out.size(), 2), Status::Ok);
    EXPECT_TRUE(out == Bytes({'x', 0, 0, 0, 0, 0, 'y'}));
}

// Follower sets: S('a') holds the given bytes, every other set is empty.
BitWriter withFollowersOfA(const Bytes& followers) {
    BitWriter w;
    for (int j = 255; j >= 0; --j) {
        w.put(j == 'a' ? static_cast<uint32_t>(followers.size()) : 0u, 6);
        if (j == 'a') w.putBytes(followers);
    }
    return w;
}

TEST(Unreduce, FollowerSetsCodeBytesByIndex) {
    BitWriter w = withFollowersOfA({'b', 'c'});
    w.put('a', 8);               // S(0) is empty: 8 raw bits
    w.put(0, 1), w.put(1, 1);    // after 'a': index 1 in S('a') is 'c'
    w.put('a', 8);               // S('c') is empty
    w.put(1, 1), w.put('z', 8);  // after 'a': a raw byte
    Bytes out(4);
    const Bytes& in = w.bytes();
    ASSERT_EQ(zw::legacy::unreduce(in.data(), in.size(), out.data(), out.size(), 1), Status::Ok);
    EXPECT_EQ(std::string(out.begin(), out.end()), "acaz");
}

TEST(Unreduce, InvalidFollowerSetsAreBadData) {
    Bytes out(4);
    BitWriter tooMany;
    tooMany.put(33, 6);
    tooMany.putBytes(Bytes(400, 'q'));
    EXPECT_EQ(zw::legacy::unreduce(tooMany.bytes().data(), tooMany.bytes().size(), out.data(), out.size(), 1),
              Status::BadData);

    BitWriter indexOutside = withFollowersOfA({'b', 'c', 'd'});
    indexOutside.put('a', 8);
    indexOutside.put(0, 1), indexOutside.put(3, 2);  // only indexes 0-2 exist
    indexOutside.putBytes(Bytes(8, 'q'));
    EXPECT_EQ(zw::legacy::unreduce(indexOutside.bytes().data(), indexOutside.bytes().size(), out.data(), out.size(), 1),
              Status::BadData);
}

// Imploded data with uniform trees: every literal has an 8-bit code, every length and
// distance symbol a 6-bit one. In a uniform tree of n symbols, symbol s has code n-1-s.
class ImplodeWriter {
public:
    explicit ImplodeWriter(uint16_t flags) : m_flags(flags) {
        if (literalTree()) m_w.putBytes(Bytes{15}), m_w.putBytes(Bytes(16, 0xF7));
        for (int tree = 0; tree < 2; ++tree) m_w.putBytes(Bytes{3}), m_w.putBytes(Bytes(4, 0xF5));
    }
    bool literalTree() const { return (m_flags & 4) != 0; }
    void literal(uint8_t byte) {
        m_w.put(1, 1);
        if (literalTree())
            m_w.putCode(255u - byte, 8);
        else
            m_w.put(byte, 8);
    }
    void match(unsigned distance, unsigned length) {
        const unsigned lowBits = (m_flags & 2) != 0 ? 7 : 6;
        const unsigned code = length - (literalTree() ? 3 : 2);
        m_w.put(0, 1);
        m_w.put((distance - 1) & ((1u << lowBits) - 1), lowBits);
        m_w.putCode(63u - ((distance - 1) >> lowBits), 6);
        m_w.putCode(63u - (code < 63 ? code : 63), 6);
        if (code >= 63) m_w.put(code - 63, 8);
    }
    const Bytes& bytes() const { return m_w.bytes(); }

private:
    uint16_t m_flags;
    BitWriter m_w;
};

TEST(Explode, DecodesEveryDictionaryAndTreeVariant) {
    for (uint16_t flags : {0, 2, 4, 6}) {
        SCOPED_TRACE("flags " + std::to_string(flags));
        const unsigned window = (flags & 2) != 0 ? 8192 : 4096;
        ImplodeWriter w(flags);
        Bytes expected;
        for (unsigned i = 0; i < 600; ++i) {
            const auto byte = static_cast<uint8_t>(i * 7 + i / 13);
            w.literal(byte);
            expected.push_back(byte);
        }
        // a far match, a long overlapping one with extra length bits, one that reaches
        // back to the start of the window (zeros before the data).
        w.match(517, 40);
        for (size_t i = 0; i < 40; ++i) expected.push_back(expected[expected.size() - 517]);
        w.match(3, 300);
        for (size_t i = 0; i < 300; ++i) expected.push_back(expected[expected.size() - 3]);
        w.match(window, 5);
        for (size_t i = 0; i < 5; ++i)
            expected.push_back(expected.size() >= window ? expected[expected.size() - window] : 0);
        const Bytes& in = w.bytes();
        Bytes out(expected.size());
        ASSERT_EQ(zw::legacy::explode(in.data(), in.size(), out.data(), out.size(), flags), Status::Ok);
        EXPECT_TRUE(out == expected);
    }
}

TEST(Explode, InvalidTreesAreBadData) {
    // case, stored length and distance trees
    struct Case {
        const char* name;
        Bytes trees;
    };
    const Bytes uniform = {3, 0xF5, 0xF5, 0xF5, 0xF5};
    const std::vector<Case> cases = {
        {"too few lengths", {2, 0xF5, 0xF5, 0xF5}},
        {"too many lengths", {4, 0xF5, 0xF5, 0xF5, 0xF5, 0x05}},
        {"codes overflow 16 bits", {3, 0xF0, 0xF0, 0xF0, 0xF0}},
        // 63 six-bit codes leave the five-bit one half a code out of place
        {"code not aligned to its length", {4, 0xF5, 0xF5, 0xF5, 0xE5, 0x04}},
        {"tree runs past the data", {9, 0xF5, 0xF5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes in = c.trees;
        in.insert(in.end(), uniform.begin(), uniform.end());
        in.insert(in.end(), 16, 0xFF);
        Bytes out(8);
        EXPECT_EQ(zw::legacy::explode(in.data(), in.size(), out.data(), out.size(), 0), Status::BadData);
    }
}

TEST(Explode, CodeOutsideAnIncompleteTreeIsBadData) {
    // 64 seven-bit length codes fill half the code space; the all-ones codes are unused.
    BitWriter w;
    w.putBytes({3, 0xF6, 0xF6, 0xF6, 0xF6, 3, 0xF5, 0xF5, 0xF5, 0xF5});
    w.put(0, 1), w.put(0, 6), w.putCode(63, 6), w.putCode(0x7F, 7);
    w.putBytes(Bytes(4, 0));
    Bytes out(8);
    EXPECT_EQ(zw::legacy::explode(w.bytes().data(), w.bytes().size(), out.data(), out.size(), 0), Status::BadData);
}

TEST(Explode, MatchRunningPastTheOutputSizeIsBadData) {
    ImplodeWriter w(0);
    w.literal('a');
    w.match(1, 10);
    Bytes out(5);
    EXPECT_EQ(zw::legacy::explode(w.bytes().data(), w.bytes().size(), out.data(), out.size(), 0), Status::BadData);
}

}  // namespace
