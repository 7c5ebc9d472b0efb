// Any text as an INI file, then a run of writes. Checked against a plain reader that follows the
// Windows profile functions line by line: reading never changes a byte; after every write the key
// written reads back what a reader makes of the value, every other key reads as before, the
// lines of the file are the old ones with one changed or one or two added, and a fresh reading of
// the new text agrees with the edited one.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "task/profile_text.h"
#include "task/task_values.h"

namespace {

using tarnwick::ProfileText;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        x = x >= 'A' && x <= 'Z' ? static_cast<char>(x - 'A' + 'a') : x;
        y = y >= 'A' && y <= 'Z' ? static_cast<char>(y - 'A' + 'a') : y;
        if (x != y) {
            return false;
        }
    }
    return true;
}

std::string_view Unquoted(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// The text's lines without their line ends; CRLF, LF and a lone CR each end one. A UTF-8 byte
// order mark at the start is not part of the first line.
std::vector<std::string_view> SplitLines(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = start;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n') {
            ++end;
        }
        lines.push_back(text.substr(start, end - start));
        if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') {
            ++end;
        }
        start = end + 1;
    }
    return lines;
}

// What GetPrivateProfileString answers, read line by line from the text: the first key of that
// name in the first section of that name.
std::string PlainRead(const std::vector<std::string_view>& lines, std::string_view section,
                      std::string_view key) {
    section = Trim(section);
    key = Trim(key);
    bool seenSection = false;
    bool inside = false;
    for (std::string_view line : lines) {
        line = Trim(line);
        if (line.starts_with('[')) {
            std::string_view name = line.substr(1);
            name = Trim(name.substr(0, name.find(']')));
            inside = !seenSection && SameName(name, section);
            seenSection = seenSection || inside;
            continue;
        }
        if (!inside || line.starts_with(';')) {
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals != std::string_view::npos && SameName(Trim(line.substr(0, equals)), key)) {
            return std::string(Unquoted(Trim(line.substr(equals + 1))));
        }
    }
    return {};
}

// Every section and key name the text holds, to look each one up.
std::vector<std::pair<std::string, std::string>> NamesIn(std::string_view text) {
    std::vector<std::pair<std::string, std::string>> names;
    std::string section;
    for (std::string_view line : SplitLines(text)) {
        line = Trim(line);
        if (line.starts_with('[')) {
            const std::string_view name = line.substr(1);
            section = std::string(Trim(name.substr(0, name.find(']'))));
        } else if (const std::size_t equals = line.find('=');
                   equals != std::string_view::npos && !line.starts_with(';')) {
            names.emplace_back(section, std::string(Trim(line.substr(0, equals))));
        }
    }
    return names;
}

[[noreturn]] void Fail(const char* what, const std::string& text, const std::string& detail) {
    std::fprintf(stderr, "%s\n---- text\n%s\n---- %s\n", what, text.c_str(), detail.c_str());
    std::abort();
}

using Reads = std::map<std::pair<std::string, std::string>, std::string>;

Reads ReadAll(const ProfileText& profile,
              const std::set<std::pair<std::string, std::string>>& names) {
    Reads reads;
    for (const auto& name : names) {
        reads[name] = profile.read(name.first, name.second);
    }
    return reads;
}

void CheckAgreesWithPlainReading(const ProfileText& profile,
                                 const std::set<std::pair<std::string, std::string>>& names) {
    const std::string text = profile.bytes();
    const ProfileText fresh(text);
    const auto lines = SplitLines(text);
    for (const auto& [section, key] : names) {
        const std::string plain = PlainRead(lines, section, key);
        if (profile.read(section, key) != plain || fresh.read(section, key) != plain) {
            Fail("a key reads otherwise than the text says", text,
                 "[" + section + "] " + key + " should read \"" + plain + "\", reads \"" +
                     profile.read(section, key) + "\", freshly \"" + fresh.read(section, key) +
                     "\"");
        }
    }
}

