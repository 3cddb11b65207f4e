// The test card: one 800 x 600 frame that exercises every drawing operation
// of the media layer (keyed, partial, stretched and clipped sprites, the
// blend at 32 and 16 bits, and each font at each alignment).
#pragma once

#include <string>

class CDisplay;
class CFontTable;

namespace testcard {

struct SCardPictures {
    std::string spriteFile; // any picture on black, drawn keyed
    std::string overlayFile; // the tile overlay, blended over 44 x 60
};

// Draws the card into the display's back buffer (800 x 600).
void ComposeTestCard(CDisplay& display, CFontTable& fonts, const SCardPictures& pictures);

} // namespace testcard
