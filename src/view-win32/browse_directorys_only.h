#pragma once

// The shell's folder dialog (Windows only): opened with a prompt, positioned on a start folder,
// with the selected folder's path as its status text.
#include <windows.h>

#include <string>

namespace tarnwick::win32view {

// The chosen folder's path in the shell's form (a root with its "\", any other folder without),
// or "" when the user cancels. The strings are UTF-8; they cross to the shell as UTF-16.
std::string BrowseForFolder(HWND owner, const std::string& prompt, const std::string& startFolder);

// The dialog's callback: positions the dialog on the start folder when it is ready, and shows
// each newly selected folder's path as the status text. Always answers 0.
int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM value, LPARAM userData);

// The start folder the callback positions the dialog on (set by BrowseForFolder).
void SetBrowseStartFolder(const std::string& startFolder);

}  // namespace tarnwick::win32view
