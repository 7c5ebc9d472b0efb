// The task chooser as the user meets it: its lists and drives, and each choice reaching the
// model, which loads the task or changes nothing.
#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListView>
#include <QTest>

#include "view_harness.h"

namespace tarnwick::qtview::test {

using namespace Qt::StringLiterals;
namespace {

QStringList Rows(QDialog& chooser, const char* list) {
    return test::Rows(chooser.findChild<QAbstractItemView*>(QString::fromLatin1(list))->model());
}

// Clicks the list's row that shows `text`; twice opens it.
void ClickRow(QDialog& chooser, const char* list, const QString& text, bool twice = false) {
    auto* view = chooser.findChild<QAbstractItemView*>(QString::fromLatin1(list));
    const int row = static_cast<int>(Rows(chooser, list).indexOf(text));
    test::ClickRow(view, row);
    if (twice) {
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {},
                           view->visualRect(view->model()->index(row, 0)).center());
    }
}

void Click(QDialog& chooser, const char* button) {
    QTest::mouseClick(chooser.findChild<QWidget*>(QString::fromLatin1(button)), Qt::LeftButton);
}

}  // namespace

class TaskChooserTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { PrepareTestApplication(); }
    void init() {
        previousFolder = QDir::currentPath();
        view = std::make_unique<ViewHarness>();
        view->writeFile(u"tasks/a.ini"_s, "[Comm]\r\n");
        view->writeFile(u"tasks/deeper/c.ini"_s, "[Comm]\r\nTimeOut=90\r\n");
        QDir().mkpath(view->path(u"tasks/empty"_s));
        QVERIFY(QDir::setCurrent(view->path(u"tasks"_s)));
        QVERIFY(view->start());
    }

    void cleanup() {
        view.reset();
        QDir::setCurrent(previousFolder);
    }

    void itOpensOnTheCurrentFolderAndDrivesChangeIt() {
        choose([this](QDialog& chooser) {
            QCOMPARE(chooser.parentWidget(), &view->window());
            QVERIFY(chooser.findChild<QWidget*>(u"OKButton"_s)->hasFocus());
            // Its lists show the model's: the current folder's task files and folders.
            QCOMPARE(Rows(chooser, "File1"), QStringList{u"a.ini"_s});
            QVERIFY(Rows(chooser, "Dir1").contains(u"deeper"_s));
            auto* drives = chooser.findChild<QComboBox*>(u"Drive1"_s);
            const int root = drives->findText(u"/"_s);
            drives->setCurrentIndex(root);  // "/" picked from the drop-down list
            emit drives->activated(root);
            QCOMPARE(QDir::currentPath(), u"/"_s);
            chooser.reject();
        });
    }

    void cancelAndTheCloseBoxChangeNothing() {
        const QString before = view->find<QLineEdit>(u"TextTask"_s)->text();
        const std::function<void(QDialog&)> closings[] = {
            [](QDialog& chooser) { Click(chooser, "CancelButton"); },
            [](QDialog& chooser) { QTest::keyClick(&chooser, Qt::Key_Escape); },
            [](QDialog& chooser) { chooser.close(); },
        };
        for (const auto& close : closings) {
            choose([&](QDialog& chooser) {
                ClickRow(chooser, "File1", u"a.ini"_s);
                close(chooser);
            });
            QCOMPARE(view->find<QLineEdit>(u"TextTask"_s)->text(), before);
        }
    }

    void okLoadsATaskFileOfAnOpenedFolder() {
        choose([this](QDialog& chooser) {
            // A folder gone after the dialog listed it fails to open, and says so.
            QVERIFY(QDir().rmdir(view->path(u"tasks/empty"_s)));
            ClickRow(chooser, "Dir1", u"empty"_s, true);
            QCOMPARE(view->dialogs.messages.size(), 1);
            ClickRow(chooser, "Dir1", u"deeper"_s, true);
            QCOMPARE(Rows(chooser, "File1"), QStringList{u"c.ini"_s});
            ClickRow(chooser, "File1", u"c.ini"_s);
            Click(chooser, "OKButton");
        });
        QCOMPARE(view->find<QLineEdit>(u"TextTask"_s)->text(), view->path(u"tasks/deeper/c.ini"_s));
        QCOMPARE(view->find<QLineEdit>(u"Text4"_s)->text(), u"90"_s);
    }

  private:
    // Opens the chooser on "tasks" and runs `use` on it, shown, as the user's turn.
    void choose(std::function<void(QDialog&)> use);

    std::unique_ptr<ViewHarness> view;
    QString previousFolder;
};

void TaskChooserTest::choose(std::function<void(QDialog&)> use) {
    bool closed = false;
    view->dialogs.onChooser = [&](QDialog& chooser) {
        chooser.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chooser));
        use(chooser);
        closed = !chooser.isVisible();
    };
    view->click(u"SelTask"_s);
    QVERIFY(closed);
}

}  // namespace tarnwick::qtview::test

QTEST_MAIN(tarnwick::qtview::test::TaskChooserTest)
#include "task_chooser_test.moc"
