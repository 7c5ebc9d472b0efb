// The main window bound to its model: every control a widget under its name showing what its
// control holds; clicks and edits reaching the model; the model's changes showing; the message
// boxes, folder browser, tray and second start. Closing is in the pass tests.
#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListView>
#include <QTest>
#include <QTimer>

#include "common/texts.h"
#include "support/bound_control.h"
#include "ui/form_layout.h"
#include "view-qt/form_widgets.h"
#include "view-qt/qt_text.h"
#include "view_harness.h"

namespace tarnwick::qtview::test {

using namespace Qt::StringLiterals;

using tarnwick::test::As;

class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { PrepareTestApplication(); }
    void init() {
        view = std::make_unique<ViewHarness>();
        QVERIFY(view->start());
    }

    void cleanup() { view.reset(); }

    void everyButtonReachesItsHandler() {
        FrmMain& m = view->model();
        view->writeFile(u"src/a.txt"_s);
        const QString picked = view->path(u"picked"_s);
        QDir().mkpath(picked + u"/sub"_s);
        const auto rows = [this](const char* list) {
            return view->rows(QString::fromLatin1(list));
        };
        // Each row: what the user does, and what only that button's handler brings about.
        const struct {
            const char* button;
            std::function<void()> before;
            std::function<bool()> done;
        } table[] = {
            {"CommandClear", [] {}, [&] { return rows("ListMessage").isEmpty(); }},
            {"CommandNewDir", [&] { view->dialogs.answers = {picked + u"/"_s}; },
             [&] { return rows("ListFromFolder").last() == picked; }},
            {"CommandDelDir", [&] { view->clickRow(u"ListFromFolder"_s, 0); },
             [&] { return rows("ListFromFolder").size() == 2; }},
            {"CommandToDir", [&] { view->dialogs.answers = {view->path(u"dest"_s)}; },
             [&] {
                 return m.txtToFolder.text() == view->path(u"dest"_s).toStdString() &&
                        view->dialogs.browses.last().title == Text(texts::kPickDestinationPrompt);
             }},
            {"Command4", [&] { QTest::keyClicks(view->reveal(u"Text1"_s), u" .pdf "_s); },
             [&] { return rows("List3").last() == u".pdf"_s && m.Text1.text().empty(); }},
            {"Command5", [&] { view->clickRow(u"List3"_s, 0); },
             [&] { return rows("List3").first() == u".doc"_s; }},
            {"Command6", [&] { QTest::keyClicks(view->reveal(u"Text7"_s), u"\\c"_s); },
             [&] { return rows("List4").last() == u"\\c"_s; }},
            {"Command7", [&] { view->clickRow(u"List4"_s, 2); },
             [&] { return rows("List4").size() == 3; }},  // .bak .tmp \c
            {"LabDDir(6)", [&] { m.LabDDir[6].setCaption("/some/path"); },
             [&] { return m.LabDDir[6].caption() == texts::kUsageNote; }},
            // A message the model shows goes to the desktop's message box.
            {"SaveConfig", [&] { view->retype(u"txtToFolder"_s, u"//server/share"_s); },
             [&] {
                 return view->dialogs.messages ==
                        QList<FakeDialogs::Shown>{
                            {Text(texts::kNotLocal.title), Text(texts::kNotLocal.text)}};
             }},
            {"SaveConfig", [] {},
             [&] { return QFile::exists(view->path(u"config/TarnwickConfig.ini"_s)); }},
            {"UpdateButton",
             [&] {
                 m.ListFromFolder.clear();
                 m.ListFromFolder.addItem(view->path(u"src"_s).toStdString());
             },
             [&] { return m.lastPass().updatedCount == 1; }},
            {"CommStop", [] {}, [&] { return m.StopBackup; }},
            {"CommandClearDir", [] {},
             [&] { return rows("ListFromFolder").isEmpty() && rows("ListMessage").isEmpty(); }},
        };
        for (const auto& row : table) {
            row.before();
            QVERIFY2(!row.done(), row.button);
            view->click(QString::fromLatin1(row.button));
            QVERIFY2(row.done(), row.button);
        }
    }

