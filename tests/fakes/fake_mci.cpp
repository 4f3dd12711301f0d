#include "fakes/fake_mci.h"

#include <fstream>

namespace fakes {

int FakeMci::Send(const std::string& command, std::string& reply) {
    log_.Add("mci " + command);
    reply.assign(reply.size(), ' ');
    if (command.starts_with("open ")) {
        if (open) return kDuplicateAlias;
        open = true;
    } else if (command.starts_with("save recsound ")) {
        std::ofstream(command.substr(14), std::ios::binary) << "RIFF recording";
    } else if (command.starts_with("close ")) {
        open = false;
    }
    return 0;
}

}  // namespace fakes
