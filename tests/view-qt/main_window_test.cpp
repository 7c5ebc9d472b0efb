// The main window bound to its model: names, captions, colours, fonts and first values; clicks and
// edits reaching the model; the model's changes showing; the layout of the four bands.
#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListView>
#include <QRadioButton>
#include <QRawFont>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "ui/window_texts.h"
#include "view-qt/form_metrics.h"
#include "view-qt/form_widgets.h"
#include "view_harness.h"

namespace tarnwick::qtview::test {
namespace {

QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// What a widget shows as its caption or text.
QString Shown(QObject* object) {
    if (auto* button = qobject_cast<QAbstractButton*>(object)) {
        return button->text();
    }
    if (auto* label = qobject_cast<QLabel*>(object)) {
        return label->text();
    }
    if (auto* box = qobject_cast<QLineEdit*>(object)) {
        return box->text();
    }
    if (auto* frame = qobject_cast<FramePanel*>(object)) {
        return frame->caption();
    }
    return QStringLiteral("(no text)");
}

// The colour a widget paints at a point, as the user sees it.
QColor PaintedAt(QWidget* widget, QPoint at) {
    return widget->grab().toImage().pixelColor(at);
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { PrepareTestApplication(); }
    void init() {
        view = std::make_unique<ViewHarness>();
        QVERIFY(view->start());
    }
    void cleanup() { view.reset(); }

    void everyControlIsAWidgetUnderItsName_data();
    void everyControlIsAWidgetUnderItsName();
    void captionsAndFirstValuesAreTheForm_data();
    void captionsAndFirstValuesAreTheForm();
    void checkAndOptionStatesAreTheForm();
    void colours_data();
    void colours();
    void fontsAndChineseGlyphs_data();
    void fontsAndChineseGlyphs();
    void theWindowIsItsTwipsAtTheScreensResolution();
    void theFourBandsLieTopToBottom();
    void everyButtonReachesItsHandler();
    void editsAndChoicesReachTheModel();
    void theModelsChangesShow();
    void aRemovedSelectionLeavesNoRowSelected();
    void messageBoxesGoThroughTheSeam();
    void aTaskFileThatCannotBeWrittenGetsItsOwnBox();
    void theFolderBrowserGetsThePromptAndReturnsTheShellsForm();
    void hideAndRestoreThroughTheTray();
    void withoutATrayHideMinimisesAndSaysSo();
    void aSecondStartShowsTheWindow();
    void closingWhenIdleEndsTheProgram();
    void captionsAreAccessibleNamesAndAnyTextReachesTheModel();

  private:
    std::unique_ptr<ViewHarness> view;
};

void MainWindowTest::everyControlIsAWidgetUnderItsName_data() {
    QTest::addColumn<QString>("kind");
    const struct {
        const char* kind;
        std::initializer_list<const char*> names;
    } groups[] = {
        {"tarnwick::qtview::MainWindow", {"FrmMain"}},
        {"QTabWidget", {"SSTab1"}},
        {"QWidget", {"SSTab1Tab0", "SSTab1Tab1"}},
        {"QToolButton",
         {"UpdateButton", "CommStop", "SaveConfig", "ButtonExit", "CommandNewDir", "CommandDelDir",
          "CommandClearDir"}},
        {"QPushButton",
         {"CommandClear", "CommandToDir", "SelTask", "Command4", "Command5", "Command6",
          "Command7"}},
        {"QLineEdit",
         {"txtToFolder", "TextTask", "Text1", "Text3", "Text4", "Text5", "Text6", "Text7"}},
        {"QCheckBox", {"CheckFullFodler", "CheckAllSub", "Check1", "Check2", "CheckNoCopy"}},
        {"QRadioButton",
         {"Option1(0)", "Option1(1)", "Option1(2)", "Option2(0)", "Option2(1)", "Option2(2)"}},
        {"QListView", {"ListMessage", "ListFromFolder", "List3", "List4"}},
        {"QLabel", {"Image1(0)", "Image1(1)", "Image1(2)", "ImageQRCode", "Label1"}},
        {"tarnwick::qtview::ClickLabel",
         {"LabDDir(4)", "LabDDir(5)", "LabDDir(6)", "LabDDir(7)", "LabDDir(8)", "LabDDir(9)"}},
        {"tarnwick::qtview::FramePanel", {"Frame1", "Frame2"}},
        {"tarnwick::qtview::FormShape", {"Shape1", "Shape2", "Shape3", "Line2"}},
        {"QTimer", {"Timer1"}},
    };
    for (const auto& group : groups) {
        for (const char* name : group.names) {
            QTest::newRow(name) << QString::fromLatin1(group.kind);
        }
    }
}

void MainWindowTest::everyControlIsAWidgetUnderItsName() {
    QFETCH(QString, kind);
    const QString name = QString::fromUtf8(QTest::currentDataTag());
    QObject* object = name == QStringLiteral("FrmMain") ? &view->window()
                                                        : view->window().findChild<QObject*>(name);
    QVERIFY2(object != nullptr, qPrintable(name));
    QVERIFY2(object->inherits(kind.toLatin1().constData()),
             qPrintable(name + QStringLiteral(" is a ") +
                        QString::fromLatin1(object->metaObject()->className())));
    if (name != QStringLiteral("FrmMain")) {
        QCOMPARE(view->window().findChildren<QObject*>(name).size(), 1);
    }
}

void MainWindowTest::captionsAndFirstValuesAreTheForm_data() {
    QTest::addColumn<QString>("shown");
    const QString note = Q(texts::kUsageNote);
    const struct {
        const char* name;
        QString shown;
    } rows[] = {
        {"UpdateButton", QStringLiteral("开始备份")},
        {"CommStop", QStringLiteral("停止备份")},
        {"SaveConfig", QStringLiteral("保存任务")},
        {"ButtonExit", QStringLiteral("隐  藏")},
        {"CommandClear", QStringLiteral("清除信息")},
        {"CommandToDir", QStringLiteral("备份到>>")},
        {"CheckFullFodler", QStringLiteral("使用完整路径保存备份")},
        {"LabDDir(6)", note},
        {"SelTask", QStringLiteral("选择任务>>")},
        {"Label1", QStringLiteral("备份以下文件夹:")},
        {"CheckAllSub", QStringLiteral("加入指定文件夹下的所有子文件夹")},
        {"CommandNewDir", QStringLiteral("增加文件夹")},
        {"CommandDelDir", QStringLiteral("减除文件夹")},
        {"CommandClearDir", QStringLiteral("全部清除>>")},
        {"Frame2", QStringLiteral("选定备份文件类型")},
        {"Option2(0)", QStringLiteral("备份所有文件")},
        {"Option2(1)", QStringLiteral("只备份以下类型文件")},
        {"Option2(2)", QStringLiteral("不备份以下类型文件")},
        {"Command4", QStringLiteral("+")},
        {"Command5", QStringLiteral("-")},
        {"Command6", QStringLiteral("+")},
        {"Command7", QStringLiteral("-")},
        {"LabDDir(9)", Q(texts::kTypeHint)},
        {"Frame1", QStringLiteral("备份参数设置")},
        {"Check1", QStringLiteral("包含子文件夹")},
        {"Check2", QStringLiteral("仅备份长度小于")},
        {"LabDDir(8)", QStringLiteral("KB的文件.")},
        {"Option1(0)", QStringLiteral("在指定时间更新:")},
        {"LabDDir(5)", QStringLiteral("时")},
        {"LabDDir(7)", QStringLiteral("分")},
        {"Option1(1)", QStringLiteral("按时间间隔更新:")},
        {"LabDDir(4)", QStringLiteral("分钟(1～180)")},
        {"Option1(2)", QStringLiteral("手动更新")},
        {"CheckNoCopy", QStringLiteral("浏览但不备份文件,仅创建文件夹")},
        {"Text3", QStringLiteral("300")},
        {"Text4", QStringLiteral("30")},
        {"Text5", QStringLiteral("17")},
        {"Text6", QStringLiteral("0")},
        {"Text1", QString()},
        {"Text7", QString()},
    };
    for (const auto& row : rows) {
        QTest::newRow(row.name) << row.shown;
    }
}

void MainWindowTest::captionsAndFirstValuesAreTheForm() {
    QFETCH(QString, shown);
    const QString name = QString::fromUtf8(QTest::currentDataTag());
    QCOMPARE(Shown(view->find<QObject>(name)), shown);
}

void MainWindowTest::checkAndOptionStatesAreTheForm() {
    QCOMPARE(view->window().windowTitle(), QStringLiteral("Tarnwick2.0"));
    QVERIFY(!view->window().windowIcon().isNull());
    auto* tabs = view->find<QTabWidget>(QStringLiteral("SSTab1"));
    QCOMPARE(tabs->count(), 2);
    QCOMPARE(tabs->tabText(0), QStringLiteral(" 指定需要备份的文件夹"));
    QCOMPARE(tabs->tabText(1), QStringLiteral(" 设置备份选项和参数"));
    QVERIFY(!tabs->tabIcon(0).isNull() && !tabs->tabIcon(1).isNull());
    QCOMPARE(tabs->currentIndex(), 0);

    const struct {
        const char* name;
        bool checked;
    } states[] = {{"CheckFullFodler", true}, {"CheckAllSub", false}, {"Check1", true},
                  {"Check2", false},         {"CheckNoCopy", false}, {"Option1(0)", false},
                  {"Option1(1)", false},     {"Option1(2)", true},   {"Option2(0)", true},
                  {"Option2(1)", false},     {"Option2(2)", false}};
    for (const auto& state : states) {
        const QString name = QString::fromLatin1(state.name);
        QVERIFY2(view->find<QAbstractButton>(name)->isChecked() == state.checked, state.name);
    }

    // With no task file: the destination and task path as the program starts, the default
    // folders and types, and the five lines of the log before the start line.
    QCOMPARE(Shown(view->find(QStringLiteral("txtToFolder"))), view->path(QStringLiteral("back")));
    QCOMPARE(Shown(view->find(QStringLiteral("TextTask"))),
             view->path(QStringLiteral("config/TarnwickConfig.ini")));
    QCOMPARE(view->rows(QStringLiteral("ListFromFolder")),
             (QStringList{view->path(QStringLiteral("Desktop")),
                          view->path(QStringLiteral("Documents"))}));
    QCOMPARE(view->rows(QStringLiteral("List3")),
             (QStringList{QStringLiteral(".wps"), QStringLiteral(".doc"), QStringLiteral(".xls")}));
    QCOMPARE(view->rows(QStringLiteral("List4")),
             (QStringList{QStringLiteral(".bak"), QStringLiteral(".tmp"), QStringLiteral(".swp")}));
    QStringList log;
    for (const auto line : texts::kDesignLines) {
        log.append(Q(line));
    }
    log.append(QStringLiteral("12:00:00    程序启动！"));
    QCOMPARE(view->rows(QStringLiteral("ListMessage")), log);

    // Pictures: the resting one shows, the busy ones wait hidden, the QR code is drawn.
    const struct {
        const char* name;
        const char* picture;
        bool visible;
    } images[] = {{"Image1(0)", "app", true},
                  {"Image1(1)", "busy1", false},
                  {"Image1(2)", "busy2", false},
                  {"ImageQRCode", "qrcode", true}};
    for (const auto& image : images) {
        auto* label = view->find<QLabel>(QString::fromLatin1(image.name));
        QCOMPARE(label->property("picture").toString(), QString::fromLatin1(image.picture));
        QVERIFY2(!label->pixmap().isNull(), image.name);
        QVERIFY2(label->isVisibleTo(label->parentWidget()) == image.visible, image.name);
    }
    QCOMPARE(view->find<QCheckBox>(QStringLiteral("CheckAllSub"))->toolTip(),
             Q(texts::kCheckAllSubTip));
    QCOMPARE(view->find(QStringLiteral("List4"))->toolTip(), Q(texts::kList4Tip));
    auto* timer = view->window().findChild<QTimer*>(QStringLiteral("Timer1"));
    QCOMPARE(timer->interval(), 60000);
    QCOMPARE(timer->isActive(), view->model().Timer1.enabled());
}

void MainWindowTest::colours_data() {
    QTest::addColumn<QColor>("color");
    QTest::addColumn<bool>("painted");  // checked on the drawn pixels, not only the palette
    const struct {
        const char* name;
        QColor color;
        bool painted;
    } rows[] = {
        {"ListMessage", {255, 255, 192}, true}, {"txtToFolder", {255, 192, 255}, true},
        {"TextTask", {255, 224, 192}, true},    {"Text1", {255, 224, 192}, true},
        {"Text3", {255, 224, 192}, true},       {"Text4", {255, 224, 192}, true},
        {"Text5", {255, 224, 192}, true},       {"Text6", {255, 224, 192}, true},
        {"Text7", {255, 224, 192}, true},       {"Frame1", {192, 255, 255}, true},
        {"Check1", {192, 255, 255}, false},     {"Check2", {192, 255, 255}, false},
        {"Option1(0)", {192, 255, 255}, false}, {"Option1(2)", {192, 255, 255}, false},
        {"LabDDir(4)", {192, 255, 255}, false}, {"LabDDir(8)", {192, 255, 255}, false},
        {"Frame2", {255, 192, 192}, true},      {"Option2(0)", {255, 192, 192}, false},
        {"Option2(1)", {255, 192, 192}, false}, {"Option2(2)", {255, 192, 192}, false},
        {"LabDDir(9)", {255, 192, 192}, false}, {"List3", {224, 224, 224}, true},
        {"List4", {224, 224, 224}, true},       {"ListFromFolder", {255, 255, 255}, true},
        {"ButtonExit", {0, 255, 0}, true},      {"Line2", {255, 0, 0}, true},
    };
    for (const auto& row : rows) {
        QTest::newRow(row.name) << row.color << row.painted;
    }
}

void MainWindowTest::colours() {
    QFETCH(QColor, color);
    QFETCH(bool, painted);
    const QString name = QString::fromUtf8(QTest::currentDataTag());
    QWidget* widget = view->reveal(name);
    QWidget* surface = widget;
    QPalette::ColorRole role = QPalette::Window;
    if (auto* list = qobject_cast<QAbstractItemView*>(widget)) {
        role = QPalette::Base;
        surface = list->viewport();
    } else if (qobject_cast<QLineEdit*>(widget) != nullptr) {
        role = QPalette::Base;
    } else if (qobject_cast<QAbstractButton*>(widget) != nullptr &&
               qobject_cast<QCheckBox*>(widget) == nullptr &&
               qobject_cast<QRadioButton*>(widget) == nullptr) {
        role = QPalette::Button;
    }
    if (auto* shape = qobject_cast<FormShape*>(widget)) {
        QCOMPARE(shape->color(), color);
        QCOMPARE(shape->thickness(), 3);
    } else {
        QCOMPARE(widget->palette().color(role), color);
    }
    if (painted) {
        // Bottom right, away from text and the frame's caption, inside any border.
        const QPoint inside(surface->width() - 4, surface->height() - 3);
        QCOMPARE(PaintedAt(surface, inside), color);
    }
}

void MainWindowTest::fontsAndChineseGlyphs_data() {
    QTest::addColumn<double>("points");
    QTest::addColumn<bool>("bold");
    const struct {
        const char* name;
        double points;
        bool bold;
    } rows[] = {
        {"UpdateButton", 9.75, false},     {"CommStop", 9.75, false},
        {"SaveConfig", 9.75, false},       {"ButtonExit", 11.25, false},
        {"CommandClear", 9.75, true},      {"CommandToDir", 10.5, false},
        {"CheckFullFodler", 11.25, false}, {"ListMessage", 9.75, false},
        {"LabDDir(6)", 9.75, false},       {"SelTask", 9.75, false},
        {"Label1", 10.5, false},           {"CheckAllSub", 11.25, false},
        {"CommandNewDir", 10.5, false},    {"CommandDelDir", 10.5, false},
        {"CommandClearDir", 10.5, false},  {"Frame2", 11.25, false},
        {"Frame1", 10.5, false},           {"Option2(1)", 9.75, false},
        {"Command4", 9.75, true},          {"Command5", 9.75, true},
        {"Command6", 9.75, true},          {"Command7", 9.75, true},
        {"LabDDir(9)", 9.0, false},        {"Check2", 9.75, false},
        {"Option1(1)", 9.75, false},       {"LabDDir(4)", 9.75, false},
        {"CheckNoCopy", 9.75, false},      {"SSTab1", 11.25, false},
    };
    for (const auto& row : rows) {
        QTest::newRow(row.name) << row.points << row.bold;
    }
}

void MainWindowTest::fontsAndChineseGlyphs() {
    QFETCH(double, points);
    QFETCH(bool, bold);
    const QString name = QString::fromUtf8(QTest::currentDataTag());
    QWidget* widget = view->find(name);
    QFont font = widget->font();
    QString caption = Shown(widget);
    if (auto* frame = qobject_cast<FramePanel*>(widget)) {
        font = frame->captionFont();
    } else if (auto* tabs = qobject_cast<QTabWidget*>(widget)) {
        font = tabs->tabBar()->font();
        caption = tabs->tabText(0) + tabs->tabText(1);
    } else if (qobject_cast<QListView*>(widget) != nullptr) {
        caption = view->rows(name).join(QString());
    }
    QCOMPARE(font.pointSizeF(), points);
    QCOMPARE(font.bold(), bold);
    QCOMPARE(font.family(), CaptionFamily());

    // Every character of the caption is in the face itself: Chinese never shows as boxes.
    const QRawFont raw = QRawFont::fromFont(font, QFontDatabase::SimplifiedChinese);
    QVERIFY2(raw.isValid(), "no font with Chinese glyphs is installed (fonts-wqy-microhei)");
    for (const QChar character : caption) {
        if (!character.isSpace()) {
            QVERIFY2(raw.supportsCharacter(character),
                     qPrintable(QStringLiteral("%1 lacks %2 in %3")
                                    .arg(name, QString(character), raw.familyName())));
        }
    }
}

void MainWindowTest::theWindowIsItsTwipsAtTheScreensResolution() {
    const double dpi = DotsPerInch(&view->window());
    QCOMPARE(view->window().size(), QSize(TwipsToPixels(13635, dpi), TwipsToPixels(11205, dpi)));
    if (qFuzzyCompare(dpi, 96.0)) {
        QCOMPARE(view->window().size(), QSize(909, 747));
        QCOMPARE(view->find(QStringLiteral("Image1(0)"))->size(), QSize(32, 32));
        QCOMPARE(view->find(QStringLiteral("Line2"))->height(), 3);
    }
}

void MainWindowTest::theFourBandsLieTopToBottom() {
    auto rect = [this](const char* name) {
        QWidget* widget = view->find(QString::fromLatin1(name));
        return QRect(widget->mapTo(&view->window(), QPoint(0, 0)), widget->size());
    };
    const QRect window = view->window().rect();
    const QRect tabs = rect("SSTab1");
    // Band 1: the tab control with the column of buttons on its right, top to bottom.
    const char* column[] = {"UpdateButton", "CommStop", "SaveConfig", "ButtonExit", "CommandClear"};
    for (std::size_t i = 0; i < std::size(column); ++i) {
        QVERIFY2(rect(column[i]).left() > tabs.right(), column[i]);
        if (i > 0) {
            QVERIFY2(rect(column[i]).top() > rect(column[i - 1]).bottom(), column[i]);
        }
    }
    QVERIFY(tabs.width() > window.width() * 3 / 4);
    // Band 2, left to right, under the tabs.
    QVERIFY(rect("CommandToDir").top() > tabs.bottom());
    QVERIFY(rect("txtToFolder").left() > rect("CommandToDir").right());
    QVERIFY(rect("CheckFullFodler").left() > rect("txtToFolder").right());
    QVERIFY(rect("txtToFolder").width() > window.width() * 6 / 10);
    // Band 3: the log, all across and about half the height.
    const QRect log = rect("ListMessage");
    QVERIFY(log.top() > rect("txtToFolder").bottom());
    QVERIFY(log.width() > window.width() * 95 / 100);
    QVERIFY(log.height() > window.height() * 4 / 10 && log.height() < window.height() * 6 / 10);
    // Band 4: the three pictures on one spot, the note beside them.
    QCOMPARE(rect("Image1(1)"), rect("Image1(0)"));
    QCOMPARE(rect("Image1(2)"), rect("Image1(0)"));
    QVERIFY(rect("Image1(0)").top() > log.bottom());
    QVERIFY(rect("LabDDir(6)").left() > rect("Image1(0)").right());
    QVERIFY(rect("LabDDir(6)").bottom() <= window.bottom());
    // The first tab: the button column on the left; the source list level with its first button.
    QCOMPARE(rect("ListFromFolder").top(), rect("CommandNewDir").top());
    QVERIFY(rect("TextTask").left() > rect("SelTask").right());
    QVERIFY(rect("CheckAllSub").left() > rect("Label1").right());
    QVERIFY(rect("Label1").top() > rect("TextTask").bottom());
}

void MainWindowTest::everyButtonReachesItsHandler() {
    FrmMain& m = view->model();
    view->writeFile(QStringLiteral("src/a.txt"));
    const QString picked = view->path(QStringLiteral("picked"));
    QDir().mkpath(picked + QStringLiteral("/sub"));
    // Each row: what the user does, and what only that button's handler brings about.
    const struct {
        const char* button;
        std::function<void()> before;
        std::function<bool()> done;
    } rows[] = {
        {"CommandClear", [] {},
         [&] { return view->rows(QStringLiteral("ListMessage")).isEmpty(); }},
        {"CommandNewDir", [&] { view->dialogs.answers = {picked + QStringLiteral("/")}; },
         [&] { return view->rows(QStringLiteral("ListFromFolder")).last() == picked; }},
        {"CommandDelDir", [&] { view->clickRow(QStringLiteral("ListFromFolder"), 0); },
         [&] { return view->rows(QStringLiteral("ListFromFolder")).size() == 2; }},
        {"CommandToDir", [&] { view->dialogs.answers = {view->path(QStringLiteral("dest"))}; },
         [&] {
             return Shown(view->find(QStringLiteral("txtToFolder"))) ==
                    view->path(QStringLiteral("dest"));
         }},
        {"Command4",
         [&] { QTest::keyClicks(view->reveal(QStringLiteral("Text1")), QStringLiteral(" .pdf ")); },
         [&] {
             return view->rows(QStringLiteral("List3")).last() == QStringLiteral(".pdf") &&
                    Shown(view->find(QStringLiteral("Text1"))).isEmpty();
         }},
        {"Command5", [&] { view->clickRow(QStringLiteral("List3"), 0); },
         [&] { return view->rows(QStringLiteral("List3")).first() == QStringLiteral(".doc"); }},
        {"Command6",
         [&] {
             QTest::keyClicks(view->reveal(QStringLiteral("Text7")), QStringLiteral("\\cache"));
         },
         [&] { return view->rows(QStringLiteral("List4")).last() == QStringLiteral("\\cache"); }},
        {"Command7", [&] { view->clickRow(QStringLiteral("List4"), 2); },
         [&] { return view->rows(QStringLiteral("List4")).size() == 3; }},  // .bak .tmp \cache
        {"LabDDir(6)", [&] { m.LabDDir[6].setCaption("/some/path"); },
         [&] { return Shown(view->find(QStringLiteral("LabDDir(6)"))) == Q(texts::kUsageNote); }},
        {"SaveConfig", [] {},
         [&] { return QFile::exists(view->path(QStringLiteral("config/TarnwickConfig.ini"))); }},
        {"UpdateButton",
         [&] {
             m.ListFromFolder.clear();
             m.ListFromFolder.addItem(view->path(QStringLiteral("src")).toStdString());
         },
         [&] {
             return view->rows(QStringLiteral("ListMessage"))
                 .first()
                 .contains(QStringLiteral("更新了 1 个文件"));
         }},
        {"CommStop", [] {}, [&] { return m.StopBackup; }},
        {"SelTask", [] {}, [&] { return view->dialogs.choosersRun == 1; }},
        {"CommandClearDir", [] {},
         [&] {
             return view->rows(QStringLiteral("ListFromFolder")).isEmpty() &&
                    view->rows(QStringLiteral("ListMessage")).isEmpty();
         }},
        {"ButtonExit", [] {}, [&] { return !view->window().isVisible(); }},
    };
    for (const auto& row : rows) {
        row.before();
        QVERIFY2(!row.done(), row.button);
        view->click(QString::fromLatin1(row.button));
        QVERIFY2(row.done(), row.button);
    }
}

void MainWindowTest::editsAndChoicesReachTheModel() {
    FrmMain& m = view->model();
    view->retype(QStringLiteral("txtToFolder"), QStringLiteral("/data/"));
    // Chinese comes from the input method as committed text.
    QInputMethodEvent typed;
    typed.setCommitString(QStringLiteral("备份"));
    QApplication::sendEvent(view->find(QStringLiteral("txtToFolder")), &typed);
    QCOMPARE(m.txtToFolder.text(), std::string("/data/备份"));

    // A text longer than any limit Qt would set by itself.
    const QString longText(40000, QLatin1Char('x'));
    view->retype(QStringLiteral("TextTask"), QStringLiteral("y"));
    auto* task = view->find<QLineEdit>(QStringLiteral("TextTask"));
    QInputMethodEvent pasted;
    pasted.setCommitString(longText);
    QApplication::sendEvent(task, &pasted);
    QCOMPARE(m.TextTask.text().size(), std::size_t{40001});

    view->click(QStringLiteral("Check2"));
    QCOMPARE(m.Check2.value(), 1);
    QVERIFY(view->find(QStringLiteral("Text3"))->isEnabled());
    view->click(QStringLiteral("Check2"));
    QCOMPARE(m.Check2.value(), 0);
    QVERIFY(!view->find(QStringLiteral("Text3"))->isEnabled());
    for (const char* box : {"CheckFullFodler", "CheckAllSub", "Check1", "CheckNoCopy"}) {
        const QString name = QString::fromLatin1(box);
        const bool before = view->find<QCheckBox>(name)->isChecked();
        view->click(name);
        QVERIFY2(view->find<QCheckBox>(name)->isChecked() == !before, box);
    }
    QCOMPARE(m.CheckFullFodler.value(), 0);
    QCOMPARE(m.CheckAllSub.value(), 1);
    QCOMPARE(m.Check1.value(), 0);
    QCOMPARE(m.CheckNoCopy.value(), 1);

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
        QCOMPARE(view->find(QStringLiteral("Text6"))->isEnabled(), mode.text5);
        QCOMPARE(view->find(QStringLiteral("Text4"))->isEnabled(), mode.text4);
        QCOMPARE(timer->isActive(), mode.timing);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(view->find<QRadioButton>(QStringLiteral("Option1(%1)").arg(i))->isChecked(),
                     i == mode.option);
        }
    }
    // A click on the selected button leaves it selected.
    view->click(QStringLiteral("Option1(2)"));
    QVERIFY(view->find<QRadioButton>(QStringLiteral("Option1(2)"))->isChecked());

