#pragma once

#include <string>

namespace tarnwick::test {

// A link made for a test and removed at its end (before the temporary tree, whose removal would
// otherwise walk through it): a symbolic link to the folder or file, which the walk treats as it
// treats a junction. Wine 8 makes neither (CreateSymbolicLinkW claims success but makes nothing,
// and a reparse point answers ERROR_NOT_SUPPORTED); there a link of the host system stands in,
// which Wine shows as what it leads to, as Windows shows a junction. made() is false when
// neither could be made.
class WindowsLink {
  public:
    WindowsLink(const std::string& link, const std::string& target);
    ~WindowsLink();
    WindowsLink(const WindowsLink&) = delete;
    WindowsLink& operator=(const WindowsLink&) = delete;

    bool made() const { return how_ != How::None; }

  private:
    enum class How { None, Api, Host };
    std::string link_;
    How how_ = How::None;
};

}  // namespace tarnwick::test
