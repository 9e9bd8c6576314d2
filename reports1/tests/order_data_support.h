// A fresh data set in a temporary directory, filled record by record for the report
// tests: the company record, customers, products, orders with their lines and serial
// numbers, charges, payments and their applications, vendors and salespeople. Each
// add() writes one record through its own handle, as another window would have.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "quay/app/globals.h"
#include "quay/store/database.h"
#include "quay/store/table.h"
#include "quay/tables/all_tables.h"
#include "quay/types/date.h"

namespace quay::reports::testing {

class OrderData {
public:
    OrderData() {
        char pattern[] = "/tmp/quayrepXXXXXX";
        if (::mkdtemp(pattern) == nullptr) ADD_FAILURE() << "no temporary directory";
        m_dir = pattern;
        m_db = std::make_unique<core::Database>(m_dir);
        EXPECT_TRUE(m_db->isOpen()) << m_db->driverErrorText();
        for (const core::TableDesc* desc : core::fileTables()) {
            std::vector<char> buffer(desc->recordSize);
            core::Table t(*m_db, *desc, buffer.data());
            EXPECT_EQ(t.create(), core::ErrorCode::None) << desc->name << ": " << t.driverErrorText();
        }
    }
    ~OrderData() {
        m_db.reset();
        std::error_code ec;
        std::filesystem::remove_all(m_dir, ec);
    }
    OrderData(const OrderData&) = delete;
    OrderData& operator=(const OrderData&) = delete;

    core::Database& db() { return *m_db; }
    const std::string& dir() const { return m_dir; }

    template <class R>
    void add(const R& record) {
        core::Handle<R> h(*m_db);
        ASSERT_EQ(h.open(), core::ErrorCode::None) << h.driverErrorText();
        h.rec = record;
        ASSERT_EQ(h.add(), core::ErrorCode::None) << R::desc().name << ": " << h.driverErrorText();
        h.close();
    }

    // Removes the records of table R for which pred holds.
    template <class R, class Pred>
    void erase(Pred pred) {
        core::Handle<R> h(*m_db);
        ASSERT_EQ(h.open(), core::ErrorCode::None);
        ASSERT_EQ(h.setFileOrder(), core::ErrorCode::None);
        while (h.next() == core::ErrorCode::None)
            if (pred(h.rec)) {
                ASSERT_EQ(h.erase(), core::ErrorCode::None);
            }
        h.close();
    }

    template <class R>
    std::int64_t count() {
        core::Handle<R> h(*m_db);
        EXPECT_EQ(h.open(), core::ErrorCode::None);
        const std::int64_t n = h.records();
        h.close();
        return n;
    }

private:
    std::string m_dir;
    std::unique_ptr<core::Database> m_db;
};

inline std::int32_t day(int year, int month, int dayOfMonth) { return *core::dateFromCivil(year, month, dayOfMonth); }

template <int D, int P>
core::Decimal<D, P> dec(const char* text) {
    core::Decimal<D, P> d;
    EXPECT_EQ(d.parse(text), core::DecimalStatus::Ok) << text;
    return d;
}
inline core::Decimal<13, 2> money(const char* text) { return dec<13, 2>(text); }
inline core::Decimal<13, 4> price(const char* text) { return dec<13, 4>(text); }

// A company that prints its name and address, rounds to cents and signs nothing.
inline core::Defaults company() {
    core::Defaults d{};
    d.COMPANYNUM = 1;
    d.COMPANYNAME = "Harbour Supply Co.";
    d.ADD1 = "12 Quay Street";
    d.CITY = "Portsmouth";
    d.STATE = "NH";
    d.ZIPCODE = "03801-1234";
    d.PHONE1 = "(603)555-0100";
    d.PRINTNAME = 1;
    d.PRINTADDRESS = 1;
    d.ROUNDPC = "C";
    d.CREDITLIMIT = "I";
    d.LOWINVENTORY = "I";
    return d;
}

inline core::Customer person(const char* last, const char* first) {
    core::Customer c{};
    c.Active = 1;
    c.LNAME = last;
    c.FNAME = first;
    c.Name = std::string(last) + ", " + first;
    c.ADDRESS1 = "4 Ropewalk Lane";
    c.CITY = "Kittery";
    c.STATE = "ME";
    c.ZipCode = "03904";
    c.PHONE1 = "(207)555-0142";
    c.PRICECLASS = "1";
    return c;
}

inline core::Customer companyCustomer(const char* name) {
    core::Customer c{};
    c.Active = 1;
    c.COMPANY = 1;
    c.Name = name;
    c.FNAME = "Nora";
    c.LNAME = "Marsh";
    c.ADDRESS1 = "Dock 4, North Pier";
    c.CITY = "Gloucester";
    c.STATE = "MA";
    c.ZipCode = "01930";
    c.PHONE1 = "(978)555-0199";
    c.PRICECLASS = "1";
    return c;
}

inline core::Products product(const char* partNum, const char* description) {
    core::Products p{};
    p.PartNum = partNum;
    p.Active = 1;
    p.DESCRIPTION = description;
    p.TRACKSERIAL = "NO";
    return p;
}

inline core::Orders order(std::int32_t ordNum, const char* status, const char* customer) {
    core::Orders o{};
    o.OrdNum = ordNum;
    o.Status = status;
    o.CustName = customer;
    o.OrdDate = day(2026, 3, 14);
    o.ENTRYDATE = o.OrdDate;
    o.PRICECLASS = "1";
    return o;
}

inline core::ItemsOrd line(std::int32_t iteNum, std::int32_t ordNum, const char* partNum, const char* description,
                           const char* qty, const char* unitPrice, const char* total) {
    core::ItemsOrd l{};
    l.IteNum = iteNum;
    l.OrdNum = ordNum;
    l.PartNum = partNum;
    l.DESCRIPTION = description;
    l.QTY = money(qty);
    l.PRICE = price(unitPrice);
    l.TOTAL = money(total);
    l.TRACKSERIAL = "NO";
    return l;
}

}  // namespace quay::reports::testing
