#pragma once

#include <string>

namespace platform {

// The recording device, driven by command strings ("open new type waveaudio alias A", "record
// A", "save A NAME", "close A", ...). Answers 0 or an error code; the reply text, if any, goes
// into `reply`. GUI thread only.
class Mci {
 public:
    virtual ~Mci() = default;
    virtual int Send(const std::string& command, std::string& reply) = 0;
};

}  // namespace platform
