// The pieces between the model and the desktop: twips, the shell's folder form, the message box,
// the list model, the pictures and the QR code, the tray's clicks, and one copy per login.
#include <QAbstractItemModelTester>
#include <QDir>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include "view-qt/desktop_dialogs.h"
#include "view-qt/folder_browser.h"
#include "view-qt/form_metrics.h"
#include "view-qt/list_box_model.h"
#include "view-qt/pictures.h"
#include "view-qt/qr_code.h"
#include "view-qt/single_instance.h"
#include "view-qt/tray_icon.h"
#include "view_harness.h"

namespace tarnwick::qtview::test {

class DesktopTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { PrepareTestApplication(); }

    void twipsAndFoldersConvert();
    void theMessageBoxHasOneOkAndTheInformationIcon();
    void theListModelFollowsEveryChangeOfItsListBox();
    void everyPictureIsDrawn();
    void theQrCodeIsTheHomePagesCode();
    void trayClicksBecomeTheModelsMouseEvents();
    void oneCopyPerLogin();
    void aSecondProgramEndsAtOnce();
    void theFolderBrowserShowsItsPromptAndTheSelectedFolder();
};

void DesktopTest::twipsAndFoldersConvert() {
    // Neighbours in twips stay neighbours: the edges are converted, not the width.
    const struct {
        double dpi;
        QRect twips, pixels;
    } rects[] = {{144.0, {0, 0, 13635, 11205}, {0, 0, 1364, 1121}},
                 {120.0, {10, 10, 10, 10}, {1, 1, 1, 1}},
                 {96.0, {7, 0, 15, 15}, {0, 0, 1, 1}}};
    for (const auto& [dpi, t, pixels] : rects) {
        QCOMPARE(TwipsRect(t.x(), t.y(), t.width(), t.height(), dpi), pixels);
    }
    // Folders come back in the shell's form: no trailing separator but on the root.
    for (const auto& [chosen, returned] :
         {std::pair{QString(), QString()}, std::pair{QStringLiteral("/"), QStringLiteral("/")},
          std::pair{QStringLiteral("/数据/文档/"), QStringLiteral("/数据/文档")}}) {
        QCOMPARE(ShellFolderForm(chosen), returned);
    }
}

void DesktopTest::theMessageBoxHasOneOkAndTheInformationIcon() {
    const auto box = MakeInformationBox(nullptr, QStringLiteral("title"), QStringLiteral("text"));
    QCOMPARE(box->icon(), QMessageBox::Information);
    QCOMPARE(box->windowTitle() + box->text(), QStringLiteral("titletext"));
    QCOMPARE(box->buttons().size(), 1);
    QCOMPARE(box->standardButton(box->buttons()[0]), QMessageBox::Ok);
    box->show();  // the button takes its translated text when the box is laid out
    QCOMPARE(box->buttons()[0]->text().remove(QLatin1Char('&')), QStringLiteral("确定"));
}

