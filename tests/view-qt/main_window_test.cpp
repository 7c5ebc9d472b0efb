// The main window bound to its model: every control a widget under its name showing what its
// control holds; clicks and edits reaching the model; the model's changes showing; the window's
// size in twips; the message boxes, folder browser, tray, second start and close.
#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListView>
#include <QTest>
#include <QTimer>

#include "ui/window_texts.h"
#include "view-qt/form_metrics.h"
#include "view-qt/form_widgets.h"
#include "view_harness.h"

namespace tarnwick::qtview::test {

class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { PrepareTestApplication(); }
    void init() {
        view = std::make_unique<ViewHarness>();
        QVERIFY(view->start());
    }
    void cleanup() { view.reset(); }

    void everyControlShowsItsModelsState();
    void theWindowIsItsTwipsAtTheScreensResolution();
    void everyButtonReachesItsHandler();
    void editsAndChoicesReachTheModel();
    void theModelsChangesShow();
    void aRemovedSelectionLeavesNoRowSelected();
    void messageBoxesAndTheFolderBrowserGoThroughTheSeam();
    void hideRestoreSecondStartAndClose();
    void withoutATrayHideMinimisesAndSaysSo();
    void captionsAreAccessibleNamesAndAnyTextReachesTheModel();

  private:
    std::unique_ptr<ViewHarness> view;
};

