// A backup pass as the window shows it: the busy pictures, the path and the tray while it runs, the
// log growing at its top, a close in the middle of it, and the timer that starts it.
#include <QAbstractItemView>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <utility>

#include "common/texts.h"
#include "view-qt/qt_text.h"
#include "view-qt/tray_icon.h"
#include "view_harness.h"

namespace tarnwick::qtview::test {

using namespace Qt::StringLiterals;

class PassTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { PrepareTestApplication(); }
    void init() {
        view = std::make_unique<ViewHarness>();
        view->clock.stepPerReading = 1.0;  // every entry of the walk is a refresh
    }

    void cleanup() { view.reset(); }

    void thePassAndItsLogShowWhileItRunsAndTidyUpAfter() {
        prepareSource(300);
        auto* log = view->find<QAbstractItemView>(u"ListMessage"_s);
        int topInsertions = 0;
        connect(log->model(), &QAbstractItemModel::rowsInserted, this,
                [&](const QModelIndex&, int first, int last) {
                    topInsertions += first == 0 && last == 0;
                });
        int refreshes = 0;
        QString busy;  // the busy picture on show: the two alternate at every refresh
        atEveryRefresh([&] {
            ++refreshes;
            QVERIFY(!shown("ButtonExit") && !shown("Image1(0)") &&
                    shown("Image1(1)") != shown("Image1(2)"));
            const QString now =
                view->find(QString::fromLatin1(shown("Image1(1)") ? "Image1(1)" : "Image1(2)"))
                    ->property("picture")
                    .toString();
            QVERIFY(now != std::exchange(busy, now));
            QCOMPARE(QString::fromStdString(view->program().tray().picture()), busy);
            QCOMPARE(view->program().tray().icon().toolTip(), Text(texts::kBusyTip));
            QVERIFY(view->find<QLabel>(u"LabDDir(6)"_s)->text().startsWith(view->path(u"src"_s)));
        });
        view->click(u"UpdateButton"_s);
        watcher->stop();
        QVERIFY(refreshes >= 2);
        QCOMPARE(view->program().tray().picture(), std::string("app"));
        // The log's widget saw it grow at its top a row at a time: all but the start's six lines.
        QCOMPARE(topInsertions, view->model().ListMessage.listCount() - 6);
    }

    void closingDuringAPassStopsItThenEnds() {
        prepareSource(20);
        bool visibleAfter = false;
        bool endedDuring = true;
        atEveryRefresh([&] {
            watcher->stop();
            view->window().close();
            visibleAfter = view->window().isVisible();  // a closed window waits for the stop
            endedDuring = view->program().platform().ended();
        });
        view->click(u"UpdateButton"_s);
        QVERIFY(visibleAfter && !endedDuring);
        QVERIFY(view->model().lastPass().stopped);
        QVERIFY(view->program().platform().ended());
        QVERIFY(!view->window().isVisible() && !view->program().tray().icon().isVisible());
    }

    void theTimersTickRunsTheSchedule() {
        prepareSource(1, false);
        // The first pass runs at start-up, before the window shows.
        bool shownDuringFirstPass = true;
        atEveryRefresh([&] { shownDuringFirstPass = view->window().isVisible(); });
        QVERIFY(view->start());
        watcher->stop();
        QVERIFY(!shownDuringFirstPass && view->window().isVisible());
        QCOMPARE(topLine().toStdString(), texts::UpdatedSummaryText(1, 4));
        auto* timer = view->window().findChild<QTimer*>(u"Timer1"_s);
        view->writeFile(u"src/new.txt"_s, "fresh");
        QVERIFY(timer->isActive() && QMetaObject::invokeMethod(timer, "timeout"));
        QCOMPARE(topLine().toStdString(), texts::UpdatedSummaryText(1, 5));
    }

    void closingDuringTheFirstPassEndsStartUp() {
        prepareSource(5, false);
        atEveryRefresh([&] { view->window().close(); });
        QVERIFY(!view->start());
        watcher->stop();
        QVERIFY(view->program().platform().ended());
        QVERIFY(!view->window().isVisible() && !view->program().tray().icon().isVisible());
    }

  private:
    // A source folder with that many files; started, the window backs up only it.
    void prepareSource(int files, bool started = true);
    // Runs `during` at every refresh of the next pass (each yields to the event loop): a zero
    // timer fires once each time the pass lets the events run.
    void atEveryRefresh(std::function<void()> during) {
        watcher = std::make_unique<QTimer>();
        connect(watcher.get(), &QTimer::timeout, watcher.get(), std::move(during));
        watcher->start(0);
    }
    QString topLine() { return view->rows(u"ListMessage"_s).first().mid(12); }
    bool shown(const char* name) { return !view->find(QString::fromLatin1(name))->isHidden(); }

    std::unique_ptr<ViewHarness> view;
    std::unique_ptr<QTimer> watcher;
};

void PassTest::prepareSource(int files, bool started) {
    for (int i = 0; i < files; ++i) {
        view->writeFile(u"src/file%1.txt"_s.arg(i, 4, 10, QLatin1Char('0')));
    }
    if (started) {
        QVERIFY(view->start());
        view->model().ListFromFolder.clear();
        view->model().ListFromFolder.addItem(view->path(u"src"_s).toStdString());
    } else {
        view->writeFile(u"config/TarnwickConfig.ini"_s,
                        "[DirList]\r\nCount=1\r\nDir1=" + view->path(u"src"_s).toUtf8() +
                            "\r\n[Comm]\r\nTimePoint=1\r\nTimeOut=1\r\nDDir=" +
                            view->path(u"back"_s).toUtf8() + "\r\n");
    }
}

}  // namespace tarnwick::qtview::test

QTEST_MAIN(tarnwick::qtview::test::PassTest)
#include "pass_test.moc"
