// The frame output on a real X server: frames put into a window read back exactly, frame after
// frame, whichever way they travel. VEXA_EXPECT_SHARED says which way this display should take:
// "1" through shared memory (a local server), "0" in the requests (a server over TCP).
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <cstdlib>
#include <memory>

#include "platform/qt/qt_application.h"
#include "platform/qt/x11_frame_output.h"

namespace {

using platform::qt::X11FrameOutput;

constexpr int kWidth = 290;
constexpr int kHeight = 50;
const QPoint kPlace(4, 4);

xcb_connection_t* Connection() {
    return qApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
}

// Every pixel differs from its neighbours and from the same pixel of the other seeds' frames.
QImage Pattern(int seed) {
    QImage frame(kWidth, kHeight, QImage::Format_RGB32);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x)
            frame.setPixel(x, y,
                           qRgb((x + seed * 50) % 256, (y * 5 + seed * 90) % 256,
                                (x * 3 + y + seed * 30) % 256));
    }
    return frame;
}

// What the server holds at the area's place, read back in one request.
QImage WindowContent(const QWidget& window) {
    xcb_connection_t* connection = Connection();
    xcb_get_image_reply_t* reply = xcb_get_image_reply(
        connection,
        xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP,
                      static_cast<xcb_drawable_t>(window.winId()),
                      static_cast<std::int16_t>(kPlace.x()), static_cast<std::int16_t>(kPlace.y()),
                      kWidth, kHeight, ~0u),
        nullptr);
    if (!reply) return {};
    const QImage content(xcb_get_image_data(reply), kWidth, kHeight, kWidth * 4,
                         QImage::Format_RGB32);
    QImage copy = content.copy();
    std::free(reply);
    return copy;
}

void ExpectSamePixels(const QImage& shown, const QImage& sent) {
    ASSERT_EQ(shown.size(), sent.size());
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x)
            ASSERT_EQ(shown.pixel(x, y) & 0xFFFFFF, sent.pixel(x, y) & 0xFFFFFF)
                << "pixel (" << x << ", " << y << ")";
    }
}

class X11FrameOutputTest : public ::testing::Test {
 protected:
    void SetUp() override {
        window.setFixedSize(300, 60);
        area = new QWidget(&window);
        area->setGeometry(QRect(kPlace, QSize(kWidth, kHeight)));
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    QWidget window;
    QWidget* area = nullptr;
};

TEST_F(X11FrameOutputTest, FramesReadBackExactlyOneAfterAnother) {
    std::unique_ptr<X11FrameOutput> output = X11FrameOutput::Create(*area);
    ASSERT_NE(output, nullptr);
    EXPECT_EQ(output->Shared(), std::getenv("VEXA_EXPECT_SHARED") == std::string("1"));
    // Three frames: the shared memory's two halves, then the first half again.
    for (int seed = 0; seed < 3; ++seed) {
        const QImage frame = Pattern(seed);
        output->Put(frame);
        ExpectSamePixels(WindowContent(window), frame);
    }
}

TEST_F(X11FrameOutputTest, AnOutputEndsCleanlyAndANewOneTakesOver) {
    X11FrameOutput::Create(*area)->Put(Pattern(1));
    std::unique_ptr<X11FrameOutput> output = X11FrameOutput::Create(*area);
    ASSERT_NE(output, nullptr);
    output->Put(Pattern(2));
    ExpectSamePixels(WindowContent(window), Pattern(2));
    EXPECT_EQ(xcb_connection_has_error(Connection()), 0);
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    platform::qt::PreferX11();
    auto application = platform::qt::CreateApplication(argc, argv);
    return RUN_ALL_TESTS();
}
