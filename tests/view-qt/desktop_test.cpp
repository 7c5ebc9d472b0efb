// The pieces between the model and the desktop: the message box, the list model, the pictures and
// the QR code, one copy per login, and the folder browser. That a second program ends at once is
// checked on a real compositor (wayland-second-start).
#include <QAbstractItemModelTester>
#include <QDir>
#include <QFileSystemModel>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include "view-qt/desktop_dialogs.h"
#include "view-qt/folder_browser.h"
#include "view-qt/list_box_model.h"
#include "view-qt/pictures.h"
#include "view-qt/qr_code.h"
#include "view-qt/single_instance.h"
#include "view_harness.h"

namespace tarnwick::qtview::test {

using namespace Qt::StringLiterals;

class DesktopTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { PrepareTestApplication(); }

    void theMessageBoxHasOneOkAndTheInformationIcon() {
        const auto box = MakeInformationBox(nullptr, u"title"_s, u"text"_s);
        QCOMPARE(box->icon(), QMessageBox::Information);
        QCOMPARE(box->windowTitle() + box->text(), u"titletext"_s);
        QCOMPARE(box->buttons().size(), 1);
        QCOMPARE(box->standardButton(box->buttons()[0]), QMessageBox::Ok);
        box->show();  // the button takes its translated text when the box is laid out
        QCOMPARE(box->buttons()[0]->text().remove(QLatin1Char('&')), u"确定"_s);
    }

    void theListModelFollowsEveryChangeOfItsListBox() {
        ListBox box;
        box.addItem("b");
        auto model = std::make_unique<ListBoxModel>(box, nullptr);
        QAbstractItemModelTester tester(model.get(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        int resets = 0;  // a row at a time, or a long log would be redrawn whole at every line
        connect(model.get(), &QAbstractItemModel::modelReset, this, [&] { ++resets; });
        box.insertFirst("a");
        box.addItem("c");
        box.setItem(1, "B");
        box.removeItem(0);
        QCOMPARE(Rows(model.get()), (QStringList{u"B"_s, u"c"_s}));
        QCOMPARE(resets, 0);
        box.clear();
        QCOMPARE(model->rowCount(), 0);
        model.reset();
        box.addItem("after");  // the list box no longer calls into the model that went
        QCOMPARE(box.listCount(), 1);
    }

    void everyPictureIsDrawn() {
        const Pictures pictures;
        for (const char* name : {"app", "busy1", "busy2", "start", "stop", "save", "hide",
                                 "folder-add", "folder-remove", "folder-clear", "tab-folders",
                                 "tab-options", "ok", "cancel", "qrcode"}) {
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

    void theQrCodeHasItsQuietZoneAndFinderPatterns() {
        const QByteArray text = "https://tarnwick.example/";
        const int modules = QrCodeModules(text), scale = 3, side = modules + 8;
        QCOMPARE(modules, 25);  // version 2 at level M
        const QImage image = QrCodeImage(text, scale);
        QCOMPARE(image.size(), QSize(side * scale, side * scale));
        // The quiet zone of 4 modules is white, and each corner but the bottom right holds a
        // finder pattern: a dark ring of 7 modules, a light ring, a dark 3 by 3 core.
        for (int i = 0; i < side * side; ++i) {
            const int x = i % side - 4, y = i / side - 4, far = modules - 7;
            const bool dark =
                image.pixelColor(i % side * scale + 1, i / side * scale + 1) == Qt::black;
            const int cx = x < 7 ? 3 : far + 3, cy = y < 7 ? 3 : far + 3;
            if (x < 0 || y < 0 || x >= modules || y >= modules) {
                QVERIFY(!dark);
            } else if ((x < 7 || x >= far) && (y < 7 || y >= far) && (x < 7 || y < 7)) {
                QVERIFY(dark == (std::max(std::abs(x - cx), std::abs(y - cy)) != 2));
            }
        }
        QVERIFY(QrCodeImage("https://example.org/other", scale) != image);  // the text is in it
        QVERIFY(QrCodeImage(QByteArray(4000, 'x'), scale).isNull());
    }

    // Each start takes its token out of the environment (no child inherits it); a later start's
    // token reaches the running copy, which activates its window with it once.
    void aSecondStartHandsItsActivationTokenOver() {
        QTemporaryDir runtime;
        qputenv("XDG_ACTIVATION_TOKEN", "first-start");
        SingleInstance first(runtime.path());
        QVERIFY(!first.anotherRunning());
        qputenv("XDG_ACTIVATION_TOKEN", "second-start");
        SingleInstance second(runtime.path());
        QVERIFY(!qEnvironmentVariableIsSet("XDG_ACTIVATION_TOKEN"));
        QSignalSpy asked(&first, &SingleInstance::showRequested);
        QVERIFY(second.anotherRunning());
        QTRY_COMPARE(asked.count(), 1);
        QCOMPARE(first.takeActivationToken(), "second-start");
        QCOMPARE(first.takeActivationToken(), QByteArray());
    }

    void theFolderBrowserShowsItsPromptAndTheSelectedFolder() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(u"甲/乙"_s) && QDir(dir.path()).mkpath(u"丙"_s));
        const QString a = dir.filePath(u"甲"_s), b = dir.filePath(u"甲/乙"_s),
                      c = dir.filePath(u"丙"_s);
        const QString before = QDir::currentPath();
        QDir::setCurrent(dir.path());  // a relative start folder must not be found from here
        const struct {
            QString start, selected, chosen;
            const char* button;
            QString result;
        } rows[] = {{b, b, c, "OK", c}, {{}, {}, a, "OK", a}, {u"甲"_s, {}, c, "Cancel", {}}};
        for (const auto& row : rows) {
            FolderBrowser browser(u"请选择文件夹："_s, row.start);
            browser.show();
            QVERIFY(QTest::qWaitForWindowActive(&browser));  // the tree takes the focus
            const QTreeView* tree = browser.tree();
            const auto* folders = qobject_cast<QFileSystemModel*>(tree->model());
            auto status = [&] { return browser.findChild<QLabel*>(u"Status"_s)->text(); };
            QCOMPARE(browser.findChild<QLabel*>(u"Prompt"_s)->text(), u"请选择文件夹："_s);
            QCOMPARE(browser.folder(), row.selected);
            QCOMPARE(status(), row.selected);
            QCOMPARE(browser.findChild<QPushButton*>(u"OK"_s)->isEnabled(),
                     !row.selected.isEmpty());
            if (!row.selected.isEmpty()) {
                QTRY_VERIFY(
                    tree->viewport()->rect().contains(tree->visualRect(tree->currentIndex())));
            }
            browser.tree()->setCurrentIndex(folders->index(row.chosen));
            QCOMPARE(status(), row.chosen);
            browser.findChild<QPushButton*>(QLatin1String(row.button))->click();
            QCOMPARE(browser.result() == QDialog::Accepted ? browser.folder() : QString(),
                     row.result);
        }
        QDir::setCurrent(before);
    }
};

}  // namespace tarnwick::qtview::test

QTEST_MAIN(tarnwick::qtview::test::DesktopTest)
#include "desktop_test.moc"
