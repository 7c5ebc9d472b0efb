/* The Windows program's window classes, titles and control IDs, named after the controls of the
 * window model (IDC_ + name, an array index after an underscore). Every control is a direct
 * child of its window, so GetDlgItem(window, IDC_...) finds it. Plain C preprocessor lines: the
 * resource script, the program, its test driver and tools outside this repository all read this
 * file. */
#ifndef TARNWICK_VIEW_WIN32_CONTROL_IDS_H
#define TARNWICK_VIEW_WIN32_CONTROL_IDS_H

/* The main window: FindWindowA(TARNWICK_MAIN_CLASS, NULL) or by its caption. */
#define TARNWICK_MAIN_CLASS "TarnwickMainWindow"
/* The task chooser is a dialog of the system's class "#32770" with this caption (code page 936):
 * "选择备份任务". */

/* The main window's timer (SetTimer ID of Timer1). */
#define IDT_Timer1 1

/* Band 1: the tab control and the column of buttons on its right. */
#define IDC_SSTab1 1000
#define IDC_UpdateButton 1001
#define IDC_CommStop 1002
#define IDC_SaveConfig 1003
#define IDC_ButtonExit 1004
#define IDC_CommandClear 1005

/* Band 2: the destination row. */
#define IDC_CommandToDir 1010
#define IDC_txtToFolder 1011
#define IDC_CheckFullFodler 1012

/* Bands 3 and 4: the log, the three pictures on one spot, the note. */
#define IDC_ListMessage 1020
#define IDC_Image1_0 1021
#define IDC_Image1_1 1022
#define IDC_Image1_2 1023

/* The labels LabDDir(4) to LabDDir(9): IDC_LabDDir_0 + index. */
#define IDC_LabDDir_0 1030
#define IDC_LabDDir_4 1034
#define IDC_LabDDir_5 1035
#define IDC_LabDDir_6 1036
#define IDC_LabDDir_7 1037
#define IDC_LabDDir_8 1038
#define IDC_LabDDir_9 1039

/* First tab: the folders to back up. */
#define IDC_SelTask 1100
#define IDC_TextTask 1101
#define IDC_Label1 1102
#define IDC_CheckAllSub 1103
#define IDC_ListFromFolder 1104
#define IDC_CommandNewDir 1105
#define IDC_CommandDelDir 1106
#define IDC_CommandClearDir 1107

/* Second tab, the file types frame. */
#define IDC_Frame2 1200
#define IDC_Option2_0 1201
#define IDC_Option2_1 1202
#define IDC_Option2_2 1203
#define IDC_List3 1204
#define IDC_List4 1205
#define IDC_Text1 1206
#define IDC_Text7 1207
#define IDC_Command4 1208
#define IDC_Command5 1209
#define IDC_Command6 1210
#define IDC_Command7 1211
#define IDC_ImageQRCode 1212
#define IDC_Shape1 1213
#define IDC_Shape2 1214
#define IDC_Shape3 1215

/* Second tab, the parameters frame, and the check box under it. */
#define IDC_Frame1 1300
#define IDC_Check1 1301
#define IDC_Check2 1302
#define IDC_Text3 1303
#define IDC_Line2 1304
#define IDC_Option1_0 1305
#define IDC_Option1_1 1306
#define IDC_Option1_2 1307
#define IDC_Text5 1308
#define IDC_Text6 1309
#define IDC_Text4 1310
#define IDC_CheckNoCopy 1311

/* The task chooser Dialog. */
#define IDC_Drive1 1400
#define IDC_Dir1 1401
#define IDC_File1 1402
#define IDC_OKButton 1403
#define IDC_CancelButton 1404

#endif /* TARNWICK_VIEW_WIN32_CONTROL_IDS_H */