    view->click(QStringLiteral("Option2(2)"));
    QCOMPARE(SelectedIndex(m.Option2), 2);
    QVERIFY(!view->find<QRadioButton>(QStringLiteral("Option2(0)"))->isChecked());

    view->clickRow(QStringLiteral("ListFromFolder"), 1);
    QCOMPARE(m.ListFromFolder.listIndex(), 1);
}

void MainWindowTest::theModelsChangesShow() {
    FrmMain& m = view->model();
    m.logFirst("最新的一行");
    m.appendLog("appended");
    const QStringList log = view->rows(QStringLiteral("ListMessage"));
    QCOMPARE(log.first(), QStringLiteral("12:00:00    最新的一行"));
    QCOMPARE(log.last(), QStringLiteral("12:00:00    appended"));

    m.txtToFolder.setText("/elsewhere");
    QCOMPARE(Shown(view->find(QStringLiteral("txtToFolder"))), QStringLiteral("/elsewhere"));
    m.LabDDir[6].setCaption("/scanning/now");
    QCOMPARE(Shown(view->find(QStringLiteral("LabDDir(6)"))), QStringLiteral("/scanning/now"));
    m.ButtonExit.setVisible(false);
    QVERIFY(view->find(QStringLiteral("ButtonExit"))->isHidden());
    m.ButtonExit.setToolTip("hint");
    m.ButtonExit.setVisible(true);
    QVERIFY(!view->find(QStringLiteral("ButtonExit"))->isHidden());
    QCOMPARE(view->find(QStringLiteral("ButtonExit"))->toolTip(), QStringLiteral("hint"));
    m.Image1[0].setVisible(false);
    m.Image1[2].setVisible(true);
    QVERIFY(view->find(QStringLiteral("Image1(0)"))->isHidden());
    QVERIFY(!view->find(QStringLiteral("Image1(2)"))->isHidden());
    m.Image1[2].setPicture("busy1");
    QCOMPARE(view->find(QStringLiteral("Image1(2)"))->property("picture").toString(),
             QStringLiteral("busy1"));
    m.clickCheckBox(m.Check1, 0);
    QVERIFY(!view->find<QCheckBox>(QStringLiteral("Check1"))->isChecked());
    m.ListFromFolder.setItem(0, "/changed");
    QCOMPARE(view->rows(QStringLiteral("ListFromFolder")).first(), QStringLiteral("/changed"));
    m.ListFromFolder.setListIndex(1);
    QCOMPARE(view->find<QListView>(QStringLiteral("ListFromFolder"))->currentIndex().row(), 1);
}

