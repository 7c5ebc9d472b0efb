#include "view-qt/main_window.h"

#include <QCloseEvent>
#include <QTimer>

#include "ui/form_layout.h"
#include "ui/frm_main.h"
#include "view-qt/form_builder.h"
#include "view-qt/pictures.h"

namespace tarnwick::qtview {

MainWindow::MainWindow(FrmMain& model, const Pictures& pictures, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      model_(model) {
    setWindowTitle(QString::fromStdString(model_.windowCaption()));
    setWindowIcon(pictures.icon(QStringLiteral("app")));
    FormBuilder(*this, pictures, binder_).build(form::MainWindowLayout(), model_);

    auto* timer = new QTimer(this);
    timer->setObjectName(QStringLiteral("Timer1"));
    FrmMain* m = &model_;
    binder_.timer(timer, model_.Timer1, [m] { m->Timer1_Timer(); });
}

MainWindow::~MainWindow() = default;

void MainWindow::bringBack() {
    if (isMinimized()) {
        showNormal();
    } else {
        show();
    }
    raise();
    activateWindow();
}

void MainWindow::minimize() {
    showMinimized();
}

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

void MainWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange && isMaximized()) {
        setWindowState(windowState() & ~Qt::WindowMaximized);
    }
    QWidget::changeEvent(event);
}

}  // namespace tarnwick::qtview