void MainWindowTest::everyControlShowsItsModelsState() {
    FrmMain& m = view->model();
    // clang-format off
    const struct {
        const char* name;
        const Captioned* control;
    } captions[] = {{"UpdateButton", &m.UpdateButton}, {"CommStop", &m.CommStop},
        {"SaveConfig", &m.SaveConfig}, {"ButtonExit", &m.ButtonExit},
        {"CommandClear", &m.CommandClear}, {"CommandToDir", &m.CommandToDir},
        {"SelTask", &m.SelTask}, {"Label1", &m.Label1}, {"CommandNewDir", &m.CommandNewDir},
        {"CommandDelDir", &m.CommandDelDir}, {"CommandClearDir", &m.CommandClearDir},
        {"Command4", &m.Command4}, {"Command5", &m.Command5}, {"Command6", &m.Command6},
        {"Command7", &m.Command7}, {"LabDDir(4)", &m.LabDDir[4]}, {"LabDDir(5)", &m.LabDDir[5]},
        {"LabDDir(6)", &m.LabDDir[6]}, {"LabDDir(7)", &m.LabDDir[7]}, {"LabDDir(8)", &m.LabDDir[8]},
        {"LabDDir(9)", &m.LabDDir[9]}, {"CheckFullFodler", &m.CheckFullFodler},
        {"CheckAllSub", &m.CheckAllSub}, {"Check1", &m.Check1}, {"Check2", &m.Check2},
        {"CheckNoCopy", &m.CheckNoCopy}, {"Option1(0)", &m.Option1[0]},
        {"Option1(1)", &m.Option1[1]}, {"Option1(2)", &m.Option1[2]}, {"Option2(0)", &m.Option2[0]},
        {"Option2(1)", &m.Option2[1]}, {"Option2(2)", &m.Option2[2]}};
    // clang-format on
    for (const auto& [name, control] : captions) {
        QObject* widget = view->find<QObject>(QString::fromLatin1(name));
        QVERIFY2(widget != nullptr, name);
        QVERIFY2(view->window().findChildren<QObject*>(QString::fromLatin1(name)).size() == 1,
                 name);
        const QString shown = qobject_cast<QAbstractButton*>(widget)
                                  ? qobject_cast<QAbstractButton*>(widget)->text()
                                  : qobject_cast<QLabel*>(widget)->text();
        QCOMPARE(shown.toStdString(), control->caption());
    }
    // clang-format off
    const std::pair<const char*, bool> checks[] = {{"CheckFullFodler", m.CheckFullFodler.value()},
        {"CheckAllSub", m.CheckAllSub.value()}, {"Check1", m.Check1.value()},
        {"Check2", m.Check2.value()}, {"CheckNoCopy", m.CheckNoCopy.value()},
        {"Option1(0)", m.Option1[0].value()}, {"Option1(2)", m.Option1[2].value()},
        {"Option2(0)", m.Option2[0].value()}, {"Option2(1)", m.Option2[1].value()}};
    // clang-format on
    for (const auto& [name, checked] : checks) {
        QVERIFY2(view->find<QAbstractButton>(QString::fromLatin1(name))->isChecked() == checked,
                 name);
    }
    for (const auto& [name, box] :
         {std::pair{"Frame1", &m.Frame1}, std::pair{"Frame2", &m.Frame2}}) {
        QCOMPARE(view->find<FramePanel>(QString::fromLatin1(name))->caption().toStdString(),
                 box->caption());
    }
    for (const auto& [name, box] :
         {std::pair{"txtToFolder", &m.txtToFolder}, std::pair{"TextTask", &m.TextTask},
          std::pair{"Text1", &m.Text1}, std::pair{"Text3", &m.Text3}, std::pair{"Text4", &m.Text4},
          std::pair{"Text5", &m.Text5}, std::pair{"Text6", &m.Text6},
          std::pair{"Text7", &m.Text7}}) {
        auto* edit = view->find<QLineEdit>(QString::fromLatin1(name));
        QVERIFY2(edit != nullptr && edit->text().toStdString() == box->text(), name);
        QVERIFY2(edit->isEnabled() == box->enabled(), name);
    }
    for (const auto& [name, list] :
         {std::pair{"ListMessage", &m.ListMessage}, std::pair{"ListFromFolder", &m.ListFromFolder},
          std::pair{"List3", &m.List3}, std::pair{"List4", &m.List4}}) {
        QStringList rows;
        for (const auto& item : list->items()) {
            rows.append(QString::fromStdString(item));
        }
        QCOMPARE(view->rows(QString::fromLatin1(name)), rows);
        QVERIFY(!rows.isEmpty());
    }
    auto* tabs = view->find<QTabWidget>(QStringLiteral("SSTab1"));
    QCOMPARE(tabs->tabText(1).toStdString(), m.SSTab1Tab1.caption());
    QVERIFY(!tabs->tabIcon(0).isNull() && tabs->currentIndex() == 0);
    QCOMPARE(view->window().windowTitle().toStdString(), m.windowCaption());
    // Pictures: the resting one shows, the busy ones wait hidden, the QR code is drawn.
    for (const auto& [name, image] :
         {std::pair{"Image1(0)", &m.Image1[0]}, std::pair{"Image1(1)", &m.Image1[1]},
          std::pair{"Image1(2)", &m.Image1[2]}, std::pair{"ImageQRCode", &m.ImageQRCode}}) {
        auto* label = view->find<QLabel>(QString::fromLatin1(name));
        QVERIFY2(!label->pixmap().isNull(), name);
        QVERIFY2(label->isVisibleTo(label->parentWidget()) == image->visible(), name);
    }
    QCOMPARE(view->find(QStringLiteral("List4"))->toolTip().toStdString(), texts::kList4Tip);
    QCOMPARE(view->find(QStringLiteral("CheckAllSub"))->toolTip().toStdString(),
             texts::kCheckAllSubTip);
    auto* timer = view->window().findChild<QTimer*>(QStringLiteral("Timer1"));
    QCOMPARE(timer->isActive(), m.Timer1.enabled());
}

void MainWindowTest::theWindowIsItsTwipsAtTheScreensResolution() {
    const double dpi = DotsPerInch(&view->window());
    QCOMPARE(view->window().size(), QSize(TwipsToPixels(13635, dpi), TwipsToPixels(11205, dpi)));
    // The three pictures share one spot; the log spans the window below the destination row.
    auto rect = [this](const char* name) {
        QWidget* widget = view->find(QString::fromLatin1(name));
        return QRect(widget->mapTo(&view->window(), QPoint(0, 0)), widget->size());
    };
    QCOMPARE(rect("Image1(1)"), rect("Image1(0)"));
    QCOMPARE(rect("Image1(2)"), rect("Image1(0)"));
    QVERIFY(rect("ListMessage").top() > rect("txtToFolder").bottom());
    QVERIFY(rect("ListMessage").width() > view->window().width() * 95 / 100);
    QVERIFY(rect("UpdateButton").left() > rect("SSTab1").right());
}

