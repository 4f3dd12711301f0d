#include "platform/qt/qt_gui.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QMouseEvent>
#include <QProgressBar>
#include <QSlider>
#include <QTest>
#include <chrono>
#include <thread>

#include "common/ids.h"

namespace {

using namespace common;
using platform::Event;
using platform::qt::QtGui;

// Drains what Qt has delivered so far into a list of events, without waiting.
std::vector<Event> TakeEvents(QtGui& gui) {
    std::vector<Event> events;
    for (Event e = gui.WaitWindowEvent(0); e.kind != NoEvent; e = gui.WaitWindowEvent(0))
        events.push_back(e);
    return events;
}

class QtGuiTest : public ::testing::Test {
 protected:
    void SetUp() override {
        ASSERT_TRUE(gui.OpenWindow(MainWindow, 30, 40, 300, 140, "Vexa Radio"));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(gui.WindowWidget(MainWindow)));
        TakeEvents(gui);
    }

    QtGui gui;
};

TEST_F(QtGuiTest, OpensABorderlessWindowWhereAsked) {
    QWidget* window = gui.WindowWidget(MainWindow);
    EXPECT_TRUE(window->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(window->windowTitle(), "Vexa Radio");
    EXPECT_EQ(gui.WindowPosition(MainWindow).x, 30);
    EXPECT_EQ(gui.WindowPosition(MainWindow).y, 40);
    EXPECT_EQ(gui.WindowWidth(MainWindow), 300);
    EXPECT_EQ(gui.WindowHeight(MainWindow), 140);

    gui.MoveWindow(MainWindow, -5, 600);
    EXPECT_EQ(gui.WindowPosition(MainWindow).x, -5);
    EXPECT_EQ(gui.WindowPosition(MainWindow).y, 600);

    gui.SetWindowColour(MainWindow, Rgb(0, 0, 0));
    EXPECT_EQ(window->palette().color(QPalette::Window), QColor(0, 0, 0));
}

TEST_F(QtGuiTest, ImageButtonsTakeTheirImageSizeAndReportEveryPressAsAControlEvent) {
    const Image wide(50, 30, Rgb(255, 0, 0));
    gui.CreateImageButton(PlayButton, 15, 60, 40, 25, &wide);
    gui.CreateImageButton(StopButton, 105, 60, 40, 25, nullptr);
    QWidget* play = gui.ControlWidget(PlayButton);
    QWidget* stop = gui.ControlWidget(StopButton);
    EXPECT_EQ(play->geometry(), QRect(15, 60, 50, 30));
    EXPECT_EQ(stop->geometry(), QRect(105, 60, 40, 25));
    gui.SetButtonImage(StopButton, &wide);
    EXPECT_EQ(stop->size(), QSize(50, 30));
    gui.SetButtonImage(StopButton, nullptr);
    EXPECT_EQ(stop->size(), QSize(40, 25));

    QTest::mouseClick(stop, Qt::LeftButton);
    QTest::mouseClick(stop, Qt::RightButton);
    // A double click arrives as a press, then a double-click event in place of the second press.
    QTest::mouseClick(play, Qt::LeftButton);
    QMouseEvent double_click(QEvent::MouseButtonDblClick, QPointF(5, 5),
                             play->mapToGlobal(QPointF(5, 5)), Qt::LeftButton, Qt::LeftButton,
                             Qt::NoModifier);
    QApplication::sendEvent(play, &double_click);

    const Event stop_used{ControlEvent, MainWindow, StopButton};
    const Event play_used{ControlEvent, MainWindow, PlayButton};
    // No press on a control counts as a press on the window.
    EXPECT_EQ(TakeEvents(gui), (std::vector<Event>{stop_used, stop_used, play_used, play_used}));
}

TEST_F(QtGuiTest, PressesOnTheBackgroundAndOnMouseTransparentChildrenBelongToTheWindow) {
    QWidget* window = gui.WindowWidget(MainWindow);
    auto* screen = new QWidget(window);
    screen->setAttribute(Qt::WA_TransparentForMouseEvents);
    screen->setGeometry(4, 4, 290, 50);
    screen->show();
    gui.CreateProgressBar(PositionBar, 5, 110, 275, 8, 0, 100);

    QTest::mousePress(window, Qt::LeftButton, {}, QPoint(150, 100));
    QTest::mouseRelease(window, Qt::LeftButton, {}, QPoint(150, 100));
    QTest::mousePress(window, Qt::RightButton, {}, QPoint(20, 20));
    QTest::mouseRelease(window, Qt::RightButton, {}, QPoint(20, 20));
    QTest::mouseClick(gui.ControlWidget(PositionBar), Qt::RightButton);

    EXPECT_EQ(TakeEvents(gui), (std::vector<Event>{{LeftButtonPress, MainWindow, 0},
                                                   {RightButtonPress, MainWindow, 0}}));
}

TEST_F(QtGuiTest, TheVerticalSliderHasItsMaximumOnTopAndOnlyTheUserRaisesEvents) {
    gui.CreateTrackBar(VolumeSlider, 285, 60, 8, 60, 0, 255);
    auto* slider = qobject_cast<QSlider*>(gui.ControlWidget(VolumeSlider));
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->orientation(), Qt::Vertical);
    EXPECT_FALSE(slider->invertedAppearance());
    EXPECT_NE(slider->tickPosition(), QSlider::NoTicks);
    EXPECT_EQ(slider->maximum(), 255);

    gui.SetControlState(VolumeSlider, 200);
    EXPECT_EQ(gui.ControlState(VolumeSlider), 200);
    EXPECT_TRUE(TakeEvents(gui).empty());

    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_Up);
    EXPECT_EQ(TakeEvents(gui), (std::vector<Event>{{ControlEvent, MainWindow, VolumeSlider}}));
    EXPECT_EQ(gui.ControlState(VolumeSlider), 201);
}

