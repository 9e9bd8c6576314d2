// The customer and vendor list reports and the mailing labels. The type is read through
// the active-name key when one type is asked for, so a list of active customers walks
// only them; every other filter is applied record by record.
#include <memory>

#include "quay/app/globals.h"
#include "quay/app/last_error.h"
#include "quay/app/standard_messages.h"
#include "quay/reports/lists/list_reports.h"
#include "quay/reports/run/house_layout.h"
#include "quay/reports/run/house_report.h"
#include "quay/reports/run/pick_filter.h"
#include "quay/tables/comments.h"
#include "quay/tables/customer.h"
#include "quay/tables/vendors.h"
#include "quay/tools/pick_queues.h"
#include "quay/types/picture.h"

namespace quay::reports {

using core::ErrorCode;
using core::glo;

namespace {

enum ListBand { kHeading = 1, kRecord, kDetail, kComment, kClose, kTerms, kVendorComments, kCount };

// The type asked for: 1 active, 0 inactive, -1 all.
int typeWanted() {
    if (glo.CustType == "DEAD") return 0;
    if (glo.CustType == "ALL") return -1;
    return 1;
}

void addHeading(ReportLayout& l, const std::string& title, Units height) {
    using namespace house;
    Band& head = l.addBand(kHeading, BandKind::PageHeader, height);
    head.add(textControl("company", 0, 0, 5000, kRow, "", kBold));
    head.add(textControl("", 0, 200, 5000, 320, title, kTitle));
    addRunStamp(head);
    head.add(lineControl("", 0, height - 10, l.page().bodyWidth(), 0));
}

// Columns of a one-line list: name, caption, x, width.
struct Column {
    const char* name;
    const char* caption;
    Units x;
    Units width;
};

void addColumns(ReportLayout& l, Band& line, std::initializer_list<Column> columns) {
    Band& head = *l.band(kHeading);
    for (const Column& c : columns) {
        head.add(textControl("", c.x, 560, c.width, house::kRow, c.caption, house::kBold));
        line.add(textControl(c.name, c.x, 0, c.width - 40, house::kRow, "", house::kText));
    }
}

// --- the customers' record set, shared by the three customer reports -----------------

class CustomerReport : public HouseReport {
public:
    CustomerReport(core::Database& db, bool byZip, bool priceClassApplies)
        : HouseReport(db), m_customers(db), m_byZip(byZip), m_priceClassApplies(priceClassApplies) {}

protected:
    std::vector<core::Table*> tables() override { return {&m_customers}; }
    void selectCustomers(ReportRun& run) {
        run.setText("company", company().COMPANYNAME.str());
        stampRun(run);
        m_picked = PickFilter(core::pick::Cust::Queue);
        m_type = typeWanted();
        m_priceClass =
            m_priceClassApplies && !glo.PriceClass.isBlank() && glo.PriceClass != "A" ? glo.PriceClass.str() : "";
        auto keep = [this] {
            const core::Customer& c = m_customers.rec;
            if (m_type >= 0 && c.Active != m_type) return false;
            if (!m_priceClass.empty() && c.PRICECLASS != m_priceClass) return false;
            return m_picked.accepts(c.Name.view());
        };
        if (m_byZip || m_type < 0) {
            setRecords(m_customers, m_byZip ? core::Customer::byZip : core::Customer::byName).keepIf(keep);
        } else {
            const std::uint8_t active = static_cast<std::uint8_t>(m_type);
            setRecords(m_customers, core::Customer::byActiveName)
                .startAt([this, active] { m_customers.rec.Active = active; })
                .whileTrue([this, active] { return m_customers.rec.Active == active; })
                .keepIf(keep);
        }
    }
    const core::Customer& customer() const { return m_customers.rec; }

    core::Handle<core::Customer> m_customers;

private:
    bool m_byZip;
    bool m_priceClassApplies;
    PickFilter m_picked;
    int m_type = 1;
    std::string m_priceClass;
};

// --- "Customer List" ------------------------------------------------------------------

class CustomerListJob final : public CustomerReport {
public:
    explicit CustomerListJob(core::Database& db) : CustomerReport(db, false, true), m_comments(db) {}

