#pragma once

#include <QImage>
#include <QLabel>
#include <QWidget>
#include <functional>

#include "common/image.h"

namespace platform::qt {

// A borderless top-level window. Close requests never close it: they are reported instead, and
// the program decides.
class TopWindow final : public QWidget {
 public:
    TopWindow(std::function<void()> on_close_requested, std::function<void()> on_moved);

    // Paints the image from pixel (1, 1) on; null shows only the background.
    void SetSkin(const common::Image* image);

 protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

 private:
    std::function<void()> on_close_requested_;
    std::function<void()> on_moved_;
    QImage skin_;
};

// A picture that reports every press and double click, whatever the button.
class ImageButton final : public QLabel {
 public:
    ImageButton(QWidget* parent, QSize size_without_image, std::function<void()> on_used);

    // Takes the image's size (or the creation size without one) and repaints before returning.
    void SetImage(const common::Image* image);

 protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
    QSize size_without_image_;
    std::function<void()> on_used_;
};

}  // namespace platform::qt
