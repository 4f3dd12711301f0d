#include "platform/qt/qt_system.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
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

}  // namespace
