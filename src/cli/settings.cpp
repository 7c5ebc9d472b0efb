#include "cli/settings.h"

#include <map>

#include "cli/console_platform.h"
#include "common/texts.h"
#include "ui/frm_main.h"

namespace tarnwick {
namespace {

std::optional<int> SmallIndex(const std::string& text, int last) {
    if (text.size() != 1 || text[0] < '0' || text[0] > '0' + last) {
        return std::nullopt;
    }
    return text[0] - '0';
}

template <typename Control>
Control* Named(const std::map<std::string, Control*>& controls, const std::string& name) {
    const auto found = controls.find(name);
    return found == controls.end() ? nullptr : found->second;
}

TextBox* TextBoxNamed(FrmMain& w, const std::string& name) {
    return Named<TextBox>({{"txtToFolder", &w.txtToFolder},
                           {"TextTask", &w.TextTask},
                           {"Text1", &w.Text1},
                           {"Text3", &w.Text3},
                           {"Text4", &w.Text4},
                           {"Text5", &w.Text5},
                           {"Text6", &w.Text6},
                           {"Text7", &w.Text7}},
                          name);
}

CheckBox* CheckBoxNamed(FrmMain& w, const std::string& name) {
    return Named<CheckBox>({{"Check1", &w.Check1},
                            {"Check2", &w.Check2},
                            {"CheckFullFodler", &w.CheckFullFodler},
                            {"CheckAllSub", &w.CheckAllSub},
                            {"CheckNoCopy", &w.CheckNoCopy}},
                           name);
}

std::optional<std::string> AddToList(const std::string& list, const std::string& text, FrmMain& w,
                                     ConsolePlatform& platform) {
    if (list == "ListFromFolder") {
        platform.nextFolder = text;
        w.CommandNewDir_Click();
    } else if (list == "List3") {
        w.Text1.setText(text);
        w.Command4_Click();
    } else if (list == "List4") {
        w.Text7.setText(text);
        w.Command6_Click();
    } else {
        return std::string(texts::kCliUnknownList) + list;
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> ApplySetting(const std::string& setting, FrmMain& w,
                                        ConsolePlatform& platform) {
    const auto equals = setting.find('=');
    if (equals == std::string::npos || equals == 0) {
        return std::string(texts::kCliSettingForm) + setting;
    }
    if (setting[equals - 1] == '+') {
        return AddToList(setting.substr(0, equals - 1), setting.substr(equals + 1), w, platform);
    }
    const std::string name = setting.substr(0, equals);
    const std::string value = setting.substr(equals + 1);
    if (TextBox* box = TextBoxNamed(w, name)) {
        box->setText(value);
        return std::nullopt;
    }
    if (CheckBox* box = CheckBoxNamed(w, name)) {
        const auto checked = SmallIndex(value, 1);
        if (!checked) {
            return name + std::string(texts::kCliCheckValues) + value;
        }
        w.clickCheckBox(*box, *checked);
        return std::nullopt;
    }
    if (name == "Option1" || name == "Option2") {
        const auto index = SmallIndex(value, 2);
        if (!index) {
            return name + std::string(texts::kCliOptionValues) + value;
        }
        if (name == "Option1") {
            w.clickOption1(static_cast<ScheduleMode>(*index));
        } else {
            w.selectOption2(static_cast<TypeMode>(*index));
        }
        return std::nullopt;
    }
    return std::string(texts::kCliUnknownSetting) + name;
}

}  // namespace tarnwick
