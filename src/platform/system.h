#pragma once

#include <ctime>
#include <string>
#include <vector>

#include "common/colour.h"
#include "common/image.h"

namespace platform {

// What the desktop answers for a point outside every screen. Never equal to a real colour.
constexpr common::Colour kInvalidColour = 0xFFFFFFFF;

// Facilities that block, read the world or end the process. GUI thread only.
class System {
 public:
    virtual ~System() = default;

    // Waits, keeping the windows painted; user input stays queued for the event loop.
    virtual void Sleep(int ms) = 0;
    virtual std::tm LocalTime() = 0;
    // A modal box with the title, the text, one OK button and no icon.
    virtual void MessageBox(const std::string& title, const std::string& text) = 0;
    // The user's home folder, ending in "/".
    virtual std::string HomeFolder() = 0;
    // A modal multi-selection open-file requester; the chosen paths in order, none if cancelled.
    virtual std::vector<std::string> OpenFiles(const std::string& title, const std::string& folder,
                                               const std::string& filter) = 0;
    // Decodes an image file by its content into 24-bit colour; false when it is missing or
    // cannot be decoded, `image` then being left as it was.
    virtual bool LoadImage(const std::string& path, common::Image& image) = 0;
    // The colour shown at a desktop point, or kInvalidColour off every screen.
    virtual common::Colour DesktopPixel(int x, int y) = 0;
    // Ends the process with this exit code.
    [[noreturn]] virtual void Exit(int code) = 0;
};

}  // namespace platform
