#include "view-qt/desktop_dialogs.h"

#include <QDialog>
#include <QDir>
#include <QMessageBox>

#include "view-qt/folder_browser.h"

namespace tarnwick::qtview {

std::unique_ptr<QMessageBox> MakeInformationBox(QWidget* parent, const QString& title,
                                                const QString& text) {
    auto box = std::make_unique<QMessageBox>(QMessageBox::Information, title, text, QMessageBox::Ok,
                                             parent);
    box->setObjectName(QStringLiteral("MessageBox"));
    return box;
}

QString ShellFolderForm(const QString& folder) {
    return folder.isEmpty() ? QString() : QDir::cleanPath(folder);
}

void SystemDialogs::information(QWidget* parent, const QString& title, const QString& text) {
    MakeInformationBox(parent, title, text)->exec();
}

QString SystemDialogs::existingFolder(QWidget* parent, const QString& prompt,
                                      const QString& startFolder) {
    FolderBrowser browser(prompt, startFolder, parent);
    return browser.exec() == QDialog::Accepted ? browser.folder() : QString();
}

void SystemDialogs::runTaskChooser(QDialog& chooser) {
    chooser.exec();
}

}  // namespace tarnwick::qtview
