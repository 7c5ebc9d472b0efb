// The task chooser as the user meets it: its controls and geometry, and each choice reaching the
// model, which loads the task or changes nothing.
#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListView>
#include <QTest>

#include "view_harness.h"

namespace tarnwick::qtview::test {
namespace {

QStringList Rows(const QAbstractItemModel* model) {
    QStringList rows;
    for (int row = 0; row < model->rowCount(); ++row) {
        rows.append(model->index(row, 0).data().toString());
    }
    return rows;
}

QStringList Rows(QDialog& chooser, const char* list) {
    const QString name = QString::fromLatin1(list);
    if (auto* drives = chooser.findChild<QComboBox*>(name)) {
        return Rows(drives->model());
    }
    return Rows(chooser.findChild<QAbstractItemView*>(name)->model());
}

void ClickRow(QDialog& chooser, const char* list, int row, bool twice = false) {
    auto* view = chooser.findChild<QAbstractItemView*>(QString::fromLatin1(list));
    const QPoint at = view->visualRect(view->model()->index(row, 0)).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    if (twice) {
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
    }
}

int RowOf(QDialog& chooser, const char* list, const QString& text) {
    return static_cast<int>(Rows(chooser, list).indexOf(text));
}

}  // namespace

class TaskChooserTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { PrepareTestApplication(); }
    void init();
    void cleanup();

    void itOpensOnTheCurrentFolder();
    void okLoadsThePickedTaskFile();
    void cancelAndTheCloseBoxChangeNothing();
    void openingAFolderShowsItsTaskFiles();
    void choosingADriveShowsItsFolder();

  private:
    // Opens the chooser on "tasks" and runs `use` on it, shown, as the user's turn.
    void choose(std::function<void(QDialog&)> use);

    std::unique_ptr<ViewHarness> view;
    QString previousFolder;
};

void TaskChooserTest::init() {
    previousFolder = QDir::currentPath();
    view = std::make_unique<ViewHarness>();
    view->writeFile(QStringLiteral("tasks/a.ini"),
                    "[Comm]\r\nTimeOut=60\r\nDDir=/from/a\r\n[DirList]\r\nCount=1\r\nDir1=/x\r\n");
    view->writeFile(QStringLiteral("tasks/B.INI"), "[Comm]\r\n");
    view->writeFile(QStringLiteral("tasks/notes.txt"));
    view->writeFile(QStringLiteral("tasks/deeper/c.ini"), "[Comm]\r\nTimeOut=90\r\n");
    QDir().mkpath(view->path(QStringLiteral("tasks/empty")));
    QVERIFY(QDir::setCurrent(view->path(QStringLiteral("tasks"))));
    QVERIFY(view->start());
}

void TaskChooserTest::cleanup() {
    view.reset();
    QDir::setCurrent(previousFolder);
}

void TaskChooserTest::choose(std::function<void(QDialog&)> use) {
    bool used = false;
    view->dialogs.onChooser = [&](QDialog& chooser) {
        chooser.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chooser));
        use(chooser);
        used = true;
    };
    view->click(QStringLiteral("SelTask"));
    QVERIFY(used);
}

void TaskChooserTest::itOpensOnTheCurrentFolder() {
    choose([this](QDialog& chooser) {
        QCOMPARE(chooser.parentWidget(), &view->window());
        for (const char* name : {"Drive1", "Dir1", "File1", "OKButton", "CancelButton"}) {
            auto* widget = chooser.findChild<QWidget*>(QString::fromLatin1(name));
            QVERIFY2(widget && chooser.rect().contains(widget->geometry()), name);
        }
        QVERIFY(chooser.findChild<QWidget*>(QStringLiteral("OKButton"))->hasFocus());
        // It lists the process's current folder's task files, below its root.
        QCOMPARE(Rows(chooser, "File1"),
                 (QStringList{QStringLiteral("a.ini"), QStringLiteral("B.INI")}));
        QCOMPARE(Rows(chooser, "Dir1").first(), QStringLiteral("/"));
        QVERIFY(Rows(chooser, "Dir1").contains(QStringLiteral("deeper")));
        chooser.reject();
    });
}

