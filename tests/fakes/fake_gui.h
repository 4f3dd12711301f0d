#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "fakes/call_log.h"
#include "platform/gui.h"

namespace fakes {

enum class ControlKind { ImageButton, ProgressBar, TrackBar, ComboBox, ListBox };

struct FakeControl {
    ControlKind kind{};
    int window = -1;
    int x = 0, y = 0, width = 0, height = 0;
    int minimum = 0, maximum = 0;
    const common::Image* image = nullptr;
    bool has_colours = false;
    common::Colour text = 0, background = 0;
    bool hidden = false;
    int state = 0;
    std::vector<std::string> items;
    std::vector<int> selected;  // list boxes: the selected rows, in any order
};

struct FakeWindow {
    int x = 0, y = 0, width = 0, height = 0;
    std::string title;
    bool has_colour = false;
    common::Colour colour = 0;
    common::Mask shape;  // empty: rectangular
    const common::Image* skin = nullptr;
    int skin_paints = 0;
    bool tool = false;
};

struct FakeTimer {
    int window = -1;
    int timer = -1;
    int period_ms = 0;
};

// Records what the program asks of the toolkit and hands out scripted events, one per wait.
class FakeGui final : public platform::Gui {
 public:
    explicit FakeGui(CallLog& log) : log_(log) {}

    std::map<int, FakeWindow> windows;
    std::map<int, FakeControl> controls;
    std::vector<FakeTimer> timers;
    std::deque<platform::Event> queue;
    int waits = 0;
    bool open_fails = false;
    // Every image set on a button after its creation, in order.
    std::vector<std::pair<int, const common::Image*>> image_changes;
    // Where DragWindow leaves the dragged window, as if the user had moved it there.
    std::map<int, platform::Point> drag_targets;

    bool OpenWindow(int window, int x, int y, int width, int height,
                    const std::string& title) override;
    void CloseWindow(int window) override;
    bool IsWindowOpen(int window) const override { return windows.count(window) != 0; }
    platform::Point WindowPosition(int window) const override;
    int WindowWidth(int window) const override;
    int WindowHeight(int window) const override;
    void MoveWindow(int window, int x, int y) override;
    void SetWindowTitle(int window, const std::string& title) override;
    void SetWindowColour(int window, common::Colour colour) override;
    void DragWindow(int window) override;
    void SetWindowShape(int window, const common::Mask& mask) override;
    void SetWindowSkin(int window, const common::Image* image) override;
    void SetToolWindow(int window, bool on) override;
    void ActivateWindow(int window) override {
        log_.Add("gui.ActivateWindow " + std::to_string(window));
    }
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
    platform::Event WaitWindowEvent(int timeout_ms) override;
    void PostEvent(const platform::Event& event) override;

 private:
    FakeControl* Find(int control);
    FakeControl& Create(int control, ControlKind kind, int x, int y, int width, int height);
    void CreateRanged(int control, ControlKind kind, int x, int y, int width, int height,
                      int minimum, int maximum);

    CallLog& log_;
    int current_window_ = -1;
};

}  // namespace fakes
