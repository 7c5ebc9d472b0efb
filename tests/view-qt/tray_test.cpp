// The tray icon on a real X display with a system tray (Xvfb and trayer, see with-tray): it docks,
// a click on it brings the hidden window back at any scale, and closing removes it.
// Where no tray exists the tests are skipped, never passed.
#include <QApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include "view-qt/tray_icon.h"
#include "view_harness.h"

namespace tarnwick::qtview::test {

using namespace Qt::StringLiterals;
namespace {

// The tray's own widget for our icon, when one has docked.
QWidget* DockedIcon() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->inherits("QSystemTrayIconSys") && widget->isVisible()) {
            return widget;
        }
    }
    return nullptr;
}

// A real click of the X server's pointer on the icon.
void ClickIcon(const QSystemTrayIcon& icon, int button) {
    const QRect area = icon.geometry();
    const qreal ratio = qApp->devicePixelRatio();
    const QPoint at = (QPointF(area.center()) * ratio).toPoint();
    QProcess::execute(u"xdotool"_s, {u"mousemove"_s, QString::number(at.x()),
                                     QString::number(at.y()), u"click"_s, QString::number(button)});
}

using Seen = QList<QPair<TrayMouse, bool>>;

// Clicks the icon until it reports the button's message: the tray may still be placing an icon
// it has just taken in, and a click beside it is lost.
bool ClickLands(const QSystemTrayIcon& icon, int button, TrayMouse message, const Seen& seen) {
    const qsizetype before = seen.size();
    for (int attempt = 0; attempt < 10; ++attempt) {
        ClickIcon(icon, button);
        for (int waited = 0; waited < 1000; waited += 20) {
            for (qsizetype i = before; i < seen.size(); ++i) {
                if (seen[i].first == message) {
                    return true;
                }
            }
            QTest::qWait(20);
        }
    }
    return false;
}

}  // namespace

class TrayTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        PrepareTestApplication();
        if (QGuiApplication::platformName() != u"xcb"_s) {
            QSKIP("no X display: the tray tests run under with-tray (Xvfb and trayer)");
        }
        // trayer may still be taking the tray's selection when the test starts.
        for (int i = 0; i < 100 && !QSystemTrayIcon::isSystemTrayAvailable(); ++i) {
            QTest::qWait(50);
        }
        if (!QSystemTrayIcon::isSystemTrayAvailable()) {
            QSKIP("no system tray on this display (start trayer)");
        }
        // The second run is at twice the scale: the click must land on the icon all the same.
        const QByteArray scale = qgetenv("QT_SCALE_FACTOR");
        if (!scale.isEmpty()) {
            QCOMPARE(qApp->devicePixelRatio(), scale.toDouble());
        }
        if (QStandardPaths::findExecutable(u"xdotool"_s).isEmpty()) {
            QSKIP("xdotool is missing: no real click on the tray icon can be made");
        }
    }

    void aClickOnTheIconBringsTheWindowBackAndClosingRemovesIt() {
        ViewHarness view(true);
        QVERIFY(view.start());
        QVERIFY(QTest::qWaitForWindowExposed(&view.window()));
        QTRY_VERIFY(DockedIcon() != nullptr);
        // Each click the icon reports, with the window's state once the model has had it.
        Seen seen;
        connect(&view.program().tray(), &TrayIcon::mouseMessage, this, [&](TrayMouse message) {
            seen.append({message, view.window().isVisible()});
        });
        const QSystemTrayIcon& icon = view.program().tray().icon();
        QTRY_VERIFY(icon.geometry().isValid());
        view.click(u"ButtonExit"_s);
        QTRY_VERIFY(!view.window().isVisible());

        // The right button brings nothing back.
        QVERIFY(ClickLands(icon, 3, TrayMouse::RightButtonUp, seen));
        QVERIFY(!view.window().isVisible());
        QVERIFY(ClickLands(icon, 1, TrayMouse::LeftButtonUp, seen));
        QVERIFY(seen.contains(qMakePair(TrayMouse::LeftButtonUp, true)));
        QVERIFY(!seen.contains(qMakePair(TrayMouse::RightButtonUp, true)));
        QVERIFY(view.window().isVisible());
        QVERIFY(view.model().windowVisible());
        view.window().close();
        QVERIFY(view.program().platform().ended());
        QTRY_VERIFY(DockedIcon() == nullptr);
    }
};

}  // namespace tarnwick::qtview::test

QTEST_MAIN(tarnwick::qtview::test::TrayTest)
#include "tray_test.moc"
