#pragma once

#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "fakes/call_log.h"
#include "platform/system.h"

namespace fakes {

// Thrown by FakeSystem::Exit so a test sees that the program ended, and with what code.
struct ProgramExited {
    int code;
};

struct Message {
    std::string title;
    std::string text;
    bool operator==(const Message&) const = default;
    friend void PrintTo(const Message& m, std::ostream* os) { *os << m.title << ": " << m.text; }
};

class FakeSystem final : public platform::System {
 public:
    explicit FakeSystem(CallLog& log) : log_(log) {}

    std::vector<Message> messages;
    std::vector<int> sleeps;
    std::tm local_time{};
    std::vector<std::string> chosen_files;
    std::map<std::pair<int, int>, common::Colour> desktop;
    // The images that load, by path; any other path fails.
    std::map<std::string, common::Image> image_files;

    void Sleep(int ms) override;
    std::tm LocalTime() override { return local_time; }
    void MessageBox(const std::string& title, const std::string& text) override;
    std::string HomeFolder() override { return "/home/listener/"; }
    std::vector<std::string> OpenFiles(const std::string& title, const std::string& folder,
                                       const std::string& filter) override;
    bool LoadImage(const std::string& path, common::Image& image) override;
    common::Colour DesktopPixel(int x, int y) override;
    [[noreturn]] void Exit(int code) override;

 private:
    CallLog& log_;
};

}  // namespace fakes
