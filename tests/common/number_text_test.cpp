#include "common/number_text.h"

#include <gtest/gtest.h>

#include <limits>

namespace tarnwick {
namespace {

struct ReadCase {
    const char* text;
    double expected;
};

TEST(ReadNumber, TakesTheLeadingNumberAndIgnoresBlanksTabsAndLineFeeds) {
    const ReadCase cases[] = {
        {"", 0},        {"abc", 0},  {"30", 30}, {"07", 7},   {" 9", 9},      {"1 2", 12},
        {"\t4\n5", 45}, {"45x", 45}, {"-5", -5}, {"+5", 5},   {"- 5", -5},    {"--5", 0},
        {"1.5", 1.5},   {".5", 0.5}, {"5.", 5},  {".", 0},    {"1.2.3", 1.2}, {"-.25", -0.25},
        {"17.5", 17.5}, {"1e3", 1},  {"\r5", 0}, {"0x10", 0}, {"3,5", 3},     {"  -  0.5 ", -0.5},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(ReadNumber(c.text), c.expected) << "text: [" << c.text << "]";
    }
}

TEST(ReadNumber, HugeAndTinyNumbersStayFinite) {
    const std::string huge(400, '9');
    EXPECT_EQ(ReadNumber(huge), std::numeric_limits<double>::max());
    EXPECT_EQ(ReadNumber("-" + huge), -std::numeric_limits<double>::max());
    EXPECT_EQ(ReadNumber("0." + std::string(400, '0') + "1"), 0.0);
    EXPECT_EQ(ReadNumber(std::string(400, '0') + "12"), 12.0);
}

// Halves go to the even neighbour; values beyond a field's range go to its end.
TEST(RoundToInteger, HalvesGoToTheEvenNeighbourAndClampToTheFieldsRange) {
    const std::pair<double, int> cases[] = {{0.5, 0},   {1.5, 2},  {2.5, 2},  {-0.5, 0},
                                            {-1.5, -2}, {2.49, 2}, {2.51, 3}, {17.0, 17}};
    for (const auto& [value, expected] : cases) {
        EXPECT_EQ(RoundToInt32(value), expected) << value;
    }
    EXPECT_EQ(RoundToInt16(40000), 32767);
    EXPECT_EQ(RoundToInt16(-40000), -32768);
    EXPECT_EQ(RoundToInt32(-1e12), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(RoundToInt64(1e300), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(RoundToInt64(2147483648.0 * 1024), 2199023255552LL);
}

TEST(FormatNumber, WritesTheShortestDecimalText) {
    const std::pair<double, const char*> cases[] = {{7, "7"},     {17.5, "17.5"},
                                                    {-3, "-3"},   {-0.0, "0"},
                                                    {0.1, "0.1"}, {1e21, "1000000000000000000000"}};
    for (const auto& [value, expected] : cases) {
        EXPECT_EQ(FormatNumber(value), expected);
    }
    EXPECT_EQ(ReadNumber(FormatNumber(0.30000000000000004)), 0.30000000000000004);
}

}  // namespace
}  // namespace tarnwick