void MainWindowTest::aRemovedSelectionLeavesNoRowSelected() {
    // Qt moves the current row to a neighbour when its row goes; the model says nothing is
    // selected then, and a second "-" must remove nothing.
    view->clickRow(QStringLiteral("List3"), 1);
    view->click(QStringLiteral("Command5"));
    auto* list = view->find<QListView>(QStringLiteral("List3"));
    QCOMPARE(view->model().List3.listIndex(), -1);
    QVERIFY(!list->selectionModel()->hasSelection());
    view->click(QStringLiteral("Command5"));
    QCOMPARE(view->rows(QStringLiteral("List3")),
             (QStringList{QStringLiteral(".wps"), QStringLiteral(".xls")}));
}

void MainWindowTest::messageBoxesGoThroughTheSeam() {
    const struct {
        const char* button;
        QString typed;
        FakeDialogs::Shown shown;
        QString replacement;
    } rows[] = {
        {"SaveConfig",
         QStringLiteral("   "),
         {QStringLiteral("无效的文件夹"), QStringLiteral("需要备份与存放备份的文件夹不能为空!")},
         view->path(QStringLiteral("Desktop"))},
        {"UpdateButton",
         QString(),
         {QStringLiteral("无效的文件夹"), QStringLiteral("需要备份与存放备份的文件夹不能为空!")},
         view->path(QStringLiteral("Desktop"))},
        {"SaveConfig",
         QStringLiteral("//server/share"),
         {QStringLiteral("存放备份的文件夹无效"),
          QStringLiteral("出于安全上的考虑，存放备份的文件夹必须在本机磁盘上，请重新指定!")},
         view->path(QStringLiteral("back"))},
    };
    for (const auto& row : rows) {
        auto* destination = view->find<QLineEdit>(QStringLiteral("txtToFolder"));
        view->retype(QStringLiteral("txtToFolder"), row.typed);
        view->dialogs.messages.clear();
        view->click(QString::fromLatin1(row.button));
        QCOMPARE(view->dialogs.messages, QList<FakeDialogs::Shown>{row.shown});
        QCOMPARE(destination->text(), row.replacement);
    }
}

