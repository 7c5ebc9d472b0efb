#include "task/profile_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "task/task_values.h"

namespace tarnwick {
namespace {

using namespace std::string_literals;

// ---------------------------------------------------------------------------------------------
// Reading: text in, one look-up, value out.

struct ReadCase {
    const char* name;
    std::string text;
    std::string section;
    std::string key;
    std::string expected;
};

TEST(ProfileText, ReadsEachValueAndKeepsTheText) {
    const ReadCase cases[] = {
        // LineBreaks
        {"Mixed", "[s]\r\na=1\nb=2\rc=3\r\n", "s", "c", "3"},
        {"CrBeforeCrLf", "[s]\r\r\na=1\r\n", "s", "a", "1"},
        {"NoFinalBreak", "[s]\r\na=1", "s", "a", "1"},
        {"LeadingBlanks", " \t\v[s]\r\n \t\va=1\r\n", "s", "a", "1"},
        {"FormFeedHidesHeader", "\f[s]\r\na=1\r\n", "s", "a", ""},
        {"FormFeedBelongsToKey", "[s]\r\n\fa=1\r\n", "s", "\fa", "1"},
        {"FormFeedKeyIsOtherKey", "[s]\r\n\fa=1\r\n", "s", "a", ""},
        // Headers
        {"BlanksAroundName", "[ \tComm\v ]\r\na=1", "Comm", "a", "1"},
        {"BlanksInsideName", "[my section]\r\na=1", "my section", "a", "1"},
        {"RestOfLineIgnored", "[s] b=2\r\na=1\r\n", "s", "a", "1"},
        {"RestOfLineIsNoKey", "[s] b=2\r\na=1\r\n", "s", "b", ""},
        {"EmptyName", "[]\r\na=1\r\n", "", "a", "1"},
        {"NoClosingBracket", "[x\r\na=1\r\n", "x", "a", "1"},
        {"NameEndsAtFirstBracket", "[a]b]\r\nk=1\r\n", "a", "k", "1"},
        {"EqualsInName", "[a=b]\r\nk=1", "a=b", "k", "1"},
        {"KeysStayInTheirSection", "[s]\r\na=1\r\n[t]\r\nb=2\r\n", "s", "b", ""},
        // Comments
        {"IndentedComment", "[s]\r\n \t;x=1\r\n", "s", ";x", ""},
        {"KeyAfterComment", "[s]\r\n;a=1\r\na=2\r\n", "s", "a", "2"},
        {"CommentedHeader", ";[s]\r\na=1\r\n", "s", "a", ""},
        {"HashIsOrdinary", "[s]\r\n#a=1\r\n", "s", "#a", "1"},
        {"NoTrailingSemicolonComment", "[s]\r\na=b ;c\r\n", "s", "a", "b ;c"},
        // KeyLines
        {"BlanksAroundKeyAndValue", "[s]\r\n \ta \v= \t1\v \r\n", "s", "a", "1"},
        {"FormFeedStaysInValue", "[s]\r\na=1\f\r\n", "s", "a", "1\f"},
        {"InnerBlanksKept", "[s]\r\na= x  y \r\n", "s", "a", "x  y"},
        {"BlanksInsideKey", "[s]\r\nmy key = v\r\n", "s", "my key", "v"},
        {"SplitAtFirstEquals", "[s]\r\na=b=c\r\n", "s", "a", "b=c"},
        {"BlankValue", "[s]\r\na=  \r\nb=2\r\n", "s", "a", ""},
        {"LineWithoutEquals", "[s]\r\nflag\r\n", "s", "flag", ""},
        {"NulEndsValue", "[s]\r\na=x\0y\r\n"s, "s", "a", "x"},
        {"NulBeforeQuotes", "[s]\r\na=\"x\0y\"\r\n"s, "s", "a", "\"x"},
        // BeforeFirstHeader
        {"KeyInNoSection", "a=1\r\n[s]\r\nb=2\r\n", "s", "a", ""},
        {"NotTheEmptySection", "a=1\r\n[]\r\nb=2\r\n", "", "a", ""},
        // Matching
        {"AnyLetterCase", "[Sect]\r\nKey=1\r\n", "sECT", "kEY", "1"},
        {"NonAsciiExact", "[\xC3\x84]\r\nk=1\r\n", "\xC3\x84", "k", "1"},
        {"NonAsciiNotFolded", "[\xC3\x84]\r\nk=1\r\n", "\xC3\xA4", "k", ""},
        {"HighBytesNotFoldedAsLatin1", "[s]\r\n\xC4=1\r\n", "s", "\xE4", ""},
        {"FirstSectionWins", "[s]\r\na=1\r\n[S]\r\na=2\r\n", "s", "a", "1"},
        {"RepeatedSectionHidden", "[s]\r\na=1\r\n[S]\r\nb=2\r\n", "s", "b", ""},
        {"FirstKeyWins", "[s]\r\na=1\r\nA=2\r\n", "s", "a", "1"},
        {"BlanksAroundGivenNames", "[s]\r\na=1", " s\t", " a ", "1"},
        // Quotes
        {"BlanksInsideKept", "[s]\r\na=\" x \"\r\n", "s", "a", " x "},
        {"RemovedAfterTrimming", "[s]\r\na=  'x'  \r\n", "s", "a", "x"},
        {"MixedPairKept", "[s]\r\na=\"x'\r\n", "s", "a", "\"x'"},
        {"OpeningOnlyKept", "[s]\r\na=\"x\r\n", "s", "a", "\"x"},
        {"ClosingOnlyKept", "[s]\r\na=x'\r\n", "s", "a", "x'"},
        {"OnlyOuterPairRemoved", "[s]\r\na=\"\"x\"\"\r\n", "s", "a", "\"x\""},
        {"EmptyQuotes", "[s]\r\na=\"\"\r\n", "s", "a", ""},
        {"LoneQuoteKept", "[s]\r\na=\"\r\n", "s", "a", "\""},
        // Missing
        {"EmptyText", "", "s", "a", ""},
        {"MissingSection", "[s]\r\na=1\r\n", "t", "a", ""},
        {"UnparsedLinesKept", "junk\r\n  [broken\r\n;c\r\n=\r\n [s] x\r\n\t a = b \t\r\n", "s", "a",
         "b"},
        {"HighBytesKept", "[\x81\x41]\r\nk=\0\xFF\r\n"s, "\x81\x41", "k", ""},
        // ByteOrderMark
        {"Alone", "\xEF\xBB\xBF", "s", "a", ""},
        {"SkippedAtStart", "\xEF\xBB\xBF[s]\r\na=1\r\n", "s", "a", "1"},
        {"OnlyAtStart",
         "[s]\r\n\xEF\xBB\xBF"
         "a=1\r\n",
         "s", "a", ""},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        const ProfileText text(c.text);
        EXPECT_EQ(text.read(c.section, c.key), c.expected);
        EXPECT_EQ(text.bytes(), c.text);
    }
}

// ---------------------------------------------------------------------------------------------
// Writing: text in, writes, text out.

struct Write {
    std::string section;
    std::string key;
    std::string value;
};

struct WriteCase {
    const char* name;
    std::string before;
    std::vector<Write> writes;
    std::string after;
};

TEST(ProfileText, WritesChangeOnlyTheWrittenLines) {
    const WriteCase cases[] = {
        // NewFile
        {"EmptyText", "", {{"Section", "key", "value"}}, "[Section]\r\nkey=value\r\n"},
        {"ByteOrderMarkOnly", "\xEF\xBB\xBF", {{"s", "k", "v"}}, "\xEF\xBB\xBF[s]\r\nk=v\r\n"},
        {"BlanksAroundNamesDropped", "", {{" s\t", " k ", "v"}}, "[s]\r\nk=v\r\n"},
        {"ValueWrittenAsGiven", "", {{"s", "k", "  \"v\" ;x  "}}, "[s]\r\nk=  \"v\" ;x  \r\n"},
        {"EmptyValue", "", {{"s", "k", ""}}, "[s]\r\nk=\r\n"},
        {"EmptySectionName", "", {{"", "k", "v"}}, "[]\r\nk=v\r\n"},
        // NewSection
        {"AfterCrLf", "[a]\r\nx=1\r\n", {{"b", "k", "v"}}, "[a]\r\nx=1\r\n[b]\r\nk=v\r\n"},
        {"AfterLf", "[a]\nx=1\n", {{"b", "k", "v"}}, "[a]\nx=1\n[b]\r\nk=v\r\n"},
        {"NoFinalBreak", "[a]\r\nx=1", {{"b", "k", "v"}}, "[a]\r\nx=1\r\n[b]\r\nk=v\r\n"},
        {"AfterTrailingBlankLine",
         "[a]\r\nx=1\r\n\r\n",
         {{"b", "k", "v"}},
         "[a]\r\nx=1\r\n\r\n[b]\r\nk=v\r\n"},
        {"AfterCommentWithoutBreak", "; note", {{"b", "k", "v"}}, "; note\r\n[b]\r\nk=v\r\n"},
        {"KeyBeforeFirstHeaderNotReused", "k=0\r\n", {{"s", "k", "1"}}, "k=0\r\n[s]\r\nk=1\r\n"},
        // ExistingKey
        {"RewrittenInPlace", "[s]\r\na=1\r\nb=2\r\n", {{"s", "a", "9"}}, "[s]\r\na=9\r\nb=2\r\n"},
        {"LineBreakBecomesCrLf", "[s]\na=1\nb=2\n", {{"s", "a", "3"}}, "[s]\na=3\r\nb=2\n"},
        {"LastLineGetsCrLf", "[s]\na=1", {{"s", "a", "3"}}, "[s]\na=3\r\n"},
        {"WholeOldValueReplaced",
         "[s]\r\na=\"old value\" ;x\r\n",
         {{"s", "a", "new"}},
         "[s]\r\na=new\r\n"},
        {"FirstOfRepeatedKey", "[s]\r\na=1\r\nA=2\r\n", {{"s", "a", "3"}}, "[s]\r\na=3\r\nA=2\r\n"},
        {"RewrittenTwice", "", {{"s", "a", "1"}, {"S", "A", "2"}}, "[s]\r\na=2\r\n"},
        // NewKey
        {"AfterKeyBelowComment",
         "[a]\r\nx=1\r\n; note\r\ny=2\r\n\r\n",
         {{"a", "z", "3"}},
         "[a]\r\nx=1\r\n; note\r\ny=2\r\nz=3\r\n\r\n"},
        {"BeforeTrailingLineWithoutEquals",
         "[a]\r\nx=1\r\nflag\r\n",
         {{"a", "z", "3"}},
         "[a]\r\nx=1\r\nz=3\r\nflag\r\n"},
        {"HeaderOnlySection",
         "[a]\r\n\r\n[b]\r\ny=2\r\n",
         {{"a", "z", "3"}},
         "[a]\r\nz=3\r\n\r\n[b]\r\ny=2\r\n"},
        {"LastKeyWithoutBreak", "[a]\r\nx=1", {{"a", "z", "3"}}, "[a]\r\nx=1\r\nz=3\r\n"},
        {"CommentedKeyNotReused", "[s]\r\n;a=1\r\n", {{"s", "a", "2"}}, "[s]\r\na=2\r\n;a=1\r\n"},
        {"SeveralKeepOrder",
         "[a]\r\nx=1\r\n; end\r\n",
         {{"a", "p", "1"}, {"a", "q", "2"}, {"a", "r", "3"}},
         "[a]\r\nx=1\r\np=1\r\nq=2\r\nr=3\r\n; end\r\n"},
        {"InterleavedSections",
         "",
         {{"s", "a", "1"}, {"t", "b", "2"}, {"s", "c", "3"}, {"t", "d", "4"}},
         "[s]\r\na=1\r\nc=3\r\n[t]\r\nb=2\r\nd=4\r\n"},
        // EveryOtherByteKept
        {"HandEditedFile",
         "\xEF\xBB\xBF"
         "; task file\r\norphan=0\n[General]\r\n  Name = Daily \r\n"
         "; keep me\r\n\r\n[Folders]\rF1=/a\rjunk line\r\n"
         "[general]\r\nName=Shadow\r\n\tstray\ttabs\t",
         {{"general", "name", "Nightly"}, {"GENERAL", "Mode", "2"}},
         "\xEF\xBB\xBF"
         "; task file\r\norphan=0\n[General]\r\nName=Nightly\r\nMode=2\r\n"
         "; keep me\r\n\r\n[Folders]\rF1=/a\rjunk line\r\n"
         "[general]\r\nName=Shadow\r\n\tstray\ttabs\t"},
    };
    for (const WriteCase& c : cases) {
        SCOPED_TRACE(c.name);
        ProfileText text(c.before);
        for (const Write& write : c.writes) {
            ASSERT_TRUE(text.write(write.section, write.key, write.value));
        }
        EXPECT_EQ(text.bytes(), c.after);
        // After the writes every key reads as it will from the saved file.
        const ProfileText saved(text.bytes());
        for (const Write& write : c.writes) {
            EXPECT_EQ(text.read(write.section, write.key), saved.read(write.section, write.key));
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Refused writes: nothing changes, and the key keeps its value.

TEST(ProfileText, RefusedWritesChangeNothing) {
    const Write cases[] = {
        {"s", "a", "1\nb=2"}, {"s", "a", "1\rb=2"}, {"s", "b\na", "2"}, {"t\r[s]", "a", "2"},
        {"s", "a", "2\0b"s},  // line breaks and NULs
        {"s", "a=b", "2"},    {"s]x", "a", "2"},    {"s", "", "2"},     {"s", " \t", "2"},
        {"s", "[t]", "2"},    {"s", ";a", "2"},     {"s", " ;a", "2"},  // names read otherwise
    };
    for (const Write& c : cases) {
        SCOPED_TRACE(c.section + "/" + c.key);
        ProfileText text("[s]\r\na=1\r\n");
        EXPECT_FALSE(text.write(c.section, c.key, c.value));
        EXPECT_EQ(text.bytes(), "[s]\r\na=1\r\n");
        EXPECT_EQ(text.read("s", "a"), "1");
    }
}

// ---------------------------------------------------------------------------------------------

TEST(ProfileTextCopy, CopiesAreIndependent) {
    const ProfileText original("[s]\r\na=1\r\n");
    ProfileText copy = original;
    ASSERT_TRUE(copy.write("s", "a", "2"));
    ASSERT_TRUE(copy.write("s", "b", "3"));
    EXPECT_EQ(original.bytes(), "[s]\r\na=1\r\n");
    EXPECT_EQ(original.read("s", "b"), "");
    EXPECT_EQ(copy.bytes(), "[s]\r\na=2\r\nb=3\r\n");
    EXPECT_EQ(copy.read("s", "b"), "3");
}

TEST(ProtectedValue, EveryValueWithoutALineBreakReadsBackExactly) {
    const char* values[] = {"",     "plain",  " lead", "trail\t", "\"q\"", "'q'",   "\"",
                            "\"a'", "a\"b\"", "\vv",   "''",      "\"\"",  "x = y", ";c"};
    for (const char* value : values) {
        ProfileText text;
        ASSERT_TRUE(text.write("S", "k", ProtectedValue(value)));
        EXPECT_EQ(ProfileText(text.bytes()).read("S", "k"), value) << "[" << value << "]";
    }
    EXPECT_EQ(ProtectedValue("plain \"inner\""), "plain \"inner\"");  // no quotes it does not need
    EXPECT_EQ(ProtectedValue("\"a'"), "\"a'");
}

}  // namespace
}  // namespace tarnwick