    std::string title() const override { return "Customer List"; }
    ReportLayout layout() const override {
        using namespace house;
        ReportLayout l = house::layout(title());
        addHeading(l, title(), 780);
        Band& head = *l.band(kHeading);
        head.add(textControl("", 0, 560, 3000, kRow, "Name", kBold));
        head.add(textControl("", 3600, 560, 1400, kRow, "Phone#", kBold));
        head.add(textControl("", 5100, 560, 1400, kRow, "Fax#", kBold));
        Band& rec = l.addBand(kRecord, BandKind::Detail, 3 * kRow + 60);
        rec.keepWithNext = true;
        rec.add(textControl("name", 0, 40, 3500, kRow, "", kBold));
        rec.add(textControl("phone", 3600, 40, 1400, kRow, "", kText));
        rec.add(textControl("fax", 5100, 40, 1400, kRow, "", kText));
        rec.add(textControl("address1", 300, 40 + kRow, 3200, kRow, "", kText));
        rec.add(textControl("address2", 3600, 40 + kRow, 3200, kRow, "", kText));
        rec.add(textControl("cityLine", 300, 40 + 2 * kRow, 3200, kRow, "", kText));
        Band& detail = l.addBand(kDetail, BandKind::Detail, kRow);
        detail.add(textControl("detail", 600, 0, 5400, kRow, "", kText));
        Band& comment = l.addBand(kComment, BandKind::Detail, kRow);
        comment.add(textControl("commentCaption", 600, 0, 900, kRow, "Comments:", kBold));
        comment.add(wrappedText("comment", 1500, 0, 6000, kRow, "", kText));
        Band& close = l.addBand(kClose, BandKind::Detail, 120);
        close.add(lineControl("", 0, 60, kBodyWidth, 0, 5));
        return l;
    }

private:
    std::vector<core::Table*> tables() override { return {&m_customers, &m_comments}; }
    bool start(core::UiPort&, ReportRun& run) override {
        selectCustomers(run);
        return true;
    }
    bool printRecord(core::UiPort& ui, ReportRun& run) override {
        const core::Customer& c = customer();
        run.setText("name", c.Name.str());
        run.setText("phone", c.PHONE1.str());
        run.setText("fax", c.FAX.str());
        run.setText("address1", c.ADDRESS1.str());
        run.setText("address2", c.ADDRESS2.str());
        run.setText("cityLine", house::joined({c.CITY.view(), c.STATE.view(), c.ZipCode.view()}, "  "));
        run.print(kRecord);
        auto detail = [&run](std::string text) {
            run.setText("detail", text.substr(0, 60));
            run.print(kDetail);
        };
        if (!c.TAXLIC1.isBlank()) detail("Tax License 1:  " + c.TAXLIC1.str());
        if (!c.TAXLIC2.isBlank()) detail("Tax License 2:  " + c.TAXLIC2.str());
        detail("Price Class:  " + c.PRICECLASS.str());
        if (c.CREDITLIMIT > core::Decimal<13, 2>()) detail("Credit Limit:  " + c.CREDITLIMIT.toString());
        if (!c.BILLTO.isBlank()) detail("Bill To:  " + c.BILLTO.str());
        if (glo.PrintComments && !printComments(ui, run)) return false;
        run.print(kClose);
        return true;
    }
    bool printComments(core::UiPort& ui, ReportRun& run) {
        const std::string name = customer().Name.str();
        m_comments.clear();
        m_comments.rec.Customer = name;
        m_comments.rec.CMTDATE = std::numeric_limits<std::int32_t>::max();  // newest first: the key runs descending
        m_comments.rec.CMTTIME = std::numeric_limits<std::int32_t>::max();
        ErrorCode e = m_comments.setAtKey(core::Comments::ByCustomer);
        bool first = true;
        while (e == ErrorCode::None) {
            e = m_comments.next();
            if (e != ErrorCode::None || m_comments.rec.Customer != name) break;
            const core::Comments& n = m_comments.rec;
            if (house::trimmed(n.Notes.view()).empty()) continue;
            run.setHidden("commentCaption", !first);
            run.setText("comment", core::formatPicture("@d2b", n.CMTDATE) + " " +
                                       core::formatPicture("@t7b", n.CMTTIME) + " : " + n.Notes.str());
            run.print(kComment);
            first = false;
        }
        if (e != ErrorCode::None && e != ErrorCode::RecordNotAvailable) {
            core::saveError(m_comments);
            core::showStandardMessage(ui, core::StandardMessage::RecordRetrievalError, {m_comments.desc().name});
            return false;
        }
        return true;
    }

