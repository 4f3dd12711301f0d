#include "platform/qt/qt_surface.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QWidget>
#include <cmath>
#include <cstring>
#include <thread>

#include "platform/qt/qt_gui.h"
#include "platform/qt/qt_image.h"

namespace platform::qt {

// The child area: shows the front buffer, lets the mouse through to the window, and never has
// its background erased (a repaint shows the last frame again).
class ScreenArea final : public QWidget {
 public:
    ScreenArea(QWidget* parent, const QImage& frame) : QWidget(parent), frame_(frame) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setAttribute(Qt::WA_NoSystemBackground);
    }

 protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawImage(0, 0, frame_);
    }

 private:
    const QImage& frame_;
};

namespace {

constexpr double kFallbackRefreshHz = 60.0;

QRgb ToQRgb(common::Colour colour) {
    return qRgb(common::Red(colour), common::Green(colour), common::Blue(colour));
}

// Copies `source` onto `target` at (x, y), cut at the target's edges. Rows go through raw
// pointers: QImage's per-row accessors check for sharing on every call, and the 128 bars of
// every frame are many short rows.
void Blit(const QImage& source, QImage& target, int x, int y) {
    const int left = std::max(0, -x);
    const int right = std::min(source.width(), target.width() - x);
    const int top = std::max(0, -y);
    const int bottom = std::min(source.height(), target.height() - y);
    if (right <= left || bottom <= top) return;
    const uchar* from_bits = source.constBits();
    uchar* to_bits = target.bits();
    const auto bytes = sizeof(QRgb) * static_cast<std::size_t>(right - left);
    for (int row = top; row < bottom; ++row) {
        const auto* from =
            reinterpret_cast<const QRgb*>(from_bits + row * source.bytesPerLine()) + left;
        auto* to = reinterpret_cast<QRgb*>(to_bits + (y + row) * target.bytesPerLine()) + x + left;
        std::memcpy(to, from, bytes);
    }
}

// Lays a premultiplied glyph over an opaque buffer: only the glyph's own pixels change. Rows go
// through raw pointers, as in Blit.
void Blend(const QImage& glyph, QImage& target, int x, int y) {
    const int first_row = std::max(0, -y), end_row = std::min(glyph.height(), target.height() - y);
    const int first_column = std::max(0, -x);
    const int end_column = std::min(glyph.width(), target.width() - x);
    if (first_row >= end_row || first_column >= end_column) return;
    const uchar* from_bits = glyph.constBits();
    uchar* to_bits = target.bits();
    for (int row = first_row; row < end_row; ++row) {
        const auto* from = reinterpret_cast<const QRgb*>(from_bits + row * glyph.bytesPerLine());
        auto* to = reinterpret_cast<QRgb*>(to_bits + (y + row) * target.bytesPerLine()) + x;
        for (int column = first_column; column < end_column; ++column) {
            const QRgb source = from[column];
            const int alpha = qAlpha(source);
            if (alpha == 0) continue;
            QRgb& dest = to[column];
            const int keep = 255 - alpha;
            dest = qRgb(qRed(source) + qRed(dest) * keep / 255,
                        qGreen(source) + qGreen(dest) * keep / 255,
                        qBlue(source) + qBlue(dest) * keep / 255);
        }
    }
}

}  // namespace

QtSurface::QtSurface(QtGui& gui) : gui_(gui) {}

QtSurface::~QtSurface() { CloseScreen(); }

// The frames are composed in 15, 16, 24 or 32-bit colour; other displays cannot show them.
bool QtSurface::Initialise() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return false;
    const int depth = screen->depth();
    return depth == 15 || depth == 16 || depth == 24 || depth == 32;
}

void QtSurface::Release() { CloseScreen(); }

// Points are turned into pixels at the display's density: 12 points are 16 pixels at 96 dpi.
bool QtSurface::LoadFont(const std::string& face, int points) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
    font_ = QFont(QString::fromStdString(face));
    font_.setPixelSize(static_cast<int>(std::lround(points * dpi / 72.0)));
    glyphs_.clear();
    widths_.clear();
    return true;
}