TEST_F(QtGuiTest, TheComboIsANonEditableListThatOpensBelowAndReportsOnlyUserChoices) {
    gui.CreateComboBox(StationCombo, 5, 120, 275, 20);
    auto* combo = qobject_cast<QComboBox*>(gui.ControlWidget(StationCombo));
    ASSERT_NE(combo, nullptr);
    EXPECT_FALSE(combo->isEditable());
    EXPECT_EQ(gui.ControlState(StationCombo), -1);
    EXPECT_EQ(combo->geometry(), QRect(5, 120, 275, 20));

    gui.AddItem(StationCombo, "1-Bfm");
    gui.AddItem(StationCombo, "2-Bide et musique");
    EXPECT_EQ(gui.ControlState(StationCombo), -1);
    EXPECT_EQ(combo->itemText(1), "2-Bide et musique");
    gui.SetControlState(StationCombo, 1);
    gui.SetControlColours(StationCombo, Rgb(0, 255, 0), kBlack);
    EXPECT_EQ(gui.ControlState(StationCombo), 1);
    EXPECT_TRUE(combo->styleSheet().contains("combobox-popup: 0"));
    EXPECT_TRUE(combo->styleSheet().contains("#00ff00"));
    EXPECT_TRUE(TakeEvents(gui).empty());

    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Up);
    EXPECT_EQ(gui.ControlState(StationCombo), 0);
    EXPECT_EQ(TakeEvents(gui), (std::vector<Event>{{ControlEvent, MainWindow, StationCombo}}));
}

