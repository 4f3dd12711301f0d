#pragma once

#include <string>

#include "common/colour.h"
#include "common/image.h"

namespace platform {

// One event as the loop sees it: a kind code, the window it belongs to and an object number
// (the control number of a control event, the timer number of a timer event, 0 otherwise).
struct Event {
    int kind = 0;
    int window = -1;
    int object = 0;
    bool operator==(const Event&) const = default;
};

struct Point {
    int x = 0;
    int y = 0;
};

// Windows and controls addressed by the program's fixed numbers, and the one event queue.
// Every call is made on the GUI thread. Calls naming a window or control that does not exist are
// harmless and do nothing (getters answer 0 / false).
class Gui {
 public:
    virtual ~Gui() = default;

    // Opens a borderless top-level window whose outer top-left corner is (x, y). New controls go
    // into the window opened last. False when it could not be opened.
    virtual bool OpenWindow(int window, int x, int y, int width, int height,
                            const std::string& title) = 0;
    virtual void CloseWindow(int window) = 0;
    virtual bool IsWindowOpen(int window) const = 0;
    virtual Point WindowPosition(int window) const = 0;
    virtual int WindowWidth(int window) const = 0;
    virtual int WindowHeight(int window) const = 0;
    // Moves without resizing, activating or restacking.
    virtual void MoveWindow(int window, int x, int y) = 0;
    virtual void SetWindowTitle(int window, const std::string& title) = 0;
    // Erases the window's background with this colour from now on and repaints it at once.
    virtual void SetWindowColour(int window, common::Colour colour) = 0;
    // Gives the window the shape of the mask (pixels outside it are neither drawn nor clicked);
    // an empty mask makes it rectangular again.
    virtual void SetWindowShape(int window, const common::Mask& mask) = 0;
    // From now on the window is painted from the image, its pixel (x, y) showing image pixel
    // (x - 1, y - 1); row 0 and column 0 keep the background colour. Null paints only the
    // background. The image must outlive its use; the window repaints at once.
    virtual void SetWindowSkin(int window, const common::Image* image) = 0;
    // Makes the window the active one.
    virtual void ActivateWindow(int window) = 0;
    // A tool window stays out of the task bar and the pager.
    virtual void SetToolWindow(int window, bool on) = 0;
    // Moves the window with the pointer until the left button is released; returns at once when
    // the button is already up. Nothing else runs meanwhile but painting.
    virtual void DragWindow(int window) = 0;

    // A clickable image takes the image's size; without an image it keeps width × height. A null
    // image shows nothing. Setting an image repaints the control before the call returns.
    virtual void CreateImageButton(int control, int x, int y, int width, int height,
                                   const common::Image* image) = 0;
    virtual void SetButtonImage(int control, const common::Image* image) = 0;
    virtual void CreateProgressBar(int control, int x, int y, int width, int height, int minimum,
                                   int maximum) = 0;
    // A vertical slider with tick marks whose top end is the maximum.
    virtual void CreateTrackBar(int control, int x, int y, int width, int height, int minimum,
                                int maximum) = 0;
    // A non-editable drop-down list, empty and without selection.
    virtual void CreateComboBox(int control, int x, int y, int width, int height) = 0;
    // A list box with scroll bars in which several items can be selected (Shift, Ctrl); its
    // state is the lowest selected index, -1 when none. Setting the state clears the selection,
    // then selects that item when it exists. A change of selection, a double click and a click
    // on an item are control events.
    virtual void CreateListBox(int control, int x, int y, int width, int height) = 0;
    // Removes every item of a list box.
    virtual void ClearItems(int control) = 0;
    virtual int ItemCount(int control) const = 0;
    virtual bool IsItemSelected(int control, int index) const = 0;
    // Appends a text item to a combo box or a list box.
    virtual void AddItem(int control, const std::string& text) = 0;
    // The text of item `index` of a combo box or list box; empty when there is no such item.
    virtual std::string ItemText(int control, int index) const = 0;
    // The range of a progress bar or track bar.
    virtual void SetControlRange(int control, int minimum, int maximum) = 0;
    virtual void SetControlColours(int control, common::Colour text, common::Colour background) = 0;
    virtual void HideControl(int control, bool hidden) = 0;
    // The position of a progress bar, the value of a track bar, the selected index of a combo box
    // (-1: none). Setting a state never raises a control event.
    virtual void SetControlState(int control, int value) = 0;
    virtual int ControlState(int control) const = 0;

    // From now on the window raises a timer event carrying `timer` every period.
    virtual void AddTimer(int window, int timer, int period_ms) = 0;
    // Waits at most timeout_ms for one event and takes it; kind 0 when none came.
    virtual Event WaitWindowEvent(int timeout_ms) = 0;
    // Queues an event behind those already waiting; a later wait returns it.
    virtual void PostEvent(const Event& event) = 0;
};

}  // namespace platform
