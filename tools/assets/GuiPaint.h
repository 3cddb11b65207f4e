// The painting kit behind the wooden interface: deterministic noise, wood and
// leather textures, bevelled panels, and the conversion of a finished canvas
// into a colour-keyed picture.
#pragma once

#include "Image.h"

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace assets::gui {

// A colour with channels from 0 to 1.
struct SColour {
    double r = 0;
    double g = 0;
    double b = 0;
};

SColour Rgb(int r, int g, int b);
SColour Mix(const SColour& a, const SColour& b, double t);
SColour Scale(const SColour& c, double factor);
void SetSource(cairo_t* cr, const SColour& c, double alpha = 1.0);

// Deterministic noise: the same inputs give the same value on every run.
// Hash01 is white noise on the integer lattice, ValueNoise smooth noise and
// Fbm a sum of octaves of it; all return values in [0, 1].
double Hash01(int x, int y, uint32_t seed);
double ValueNoise(double x, double y, uint32_t seed);
double Fbm(double x, double y, uint32_t seed, int octaves);

// A small generator for scattering things (stars, flecks): xorshift32.
class CScatter {
public:
    explicit CScatter(uint32_t seed)
        : state(seed ? seed : 0x9E3779B9u)
    {
    }
    uint32_t Next();
    // Uniform in [0, 1).
    double Unit();

private:
    uint32_t state;
};

enum class EGrain { Horizontal, Vertical };

struct SWoodStyle {
    SColour light;
    SColour dark;
    EGrain grain = EGrain::Horizontal;
    double ringSpacingPx = 9.0; // average distance between growth rings
    double figure = 1.0; // how strongly the rings wander
    uint32_t seed = 1;
};

// The palettes of the interface: honey oak for everything that is pressed,
// walnut for frames and bars, chocolate for the recessed fields text sits on.
SWoodStyle HoneyOak(uint32_t seed, EGrain grain = EGrain::Horizontal);
SWoodStyle Walnut(uint32_t seed, EGrain grain = EGrain::Horizontal);
SColour ChocolateLight();
SColour ChocolateDark();

// A rectangle in picture units.
struct SArea {
    double x = 0;
    double y = 0;
    double w = 1e9;
    double h = 1e9;
};

// Every pixel of a canvas, opaque, from a function of its position in
// picture units: a pixel's sample point is its centre, so at scale 1 the
// positions are the whole numbers x and y, and at scale s the s x s pixels of
// picture pixel (x, y) sample evenly around that point, drawing the same
// texture finer.
void ShadePixels(
    CCanvas& canvas, const std::function<SColour(double x, double y)>& shade, const std::vector<SArea>& areas = {{}});

// The picture pixel whose block holds a sample point of ShadePixels: white
// noise looked up per picture pixel keeps its grain at every scale.
int PixelOf(double position);

// Textures of width x height picture units at the given display scale. Only
// the pixels in and around the areas are shaded (the rest stays clear), to
// spare the time of large textures that show only in part.
std::unique_ptr<CCanvas> MakeWood(
    int width, int height, const SWoodStyle& style, int scale, const std::vector<SArea>& areas = {{}});
// A fine, slightly mottled surface without grain (leather, lacquer).
std::unique_ptr<CCanvas> MakeLeather(int width, int height, const SColour& light, const SColour& dark, uint32_t seed,
    int scale, const std::vector<SArea>& areas = {{}});

void RoundedRectangle(cairo_t* cr, double x, double y, double w, double h, double radius);

enum class EBevel { Raised, Sunken };

// Lights the rim of the current path's shape as a bevel lit from the top
// left: the band of width bevelPx inside the rounded rectangle. strength 0..1.
void PaintBevel(cairo_t* cr, double x, double y, double w, double h, double radius, double bevelPx, EBevel bevel,
    double strength = 1.0);

// Fills a rounded rectangle with a texture, bevels it and draws a thin dark
// outline: the basic wooden plank of the interface.
void PaintPlank(cairo_t* cr, const CCanvas& texture, double x, double y, double w, double h, double radius,
    double bevelPx, EBevel bevel);

// A darkened inner shadow along the top and left of a sunken field.
void PaintInnerShadow(cairo_t* cr, double x, double y, double w, double h, double radius, double depthPx);

// Darkens toward the edges of the rectangle (0 none, 1 black corners).
void PaintVignette(cairo_t* cr, double w, double h, double strength);

// How the finished canvas becomes a colour-keyed picture.
enum class EKeyMode {
    // Premultiplied colours over black: soft edges fade to black (text).
    Blend,
    // Each pixel either fully drawn (alpha at least one half, colour restored
    // to full strength) or pure black: crisp edges with no dark fringe.
    Threshold,
};

// The picture of a canvas with the near-black rule applied: pure black only
// where nothing is drawn, every drawn pixel visible at 15 and 16 bits.
CImage FinishPicture(const CCanvas& canvas, EKeyMode mode);

} // namespace assets::gui
