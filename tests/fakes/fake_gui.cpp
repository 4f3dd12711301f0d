#include "fakes/fake_gui.h"

#include <algorithm>

namespace fakes {

bool CallLog::Contains(const std::string& call) const { return IndexOf(call) >= 0; }

int CallLog::IndexOf(const std::string& call) const {
    auto found = std::find(calls.begin(), calls.end(), call);
    return found == calls.end() ? -1 : static_cast<int>(found - calls.begin());
}

bool FakeGui::OpenWindow(int window, int x, int y, int width, int height,
                         const std::string& title) {
    log_.Add("gui.OpenWindow " + std::to_string(window));
    if (open_fails) return false;
    FakeWindow& opened = windows[window];
    opened = FakeWindow{};
    opened.x = x;
    opened.y = y;
    opened.width = width;
    opened.height = height;
    opened.title = title;
    current_window_ = window;
    return true;
}

void FakeGui::CloseWindow(int window) {
    if (!windows.erase(window)) return;
    log_.Add("gui.CloseWindow " + std::to_string(window));
    std::erase_if(controls, [window](const auto& entry) { return entry.second.window == window; });
}

platform::Point FakeGui::WindowPosition(int window) const {
    auto found = windows.find(window);
    if (found == windows.end()) return {};
    return {found->second.x, found->second.y};
}

int FakeGui::WindowWidth(int window) const {
    auto found = windows.find(window);
    return found == windows.end() ? 0 : found->second.width;
}

int FakeGui::WindowHeight(int window) const {
    auto found = windows.find(window);
    return found == windows.end() ? 0 : found->second.height;
}

void FakeGui::MoveWindow(int window, int x, int y) {
    auto found = windows.find(window);
    if (found == windows.end()) return;
    found->second.x = x;
    found->second.y = y;
}

void FakeGui::SetWindowTitle(int window, const std::string& title) {
    if (windows.count(window)) windows[window].title = title;
}

void FakeGui::SetWindowColour(int window, common::Colour colour) {
    if (!windows.count(window)) return;
    windows[window].has_colour = true;
    windows[window].colour = colour;
}

void FakeGui::DragWindow(int window) {
    log_.Add("gui.DragWindow " + std::to_string(window));
    auto target = drag_targets.find(window);
    if (target != drag_targets.end()) MoveWindow(window, target->second.x, target->second.y);
}

void FakeGui::SetWindowShape(int window, const common::Mask& mask) {
    if (windows.count(window)) windows[window].shape = mask;
}

void FakeGui::SetWindowSkin(int window, const common::Image* image) {
    if (!windows.count(window)) return;
    windows[window].skin = image;
    ++windows[window].skin_paints;
}

void FakeGui::SetToolWindow(int window, bool on) {
    if (windows.count(window)) windows[window].tool = on;
}

FakeControl* FakeGui::Find(int control) {
    auto found = controls.find(control);
    return found == controls.end() ? nullptr : &found->second;
}

FakeControl& FakeGui::Create(int control, ControlKind kind, int x, int y, int width, int height) {
    FakeControl& created = controls[control];
    created = FakeControl{};
    created.kind = kind;
    created.window = current_window_;
    created.x = x;
    created.y = y;
    created.width = width;
    created.height = height;
    return created;
}

void FakeGui::CreateImageButton(int control, int x, int y, int width, int height,
                                const common::Image* image) {
    if (!windows.count(current_window_)) return;
    Create(control, ControlKind::ImageButton, x, y, width, height).image = image;
}

void FakeGui::SetButtonImage(int control, const common::Image* image) {
    FakeControl* found = Find(control);
    if (!found) return;
    found->image = image;
    image_changes.push_back({control, image});
}

void FakeGui::CreateProgressBar(int control, int x, int y, int width, int height, int minimum,
                                int maximum) {
    CreateRanged(control, ControlKind::ProgressBar, x, y, width, height, minimum, maximum);
}

void FakeGui::CreateTrackBar(int control, int x, int y, int width, int height, int minimum,
                             int maximum) {
    CreateRanged(control, ControlKind::TrackBar, x, y, width, height, minimum, maximum);
}

void FakeGui::CreateRanged(int control, ControlKind kind, int x, int y, int width, int height,
                           int minimum, int maximum) {
    if (!windows.count(current_window_)) return;
    FakeControl& created = Create(control, kind, x, y, width, height);
    created.minimum = minimum;
    created.maximum = maximum;
}

void FakeGui::CreateComboBox(int control, int x, int y, int width, int height) {
    if (!windows.count(current_window_)) return;
    Create(control, ControlKind::ComboBox, x, y, width, height).state = -1;
}

void FakeGui::CreateListBox(int control, int x, int y, int width, int height) {
    if (!windows.count(current_window_)) return;
    Create(control, ControlKind::ListBox, x, y, width, height).state = -1;
}

void FakeGui::ClearItems(int control) {
    if (FakeControl* found = Find(control)) {
        found->items.clear();
        found->selected.clear();
    }
}

int FakeGui::ItemCount(int control) const {
    auto found = controls.find(control);
    return found == controls.end() ? 0 : static_cast<int>(found->second.items.size());
}

bool FakeGui::IsItemSelected(int control, int index) const {
    auto found = controls.find(control);
    if (found == controls.end()) return false;
    const std::vector<int>& rows = found->second.selected;
    return std::find(rows.begin(), rows.end(), index) != rows.end();
}

void FakeGui::AddItem(int control, const std::string& text) {
    if (FakeControl* found = Find(control)) found->items.push_back(text);
}

std::string FakeGui::ItemText(int control, int index) const {
    auto found = controls.find(control);
    if (found == controls.end() || index < 0) return {};
    const std::vector<std::string>& items = found->second.items;
    return index < static_cast<int>(items.size()) ? items[index] : std::string();
}

void FakeGui::SetControlRange(int control, int minimum, int maximum) {
    if (FakeControl* found = Find(control)) {
        found->minimum = minimum;
        found->maximum = maximum;
    }
}

void FakeGui::SetControlColours(int control, common::Colour text, common::Colour background) {
    FakeControl* found = Find(control);
    if (!found) return;
    found->has_colours = true;
    found->text = text;
    found->background = background;
}

void FakeGui::HideControl(int control, bool hidden) {
    if (FakeControl* found = Find(control)) found->hidden = hidden;
}

void FakeGui::SetControlState(int control, int value) {
    FakeControl* found = Find(control);
    if (!found) return;
    if (found->kind != ControlKind::ListBox) {
        found->state = value;
        return;
    }
    found->selected.clear();
    if (value >= 0 && value < static_cast<int>(found->items.size())) found->selected = {value};
}

int FakeGui::ControlState(int control) const {
    auto found = controls.find(control);
    if (found == controls.end()) return 0;
    if (found->second.kind != ControlKind::ListBox) return found->second.state;
    const std::vector<int>& rows = found->second.selected;
    return rows.empty() ? -1 : *std::min_element(rows.begin(), rows.end());
}

void FakeGui::AddTimer(int window, int timer, int period_ms) {
    if (windows.count(window)) timers.push_back({window, timer, period_ms});
}

platform::Event FakeGui::WaitWindowEvent(int timeout_ms) {
    ++waits;
    log_.Add("gui.WaitWindowEvent " + std::to_string(timeout_ms));
    if (queue.empty()) return {};
    const platform::Event event = queue.front();
    queue.pop_front();
    return event;
}

void FakeGui::PostEvent(const platform::Event& event) { queue.push_back(event); }

}  // namespace fakes
