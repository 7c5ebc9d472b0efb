// A backup pass as the window shows it: the busy pictures, the path and the tray while it runs, the
// log growing at its top, stop and close in the middle of it, and the timer that starts it.
#include <QAbstractItemModelTester>
#include <QAbstractItemView>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include "view-qt/tray_icon.h"
#include "view_harness.h"

namespace tarnwick::qtview::test {
namespace {

// What the window showed at one moment of a pass.
struct Moment {
    bool exitShown;
    bool restingShown;
    QString busyShown;  // the picture of the busy image on show, "" for none or both
    QString note;
    std::string trayPicture;
    QString trayTip;
    int inkOnLog;  // pixels of the log's top lines not in its background colour
};

}  // namespace

class PassTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { PrepareTestApplication(); }
    void init();
    void cleanup() { view.reset(); }

    void thePassShowsItselfWhileItRunsAndTidiesUpAfter();
    void theLogGrowsAtTheTopRowByRow();
    void stopDuringAPassStopsIt();
    void closingDuringAPassStopsItAndEndsTheProgramAfterwards();
    void theTimersTickRunsTheSchedule();
    void closingDuringTheFirstPassEndsStartUp();

  private:
    // Source folder "src" with that many files, the only source of the task.
    void prepareSource(int files, const QString& folder = QStringLiteral("src"));
    // Runs `during` at every refresh of the next pass (each yields to the event loop).
    void atEveryRefresh(std::function<void()> during);
    Moment now();

    std::unique_ptr<ViewHarness> view;
    std::unique_ptr<QTimer> watcher;
};

void PassTest::init() {
    view = std::make_unique<ViewHarness>();
    view->clock.stepPerReading = 1.0;  // every entry of the walk is a refresh
}

void PassTest::prepareSource(int files, const QString& folder) {
    for (int i = 0; i < files; ++i) {
        view->writeFile(
            QStringLiteral("%1/file%2.txt").arg(folder).arg(i, 4, 10, QLatin1Char('0')));
    }
}

void PassTest::atEveryRefresh(std::function<void()> during) {
    // A zero timer fires once each time the pass lets the events run, and never outside a pass
    // here, since nothing else processes events until the test checks afterwards.
    watcher = std::make_unique<QTimer>();
    watcher->setInterval(0);
    connect(watcher.get(), &QTimer::timeout, watcher.get(), std::move(during));
    watcher->start();
}

Moment PassTest::now() {
    auto shown = [this](const char* name) {
        return !view->find(QString::fromLatin1(name))->isHidden();
    };
    QString busy;
    if (shown("Image1(1)") != shown("Image1(2)")) {
        busy = view->find(QString::fromLatin1(shown("Image1(1)") ? "Image1(1)" : "Image1(2)"))
                   ->property("picture")
                   .toString();
    }
    // The top of the log as its paint draws it.
    auto* log = view->find<QAbstractItemView>(QStringLiteral("ListMessage"));
    const QImage top = log->viewport()->grab(QRect(0, 0, log->viewport()->width(), 40)).toImage();
    const QColor background = log->palette().color(QPalette::Base);
    int ink = 0;
    for (int y = 0; y < top.height(); ++y) {
        for (int x = 0; x < top.width(); ++x) {
            ink += top.pixelColor(x, y) != background ? 1 : 0;
        }
    }
    return {shown("ButtonExit"),
            shown("Image1(0)"),
            busy,
            view->find<QLabel>(QStringLiteral("LabDDir(6)"))->text(),
            view->program().tray().picture(),
            view->program().tray().icon().toolTip(),
            ink};
}

void PassTest::thePassShowsItselfWhileItRunsAndTidiesUpAfter() {
    QVERIFY(view->start());
    prepareSource(3);
    view->model().ListFromFolder.clear();
    view->model().ListFromFolder.addItem(view->path(QStringLiteral("src")).toStdString());
    std::vector<Moment> moments;
    atEveryRefresh([&] { moments.push_back(now()); });
    view->click(QStringLiteral("UpdateButton"));
    watcher->stop();

    QVERIFY(moments.size() >= 2);
    for (std::size_t i = 0; i < moments.size(); ++i) {
        const Moment& m = moments[i];
        QVERIFY(!m.exitShown);
        QVERIFY(!m.restingShown);
        QCOMPARE(m.busyShown, QString::fromStdString(m.trayPicture));
        QCOMPARE(m.trayTip, QStringLiteral("正在扫描目标文件夹……"));
        QVERIFY2(m.note.startsWith(view->path(QStringLiteral("src"))), qPrintable(m.note));
        QVERIFY2(m.inkOnLog > 0, "the log shows no lines during the pass");
        if (i > 0) {
            QVERIFY(m.busyShown != moments[i - 1].busyShown);  // the two pictures alternate
        }
    }
    QVERIFY(moments[0].busyShown == QStringLiteral("busy1") ||
            moments[0].busyShown == QStringLiteral("busy2"));

    const Moment after = now();
    QVERIFY(after.exitShown);
    QVERIFY(after.restingShown);
    QVERIFY(after.busyShown.isEmpty());
    QVERIFY(after.note.isEmpty());
    QCOMPARE(after.trayPicture, std::string("app"));
    QCOMPARE(after.trayTip, QStringLiteral("Tarnwick"));
    QCOMPARE(view->rows(QStringLiteral("ListMessage")).first(),
             QStringLiteral("12:00:00    更新了 3 个文件(12)！"));
}

