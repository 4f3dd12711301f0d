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
    void SetWindowShape(int, const common::Mask&) override {}
    void SetWindowSkin(int, const common::Image*) override {}
    void SetToolWindow(int, bool) override {}
    void ActivateWindow(int) override {}
    void CreateImageButton(int, int, int, int, int, const common::Image*) override {}
    void SetButtonImage(int, const common::Image*) override {}
    void CreateProgressBar(int, int, int, int, int, int, int) override {}
    void CreateTrackBar(int, int, int, int, int, int, int) override {}
    void CreateComboBox(int, int, int, int, int) override {}
    void CreateListBox(int, int, int, int, int) override {}
    void ClearItems(int) override {}
    int ItemCount(int) const override { return 0; }
    bool IsItemSelected(int, int) const override { return false; }
    void AddItem(int, const std::string&) override {}
    std::string ItemText(int, int) const override { return {}; }
    void SetControlRange(int, int, int) override {}
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
    std::string HomeFolder() override { return "/"; }
    std::vector<std::string> OpenFiles(const std::string&, const std::string&,
                                       const std::string&) override {
        return {};
    }
    bool LoadImage(const std::string&, common::Image&) override { return false; }
    common::Colour DesktopPixel(int, int) override { return kInvalidColour; }
    [[noreturn]] void Exit(int code) override { std::_Exit(code); }
};

class NullSurface final : public Surface {
 public:
    bool Initialise() override { return true; }
    void Release() override {}
    bool LoadFont(const std::string&, int) override { return false; }
    bool OpenScreen(int, int, int, int, int) override { return false; }
    void CloseScreen() override {}
    void Present() override {}
    void Clear(common::Colour) override {}
    void CreateSprite(int, int, int) override {}
    bool DrawImageOnSprite(int, const common::Image*, int, int) override { return false; }
    void DisplaySprite(int, int, int) override {}
    bool BeginScreenDrawing() override { return false; }
    void EndScreenDrawing() override {}
    bool DrawText(int, int, const std::string&, common::Colour) override { return false; }
    int TextWidth(const std::string&) override { return 0; }
};

class NullAudioEngine final : public AudioEngine {
 public:
    void CreateSystem() override {}
    void Init(int) override {}
    SoundHandle CreateStream(const std::string&, int) override { return 0; }
    int LengthMs(SoundHandle) override { return 0; }
    ChannelHandle PlaySound(SoundHandle, bool) override { return 0; }
    void SetVolume(ChannelHandle, float) override {}
    void SetPaused(ChannelHandle, bool) override {}
    void Stop(ChannelHandle) override {}
    int PositionMs(ChannelHandle) override { return 0; }
    void Spectrum(ChannelHandle, float* values) override {
        for (int i = 0; i < kSpectrumSize; ++i) values[i] = 0.0f;
    }
    void SetOutput(int) override {}
    void ReleaseSound(SoundHandle) override {}
    std::string StreamTitle(SoundHandle) override { return {}; }
};

// No device: every command fails as with an unknown device.
class NullMci final : public Mci {
 public:
    int Send(const std::string&, std::string&) override { return 263; }
};

NullGui null_gui;
NullSystem null_system;
NullSurface null_surface;
NullAudioEngine null_audio;
NullMci null_mci;

Bindings current{&null_gui, &null_system, &null_surface, &null_audio, &null_mci};

}  // namespace

Gui& TheGui() { return *current.gui; }
System& TheSystem() { return *current.system; }
Surface& TheSurface() { return *current.surface; }
AudioEngine& TheAudioEngine() { return *current.audio; }
Mci& TheMci() { return *current.mci; }

void Bind(const Bindings& bindings) {
    current.gui = bindings.gui ? bindings.gui : &null_gui;
    current.system = bindings.system ? bindings.system : &null_system;
    current.surface = bindings.surface ? bindings.surface : &null_surface;
    current.audio = bindings.audio ? bindings.audio : &null_audio;
    current.mci = bindings.mci ? bindings.mci : &null_mci;
}

}  // namespace platform