    void editsAndChoicesReachTheModel() {
        FrmMain& m = view->model();
        view->retype(u"txtToFolder"_s, u"/data/"_s);
        // Chinese comes from the input method as committed text; and a text longer than any limit
        // Qt would set by itself.
        QInputMethodEvent typed;
        typed.setCommitString(u"备份"_s + QString(40000, QLatin1Char('x')));
        QApplication::sendEvent(view->find(u"txtToFolder"_s), &typed);
        QCOMPARE(m.txtToFolder.text(), "/data/备份" + std::string(40000, 'x'));

        for (const char* box :
             {"CheckFullFodler", "CheckAllSub", "Check1", "CheckNoCopy", "Check2"}) {
            view->click(QString::fromLatin1(box));
        }
        QCOMPARE(m.CheckFullFodler.value() + m.Check1.value(), 0);
        QCOMPARE(m.CheckAllSub.value() + m.CheckNoCopy.value() + m.Check2.value(), 3);
        QVERIFY(m.Text3.enabled());  // Check2's handler ran
        // The option buttons run their handler: the boxes and the timer follow the mode.
        view->click(u"Option1(2)"_s);
        view->click(u"Option2(2)"_s);
        QCOMPARE(SelectedIndex(m.Option1) + SelectedIndex(m.Option2), 4);
        showsTheModel();

        // Qt moves the current row to a neighbour when its row goes; the model says nothing is
        // selected then, and a second "-" must remove nothing.
        view->clickRow(u"List3"_s, 1);
        view->click(u"Command5"_s);
        QCOMPARE(m.List3.listIndex(), -1);
        QVERIFY(!view->find<QListView>(u"List3"_s)->selectionModel()->hasSelection());
        view->click(u"Command5"_s);
        QCOMPARE(view->rows(u"List3"_s).size(), 2);

        // Text a screen reader or a program puts in reaches the model too.
        view->find<QLineEdit>(u"txtToFolder"_s)->setText(u"/数据"_s);
        QCOMPARE(m.txtToFolder.text(), std::string("/数据"));
    }

    void theWindowShowsTheModelAndItsChanges() {
        showsTheModel();
        for (const char* list : {"ListMessage", "ListFromFolder", "List3", "List4"}) {
            QVERIFY2(!view->rows(QString::fromLatin1(list)).isEmpty(), list);  // a check that shows
        }
        FrmMain& m = view->model();
        m.logFirst("最新的一行");
        m.appendLog("appended");
        m.txtToFolder.setText("/elsewhere");
        m.LabDDir[6].setCaption("/scanning/now");
        m.Frame1.setCaption("参数");
        m.Text5.setEnabled(false);  // enabling shows in editsAndChoicesReachTheModel (Text3)
        m.ButtonExit.setToolTip("hint");
        m.Image1[0].setVisible(false);
        m.Image1[2].setVisible(true);
        m.Image1[2].setPicture("busy1");
        m.clickCheckBox(m.Check1, 0);
        m.ListFromFolder.setItem(0, "/changed");
        m.ListFromFolder.setListIndex(1);
        showsTheModel();
        QCOMPARE(view->find<QListView>(u"ListFromFolder"_s)->currentIndex().row(), 1);
    }

    void hideRestoreAndSecondStart() {
        QCOMPARE(view->program().tray().icon().toolTip().toStdString(), texts::kDisplayName);
        QVERIFY(view->program().tray().icon().isVisible());
        view->click(u"ButtonExit"_s);
        QVERIFY(!view->window().isVisible());
        // A click as Qt's icon reports it.
        const auto activate = [this](QSystemTrayIcon::ActivationReason reason) {
            emit const_cast<QSystemTrayIcon&>(view->program().tray().icon()).activated(reason);
        };
        // Right, middle and unknown clicks bring nothing back; a click or a double click does.
        for (auto reason :
             {QSystemTrayIcon::Context, QSystemTrayIcon::MiddleClick, QSystemTrayIcon::Unknown}) {
            activate(reason);
            QVERIFY(!view->window().isVisible());
        }
        activate(QSystemTrayIcon::Trigger);
        QVERIFY(view->window().isVisible() && view->model().windowVisible());
        view->click(u"ButtonExit"_s);
        activate(QSystemTrayIcon::DoubleClick);
        QVERIFY(view->window().isVisible());

        view->click(u"ButtonExit"_s);
        SingleInstance second(view->path(u"runtime"_s));
        QVERIFY(second.anotherRunning());
        QTRY_VERIFY(view->window().isVisible());
        const QTemporaryDir otherLogin;  // another login's runtime folder holds no copy
        QVERIFY(!SingleInstance(otherLogin.path()).anotherRunning());
    }

