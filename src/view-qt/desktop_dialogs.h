#pragma once

#include <QString>
#include <memory>

class QDialog;
class QMessageBox;
class QWidget;

namespace tarnwick::qtview {

// The modal windows of the desktop, behind one seam: the program shows them, tests answer them
// without ever blocking.
class DesktopDialogs {
  public:
    virtual ~DesktopDialogs() = default;

    // A message with one OK button and the information icon; returns once it is closed.
    virtual void information(QWidget* parent, const QString& title, const QString& text) = 0;

    // The folder browser (FolderBrowser), showing a prompt and opened with a start folder
    // selected: the chosen folder, or "" on cancel.
    virtual QString existingFolder(QWidget* parent, const QString& prompt,
                                   const QString& startFolder) = 0;

    // Runs the task chooser modally until the model closes it (or the user does).
    virtual void runTaskChooser(QDialog& chooser) = 0;
};

// The real ones.
class SystemDialogs final : public DesktopDialogs {
  public:
    void information(QWidget* parent, const QString& title, const QString& text) override;
    QString existingFolder(QWidget* parent, const QString& prompt,
                           const QString& startFolder) override;
    void runTaskChooser(QDialog& chooser) override;
};

// The message box the program shows: the information icon and a single OK button, whose text
// comes from Qt's translation ("确定" once the Chinese one is loaded).
std::unique_ptr<QMessageBox> MakeInformationBox(QWidget* parent, const QString& title,
                                                const QString& text);

// A chosen folder in the shell's form: "" stays "", a root keeps its separator, any other folder
// loses a trailing one.
QString ShellFolderForm(const QString& folder);

}  // namespace tarnwick::qtview
