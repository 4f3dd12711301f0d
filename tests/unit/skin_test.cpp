#include <gtest/gtest.h>

#include "common/ids.h"
#include "fakes/program_fixture.h"
#include "ui/skin_images.h"
#include "ui/window_shape.h"

namespace {

using namespace common;
using fakes::Message;

class SkinTest : public fakes::ProgramTest {
 protected:
    void SetUp() override {
        ProgramTest::SetUp();
        ui::Skin.SkinFolder = "Graph/";
    }
    Image Pressed(const Image& source) {
        ui::Skin.Images[PlayImage] = source;
        ui::Skin.Images[PlayPressedImage] = Image(source.width, source.height);
        ui::MakePressedCopy(PlayImage, PlayPressedImage);
        return ui::Skin.Images[PlayPressedImage];
    }
};

TEST_F(SkinTest, APressedCopyHalvesEveryChannelButLeavesTheTopRowAndLeftColumnBlack) {
    const std::pair<Colour, Colour> colours[] = {{Rgb(255, 255, 255), Rgb(127, 127, 127)},
                                                 {Rgb(254, 3, 100), Rgb(127, 1, 50)},
                                                 {Rgb(1, 0, 2), Rgb(0, 0, 1)}};
    for (const auto& [source, darkened] : colours) {
        const Image copy = Pressed(Image(40, 25, source));
        ASSERT_EQ(copy.width, 40);
        ASSERT_EQ(copy.height, 25);
        for (int y = 0; y < 25; ++y) {
            for (int x = 0; x < 40; ++x)
                ASSERT_EQ(copy.At(x, y), x == 0 || y == 0 ? kBlack : darkened) << x << "," << y;
        }
    }
}

TEST_F(SkinTest, ThinSourcesGiveAllBlackCopies) {
    for (const Image& source : {Image(1, 1, kWhite), Image(40, 1, kWhite), Image(1, 25, kWhite)}) {
        const Image copy = Pressed(source);
        EXPECT_EQ(copy.pixels, std::vector<Colour>(copy.pixels.size(), kBlack));
    }
}

TEST_F(SkinTest, EveryMissingFileIsReportedInTheLoadingOrderAndTheTextStaysBlack) {
    ui::LoadSkinImages();

    std::vector<Message> expected;
    for (const char* name : {"skin.jpg", "list.jpg", "ajout.jpg", "retire.jpg", "play.jpg",
                             "record.jpg", "pause.jpg", "stop.jpg", "oscillo.jpg", "Coul_text.jpg"})
        expected.push_back({"Erreur", std::string("il manque l'image '") + name + "'"});
    EXPECT_EQ(system.messages, expected);
    EXPECT_EQ(ui::Skin.TextColour, kBlack);
    for (const Image& image : ui::Skin.Images) EXPECT_TRUE(image.Empty());
}

TEST_F(SkinTest, AMissingFileIsReportedAtItsPlaceAndTheRestLoads) {
    MakeSkinFolder();
    system.image_files.erase("Graph/record.jpg");

    ui::LoadSkinImages();

    EXPECT_EQ(system.messages,
              (std::vector<Message>{{"Erreur", "il manque l'image 'record.jpg'"}}));
    const int message = log.IndexOf("system.MessageBox Erreur: il manque l'image 'record.jpg'");
    EXPECT_LT(log.IndexOf("system.LoadImage Graph/play.jpg"), message);
    EXPECT_LT(message, log.IndexOf("system.LoadImage Graph/pause.jpg"));
    EXPECT_TRUE(ui::Skin.Images[RecordImage].Empty());
    EXPECT_TRUE(ui::Skin.Images[RecordPressedImage].Empty());
    EXPECT_EQ(ui::Skin.Images[PlayPressedImage].width, 40);
    EXPECT_EQ(ui::Skin.Images[PausePressedImage].At(5, 5), Rgb(100, 100, 100));
    EXPECT_EQ(ui::Skin.Images[AddPressedImage].width, 20);
}

TEST_F(SkinTest, TheTextColourIsTheSamplesSecondPixelOfItsSecondRow) {
    MakeSkinFolder();
    Image sample(4, 4, Rgb(1, 2, 3));
    sample.Set(1, 1, Rgb(250, 200, 10));
    system.image_files["Graph/Coul_text.jpg"] = sample;

    ui::LoadSkinImages();

    EXPECT_EQ(ui::Skin.TextColour, Rgb(250, 200, 10));
}

// Builds an image of `height` rows in one column from a string: 'W' white, 'w' almost white.
Image Column(const std::string& rows) {
    Image image(1, static_cast<int>(rows.size()), Rgb(20, 20, 20));
    for (int y = 0; y < image.height; ++y) {
        if (rows[y] == 'W') image.Set(0, y, kWhite);
        if (rows[y] == 'w') image.Set(0, y, Rgb(254, 255, 255));
    }
    return image;
}

std::string KeptRows(const Mask& mask) {
    std::string rows;
    for (int y = 0; y < mask.height; ++y) rows += mask.Kept(0, y) ? '.' : 'x';
    return rows;
}

TEST(ShapeMaskTest, EachWhiteRunIsCutWithThePixelBelowIt) {
    struct Case {
        const char* what;
        std::string column;
        std::string kept;
    };
    const Case cases[] = {
        {"no white", "......", "......"},
        {"all white", "WWWWWW", "xxxxxx"},
        {"a run and the pixel under it", "..WW...", "..xxx.."},
        {"a run reaching the bottom", "....WW", "....xx"},
        {"almost white is kept", "..ww..", "......"},
        {"two runs split by one pixel", ".WW.WW..", ".xxxxxx."},
        {"a run at the top", "W.....", "xx...."},
    };
    for (const Case& c : cases) {
        Image image = Column(c.column);
        EXPECT_EQ(KeptRows(ui::ShapeMask(image, kWhite)), c.kept) << c.what;
    }
}

TEST(ShapeMaskTest, RowsTenToNineteenWhiteLoseRowsTenToTwenty) {
    std::string column(140, '.');
    column.replace(10, 10, std::string(10, 'W'));
    column.replace(130, 10, std::string(10, 'W'));
    std::string kept(140, '.');
    kept.replace(10, 11, std::string(11, 'x'));
    kept.replace(130, 10, std::string(10, 'x'));

    EXPECT_EQ(KeptRows(ui::ShapeMask(Column(column), kWhite)), kept);
}

TEST_F(SkinTest, ShapingFitsTheSkinToTheWindowAndPaintsBothWindows) {
    gui.OpenWindow(MainWindow, 0, 0, 300, 140, "Vexa Radio");
    gui.OpenWindow(PlaylistWindow, 0, 140, 300, 180, "Mp3_list");
    Image skin(300, 140, Rgb(10, 10, 10));
    for (int x = 0; x < 300; ++x) skin.Set(x, 0, kWhite);
    ui::Skin.Images[SkinImage] = skin;

    ui::ShapeWindow(PlaylistWindow, SkinImage, kWhite);

    const Image& resized = ui::Skin.Images[SkinImage];
    EXPECT_EQ(resized.width, 300);
    EXPECT_EQ(resized.height, 180);
    const Mask& shape = gui.windows[PlaylistWindow].shape;
    ASSERT_EQ(shape.height, 180);
    EXPECT_FALSE(shape.Kept(7, 0));
    EXPECT_TRUE(shape.Kept(7, 5));
    EXPECT_EQ(gui.windows[PlaylistWindow].skin, &resized);
    EXPECT_EQ(gui.windows[MainWindow].skin, &resized);
}

TEST_F(SkinTest, WithoutASkinImageTheWindowStaysRectangularAndShowsItsBackground) {
    gui.OpenWindow(MainWindow, 0, 0, 300, 140, "Vexa Radio");

    ui::ShapeWindow(MainWindow, SkinImage, kWhite);

    EXPECT_TRUE(gui.windows[MainWindow].shape.kept.empty());
    EXPECT_EQ(gui.windows[MainWindow].skin, nullptr);
    EXPECT_EQ(gui.windows[MainWindow].skin_paints, 1);
}

TEST(ResizedTest, StretchingKeepsFlatAreasFlatAndTheSameSizeIsACopy) {
    Image image(3, 2, Rgb(10, 20, 30));
    EXPECT_EQ(Resized(image, 3, 2).pixels, image.pixels);
    const Image tall = Resized(image, 300, 180);
    EXPECT_EQ(tall.pixels, std::vector<Colour>(300 * 180, Rgb(10, 20, 30)));
    EXPECT_TRUE(Resized(Image(), 300, 180).Empty());
}

}  // namespace