void MainWindowTest::everyButtonReachesItsHandler() {
    FrmMain& m = view->model();
    view->writeFile(QStringLiteral("src/a.txt"));
    const QString picked = view->path(QStringLiteral("picked"));
    QDir().mkpath(picked + QStringLiteral("/sub"));
    const auto rows = [this](const char* list) { return view->rows(QString::fromLatin1(list)); };
    // Each row: what the user does, and what only that button's handler brings about.
    const struct {
        const char* button;
        std::function<void()> before;
        std::function<bool()> done;
    } table[] = {
        {"CommandClear", [] {}, [&] { return rows("ListMessage").isEmpty(); }},
        {"CommandNewDir", [&] { view->dialogs.answers = {picked + QStringLiteral("/")}; },
         [&] { return rows("ListFromFolder").last() == picked; }},
        {"CommandDelDir", [&] { view->clickRow(QStringLiteral("ListFromFolder"), 0); },
         [&] { return rows("ListFromFolder").size() == 2; }},
        {"CommandToDir", [&] { view->dialogs.answers = {view->path(QStringLiteral("dest"))}; },
         [&] { return m.txtToFolder.text() == view->path(QStringLiteral("dest")).toStdString(); }},
        {"Command4",
         [&] { QTest::keyClicks(view->reveal(QStringLiteral("Text1")), QStringLiteral(" .pdf ")); },
         [&] { return rows("List3").last() == QStringLiteral(".pdf") && m.Text1.text().empty(); }},
        {"Command5", [&] { view->clickRow(QStringLiteral("List3"), 0); },
         [&] { return rows("List3").first() == QStringLiteral(".doc"); }},
        {"Command6",
         [&] { QTest::keyClicks(view->reveal(QStringLiteral("Text7")), QStringLiteral("\\c")); },
         [&] { return rows("List4").last() == QStringLiteral("\\c"); }},
        {"Command7", [&] { view->clickRow(QStringLiteral("List4"), 2); },
         [&] { return rows("List4").size() == 3; }},  // .bak .tmp \c
        {"LabDDir(6)", [&] { m.LabDDir[6].setCaption("/some/path"); },
         [&] { return m.LabDDir[6].caption() == texts::kUsageNote; }},
        {"SaveConfig", [] {},
         [&] { return QFile::exists(view->path(QStringLiteral("config/TarnwickConfig.ini"))); }},
        {"UpdateButton",
         [&] {
             m.ListFromFolder.clear();
             m.ListFromFolder.addItem(view->path(QStringLiteral("src")).toStdString());
         },
         [&] { return m.lastPass().updatedCount == 1; }},
        {"CommStop", [] {}, [&] { return m.StopBackup; }},
        {"SelTask", [] {}, [&] { return view->dialogs.choosersRun == 1; }},
        {"CommandClearDir", [] {}, [&] { return rows("ListFromFolder").isEmpty(); }},
        {"ButtonExit", [] {}, [&] { return !view->window().isVisible(); }},
    };
    for (const auto& row : table) {
        row.before();
        QVERIFY2(!row.done(), row.button);
        view->click(QString::fromLatin1(row.button));
        QVERIFY2(row.done(), row.button);
    }
}

