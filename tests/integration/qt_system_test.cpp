#include "platform/qt/qt_system.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>

namespace {

using platform::qt::QtSystem;

// Runs `inspect` on the modal dialog as soon as it is up, then closes it with `close`.
template <typename Dialog>
void WhenModalShows(std::function<void(Dialog&)> inspect, std::function<void(Dialog&)> close) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, inspect, close] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) return;
        poll->stop();
        poll->deleteLater();
        inspect(*dialog);
        close(*dialog);
    });
    poll->start(5);
}

TEST(QtSystemTest, AMessageBoxHasTheTitleTheTextOneOkButtonAndNoIcon) {
    QtSystem system;
    WhenModalShows<QMessageBox>(
        [](QMessageBox& box) {
            EXPECT_EQ(box.windowTitle(), "erreur");
            EXPECT_EQ(box.text(), "il manque le dossier 'Graph' !");
            EXPECT_EQ(box.icon(), QMessageBox::NoIcon);
            EXPECT_TRUE(box.iconPixmap().isNull());
            ASSERT_EQ(box.buttons().size(), 1);
            EXPECT_EQ(box.standardButton(box.buttons().front()), QMessageBox::Ok);
        },
        [](QMessageBox& box) { box.buttons().front()->click(); });

    system.MessageBox("erreur", "il manque le dossier 'Graph' !");
}

TEST(QtSystemTest, TheFileRequesterIsOursInTheGivenFolderAndACancelChoosesNothing) {
    QtSystem system;
    const QString home = QDir::homePath();
    WhenModalShows<QFileDialog>(
        [home](QFileDialog& dialog) {
            EXPECT_EQ(dialog.windowTitle(), "charger MP3");
            EXPECT_EQ(dialog.directory().absolutePath(), QDir(home).absolutePath());
            EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFiles);
            EXPECT_TRUE(dialog.testOption(QFileDialog::DontUseNativeDialog));
            EXPECT_TRUE(dialog.nameFilters().join(";").contains("*.mp3"));
        },
        [](QFileDialog& dialog) { dialog.reject(); });

    EXPECT_TRUE(system.OpenFiles("charger MP3", home.toStdString(), "MP3 (*.mp3)").empty());
}

TEST(QtSystemTest, ImagesAreDecodedByTheirContent) {
    const QString folder = QDir::temp().filePath("vexa-images");
    QDir().mkpath(folder);
    QImage picture(5, 4, QImage::Format_RGB32);
    picture.fill(QColor(200, 30, 90));
    picture.setPixelColor(1, 1, QColor(10, 220, 40));
    ASSERT_TRUE(picture.save(folder + "/real.jpg", "JPG", 100));
    ASSERT_TRUE(picture.save(folder + "/bitmap.jpg", "BMP"));  // a bitmap under a JPEG name
    QFile text(folder + "/text.jpg");
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not an image");
    text.close();
    QtSystem system;

    for (const char* name : {"real.jpg", "bitmap.jpg"}) {
        SCOPED_TRACE(name);
        common::Image image;
        ASSERT_TRUE(system.LoadImage((folder + "/" + name).toStdString(), image));
        EXPECT_EQ(image.width, 5);
        EXPECT_EQ(image.height, 4);
        const common::Colour corner = image.At(4, 3);
        EXPECT_NEAR(common::Red(corner), 200, 6);
        EXPECT_NEAR(common::Green(corner), 30, 6);
        EXPECT_NEAR(common::Blue(corner), 90, 6);
    }
    common::Image untouched(2, 2, common::kWhite);
    EXPECT_FALSE(system.LoadImage((folder + "/text.jpg").toStdString(), untouched));
    EXPECT_FALSE(system.LoadImage((folder + "/missing.jpg").toStdString(), untouched));
    EXPECT_EQ(untouched.width, 2);
    QDir(folder).removeRecursively();
}

}  // namespace
