#pragma once

#include <QFont>
#include <QImage>
#include <QPointer>
#include <chrono>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>

#include "platform/qt/x11_frame_output.h"
#include "platform/surface.h"

namespace platform::qt {

class QtGui;
class ScreenArea;

// The software drawing layer: a mouse-transparent child widget showing a front buffer, a back
// buffer drawn into between presents, sprites as small images and text from a glyph cache.
// Presenting copies the back buffer to the front, waits for the frame's time (one refresh period
// after the last, on an absolute deadline) and sends it to the display at once (straight to the
// X window where it can, else by a synchronous repaint).
class QtSurface final : public Surface {
 public:
    explicit QtSurface(QtGui& gui);
    ~QtSurface() override;

    bool Initialise() override;
    void Release() override;
    bool LoadFont(const std::string& face, int points) override;
    bool OpenScreen(int window, int x, int y, int width, int height) override;
    void CloseScreen() override;
    void Present() override;
    void Clear(common::Colour colour) override;
    void CreateSprite(int number, int width, int height) override;
    bool DrawImageOnSprite(int number, const common::Image* image, int x, int y) override;
    void DisplaySprite(int number, int x, int y) override;
    bool BeginScreenDrawing() override { return !back_.isNull(); }
    void EndScreenDrawing() override {}
    bool DrawText(int x, int y, const std::string& text, common::Colour colour) override;
    int TextWidth(const std::string& text) override;

    // The back buffer, for tests.
    const QImage& BackBuffer() const { return back_; }

 private:
    struct Glyph {
        QImage image;  // premultiplied ARGB, the cell's top-left at (0, 0)
    };
    const Glyph& GlyphFor(const std::string& text, common::Colour colour);
    void Show();
    void ScheduleNextFrame();

    QtGui& gui_;
    QPointer<ScreenArea> area_;
    QPointer<QWidget> parent_;
    std::unique_ptr<X11FrameOutput> output_;
    bool unusable_ = false;
    QImage back_;
    QImage front_;
    std::map<int, QImage> sprites_;
    QFont font_;
    // By colour, then text: a look-up builds no key.
    std::unordered_map<common::Colour, std::unordered_map<std::string, Glyph>> glyphs_;
    std::unordered_map<std::string, int> widths_;
    std::chrono::steady_clock::duration frame_period_{};
    std::chrono::steady_clock::time_point next_frame_{};
};

}  // namespace platform::qt
