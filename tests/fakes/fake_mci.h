#pragma once

#include <string>

#include "fakes/call_log.h"
#include "platform/mci.h"

namespace fakes {

// Logs every command; keeps track of the one alias the program uses, and on "save ALIAS NAME"
// writes a small stand-in file NAME in the working directory, as the real device writes a WAV.
class FakeMci final : public platform::Mci {
 public:
    explicit FakeMci(CallLog& log) : log_(log) {}

    static constexpr int kDuplicateAlias = 289;
    bool open = false;

    int Send(const std::string& command, std::string& reply) override;

 private:
    CallLog& log_;
};

}  // namespace fakes
