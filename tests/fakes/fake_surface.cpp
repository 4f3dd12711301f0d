#include "fakes/fake_surface.h"

namespace fakes {

bool FakeSurface::Initialise() {
    log_.Add("surface.Initialise");
    return available;
}

bool FakeSurface::LoadFont(const std::string& face, int points) {
    log_.Add("surface.LoadFont " + face + " " + std::to_string(points));
    return true;
}

bool FakeSurface::OpenScreen(int window, int x, int y, int width, int height) {
    log_.Add("surface.OpenScreen " + std::to_string(window) + " " + std::to_string(x) + " " +
             std::to_string(y) + " " + std::to_string(width) + " " + std::to_string(height));
    CloseScreen();
    screen_open = !open_fails;
    return screen_open;
}

void FakeSurface::CloseScreen() {
    if (!screen_open) return;
    log_.Add("surface.CloseScreen");
    screen_open = false;
    sprites.clear();
}

void FakeSurface::Present() {
    if (!screen_open) return;
    log_.Add("surface.Present");
    ++presents;
    displayed.clear();
    texts.clear();
}

void FakeSurface::Clear(common::Colour colour) {
    if (screen_open) log_.Add("surface.Clear " + std::to_string(colour));
}

void FakeSurface::CreateSprite(int number, int width, int height) {
    if (screen_open) sprites[number] = Sprite{width, height, nullptr};
}

bool FakeSurface::DrawImageOnSprite(int number, const common::Image* image, int, int) {
    auto found = sprites.find(number);
    if (found == sprites.end()) return false;
    found->second.image = image;
    return true;
}

void FakeSurface::DisplaySprite(int number, int x, int y) {
    if (sprites.count(number)) displayed.push_back({number, x, y});
}

bool FakeSurface::DrawText(int x, int y, const std::string& text, common::Colour colour) {
    if (!screen_open) return false;
    texts.push_back({x, y, text, colour});
    return true;
}

int FakeSurface::TextWidth(const std::string& text) {
    auto found = widths.find(text);
    return found != widths.end() ? found->second : character_width;
}

}  // namespace fakes