bool QtSurface::OpenScreen(int window, int x, int y, int width, int height) {
    CloseScreen();
    QWidget* parent = gui_.WindowWidget(window);
    if (!parent || width <= 0 || height <= 0) return false;
    back_ = QImage(width, height, QImage::Format_RGB32);
    back_.fill(Qt::black);
    front_ = back_.copy();
    parent_ = parent;
    area_ = new ScreenArea(parent, front_);
    area_->setGeometry(x, y, width, height);
    area_->show();
    output_ = X11FrameOutput::Create(*area_);
    unusable_ = false;
    const QScreen* screen = parent->screen();
    const double hz =
        screen && screen->refreshRate() > 1 ? screen->refreshRate() : kFallbackRefreshHz;
    frame_period_ = std::chrono::duration_cast<std::chrono::steady_clock::duration>(
        std::chrono::duration<double>(1.0 / hz));
    next_frame_ = std::chrono::steady_clock::now();
    return true;
}

// The window repaints the place with its skin.
void QtSurface::CloseScreen() {
    output_.reset();
    sprites_.clear();
    if (area_) delete area_.data();
    if (parent_) parent_->update();
    parent_ = nullptr;
    back_ = QImage();
    front_ = QImage();
}

// A screen whose area went away with its window presents nothing until it is opened again.
void QtSurface::Present() {
    if (back_.isNull() || unusable_) return;
    if (!area_) {
        unusable_ = true;
        return;
    }
    std::memcpy(front_.bits(), back_.constBits(), static_cast<std::size_t>(back_.sizeInBytes()));
    std::this_thread::sleep_until(next_frame_);
    Show();
    ScheduleNextFrame();
}

// The front buffer stays what the area paints, so a repaint of the window by Qt shows the last
// frame too.
void QtSurface::Show() {
    if (output_ && !output_->StillFor(*area_)) output_ = X11FrameOutput::Create(*area_);
    if (output_) {
        output_->Put(front_);
    } else {
        area_->repaint();
    }
}

// Absolute deadlines keep the pace from drifting; a late frame starts a new schedule. The loop
// waits for events until the deadline, so the sleep before the next frame is only left to do
// when an event cut that wait short.
void QtSurface::ScheduleNextFrame() {
    const auto now = std::chrono::steady_clock::now();
    next_frame_ += frame_period_;
    if (next_frame_ < now) next_frame_ = now;
    gui_.HoldWaitsUntil(next_frame_);
}

void QtSurface::Clear(common::Colour colour) {
    if (!back_.isNull()) back_.fill(ToQRgb(colour));
}

void QtSurface::CreateSprite(int number, int width, int height) {
    if (back_.isNull() || width <= 0 || height <= 0) return;
    QImage sprite(width, height, QImage::Format_RGB32);
    sprite.fill(Qt::black);
    sprites_[number] = sprite;
}

bool QtSurface::DrawImageOnSprite(int number, const common::Image* image, int x, int y) {
    auto found = sprites_.find(number);
    if (found == sprites_.end()) return false;
    if (image) Blit(ToQImage(*image), found->second, x, y);
    return true;
}

void QtSurface::DisplaySprite(int number, int x, int y) {
    auto found = sprites_.find(number);
    if (found != sprites_.end() && !back_.isNull()) Blit(found->second, back_, x, y);
}

bool QtSurface::DrawText(int x, int y, const std::string& text, common::Colour colour) {
    if (back_.isNull()) return false;
    if (!text.empty()) Blend(GlyphFor(text, colour).image, back_, x, y);
    return true;
}

int QtSurface::TextWidth(const std::string& text) {
    auto found = widths_.find(text);
    if (found != widths_.end()) return found->second;
    const int width = QFontMetrics(font_).horizontalAdvance(QString::fromStdString(text));
    widths_.emplace(text, width);
    return width;
}

// Rendered once per text and colour: laying text out every frame would cost far more than the
// rest of the frame.
const QtSurface::Glyph& QtSurface::GlyphFor(const std::string& text, common::Colour colour) {
    auto& glyphs = glyphs_[colour];
    auto found = glyphs.find(text);
    if (found != glyphs.end()) return found->second;
    const QFontMetrics metrics(font_);
    const QString string = QString::fromStdString(text);
    const QRect bounds = metrics.boundingRect(string);
    const int width = std::max(metrics.horizontalAdvance(string), bounds.right() + 1) + 2;
    QImage image(std::max(width, 1), std::max(metrics.height(), 1),
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setFont(font_);
    painter.setPen(QColor(ToQRgb(colour)));
    painter.drawText(0, metrics.ascent(), string);
    painter.end();
    return glyphs.emplace(text, Glyph{image}).first->second;
}

}  // namespace platform::qt
