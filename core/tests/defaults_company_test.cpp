// The company record in a data set: GETCOMPANYDEFAULTS with and without a record, the
// first record's initial values from the company window and at first start, numbering
// one past the highest, and a failed or rolled-back creation storing nothing.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>

#include "quay/defaults/company_defaults.h"
#include "quay/store/transaction.h"
#include "quay/testing/temp_data_dir.h"

namespace quay::core {
namespace {

class CompanyRecord : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_db = std::make_unique<Database>(m_dir.dataDir().string());
        ASSERT_TRUE(m_db->isOpen()) << m_db->driverErrorText();
        m_def = std::make_unique<Handle<Defaults>>(*m_db);
        ASSERT_EQ(m_def->create(), ErrorCode::None) << m_def->driverErrorText();
        ASSERT_EQ(m_def->open(), ErrorCode::None) << m_def->driverErrorText();
    }
    void TearDown() override {
        m_def.reset();
        m_db.reset();
    }

    testing::TempDataDir m_dir{"quay-defaults"};
    std::unique_ptr<Database> m_db;
    std::unique_ptr<Handle<Defaults>> m_def;
};

TEST_F(CompanyRecord, MissingRecordGivesOne) {
    EXPECT_EQ(GETCOMPANYDEFAULTS(*m_def, 1), 1);
    Handle<Defaults> closed(*m_db);
    EXPECT_EQ(GETCOMPANYDEFAULTS(closed, 1), 1);
}

TEST_F(CompanyRecord, CreatedFromTheCompanyWindowWithItsInitialValues) {
    ASSERT_EQ(createCompanyRecord(*m_db, *m_def, CompanyCreation::FromDefaultsForm), ErrorCode::None);
    EXPECT_EQ(m_def->records(), 1);

    m_def->clear();
    ASSERT_EQ(GETCOMPANYDEFAULTS(*m_def, 1), 0);
    const Defaults& d = m_def->rec;
    EXPECT_EQ(d.COMPANYNUM, 1);
    EXPECT_EQ(d.CREDITLIMIT.view(), "I");
    EXPECT_EQ(d.LOWINVENTORY.view(), "I");
    EXPECT_EQ(d.PRINTNAME, 1);
    EXPECT_EQ(d.PRINTADDRESS, 1);
    EXPECT_EQ(d.DEFAULTTOAR, 1);
    EXPECT_EQ(d.ROUNDPC.view(), "C");
    EXPECT_EQ(d.INVOICEAD, 0);
    // everything else blank or zero
    EXPECT_TRUE(d.COMPANYNAME.isBlank());
    EXPECT_EQ(d.PRINTPHONE, 0);
    EXPECT_EQ(d.FLAG1, 0);
    EXPECT_TRUE(d.SALESTAX1.isZero());
    EXPECT_TRUE(d.PC1METHOD.isBlank());
    EXPECT_TRUE(d.InvComments.isEmpty());
}

TEST_F(CompanyRecord, FirstStartAlsoTurnsOnTheProgramNotice) {
    ASSERT_EQ(createCompanyRecord(*m_db, *m_def, CompanyCreation::AtFirstStart), ErrorCode::None);
    m_def->clear();
    ASSERT_EQ(GETCOMPANYDEFAULTS(*m_def, 1), 0);
    EXPECT_EQ(m_def->rec.INVOICEAD, 1);
    EXPECT_EQ(m_def->rec.ROUNDPC.view(), "C");
}

TEST_F(CompanyRecord, NumberIsOnePastTheHighestAndReadsFollowFileOrder) {
    m_def->clear();
    m_def->rec.COMPANYNUM = 7;
    m_def->rec.COMPANYNAME = "Seven Ltd";
    ASSERT_EQ(m_def->add(), ErrorCode::None);
    ASSERT_EQ(createCompanyRecord(*m_db, *m_def, CompanyCreation::FromDefaultsForm), ErrorCode::None);
    EXPECT_EQ(m_def->rec.COMPANYNUM, 8);

    m_def->clear();
    ASSERT_EQ(GETCOMPANYDEFAULTS(*m_def, 1), 0);
    EXPECT_EQ(m_def->rec.COMPANYNAME.view(), "Seven Ltd");  // the first record in file order
    ASSERT_EQ(GETCOMPANYDEFAULTS(*m_def, 2), 0);
    EXPECT_EQ(m_def->rec.COMPANYNUM, 8);
    EXPECT_EQ(GETCOMPANYDEFAULTS(*m_def, 3), 1);
}

TEST_F(CompanyRecord, CreationOnAClosedTableStoresNothing) {
    Handle<Defaults> closed(*m_db);
    EXPECT_NE(createCompanyRecord(*m_db, closed, CompanyCreation::FromDefaultsForm), ErrorCode::None);
    EXPECT_EQ(m_def->records(), 0);
}

TEST_F(CompanyRecord, CreationInsideTheCallersTransactionRollsBackWithIt) {
    {
        Transaction transaction(*m_db, {m_def.get()});
        ASSERT_EQ(transaction.begin(), ErrorCode::None);
        ASSERT_EQ(createCompanyRecord(*m_db, *m_def, CompanyCreation::FromDefaultsForm), ErrorCode::None);
        EXPECT_TRUE(transaction.isActive());  // the caller's transaction was not ended
        ASSERT_EQ(transaction.rollback(), ErrorCode::None);
    }
    EXPECT_EQ(m_def->records(), 0);
    EXPECT_EQ(GETCOMPANYDEFAULTS(*m_def, 1), 1);
}

TEST_F(CompanyRecord, AnotherStationHoldingTheDataSetMakesCreationFailWithNothingStored) {
    Database station(m_dir.dataDir().string());
    ASSERT_TRUE(station.isOpen());
    Handle<Defaults> theirs(station);
    ASSERT_EQ(theirs.open(), ErrorCode::None);
    Transaction holding(station, {&theirs});
    ASSERT_EQ(holding.begin(), ErrorCode::None);
    theirs.clear();
    theirs.rec.COMPANYNUM = 1;
    ASSERT_EQ(theirs.add(), ErrorCode::None);

    // Our transaction cannot begin within its 2-second wait.
    const ErrorCode code = createCompanyRecord(*m_db, *m_def, CompanyCreation::AtFirstStart);
    EXPECT_TRUE(code == ErrorCode::RecordInUse || code == ErrorCode::FileLocked) << static_cast<int>(code);

    ASSERT_EQ(holding.rollback(), ErrorCode::None);
    EXPECT_EQ(m_def->records(), 0);
    // Once the other station is done, creation goes through.
    ASSERT_EQ(createCompanyRecord(*m_db, *m_def, CompanyCreation::AtFirstStart), ErrorCode::None);
    EXPECT_EQ(m_def->rec.COMPANYNUM, 1);
}

}  // namespace
}  // namespace quay::core