TEST_F(QtGuiTest, TheListBoxSelectsSeveralItemsAndItsStateIsTheLowest) {
    gui.CreateListBox(PlaylistView, 10, 10, 280, 130);
    auto* list = qobject_cast<QListWidget*>(gui.ControlWidget(PlaylistView));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->selectionMode(), QAbstractItemView::ExtendedSelection);
    for (const char* name : {"a.mp3", "b.mp3", "c.mp3", "d.mp3"}) gui.AddItem(PlaylistView, name);
    EXPECT_EQ(gui.ItemCount(PlaylistView), 4);
    EXPECT_EQ(gui.ControlState(PlaylistView), -1);

    gui.SetControlState(PlaylistView, 2);
    EXPECT_EQ(gui.ControlState(PlaylistView), 2);
    EXPECT_TRUE(TakeEvents(gui).empty());

    list->item(3)->setSelected(true);
    list->item(1)->setSelected(true);
    EXPECT_EQ(gui.ControlState(PlaylistView), 1);
    EXPECT_TRUE(gui.IsItemSelected(PlaylistView, 3));
    EXPECT_FALSE(gui.IsItemSelected(PlaylistView, 0));
    EXPECT_FALSE(TakeEvents(gui).empty());  // a change of selection is an event

    gui.SetControlState(PlaylistView, 9);
    EXPECT_EQ(gui.ControlState(PlaylistView), -1);
    gui.ClearItems(PlaylistView);
    EXPECT_EQ(gui.ItemCount(PlaylistView), 0);
}

TEST_F(QtGuiTest, ProgressBarAndHiding) {
    gui.CreateProgressBar(PositionBar, 5, 110, 275, 8, 0, 100);
    auto* bar = qobject_cast<QProgressBar*>(gui.ControlWidget(PositionBar));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->geometry(), QRect(5, 110, 275, 8));
    gui.HideControl(PositionBar, true);
    EXPECT_FALSE(bar->isVisible());
    gui.SetControlState(PositionBar, 40);
    EXPECT_EQ(gui.ControlState(PositionBar), 40);
    gui.HideControl(PositionBar, false);
    EXPECT_TRUE(bar->isVisible());
}

TEST_F(QtGuiTest, ACloseRequestIsReportedAndTheWindowStays) {
    gui.WindowWidget(MainWindow)->close();

    EXPECT_TRUE(gui.WindowWidget(MainWindow)->isVisible());
    EXPECT_EQ(TakeEvents(gui), (std::vector<Event>{{CloseRequest, MainWindow, 0}}));
}

TEST_F(QtGuiTest, PostedEventsComeBackInOrderOnePerWait) {
    gui.PostEvent({CloseRequest, MainWindow, 0});
    gui.PostEvent({ControlEvent, MainWindow, PlayButton});

    EXPECT_EQ(gui.WaitWindowEvent(2), (Event{CloseRequest, MainWindow, 0}));
    EXPECT_EQ(gui.WaitWindowEvent(2), (Event{ControlEvent, MainWindow, PlayButton}));
    EXPECT_EQ(gui.WaitWindowEvent(2).kind, NoEvent);
}

TEST_F(QtGuiTest, TimersReportTheirNumberAndNeverPileUp) {
    gui.AddTimer(MainWindow, ProbeTimer, 5);
    // Let the timer fire many times while nobody takes its event.
    for (int i = 0; i < 10; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(6));
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(TakeEvents(gui), (std::vector<Event>{{TimerEvent, MainWindow, ProbeTimer}}));

    Event next = gui.WaitWindowEvent(2);
    for (int waits = 0; next.kind == NoEvent && waits < 5000; ++waits)
        next = gui.WaitWindowEvent(2);
    EXPECT_EQ(next, (Event{TimerEvent, MainWindow, ProbeTimer}));
}

TEST_F(QtGuiTest, ClosingAWindowForgetsItsControlsAndTimers) {
    ASSERT_TRUE(gui.OpenWindow(PlaylistWindow, 30, 180, 300, 180, "Mp3_list"));
    gui.CreateImageButton(AddButton, 5, 150, 20, 20, nullptr);
    gui.AddTimer(PlaylistWindow, 4, 1);
    ASSERT_NE(gui.ControlWidget(AddButton), nullptr);

    gui.CloseWindow(PlaylistWindow);

    EXPECT_FALSE(gui.IsWindowOpen(PlaylistWindow));
    EXPECT_EQ(gui.ControlWidget(AddButton), nullptr);
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    for (const Event& e : TakeEvents(gui)) EXPECT_NE(e.window, PlaylistWindow);
    // Harmless on what is gone.
    gui.SetControlState(AddButton, 3);
    gui.MoveWindow(PlaylistWindow, 1, 1);
    EXPECT_EQ(gui.WindowWidth(PlaylistWindow), 0);
}

}  // namespace