    core::Handle<core::Comments> m_comments;
};

// --- mailing labels -------------------------------------------------------------------

class CustomerLabelsJob final : public CustomerReport {
public:
    explicit CustomerLabelsJob(core::Database& db) : CustomerReport(db, true, true) {}

    std::string title() const override { return "Customer Mailing Labels"; }
    ReportLayout layout() const override {
        const LabelSheet sheet = mailingLabelSheet();
        ReportLayout l(title(), sheet.page);
        Band& label = l.addBand(kRecord, BandKind::Detail, sheet.labelHeight);
        label.across = sheet.across;
        label.columnWidth = sheet.columnPitch;
        // Four lines of 35 characters, inset from the label's edges.
        const Units inset = 150, top = 140, row = 170;
        const FontSpec font{.pointSize = 8};
        for (int i = 0; i < 4; ++i)
            label.add(textControl("line" + std::to_string(i + 1), inset, top + i * row, sheet.labelWidth - 2 * inset,
                                  row, "", font));
        return l;
    }

private:
    bool start(core::UiPort&, ReportRun& run) override {
        selectCustomers(run);
        return true;
    }
    bool printRecord(core::UiPort&, ReportRun& run) override {
        const core::Customer& c = customer();
        auto cut = [](std::string s) { return s.size() > 35 ? s.substr(0, 35) : s; };
        run.setText("line1", cut(c.Name.str()));
        run.setText("line2", cut(c.ADDRESS1.str()));
        run.setText("line3", cut(c.ADDRESS2.str()));
        run.setText("line4", cut(c.CITY.str() + ", " + c.STATE.str() + "  " + c.ZipCode.str()));
        run.print(kRecord);
        return true;
    }
};

// --- "Customer 1-Line List" -----------------------------------------------------------

class CustomerOneLineJob final : public CustomerReport {
public:
    CustomerOneLineJob(core::Database& db, bool wide) : CustomerReport(db, false, false), m_wide(wide) {}

    std::string title() const override { return "Customer 1-Line List"; }
    ReportLayout layout() const override {
        ReportLayout l = house::layout(title());
        if (m_wide) l.setPage(l.page().landscape());
        addHeading(l, title(), 780);
        Band& line = l.addBand(kRecord, BandKind::Detail, house::kRow + 20);
        if (m_wide)
            addColumns(l, line,
                       {{"name", "Name", 0, 2300},
                        {"address", "Address", 2300, 2200},
                        {"city", "City", 4500, 1300},
                        {"state", "ST", 5800, 350},
                        {"zip", "Zip", 6150, 750},
                        {"phone", "Phone", 6900, 950},
                        {"phone2", "Phone 2", 7850, 950},
                        {"ext", "Ext", 8800, 350},
                        {"fax", "Fax", 9150, 850}});
        else
            addColumns(l, line,
                       {{"name", "Name", 0, 2200},
                        {"address", "Address", 2200, 2000},
                        {"city", "City", 4200, 1200},
                        {"state", "ST", 5400, 350},
                        {"zip", "Zip", 5750, 750},
                        {"phone", "Phone", 6500, 1000}});
        Band& count = l.addBand(kCount, BandKind::Totals, 320);
        count.add(textControl("", 0, 100, 1500, house::kRow, "Total Customers:", house::kBold));
        count.add(fieldControl("count", 1500, 100, 800, house::kRow, "@n_9", house::kBold));
        return l;
    }

private:
    bool start(core::UiPort&, ReportRun& run) override {
        selectCustomers(run);
        return true;
    }
    bool printRecord(core::UiPort&, ReportRun& run) override {
        const core::Customer& c = customer();
        run.setText("name", c.Name.str());
        run.setText("address", c.ADDRESS1.str());
        run.setText("city", c.CITY.str());
        run.setText("state", c.STATE.str());
        run.setText("zip", c.ZipCode.str());
        run.setText("phone", c.PHONE1.str());
        if (m_wide) {
            run.setText("phone2", c.PHONE2.str());
            run.setText("ext", c.EXTENSION.str());
            run.setText("fax", c.FAX.str());
        }
        run.print(kRecord);
        ++m_count;
        return true;
    }
    void finish(core::UiPort&, ReportRun& run) override {
        if (m_count == 0) return;
        run.setValue("count", m_count);
        run.print(kCount);
    }

