// Any text as an INI file, then random writes to it: reading keeps the text as it was; a write is
// refused (changing nothing) exactly when its line would not read back as its key; a write made
// reads back, leaves every other key as it was, and survives the text being read anew.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "task/profile_text.h"
#include "task/task_values.h"

namespace {

using tarnwick::ProfileText;
using tarnwick::fuzz::Check;
using Key = std::pair<std::string, std::string>;

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\v");
    return first == std::string_view::npos
               ? std::string_view()
               : text.substr(first, text.find_last_not_of(" \t\v") - first + 1);
}

std::string Folded(std::string_view text) {
    std::string folded(Trim(text));
    for (char& c : folded) {
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return folded;
}

std::string Name(FuzzedDataProvider& input, std::initializer_list<const char*> common) {
    return input.ConsumeBool()
               ? common.begin()[input.ConsumeIntegralInRange<std::size_t>(0, common.size() - 1)]
               : input.ConsumeRandomLengthString(24);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string original = input.ConsumeRandomLengthString(4096);
    ProfileText profile(original);
    Check(profile.bytes() == original, "reading changed the text", original);
    std::map<Key, std::pair<Key, std::string>> written;  // folded names -> names and value read
    while (input.remaining_bytes() > 0) {
        const std::string section = Name(input, {"Comm", "comm", " DirList ", "", "[x", "a b"});
        const std::string key = Name(input, {"Count", "count", "Dir1", " DDir", "=", ";x", "[k"});
        const bool protect = input.ConsumeBool();
        const std::string given = input.ConsumeRandomLengthString(64);
        const std::string value = protect ? tarnwick::ProtectedValue(given) : given;
        const std::string before = profile.bytes();
        const std::string_view s = Trim(section), k = Trim(key);
        const bool sound = s.find_first_of("\r\n]") == std::string_view::npos &&
                           k.find_first_of("\r\n=") == std::string_view::npos &&
                           value.find_first_of("\r\n") == std::string::npos &&
                           value.find('\0') == std::string::npos && !k.empty() &&
                           k.front() != '[' && k.front() != ';';
        const bool made = profile.write(section, key, value);
        Check(made == sound, made ? "an unsound write was made" : "a sound write was refused",
              before, "[" + section + "] " + key + "=" + value);
        if (!made) {
            Check(profile.bytes() == before, "a refused write changed the text", before);
            continue;
        }
        std::string_view unquoted = Trim(value);  // one outer pair of matching quotes goes
        if (unquoted.size() >= 2 && (unquoted[0] == '"' || unquoted[0] == '\'') &&
            unquoted.back() == unquoted[0]) {
            unquoted = unquoted.substr(1, unquoted.size() - 2);
        }
        Check(profile.read(section, key) == (protect ? given : std::string(unquoted)),
              "a key does not read back what was written", profile.bytes());
        written[{Folded(section), Folded(key)}] = {{section, key}, profile.read(section, key)};
        const ProfileText fresh(profile.bytes());
        for (const auto& [folded, entry] : written) {
            const auto& [names, read] = entry;
            Check(profile.read(names.first, names.second) == read &&
                      fresh.read(names.first, names.second) == read,
                  "a write changed another key, or the text reads otherwise anew", profile.bytes());
        }
    }
    return 0;
}
