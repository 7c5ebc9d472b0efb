#include "view-win32/control_id.h"

#include <stdexcept>
#include <string>

#include "view-win32/control_ids.h"

namespace tarnwick::win32view {
namespace {

const struct {
    std::string_view name;
    int id;
} kIds[] = {
    {"SSTab1", IDC_SSTab1},
    {"UpdateButton", IDC_UpdateButton},
    {"CommStop", IDC_CommStop},
    {"SaveConfig", IDC_SaveConfig},
    {"ButtonExit", IDC_ButtonExit},
    {"CommandClear", IDC_CommandClear},
    {"CommandToDir", IDC_CommandToDir},
    {"txtToFolder", IDC_txtToFolder},
    {"CheckFullFodler", IDC_CheckFullFodler},
    {"ListMessage", IDC_ListMessage},
    {"Image1(0)", IDC_Image1_0},
    {"Image1(1)", IDC_Image1_1},
    {"Image1(2)", IDC_Image1_2},
    {"LabDDir(4)", IDC_LabDDir_4},
    {"LabDDir(5)", IDC_LabDDir_5},
    {"LabDDir(6)", IDC_LabDDir_6},
    {"LabDDir(7)", IDC_LabDDir_7},
    {"LabDDir(8)", IDC_LabDDir_8},
    {"LabDDir(9)", IDC_LabDDir_9},
    {"SelTask", IDC_SelTask},
    {"TextTask", IDC_TextTask},
    {"Label1", IDC_Label1},
    {"CheckAllSub", IDC_CheckAllSub},
    {"ListFromFolder", IDC_ListFromFolder},
    {"CommandNewDir", IDC_CommandNewDir},
    {"CommandDelDir", IDC_CommandDelDir},
    {"CommandClearDir", IDC_CommandClearDir},
    {"Frame2", IDC_Frame2},
    {"Option2(0)", IDC_Option2_0},
    {"Option2(1)", IDC_Option2_1},
    {"Option2(2)", IDC_Option2_2},
    {"List3", IDC_List3},
    {"List4", IDC_List4},
    {"Text1", IDC_Text1},
    {"Text7", IDC_Text7},
    {"Command4", IDC_Command4},
    {"Command5", IDC_Command5},
    {"Command6", IDC_Command6},
    {"Command7", IDC_Command7},
    {"ImageQRCode", IDC_ImageQRCode},
    {"Shape1", IDC_Shape1},
    {"Shape2", IDC_Shape2},
    {"Shape3", IDC_Shape3},
    {"Frame1", IDC_Frame1},
    {"Check1", IDC_Check1},
    {"Check2", IDC_Check2},
    {"Text3", IDC_Text3},
    {"Line2", IDC_Line2},
    {"Option1(0)", IDC_Option1_0},
    {"Option1(1)", IDC_Option1_1},
    {"Option1(2)", IDC_Option1_2},
    {"Text5", IDC_Text5},
    {"Text6", IDC_Text6},
    {"Text4", IDC_Text4},
    {"CheckNoCopy", IDC_CheckNoCopy},
    {"Drive1", IDC_Drive1},
    {"Dir1", IDC_Dir1},
    {"File1", IDC_File1},
    {"OKButton", IDC_OKButton},
    {"CancelButton", IDC_CancelButton},
};

}  // namespace

int ControlId(std::string_view name) {
    for (const auto& entry : kIds) {
        if (entry.name == name) {
            return entry.id;
        }
    }
    throw std::logic_error("no control ID for " + std::string(name));
}

}  // namespace tarnwick::win32view