void MainWindowTest::aTaskFileThatCannotBeWrittenGetsItsOwnBox() {
    view->writeFile(QStringLiteral("plain-file"));
    const QString task = view->path(QStringLiteral("plain-file/task.ini"));
    view->retype(QStringLiteral("TextTask"), task);
    view->click(QStringLiteral("SaveConfig"));
    QCOMPARE(view->dialogs.messages.size(), 1);
    QCOMPARE(view->dialogs.messages[0].title, QStringLiteral("保存任务失败"));
    QVERIFY2(view->dialogs.messages[0].text.startsWith(task + QStringLiteral(" (")),
             qPrintable(view->dialogs.messages[0].text));
    QVERIFY(view->dialogs.messages[0].text.size() > task.size() + 4);  // the system's reason
}

void MainWindowTest::theFolderBrowserGetsThePromptAndReturnsTheShellsForm() {
    view->dialogs.answers = {view->path(QStringLiteral("a/")), QString(), QStringLiteral("/")};
    view->click(QStringLiteral("CommandToDir"));
    view->click(QStringLiteral("CommandNewDir"));  // cancelled
    view->click(QStringLiteral("CommandNewDir"));
    const QList<FakeDialogs::Shown> browses = {
        {QStringLiteral("选择要保存到哪个文件夹："), QString()},
        {QStringLiteral("请选择需要备份的文件夹："), view->path(QStringLiteral("a"))},
        {QStringLiteral("请选择需要备份的文件夹："), QString()},
    };
    QCOMPARE(view->dialogs.browses, browses);
    QCOMPARE(Shown(view->find(QStringLiteral("txtToFolder"))), view->path(QStringLiteral("a")));
    QCOMPARE(view->rows(QStringLiteral("ListFromFolder")).last(), QStringLiteral("/"));
}

