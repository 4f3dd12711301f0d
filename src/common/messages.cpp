#include "common/messages.h"

#include "platform/platform.h"

namespace common {

void ShowError(const std::string& title, const std::string& text) {
    platform::TheSystem().MessageBox(title, text);
}

}  // namespace common
