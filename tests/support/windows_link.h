#pragma once

#include <string>

namespace tarnwick::test {

// A link made for a test and removed at its end (before the temporary tree, whose removal would
// otherwise walk through it): a junction when the target is a folder, a symbolic link to a file
// otherwise. Windows makes them through the API, as `mklink /J` does. Wine 8 cannot: setting a
// reparse point answers ERROR_NOT_SUPPORTED and CreateSymbolicLinkW claims success but makes
// nothing. There a link of the host system stands in; Wine shows it as what it leads to, as
// Windows shows a junction. made() is false when neither could be made.
class WindowsLink {
  public:
    WindowsLink(const std::string& link, const std::string& target);
    ~WindowsLink();
    WindowsLink(const WindowsLink&) = delete;
    WindowsLink& operator=(const WindowsLink&) = delete;

    bool made() const { return how_ != How::None; }

  private:
    enum class How { None, Junction, FileLink, Host };
    std::string link_;
    How how_ = How::None;
};

}  // namespace tarnwick::test
