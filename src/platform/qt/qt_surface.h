#pragma once

#include "platform/surface.h"

namespace platform::qt {

// The software drawing layer that stands in for a hardware screen.
class QtSurface final : public Surface {
 public:
    bool Initialise() override;
    void Release() override;
};

}  // namespace platform::qt
