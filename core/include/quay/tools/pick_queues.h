// The report pick lists' shared in-memory lists: Cust::Queue, Prd::Queue,
// Ven::Queue, SP::Queue, Groups::Queue and Mfr::Queue (in quay::core::pick). A pick
// window fills its list, the user marks entries, and the list keeps its contents
// and marks after the window closes, for the report that called it. MARKED is 1 for
// an entry the user selected.
//
// Thread-safe: each list holds a mutex; reports on worker threads read a copy
// (entries()).
#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "quay/export.h"
#include "quay/tables/customer.h"
#include "quay/tables/groups.h"
#include "quay/tables/manufact.h"
#include "quay/tables/products.h"
#include "quay/tables/salesmen.h"
#include "quay/tables/vendors.h"
#include "quay/types/fixed_string.h"

namespace quay::core {

// What a pick window needs of its list, whatever its entries hold.
class QUAY_EXPORT PickSource {
public:
    virtual ~PickSource();
    virtual std::size_t size() const = 0;
    virtual std::vector<std::string> cells(std::size_t i) const = 0;  // the columns shown
    virtual std::string key(std::size_t i) const = 0;                 // what the locator compares
    virtual bool marked(std::size_t i) const = 0;
    virtual void setMarked(std::size_t i, bool on) = 0;
    virtual std::size_t markedCount() const = 0;
    virtual void clear() = 0;
    // Appends an entry made from a record of the list's table, unmarked.
    virtual void append(const void* record) = 0;
};

// One shared list of entries E. E provides static E fromRecord(const void*),
// cells(), key() and a MARKED byte.
template <class E>
class PickQueue : public PickSource {
public:
    using Entry = E;

    std::size_t size() const override {
        std::lock_guard lock(m_mutex);
        return m_entries.size();
    }
    std::vector<std::string> cells(std::size_t i) const override {
        std::lock_guard lock(m_mutex);
        return i < m_entries.size() ? m_entries[i].cells() : std::vector<std::string>{};
    }
    std::string key(std::size_t i) const override {
        std::lock_guard lock(m_mutex);
        return i < m_entries.size() ? m_entries[i].key() : std::string();
    }
    bool marked(std::size_t i) const override {
        std::lock_guard lock(m_mutex);
        return i < m_entries.size() && m_entries[i].MARKED != 0;
    }
    void setMarked(std::size_t i, bool on) override {
        std::lock_guard lock(m_mutex);
        if (i < m_entries.size()) m_entries[i].MARKED = on ? 1 : 0;
    }
    std::size_t markedCount() const override {
        std::lock_guard lock(m_mutex);
        std::size_t n = 0;
        for (const auto& e : m_entries) n += e.MARKED != 0;
        return n;
    }
    void clear() override {
        std::lock_guard lock(m_mutex);
        m_entries.clear();
    }
    void append(const void* record) override {
        std::lock_guard lock(m_mutex);
        m_entries.push_back(E::fromRecord(record));
    }
    void add(const E& e) {
        std::lock_guard lock(m_mutex);
        m_entries.push_back(e);
    }
    // A copy of the entries, for the reports that read the selection.
    std::vector<E> entries() const {
        std::lock_guard lock(m_mutex);
        return m_entries;
    }

private:
    mutable std::mutex m_mutex;
    std::vector<E> m_entries;
};

namespace pick {

namespace Cust {
struct Entry {
    FixedString<35> NAME;     // CUST::QUEUE::NAME
    std::uint8_t MARKED = 0;  // CUST::QUEUE::MARKED
    static Entry fromRecord(const void* r) { return {static_cast<const Customer*>(r)->Name, 0}; }
    std::vector<std::string> cells() const { return {NAME.str()}; }
    std::string key() const { return NAME.str(); }
};
QUAY_EXPORT extern PickQueue<Entry> Queue;
}  // namespace Cust

namespace Prd {
struct Entry {
    FixedString<20> PARTNUM;      // PRD::QUEUE::PARTNUM
    FixedString<35> DESCRIPTION;  // PRD::QUEUE::DESCRIPTION
    std::uint8_t MARKED = 0;
    static Entry fromRecord(const void* r) {
        const auto* p = static_cast<const Products*>(r);
        return {p->PartNum, p->DESCRIPTION, 0};
    }
    std::vector<std::string> cells() const { return {PARTNUM.str(), DESCRIPTION.str()}; }
    std::string key() const { return PARTNUM.str(); }
};
QUAY_EXPORT extern PickQueue<Entry> Queue;
}  // namespace Prd

namespace Ven {
struct Entry {
    FixedString<35> NAME;
    std::uint8_t MARKED = 0;
    static Entry fromRecord(const void* r) { return {static_cast<const Vendors*>(r)->NAME, 0}; }
    std::vector<std::string> cells() const { return {NAME.str()}; }
    std::string key() const { return NAME.str(); }
};
QUAY_EXPORT extern PickQueue<Entry> Queue;
}  // namespace Ven

namespace SP {
struct Entry {
    FixedString<5> INITIALS;
    FixedString<35> NAME;
    std::uint8_t MARKED = 0;
    static Entry fromRecord(const void* r) {
        const auto* s = static_cast<const Salesmen*>(r);
        return {s->Initials, s->NAME, 0};
    }
    std::vector<std::string> cells() const { return {INITIALS.str(), NAME.str()}; }
    std::string key() const { return INITIALS.str(); }
};
QUAY_EXPORT extern PickQueue<Entry> Queue;
}  // namespace SP

namespace Groups {
struct Entry {
    FixedString<15> GROUP;
    std::uint8_t MARKED = 0;
    static Entry fromRecord(const void* r) { return {static_cast<const core::Groups*>(r)->GROUP, 0}; }
    std::vector<std::string> cells() const { return {GROUP.str()}; }
    std::string key() const { return GROUP.str(); }
};
QUAY_EXPORT extern PickQueue<Entry> Queue;
}  // namespace Groups

namespace Mfr {
struct Entry {
    FixedString<35> NAME;
    std::uint8_t MARKED = 0;
    static Entry fromRecord(const void* r) { return {static_cast<const Manufact*>(r)->NAME, 0}; }
    std::vector<std::string> cells() const { return {NAME.str()}; }
    std::string key() const { return NAME.str(); }
};
QUAY_EXPORT extern PickQueue<Entry> Queue;
}  // namespace Mfr

}  // namespace pick
}  // namespace quay::core