void MainWindowTest::editsAndChoicesReachTheModel() {
    FrmMain& m = view->model();
    view->retype(QStringLiteral("txtToFolder"), QStringLiteral("/data/"));
    // Chinese comes from the input method as committed text; and a text longer than any limit
    // Qt would set by itself.
    QInputMethodEvent typed;
    typed.setCommitString(QStringLiteral("备份") + QString(40000, QLatin1Char('x')));
    QApplication::sendEvent(view->find(QStringLiteral("txtToFolder")), &typed);
    QCOMPARE(m.txtToFolder.text(), "/data/备份" + std::string(40000, 'x'));

    for (const char* box : {"CheckFullFodler", "CheckAllSub", "Check1", "CheckNoCopy", "Check2"}) {
        const bool before = view->find<QAbstractButton>(QString::fromLatin1(box))->isChecked();
        view->click(QString::fromLatin1(box));
        QVERIFY2(view->find<QAbstractButton>(QString::fromLatin1(box))->isChecked() == !before,
                 box);
    }
    QCOMPARE(m.CheckFullFodler.value() + m.Check1.value(), 0);
    QCOMPARE(m.CheckAllSub.value() + m.CheckNoCopy.value() + m.Check2.value(), 3);
    QVERIFY(view->find(QStringLiteral("Text3"))->isEnabled());  // Check2's handler ran

    // The schedule's buttons run their handler: the boxes and the timer follow the mode.
    auto* timer = view->window().findChild<QTimer*>(QStringLiteral("Timer1"));
    const struct {
        int option;
        bool text5, text4, timing;
    } modes[] = {{1, false, true, true}, {0, true, false, true}, {2, false, false, false}};
    for (const auto& mode : modes) {
        view->click(QStringLiteral("Option1(%1)").arg(mode.option));
        QCOMPARE(SelectedIndex(m.Option1), mode.option);
        QCOMPARE(view->find(QStringLiteral("Text5"))->isEnabled(), mode.text5);
        QCOMPARE(view->find(QStringLiteral("Text4"))->isEnabled(), mode.text4);
        QCOMPARE(timer->isActive(), mode.timing);
    }
    view->click(QStringLiteral("Option1(2)"));  // a click on the selected one keeps it
    QVERIFY(view->find<QAbstractButton>(QStringLiteral("Option1(2)"))->isChecked());
    view->click(QStringLiteral("Option2(2)"));
    QCOMPARE(SelectedIndex(m.Option2), 2);
    QVERIFY(!view->find<QAbstractButton>(QStringLiteral("Option2(0)"))->isChecked());
    view->clickRow(QStringLiteral("ListFromFolder"), 1);
    QCOMPARE(m.ListFromFolder.listIndex(), 1);
}

void MainWindowTest::theModelsChangesShow() {
    FrmMain& m = view->model();
    m.logFirst("最新的一行");
    m.appendLog("appended");
    QCOMPARE(view->rows(QStringLiteral("ListMessage")).first(),
             QStringLiteral("12:00:00    最新的一行"));
    QCOMPARE(view->rows(QStringLiteral("ListMessage")).last(),
             QStringLiteral("12:00:00    appended"));
    m.txtToFolder.setText("/elsewhere");
    QCOMPARE(view->find<QLineEdit>(QStringLiteral("txtToFolder"))->text(),
             QStringLiteral("/elsewhere"));
    m.LabDDir[6].setCaption("/scanning/now");
    QCOMPARE(view->find<QLabel>(QStringLiteral("LabDDir(6)"))->text(),
             QStringLiteral("/scanning/now"));
    m.ButtonExit.setVisible(false);
    QVERIFY(view->find(QStringLiteral("ButtonExit"))->isHidden());
    m.ButtonExit.setToolTip("hint");
    m.ButtonExit.setVisible(true);
    QVERIFY(!view->find(QStringLiteral("ButtonExit"))->isHidden());
    QCOMPARE(view->find(QStringLiteral("ButtonExit"))->toolTip(), QStringLiteral("hint"));
    m.Image1[0].setVisible(false);
    m.Image1[2].setVisible(true);
    m.Image1[2].setPicture("busy1");
    QVERIFY(view->find(QStringLiteral("Image1(0)"))->isHidden());
    QVERIFY(!view->find(QStringLiteral("Image1(2)"))->isHidden());
    QCOMPARE(view->find(QStringLiteral("Image1(2)"))->property("picture").toString(),
             QStringLiteral("busy1"));
    m.clickCheckBox(m.Check1, 0);
    QVERIFY(!view->find<QAbstractButton>(QStringLiteral("Check1"))->isChecked());
    m.ListFromFolder.setItem(0, "/changed");
    m.ListFromFolder.setListIndex(1);
    QCOMPARE(view->rows(QStringLiteral("ListFromFolder")).first(), QStringLiteral("/changed"));
    QCOMPARE(view->find<QListView>(QStringLiteral("ListFromFolder"))->currentIndex().row(), 1);
}

