// The page store. A page's record is encoded whole in memory and appended with one write,
// so a failed write never leaves a page half stored: the pages before it stay readable and
// the run is told at once, through append()'s result, that the report is incomplete.
#include "page_store.h"

#include <cassert>
#include <cstring>

namespace quay::reports::detail {
namespace {

constexpr std::size_t kHeaderSize = 8;
// A page of a report holds at most a few thousand items; a record beyond this is damage.
constexpr std::uint32_t kMaxRecord = 64u << 20;

std::uint32_t checksum(std::string_view data) {
    std::uint32_t h = 2166136261u;
    for (char c : data) {
        h ^= static_cast<unsigned char>(c);
        h *= 16777619u;
    }
    return h;
}

void putU32(std::uint32_t v, char* out) {
    for (int i = 0; i < 4; ++i) out[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

std::uint32_t getU32(const char* in) {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= std::uint32_t{static_cast<unsigned char>(in[i])} << (8 * i);
    return v;
}

}  // namespace

PageStore::PageStore(std::unique_ptr<PageFile> file, std::string folder)
    : m_file(std::move(file)), m_folder(std::move(folder)) {}

bool PageStore::append(const Page& page, const std::vector<std::uint32_t>& patterns) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_error.empty()) return false;
    if (!m_file) {
        std::string why;
        m_file = openTemporaryPageFile(m_folder, why);
        if (!m_file) {
            m_error = "The report's pages could not be stored: " + why + ".";
            return false;
        }
    }
    m_buffer.assign(kHeaderSize, '\0');
    m_codec.encode(page, patterns, m_buffer);
    const std::size_t payload = m_buffer.size() - kHeaderSize;
    if (payload > kMaxRecord) {
        m_error =
            "The report's pages could not be stored: page " + std::to_string(m_offsets.size() + 1) + " holds too much.";
        return false;
    }
    putU32(static_cast<std::uint32_t>(payload), m_buffer.data());
    putU32(checksum(std::string_view(m_buffer).substr(kHeaderSize)), m_buffer.data() + 4);
    const std::uint64_t offset = m_file->size();
    std::string why;
    if (!m_file->append(m_buffer.data(), m_buffer.size(), why)) {
        m_error = "The report's pages could not be stored in the temporary folder: " + why + ".";
        return false;
    }
    m_offsets.push_back(offset);
    return true;
}

bool PageStore::hasFailed() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return !m_error.empty();
}

std::string PageStore::error() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_error;
}

int PageStore::pageCount() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return static_cast<int>(m_offsets.size());
}

std::uint64_t PageStore::storedBytes() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_file ? m_file->size() : 0;
}

std::shared_ptr<const Page> PageStore::read(int index, std::string* error) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    // REQUIRES: index names a stored page.
    assert(index >= 0 && static_cast<std::size_t>(index) < m_offsets.size());
    for (std::size_t i = 0; i < m_cache.size(); ++i) {
        if (m_cache[i].first != index) continue;
        std::shared_ptr<const Page> page = m_cache[i].second;
        if (i > 0) {
            m_cache.erase(m_cache.begin() + static_cast<long>(i));
            m_cache.insert(m_cache.begin(), {index, page});
        }
        return page;
    }
    std::shared_ptr<const Page> page = readLocked(index, error);
    if (!page) return nullptr;
    if (m_cache.size() >= kCachedPages) m_cache.pop_back();
    m_cache.insert(m_cache.begin(), {index, page});
    return page;
}

std::shared_ptr<const Page> PageStore::readLocked(int index, std::string* error) const {
    auto fail = [&](const std::string& why) {
        if (error) *error = "Page " + std::to_string(index + 1) + " of the report could not be read back: " + why + ".";
        return nullptr;
    };
    if (index < 0 || static_cast<std::size_t>(index) >= m_offsets.size() || !m_file)
        return fail("there is no such page");
    const std::uint64_t offset = m_offsets[static_cast<std::size_t>(index)];
    const std::uint64_t end = static_cast<std::size_t>(index) + 1 < m_offsets.size()
                                  ? m_offsets[static_cast<std::size_t>(index) + 1]
                                  : m_file->size();
    if (end < offset + kHeaderSize || end - offset - kHeaderSize > kMaxRecord) return fail("its record is damaged");
    m_readBuffer.resize(static_cast<std::size_t>(end - offset));
    std::string why;
    if (!m_file->readAt(offset, m_readBuffer.data(), m_readBuffer.size(), why)) return fail(why);
    const std::string_view payload = std::string_view(m_readBuffer).substr(kHeaderSize);
    if (getU32(m_readBuffer.data()) != payload.size() || getU32(m_readBuffer.data() + 4) != checksum(payload))
        return fail("its record is damaged");
    auto page = std::make_shared<Page>();
    if (!m_codec.decode(payload, index + 1, static_cast<int>(m_offsets.size()), *page))
        return fail("its record is damaged");
    return page;
}

}  // namespace quay::reports::detail
