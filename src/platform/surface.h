#pragma once

namespace platform {

// The drawing layer behind the visualisation screen. GUI thread only.
class Surface {
 public:
    virtual ~Surface() = default;

    // Brings the layer up once at start-up; false when the display cannot carry it.
    virtual bool Initialise() = 0;
    // Gives back whatever Initialise and the screens took. Harmless when nothing is held.
    virtual void Release() = 0;
};

}  // namespace platform