    void withoutATrayHideMinimisesAndSaysSo() {
        view = std::make_unique<ViewHarness>(false);
        QVERIFY(view->start());
        auto* hide = view->find(u"ButtonExit"_s);
        QCOMPARE(hide->toolTip().toStdString(), texts::kMinimizeTip);
        view->click(u"ButtonExit"_s);
        QVERIFY(view->window().isVisible() && view->window().isMinimized());
        // A tray turns up: the next click hides the window into it.
        view->hasTray = true;
        view->window().showNormal();
        view->click(u"ButtonExit"_s);
        QVERIFY(!view->window().isVisible() && hide->toolTip().isEmpty());
    }

  private:
    // Every control of the window's layout shows what its model's control holds.
    void showsTheModel() {
        for (const form::BoundItem& item : form::Bind(form::MainWindowLayout(), view->model())) {
            const Control* control = As<Control>(item.control);
            if (control == nullptr) {
                continue;
            }
            const QString name = QString::fromUtf8(item.look.name.data(), item.look.name.size());
            const QByteArray what = name.toUtf8();
            QWidget* widget = view->find(name);
            QVERIFY2(widget != nullptr && view->window().findChildren<QWidget*>(name).size() == 1,
                     what);
            QVERIFY2(widget->testAttribute(Qt::WA_ForceDisabled) != control->enabled(), what);
            QVERIFY2(widget->toolTip().toStdString() == control->toolTip(), what);
            // A tab page the other tab hides is shown all the same.
            QVERIFY2(
                item.look.kind == form::Kind::TabPage || widget->isHidden() != control->visible(),
                what);
            if (const auto* box = As<TextBox>(item.control)) {
                QVERIFY2(qobject_cast<QLineEdit*>(widget)->text().toStdString() == box->text(),
                         what);
            } else if (const auto* list = As<ListBox>(item.control)) {
                QStringList rows;
                for (const auto& row : list->items()) {
                    rows.append(QString::fromStdString(row));
                }
                QVERIFY2(view->rows(name) == rows, what);
            } else if (const auto* image = As<Image>(item.control)) {
                QVERIFY2(!qobject_cast<QLabel*>(widget)->pixmap().isNull(), what);
                QVERIFY2(
                    image->picture().empty() ||
                        widget->property("picture").toString().toStdString() == image->picture(),
                    what);
            }
            auto* button = qobject_cast<QAbstractButton*>(widget);
            if (const auto* check = As<CheckBox>(item.control)) {
                QVERIFY2(button->isChecked() == check->value(), what);
            } else if (const auto* option = As<OptionButton>(item.control)) {
                QVERIFY2(button->isChecked() == option->value(), what);
            }
            const auto* captioned = As<Captioned>(item.control);
            if (captioned == nullptr) {
                continue;
            }
            // The caption shows and is the name a screen reader reads.
            const QString caption = QString::fromStdString(captioned->caption());
            QCOMPARE(QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name),
                     caption);
            if (button != nullptr) {
                QCOMPARE(button->text(), caption);
            } else if (auto* label = qobject_cast<QLabel*>(widget)) {
                QCOMPARE(label->text(), caption);
            } else if (auto* frame = qobject_cast<FramePanel*>(widget)) {
                QCOMPARE(frame->caption(), caption);
            }
        }
        QCOMPARE(view->find<QTabWidget>(u"SSTab1"_s)->tabText(1).toStdString(),
                 view->model().SSTab1Tab1.caption());
        QCOMPARE(view->window().windowTitle().toStdString(), view->model().windowCaption());
        QCOMPARE(view->window().findChild<QTimer*>(u"Timer1"_s)->isActive(),
                 view->model().Timer1.enabled());
        // One size (on Wayland the toplevel's least and greatest), which no maximise changes.
        QCOMPARE(view->window().minimumSize(), view->window().maximumSize());
        view->window().setWindowState(Qt::WindowMaximized);
        QVERIFY(!view->window().isMaximized());
    }

    std::unique_ptr<ViewHarness> view;
};

}  // namespace tarnwick::qtview::test

QTEST_MAIN(tarnwick::qtview::test::MainWindowTest)
#include "main_window_test.moc"