void DesktopTest::theListModelFollowsEveryChangeOfItsListBox() {
    ListBox box;
    box.addItem("b");
    auto model = std::make_unique<ListBoxModel>(box, nullptr);
    QAbstractItemModelTester tester(model.get(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy inserted(model.get(), &QAbstractItemModel::rowsInserted);
    box.insertFirst("a");
    box.addItem("c");
    QCOMPARE(inserted.size(), 2);
    QCOMPARE(inserted[0][1].toInt(), 0);
    QCOMPARE(inserted[1][1].toInt(), 2);
    box.setItem(1, "B");
    QCOMPARE(model->index(1).data().toString(), QStringLiteral("B"));
    QSignalSpy removed(model.get(), &QAbstractItemModel::rowsRemoved);
    box.removeItem(0);
    QCOMPARE(removed.size(), 1);
    QCOMPARE(model->rowCount(), 2);
    QCOMPARE(model->index(0).data().toString(), QStringLiteral("B"));
    box.clear();
    QCOMPARE(model->rowCount(), 0);
    model.reset();
    box.addItem("after");  // the list box no longer calls into the model that went
    QCOMPARE(box.listCount(), 1);
}

void DesktopTest::everyPictureIsDrawn() {
    const Pictures pictures;
    for (const char* name :
         {"app", "busy1", "busy2", "start", "stop", "save", "hide", "folder-add", "folder-remove",
          "folder-clear", "tab-folders", "tab-options", "ok", "cancel", "qrcode"}) {
        const QImage image = pictures.pixmap(name, 32, 1.0).toImage();
        int opaque = 0;
        for (int i = 0; i < image.width() * image.height(); ++i) {
            opaque += image.pixelColor(i % image.width(), i / image.width()).alpha() > 128;
        }
        QVERIFY2(opaque > image.width() * image.height() / 10, name);
    }
    // The two busy pictures differ, or the animation would stand still.
    QVERIFY(pictures.pixmap("busy1", 32, 1.0).toImage() !=
            pictures.pixmap("busy2", 32, 1.0).toImage());
    // Sharp on a screen of twice the pixels.
    QCOMPARE(pictures.pixmap("app", 32, 2.0).toImage().size(), QSize(64, 64));
}

void DesktopTest::theQrCodeIsTheHomePagesCode() {
    QCOMPARE(Pictures().qrText(), Pictures::HomePage());
    QVERIFY(Pictures::HomePage().startsWith("https://"));
    const QByteArray text = "https://tarnwick.example/";
    const int modules = QrCodeModules(text);
    QCOMPARE(modules, 25);  // version 2 at level M
    const int scale = 3;
    const QImage image = QrCodeImage(text, scale);
    QCOMPARE(image.size(), QSize((modules + 8) * scale, (modules + 8) * scale));
    auto dark = [&](int moduleX, int moduleY) {
        return image.pixelColor((moduleX + 4) * scale + 1, (moduleY + 4) * scale + 1) == Qt::black;
    };
    // The quiet zone is white, and each corner but the bottom right holds a finder pattern:
    // a dark ring of 7 modules, a light ring, a dark 3 by 3 core.
    for (int i = -4; i < modules + 4; ++i) {
        QVERIFY(!dark(i, -1) && !dark(-1, i) && !dark(i, modules) && !dark(modules, i));
    }
    for (const QPoint corner : {QPoint(0, 0), QPoint(modules - 7, 0), QPoint(0, modules - 7)}) {
        for (int i = 0; i < 7; ++i) {
            QVERIFY(dark(corner.x() + i, corner.y()) && dark(corner.x(), corner.y() + i));
            QVERIFY(dark(corner.x() + i, corner.y() + 6) && dark(corner.x() + 6, corner.y() + i));
        }
        QVERIFY(!dark(corner.x() + 1, corner.y() + 1) && !dark(corner.x() + 5, corner.y() + 5));
        QVERIFY(dark(corner.x() + 2, corner.y() + 2) && dark(corner.x() + 4, corner.y() + 4));
    }
    // Another text gives another code.
    QVERIFY(QrCodeImage("https://example.org/other", scale) != image);
    QVERIFY(QrCodeImage(QByteArray(4000, 'x'), scale).isNull());
}

void DesktopTest::trayClicksBecomeTheModelsMouseEvents() {
    const Pictures pictures;
    TrayIcon tray(pictures, [] { return true; });
    QSignalSpy messages(&tray, &TrayIcon::mouseMessage);
    const struct {
        QSystemTrayIcon::ActivationReason reason;
        QList<TrayMouse> sent;
    } rows[] = {
        {QSystemTrayIcon::Trigger, {TrayMouse::LeftButtonUp}},
        {QSystemTrayIcon::DoubleClick, {TrayMouse::LeftDoubleClick, TrayMouse::LeftButtonUp}},
        {QSystemTrayIcon::Context, {TrayMouse::RightButtonUp}},
        {QSystemTrayIcon::MiddleClick, {TrayMouse::MiddleButtonUp}},
        {QSystemTrayIcon::Unknown, {}}};
    for (const auto& row : rows) {
        messages.clear();
        tray.activate(row.reason);
        QList<TrayMouse> sent;
        for (const auto& message : messages) {
            sent.append(message[0].value<TrayMouse>());
        }
        QCOMPARE(sent, row.sent);
    }
}

void DesktopTest::oneCopyPerLogin() {
    QTemporaryDir runtime, otherLogin;
    SingleInstance first(runtime.path());
    QSignalSpy asked(&first, &SingleInstance::showRequested);
    QVERIFY(!first.anotherRunning());
    QVERIFY(SingleInstance(runtime.path()).anotherRunning());
    QVERIFY(asked.wait());
    QVERIFY(!SingleInstance(otherLogin.path()).anotherRunning());  // another login's folder
}

void DesktopTest::aSecondProgramEndsAtOnce() {
    QTemporaryDir home;
    QDir().mkpath(home.filePath(QStringLiteral("runtime")));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.filePath(QStringLiteral("runtime")));
    QFile::setPermissions(home.filePath(QStringLiteral("runtime")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcess first;
    first.setProcessEnvironment(environment);
    first.start(QStringLiteral(TARNWICK_PROGRAM), {});
    QVERIFY(first.waitForStarted());
    // The first copy is up once its socket listens.
    QTRY_VERIFY_WITH_TIMEOUT(
        QFile::exists(home.filePath(QStringLiteral("runtime/tarnwick.socket"))), 20000);
    QProcess second;
    second.setProcessEnvironment(environment);
    second.start(QStringLiteral(TARNWICK_PROGRAM), {});
    QVERIFY(second.waitForFinished(20000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QCOMPARE(first.state(), QProcess::Running);
    first.terminate();
    QVERIFY(first.waitForFinished(20000));
}

void DesktopTest::theFolderBrowserShowsItsPromptAndTheSelectedFolder() {
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("甲/乙")) &&
            QDir(dir.path()).mkpath(QStringLiteral("丙")));
    const QString a = dir.filePath(QStringLiteral("甲")), b = dir.filePath(QStringLiteral("甲/乙")),
                  c = dir.filePath(QStringLiteral("丙"));
    const QString before = QDir::currentPath();
    QDir::setCurrent(dir.path());  // a relative start folder must not be found from here
    const struct {
        QString start, selected, chosen;
        const char* button;
        QString result;
    } rows[] = {{b, b, c, "OK", c},
                {b, b, a, "Cancel", {}},
                {{}, {}, a, "OK", a},
                {QStringLiteral("甲"), {}, c, "Cancel", {}}};
    for (const auto& row : rows) {
        FolderBrowser browser(QStringLiteral("请选择文件夹："), row.start);
        browser.show();
        QVERIFY(QTest::qWaitForWindowActive(&browser));  // the tree takes the focus
        const QTreeView* tree = browser.tree();
        const auto* folders = qobject_cast<QFileSystemModel*>(tree->model());
        auto status = [&] { return browser.findChild<QLabel*>(QStringLiteral("Status"))->text(); };
        QCOMPARE(browser.findChild<QLabel*>(QStringLiteral("Prompt"))->text(),
                 QStringLiteral("请选择文件夹："));
        QCOMPARE(browser.folder(), row.selected);
        QCOMPARE(status(), row.selected);
        auto* ok = browser.findChild<QPushButton*>(QStringLiteral("OK"));
        QCOMPARE(ok->text() + browser.findChild<QPushButton*>(QStringLiteral("Cancel"))->text(),
                 QStringLiteral("确定取消"));
        QCOMPARE(ok->isEnabled(), !row.selected.isEmpty());
        if (!row.selected.isEmpty()) {
            QTRY_VERIFY(tree->viewport()->rect().contains(tree->visualRect(tree->currentIndex())));
        }
        for (int column = 0; column < folders->columnCount(); ++column) {  // Chinese only
            QVERIFY(tree->header()->isHidden() || tree->isColumnHidden(column) ||
                    !folders->headerData(column, Qt::Horizontal)
                         .toString()
                         .contains(QRegularExpression(QStringLiteral("[A-Za-z]"))));
        }
        browser.tree()->setCurrentIndex(folders->index(row.chosen));
        QCOMPARE(status(), row.chosen);
        browser.findChild<QPushButton*>(QLatin1String(row.button))->click();
        QCOMPARE(browser.result() == QDialog::Accepted ? browser.folder() : QString(), row.result);
    }
    QDir::setCurrent(before);
}

}  // namespace tarnwick::qtview::test

QTEST_MAIN(tarnwick::qtview::test::DesktopTest)
#include "desktop_test.moc"