    bool m_wide;
    std::int64_t m_count = 0;
};

// --- "Vendor List" --------------------------------------------------------------------

class VendorListJob final : public HouseReport {
public:
    VendorListJob(core::Database& db, bool wide, bool oneLiner, bool comments)
        : HouseReport(db), m_vendors(db), m_wide(wide), m_oneLiner(oneLiner), m_comments(comments) {}

    std::string title() const override { return "Vendor List"; }
    ReportLayout layout() const override {
        using namespace house;
        ReportLayout l = house::layout(title());
        if (m_wide) l.setPage(l.page().landscape());
        const Units body = l.page().bodyWidth();
        addHeading(l, title(), 780);
        Band& line = l.addBand(kRecord, BandKind::Detail, kRow + 20);
        line.keepWithNext = !m_oneLiner;
        if (m_wide)
            addColumns(l, line,
                       {{"name", "Name", 0, 2300},
                        {"address", "Address", 2300, 2200},
                        {"city", "City", 4500, 1300},
                        {"state", "ST", 5800, 350},
                        {"zip", "Zip", 6150, 750},
                        {"phone", "Phone", 6900, 950},
                        {"phone2", "Phone 2", 7850, 950},
                        {"ext", "Ext", 8800, 350},
                        {"fax", "Fax", 9150, 850}});
        else
            addColumns(l, line,
                       {{"name", "Name", 0, 2200},
                        {"address", "Address", 2200, 2000},
                        {"city", "City", 4200, 1200},
                        {"state", "ST", 5400, 350},
                        {"zip", "Zip", 5750, 750},
                        {"phone", "Phone", 6500, 1000}});
        Band& terms = l.addBand(kTerms, BandKind::Detail, kRow);
        terms.add(textControl("terms", 300, 0, 4000, kRow, "", kText));
        Band& comments = l.addBand(kVendorComments, BandKind::Detail, kRow);
        comments.add(textControl("", 300, 0, 900, kRow, "Comments:", kBold));
        comments.add(wrappedText("comments", 1200, 0, body - 1200, kRow, "", kText));
        Band& close = l.addBand(kClose, BandKind::Detail, 120);
        close.add(lineControl("", 0, 60, body, 0, 5));
        Band& count = l.addBand(kCount, BandKind::Totals, 320);
        count.add(textControl("", 0, 100, 1500, kRow, "Vendor Count:", kBold));
        count.add(fieldControl("count", 1500, 100, 800, kRow, "@n_9", kBold));
        return l;
    }

private:
    std::vector<core::Table*> tables() override { return {&m_vendors}; }
    bool start(core::UiPort&, ReportRun& run) override {
        run.setText("company", company().COMPANYNAME.str());
        stampRun(run);
        m_picked = PickFilter(core::pick::Ven::Queue);
        const int type = typeWanted();
        auto keep = [this] { return m_picked.accepts(m_vendors.rec.NAME.view()); };
        if (type < 0) {
            setRecords(m_vendors, core::Vendors::byName).keepIf(keep);
        } else {
            const std::uint8_t active = static_cast<std::uint8_t>(type);
            setRecords(m_vendors, core::Vendors::byActiveName)
                .startAt([this, active] { m_vendors.rec.Active = active; })
                .whileTrue([this, active] { return m_vendors.rec.Active == active; })
                .keepIf(keep);
        }
        return true;
    }
    bool printRecord(core::UiPort&, ReportRun& run) override {
        const core::Vendors& v = m_vendors.rec;
        run.setText("name", v.NAME.str());
        run.setText("address", v.ADD1.str());
        run.setText("city", v.CITY.str());
        run.setText("state", v.STATE.str());
        run.setText("zip", v.ZIPCODE.str());
        run.setText("phone", v.PHONE1.str());
        if (m_wide) {
            run.setText("phone2", v.PHONE2.str());
            run.setText("ext", v.EXTENSION.str());
            run.setText("fax", v.FAX.str());
        }
        run.print(kRecord);
        if (!m_oneLiner) {
            if (!v.TERMS.isBlank()) {
                run.setText("terms", "Terms:  " + v.TERMS.str());
                run.print(kTerms);
            }
            if (m_comments && !house::trimmed(v.Comments.view()).empty()) {
                run.setText("comments", v.Comments.str());
                run.print(kVendorComments);
            }
            run.print(kClose);
        }
        ++m_count;
        return true;
    }
    void finish(core::UiPort&, ReportRun& run) override {
        if (m_count == 0) return;
        run.setValue("count", m_count);
        run.print(kCount);
    }

