// Tests of the shrink, reduce and implode decoders against the members of the shared ZIP
// test corpus: every member stored with methods 1 to 6 decodes to its recorded size and
// CRC-32 (and to the reference bytes where the corpus has them), and damaged forms of
// those members (cut short, bytes changed, sizes overstated) and random bytes are refused
// without any read or write outside the buffers.
#include "legacy_methods.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using zw::legacy::Status;
using Bytes = std::vector<uint8_t>;

fs::path corpusDir() {
    const char* root = std::getenv("QUAY_TESTDATA");
    return root != nullptr ? fs::path(root) / "zip" : fs::path();
}

Bytes readFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

uint32_t crcOf(const Bytes& data) {
    return static_cast<uint32_t>(::crc32(0L, data.data(), static_cast<uInt>(data.size())));
}

// One member as the central directory describes it, with its compressed bytes.
struct Member {
    std::string name;
    uint16_t method = 0;
    uint16_t localMethod = 0;  // as the local header gives it
    uint16_t flags = 0;
    uint32_t crc = 0;
    size_t size = 0;
    Bytes data;
};

// A minimal archive reader for the tests (ZIP application note 4.3): finds the end of
// central directory record, walks the central directory, and takes each member's data
// after its local header. Sizes come from the central directory because some members
// carry them only in a data descriptor. Returns nothing for archives it cannot follow.
class TestArchive {
public:
    static std::optional<std::vector<Member>> read(const fs::path& path) {
        TestArchive archive(readFile(path));
        return archive.members();
    }

private:
    explicit TestArchive(Bytes bytes) : m_bytes(std::move(bytes)) {}

    bool has(size_t pos, size_t count) const { return pos <= m_bytes.size() && count <= m_bytes.size() - pos; }
    uint32_t u16(size_t pos) const { return m_bytes[pos] | (m_bytes[pos + 1] << 8); }
    uint32_t u32(size_t pos) const { return u16(pos) | (u16(pos + 2) << 16); }

    std::optional<std::vector<Member>> members() const {
        if (m_bytes.size() < 22) return std::nullopt;
        size_t eocd = m_bytes.size() - 22;
        while (u32(eocd) != 0x06054b50) {
            if (eocd == 0 || m_bytes.size() - eocd > 22 + 0xFFFF) return std::nullopt;
            --eocd;
        }
        const uint32_t count = u16(eocd + 10);
        size_t pos = u32(eocd + 16);
        std::vector<Member> result;
        for (uint32_t i = 0; i < count; ++i) {
            if (!has(pos, 46) || u32(pos) != 0x02014b50) return std::nullopt;
            Member m;
            m.flags = static_cast<uint16_t>(u16(pos + 8));
            m.method = static_cast<uint16_t>(u16(pos + 10));
            m.crc = u32(pos + 16);
            const size_t packed = u32(pos + 20);
            m.size = u32(pos + 24);
            const size_t nameLen = u16(pos + 28);
            const size_t local = u32(pos + 42);
            if (!has(pos + 46, nameLen)) return std::nullopt;
            m.name.assign(m_bytes.begin() + static_cast<long>(pos + 46),
                          m_bytes.begin() + static_cast<long>(pos + 46 + nameLen));
            if (!has(local, 30) || u32(local) != 0x04034b50) return std::nullopt;
            m.localMethod = static_cast<uint16_t>(u16(local + 8));
            const size_t data = local + 30 + u16(local + 26) + u16(local + 28);
            if (!has(data, packed)) return std::nullopt;
            m.data.assign(m_bytes.begin() + static_cast<long>(data),
                          m_bytes.begin() + static_cast<long>(data + packed));
            result.push_back(std::move(m));
            pos += 46 + nameLen + u16(pos + 30) + u16(pos + 32);
        }
        return result;
    }

    Bytes m_bytes;
};

bool isLegacyMethod(uint16_t method) { return method >= 1 && method <= 6; }

// Decodes a member's data with the decoder its method names, into outSize bytes.
Status decode(const Member& m, const Bytes& in, Bytes& out) {
    switch (m.method) {
    case 1: return zw::legacy::unshrink(in.data(), in.size(), out.data(), out.size());
    case 6: return zw::legacy::explode(in.data(), in.size(), out.data(), out.size(), m.flags);
    default: return zw::legacy::unreduce(in.data(), in.size(), out.data(), out.size(), m.method - 1);
    }
}

// Every unencrypted method 1-6 member of the corpus, with the archive it came from. Members
// whose local header names another method are left out: which header to believe is the
// archive reader's question, not the decoders'.
std::vector<std::pair<std::string, Member>> legacyCorpusMembers() {
    std::vector<std::pair<std::string, Member>> found;
    const fs::path root = corpusDir();
    if (root.empty() || !fs::exists(root)) return found;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file()) continue;
        auto members = TestArchive::read(entry.path());
        if (!members) continue;
        for (auto& m : *members) {
            if (isLegacyMethod(m.method) && m.localMethod == m.method && (m.flags & 1) == 0)
                found.emplace_back(fs::relative(entry.path(), root).string(), std::move(m));
        }
    }
    return found;
}

