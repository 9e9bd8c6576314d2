// The tables in a real data set: every table and second handle can be created and
// opened from its description, records come back field for field, a second handle sees
// the first one's writes at once, and the invoice-number key keeps quotes out and two
// invoices apart.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "quay/store/database.h"
#include "quay/store/table.h"
#include "quay/tables/all_tables.h"

namespace quay::core {
namespace {

class TablesInDataSet : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/quaytblXXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        m_dir = pattern;
        m_db = std::make_unique<Database>(m_dir);
        ASSERT_TRUE(m_db->isOpen()) << m_db->driverErrorText();
    }
    void TearDown() override {
        m_db.reset();
        std::filesystem::remove_all(m_dir);
    }

    template <class R>
    std::unique_ptr<Handle<R>> openTable() {
        auto handle = std::make_unique<Handle<R>>(*m_db);
        EXPECT_EQ(handle->create(), ErrorCode::None) << handle->driverErrorText();
        EXPECT_EQ(handle->open(), ErrorCode::None) << handle->driverErrorText();
        return handle;
    }

    ErrorCode addOrder(Handle<Orders>& ord, std::int32_t ordNum, const char* status, std::int32_t invoiceNum) {
        ord.clear();
        ord.rec.OrdNum = ordNum;
        ord.rec.Status = status;
        ord.rec.InvoiceNum = invoiceNum;
        ord.rec.CustName = "Acme";
        return ord.add();
    }

    std::string m_dir;
    std::unique_ptr<Database> m_db;
};

TEST_F(TablesInDataSet, EveryTableAndHandleCreatesAndOpens) {
    std::vector<const TableDesc*> all = fileTables();
    all.insert(all.end(), secondHandles().begin(), secondHandles().end());
    for (const TableDesc* desc : all) {
        SCOPED_TRACE(desc->name);
        std::vector<std::max_align_t> buffer(desc->recordSize / sizeof(std::max_align_t) + 1);
        Table table(*m_db, *desc, buffer.data());
        ASSERT_EQ(table.create(), ErrorCode::None) << table.driverErrorText();
        ASSERT_EQ(table.open(), ErrorCode::None) << table.driverErrorText();
        EXPECT_EQ(table.records(), 0);
        EXPECT_EQ(table.fileName(), desc->fileName);
        EXPECT_EQ(table.close(), ErrorCode::None);
    }
}

TEST_F(TablesInDataSet, ProductComesBackFieldForField) {
    auto prd = openTable<Products>();
    prd->clear();
    Products& p = prd->rec;
    p.PartNum = "HB-10";
    p.Active = 1;
    p.Group = "Hardware";
    p.DESCRIPTION = "Hex bolt";
    ASSERT_EQ(p.COST.parse("0.1234"), DecimalStatus::Ok);
    ASSERT_EQ(p.PRICECLASS6.parse("999999999.9999"), DecimalStatus::Ok);
    ASSERT_EQ(p.OnHand.parse("-12.50"), DecimalStatus::Ok);
    p.TRACKSERIAL = "OPT";
    p.SALESTAXABLE2 = 1;
    p.Remarks = "keep dry";
    ASSERT_EQ(prd->add(), ErrorCode::None) << prd->driverErrorText();

    prd->clear();
    p.PartNum = "hb-10";  // the part-number key is case-insensitive
    ASSERT_EQ(prd->get(Products::byPartNum), ErrorCode::None);
    EXPECT_EQ(p.PartNum.view(), "HB-10");
    EXPECT_EQ(p.Group.view(), "Hardware");
    EXPECT_EQ(p.COST.toString(), "0.1234");
    EXPECT_EQ(p.PRICECLASS6.toString(), "999999999.9999");
    EXPECT_EQ(p.OnHand.toString(), "-12.50");
    EXPECT_EQ(p.TRACKSERIAL.view(), "OPT");
    EXPECT_EQ(p.SALESTAXABLE2, 1);
    EXPECT_EQ(p.Remarks.view(), "keep dry");
    EXPECT_TRUE(p.Comments.isEmpty());
}

TEST_F(TablesInDataSet, WriteThroughCustRefIsSeenThroughCustomerAtOnce) {
    auto cus = openTable<Customer>();
    auto csr = openTable<CustRef>();
    csr->clear();
    csr->rec.Name = "Acme Supply";
    csr->rec.ZipCode = "12345-6789";
    ASSERT_EQ(csr->add(), ErrorCode::None) << csr->driverErrorText();

    cus->clear();
    cus->rec.Name = "ACME SUPPLY";
    ASSERT_EQ(cus->get(Customer::byName), ErrorCode::None);
    EXPECT_EQ(cus->rec.ZIP4().view(), "6789");

    // And the other way: a change through Customer is what CustRef reads next.
    cus->rec.BILLTO = "Head Office";
    ASSERT_EQ(cus->put(), ErrorCode::None);
    csr->rec.Name = "Acme Supply";
    ASSERT_EQ(csr->get(CustRef::byName), ErrorCode::None);
    EXPECT_EQ(csr->rec.BILLTO.view(), "Head Office");
    EXPECT_EQ(cus->records(), 1);
}

TEST_F(TablesInDataSet, QuotesNeverEnterTheInvoiceNumberKey) {
    auto ord = openTable<Orders>();
    for (std::int32_t n = 1; n <= 5; ++n) ASSERT_EQ(addOrder(*ord, n, "Q", 0), ErrorCode::None);
    ASSERT_EQ(ord->set(Orders::byInvoiceNum), ErrorCode::None);
    EXPECT_EQ(ord->next(), ErrorCode::RecordNotAvailable);

    ASSERT_EQ(addOrder(*ord, 6, "I", 1001), ErrorCode::None);
    ASSERT_EQ(ord->set(Orders::byInvoiceNum), ErrorCode::None);
    ASSERT_EQ(ord->next(), ErrorCode::None);
    EXPECT_EQ(ord->rec.OrdNum, 6);
    EXPECT_EQ(ord->next(), ErrorCode::RecordNotAvailable);
    EXPECT_EQ(ord->records(), 6);
}

TEST_F(TablesInDataSet, SecondInvoiceWithATakenNumberIsRefused) {
    auto ord = openTable<Orders>();
    ASSERT_EQ(addOrder(*ord, 1, "I", 1001), ErrorCode::None);
    EXPECT_EQ(addOrder(*ord, 2, "I", 1001), ErrorCode::DuplicateKey);
    EXPECT_EQ(ord->records(), 1);
    ord->clear();
    ord->rec.OrdNum = 2;
    EXPECT_EQ(ord->get(Orders::byOrdNum), ErrorCode::RecordNotFound);
    // The same number through the second handle meets the same key.
    auto odr = openTable<OrderRef>();
    odr->clear();
    odr->rec.OrdNum = 3;
    odr->rec.Status = "I";
    odr->rec.InvoiceNum = 1001;
    EXPECT_EQ(odr->add(), ErrorCode::DuplicateKey);
    EXPECT_EQ(addOrder(*ord, 2, "I", 1002), ErrorCode::None);
}

}  // namespace
}  // namespace quay::core
