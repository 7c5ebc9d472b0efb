#include "view_harness.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTabWidget>
#include <QTest>

namespace tarnwick::qtview::test {

using namespace Qt::StringLiterals;

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

Program& ViewHarness::program() {
    if (!program_) {
        ProgramSetup setup;
        setup.defaults.style = PathStyle::Posix;
        setup.defaults.taskFile = path(u"config/TarnwickConfig.ini"_s).toStdString();
        setup.defaults.backFolder = path(u"back"_s).toStdString();
        setup.defaults.blankDestinationReplacement = path(u"Desktop"_s).toStdString();
        setup.defaults.desktopFolder = path(u"Desktop"_s).toStdString();
        setup.defaults.documentsFolder = path(u"Documents"_s).toStdString();
        setup.clock = &clock;
        setup.dialogs = &dialogs;
        const bool* tray = &hasTray;
        setup.trayAvailable = [tray] { return *tray; };
        setup.runtimeFolder = path(u"runtime"_s);
        QDir().mkpath(setup.runtimeFolder);
        program_ = std::make_unique<Program>(std::move(setup));
    }
    return *program_;
}

QStringList ViewHarness::rows(const QString& listName) {
    return Rows(find<QAbstractItemView>(listName)->model());
}

QWidget* ViewHarness::reveal(const QString& name) {
    QWidget* widget = find(name);
    if (widget == nullptr) {
        qFatal("no widget %s", qPrintable(name));
    }
    // A control on the other tab: the user turns to it first.
    auto* tabs = find<QTabWidget>(u"SSTab1"_s);
    for (int page = 0; page < tabs->count(); ++page) {
        if (tabs->widget(page)->isAncestorOf(widget)) {
            tabs->setCurrentIndex(page);
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
    ClickRow(qobject_cast<QAbstractItemView*>(reveal(listName)), row);
}

void PrepareTestApplication() {
    PrepareApplication(*qobject_cast<QApplication*>(QCoreApplication::instance()));
}

QStringList Rows(const QAbstractItemModel* model) {
    QStringList rows;
    for (int row = 0; row < model->rowCount(); ++row) {
        rows.append(model->index(row, 0).data().toString());
    }
    return rows;
}

void ClickRow(QAbstractItemView* list, int row) {
    const QRect rect = list->visualRect(list->model()->index(row, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
}

}  // namespace tarnwick::qtview::test