    core::Handle<core::Vendors> m_vendors;
    bool m_wide, m_oneLiner, m_comments;
    PickFilter m_picked;
    std::int64_t m_count = 0;
};

SelectionChoice typeChoice(const char* caption) {
    return {.caption = caption,
            .options = {{"Active", "ACTIVE"}, {"Inactive", "DEAD"}, {"All", "ALL"}},
            .atOpen = "ACTIVE",
            .store = [](const std::string& v) { glo.CustType = v; }};
}

SelectionChoice priceClassChoice() {
    return {.caption = "Pr&ice Class",
            .options = {{"All", "A"}, {"Retail", "R"}, {"Cost", "C"}},
            .atOpen = "A",
            .store = [](const std::string& v) { glo.PriceClass = v; }};
}

SelectionSpec listSpec(const char* procedure, const char* title, PickKind pick) {
    return SelectionSpec{.procedure = procedure,
                         .title = title,
                         .picks = {pick},
                         .clearPicksOnClose = true,
                         .printCaption = "&Print",
                         .closeCaption = "Close"};
}

}  // namespace

LabelSheet mailingLabelSheet() {
    LabelSheet s;
    s.page = PageGeometry{
        .width = 8500, .height = 11000, .leftMargin = 188, .topMargin = 500, .rightMargin = 187, .bottomMargin = 500};
    return s;
}

ReportWindow customerListWindow() {
    SelectionSpec spec = listSpec("CustListRptSelect", "Customer List Selection", PickKind::Customers);
    spec.choices = {typeChoice("Cu&stomer Type"), priceClassChoice()};
    spec.flags = {{.caption = "P&rint Comments", .global = &core::Globals::PrintComments}};
    return {std::move(spec), [](core::Database& db) { return std::make_unique<CustomerListJob>(db); }};
}

ReportWindow customerLabelsWindow() {
    SelectionSpec spec = listSpec("CustMailLblRptSelect", "Customer Mailling Labels", PickKind::Customers);
    spec.choices = {typeChoice("Customer Type"), priceClassChoice()};
    spec.askPreview = true;
    return {std::move(spec), [](core::Database& db) { return std::make_unique<CustomerLabelsJob>(db); }};
}

ReportWindow customerOneLineWindow() {
    SelectionSpec spec = listSpec("Cust1LineSelect", "Customer 1-Line List Selection", PickKind::Customers);
    spec.choices = {typeChoice("Customer Type")};
    spec.flags = {{.caption = "Landscape", .global = &core::Globals::Landscape}};
    return {std::move(spec),
            [](core::Database& db) { return std::make_unique<CustomerOneLineJob>(db, glo.Landscape != 0); }};
}

ReportWindow vendorListWindow() {
    SelectionSpec spec = listSpec("VendorListSelect", "Vendor List Selection", PickKind::Vendors);
    spec.choices = {typeChoice("Vendor Type")};
    spec.flags = {{.caption = "1-Line Report", .global = &core::Globals::OneLiner},
                  {.caption = "Print Comments", .global = &core::Globals::PrintComments},
                  {.caption = "Landscape", .global = &core::Globals::Landscape}};
    return {std::move(spec), [](core::Database& db) {
                return std::make_unique<VendorListJob>(db, glo.Landscape != 0, glo.OneLiner != 0,
                                                       glo.PrintComments != 0);
            }};
}

}  // namespace quay::reports
