// Tests of the shrink, reduce and implode decoders: hostile input is refused.
#include "legacy_methods.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using zw::legacy::Status;

TEST(LegacyHostileInput, EmptyInputWithOutputExpectedIsBadData)
{
    std::vector<uint8_t> out(16);
    EXPECT_EQ(zw::legacy::unshrink(nullptr, 0, out.data(), out.size()), Status::BadData);
    for (int factor = 1; factor <= 4; ++factor)
        EXPECT_EQ(zw::legacy::unreduce(nullptr, 0, out.data(), out.size(), factor), Status::BadData);
    EXPECT_EQ(zw::legacy::explode(nullptr, 0, out.data(), out.size(), 0), Status::BadData);
    EXPECT_EQ(zw::legacy::explode(nullptr, 0, out.data(), out.size(), 6), Status::BadData);
}

}  // namespace
