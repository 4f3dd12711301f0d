#pragma once

#include <QObject>
#include <QPoint>
#include <QTimer>
#include <chrono>
#include <deque>
#include <map>
#include <set>
#include <utility>

#include "platform/gui.h"

class QWidget;
class QMouseEvent;

namespace platform::qt {

class TopWindow;

// The toolkit layer over Qt Widgets: the program's window and control numbers, one event queue
// fed by Qt's signals and events, and the 2 ms wait. A QApplication must exist.
class QtGui final : public QObject, public Gui {
 public:
    QtGui();
    ~QtGui() override;

    bool OpenWindow(int window, int x, int y, int width, int height,
                    const std::string& title) override;
    void CloseWindow(int window) override;
    bool IsWindowOpen(int window) const override;
    Point WindowPosition(int window) const override;
    int WindowWidth(int window) const override;
    int WindowHeight(int window) const override;
    void MoveWindow(int window, int x, int y) override;
    void SetWindowTitle(int window, const std::string& title) override;
    void SetWindowColour(int window, common::Colour colour) override;
    void DragWindow(int window) override;
    void SetWindowShape(int window, const common::Mask& mask) override;
    void SetWindowSkin(int window, const common::Image* image) override;
    void SetToolWindow(int window, bool on) override;
    void ActivateWindow(int window) override;

    void CreateImageButton(int control, int x, int y, int width, int height,
                           const common::Image* image) override;
    void SetButtonImage(int control, const common::Image* image) override;
    void CreateProgressBar(int control, int x, int y, int width, int height, int minimum,
                           int maximum) override;
    void CreateTrackBar(int control, int x, int y, int width, int height, int minimum,
                        int maximum) override;
    void CreateComboBox(int control, int x, int y, int width, int height) override;
    void CreateListBox(int control, int x, int y, int width, int height) override;
    void ClearItems(int control) override;
    int ItemCount(int control) const override;
    bool IsItemSelected(int control, int index) const override;
    void AddItem(int control, const std::string& text) override;
    std::string ItemText(int control, int index) const override;
    void SetControlRange(int control, int minimum, int maximum) override;
    void SetControlColours(int control, common::Colour text, common::Colour background) override;
    void HideControl(int control, bool hidden) override;
    void SetControlState(int control, int value) override;
    int ControlState(int control) const override;

    void AddTimer(int window, int timer, int period_ms) override;
    Event WaitWindowEvent(int timeout_ms) override;
    void PostEvent(const Event& event) override;

    // For the drawing layer, which paces frames: until `deadline` a wait for events lasts
    // longer than asked when nothing comes, so the loop sleeps once per frame (in the wait)
    // rather than twice, and an event that comes meanwhile is taken at once.
    void HoldWaitsUntil(std::chrono::steady_clock::time_point deadline) { hold_until_ = deadline; }

    // For tests and the other Qt services: the widget behind a number, or null.
    QWidget* WindowWidget(int window) const;
    QWidget* ControlWidget(int control) const;

 protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

 private:
    struct Control {
        QWidget* widget = nullptr;
        int window = -1;
    };

    int WindowNumberOf(const QObject* object) const;
    bool CountsAsWindowPress(const QWidget* top, const QPoint& pos) const;
    void Register(int control, QWidget* widget);
    void QueueControlEvent(int window, int control);
    void QueueTimerEvent(int window, int timer);
    void OnWindowCloseRequested(int window);
    void RepaintWindows();
    void ForgetControlsOf(int window);
    void ProcessUntilEventOrTimeout(int timeout_ms);
    void OnPress(QObject* watched, const QMouseEvent& press);
    void FollowPointer(const QMouseEvent& event);
    void MoveWithPointer(QWidget* top) const;

    std::map<int, TopWindow*> windows_;
    std::map<int, Control> controls_;
    std::map<std::pair<int, int>, QTimer*> timers_;
    std::set<std::pair<int, int>> pending_timers_;
    std::deque<Event> queue_;
    // The pointer since the last left press on a window's background. The loop may take the
    // press after the button already came up; the drag must still end where the pointer did.
    struct PointerTrack {
        int window = -1;
        QPoint pressed_at;
        QPoint window_at_press;
        QPoint pointer;
        bool released = true;
    };
    PointerTrack track_;
    int current_window_ = -1;
    bool dragging_ = false;
    QTimer wait_timer_;
    bool wait_expired_ = false;
    std::chrono::steady_clock::time_point hold_until_{};
};

}  // namespace platform::qt
