#include "view-qt/main_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include "ui/frm_main.h"
#include "view-qt/form_metrics.h"
#include "view-qt/form_widgets.h"
#include "view-qt/list_box_model.h"
#include "view-qt/pictures.h"

namespace tarnwick::qtview {
namespace {

// Colours of the form, as red, green, blue.
const QColor kLogColor(255, 255, 192);
const QColor kDestinationColor(255, 192, 255);
const QColor kEntryColor(255, 224, 192);
const QColor kParametersColor(192, 255, 255);
const QColor kTypesColor(255, 192, 192);
const QColor kTypeListColor(224, 224, 224);
const QColor kHideColor(0, 255, 0);
const QColor kHintColor(0, 0, 255);
const QColor kLineColor(255, 0, 0);

// Caption sizes in points.
constexpr double kNormalPoints = 9.75;
constexpr double kMediumPoints = 10.5;
constexpr double kLargePoints = 11.25;
constexpr double kHintPoints = 9.0;

constexpr int kBigPictureTwips = 480;    // the 32-pixel pictures of the right-hand buttons
constexpr int kSmallPictureTwips = 360;  // the list buttons' pictures
constexpr int kTabPictureTwips = 240;

QString Indexed(const char* name, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

void SetColor(QWidget* widget, QPalette::ColorRole role, const QColor& color) {
    QPalette palette = widget->palette();
    palette.setColor(role, color);
    widget->setPalette(palette);
}

}  // namespace

// Creates the widgets in the order of the form, each under its control's name and at its place
// in twips, and binds each to its control.
class MainWindow::Builder {
  public:
    Builder(MainWindow& window, FrmMain& model, const Pictures& pictures)
        : window_(window),
          model_(model),
          pictures_(pictures),
          bind_(window.binder_),
          dpi_(DotsPerInch(&window)),
          family_(CaptionFamily()) {}

    void build();

  private:
    template <typename W>
    W* place(QWidget* parent, const QString& name, int left, int top, int width, int height) {
        auto* widget = new W(parent);
        widget->setObjectName(name);
        widget->setGeometry(TwipsRect(left, top, width, height, dpi_));
        return widget;
    }
    int pixels(int twips) const { return TwipsToPixels(twips, dpi_); }
    QFont font(double points, bool bold = false) const {
        return CaptionFont(family_, points, bold);
    }
    ControlBinder::PictureSource pictureSource(int sideTwips) const {
        const int side = pixels(sideTwips);
        const Pictures* pictures = &pictures_;
        MainWindow* window = &window_;
        return [pictures, window, side](const std::string& name) {
            return pictures->pixmap(name, side, window->devicePixelRatioF());
        };
    }

    QToolButton* pictureButton(QWidget* parent, const QString& name, const char* picture,
                               int pictureTwips, QRect geometry);
    QLineEdit* textBox(QWidget* parent, const QString& name, TextBox& control, QRect twips,
                       const QColor& color);
    QListView* listBox(QWidget* parent, const QString& name, ListBox& control, QRect twips,
                       const QColor& color);
    ClickLabel* noteLabel(QWidget* parent, int index, QRect twips);

    void buildRightColumn();
    void buildDestinationRow();
    void buildLogAndNote();
    void buildFoldersTab(QWidget* page);
    void buildOptionsTab(QWidget* page);
    void buildTypesFrame(QWidget* page);
    void buildParametersFrame(QWidget* page);

