#pragma once

#include "platform/system.h"

namespace platform::qt {

// Blocking waits, dialogs, the clock, desktop reads and the end of the process, over Qt.
class QtSystem final : public System {
 public:
    void Sleep(int ms) override;
    std::tm LocalTime() override;
    void MessageBox(const std::string& title, const std::string& text) override;
    std::string HomeFolder() override;
    std::vector<std::string> OpenFiles(const std::string& title, const std::string& folder,
                                       const std::string& filter) override;
    bool LoadImage(const std::string& path, common::Image& image) override;
    common::Colour DesktopPixel(int x, int y) override;
    [[noreturn]] void Exit(int code) override;
};

}  // namespace platform::qt
