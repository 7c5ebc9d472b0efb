#include "view_harness.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTabWidget>
#include <QTest>

namespace tarnwick::qtview::test {

ViewHarness::ViewHarness(bool tray) : hasTray(tray) {}

ViewHarness::~ViewHarness() = default;

QString ViewHarness::path(const QString& relative) const {
    return dir_.filePath(relative);
}

void ViewHarness::writeFile(const QString& relative, const QByteArray& content) const {
    const QString full = path(relative);
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile file(full);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size()) {
        qFatal("cannot write %s", qPrintable(full));
    }
}

void ViewHarness::writeTask(const QStringList& lines) const {
    writeFile(QStringLiteral("config/TarnwickConfig.ini"),
              lines.join(QStringLiteral("\r\n")).toUtf8() + "\r\n");
}

Program& ViewHarness::program() {
    if (!program_) {
        ProgramSetup setup;
        setup.defaults.style = PathStyle::Posix;
        setup.defaults.taskFile = path(QStringLiteral("config/TarnwickConfig.ini")).toStdString();
        setup.defaults.backFolder = path(QStringLiteral("back")).toStdString();
        setup.defaults.blankDestinationReplacement = path(QStringLiteral("Desktop")).toStdString();
        setup.defaults.desktopFolder = path(QStringLiteral("Desktop")).toStdString();
        setup.defaults.documentsFolder = path(QStringLiteral("Documents")).toStdString();
        setup.clock = &clock;
        setup.dialogs = &dialogs;
        const bool* tray = &hasTray;
        setup.trayAvailable = [tray] { return *tray; };
        setup.runtimeFolder = path(QStringLiteral("runtime"));
        QDir().mkpath(setup.runtimeFolder);
        program_ = std::make_unique<Program>(std::move(setup));
    }
    return *program_;
}

bool ViewHarness::start() {
    return program().start();
}

QStringList ViewHarness::rows(const QString& listName) {
    QStringList shown;
    auto* list = find<QAbstractItemView>(listName);
    if (list == nullptr) {
        return {QStringLiteral("(no list %1)").arg(listName)};
    }
    const QAbstractItemModel* model = list->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        shown.append(model->index(row, 0).data().toString());
    }
    return shown;
}

QWidget* ViewHarness::reveal(const QString& name) {
    QWidget* widget = find(name);
    if (widget == nullptr) {
        qFatal("no widget %s", qPrintable(name));
    }
    // A control on the other tab: the user turns to it first.
    for (QWidget* page = widget; page->parentWidget() != nullptr; page = page->parentWidget()) {
        if (auto* tabs = qobject_cast<QTabWidget*>(page->parentWidget()->parentWidget())) {
            if (tabs->indexOf(page) >= 0) {
                tabs->setCurrentWidget(page);
            }
        }
    }
    return widget;
}

void ViewHarness::click(const QString& name) {
    QWidget* widget = reveal(name);
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

void ViewHarness::retype(const QString& name, const QString& text) {
    QWidget* box = reveal(name);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

void ViewHarness::clickRow(const QString& listName, int row) {
    auto* list = qobject_cast<QAbstractItemView*>(reveal(listName));
    const QRect rect = list->visualRect(list->model()->index(row, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
}

void PrepareTestApplication() {
    PrepareApplication(*qobject_cast<QApplication*>(QCoreApplication::instance()));
}

}  // namespace tarnwick::qtview::test
