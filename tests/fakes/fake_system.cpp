#include "fakes/fake_system.h"

namespace fakes {

void FakeSystem::Sleep(int ms) {
    sleeps.push_back(ms);
    log_.Add("system.Sleep " + std::to_string(ms));
}

void FakeSystem::MessageBox(const std::string& title, const std::string& text) {
    messages.push_back({title, text});
    log_.Add("system.MessageBox " + title + ": " + text);
}

std::vector<std::string> FakeSystem::OpenFiles(const std::string& title, const std::string& folder,
                                               const std::string&) {
    log_.Add("system.OpenFiles " + title + " in " + folder);
    return chosen_files;
}

bool FakeSystem::LoadImage(const std::string& path, common::Image& image) {
    log_.Add("system.LoadImage " + path);
    auto found = image_files.find(path);
    if (found == image_files.end()) return false;
    image = found->second;
    return true;
}

common::Colour FakeSystem::DesktopPixel(int x, int y) {
    auto found = desktop.find({x, y});
    return found == desktop.end() ? platform::kInvalidColour : found->second;
}

void FakeSystem::Exit(int code) {
    log_.Add("system.Exit " + std::to_string(code));
    throw ProgramExited{code};
}

}  // namespace fakes
