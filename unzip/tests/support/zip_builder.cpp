// Archive writer for tests (ZIP application note 4.3.7, 4.3.9, 4.3.12,
// 4.3.16; traditional encryption 6.1).
#include "zip_builder.h"

#include <zlib.h>

#include <fstream>
#include <random>
#include <stdexcept>

namespace zwtest {
namespace {

void put16(std::string& s, uint16_t v) {
    s.push_back(char(v & 0xFF));
    s.push_back(char(v >> 8));
}
void put32(std::string& s, uint32_t v) {
    put16(s, uint16_t(v & 0xFFFF));
    put16(s, uint16_t(v >> 16));
}

class Encryptor {
public:
    explicit Encryptor(const std::string& password) {
        for (unsigned char c : password) update(c);
    }
    char encrypt(unsigned char plain) {
        uint32_t t = (k2 & 0xFFFF) | 2;
        unsigned char cipher = plain ^ uint8_t((t * (t ^ 1)) >> 8);
        update(plain);
        return char(cipher);
    }

private:
    static uint32_t crcByte(uint32_t c, uint8_t b) {
        c ^= b;
        for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        return c;
    }
    void update(uint8_t p) {
        k0 = crcByte(k0, p);
        k1 = (k1 + (k0 & 0xFF)) * 134775813u + 1;
        k2 = crcByte(k2, uint8_t(k1 >> 24));
    }
    uint32_t k0 = 305419896u, k1 = 591751049u, k2 = 878082192u;
};

}  // namespace

uint32_t ZipBuilder::crc32(const std::string& data) {
    return uint32_t(::crc32(0, reinterpret_cast<const Bytef*>(data.data()), uInt(data.size())));
}

std::string ZipBuilder::deflate(const std::string& data) {
    z_stream z{};
    if (deflateInit2(&z, 6, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("deflateInit2");
    std::string out(deflateBound(&z, uLong(data.size())) + 16, '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    z.avail_in = uInt(data.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = uInt(out.size());
    ::deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

ZipBuilder& ZipBuilder::add(ZipEntry entry) {
    m_entries.push_back(std::move(entry));
    return *this;
}

ZipBuilder& ZipBuilder::add(const std::string& name, const std::string& data, uint16_t method) {
    ZipEntry e;
    e.name = name;
    e.data = data;
    e.method = method;
    return add(std::move(e));
}

ZipBuilder& ZipBuilder::comment(const std::string& text) {
    m_comment = text;
    return *this;
}

ZipBuilder& ZipBuilder::prefix(const std::string& bytes) {
    m_prefix = bytes;
    return *this;
}

ZipBuilder& ZipBuilder::entryCount(uint16_t count) {
    m_count = count;
    return *this;
}

std::string ZipBuilder::build() const {
    std::string out = m_prefix, central;
    std::mt19937 random(7);
    for (const ZipEntry& e : m_entries) {
        const uint32_t crc = crc32(e.data);
        std::string stored = e.rawData ? *e.rawData : e.method == 8 ? deflate(e.data) : e.data;
        uint16_t flags = e.flags;
        if (!e.password.empty()) {
            flags |= 1;
            Encryptor enc(e.password);
            std::string header;
            for (int i = 0; i < 11; ++i) header.push_back(enc.encrypt(uint8_t(random())));
            header.push_back(enc.encrypt(e.descriptor ? uint8_t(e.dosTime >> 8) : uint8_t(crc >> 24)));
            std::string body;
            for (unsigned char c : stored) body.push_back(enc.encrypt(c));
            stored = header + body;
        }
        if (e.descriptor) flags |= 8;
        const uint32_t offset = uint32_t(out.size() - m_prefix.size());
        std::string local;
        put32(local, 0x04034b50);
        put16(local, 20);
        put16(local, flags);
        put16(local, e.method);
        put16(local, e.dosTime);
        put16(local, e.dosDate);
        put32(local, e.descriptor ? 0 : crc);
        put32(local, e.descriptor ? 0 : uint32_t(stored.size()));
        put32(local, e.descriptor ? 0 : uint32_t(e.data.size()));
        put16(local, uint16_t(e.name.size()));
        put16(local, 0);
        out += local + e.name + stored;
        if (e.descriptor) {
            std::string d;
            put32(d, 0x08074b50);
            put32(d, crc);
            put32(d, uint32_t(stored.size()));
            put32(d, uint32_t(e.data.size()));
            out += d;
        }
        std::string c;
        put32(c, 0x02014b50);
        put16(c, e.madeBy);
        put16(c, 20);
        put16(c, flags);
        put16(c, e.method);
        put16(c, e.dosTime);
        put16(c, e.dosDate);
        put32(c, e.centralCrc.value_or(crc));
        put32(c, e.centralCompressedSize.value_or(uint32_t(stored.size())));
        put32(c, e.centralSize.value_or(uint32_t(e.data.size())));
        put16(c, uint16_t(e.name.size()));
        put16(c, 0);
        put16(c, uint16_t(e.comment.size()));
        put16(c, e.centralDisk.value_or(0));
        put16(c, 0);
        put32(c, e.externalAttributes);
        put32(c, e.centralOffset.value_or(offset));
        central += c + e.name + e.comment;
    }
    const uint32_t cdOffset = uint32_t(out.size() - m_prefix.size());
    out += central;
    std::string end;
    put32(end, 0x06054b50);
    put16(end, 0);
    put16(end, 0);
    put16(end, m_count.value_or(uint16_t(m_entries.size())));
    put16(end, m_count.value_or(uint16_t(m_entries.size())));
    put32(end, uint32_t(central.size()));
    put32(end, cdOffset);
    put16(end, uint16_t(m_comment.size()));
    return out + end + m_comment;
}

void ZipBuilder::writeTo(const std::string& path) const {
    std::ofstream f(path, std::ios::binary);
    std::string bytes = build();
    f.write(bytes.data(), std::streamsize(bytes.size()));
}

}  // namespace zwtest