const std::vector<std::pair<std::string, Member>>& corpus() {
    static const auto members = legacyCorpusMembers();
    return members;
}

TEST(LegacyCorpus, EveryLegacyMemberDecodesToItsSizeAndCrc) {
    ASSERT_EQ(corpus().size(), 14u) << "corpus not found under QUAY_TESTDATA";
    std::set<std::string> variants;
    for (const auto& [archive, m] : corpus()) {
        SCOPED_TRACE(archive + " " + m.name + " method " + std::to_string(m.method));
        Bytes out(m.size);
        ASSERT_EQ(decode(m, m.data, out), Status::Ok);
        EXPECT_EQ(crcOf(out), m.crc);
        variants.insert(std::to_string(m.method) + (m.method == 6 ? "/" + std::to_string(m.flags & 6) : ""));
    }
    // Shrink, reduce with factors 1, 3 and 4, implode with 4K and two trees and with 8K
    // and three trees.
    EXPECT_EQ(variants, std::set<std::string>({"1", "2", "4", "5", "6/0", "6/6"}));
}

TEST(LegacyCorpus, MembersWithReferenceContentDecodeByteForByte) {
    // archive, member, method, reference file in expected/
    struct Case {
        const char* archive;
        const char* member;
        uint16_t method;
        const char* reference;
    };
    const Case cases[] = {
        {"zip2/legacy/shrink.zip", "FIRST.TXT", 1, "zip2-first.txt"},
        {"zip2/legacy/reduce.zip", "first.txt", 5, "zip2-first.txt"},
        {"zip2/legacy/implode.zip", "first.txt", 6, "zip2-first.txt"},
        {"sc/Archives/Zip.reduce1.zip", "TECT.TXT", 1, "sc-tect-crlf.txt"},
        {"sc/Archives/Zip.reduce1.zip", "TEST.EXE", 2, "sc-test.exe"},
        {"sc/Archives/Zip.reduce1.zip", "TEST.JPG", 2, "sc-test.jpg"},
        {"sc/Archives/Zip.reduce3.zip", "TECT.TXT", 1, "sc-tect-crlf.txt"},
        {"sc/Archives/Zip.reduce3.zip", "TEST.EXE", 4, "sc-test.exe"},
        {"sc/Archives/Zip.reduce3.zip", "TEST.JPG", 4, "sc-test.jpg"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.archive) + " " + c.member);
        const auto members = TestArchive::read(corpusDir() / c.archive);
        ASSERT_TRUE(members.has_value());
        const Member* m = nullptr;
        for (const auto& candidate : *members) m = candidate.name == c.member ? &candidate : m;
        ASSERT_NE(m, nullptr);
        ASSERT_EQ(m->method, c.method);
        const Bytes expected = readFile(corpusDir() / "expected" / c.reference);
        ASSERT_EQ(m->size, expected.size());
        Bytes out(m->size);
        ASSERT_EQ(decode(*m, m->data, out), Status::Ok);
        EXPECT_TRUE(out == expected);
    }
}

// Output buffers in the hostile tests carry a guard zone that must stay untouched.
constexpr size_t kGuard = 64;
constexpr uint8_t kGuardByte = 0xA5;

bool guardIntact(const Bytes& buffer, size_t outSize) {
    for (size_t i = outSize; i < buffer.size(); ++i) {
        if (buffer[i] != kGuardByte) return false;
    }
    return true;
}

Status decodeGuarded(const Member& m, const Bytes& in, size_t outSize, bool& guardOk) {
    Bytes buffer(outSize + kGuard, kGuardByte);
    Status status = Status::BadData;
    switch (m.method) {
    case 1: status = zw::legacy::unshrink(in.data(), in.size(), buffer.data(), outSize); break;
    case 6: status = zw::legacy::explode(in.data(), in.size(), buffer.data(), outSize, m.flags); break;
    default: status = zw::legacy::unreduce(in.data(), in.size(), buffer.data(), outSize, m.method - 1); break;
    }
    guardOk = guardIntact(buffer, outSize);
    return status;
}

TEST(LegacyHostileInput, TruncatedMembersAreBadData) {
    ASSERT_FALSE(corpus().empty());
    for (const auto& [archive, m] : corpus()) {
        SCOPED_TRACE(archive + " " + m.name);
        const size_t full = m.data.size();
        // Every cut for small members, a spread of cuts for large ones.
        const size_t step = full > 400 ? full / 97 + 1 : 1;
        for (size_t cut = 0; cut < full; cut += step) {
            const Bytes in(m.data.begin(), m.data.begin() + static_cast<long>(cut));
            bool guardOk = false;
            EXPECT_EQ(decodeGuarded(m, in, m.size, guardOk), Status::BadData) << "cut at " << cut;
            EXPECT_TRUE(guardOk);
        }
        const Bytes lastByteMissing(m.data.begin(), m.data.end() - 1);
        bool guardOk = false;
        EXPECT_EQ(decodeGuarded(m, lastByteMissing, m.size, guardOk), Status::BadData);
    }
}

