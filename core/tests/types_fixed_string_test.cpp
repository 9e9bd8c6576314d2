// String and memo fields: cutting and padding on assignment, comparisons that ignore
// trailing blanks, caseless comparison, and the overlay views of a postal code.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "quay/types/fixed_string.h"
#include "quay/types/memo.h"

namespace quay::core {
namespace {

TEST(FixedStringAssign, CutsToLengthAndPadsWithBlanks) {
    FixedString<5> s;
    EXPECT_EQ(s.raw(), "     ");
    EXPECT_TRUE(s.isBlank());
    s = "Acme Supply";
    EXPECT_EQ(s.raw(), "Acme ");
    EXPECT_EQ(s.str(), "Acme");
    EXPECT_EQ(s.length(), 4u);
    s = std::string("AB");
    EXPECT_EQ(s.raw(), "AB   ");
    // A shorter text blanks what the longer one left behind.
    s = "ABCDE";
    s = "X";
    EXPECT_EQ(s.raw(), "X    ");
    s.clear();
    EXPECT_TRUE(s.isBlank());
    // Leading blanks are kept: only trailing ones are padding.
    s = "  Z";
    EXPECT_EQ(s.str(), "  Z");
    EXPECT_FALSE(s.isBlank());
}

TEST(FixedStringAssign, CopiesBetweenLengths) {
    FixedString<10> longer = "Widgets Inc";
    FixedString<4> shorter;
    shorter = longer;
    EXPECT_EQ(shorter.str(), "Widg");
    longer = shorter;
    EXPECT_EQ(longer.raw(), "Widg      ");
}

TEST(FixedStringCompare, IgnoresTrailingBlanks) {
    const FixedString<10> a = "Smith";
    const FixedString<6> b = "Smith ";
    EXPECT_TRUE(a == b);
    EXPECT_TRUE(a == "Smith");
    EXPECT_TRUE(a == "Smith    ");
    EXPECT_TRUE(a == std::string_view("Smith"));
    EXPECT_FALSE(a == "smith");
    EXPECT_FALSE(a == "Smit");
    // Ordering matches the key order: shorter text first, then by character.
    const FixedString<10> c = "Smithers";
    EXPECT_TRUE(a < c);
    EXPECT_TRUE(c > b);
    EXPECT_TRUE(FixedString<3>("AB") < FixedString<3>("AC"));
    EXPECT_TRUE(FixedString<3>() < FixedString<3>("A"));
    EXPECT_TRUE(a < "Smythe");
    // Characters above 127 order after plain letters.
    EXPECT_TRUE(FixedString<3>("Z") < FixedString<3>("\xC3\xA9"));
}

TEST(FixedStringCompare, CaselessComparisonOverAsciiLetters) {
    const FixedString<12> a = "McDonald";
    EXPECT_TRUE(a.equalsNoCase("MCDONALD"));
    EXPECT_TRUE(a.equalsNoCase("mcdonald   "));
    EXPECT_FALSE(a.equalsNoCase("McDonalds"));
    EXPECT_TRUE(a.compareNoCase("MCE") < 0);
    EXPECT_TRUE(a.compareNoCase("mca") > 0);
    // Punctuation is not folded: '[' and '{' stay apart.
    EXPECT_FALSE(FixedString<2>("[").equalsNoCase("{"));
}

TEST(FixedStringOverlay, PostalCodePartsReadAndWriteTheSameCharacters) {
    FixedString<10> zipCode = "12345-6789";
    auto zip = zipCode.sub<0, 5>();
    auto dash = zipCode.sub<5, 1>();
    auto zip4 = zipCode.sub<6, 4>();
    EXPECT_EQ(zip.view(), "12345");
    EXPECT_EQ(dash.view(), "-");
    EXPECT_EQ(zip4.str(), "6789");

    zip4 = "1";
    EXPECT_EQ(zipCode.raw(), "12345-1   ");
    zip = "987654321";  // cut to the 5 characters of the part
    EXPECT_EQ(zipCode.raw(), "98765-1   ");
    dash = "";
    zip4 = "";
    EXPECT_EQ(zipCode.str(), "98765");
    EXPECT_TRUE(zip4.isBlank());
    EXPECT_TRUE(zip == "98765");

    // Parts of two codes compare as texts: the same ZIP with different ZIP+4.
    FixedString<10> other = "98765-4321";
    EXPECT_TRUE((zip == other.sub<0, 5>()));
    EXPECT_FALSE((zip4 == other.sub<6, 4>()));
    EXPECT_TRUE((other.sub<6, 4>() > "1234"));

    const FixedString<10>& readOnly = zipCode;
    EXPECT_EQ((readOnly.sub<0, 5>().str()), "98765");
    EXPECT_EQ((readOnly.sub<3, 2>().raw()), "65");
}

TEST(MemoAssign, KeepsTextUpToItsSize) {
    Memo<8> m;
    EXPECT_TRUE(m.isEmpty());
    EXPECT_TRUE(m.assign("note"));
    EXPECT_EQ(m.str(), "note");
    EXPECT_EQ(m.length(), 4u);
    // Trailing blanks and line breaks are part of a memo's text.
    EXPECT_TRUE(m.assign("a b\r\n  "));
    EXPECT_EQ(m.str(), "a b\r\n  ");
    EXPECT_FALSE(m.assign("a longer note"));
    EXPECT_EQ(m.str(), "a longer");
    m.clear();
    EXPECT_TRUE(m.isEmpty());
}

TEST(MemoCompare, EqualTextsAreEqualWhateverCameBefore) {
    Memo<16> a;
    Memo<16> b;
    a = "first a longer text";
    a = "same";
    b = "same";
    EXPECT_TRUE(a == b);
    EXPECT_TRUE(a == "same");
    EXPECT_FALSE(a == "same ");
    // Shorter text clears the old characters, so whole records compare byte for byte.
    EXPECT_EQ(0, std::memcmp(reinterpret_cast<const char*>(&a), reinterpret_cast<const char*>(&b), sizeof a));
}

TEST(MemoCompare, ForeignLengthBeyondTheSizeIsHeldToTheSize) {
    // A record read from elsewhere could carry a length larger than the field; it
    // never reads past the field's characters.
    Memo<4> m;
    m = "abcd";
    std::uint32_t bogus = 1000;
    std::memcpy(reinterpret_cast<char*>(&m), &bogus, sizeof bogus);
    EXPECT_EQ(m.length(), 4u);
    EXPECT_EQ(m.str(), "abcd");
}

}  // namespace
}  // namespace quay::core
