#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tarnwick {

// An INI file's text as the Windows profile functions (GetPrivateProfileStringA and
// WritePrivateProfileStringA) see it, so that a task file means the same to the Windows program
// and to ours. Reading never changes the text; each write touches one line or inserts one, and
// every other byte, comments and lines nobody understands included, stays as it was.
//
// Names match with ASCII letters folded to upper case; bytes from 0x80 up compare exactly, since
// the text may be UTF-8 or GBK. The blanks trimmed around names and values are space, tab and
// vertical tab; a form feed is an ordinary character.
class ProfileText {
  public:
    // An empty (or missing) file.
    ProfileText() = default;
    // The file's bytes as read. A leading UTF-8 byte order mark is skipped on read and kept in
    // bytes().
    explicit ProfileText(std::string_view bytes);

    // The value of a key, whole up to its first NUL byte (where the profile function's string
    // ends), then with one outer pair of matching quotes removed; "" when the section or the key
    // is missing. Blanks around the names given are ignored.
    std::string read(std::string_view section, std::string_view key) const;

    // The names of a section's keys, folded to upper case, in no particular order.
    std::vector<std::string> keys(std::string_view section) const;

    // Writes one key as WritePrivateProfileStringA would, the value exactly as given. Returns
    // false and changes nothing when the line written would not read back as this key: a CR or
    // LF anywhere (it would inject lines), a NUL in the value (it would end the value there), '='
    // in the key, ']' in the section, or a key that is empty or starts with '[' or ';' (it would
    // read as a header or a comment).
    bool write(std::string_view section, std::string_view key, std::string_view value);

    // The whole text, as it would be written to the file.
    std::string bytes() const;

  private:
    static constexpr std::size_t kNoLine = std::numeric_limits<std::size_t>::max();

    struct Line {
        std::string text;            // without its line break
        std::string_view lineBreak;  // "\r\n", "\n", "\r", or "" for a last line without one
        std::size_t next;            // the slot of the line that follows in the text, or kNoLine
    };

    struct Section {
        std::size_t header;
        std::size_t lastKey;  // the header while the section has no key line
        std::unordered_map<std::string, std::size_t> keys;  // folded name -> first line of the key
    };

    // Puts a new line, ended by CRLF, after `previous` (first when kNoLine) and returns its slot.
    std::size_t insertAfter(std::size_t previous, std::string text);

    bool hasByteOrderMark_ = false;
    // Lines stay in the slot they were given, so the index survives inserts and copies; `next`
    // links them in the order of the text.
    std::vector<Line> lines_;
    std::size_t firstLine_ = kNoLine;
    std::size_t lastLine_ = kNoLine;
    // Folded name -> the first section of that name; later ones are invisible.
    std::unordered_map<std::string, Section> sections_;
};

}  // namespace tarnwick
