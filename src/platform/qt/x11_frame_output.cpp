#include "platform/qt/x11_frame_output.h"

#include <sys/mman.h>
#include <sys/socket.h>
#include <unistd.h>
#include <xcb/shm.h>
#include <xcb/xcb.h>

#include <QGuiApplication>
#include <cstdlib>
#include <cstring>

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

// Memory can only be handed over to a server on this machine, through the connection's Unix
// socket; xcb would drop a connection that cannot carry it.
bool LocalServer(xcb_connection_t* connection) {
    sockaddr_storage address{};
    socklen_t length = sizeof(address);
    const int socket = xcb_get_file_descriptor(connection);
    return getsockname(socket, reinterpret_cast<sockaddr*>(&address), &length) == 0 &&
           address.ss_family == AF_UNIX;
}

// Version 1.2 takes the memory as a file descriptor.
bool ServerTakesMemory(xcb_connection_t* connection) {
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(connection, &xcb_shm_id);
    if (!extension || !extension->present) return false;
    xcb_shm_query_version_reply_t* version =
        xcb_shm_query_version_reply(connection, xcb_shm_query_version(connection), nullptr);
    const bool takes_fd = version && (version->major_version > 1 ||
                                      (version->major_version == 1 && version->minor_version >= 2));
    std::free(version);
    return takes_fd;
}

// Memory of `bytes` bytes the server has mapped too (read-only), or null.
unsigned char* ShareMemory(xcb_connection_t* connection, std::uint32_t segment, std::size_t bytes) {
    const int fd = memfd_create("vexa-radio-frames", MFD_CLOEXEC);
    if (fd < 0) return nullptr;
    void* memory = MAP_FAILED;
    if (ftruncate(fd, static_cast<off_t>(bytes)) == 0)
        memory = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (memory == MAP_FAILED) {
        close(fd);
        return nullptr;
    }
    // xcb closes the descriptor once it is sent.
    xcb_generic_error_t* error =
        xcb_request_check(connection, xcb_shm_attach_fd_checked(connection, segment, fd, 1));
    if (error) {
        std::free(error);
        munmap(memory, bytes);
        return nullptr;
    }
    return static_cast<unsigned char*>(memory);
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
    std::unique_ptr<X11FrameOutput> output(
        new X11FrameOutput(connection, window, gc, area.mapTo(top, QPoint(0, 0))));
    if (LocalServer(connection) && ServerTakesMemory(connection)) output->ShareFrames(area.size());
    return output;
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
    if (Shared()) {
        xcb_shm_detach(connection, shared_.segment);
        munmap(shared_.memory, 2 * shared_.frame_bytes);
    }
    xcb_free_gc(connection, gc_);
    xcb_flush(connection);
}

void X11FrameOutput::ShareFrames(QSize size) {
    auto* connection = static_cast<xcb_connection_t*>(connection_);
    const auto frame_bytes = static_cast<std::size_t>(size.width()) * size.height() * 4;
    const std::uint32_t segment = xcb_generate_id(connection);
    unsigned char* memory = ShareMemory(connection, segment, 2 * frame_bytes);
    if (memory) shared_ = {segment, memory, frame_bytes, 0};
}

void X11FrameOutput::Put(const QImage& frame) {
    if (Shared() && static_cast<std::size_t>(frame.sizeInBytes()) == shared_.frame_bytes) {
        PutShared(frame);
    } else {
        PutInRequest(frame);
    }
    xcb_flush(static_cast<xcb_connection_t*>(connection_));
}

// The server reads the memory when it carries the request out, after this returns: the next
// frame goes into the other half, so a frame is only overwritten once the server has had a
// whole frame's time to show it.
void X11FrameOutput::PutShared(const QImage& frame) {
    const std::size_t offset = shared_.frame_bytes * static_cast<std::size_t>(shared_.next_half);
    std::memcpy(shared_.memory + offset, frame.constBits(), shared_.frame_bytes);
    xcb_shm_put_image(
        static_cast<xcb_connection_t*>(connection_), window_, gc_,
        static_cast<std::uint16_t>(frame.width()), static_cast<std::uint16_t>(frame.height()), 0, 0,
        static_cast<std::uint16_t>(frame.width()), static_cast<std::uint16_t>(frame.height()),
        static_cast<std::int16_t>(place_.x()), static_cast<std::int16_t>(place_.y()), kWindowDepth,
        XCB_IMAGE_FORMAT_Z_PIXMAP, 0, shared_.segment, static_cast<std::uint32_t>(offset));
    shared_.next_half = 1 - shared_.next_half;
}

void X11FrameOutput::PutInRequest(const QImage& frame) {
    auto* connection = static_cast<xcb_connection_t*>(connection_);
    xcb_put_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, window_, gc_,
                  static_cast<std::uint16_t>(frame.width()),
                  static_cast<std::uint16_t>(frame.height()), static_cast<std::int16_t>(place_.x()),
                  static_cast<std::int16_t>(place_.y()), 0, kWindowDepth,
                  static_cast<std::uint32_t>(frame.sizeInBytes()), frame.constBits());
}

}  // namespace platform::qt
