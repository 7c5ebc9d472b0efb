#include "cli/state_report.h"

#include <sstream>

#include "cli/printable_text.h"
#include "ui/frm_main.h"

namespace tarnwick {
namespace {

class Report {
  public:
    template <typename T>
    void line(std::string_view name, const T& value) {
        std::ostringstream text;
        text << value;
        out_ << name << '=' << PrintableText(text.str()) << '\n';
    }
    void flag(std::string_view name, bool value) { line(name, value ? 1 : 0); }
    // A text box: its text, then whether it takes input.
    void box(std::string_view name, const TextBox& box) {
        line(name, box.text());
        flag(std::string(name) + ".Enabled", box.enabled());
    }

    // A list, 0-based as the window counts its rows.
    template <typename Items>
    void rows(std::string_view name, const Items& items) {
        line(std::string(name) + ".ListCount", items.size());
        int index = 0;
        for (const auto& item : items) {
            line(std::string(name) + "(" + std::to_string(index++) + ")", item);
        }
    }

    // An array built from a list, 1-based as it is built.
    void array(std::string_view countName, std::string_view name,
               const std::vector<std::string>& items) {
        line(countName, items.size());
        for (std::size_t i = 0; i < items.size(); ++i) {
            line(std::string(name) + "(" + std::to_string(i + 1) + ")", items[i]);
        }
    }

    std::string text() const { return out_.str(); }

  private:
    std::ostringstream out_;
};

}  // namespace

std::string StateReport(const FrmMain& w) {
    Report r;
    r.line("IniPath", w.IniPath);
    r.line("TextTask", w.TextTask.text());
    r.line("txtToFolder", w.txtToFolder.text());
    r.line("CheckFullFodler", w.CheckFullFodler.value());
    r.line("Check1", w.Check1.value());
    r.line("Check2", w.Check2.value());
    r.box("Text3", w.Text3);
    r.line("Option1", SelectedIndex(w.Option1));
    r.box("Text5", w.Text5);
    r.box("Text6", w.Text6);
    r.box("Text4", w.Text4);
    r.flag("Timer1.Enabled", w.Timer1.enabled());
    r.line("IntervalMinutes", w.IntervalMinutes);
    r.line("MinuteCounter", w.MinuteCounter);
    r.line("Option2", SelectedIndex(w.Option2));
    r.line("ExtMode", static_cast<int>(w.Filter.extMode));
    r.line("CheckAllSub", w.CheckAllSub.value());
    r.line("CheckNoCopy", w.CheckNoCopy.value());
    r.rows("ListFromFolder", w.ListFromFolder.items());
    r.rows("List3", w.List3.items());
    r.rows("List4", w.List4.items());
    r.array("OnlyExtCount", "OnlyExtList", w.Filter.onlyExtList);
    r.array("SkipExtCount", "SkipExtList", w.Filter.skipExtList);
    r.rows("ListMessage", w.ListMessage.items());
    return r.text();
}

}  // namespace tarnwick