void TaskChooserTest::okLoadsThePickedTaskFile() {
    bool closed = false;
    choose([&](QDialog& chooser) {
        ClickRow(chooser, "File1", 0);
        QTest::mouseClick(chooser.findChild<QWidget*>(QStringLiteral("OKButton")), Qt::LeftButton);
        closed = !chooser.isVisible();
    });
    QVERIFY(closed);
    const QString task = view->path(QStringLiteral("tasks/a.ini"));
    QCOMPARE(view->find<QLineEdit>(QStringLiteral("TextTask"))->text(), task);
    QCOMPARE(view->find<QLineEdit>(QStringLiteral("Text4"))->text(), QStringLiteral("60"));
    QCOMPARE(view->find<QLineEdit>(QStringLiteral("txtToFolder"))->text(),
             QStringLiteral("/from/a"));
    QCOMPARE(view->rows(QStringLiteral("ListFromFolder")), QStringList{QStringLiteral("/x")});
    QCOMPARE(view->model().IniPath, task.toStdString());
}

void TaskChooserTest::cancelAndTheCloseBoxChangeNothing() {
    const QString before = view->find<QLineEdit>(QStringLiteral("TextTask"))->text();
    const std::function<void(QDialog&)> closings[] = {
        [](QDialog& chooser) {
            QTest::mouseClick(chooser.findChild<QWidget*>(QStringLiteral("CancelButton")),
                              Qt::LeftButton);
        },
        [](QDialog& chooser) { QTest::keyClick(&chooser, Qt::Key_Escape); },
        [](QDialog& chooser) { chooser.close(); },
    };
    for (const auto& close : closings) {
        bool closed = false;
        choose([&](QDialog& chooser) {
            ClickRow(chooser, "File1", 1);
            close(chooser);
            closed = !chooser.isVisible();
        });
        QVERIFY(closed);
        QCOMPARE(view->find<QLineEdit>(QStringLiteral("TextTask"))->text(), before);
        QCOMPARE(view->find<QLineEdit>(QStringLiteral("Text4"))->text(), QStringLiteral("30"));
    }
}

void TaskChooserTest::openingAFolderShowsItsTaskFiles() {
    choose([this](QDialog& chooser) {
        // A folder gone after the dialog listed it fails to open as an unreadable one does.
        const int row = RowOf(chooser, "Dir1", QStringLiteral("empty"));
        QVERIFY(QDir().rmdir(view->path(QStringLiteral("tasks/empty"))));
        const QStringList before = Rows(chooser, "Dir1");
        ClickRow(chooser, "Dir1", row, true);
        QCOMPARE(view->dialogs.messages.size(), 1);
        QVERIFY(view->dialogs.messages[0].text.contains(view->path(QStringLiteral("tasks/empty"))));
        QCOMPARE(Rows(chooser, "Dir1"), before);
        ClickRow(chooser, "Dir1", RowOf(chooser, "Dir1", QStringLiteral("deeper")), true);
        QCOMPARE(Rows(chooser, "File1"), QStringList{QStringLiteral("c.ini")});
        QCOMPARE(QDir::currentPath(), view->path(QStringLiteral("tasks/deeper")));
        ClickRow(chooser, "File1", 0);
        QTest::mouseClick(chooser.findChild<QWidget*>(QStringLiteral("OKButton")), Qt::LeftButton);
    });
    QCOMPARE(view->find<QLineEdit>(QStringLiteral("Text4"))->text(), QStringLiteral("90"));
}

void TaskChooserTest::choosingADriveShowsItsFolder() {
    choose([](QDialog& chooser) {
        auto* drives = chooser.findChild<QComboBox*>(QStringLiteral("Drive1"));
        const int root = drives->findText(QStringLiteral("/"));
        QVERIFY(root >= 0);
        drives->setCurrentIndex(root);  // "/" picked from the drop-down list
        emit drives->activated(root);
        QCOMPARE(drives->currentIndex(), root);
        QCOMPARE(Rows(chooser, "Dir1").first(), QStringLiteral("/"));
        QCOMPARE(QDir::currentPath(), QStringLiteral("/"));
        chooser.reject();
    });
}

}  // namespace tarnwick::qtview::test

QTEST_MAIN(tarnwick::qtview::test::TaskChooserTest)
#include "task_chooser_test.moc"
