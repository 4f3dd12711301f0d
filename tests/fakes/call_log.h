#pragma once

#include <string>
#include <vector>

namespace fakes {

// One shared, ordered record of what the fakes were asked to do, for tests of sequence.
struct CallLog {
    std::vector<std::string> calls;
    void Add(std::string call) { calls.push_back(std::move(call)); }
    bool Contains(const std::string& call) const;
    // Position of the first entry equal to call, or -1.
    int IndexOf(const std::string& call) const;
};

}  // namespace fakes
