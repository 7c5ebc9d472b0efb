#pragma once

#include <QDialog>
#include <QList>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>
#include <functional>
#include <memory>

#include "support/fake_clock.h"
#include "view-qt/desktop_dialogs.h"
#include "view-qt/main_window.h"
#include "view-qt/program.h"

class QAbstractItemModel;
class QAbstractItemView;

namespace tarnwick::qtview::test {

// The desktop's modal windows, answered by the test instead of the user.
class FakeDialogs final : public DesktopDialogs {
  public:
    struct Shown {
        QString title;
        QString text;  // the message, or the folder dialog's start folder
        bool operator==(const Shown&) const = default;
    };

    void information(QWidget*, const QString& title, const QString& text) override {
        messages.append({title, text});
    }
    QString existingFolder(QWidget*, const QString& title, const QString& start) override {
        browses.append({title, start});
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
    void runTaskChooser(QDialog& chooser) override {
        if (onChooser) {
            onChooser(chooser);
        }
    }

    QList<Shown> messages;
    QList<Shown> browses;
    QStringList answers;  // the folders the folder dialog answers, in turn
    std::function<void(QDialog&)> onChooser;
};

// The program over a temporary folder: its task file, sources and destination live there, its
// clock stands still at 12:00:00 unless told to move, its dialogs are FakeDialogs, and a tray is
// there or not as the test says.
class ViewHarness {
  public:
    explicit ViewHarness(bool tray = true) : hasTray(tray) {}

    QString path(const QString& relative) const;
    void writeFile(const QString& relative, const QByteArray& content = "data") const;

    // Builds the program (first use) and starts it as the program's start does.
    bool start() { return program().start(); }
    Program& program();
    FrmMain& model() { return program().model(); }
    MainWindow& window() { return program().window(); }

    // The window's widget of that name ("FrmMain" is the window itself); null when missing.
    template <typename W = QWidget>
    W* find(const QString& name) {
        if (name == QStringLiteral("FrmMain")) {
            return qobject_cast<W*>(&window());
        }
        return window().findChild<W*>(name);
    }
    // The rows a list widget shows.
    QStringList rows(const QString& listName);
    // Turns to the tab that holds the widget, as the user does before using it.
    QWidget* reveal(const QString& name);
    // Clicks a widget's middle with the left button, as the user does.
    void click(const QString& name);
    // Replaces the text of a text box as the user does: selects it all, deletes it, types.
    void retype(const QString& name, const QString& text);
    // Clicks a row of a list widget.
    void clickRow(const QString& listName, int row);

    tarnwick::test::FakeClock clock;
    FakeDialogs dialogs;
    bool hasTray;

  private:
    QTemporaryDir dir_;
    std::unique_ptr<Program> program_;
};

// The Qt application as the program prepares it; call once per test program.
void PrepareTestApplication();
// The rows an item model holds, and a click on one of a list's rows.
QStringList Rows(const QAbstractItemModel* model);
void ClickRow(QAbstractItemView* list, int row);

}  // namespace tarnwick::qtview::test
