// The inflate-ahead pool on its own: every member comes back with its bytes
// and CRC-32 whatever the worker count, members not asked for are dropped,
// the buffers never exceed the budget, a member too large for the budget and
// one whose data is damaged are left to the caller, and a stopped pool gives
// nothing more.
#include <gtest/gtest.h>
#include <libdeflate.h>

#include <string>
#include <vector>

#include "inflate_ahead.h"
#include "support/zip_builder.h"

using zw::detail::InflateAhead;
using zwtest::ZipBuilder;

namespace {

// Lines of numbered words: compresses, but not to nothing.
std::string content(uint32_t seed, size_t size) {
    static const char* words[] = {"invoice ", "customer ", "balance ", "payment ", "terms\n", "stock "};
    std::string s;
    s.reserve(size + 16);
    uint32_t x = seed * 2654435761u + 7;
    while (s.size() < size) {
        x = x * 1103515245u + 12345u;
        s += words[(x >> 16) % 6];
        if ((x >> 8) % 4 == 0) s += std::to_string(x % 1000);
    }
    s.resize(size);
    return s;
}

struct Member {
    std::string plain, deflated;
};

// The first `count` members of one plan: mostly small, every tenth one
// larger than a batch of small ones.
std::vector<Member> members(size_t count) {
    static std::vector<Member> plan;
    while (plan.size() < count) {
        const size_t i = plan.size();
        Member m;
        m.plain = content(uint32_t(i), i % 10 == 3 ? (300u << 10) + i : (i * 1531) % 9000);
        m.deflated = ZipBuilder::deflate(m.plain);
        plan.push_back(std::move(m));
    }
    return std::vector<Member>(plan.begin(), plan.begin() + std::ptrdiff_t(count));
}

// A pool over `all`, offering the members whose index `offered` accepts.
InflateAhead::Source sourceOver(const std::vector<Member>& all, size_t& next) {
    return [&all, &next](InflateAhead::Candidate& c) {
        if (next >= all.size()) return false;
        c.member = next;
        c.in = reinterpret_cast<const uint8_t*>(all[next].deflated.data());
        c.inSize = all[next].deflated.size();
        c.room = all[next].plain.size() + 1001;
        ++next;
        return true;
    };
}

InflateAhead::Settings settings(unsigned workers, size_t budget = InflateAhead::kDefaultBudget) {
    InflateAhead::Settings s;
    s.workers = workers;
    s.budget = budget;
    return s;
}

std::string bytesOf(const InflateAhead::Inflated& got) {
    return std::string(reinterpret_cast<const char*>(got.data), got.produced);
}

}  // namespace

TEST(InflateAheadPool, EveryMemberComesBackWithItsBytesAndCrcWithAnyWorkerCount) {
    const std::vector<Member> all = members(300);
    for (unsigned workers : {1u, 2u, 8u}) {
        SCOPED_TRACE(workers);
        size_t next = 0;
        InflateAhead pool(settings(workers), sourceOver(all, next));
        for (size_t i = 0; i < all.size(); ++i) {
            InflateAhead::Inflated got;
            ASSERT_TRUE(pool.take(i, got)) << i;
            EXPECT_EQ(got.result, LIBDEFLATE_SUCCESS);
            EXPECT_TRUE(bytesOf(got) == all[i].plain) << i;
            EXPECT_EQ(got.crc, ZipBuilder::crc32(all[i].plain)) << i;
            EXPECT_EQ(got.room, all[i].plain.size() + 1001);
        }
    }
}

TEST(InflateAheadPool, MembersNotAskedForAreDroppedAndLaterOnesStillCome) {
    const std::vector<Member> all = members(200);
    size_t next = 0;
    InflateAhead pool(settings(2), sourceOver(all, next));
    for (size_t i = 0; i < all.size(); i += 7) {
        InflateAhead::Inflated got;
        ASSERT_TRUE(pool.take(i, got)) << i;
        EXPECT_TRUE(bytesOf(got) == all[i].plain) << i;
    }
    // A member behind the caller is not held any more.
    InflateAhead::Inflated got;
    EXPECT_FALSE(pool.take(3, got));
}

TEST(InflateAheadPool, BuffersStayWithinTheBudgetAndLargerMembersAreLeftToTheCaller) {
    const std::vector<Member> all = members(120);
    const size_t budget = 1u << 20;  // about three of the large members
    size_t next = 0;
    InflateAhead pool(settings(8, budget), sourceOver(all, next));
    for (size_t i = 0; i < all.size(); ++i) {
        InflateAhead::Inflated got;
        ASSERT_TRUE(pool.take(i, got)) << i;
        EXPECT_TRUE(bytesOf(got) == all[i].plain) << i;
        EXPECT_LE(pool.mappedBytes(), budget) << i;
    }

    std::vector<Member> large = {members(4)[3], members(1)[0]};
    large[0].plain += content(9, 1u << 20);  // more than the budget
    large[0].deflated = ZipBuilder::deflate(large[0].plain);
    next = 0;
    InflateAhead small(settings(2, budget), sourceOver(large, next));
    InflateAhead::Inflated got;
    EXPECT_FALSE(small.take(0, got));  // its room exceeds the budget
    ASSERT_TRUE(small.take(1, got));
    EXPECT_TRUE(bytesOf(got) == large[1].plain);
}

TEST(InflateAheadPool, DamagedDataIsReportedForItsMemberOnly) {
    std::vector<Member> all = members(30);
    all[5].deflated.resize(all[5].deflated.size() / 2);
    all[5].deflated += std::string(40, '\xff');
    size_t next = 0;
    InflateAhead pool(settings(2), sourceOver(all, next));
    for (size_t i = 0; i < all.size(); ++i) {
        InflateAhead::Inflated got;
        ASSERT_TRUE(pool.take(i, got)) << i;
        if (i == 5) {
            EXPECT_NE(got.result, LIBDEFLATE_SUCCESS);
        } else {
            EXPECT_EQ(got.result, LIBDEFLATE_SUCCESS) << i;
            EXPECT_TRUE(bytesOf(got) == all[i].plain) << i;
        }
    }
}

TEST(InflateAheadPool, StoppedPoolGivesNothingMoreAndMapsNothing) {
    const std::vector<Member> all = members(200);
    size_t next = 0;
    InflateAhead pool(settings(8), sourceOver(all, next));
    InflateAhead::Inflated got;
    ASSERT_TRUE(pool.take(0, got));
    pool.stop();
    EXPECT_EQ(pool.mappedBytes(), 0u);
    EXPECT_FALSE(pool.take(1, got));
    // Only what was dispatched ahead was asked of the source.
    EXPECT_LT(next, all.size());
}
