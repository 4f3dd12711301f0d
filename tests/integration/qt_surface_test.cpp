#include "platform/qt/qt_surface.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>

#include "app/program_state.h"
#include "common/ids.h"
#include "platform/platform.h"
#include "platform/qt/qt_gui.h"
#include "ui/skin_images.h"
#include "visual/bars.h"
#include "visual/screen.h"

namespace {

using namespace common;
using platform::qt::QtGui;
using platform::qt::QtSurface;

// The real drawing layer under the program's own bar code, on Qt's offscreen platform.
class QtSurfaceTest : public ::testing::Test {
 protected:
    void SetUp() override {
        app::ResetProgramState();
        platform::Bind({&gui, nullptr, &surface, nullptr});
        ASSERT_TRUE(gui.OpenWindow(MainWindow, 0, 0, 300, 140, "Vexa Radio"));
    }
    void TearDown() override {
        surface.CloseScreen();
        platform::Bind({});
        app::ResetProgramState();
    }

    QtGui gui;
    QtSurface surface{gui};
};

// Column 0 reddish, column 1 bluish, every row different.
Image BarPicture() {
    Image bar(2, 32);
    for (int y = 0; y < 32; ++y) {
        bar.Set(0, y, Rgb(255, 8 * y, 0));
        bar.Set(1, y, Rgb(0, 8 * y, 255));
    }
    return bar;
}

TEST_F(QtSurfaceTest, TheBarsOfAFixedSpectrumGiveExactlyTheExpectedFrame) {
    ui::Skin.Images[SpectrumBarImage] = BarPicture();
    ASSERT_TRUE(visual::OpenVisualScreen());
    const std::pair<int, float> values[] = {
        {1, 1.0f},        // top at 18: the whole sprite
        {5, 0.1f},        // top at 34: its top 16 rows
        {13, 0.046875f},  // 30.5 rounds to 30
        {289, 0.001f},    // only column 289 is on the screen
        {293, 1.0f},      // beyond the right edge
        {9, -1.0f},       // below the screen
    };
    for (const auto& [bar, value] : values) visual::Bars.SpectrumBuffer[bar] = value;

    visual::UpdateSpectrumBars();

    QImage expected(290, 50, QImage::Format_RGB32);
    expected.fill(Qt::black);
    const Image picture = BarPicture();
    for (const auto& [bar, value] : values) {
        const int top = visual::BarTop(bar, value);
        for (int dy = 0; dy < 32; ++dy) {
            for (int dx = 0; dx < 2; ++dx) {
                const int x = bar + dx;
                const int y = top + dy;
                if (x >= 290 || y < 0 || y >= 50) continue;
                const Colour c = picture.At(dx, dy);
                expected.setPixel(x, y, qRgb(Red(c), Green(c), Blue(c)));
            }
        }
    }
    const QImage& frame = surface.BackBuffer();
    ASSERT_EQ(frame.size(), expected.size());
    for (int y = 0; y < 50; ++y) {
        for (int x = 0; x < 290; ++x)
            ASSERT_EQ(frame.pixel(x, y) & 0xFFFFFF, expected.pixel(x, y) & 0xFFFFFF)
                << "pixel (" << x << ", " << y << ")";
    }
}

TEST_F(QtSurfaceTest, TheScreenIsAMouseTransparentAreaOfTheWindowAndClosingRemovesIt) {
    ASSERT_TRUE(surface.OpenScreen(MainWindow, 4, 4, 290, 50));
    QWidget* window = gui.WindowWidget(MainWindow);
    ASSERT_EQ(window->children().size(), 1);
    auto* area = qobject_cast<QWidget*>(window->children().front());
    ASSERT_NE(area, nullptr);
    EXPECT_EQ(area->geometry(), QRect(4, 4, 290, 50));
    EXPECT_TRUE(area->testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_EQ(surface.BackBuffer().pixel(10, 10) & 0xFFFFFF, 0u);

    surface.CloseScreen();

    EXPECT_TRUE(window->children().isEmpty());
    EXPECT_FALSE(surface.BeginScreenDrawing());
    EXPECT_FALSE(surface.DrawImageOnSprite(1, nullptr, 0, 0));
}

TEST_F(QtSurfaceTest, TextPaintsOnlyItsGlyphsInItsColour) {
    ASSERT_TRUE(surface.LoadFont("Comic Sans MS", 12));
    ASSERT_TRUE(surface.OpenScreen(MainWindow, 4, 4, 290, 50));
    surface.Clear(Rgb(0, 0, 40));

    ASSERT_TRUE(surface.DrawText(10, 10, "W", Rgb(250, 250, 0)));

    int glyph = 0;  // in the text's colour exactly
    int background = 0;
    const QImage& frame = surface.BackBuffer();
    for (int y = 0; y < 50; ++y) {
        for (int x = 0; x < 290; ++x) {
            const QRgb p = frame.pixel(x, y);
            if (qRed(p) == 250 && qGreen(p) == 250 && qBlue(p) == 0) ++glyph;
            if (qRed(p) == 0 && qGreen(p) == 0 && qBlue(p) == 40) ++background;
        }
    }
    EXPECT_GT(glyph, 0);
    // The rest is the background, apart from the glyph's own edge pixels.
    EXPECT_GT(background, 290 * 50 - 300);
    EXPECT_LT(background, 290 * 50 - 20);
    EXPECT_GT(surface.TextWidth("W"), 8);
    EXPECT_EQ(surface.TextWidth(""), 0);
}

}  // namespace
