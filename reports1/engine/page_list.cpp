// Page lists over memory or over a run's page store.
#include "quay/reports/engine/page_list.h"

#include <cassert>

#include "page_store.h"

namespace quay::reports {

PageList::PageList() = default;
PageList::PageList(std::vector<Page> pages) : m_pages(std::move(pages)) {}
PageList::PageList(std::shared_ptr<const detail::PageStore> store) : m_store(std::move(store)) {}
PageList::~PageList() = default;
PageList::PageList(const PageList&) = default;
PageList& PageList::operator=(const PageList&) = default;
PageList::PageList(PageList&&) noexcept = default;
PageList& PageList::operator=(PageList&&) noexcept = default;

int PageList::pageCount() const { return m_store ? m_store->pageCount() : static_cast<int>(m_pages.size()); }

std::shared_ptr<const Page> PageList::readPage(int index, std::string* error) const {
    // REQUIRES: index names a page of the list.
    assert(index >= 0 && index < pageCount());
    if (m_store) return m_store->read(index, error);
    // Not owned: the page lives in this list.
    return std::shared_ptr<const Page>(std::shared_ptr<const Page>(), &m_pages[static_cast<std::size_t>(index)]);
}

Page PageList::page(int index) const {
    std::shared_ptr<const Page> p = readPage(index);
    return p ? *p : Page{};
}

void PageList::appendPage(Page page) {
    // REQUIRES: the pages are held in memory.
    assert(!m_store);
    m_pages.push_back(std::move(page));
}

std::uint64_t PageList::storedBytes() const { return m_store ? m_store->storedBytes() : 0; }

}  // namespace quay::reports
