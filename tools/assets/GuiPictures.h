// The pictures of the wooden interface, each a named job that paints one
// bitmap, and the text painting they share.
#pragma once

#include "Fonts.h"
#include "GuiPaint.h"
#include "Image.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace assets::gui {

struct SPictureJob {
    std::string path; // of the 1x picture below the data root, '/' separated
    // The picture drawn at a display scale (scale x its size in pixels), or
    // nothing when it cannot be made (a missing font).
    std::function<std::optional<CImage>(int scale)> paint;
    // Written at every scale from 1 to this one.
    int largestScale = kLargestScale;
};

std::vector<SPictureJob> WidgetPictureJobs();
std::vector<SPictureJob> MenuPictureJobs();
std::vector<SPictureJob> GamePictureJobs();

// The look of text painted into a picture: a gradient fill from the top of
// the capitals to the baseline, a dark rim and an optional drop shadow.
struct STextLook {
    SColour fillTop;
    SColour fillBottom;
    SColour rim;
    double rimPx = 1.5;
    double shadowPx = 0.0;
};

STextLook GoldLook(double rimPx, double shadowPx);
STextLook IvoryLook(double rimPx, double shadowPx);

enum class EAnchor { Left, Centre };

// Paints one line of UTF-8 text with its pen at x (left edge or centre) on
// the baseline, its glyphs placed as at scale 1 whatever the canvas's scale;
// false when the font is missing.
bool PaintText(cairo_t* cr, EFace face, double sizePx, const std::string& text, double x, double baselineY,
    EAnchor anchor, const STextLook& look);

// The advance width of the text at that size, measured at scale 1 so that a
// size fitted to a width is the same in every version of a picture.
double TextWidth(EFace face, double sizePx, const std::string& text);

// A thin gold line around a rounded rectangle.
void PaintGoldHairline(cairo_t* cr, double x, double y, double w, double h, double radius, double alpha);

// A walnut frame holding a field of dark leather: the surface every menu
// page and dialog text is drawn on. The field lies frameInset inside the
// frame; width and height are the canvas's.
void PaintLeatherPanel(cairo_t* cr, int width, int height, double frameX, double frameY, double frameW, double frameH,
    double frameInset, uint32_t seed);

} // namespace assets::gui
