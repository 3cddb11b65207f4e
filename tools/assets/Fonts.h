// The three glyph sheets of the game and their advance tables, rasterised
// from Debian's free fonts, and the same font faces for text that is painted
// straight into pictures (titles, the names on the game type boxes).
#pragma once

#include "Image.h"

#include <cairo.h>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace assets::gui {

inline constexpr int kFontCount = 3;
inline constexpr int kGlyphCount = 256;
inline constexpr int kSheetColumns = 16;

struct SFontSheetFormat {
    const char* sheetFile; // below the data root
    const char* metricsFile; // below the data root
    int sheetPx; // sheet width and height
    int cellPx; // sheetPx / 16
    int lineHeightPx; // the game's line step for this font
};

// Fonts 1 to 3 as the game loads them.
const SFontSheetFormat& FontSheetFormat(int index);

// How every glyph of a sheet was set, kept to draw the sheet again finer.
struct SSheetRecipe;

struct SFontSheet {
    CImage sheet{0, 0};
    // Advance of every character code; the glyph of code c fills exactly the
    // advance-wide columns in the middle of its cell and the top lineHeightPx
    // rows, everything else of the cell stays black.
    std::array<int8_t, kGlyphCount> advances{};
    // Row of the baseline inside a cell.
    int baselineRow = 0;
    std::shared_ptr<const SSheetRecipe> recipe;
};

// The sheet of font 1, 2 or 3, rasterised on first use. Null, after a message
// on stderr, when a font file is missing or a glyph does not fit its cell.
const SFontSheet* FontSheet(int index);

// The sheet of font 1, 2 or 3 drawn at a display scale: scale times its size,
// every glyph rendered at scale times the point size into the block that is
// scale times its 1x cell, with the same baseline and columns, so that the
// 1x advances lay text out the same. Nothing when FontSheet has nothing.
std::optional<CImage> FontSheetAtScale(int index, int scale);

// The 256 bytes of a metrics file: each advance as a signed byte.
std::array<uint8_t, kGlyphCount> EncodeMetrics(const SFontSheet& sheet);

enum class EFace { SerifRegular, SerifBold, Display };

// Where the face is installed, and which Debian package brings it.
std::string FontFilePath(EFace face);
const char* FontPackage(EFace face);

// A cairo face for the font file, loaded once; null, after a message on
// stderr naming the missing package, when the file is missing.
cairo_font_face_t* FontFace(EFace face);

// Selects the face at a pixel size with the fixed rendering options every
// picture uses (grey anti-aliasing, light hinting), so that the output does
// not depend on the desktop's font configuration.
bool UseFont(cairo_t* cr, EFace face, double pixelSize);

// The UTF-8 form of one Latin-1 character code.
std::string Latin1ToUtf8(uint8_t code);

} // namespace assets::gui
