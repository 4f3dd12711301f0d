#include "platform/platform.h"

#include <cstdlib>

namespace platform {
namespace {

class NullGui final : public Gui {
 public:
    bool OpenWindow(int, int, int, int, int, const std::string&) override { return false; }
    void CloseWindow(int) override {}
    bool IsWindowOpen(int) const override { return false; }
    Point WindowPosition(int) const override { return {}; }
    int WindowWidth(int) const override { return 0; }
    int WindowHeight(int) const override { return 0; }
    void MoveWindow(int, int, int) override {}
    void SetWindowTitle(int, const std::string&) override {}
    void SetWindowColour(int, common::Colour) override {}
    void DragWindow(int) override {}
    void CreateImageButton(int, int, int, int, int, const common::Image*) override {}
    void SetButtonImage(int, const common::Image*) override {}
    void CreateProgressBar(int, int, int, int, int, int, int) override {}
    void CreateTrackBar(int, int, int, int, int, int, int) override {}
    void CreateComboBox(int, int, int, int, int) override {}
    void AddItem(int, const std::string&) override {}
    void SetControlColours(int, common::Colour, common::Colour) override {}
    void HideControl(int, bool) override {}
    void SetControlState(int, int) override {}
    int ControlState(int) const override { return 0; }
    void AddTimer(int, int, int) override {}
    Event WaitWindowEvent(int) override { return {}; }
    void PostEvent(const Event&) override {}
};

class NullSystem final : public System {
 public:
    void Sleep(int) override {}
    std::tm LocalTime() override { return {}; }
    void MessageBox(const std::string&, const std::string&) override {}
    std::vector<std::string> OpenFiles(const std::string&, const std::string&,
                                       const std::string&) override {
        return {};
    }
    common::Colour DesktopPixel(int, int) override { return kInvalidColour; }
    [[noreturn]] void Exit(int code) override { std::_Exit(code); }
};

class NullSurface final : public Surface {
 public:
    bool Initialise() override { return true; }
    void Release() override {}
};

NullGui null_gui;
NullSystem null_system;
NullSurface null_surface;

Bindings current{&null_gui, &null_system, &null_surface};

}  // namespace

Gui& TheGui() { return *current.gui; }
System& TheSystem() { return *current.system; }
Surface& TheSurface() { return *current.surface; }

void Bind(const Bindings& bindings) {
    current.gui = bindings.gui ? bindings.gui : &null_gui;
    current.system = bindings.system ? bindings.system : &null_system;
    current.surface = bindings.surface ? bindings.surface : &null_surface;
}

}  // namespace platform