void MainWindowTest::aRemovedSelectionLeavesNoRowSelected() {
    // Qt moves the current row to a neighbour when its row goes; the model says nothing is
    // selected then, and a second "-" must remove nothing.
    view->clickRow(QStringLiteral("List3"), 1);
    view->click(QStringLiteral("Command5"));
    QCOMPARE(view->model().List3.listIndex(), -1);
    QVERIFY(!view->find<QListView>(QStringLiteral("List3"))->selectionModel()->hasSelection());
    view->click(QStringLiteral("Command5"));
    QCOMPARE(view->rows(QStringLiteral("List3")).size(), 2);
}

void MainWindowTest::messageBoxesAndTheFolderBrowserGoThroughTheSeam() {
    const auto q = [](std::string_view text) {
        return QString::fromUtf8(text.data(), text.size());
    };
    const FakeDialogs::Shown blank{q(texts::kBlankFolderTitle), q(texts::kBlankFolderText)};
    const struct {
        const char* button;
        QString typed;
        FakeDialogs::Shown shown;
        QString replacement;
    } rows[] = {
        {"SaveConfig", QStringLiteral("   "), blank, view->path(QStringLiteral("Desktop"))},
        {"UpdateButton", QString(), blank, view->path(QStringLiteral("Desktop"))},
        {"SaveConfig",
         QStringLiteral("//server/share"),
         {q(texts::kNotLocalTitle), q(texts::kNotLocalText)},
         view->path(QStringLiteral("back"))},
    };
    for (const auto& row : rows) {
        view->retype(QStringLiteral("txtToFolder"), row.typed);
        view->dialogs.messages.clear();
        view->click(QString::fromLatin1(row.button));
        QCOMPARE(view->dialogs.messages, QList<FakeDialogs::Shown>{row.shown});
        QCOMPARE(view->find<QLineEdit>(QStringLiteral("txtToFolder"))->text(), row.replacement);
    }
    // A task file that cannot be written: its own box, with the path and the system's reason.
    view->writeFile(QStringLiteral("plain-file"));
    const QString task = view->path(QStringLiteral("plain-file/task.ini"));
    view->retype(QStringLiteral("TextTask"), task);
    view->dialogs.messages.clear();
    view->click(QStringLiteral("SaveConfig"));
    QCOMPARE(view->dialogs.messages.size(), 1);
    QCOMPARE(view->dialogs.messages[0].title, q(texts::kSaveFailedTitle));
    QVERIFY(view->dialogs.messages[0].text.startsWith(task + QStringLiteral(" (")));
    QVERIFY(view->dialogs.messages[0].text.size() > task.size() + 4);

    // The folder browser: its prompt, the last folder as its start, the shell's form back.
    view->dialogs.answers = {view->path(QStringLiteral("a/")), QString(), QStringLiteral("/")};
    view->click(QStringLiteral("CommandToDir"));
    view->click(QStringLiteral("CommandNewDir"));  // cancelled
    view->click(QStringLiteral("CommandNewDir"));
    const QList<FakeDialogs::Shown> browses = {
        {q(texts::kPickDestinationPrompt), QString()},
        {q(texts::kPickSourcePrompt), view->path(QStringLiteral("a"))},
        {q(texts::kPickSourcePrompt), QString()},
    };
    QCOMPARE(view->dialogs.browses, browses);
    QCOMPARE(view->find<QLineEdit>(QStringLiteral("txtToFolder"))->text(),
             view->path(QStringLiteral("a")));
    QCOMPARE(view->rows(QStringLiteral("ListFromFolder")).last(), QStringLiteral("/"));
}

