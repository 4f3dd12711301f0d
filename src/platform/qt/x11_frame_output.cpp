#include "platform/qt/x11_frame_output.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <cstdlib>

namespace platform::qt {
namespace {

constexpr int kWindowDepth = 24;
constexpr int kBitsPerPixel = 32;

xcb_connection_t* Connection() {
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

int WindowDepth(xcb_connection_t* connection, xcb_window_t window) {
    xcb_get_geometry_reply_t* reply =
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr);
    const int depth = reply ? reply->depth : 0;
    std::free(reply);
    return depth;
}

bool ServerUsesBitsPerPixel(xcb_connection_t* connection, int depth, int bits) {
    const xcb_setup_t* setup = xcb_get_setup(connection);
    if (setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST) return false;
    for (auto format = xcb_setup_pixmap_formats_iterator(setup); format.rem;
         xcb_format_next(&format)) {
        if (format.data->depth == depth) return format.data->bits_per_pixel == bits;
    }
    return false;
}

bool FitsOneRequest(xcb_connection_t* connection, QSize size) {
    constexpr std::uint64_t kPutImageHeader = 24;
    const std::uint64_t bytes =
        kPutImageHeader + static_cast<std::uint64_t>(size.width()) * size.height() * 4;
    return bytes <= static_cast<std::uint64_t>(xcb_get_maximum_request_length(connection)) * 4;
}

}  // namespace

std::unique_ptr<X11FrameOutput> X11FrameOutput::Create(const QWidget& area) {
    xcb_connection_t* connection = Connection();
    const QWidget* top = area.window();
    if (!connection || !top) return nullptr;
    const auto window = static_cast<xcb_window_t>(top->winId());
    if (WindowDepth(connection, window) != kWindowDepth ||
        !ServerUsesBitsPerPixel(connection, kWindowDepth, kBitsPerPixel) ||
        !FitsOneRequest(connection, area.size())) {
        return nullptr;
    }
    const xcb_gcontext_t gc = xcb_generate_id(connection);
    const std::uint32_t no_exposures = 0;
    xcb_create_gc(connection, gc, window, XCB_GC_GRAPHICS_EXPOSURES, &no_exposures);
    return std::unique_ptr<X11FrameOutput>(
        new X11FrameOutput(connection, window, gc, area.mapTo(top, QPoint(0, 0))));
}

bool X11FrameOutput::StillFor(const QWidget& area) const {
    const QWidget* top = area.window();
    return top && static_cast<std::uint32_t>(top->internalWinId()) == window_;
}

X11FrameOutput::X11FrameOutput(void* connection, std::uint32_t window, std::uint32_t gc,
                               QPoint place)
    : connection_(connection), window_(window), gc_(gc), place_(place) {}

X11FrameOutput::~X11FrameOutput() {
    auto* connection = static_cast<xcb_connection_t*>(connection_);
    xcb_free_gc(connection, gc_);
    xcb_flush(connection);
}

void X11FrameOutput::Put(const QImage& frame) {
    auto* connection = static_cast<xcb_connection_t*>(connection_);
    xcb_put_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, window_, gc_,
                  static_cast<std::uint16_t>(frame.width()),
                  static_cast<std::uint16_t>(frame.height()), static_cast<std::int16_t>(place_.x()),
                  static_cast<std::int16_t>(place_.y()), 0, kWindowDepth,
                  static_cast<std::uint32_t>(frame.sizeInBytes()), frame.constBits());
    xcb_flush(connection);
}

}  // namespace platform::qt