void MainWindowTest::hideAndRestoreThroughTheTray() {
    QCOMPARE(view->program().tray().icon().toolTip(), QStringLiteral("Tarnwick"));
    QVERIFY(view->program().tray().icon().isVisible());
    QVERIFY(view->find(QStringLiteral("ButtonExit"))->toolTip().isEmpty());
    view->click(QStringLiteral("ButtonExit"));
    QVERIFY(!view->window().isVisible());
    // Right and middle clicks bring nothing back; a click or a double click does.
    for (auto reason : {QSystemTrayIcon::Context, QSystemTrayIcon::MiddleClick}) {
        view->program().tray().activate(reason);
        QVERIFY(!view->window().isVisible());
    }
    view->program().tray().activate(QSystemTrayIcon::Trigger);
    QVERIFY(view->window().isVisible());
    view->click(QStringLiteral("ButtonExit"));
    view->program().tray().activate(QSystemTrayIcon::DoubleClick);
    QVERIFY(view->window().isVisible());
    QVERIFY(view->model().windowVisible());
}

void MainWindowTest::withoutATrayHideMinimisesAndSaysSo() {
    view = std::make_unique<ViewHarness>(false);
    QVERIFY(view->start());
    auto* hide = view->find(QStringLiteral("ButtonExit"));
    QCOMPARE(hide->toolTip(), Q(texts::kMinimizeTip));
    view->click(QStringLiteral("ButtonExit"));
    QVERIFY(view->window().isVisible());
    QVERIFY(view->window().isMinimized());
    // A tray turns up: the next click hides the window into it.
    view->hasTray = true;
    view->window().showNormal();
    view->click(QStringLiteral("ButtonExit"));
    QVERIFY(!view->window().isVisible());
    QVERIFY(hide->toolTip().isEmpty());
}

void MainWindowTest::aSecondStartShowsTheWindow() {
    view->click(QStringLiteral("ButtonExit"));
    QVERIFY(!view->window().isVisible());
    SingleInstance second(view->path(QStringLiteral("runtime")));
    QVERIFY(second.anotherRunning());
    QTRY_VERIFY(view->window().isVisible());
}

void MainWindowTest::closingWhenIdleEndsTheProgram() {
    QVERIFY(view->window().close() || !view->window().isVisible());
    QVERIFY(view->program().platform().ended());
    QVERIFY(!view->window().isVisible());
    QVERIFY(!view->program().tray().icon().isVisible());
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
        QCOMPARE(widget->text(QAccessible::Name), Q(row.control.caption()));
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
