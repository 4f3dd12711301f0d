#include "platform/media/mci_device.h"

#include <unistd.h>

#include <cstdio>
#include <sstream>
#include <vector>

namespace platform::media {
namespace {

std::vector<std::string> Words(const std::string& command) {
    std::istringstream stream(command);
    std::vector<std::string> words;
    for (std::string word; stream >> word;) words.push_back(word);
    return words;
}

// The rest of the command after its first `skip` words, as given (a file name may hold spaces).
std::string Rest(const std::string& command, int skip) {
    std::size_t at = 0;
    for (int i = 0; i < skip; ++i) {
        at = command.find_first_not_of(' ', at);
        at = command.find(' ', at);
        if (at == std::string::npos) return {};
    }
    at = command.find_first_not_of(' ', at);
    return at == std::string::npos ? std::string() : command.substr(at);
}

}  // namespace

MciDevice::MciDevice(CaptureFactory make_capture) : make_capture_(std::move(make_capture)) {}

MciDevice::~MciDevice() = default;

int MciDevice::Send(const std::string& command, std::string& reply) {
    reply.assign(reply.size(), ' ');
    const std::vector<std::string> words = Words(command);
    if (words.size() < 2) return kUnrecognizedCommand;
    const std::string& verb = words[0];
    if (verb == "open") {
        return words.size() == 6 && words[1] == "new" && words[4] == "alias" ? Open(words[5])
                                                                             : kUnrecognizedCommand;
    }
    if (alias_.empty() || words[1] != alias_) return kInvalidDeviceName;
    if (verb == "set") return 0;  // the format is fixed: 16-bit stereo at 44.1 kHz
    if (verb == "record") return Record();
    if (verb == "save") return Save(Rest(command, 2));
    if (verb == "close") return Close();
    return kUnrecognizedCommand;
}

int MciDevice::Open(const std::string& alias) {
    if (!alias_.empty()) return kDuplicateAlias;
    alias_ = alias;
    return 0;
}

// The recording goes into a file of its own next to where it will be saved; nothing is lost
// if the program ends meanwhile, and a save only has to close and name it.
int MciDevice::Record() {
    if (recording_) return 0;
    recording_path_ = ".recording-" + std::to_string(getpid()) + ".wav";
    recording_ = WavRecording::Start(make_capture_(), recording_path_);
    return recording_ ? 0 : kHardware;
}

int MciDevice::Save(const std::string& name) {
    if (!recording_ || name.empty()) return kFileNotSaved;
    const bool complete = recording_->Finish();
    recording_.reset();
    // A save replaces a file of the same name, as it always has.
    if (!complete || std::rename(recording_path_.c_str(), name.c_str()) != 0) {
        std::remove(recording_path_.c_str());
        return kFileNotSaved;
    }
    return 0;
}

int MciDevice::Close() {
    recording_.reset();
    alias_.clear();
    return 0;
}

}  // namespace platform::media
