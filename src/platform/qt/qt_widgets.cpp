#include "platform/qt/qt_widgets.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

#include "platform/qt/qt_image.h"

namespace platform::qt {

TopWindow::TopWindow(std::function<void()> on_close_requested, std::function<void()> on_moved)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      on_close_requested_(std::move(on_close_requested)),
      on_moved_(std::move(on_moved)) {}

void TopWindow::SetSkin(const common::Image* image) {
    skin_ = image ? ToQImage(*image) : QImage();
    repaint();
}

void TopWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    on_close_requested_();
}

void TopWindow::moveEvent(QMoveEvent*) { on_moved_(); }

// The background (erased by Qt in the window's colour) shows in row 0 and column 0; the image's
// last row and column fall outside the window.
void TopWindow::paintEvent(QPaintEvent*) {
    if (skin_.isNull()) return;
    QPainter painter(this);
    painter.drawImage(QPoint(1, 1), skin_);
}

ImageButton::ImageButton(QWidget* parent, QSize size_without_image, std::function<void()> on_used)
    : QLabel(parent), size_without_image_(size_without_image), on_used_(std::move(on_used)) {
    resize(size_without_image_);
}

void ImageButton::SetImage(const common::Image* image) {
    if (image) {
        setPixmap(QPixmap::fromImage(ToQImage(*image)));
        resize(image->width, image->height);
    } else {
        clear();
        resize(size_without_image_);
    }
    repaint();
}

// Accepting the press keeps it from travelling on to the window, where it would count as a
// press on the background.
void ImageButton::mousePressEvent(QMouseEvent* event) {
    event->accept();
    on_used_();
}

void ImageButton::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    on_used_();
}

}  // namespace platform::qt