void MainWindowTest::hideRestoreSecondStartAndClose() {
    QCOMPARE(view->program().tray().icon().toolTip().toStdString(), texts::kDisplayName);
    QVERIFY(view->program().tray().icon().isVisible());
    view->click(QStringLiteral("ButtonExit"));
    QVERIFY(!view->window().isVisible());
    // Right and middle clicks bring nothing back; a click or a double click does.
    for (auto reason : {QSystemTrayIcon::Context, QSystemTrayIcon::MiddleClick}) {
        view->program().tray().activate(reason);
        QVERIFY(!view->window().isVisible());
    }
    view->program().tray().activate(QSystemTrayIcon::Trigger);
    QVERIFY(view->window().isVisible() && view->model().windowVisible());
    view->click(QStringLiteral("ButtonExit"));
    view->program().tray().activate(QSystemTrayIcon::DoubleClick);
    QVERIFY(view->window().isVisible());

    view->click(QStringLiteral("ButtonExit"));
    SingleInstance second(view->path(QStringLiteral("runtime")));
    QVERIFY(second.anotherRunning());
    QTRY_VERIFY(view->window().isVisible());

    QVERIFY(view->window().close() || !view->window().isVisible());
    QVERIFY(view->program().platform().ended());
    QVERIFY(!view->window().isVisible());
    QVERIFY(!view->program().tray().icon().isVisible());
}

void MainWindowTest::withoutATrayHideMinimisesAndSaysSo() {
    view = std::make_unique<ViewHarness>(false);
    QVERIFY(view->start());
    auto* hide = view->find(QStringLiteral("ButtonExit"));
    QCOMPARE(hide->toolTip().toStdString(), texts::kMinimizeTip);
    view->click(QStringLiteral("ButtonExit"));
    QVERIFY(view->window().isVisible() && view->window().isMinimized());
    // A tray turns up: the next click hides the window into it.
    view->hasTray = true;
    view->window().showNormal();
    view->click(QStringLiteral("ButtonExit"));
    QVERIFY(!view->window().isVisible());
    QVERIFY(hide->toolTip().isEmpty());
}

void MainWindowTest::captionsAreAccessibleNamesAndAnyTextReachesTheModel() {
    FrmMain& m = view->model();
    m.Frame1.setCaption("参数");  // a caption the model changes is the new name
    const struct {
        const char* name;
        const Captioned& control;
    } rows[] = {{"Frame1", m.Frame1},
                {"Frame2", m.Frame2},
                {"SSTab1Tab1", m.SSTab1Tab1},
                {"UpdateButton", m.UpdateButton},
                {"CommandNewDir", m.CommandNewDir},
                {"Label1", m.Label1},
                {"LabDDir(6)", m.LabDDir[6]},
                {"CheckAllSub", m.CheckAllSub}};
    for (const auto& row : rows) {
        QAccessibleInterface* widget =
            QAccessible::queryAccessibleInterface(view->find(QLatin1String(row.name)));
        QVERIFY2(widget != nullptr && !row.control.caption().empty(), row.name);
        QCOMPARE(widget->text(QAccessible::Name), QString::fromStdString(row.control.caption()));
    }
    QAccessibleEditableTextInterface* text =
        QAccessible::queryAccessibleInterface(view->find(QStringLiteral("Text1")))
            ->editableTextInterface();
    text->replaceText(0, 0, QStringLiteral("12"));
    text->insertText(2, QStringLiteral("3"));
    QCOMPARE(m.Text1.text(), std::string("123"));
    view->find<QLineEdit>(QStringLiteral("txtToFolder"))->setText(QStringLiteral("/数据"));
    QCOMPARE(m.txtToFolder.text(), std::string("/数据"));
}

}  // namespace tarnwick::qtview::test

QTEST_MAIN(tarnwick::qtview::test::MainWindowTest)
#include "main_window_test.moc"
