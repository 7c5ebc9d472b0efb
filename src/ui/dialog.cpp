#include "ui/dialog.h"

#include <algorithm>

#include "common/ascii_text.h"
#include "ui/frm_main.h"

namespace tarnwick {
namespace {

bool LessIgnoringCase(const std::string& a, const std::string& b) {
    return UpperCase(a) < UpperCase(b);
}

bool IsTaskFileName(const std::string& name) {
    return name.size() >= 4 && UpperCase(name.substr(name.size() - 4)) == ".INI";
}

}  // namespace

Dialog::Dialog(FrmMain& main) : main_(main) {
    FileSystem& fs = main_.fileSystem();
    for (const auto& root : fs.roots()) {
        Drive1.addItem(root);
    }
    const std::string current = fs.currentFolder();
    if (!showFolder(current)) {
        showFolder(rootOf(current));
    }
    const auto drive = std::find(Drive1.items().begin(), Drive1.items().end(), rootOf(dir1Path_));
    Drive1.setListIndex(static_cast<int>(drive - Drive1.items().begin()));
    file1Path_ = dir1Path_;
    fillFiles();
}

std::string Dialog::rootOf(const std::string& path) const {
    const PathStyle style = main_.defaults().style;
    if (style == PathStyle::Windows) {
        return path.substr(0, std::min<std::size_t>(3, path.size()));
    }
    // The deepest mount point that holds the path.
    std::string best = "/";
    for (const auto& root : Drive1.items()) {
        const bool holds = path == root || (path.starts_with(root) && path.size() > root.size() &&
                                            (root.ends_with('/') || path[root.size()] == '/'));
        if (holds && root.size() > best.size()) {
            best = root;
        }
    }
    return best;
}

bool Dialog::showFolder(const std::string& path) {
    FileSystem& fs = main_.fileSystem();
    const PathStyle style = main_.defaults().style;
    const char separator = Separator(style);
    auto listing = fs.list(WithTrailingSeparator(path, style));
    if (!listing) {
        return false;
    }
    std::vector<std::string> subfolders;
    ListedEntry entry;
    while (listing->next(entry)) {
        const bool hidden = style == PathStyle::Posix ? entry.name.starts_with('.')
                                                      : entry.info && entry.info->hiddenOrSystem;
        if (entry.info && entry.info->kind == EntryKind::Folder && !hidden) {
            subfolders.push_back(entry.name);
        }
    }
    std::sort(subfolders.begin(), subfolders.end(), LessIgnoringCase);

    // The folder's ancestors from its root down to itself.
    std::vector<std::string> ancestors;
    const std::string root = rootOf(path);
    ancestors.push_back(root);
    for (std::size_t at = root.size(); at < path.size();) {
        std::size_t next = path.find(separator, at);
        if (next == std::string::npos) {
            next = path.size();
        }
        if (next > at) {
            ancestors.push_back(path.substr(0, next));
        }
        at = next + 1;
    }

    Dir1.clear();
    for (const auto& ancestor : ancestors) {
        Dir1.addItem(ancestor);
    }
    const std::string prefix = WithTrailingSeparator(ancestors.back(), style);
    for (const auto& name : subfolders) {
        Dir1.addItem(prefix + name);
    }
    dir1Path_ = ancestors.back();
    dir1Depth_ = static_cast<int>(ancestors.size());
    return true;
}

void Dialog::fillFiles() {
    File1.clear();
    std::vector<std::string> names;
    if (auto listing =
            main_.fileSystem().list(WithTrailingSeparator(file1Path_, main_.defaults().style))) {
        ListedEntry entry;
        while (listing->next(entry)) {
            if (entry.info && entry.info->kind == EntryKind::File && !entry.info->hiddenOrSystem &&
                IsTaskFileName(entry.name)) {
                names.push_back(entry.name);
            }
        }
    }
    std::sort(names.begin(), names.end(), LessIgnoringCase);
    for (auto& name : names) {
        File1.addItem(std::move(name));
    }
}

void Dialog::openFolder(const std::string& path) {
    if (!showFolder(path)) {
        main_.platform().showMessage(std::string(texts::kCannotOpenText) + path, caption_);
        return;
    }
    Dir1_Change();
}

void Dialog::selectDrive(int index) {
    Drive1.setListIndex(index);
    Drive1_Change();
}

void Dialog::Dir1_Change() {
    main_.fileSystem().setCurrentFolder(dir1Path_);
    file1Path_ = dir1Path_;
    fillFiles();
}

void Dialog::Drive1_Change() {
    FileSystem& fs = main_.fileSystem();
    fs.setCurrentFolder(dir1Path_);
    const int index = Drive1.listIndex();
    if (index < 0) {
        return;
    }
    const std::string drive = Drive1.list(index);
    if (!showFolder(drive)) {
        // An unreadable drive: say so and go back to the drive of the folder still shown.
        main_.platform().showMessage(std::string(texts::kCannotOpenText) + drive, caption_);
        const auto shown =
            std::find(Drive1.items().begin(), Drive1.items().end(), rootOf(dir1Path_));
        Drive1.setListIndex(static_cast<int>(shown - Drive1.items().begin()));
        return;
    }
    Dir1_Change();
}

void Dialog::OKButton_Click() {
    const std::string name = File1.listIndex() >= 0 ? File1.list(File1.listIndex()) : std::string();
    const PathStyle style = main_.defaults().style;
    const std::string path = EndsWithSeparator(file1Path_, style)
                                 ? file1Path_ + name
                                 : file1Path_ + Separator(style) + name;
    main_.TextTask.setText(path);
    main_.IniPath = path;
    main_.ResetTask();
    main_.Text4.setText(std::to_string(main_.IntervalMinutes));
    close();
}

void Dialog::CancelButton_Click() {
    close();
}

void Dialog::close() {
    closed_ = true;
    if (closeListener_) {
        closeListener_();
    }
}

}  // namespace tarnwick
