#include "view-qt/desktop_dialogs.h"

#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

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

QString SystemDialogs::existingFolder(QWidget* parent, const QString& title,
                                      const QString& startFolder) {
    return QFileDialog::getExistingDirectory(parent, title, startFolder, QFileDialog::ShowDirsOnly);
}

void SystemDialogs::runTaskChooser(QDialog& chooser) {
    chooser.exec();
}

}  // namespace tarnwick::qtview
