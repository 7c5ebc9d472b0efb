#include "task/profile_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarnwick {
namespace {

using namespace std::string_literals;

// Each case's test is named after it.
template <typename Case>
std::string CaseName(const testing::TestParamInfo<Case>& info) {
    return info.param.name;
}

// ---------------------------------------------------------------------------------------------
// Reading: text in, one look-up, value out.

struct ReadCase {
    const char* name;
    std::string text;
    std::string section;
    std::string key;
    std::string expected;
};

class ProfileReadTest : public testing::TestWithParam<ReadCase> {};

TEST_P(ProfileReadTest, FindsValue) {
    const ReadCase& c = GetParam();
    const ProfileText text(c.text);
    EXPECT_EQ(text.read(c.section, c.key), c.expected);
    EXPECT_EQ(text.bytes(), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    All, ProfileReadTest,
    testing::Values(
        // LineBreaks
        ReadCase{"CrLf", "[s]\r\na=1\r\nb=2\r\n", "s", "b", "2"},
        ReadCase{"Mixed", "[s]\r\na=1\nb=2\rc=3\r\n", "s", "c", "3"},
        ReadCase{"CrBeforeCrLf", "[s]\r\r\na=1\r\n", "s", "a", "1"},
        ReadCase{"NoFinalBreak", "[s]\r\na=1", "s", "a", "1"},
        ReadCase{"LeadingBlanks", " \t\v[s]\r\n \t\va=1\r\n", "s", "a", "1"},
        ReadCase{"FormFeedHidesHeader", "\f[s]\r\na=1\r\n", "s", "a", ""},
        ReadCase{"FormFeedBelongsToKey", "[s]\r\n\fa=1\r\n", "s", "\fa", "1"},
        ReadCase{"FormFeedKeyIsOtherKey", "[s]\r\n\fa=1\r\n", "s", "a", ""},
        // Headers
        ReadCase{"BlanksAroundName", "[ Comm ]\r\na=1\r\n", "Comm", "a", "1"},
        ReadCase{"TabsAroundName", "[\tComm\v]\r\na=1", "Comm", "a", "1"},
        ReadCase{"BlanksInsideName", "[my section]\r\na=1", "my section", "a", "1"},
        ReadCase{"RestOfLineIgnored", "[s] b=2\r\na=1\r\n", "s", "a", "1"},
        ReadCase{"RestOfLineIsNoKey", "[s] b=2\r\na=1\r\n", "s", "b", ""},
        ReadCase{"EmptyName", "[]\r\na=1\r\n", "", "a", "1"},
        ReadCase{"NoClosingBracket", "[x\r\na=1\r\n", "x", "a", "1"},
        ReadCase{"NameEndsAtFirstBracket", "[a]b]\r\nk=1\r\n", "a", "k", "1"},
        ReadCase{"EqualsInName", "[a=b]\r\nk=1", "a=b", "k", "1"},
        ReadCase{"KeysStayInTheirSection", "[s]\r\na=1\r\n[t]\r\nb=2\r\n", "s", "b", ""},
        // Comments
        ReadCase{"CommentLineHidden", "[s]\r\n;a=1\r\n", "s", "a", ""},
        ReadCase{"IndentedComment", "[s]\r\n \t;x=1\r\n", "s", ";x", ""},
        ReadCase{"KeyAfterComment", "[s]\r\n;a=1\r\na=2\r\n", "s", "a", "2"},
        ReadCase{"CommentedHeader", ";[s]\r\na=1\r\n", "s", "a", ""},
        ReadCase{"HashIsOrdinary", "[s]\r\n#a=1\r\n", "s", "#a", "1"},
        ReadCase{"NoTrailingSemicolonComment", "[s]\r\na=b ;c\r\n", "s", "a", "b ;c"},
        // KeyLines
        ReadCase{"BlanksAroundKeyAndValue", "[s]\r\n  a  =  1  \r\n", "s", "a", "1"},
        ReadCase{"TabsAndVerticalTabs", "[s]\r\n\ta\v=\t1\v\r\n", "s", "a", "1"},
        ReadCase{"FormFeedStaysInValue", "[s]\r\na=1\f\r\n", "s", "a", "1\f"},
        ReadCase{"InnerBlanksKept", "[s]\r\na= x  y \r\n", "s", "a", "x  y"},
        ReadCase{"BlanksInsideKey", "[s]\r\nmy key = v\r\n", "s", "my key", "v"},
        ReadCase{"SplitAtFirstEquals", "[s]\r\na=b=c\r\n", "s", "a", "b=c"},
        ReadCase{"BlankValue", "[s]\r\na=  \r\nb=2\r\n", "s", "a", ""},
        ReadCase{"LineWithoutEquals", "[s]\r\nflag\r\n", "s", "flag", ""},
        ReadCase{"NulEndsValue", "[s]\r\na=x\0y\r\n"s, "s", "a", "x"},
        ReadCase{"NulBeforeQuotes", "[s]\r\na=\"x\0y\"\r\n"s, "s", "a", "\"x"},
        // BeforeFirstHeader
        ReadCase{"KeyInNoSection", "a=1\r\n[s]\r\nb=2\r\n", "s", "a", ""},
        ReadCase{"NotTheEmptySection", "a=1\r\n[]\r\nb=2\r\n", "", "a", ""},
        // Matching
        ReadCase{"AnyLetterCase", "[Sect]\r\nKey=1\r\n", "sECT", "kEY", "1"},
        ReadCase{"NonAsciiExact", "[\xC3\x84]\r\nk=1\r\n", "\xC3\x84", "k", "1"},
        ReadCase{"NonAsciiNotFolded", "[\xC3\x84]\r\nk=1\r\n", "\xC3\xA4", "k", ""},
        ReadCase{"HighBytesNotFoldedAsLatin1", "[s]\r\n\xC4=1\r\n", "s", "\xE4", ""},
        ReadCase{"FirstSectionWins", "[s]\r\na=1\r\n[S]\r\na=2\r\n", "s", "a", "1"},
        ReadCase{"RepeatedSectionHidden", "[s]\r\na=1\r\n[S]\r\nb=2\r\n", "s", "b", ""},
        ReadCase{"FirstKeyWins", "[s]\r\na=1\r\nA=2\r\n", "s", "a", "1"},
        ReadCase{"SameKeyInOtherSection", "[s]\r\na=1\r\n[t]\r\na=2\r\n", "t", "a", "2"},
        ReadCase{"BlanksAroundGivenNames", "[s]\r\na=1", " s\t", " a ", "1"},
        // Quotes
        ReadCase{"DoubleQuotes", "[s]\r\na=\"x y\"\r\n", "s", "a", "x y"},
        ReadCase{"SingleQuotes", "[s]\r\na='x y'\r\n", "s", "a", "x y"},
        ReadCase{"BlanksInsideKept", "[s]\r\na=\" x \"\r\n", "s", "a", " x "},
        ReadCase{"RemovedAfterTrimming", "[s]\r\na=  'x'  \r\n", "s", "a", "x"},
        ReadCase{"MixedPairKept", "[s]\r\na=\"x'\r\n", "s", "a", "\"x'"},
        ReadCase{"OpeningOnlyKept", "[s]\r\na=\"x\r\n", "s", "a", "\"x"},
        ReadCase{"ClosingOnlyKept", "[s]\r\na=x'\r\n", "s", "a", "x'"},
        ReadCase{"OnlyOuterPairRemoved", "[s]\r\na=\"\"x\"\"\r\n", "s", "a", "\"x\""},
        ReadCase{"EmptyQuotes", "[s]\r\na=\"\"\r\n", "s", "a", ""},
        ReadCase{"LoneQuoteKept", "[s]\r\na=\"\r\n", "s", "a", "\""},
        ReadCase{"InnerQuotesKept", "[s]\r\na=x \"y\" z\r\n", "s", "a", "x \"y\" z"},
        // Missing
        ReadCase{"EmptyText", "", "s", "a", ""},
        ReadCase{"MissingSection", "[s]\r\na=1\r\n", "t", "a", ""},
        ReadCase{"NotAnIniFile", "\x01\x02 no sections\r\n", "s", "a", ""},
        ReadCase{"UnparsedLinesKept", "junk\r\n  [broken\r\n;c\r\n=\r\n [s] x\r\n\t a = b \t\r\n",
                 "s", "a", "b"},
        ReadCase{"HighBytesKept", "[\x81\x41]\r\nk=\0\xFF\r\n"s, "\x81\x41", "k", ""},
        // ByteOrderMark
        ReadCase{"Alone", "\xEF\xBB\xBF", "s", "a", ""},
        ReadCase{"SkippedAtStart", "\xEF\xBB\xBF[s]\r\na=1\r\n", "s", "a", "1"},
        ReadCase{"OnlyAtStart",
                 "[s]\r\n\xEF\xBB\xBF"
                 "a=1\r\n",
                 "s", "a", ""}),
    CaseName<ReadCase>);

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

class ProfileWriteTest : public testing::TestWithParam<WriteCase> {};

TEST_P(ProfileWriteTest, ChangesOnlyTheWrittenLines) {
    const WriteCase& c = GetParam();
    ProfileText text(c.before);
    for (const Write& write : c.writes) {
        ASSERT_TRUE(text.write(write.section, write.key, write.value));
    }
    EXPECT_EQ(text.bytes(), c.after);
    // After the writes every key reads as it will from the saved file.
    const ProfileText saved(text.bytes());
    for (const Write& write : c.writes) {
        EXPECT_EQ(text.read(write.section, write.key), saved.read(write.section, write.key))
            << write.section << "/" << write.key;
    }
}

INSTANTIATE_TEST_SUITE_P(
    All, ProfileWriteTest,
    testing::Values(
        // NewFile
        WriteCase{"EmptyText", "", {{"Section", "key", "value"}}, "[Section]\r\nkey=value\r\n"},
        WriteCase{
            "ByteOrderMarkOnly", "\xEF\xBB\xBF", {{"s", "k", "v"}}, "\xEF\xBB\xBF[s]\r\nk=v\r\n"},
        WriteCase{"BlanksAroundNamesDropped", "", {{" s\t", " k ", "v"}}, "[s]\r\nk=v\r\n"},
        WriteCase{
            "ValueWrittenAsGiven", "", {{"s", "k", "  \"v\" ;x  "}}, "[s]\r\nk=  \"v\" ;x  \r\n"},
        WriteCase{"EmptyValue", "", {{"s", "k", ""}}, "[s]\r\nk=\r\n"},
        WriteCase{"EmptySectionName", "", {{"", "k", "v"}}, "[]\r\nk=v\r\n"},
        // NewSection
        WriteCase{"AfterCrLf", "[a]\r\nx=1\r\n", {{"b", "k", "v"}}, "[a]\r\nx=1\r\n[b]\r\nk=v\r\n"},
        WriteCase{"AfterLf", "[a]\nx=1\n", {{"b", "k", "v"}}, "[a]\nx=1\n[b]\r\nk=v\r\n"},
        WriteCase{"NoFinalBreak", "[a]\r\nx=1", {{"b", "k", "v"}}, "[a]\r\nx=1\r\n[b]\r\nk=v\r\n"},
        WriteCase{"AfterTrailingBlankLine",
                  "[a]\r\nx=1\r\n\r\n",
                  {{"b", "k", "v"}},
                  "[a]\r\nx=1\r\n\r\n[b]\r\nk=v\r\n"},
        WriteCase{
            "AfterCommentWithoutBreak", "; note", {{"b", "k", "v"}}, "; note\r\n[b]\r\nk=v\r\n"},
        WriteCase{
            "KeyBeforeFirstHeaderNotReused", "k=0\r\n", {{"s", "k", "1"}}, "k=0\r\n[s]\r\nk=1\r\n"},
        // ExistingKey
        WriteCase{"RewrittenInPlace",
                  "[s]\r\na=1\r\nb=2\r\n",
                  {{"s", "a", "9"}},
                  "[s]\r\na=9\r\nb=2\r\n"},
        WriteCase{"KeepsSpelling",
                  "[Sect]\r\nMyKey=1\r\n",
                  {{"SECT", "mykey", "2"}},
                  "[Sect]\r\nMyKey=2\r\n"},
        WriteCase{
            "DropsBlanksAroundKey", "[s]\r\n  a  =  1  \r\n", {{"s", "a", "2"}}, "[s]\r\na=2\r\n"},
        WriteCase{
            "LineBreakBecomesCrLf", "[s]\na=1\nb=2\n", {{"s", "a", "3"}}, "[s]\na=3\r\nb=2\n"},
        WriteCase{"LastLineGetsCrLf", "[s]\na=1", {{"s", "a", "3"}}, "[s]\na=3\r\n"},
        WriteCase{"WholeOldValueReplaced",
                  "[s]\r\na=\"old value\" ;x\r\n",
                  {{"s", "a", "new"}},
                  "[s]\r\na=new\r\n"},
        WriteCase{"FirstOfRepeatedKey",
                  "[s]\r\na=1\r\nA=2\r\n",
                  {{"s", "a", "3"}},
                  "[s]\r\na=3\r\nA=2\r\n"},
        WriteCase{"RewrittenTwice", "", {{"s", "a", "1"}, {"S", "A", "2"}}, "[s]\r\na=2\r\n"},
        // NewKey
        WriteCase{"BeforeTrailingCommentAndBlank",
                  "[a]\r\nx=1\r\n; note\r\n\r\n[b]\r\ny=2\r\n",
                  {{"a", "z", "3"}},
                  "[a]\r\nx=1\r\nz=3\r\n; note\r\n\r\n[b]\r\ny=2\r\n"},
        WriteCase{"AfterKeyBelowComment",
                  "[a]\r\nx=1\r\n; note\r\ny=2\r\n\r\n",
                  {{"a", "z", "3"}},
                  "[a]\r\nx=1\r\n; note\r\ny=2\r\nz=3\r\n\r\n"},
        WriteCase{"BeforeTrailingLineWithoutEquals",
                  "[a]\r\nx=1\r\nflag\r\n",
                  {{"a", "z", "3"}},
                  "[a]\r\nx=1\r\nz=3\r\nflag\r\n"},
        WriteCase{"HeaderOnlySection",
                  "[a]\r\n\r\n[b]\r\ny=2\r\n",
                  {{"a", "z", "3"}},
                  "[a]\r\nz=3\r\n\r\n[b]\r\ny=2\r\n"},
        WriteCase{"LastKeyWithoutBreak", "[a]\r\nx=1", {{"a", "z", "3"}}, "[a]\r\nx=1\r\nz=3\r\n"},
        WriteCase{"CommentedKeyNotReused",
                  "[s]\r\n;a=1\r\n",
                  {{"s", "a", "2"}},
                  "[s]\r\na=2\r\n;a=1\r\n"},
        WriteCase{"GoesToFirstOfRepeatedSection",
                  "[s]\r\nx=1\r\n[S]\r\na=2\r\n",
                  {{"s", "a", "3"}},
                  "[s]\r\nx=1\r\na=3\r\n[S]\r\na=2\r\n"},
        WriteCase{"SeveralKeepOrder",
                  "[a]\r\nx=1\r\n; end\r\n",
                  {{"a", "p", "1"}, {"a", "q", "2"}, {"a", "r", "3"}},
                  "[a]\r\nx=1\r\np=1\r\nq=2\r\nr=3\r\n; end\r\n"},
        WriteCase{"InterleavedSections",
                  "",
                  {{"s", "a", "1"}, {"t", "b", "2"}, {"s", "c", "3"}, {"t", "d", "4"}},
                  "[s]\r\na=1\r\nc=3\r\n[t]\r\nb=2\r\nd=4\r\n"},
        // EveryOtherByteKept
        WriteCase{"HandEditedFile",
                  "\xEF\xBB\xBF"
                  "; task file\r\norphan=0\n[General]\r\n  Name = Daily \r\n"
                  "; keep me\r\n\r\n[Folders]\rF1=/a\rjunk line\r\n"
                  "[general]\r\nName=Shadow\r\n\tstray\ttabs\t",
                  {{"general", "name", "Nightly"}, {"GENERAL", "Mode", "2"}},
                  "\xEF\xBB\xBF"
                  "; task file\r\norphan=0\n[General]\r\nName=Nightly\r\nMode=2\r\n"
                  "; keep me\r\n\r\n[Folders]\rF1=/a\rjunk line\r\n"
                  "[general]\r\nName=Shadow\r\n\tstray\ttabs\t"}),
    CaseName<WriteCase>);

// ---------------------------------------------------------------------------------------------
// Refused writes: nothing changes, and the key keeps its value.

struct RefusedCase {
    const char* name;
    std::string section;
    std::string key;
    std::string value;
};

class ProfileRefusedWriteTest : public testing::TestWithParam<RefusedCase> {};

TEST_P(ProfileRefusedWriteTest, ChangesNothing) {
    const RefusedCase& c = GetParam();
    const std::string before = "[s]\r\na=1\r\n";
    ProfileText text(before);
    EXPECT_FALSE(text.write(c.section, c.key, c.value));
    EXPECT_EQ(text.bytes(), before);
    EXPECT_EQ(text.read("s", "a"), "1");
}

INSTANTIATE_TEST_SUITE_P(
    All, ProfileRefusedWriteTest,
    testing::Values(
        // LineBreaks
        RefusedCase{"LfInValue", "s", "a", "1\nb=2"}, RefusedCase{"CrInValue", "s", "a", "1\rb=2"},
        RefusedCase{"LfInKey", "s", "b\na", "2"}, RefusedCase{"CrInSection", "t\r[s]", "a", "2"},
        RefusedCase{"NulInValue", "s", "a", "2\0b"s},
        // Names
        RefusedCase{"EqualsInKey", "s", "a=b", "2"},
        RefusedCase{"BracketInSection", "s]x", "a", "2"}, RefusedCase{"EmptyKey", "s", "", "2"},
        RefusedCase{"BlankKey", "s", " \t", "2"}, RefusedCase{"KeyReadAsHeader", "s", "[t]", "2"},
        RefusedCase{"KeyReadAsComment", "s", ";a", "2"},
        RefusedCase{"KeyReadAsIndentedComment", "s", " ;a", "2"}),
    CaseName<RefusedCase>);

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

}  // namespace
}  // namespace tarnwick
