// The pick windows' logic and the six shared lists.
//
// Filling reads one record per next() with "QUICKSCAN=on" for the whole fill, so the
// store reads ahead in blocks while the window stays responsive between ticks.
#include "quay/tools/pick_list.h"

#include <algorithm>

#include "quay/app/globals.h"
#include "quay/types/fixed_string.h"

namespace quay::core {

PickSource::~PickSource() = default;

namespace pick {
PickQueue<Cust::Entry> Cust::Queue;
PickQueue<Prd::Entry> Prd::Queue;
PickQueue<Ven::Entry> Ven::Queue;
PickQueue<SP::Entry> SP::Queue;
PickQueue<Groups::Entry> Groups::Queue;
PickQueue<Mfr::Entry> Mfr::Queue;
}  // namespace pick

const std::vector<PickSpec>& pickSpecs() {
    static const std::vector<PickSpec> kSpecs = {
        {"PICKCUSTOMERS",
         "Pick Customers",
         {"Customer Name"},
         &Customer::desc(),
         Customer::byName,
         false,
         &pick::Cust::Queue},
        {"PICKPRODUCTS",
         "Pick Products",
         {"Part#", "Description"},
         &Products::desc(),
         Products::byPartNum,
         true,
         &pick::Prd::Queue},
        {"PICKVENDORS", "Pick Vendors", {"Vendor Name"}, &Vendors::desc(), Vendors::byName, false, &pick::Ven::Queue},
        {"PICKSALESMEN",
         "Pick Salespeople",
         {"Initials", "Name"},
         &Salesmen::desc(),
         Salesmen::byInitials,
         true,
         &pick::SP::Queue},
        {"PICKGROUPS", "Pick Groups", {"Group"}, &Groups::desc(), Groups::byGroup, false, &pick::Groups::Queue},
        {"PICKMANUFACTURERS",
         "Pick Manufacturers",
         {"Manufacturer"},
         &Manufact::desc(),
         Manufact::byName,
         false,
         &pick::Mfr::Queue},
    };
    return kSpecs;
}

const PickSpec* pickSpec(std::string_view procedure) {
    for (const auto& s : pickSpecs())
        if (s.procedure == procedure) return &s;
    return nullptr;
}

PickList::PickList(UiPort& ui, Table& table, const PickSpec& spec) : m_ui(ui), m_table(table), m_spec(spec) {}

void PickList::open() {
    if (m_spec.source->size() > 0) {
        // Entries from an earlier OK: shown with their marks; the first marked one
        // is highlighted.
        for (std::size_t i = 0; i < m_spec.source->size(); ++i) {
            if (m_spec.source->marked(i)) {
                m_current = i;
                m_anchor = i;
                break;
            }
        }
        return;
    }
    m_records = m_table.records();
    m_read = 0;
    m_progress = 0;
    m_progressChanged = true;
    m_table.send("QUICKSCAN=on");
    m_loading = m_table.set(m_spec.key) == ErrorCode::None;
    if (!m_loading) m_table.send("QUICKSCAN=off");
}

bool PickList::tick() {
    if (!m_loading) return false;
    for (int i = 0; i < kRecordsPerTick; ++i) {
        if (m_table.next() != ErrorCode::None) {
            m_loading = false;
            m_table.send("QUICKSCAN=off");
            m_progressChanged = true;
            return false;
        }
        m_spec.source->append(m_table.buffer());
        ++m_read;
    }
    const int percent =
        m_records > 0
            ? static_cast<int>(std::min<std::int64_t>(100, static_cast<std::int64_t>(m_read) * 100 / m_records))
            : 100;
    if (percent != m_progress) {
        m_progress = percent;
        m_progressChanged = true;
    }
    return true;
}

bool PickList::takeProgressChanged() {
    const bool r = m_progressChanged;
    m_progressChanged = false;
    return r;
}

void PickList::click(std::size_t index, PickClick how) {
    PickSource& q = *m_spec.source;
    const std::size_t n = q.size();
    if (index >= n) return;
    switch (how) {
    case PickClick::Plain:
        for (std::size_t i = 0; i < n; ++i) q.setMarked(i, i == index);
        m_anchor = index;
        break;
    case PickClick::Shift: {
        const std::size_t lo = std::min(m_anchor, index);
        const std::size_t hi = std::max(m_anchor, index);
        for (std::size_t i = 0; i < n; ++i) q.setMarked(i, i >= lo && i <= hi);
        break;
    }
    case PickClick::Ctrl:
        q.setMarked(index, !q.marked(index));
        m_anchor = index;
        break;
    }
    m_current = index;
}

void PickList::locate(std::string_view text) {
    if (!m_spec.hasLocator || text.empty()) return;
    const PickSource& q = *m_spec.source;
    for (std::size_t i = 0; i < q.size(); ++i) {
        const std::string key = q.key(i);
        const std::string_view head = std::string_view(key).substr(0, text.size());
        if (detail::compareTexts(head, text, true) >= 0) {
            m_current = i;
            m_anchor = i;
            return;
        }
    }
    if (q.size() > 0) {
        m_current = q.size() - 1;
        m_anchor = q.size() - 1;
    }
}

std::size_t PickList::ok() {
    // A list closed half-filled would be shown as if whole at the next opening.
    while (tick()) {
    }
    m_closed = true;
    m_response = Response::Completed;
    glo.GlobalResponse = Response::Completed;
    return m_spec.source->markedCount();
}

void PickList::cancel() {
    if (m_loading) {
        m_loading = false;
        m_table.send("QUICKSCAN=off");
    }
    m_spec.source->clear();
    m_closed = true;
    m_response = Response::Cancelled;
    glo.GlobalResponse = Response::Cancelled;
}

namespace {

Response runPick(UiPort& ui, WindowName procedure) {
    const WindowResponse r = ui.runWindow(procedure, WindowRequest{});
    glo.GlobalResponse = r.response;
    return r.response;
}

}  // namespace

Response PICKCUSTOMERS(UiPort& ui) { return runPick(ui, "PICKCUSTOMERS"); }
Response PICKPRODUCTS(UiPort& ui) { return runPick(ui, "PICKPRODUCTS"); }
Response PICKVENDORS(UiPort& ui) { return runPick(ui, "PICKVENDORS"); }
Response PICKSALESMEN(UiPort& ui) { return runPick(ui, "PICKSALESMEN"); }
Response PICKGROUPS(UiPort& ui) { return runPick(ui, "PICKGROUPS"); }
Response PICKMANUFACTURERS(UiPort& ui) { return runPick(ui, "PICKMANUFACTURERS"); }

}  // namespace quay::core