TEST(LegacyHostileInput, OutputSizeBeyondTheDataIsBadData) {
    // The padding bits of the last byte may happen to decode to a byte more, so the sizes
    // are overstated by more than that.
    for (const auto& [archive, m] : corpus()) {
        SCOPED_TRACE(archive + " " + m.name);
        for (size_t extra : {size_t{7}, size_t{300}, size_t{5000}}) {
            bool guardOk = false;
            EXPECT_EQ(decodeGuarded(m, m.data, m.size + extra, guardOk), Status::BadData) << "extra " << extra;
            EXPECT_TRUE(guardOk);
        }
    }
}

TEST(LegacyHostileInput, DamagedMembersStayInsideTheirBuffers) {
    std::mt19937 random(20261208);
    for (const auto& [archive, m] : corpus()) {
        SCOPED_TRACE(archive + " " + m.name);
        for (int run = 0; run < 60; ++run) {
            Bytes in = m.data;
            const int changes = 1 + static_cast<int>(random() % 4);
            for (int k = 0; k < changes; ++k) in[random() % in.size()] = static_cast<uint8_t>(random());
            bool guardOk = false;
            const Status status = decodeGuarded(m, in, m.size, guardOk);
            EXPECT_TRUE(guardOk);
            EXPECT_TRUE(status == Status::Ok || status == Status::BadData);
        }
    }
}

TEST(LegacyHostileInput, RandomBytesAreBadData) {
    // No input of at most 512 bytes can describe 4 MB under any of these methods: a shrink
    // string is at most one byte longer than the number of codes before it, and a reduce
    // or implode match of at most a few hundred bytes costs several bits.
    constexpr size_t kOutSize = size_t{4} << 20;
    Bytes out(kOutSize + kGuard, kGuardByte);
    std::mt19937 random(8121966);
    for (int run = 0; run < 3000; ++run) {
        Bytes in(random() % 513);
        for (auto& b : in) b = static_cast<uint8_t>(random());
        const int method = 1 + run % 6;
        Status status = Status::Ok;
        if (method == 1)
            status = zw::legacy::unshrink(in.data(), in.size(), out.data(), kOutSize);
        else if (method == 6)
            status =
                zw::legacy::explode(in.data(), in.size(), out.data(), kOutSize, static_cast<uint16_t>(random() & 6));
        else
            status = zw::legacy::unreduce(in.data(), in.size(), out.data(), kOutSize, method - 1);
        ASSERT_EQ(status, Status::BadData) << "run " << run << " method " << method;
        ASSERT_TRUE(guardIntact(out, kOutSize));
    }
}

TEST(LegacyHostileInput, StoredBytesLabelledShrunkAreBadData) {
    // The central directory of this archive calls a stored member shrunk. Its first nine
    // bits read as code 354, which no string has been given yet.
    const auto members = TestArchive::read(corpusDir() / "yauzl/failure/unsupported_compression_method_1.zip");
    ASSERT_TRUE(members.has_value());
    ASSERT_EQ(members->size(), 2u);
    const Member& m = (*members)[1];
    ASSERT_EQ(m.method, 1);
    ASSERT_EQ(m.localMethod, 0);
    ASSERT_TRUE(m.data == Bytes({'b', 's', 'd', 'f', '\n'}));
    bool guardOk = false;
    EXPECT_EQ(decodeGuarded(m, m.data, m.size, guardOk), Status::BadData);
    EXPECT_TRUE(guardOk);
}

TEST(LegacyHostileInput, ReductionFactorOutsideOneToFourIsBadData) {
    const Bytes in(300, 0);
    Bytes out(16);
    for (int factor : {0, 5, -1, 100})
        EXPECT_EQ(zw::legacy::unreduce(in.data(), in.size(), out.data(), out.size(), factor), Status::BadData);
}

TEST(LegacyHostileInput, EmptyInputWithOutputExpectedIsBadData) {
    Bytes out(16);
    EXPECT_EQ(zw::legacy::unshrink(nullptr, 0, out.data(), out.size()), Status::BadData);
    for (int factor = 1; factor <= 4; ++factor)
        EXPECT_EQ(zw::legacy::unreduce(nullptr, 0, out.data(), out.size(), factor), Status::BadData);
    for (uint16_t flags : {0, 2, 4, 6})
        EXPECT_EQ(zw::legacy::explode(nullptr, 0, out.data(), out.size(), flags), Status::BadData);
}

TEST(LegacyEmptyMember, ZeroOutputSizeIsOkWithoutReading) {
    EXPECT_EQ(zw::legacy::unshrink(nullptr, 0, nullptr, 0), Status::Ok);
    EXPECT_EQ(zw::legacy::unreduce(nullptr, 0, nullptr, 0, 1), Status::Ok);
    EXPECT_EQ(zw::legacy::explode(nullptr, 0, nullptr, 0, 6), Status::Ok);
}

}  // namespace
