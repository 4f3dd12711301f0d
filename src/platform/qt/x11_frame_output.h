#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>
#include <cstdint>
#include <memory>

namespace platform::qt {

// Puts frames straight into a top-level X window, past Qt's backing store: a repaint would
// compose the frame into the backing store, put it into a server pixmap and copy that to the
// window, twice the requests and several copies for every frame. On a local server the frames
// go through memory shared with it, so a frame costs a request of a few bytes instead of
// pushing its pixels through the socket; elsewhere they go in the request. Only for 24-bit
// windows with 32-bit pixels, the layout of QImage::Format_RGB32; Create answers null anywhere
// else (another depth, another platform) and the caller repaints instead. Main thread only.
class X11FrameOutput {
 public:
    static std::unique_ptr<X11FrameOutput> Create(const QWidget& area);
    ~X11FrameOutput();
    X11FrameOutput(const X11FrameOutput&) = delete;
    X11FrameOutput& operator=(const X11FrameOutput&) = delete;

    // Whether the area's window is still the X window this output was made for (Qt makes a new
    // one when a window's kind changes).
    bool StillFor(const QWidget& area) const;

    // Sends `frame` (RGB32, the area's size) to the area's place in its window and flushes it
    // to the server.
    void Put(const QImage& frame);

    // Whether frames go through shared memory.
    bool Shared() const { return shared_.memory != nullptr; }

 private:
    // Two frames' room mapped by both sides: a frame is written into the half the server did
    // not read last.
    struct SharedFrames {
        std::uint32_t segment = 0;
        unsigned char* memory = nullptr;
        std::size_t frame_bytes = 0;
        int next_half = 0;
    };

    X11FrameOutput(void* connection, std::uint32_t window, std::uint32_t gc, QPoint place);
    void ShareFrames(QSize size);
    void PutShared(const QImage& frame);
    void PutInRequest(const QImage& frame);

    void* connection_;  // xcb_connection_t, kept out of this header
    std::uint32_t window_;
    std::uint32_t gc_;
    QPoint place_;
    SharedFrames shared_;
};

}  // namespace platform::qt
