#pragma once

#include <map>
#include <string>
#include <vector>

#include "fakes/call_log.h"
#include "platform/surface.h"

namespace fakes {

// Keeps what was drawn as calls, frame by frame, rather than as pixels.
class FakeSurface final : public platform::Surface {
 public:
    explicit FakeSurface(CallLog& log) : log_(log) {}

    struct Placed {
        int number;
        int x, y;
        bool operator==(const Placed&) const = default;
    };
    struct Text {
        int x, y;
        std::string text;
        common::Colour colour;
        bool operator==(const Text&) const = default;
    };
    struct Sprite {
        int width = 0, height = 0;
        const common::Image* image = nullptr;
    };

    bool available = true;
    bool open_fails = false;
    bool screen_open = false;
    // Width of every character measured, unless listed.
    int character_width = 8;
    std::map<std::string, int> widths;

    std::map<int, Sprite> sprites;
    std::vector<Placed> displayed;  // since the last present
    std::vector<Text> texts;        // since the last present
    int presents = 0;

    bool Initialise() override;
    void Release() override { log_.Add("surface.Release"); }
    bool LoadFont(const std::string& face, int points) override;
    bool OpenScreen(int window, int x, int y, int width, int height) override;
    void CloseScreen() override;
    void Present() override;
    void Clear(common::Colour colour) override;
    void CreateSprite(int number, int width, int height) override;
    bool DrawImageOnSprite(int number, const common::Image* image, int x, int y) override;
    void DisplaySprite(int number, int x, int y) override;
    bool BeginScreenDrawing() override { return screen_open; }
    void EndScreenDrawing() override {}
    bool DrawText(int x, int y, const std::string& text, common::Colour colour) override;
    int TextWidth(const std::string& text) override;

 private:
    CallLog& log_;
};

}  // namespace fakes