    MainWindow& window_;
    FrmMain& model_;
    const Pictures& pictures_;
    ControlBinder& bind_;
    double dpi_;
    QString family_;
};

QToolButton* MainWindow::Builder::pictureButton(QWidget* parent, const QString& name,
                                                const char* picture, int pictureTwips,
                                                QRect twips) {
    auto* button =
        place<QToolButton>(parent, name, twips.x(), twips.y(), twips.width(), twips.height());
    button->setIcon(pictures_.icon(QLatin1String(picture)));
    button->setIconSize(QSize(pixels(pictureTwips), pixels(pictureTwips)));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    return button;
}

QLineEdit* MainWindow::Builder::textBox(QWidget* parent, const QString& name, TextBox& control,
                                        QRect twips, const QColor& color) {
    auto* box = place<QLineEdit>(parent, name, twips.x(), twips.y(), twips.width(), twips.height());
    SetColor(box, QPalette::Base, color);
    bind_.text(box, control);
    return box;
}

QListView* MainWindow::Builder::listBox(QWidget* parent, const QString& name, ListBox& control,
                                        QRect twips, const QColor& color) {
    auto* list =
        place<ListBoxView>(parent, name, twips.x(), twips.y(), twips.width(), twips.height());
    list->setModel(new ListBoxModel(control, list));
    list->setUniformItemSizes(true);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SetColor(list, QPalette::Base, color);
    bind_.list(list, control);
    return list;
}

ClickLabel* MainWindow::Builder::noteLabel(QWidget* parent, int index, QRect twips) {
    auto* label = place<ClickLabel>(parent, Indexed("LabDDir", index), twips.x(), twips.y(),
                                    twips.width(), twips.height());
    FrmMain* model = &model_;
    bind_.label(label, model_.LabDDir[static_cast<std::size_t>(index)],
                [model, index] { model->LabDDir_Click(index); });
    return label;
}

void MainWindow::Builder::build() {
    window_.setObjectName(QStringLiteral("FrmMain"));
    window_.setWindowTitle(QString::fromStdString(model_.windowCaption()));
    window_.setWindowIcon(pictures_.icon(QStringLiteral("app")));
    window_.setFont(font(kNormalPoints));
    window_.setFixedSize(TwipsRect(0, 0, 13635, 11205, dpi_).size());

    // Band 1: the tab control and the column of buttons on its right.
    auto* tabs = place<QTabWidget>(&window_, QStringLiteral("SSTab1"), 120, 120, 11640, 4500);
    tabs->tabBar()->setFont(font(kLargePoints));
    tabs->setIconSize(QSize(pixels(kTabPictureTwips), pixels(kTabPictureTwips)));
    auto* folders = new QWidget(tabs);
    folders->setObjectName(QStringLiteral("SSTab1Tab0"));
    auto* options = new QWidget(tabs);
    options->setObjectName(QStringLiteral("SSTab1Tab1"));
    tabs->addTab(folders, pictures_.icon(QStringLiteral("tab-folders")), {});
    tabs->addTab(options, pictures_.icon(QStringLiteral("tab-options")), {});
    bind_.tab(tabs, 0, model_.SSTab1Tab0);
    bind_.tab(tabs, 1, model_.SSTab1Tab1);
    buildFoldersTab(folders);
    buildOptionsTab(options);
    buildRightColumn();

    buildDestinationRow();
    buildLogAndNote();

    auto* timer = new QTimer(&window_);
    timer->setObjectName(QStringLiteral("Timer1"));
    FrmMain* model = &model_;
    bind_.timer(timer, model_.Timer1, [model] { model->Timer1_Timer(); });
}

void MainWindow::Builder::buildRightColumn() {
    FrmMain* m = &model_;
    auto* start = pictureButton(&window_, QStringLiteral("UpdateButton"), "start", kBigPictureTwips,
                                {11880, 120, 1635, 960});
    bind_.button(start, m->UpdateButton, [m] { m->UpdateButton_Click(); });
    auto* stop = pictureButton(&window_, QStringLiteral("CommStop"), "stop", kBigPictureTwips,
                               {11880, 1140, 1635, 960});
    bind_.button(stop, m->CommStop, [m] { m->CommStop_Click(); });
    auto* save = pictureButton(&window_, QStringLiteral("SaveConfig"), "save", kBigPictureTwips,
                               {11880, 2160, 1635, 960});
    bind_.button(save, m->SaveConfig, [m] { m->SaveConfig_Click(); });
    auto* hide = pictureButton(&window_, QStringLiteral("ButtonExit"), "hide", kBigPictureTwips,
                               {11880, 3180, 1635, 960});
    hide->setFont(font(kLargePoints));
    SetColor(hide, QPalette::Button, kHideColor);
    bind_.button(hide, m->ButtonExit, [m] { m->ButtonExit_Click(); });

    auto* clear =
        place<QPushButton>(&window_, QStringLiteral("CommandClear"), 11880, 4230, 1635, 390);
    clear->setFont(font(kNormalPoints, true));
    bind_.button(clear, m->CommandClear, [m] { m->CommandClear_Click(); });
}

void MainWindow::Builder::buildDestinationRow() {
    FrmMain* m = &model_;
    auto* toDir =
        place<QPushButton>(&window_, QStringLiteral("CommandToDir"), 120, 4740, 1500, 420);
    toDir->setFont(font(kMediumPoints));
    bind_.button(toDir, m->CommandToDir, [m] { m->CommandToDir_Click(); });
    textBox(&window_, QStringLiteral("txtToFolder"), m->txtToFolder, {1710, 4770, 9000, 360},
            kDestinationColor);
    auto* fullPath =
        place<QCheckBox>(&window_, QStringLiteral("CheckFullFodler"), 10830, 4740, 2685, 420);
    fullPath->setFont(font(kLargePoints));
    bind_.check(fullPath, m->CheckFullFodler,
                [m](int value) { m->clickCheckBox(m->CheckFullFodler, value); });
}

void MainWindow::Builder::buildLogAndNote() {
    listBox(&window_, QStringLiteral("ListMessage"), model_.ListMessage, {120, 5280, 13395, 5040},
            kLogColor);

    // Band 4: three pictures on one spot, and the note beside them.
    for (int i = 0; i < 3; ++i) {
        auto* image = place<QLabel>(&window_, Indexed("Image1", i), 180, 10500, 480, 480);
        image->setAlignment(Qt::AlignCenter);
        bind_.image(image, model_.Image1[static_cast<std::size_t>(i)],
                    pictureSource(kBigPictureTwips));
    }
    ClickLabel* note = noteLabel(&window_, 6, {780, 10380, 12735, 780});
    note->setWordWrap(true);
    note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void MainWindow::Builder::buildFoldersTab(QWidget* page) {
    FrmMain* m = &model_;
    auto* selTask = place<QPushButton>(page, QStringLiteral("SelTask"), 120, 120, 1560, 390);
    bind_.button(selTask, m->SelTask, [m] { m->SelTask_Click(); });
    textBox(page, QStringLiteral("TextTask"), m->TextTask, {1800, 135, 9600, 360}, kEntryColor);

    auto* label1 = place<QLabel>(page, QStringLiteral("Label1"), 1800, 600, 3000, 300);
    label1->setFont(font(kMediumPoints));
    bind_.label(label1, m->Label1);
    auto* allSub = place<QCheckBox>(page, QStringLiteral("CheckAllSub"), 6600, 570, 4800, 360);
    allSub->setFont(font(kLargePoints));
    bind_.check(allSub, m->CheckAllSub,
                [m](int value) { m->clickCheckBox(m->CheckAllSub, value); });

    struct ListButton {
        const char* name;
        const char* picture;
        Captioned& control;
        void (FrmMain::*click)();
        int top;
    };
    const ListButton buttons[] = {
        {"CommandNewDir", "folder-add", m->CommandNewDir, &FrmMain::CommandNewDir_Click, 990},
        {"CommandDelDir", "folder-remove", m->CommandDelDir, &FrmMain::CommandDelDir_Click, 1980},
        {"CommandClearDir", "folder-clear", m->CommandClearDir, &FrmMain::CommandClearDir_Click,
         2970},
    };
    for (const ListButton& b : buttons) {
        auto* button = pictureButton(page, QLatin1String(b.name), b.picture, kSmallPictureTwips,
                                     {120, b.top, 1560, 930});
        button->setFont(font(kMediumPoints));
        auto click = b.click;
        bind_.button(button, b.control, [m, click] { (m->*click)(); });
    }
    listBox(page, QStringLiteral("ListFromFolder"), m->ListFromFolder, {1800, 990, 9600, 2910},
            Qt::white);
}

void MainWindow::Builder::buildOptionsTab(QWidget* page) {
    buildTypesFrame(page);
    buildParametersFrame(page);
    FrmMain* m = &model_;
    auto* noCopy = place<QCheckBox>(page, QStringLiteral("CheckNoCopy"), 7260, 3090, 4200, 360);
    bind_.check(noCopy, m->CheckNoCopy,
                [m](int value) { m->clickCheckBox(m->CheckNoCopy, value); });
}

void MainWindow::Builder::buildTypesFrame(QWidget* page) {
    FrmMain* m = &model_;
    auto* frame = place<FramePanel>(page, QStringLiteral("Frame2"), 90, 30, 7050, 3900);
    frame->setCaptionFont(font(kLargePoints));
    SetColor(frame, QPalette::Window, kTypesColor);
    bind_.frame(frame, m->Frame2);

    // The rectangles go first, so every control lies over them.
    const QColor outline = frame->palette().color(QPalette::WindowText);
    const struct {
        const char* name;
        QRect twips;
    } shapes[] = {{"Shape1", {120, 330, 2250, 3480}},
                  {"Shape3", {2460, 330, 2130, 450}},
                  {"Shape2", {4680, 330, 2250, 3480}}};
    for (const auto& shape : shapes) {
        auto* rectangle = new FormShape(FormShape::Kind::Rectangle, outline, 1, frame);
        rectangle->setObjectName(QLatin1String(shape.name));
        rectangle->setGeometry(TwipsRect(shape.twips.x(), shape.twips.y(), shape.twips.width(),
                                         shape.twips.height(), dpi_));
    }

    // Three columns: only these types, all files, all but these types.
    const struct {
        int option;
        int left;
    } columns[] = {{1, 180}, {0, 2520}, {2, 4740}};
    for (const auto& column : columns) {
        const int width = column.option == 0 ? 2010 : 2130;
        auto* option = place<QRadioButton>(frame, Indexed("Option2", column.option), column.left,
                                           390, width, 330);
        const int index = column.option;
        bind_.option(option, m->Option2[static_cast<std::size_t>(index)],
                     [m, index] { m->selectOption2(index); });
    }

    listBox(frame, QStringLiteral("List3"), m->List3, {180, 750, 2130, 2550}, kTypeListColor);
    listBox(frame, QStringLiteral("List4"), m->List4, {4740, 750, 2130, 2550}, kTypeListColor);

    const struct {
        const char* add;
        Captioned& addControl;
        void (FrmMain::*addClick)();
        const char* entry;
        TextBox& entryControl;
        const char* remove;
        Captioned& removeControl;
        void (FrmMain::*removeClick)();
        int left;
    } rows[] = {
        {"Command4", m->Command4, &FrmMain::Command4_Click, "Text1", m->Text1, "Command5",
         m->Command5, &FrmMain::Command5_Click, 180},
        {"Command6", m->Command6, &FrmMain::Command6_Click, "Text7", m->Text7, "Command7",
         m->Command7, &FrmMain::Command7_Click, 4740},
    };
    for (const auto& row : rows) {
        auto* add = place<QPushButton>(frame, QLatin1String(row.add), row.left, 3390, 360, 360);
        add->setFont(font(kNormalPoints, true));
        auto addClick = row.addClick;
        bind_.button(add, row.addControl, [m, addClick] { (m->*addClick)(); });
        textBox(frame, QLatin1String(row.entry), row.entryControl,
                {row.left + 390, 3390, 1350, 360}, kEntryColor);
        auto* remove =
            place<QPushButton>(frame, QLatin1String(row.remove), row.left + 1770, 3390, 360, 360);
        remove->setFont(font(kNormalPoints, true));
        auto removeClick = row.removeClick;
        bind_.button(remove, row.removeControl, [m, removeClick] { (m->*removeClick)(); });
    }

    auto* code = place<QLabel>(frame, QStringLiteral("ImageQRCode"), 2655, 870, 1740, 1740);
    code->setAlignment(Qt::AlignCenter);
    bind_.image(code, m->ImageQRCode, pictureSource(1740));
    ClickLabel* hint = noteLabel(frame, 9, {2490, 2700, 2070, 1110});
    hint->setFont(font(kHintPoints));
    hint->setWordWrap(true);
    hint->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    SetColor(hint, QPalette::WindowText, kHintColor);
}

void MainWindow::Builder::buildParametersFrame(QWidget* page) {
    FrmMain* m = &model_;
    auto* frame = place<FramePanel>(page, QStringLiteral("Frame1"), 7260, 30, 4200, 2940);
    frame->setCaptionFont(font(kMediumPoints));
    frame->setCaptionColor(frame->palette().color(QPalette::Highlight));
    SetColor(frame, QPalette::Window, kParametersColor);
    bind_.frame(frame, m->Frame1);

    auto* check1 = place<QCheckBox>(frame, QStringLiteral("Check1"), 150, 360, 3000, 330);
    bind_.check(check1, m->Check1, [m](int value) { m->clickCheckBox(m->Check1, value); });
    auto* check2 = place<QCheckBox>(frame, QStringLiteral("Check2"), 150, 780, 1860, 330);
    bind_.check(check2, m->Check2, [m](int value) { m->clickCheckBox(m->Check2, value); });
    textBox(frame, QStringLiteral("Text3"), m->Text3, {2040, 780, 840, 330}, kEntryColor);
    noteLabel(frame, 8, {2940, 810, 1140, 300});

    auto* line = new FormShape(FormShape::Kind::Line, kLineColor, 3, frame);
    line->setObjectName(QStringLiteral("Line2"));
    line->setGeometry(TwipsRect(90, 1260, 4020, 45, dpi_));

    for (int i = 0; i < 3; ++i) {
        auto* option =
            place<QRadioButton>(frame, Indexed("Option1", i), 150, 1440 + 480 * i, 1860, 330);
        bind_.option(option, m->Option1[static_cast<std::size_t>(i)],
                     [m, i] { m->clickOption1(i); });
    }
    textBox(frame, QStringLiteral("Text5"), m->Text5, {2040, 1440, 540, 330}, kEntryColor);
    noteLabel(frame, 5, {2610, 1470, 270, 300});
    textBox(frame, QStringLiteral("Text6"), m->Text6, {2910, 1440, 540, 330}, kEntryColor);
    noteLabel(frame, 7, {3480, 1470, 270, 300});
    textBox(frame, QStringLiteral("Text4"), m->Text4, {2040, 1920, 540, 330}, kEntryColor);
    noteLabel(frame, 4, {2610, 1950, 1500, 300});
}

MainWindow::MainWindow(FrmMain& model, const Pictures& pictures, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      model_(model) {
    Builder(*this, model, pictures).build();
}

MainWindow::~MainWindow() = default;

void MainWindow::closeForGood() {
    closingForGood_ = true;
    close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (closingForGood_) {
        event->accept();
        return;
    }
    // Closing ends the program, at once or once a running pass has stopped; either way the end
    // comes through closeForGood.
    model_.Form_QueryUnload();
    if (closingForGood_) {
        event->accept();
    } else {
        event->ignore();
    }
}

}  // namespace tarnwick::qtview
