#include "task/task_values.h"

#include <gtest/gtest.h>

#include "task/profile_text.h"

namespace tarnwick {
namespace {

TEST(ProtectedValue, EveryValueWithoutALineBreakReadsBackExactly) {
    const char* values[] = {"",     "plain",  " lead", "trail\t", "\"q\"", "'q'",   "\"",
                            "\"a'", "a\"b\"", "\vv",   "''",      "\"\"",  "x = y", ";c"};
    for (const char* value : values) {
        ProfileText text;
        ASSERT_TRUE(text.write("S", "k", ProtectedValue(value)));
        EXPECT_EQ(ProfileText(text.bytes()).read("S", "k"), value) << "[" << value << "]";
    }
    EXPECT_EQ(ProtectedValue("plain \"inner\""), "plain \"inner\"");
}

}  // namespace
}  // namespace tarnwick