void PassTest::theLogGrowsAtTheTopRowByRow() {
    QVERIFY(view->start());
    const int files = 300;
    prepareSource(files);
    view->model().ListFromFolder.clear();
    view->model().ListFromFolder.addItem(view->path(QStringLiteral("src")).toStdString());
    auto* log = view->find<QAbstractItemView>(QStringLiteral("ListMessage"));
    // Checks every insertion against the rules of Qt's item models as it happens.
    QAbstractItemModelTester tester(log->model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    int resets = 0;
    connect(log->model(), &QAbstractItemModel::modelReset, this, [&] { ++resets; });
    int topInsertions = 0;
    connect(log->model(), &QAbstractItemModel::rowsInserted, this,
            [&](const QModelIndex&, int first, int last) {
                topInsertions += first == 0 && last == 0 ? 1 : 0;
            });
    view->click(QStringLiteral("UpdateButton"));

    const auto& items = view->model().ListMessage.items();
    QStringList expected;
    for (const auto& line : items) {
        expected.append(QString::fromStdString(line));
    }
    QCOMPARE(view->rows(QStringLiteral("ListMessage")), expected);
    QCOMPARE(expected.first(),
             QStringLiteral("12:00:00    更新了 %1 个文件(%2)！").arg(files).arg(files * 4));
    QVERIFY(expected.size() > files);
    QCOMPARE(resets, 0);
    QCOMPARE(topInsertions, static_cast<int>(items.size()) - 6);  // all but the start's six
}

void PassTest::stopDuringAPassStopsIt() {
    QVERIFY(view->start());
    prepareSource(20, QStringLiteral("one"));
    prepareSource(20, QStringLiteral("two"));
    view->model().ListFromFolder.clear();
    for (const char* folder : {"one", "two"}) {
        view->model().ListFromFolder.addItem(view->path(QString::fromLatin1(folder)).toStdString());
    }
    bool stopped = false;
    atEveryRefresh([&] {
        if (!stopped) {
            stopped = true;
            view->click(QStringLiteral("CommStop"));
        }
    });
    view->click(QStringLiteral("UpdateButton"));
    watcher->stop();
    QVERIFY(stopped);
    QVERIFY(view->model().lastPass().stopped);
    QVERIFY(view->model().lastPass().updatedCount < 40);
    QVERIFY(view->window().isVisible());
    QVERIFY(!view->find(QStringLiteral("ButtonExit"))->isHidden());
    QVERIFY(!view->program().platform().ended());
}

void PassTest::closingDuringAPassStopsItAndEndsTheProgramAfterwards() {
    QVERIFY(view->start());
    prepareSource(20);
    view->model().ListFromFolder.clear();
    view->model().ListFromFolder.addItem(view->path(QStringLiteral("src")).toStdString());
    int closes = 0;
    bool shownAfterClose = false;
    bool endedDuringPass = true;
    atEveryRefresh([&] {
        if (closes++ == 0) {
            view->window().close();
            shownAfterClose = view->window().isVisible();
            endedDuringPass = view->program().platform().ended();
        }
    });
    view->click(QStringLiteral("UpdateButton"));
    watcher->stop();
    QVERIFY(closes > 0);
    QVERIFY(shownAfterClose);  // the window waits for the pass to stop
    QVERIFY(!endedDuringPass);
    QVERIFY(view->model().lastPass().stopped);
    QVERIFY(view->program().platform().ended());
    QVERIFY(!view->window().isVisible());
    QVERIFY(!view->program().tray().icon().isVisible());
}

void PassTest::theTimersTickRunsTheSchedule() {
    prepareSource(1);
    view->writeTask({QStringLiteral("[DirList]"), QStringLiteral("Count=1"),
                     QStringLiteral("Dir1=") + view->path(QStringLiteral("src")),
                     QStringLiteral("[Comm]"), QStringLiteral("TimePoint=1"),
                     QStringLiteral("TimeOut=1"),
                     QStringLiteral("DDir=") + view->path(QStringLiteral("back"))});
    // The first pass runs at start-up, before the window shows.
    bool shownDuringFirstPass = true;
    atEveryRefresh([&] { shownDuringFirstPass = view->window().isVisible(); });
    QVERIFY(view->start());
    watcher->stop();
    QVERIFY(!shownDuringFirstPass);
    QVERIFY(view->window().isVisible());
    QCOMPARE(view->rows(QStringLiteral("ListMessage")).first(),
             QStringLiteral("12:00:00    更新了 1 个文件(4)！"));

    auto* timer = view->window().findChild<QTimer*>(QStringLiteral("Timer1"));
    QVERIFY(timer->isActive());
    view->writeFile(QStringLiteral("src/new.txt"), "fresh");
    QVERIFY(QMetaObject::invokeMethod(timer, "timeout"));
    QCOMPARE(view->rows(QStringLiteral("ListMessage")).first(),
             QStringLiteral("12:00:00    更新了 1 个文件(5)！"));

    // By hand only: the timer stops.
    view->click(QStringLiteral("Option1(2)"));
    QVERIFY(!timer->isActive());
}

void PassTest::closingDuringTheFirstPassEndsStartUp() {
    prepareSource(5);
    view->writeTask({QStringLiteral("[DirList]"), QStringLiteral("Count=1"),
                     QStringLiteral("Dir1=") + view->path(QStringLiteral("src")),
                     QStringLiteral("[Comm]"), QStringLiteral("TimePoint=1"),
                     QStringLiteral("DDir=") + view->path(QStringLiteral("back"))});
    atEveryRefresh([&] { view->window().close(); });
    QVERIFY(!view->start());
    watcher->stop();
    QVERIFY(view->program().platform().ended());
    QVERIFY(!view->window().isVisible());
    QVERIFY(!view->program().tray().icon().isVisible());
}

}  // namespace tarnwick::qtview::test

QTEST_MAIN(tarnwick::qtview::test::PassTest)
#include "pass_test.moc"
