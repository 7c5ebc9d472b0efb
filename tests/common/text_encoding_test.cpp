#include "common/text_encoding.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

TEST(TextEncoding, Utf16LittleEndianRoundTrips) {
    const std::pair<std::string, std::string> cases[] = {
        {"abc", std::string("a\0b\0c\0", 6)},
        {"备份", "\x07\x59\xFD\x4E"},
        {"\xF0\x9F\x98\x80",
         std::string("\x3D\xD8\x00\xDE", 4)},  // a character beyond the first plane
        {"", ""},
    };
    for (const auto& [utf8, utf16] : cases) {
        EXPECT_EQ(Utf8ToUtf16Le(utf8), utf16) << utf8;
        EXPECT_EQ(Utf16LeToUtf8(utf16), utf8) << utf8;
    }
}

TEST(TextEncoding, BrokenSequencesBecomeReplacementCharacters) {
    const std::string replacement = "\xEF\xBF\xBD";
    EXPECT_EQ(Utf16LeToUtf8(std::string("\x3D\xD8", 2)), replacement);    // a lone high surrogate
    EXPECT_EQ(Utf16LeToUtf8(std::string("a\0b", 3)), "a" + replacement);  // an odd byte count
    EXPECT_EQ(Utf8ToUtf16Le("\xC3"), "\xFD\xFF");                         // a cut sequence
    EXPECT_EQ(Utf8ToUtf16Le("\xC0\xAF"), "\xFD\xFF\xFD\xFF");             // an overlong one
}

}  // namespace
}  // namespace tarnwick
