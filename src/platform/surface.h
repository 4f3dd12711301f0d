#pragma once

#include <string>

#include "common/colour.h"
#include "common/image.h"

namespace platform {

// The drawing layer of the visualisation screen: one screen (a child area of a window with a
// back buffer), opaque sprites, and text in one font. GUI thread only. Every call is harmless
// when there is no screen, no such sprite or no such image: it draws nothing.
class Surface {
 public:
    virtual ~Surface() = default;

    // Brings the layer up once at start-up; false when the display cannot carry it.
    virtual bool Initialise() = 0;
    // Gives back whatever Initialise and the screen took. Harmless when nothing is held.
    virtual void Release() = 0;
    // The font text is drawn and measured in; false when it could not be made (text then uses
    // the default font).
    virtual bool LoadFont(const std::string& face, int points) = 0;

    // Closes any open screen, then opens one of width × height at (x, y) of the window, its back
    // buffer black and the area transparent to the mouse. False (and none open) on failure.
    virtual bool OpenScreen(int window, int x, int y, int width, int height) = 0;
    // Frees the sprites and the buffers and removes the area; the window repaints beneath.
    virtual void CloseScreen() = 0;
    // Shows the back buffer (which survives), at most once per display refresh period: waits
    // for the next one. Dispatches no events.
    virtual void Present() = 0;
    virtual void Clear(common::Colour colour) = 0;

    // A sprite of that size, all black. Creating a number again replaces it.
    virtual void CreateSprite(int number, int width, int height) = 0;
    // Copies the image onto the sprite with its corner at (x, y); false when there is no sprite.
    virtual bool DrawImageOnSprite(int number, const common::Image* image, int x, int y) = 0;
    // Draws the whole sprite, black included, at (x, y) of the back buffer, cut at its edges.
    virtual void DisplaySprite(int number, int x, int y) = 0;

    // Starts drawing on the back buffer; false (draw nothing) when there is none. Ended by
    // EndScreenDrawing.
    virtual bool BeginScreenDrawing() = 0;
    virtual void EndScreenDrawing() = 0;
    // Text on the back buffer: only the glyph's pixels are painted, the top-left corner of its
    // cell at (x, y). False when there is no back buffer.
    virtual bool DrawText(int x, int y, const std::string& text, common::Colour colour) = 0;
    // Width in pixels of the text in the font; 0 for an empty text.
    virtual int TextWidth(const std::string& text) = 0;
};

}  // namespace platform
