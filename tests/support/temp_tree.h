#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace tarnwick::test {

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TempTree {
  public:
    TempTree();
    ~TempTree();
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    // The folder's full path, without a trailing separator.
    const std::string& root() const { return root_; }
    // A full path below the folder; "/" in the relative part stands for the system's separator.
    std::string path(const std::string& relative) const;

    // Writes a file (and its missing folders) and, when given, sets its modification time in
    // seconds since 1970.
    void write(const std::string& relative, const std::string& content, std::int64_t mtime = -1);
    void makeFolder(const std::string& relative);
    std::string read(const std::string& relative) const;
    bool exists(const std::string& relative) const;
    std::int64_t mtime(const std::string& relative) const;

    // Every regular file below a folder, by path relative to it ("/"-separated), with its content.
    std::map<std::string, std::string> files(const std::string& relative = "") const;

  private:
    std::string root_;
};

// Whether a copy or a save left one of its temporary files anywhere below a folder of the tree.
bool HoldsTemporaryFiles(const TempTree& tree, const std::string& relative);

}  // namespace tarnwick::test