// After a write the old lines are all still there in order, with at most one of them changed in
// place, or one or two lines added.
void CheckOneLineTouched(const std::string& before, const std::string& after) {
    const auto old = SplitLines(before);
    const auto now = SplitLines(after);
    if (now.size() == old.size()) {
        int changed = 0;
        for (std::size_t i = 0; i < old.size(); ++i) {
            changed += old[i] != now[i] ? 1 : 0;
        }
        if (changed > 1) {
            Fail("a write changed more than one line", before, after);
        }
        return;
    }
    if (now.size() != old.size() + 1 && now.size() != old.size() + 2) {
        Fail("a write added more than two lines", before, after);
    }
    std::size_t j = 0;
    for (std::size_t i = 0; i < now.size() && j < old.size(); ++i) {
        if (now[i] == old[j]) {
            ++j;
        }
    }
    if (j != old.size()) {
        Fail("a write lost or changed a line while adding one", before, after);
    }
}

// Names the writes use: the task file's own, variations of their spelling and anything at all.
std::string PickName(FuzzedDataProvider& input, const char* const* common, std::size_t count) {
    if (input.ConsumeBool()) {
        return common[input.ConsumeIntegralInRange<std::size_t>(0, count - 1)];
    }
    return input.ConsumeRandomLengthString(24);
}

constexpr const char* kSections[] = {"Comm", "comm", " DirList ", "FileExtYes", "", "[x", "a b"};
constexpr const char* kKeys[] = {"Count", "count", "Dir1", " DDir", "FileExt2", "=", ";x", "[k"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string original = input.ConsumeRandomLengthString(4096);
    ProfileText profile(original);
    if (profile.bytes() != original) {
        Fail("reading changed the text", original, profile.bytes());
    }

    std::set<std::pair<std::string, std::string>> names;
    for (auto& name : NamesIn(original)) {
        names.insert(std::move(name));
    }
    CheckAgreesWithPlainReading(profile, names);

    while (input.remaining_bytes() > 0) {
        const std::string section = PickName(input, kSections, std::size(kSections));
        const std::string key = PickName(input, kKeys, std::size(kKeys));
        const bool protect = input.ConsumeBool();
        const std::string given = input.ConsumeRandomLengthString(64);
        const std::string value = protect ? tarnwick::ProtectedValue(given) : given;

        const std::string before = profile.bytes();
        const Reads others = ReadAll(profile, names);
        const std::string_view s = Trim(section);
        const std::string_view k = Trim(key);
        const bool writable = s.find_first_of("\r\n]") == std::string_view::npos &&
                              k.find_first_of("\r\n=") == std::string_view::npos &&
                              value.find_first_of("\r\n") == std::string::npos && !k.empty() &&
                              k.front() != '[' && k.front() != ';';
        const bool written = profile.write(section, key, value);
        if (written != writable) {
            Fail(written ? "a write that should be refused was made" : "a sound write was refused",
                 before, "[" + section + "] " + key + "=" + value);
        }
        if (!written) {
            if (profile.bytes() != before) {
                Fail("a refused write changed the text", before, profile.bytes());
            }
            continue;
        }

        const std::string expected = protect ? given : std::string(Unquoted(Trim(value)));
        if (profile.read(section, key) != expected) {
            Fail("a key does not read back what was written", profile.bytes(),
                 "[" + section + "] " + key + " wrote \"" + value + "\", reads \"" +
                     profile.read(section, key) + "\"");
        }
        for (const auto& [name, old] : others) {
            if (SameName(Trim(name.first), s) && SameName(Trim(name.second), k)) {
                continue;
            }
            if (profile.read(name.first, name.second) != old) {
                Fail("a write changed another key", profile.bytes(),
                     "[" + name.first + "] " + name.second + " read \"" + old + "\", now \"" +
                         profile.read(name.first, name.second) + "\"");
            }
        }
        CheckOneLineTouched(before, profile.bytes());
        names.emplace(section, key);
        CheckAgreesWithPlainReading(profile, names);
    }
    return 0;
}
