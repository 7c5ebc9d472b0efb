// Faults that the fuzzers and the soak found, each kept from coming back by the input that
// showed it.
#include "common/text_encoding.h"
#include "support/window_fixture.h"

namespace tarnwick {
namespace {

using Lines = std::vector<std::string>;

class FoundFault : public test::WindowTest {};

// A count no longer than the file has lines is taken as it stands; the lines were counted by
// their LFs only, so a file with lone CRs (a classic Mac editor's) looked like one line and kept
// only its first entries.
TEST_F(FoundFault, EveryKindOfLineEndKeepsTheWholeList) {
    struct Case {
        const char* name;
        std::string bytes;
    };
    const auto lines = [](const std::string& end) {
        std::string text;
        for (const char* line : {"[DirList]", "Count=3", "Dir1=C:\\a", "Dir2=C:\\b", "Dir3=C:\\c",
                                 "[FileExtNo]", "Count=2", "FileExt1=.bak", "FileExt2=\\tmp"}) {
            text += line + end;
        }
        return text;
    };
    const Case cases[] = {
        {"CRLF", lines("\r\n")},
        {"LF", lines("\n")},
        {"lone CR", lines("\r")},
        {"lone CR, no end on the last line", lines("\r").substr(0, lines("\r").size() - 1)},
        {"UTF-16LE with lone CR", "\xFF\xFE" + Utf8ToUtf16Le(lines("\r"))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs.addFile("C:\\t.ini", 100, c.bytes.size(), c.bytes);
        window->IniPath = "C:\\t.ini";
        window->ResetTask();
        EXPECT_EQ(items(window->ListFromFolder), (Lines{"C:\\a", "C:\\b", "C:\\c"}));
        EXPECT_EQ(items(window->List4), (Lines{".bak", "\\tmp"}));
    }
}

// The size box is enabled exactly when its check box is ticked. Loading fires the check box's
// handler only when its value changes, so a window created with the box enabled kept it enabled
// after loading a task whose limit is off.
TEST_F(FoundFault, TheSizeBoxFollowsItsCheckBoxFromTheStart) {
    EXPECT_EQ(window->Check2.value(), 0);
    EXPECT_FALSE(window->Text3.enabled());
    for (const char* limit : {"LimitSize=0", "", "LimitSize=1", "LimitSize=0"}) {
        SCOPED_TRACE(limit);
        writeTask("C:\\t.ini", {"[Comm]", limit});
        window->IniPath = "C:\\t.ini";
        window->ResetTask();
        EXPECT_EQ(window->Text3.enabled(), window->Check2.value() != 0);
    }
}

}  // namespace
}  // namespace tarnwick
