#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "task/profile_text.h"

namespace tarnwick {

// A task file's text in its own encoding: the system's ANSI code page (UTF-8 on POSIX systems),
// or UTF-16LE when the file begins with that byte order mark, which it then keeps. Values
// cross in and out as UTF-8; every byte that no write touches stays as it was.
class TaskFileText {
  public:
    explicit TaskFileText(std::string_view fileBytes = {});

    std::string read(std::string_view section, std::string_view key) const;
    // The names of a section's keys, ASCII letters folded to upper case.
    std::vector<std::string> keys(std::string_view section) const { return text_.keys(section); }

    // Whether a value can be written: no line break (it would inject keys), no NUL (it would
    // end the value) and, in the code page, no character the code page lacks.
    bool canStore(std::string_view value) const;
    // Writes a value that canStore accepts; answers false and changes nothing otherwise.
    bool write(std::string_view section, std::string_view key, std::string_view value);

    // The file's bytes, in its encoding.
    std::string bytes() const;
    std::size_t lineCount() const { return lineCount_; }

  private:
    bool utf16_ = false;
    ProfileText text_;
    std::size_t lineCount_ = 1;
};

}  // namespace tarnwick
