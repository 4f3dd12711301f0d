#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/mci.h"
#include "platform/media/wav_recording.h"

namespace platform::media {

// The command interpreter of the recording device. It understands what the recorder sends:
// "open new type waveaudio alias A", "set A time format ms", "set A alignment ... channels ...",
// "record A", "save A NAME" and "close A", and answers with the usual error codes (a second
// open of an alias in use fails; commands for an unknown alias fail). Recording writes into a
// temporary file in the working directory; save completes it and names it. GUI thread only.
class MciDevice final : public Mci {
 public:
    static constexpr int kUnrecognizedCommand = 261;
    static constexpr int kHardware = 262;
    static constexpr int kInvalidDeviceName = 263;
    static constexpr int kFileNotSaved = 286;
    static constexpr int kDuplicateAlias = 289;

    using CaptureFactory = std::function<std::unique_ptr<CaptureSource>()>;
    explicit MciDevice(CaptureFactory make_capture = MakeSdlCapture);
    ~MciDevice() override;

    int Send(const std::string& command, std::string& reply) override;

 private:
    int Open(const std::string& alias);
    int Record();
    int Save(const std::string& name);
    int Close();

    CaptureFactory make_capture_;
    std::string alias_;  // empty: no device open
    std::unique_ptr<WavRecording> recording_;
    std::string recording_path_;
};

}  // namespace platform::media
