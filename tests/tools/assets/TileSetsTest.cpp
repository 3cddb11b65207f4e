// The generated tile sets: file names and format, the transparent outside,
// faces that differ (the large print set's by lightness alone, to any colour
// vision), pictures that fit together on the board without gaps, and tiles
// that stand out on every backdrop.
#include "GeneratedTree.h"

#include "Backdrops.h"
#include "ContactSheet.h"
#include "StackedTiles.h"
#include "TileFacesKit.h"
#include "TileSets.h"

#include "board/TileSet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <numeric>
#include <set>

namespace {

using assets::CImage;
using assets::SRgb;
using namespace gui_assets_test;

bool IsBlack(const SRgb& p) { return p == SRgb{}; }

std::string SetFolder(const std::string& set) { return GeneratedTree().dir.File("Graphics/Tile Sets/" + set); }

// The 42 pictures of every set, read back by the generator's own loader.
const std::map<std::string, std::vector<CImage>>& Pictures()
{
    static const std::map<std::string, std::vector<CImage>> pictures = [] {
        std::map<std::string, std::vector<CImage>> loaded;
        for (const std::string& set : assets::TileSetFolderNames()) {
            loaded[set] = assets::LoadTileSet(SetFolder(set)).value_or(std::vector<CImage>{});
        }
        return loaded;
    }();
    return pictures;
}

// The names the game loads each face by (pinned in the board tests).
TEST(TileSets, FileNamesAreTheOnesTheGameLoadsAndFolderNamesAreUsable)
{
    const std::vector<std::string> names = assets::TileFileNames();
    ASSERT_EQ(names.size(), size_t{board::kFaceCount});
    for (int face = 1; face <= board::kFaceCount; ++face) {
        EXPECT_EQ(names[static_cast<size_t>(face - 1)], board::TileFaceFileName(face)) << "face " << face;
    }
    // Listed by the game (not hidden) and short enough for the options file.
    const std::vector<std::string> sets = assets::TileSetFolderNames();
    ASSERT_GE(sets.size(), 2u);
    EXPECT_EQ(std::set(sets.begin(), sets.end()).size(), sets.size());
    for (const std::string& set : sets) {
        EXPECT_TRUE(!set.empty() && set[0] != '.' && set.size() < 256) << set;
        EXPECT_EQ(set.find_first_of("/\\:*?\"<>|"), std::string::npos) << set;
    }
}

// Every file is a plain 64 x 64 24-bit bitmap whose tile keeps to its shape
// and the shape to what the board draws: black (transparent) outside it,
// solid away from its rounded corners.
TEST(TileSets, EveryPictureIsTransparentOutsideTheShapeAndSolidInside)
{
    ASSERT_TRUE(GeneratedTree().written);
    for (const std::string& set : assets::TileSetFolderNames()) {
        for (const std::string& name : assets::TileFileNames()) {
            const std::optional<SBitmap> picture = LoadBmp(SetFolder(set) + "/" + name);
            ASSERT_TRUE(picture && picture->Width() == 64 && picture->Height() == 64) << set << "/" << name;
            int outsideShape = 0;
            int holes = 0;
            for (int y = 0; y < 64; ++y) {
                for (int x = 0; x < 64; ++x) {
                    const bool keyed = IsKey(picture->At(x, y));
                    // The shape is convex: a 7 x 7 square is inside when its corners are.
                    const bool deepInside = assets::IsInsideTileShape(x - 3, y - 3)
                        && assets::IsInsideTileShape(x + 3, y - 3) && assets::IsInsideTileShape(x - 3, y + 3)
                        && assets::IsInsideTileShape(x + 3, y + 3);
                    // The board shows (0,0)-(45,61) of a picture, but column 44 only
                    // from row 29 on: the shape needs none of what is cut off.
                    const bool inside = assets::IsInsideTileShape(x, y);
                    const bool cutOff = x >= 45 || y >= 61 || (x == 44 && y < 29);
                    outsideShape += (!keyed && !inside) || (inside && cutOff);
                    holes += keyed && deepInside;
                }
            }
            EXPECT_EQ(outsideShape, 0) << set << "/" << name;
            EXPECT_EQ(holes, 0) << set << "/" << name;
        }
    }
}

// ---- Telling faces apart by lightness, and tiles from backdrops ----

double Linear(double srgb) { return srgb <= 0.04045 ? srgb / 12.92 : std::pow((srgb + 0.055) / 1.055, 2.4); }
double Luminance(double r, double g, double b) { return 0.2126 * r + 0.7152 * g + 0.0722 * b; }
double Luminance(const SRgb& p) { return Luminance(Linear(p.r / 255.0), Linear(p.g / 255.0), Linear(p.b / 255.0)); }
double LStar(double y) { return y > 0.008856 ? 116 * std::cbrt(y) - 16 : 903.3 * y; }

// The greyscale of a face (the identity), and the colour-blind simulations of
// Machado, Oliveira and Fernandes (2009) at full severity: protanopia,
// deuteranopia and tritanopia, each applied to linear RGB and clamped.
using SVision = std::pair<const char*, std::array<double, 9>>;
const SVision kVisions[] = {{"greyscale", {1, 0, 0, 0, 1, 0, 0, 0, 1}},
    {"protanopia", {0.152286, 1.052583, -0.204868, 0.114503, 0.786281, 0.099216, -0.003882, -0.048116, 1.051998}},
    {"deuteranopia", {0.367322, 0.860646, -0.227968, 0.280085, 0.672501, 0.047413, -0.011820, 0.042940, 0.968881}},
    {"tritanopia", {1.255528, -0.076749, -0.178779, -0.078411, 0.930809, 0.147602, 0.004733, 0.691367, 0.303900}}};

// A face at a glance: the CIE lightness L* (0..100) of the 1x face area as
// that vision sees it, averaged over blocks of 3 x 3 pixels (a blur that
// keeps the large numerals and marks and loses fine lines).
std::vector<double> Glance(const CImage& tile, const std::array<double, 9>& m)
{
    std::vector<double> blocks(12 * 18);
    for (int y = 1; y < 55; ++y) {
        for (int x = 5; x < 41; ++x) {
            const SRgb& p = tile.At(x, y);
            const double rgb[] = {Linear(p.r / 255.0), Linear(p.g / 255.0), Linear(p.b / 255.0)};
            const auto seen = [&](int row) {
                return std::clamp(m[3 * row] * rgb[0] + m[3 * row + 1] * rgb[1] + m[3 * row + 2] * rgb[2], 0.0, 1.0);
            };
            blocks[static_cast<size_t>((y - 1) / 3 * 12 + (x - 5) / 3)] += LStar(Luminance(seen(0), seen(1), seen(2))) / 9;
        }
    }
    return blocks;
}

double MeanDifference(const std::vector<double>& a, const std::vector<double>& b)
{
    double sum = 0;
    for (size_t k = 0; k < a.size(); ++k) {
        sum += std::abs(a[k] - b[k]);
    }
    return sum / static_cast<double>(a.size());
}

// The two faces most alike at a glance over every vision, and how much they
// differ (mean absolute difference in L*).
std::pair<double, std::string> ClosestPair(const std::vector<CImage>& faces)
{
    std::pair<double, std::string> closest = {1e9, ""};
    for (const auto& [vision, matrix] : kVisions) {
        std::vector<std::vector<double>> seen;
        for (const CImage& face : faces) {
            seen.push_back(Glance(face, matrix));
        }
        for (size_t i = 0; i < seen.size(); ++i) {
            for (size_t j = i + 1; j < seen.size(); ++j) {
                closest = std::min(closest, {MeanDifference(seen[i], seen[j]),
                    std::string(vision) + ": faces " + std::to_string(i + 1) + " and " + std::to_string(j + 1)});
            }
        }
    }
    return closest;
}

// A motif drawn nowhere or twice leaves two faces alike. Every two faces of
// the large print set, flowers and seasons among their own groups too,
// differ at a glance to every vision by at least 4.5 L* over the face: two
// cues at least, a numeral and a pip or an emblem and the pips (measured
// 5.0, dots 8 and 9; the traditional sets, which also tell faces apart by
// colour and detail, 2.5 to 3.2). A face painted twice fails. A face of one
// set differs from the same face of the first by at least 8 (measured 10).
TEST(TileSets, EveryFaceLooksDifferentAndSetsDifferInCharacter)
{
    const std::vector<CImage>& first = Pictures().begin()->second;
    for (const auto& [set, faces] : Pictures()) {
        ASSERT_EQ(faces.size(), 42u) << set;
        const auto [difference, where] = ClosestPair(faces);
        RecordProperty("closest " + set, std::to_string(difference) + " (" + where + ")");
        EXPECT_GE(difference, set == "Large Print" ? 4.5 : 1.5) << set << ", " << where;
        for (size_t i = 0; &faces != &first && i < faces.size(); ++i) {
            EXPECT_GE(MeanDifference(Glance(first[i], kVisions[0].second), Glance(faces[i], kVisions[0].second)), 8.0)
                << set << ": face " << i + 1;
        }
    }
    std::vector<CImage> doctored = Pictures().at("Large Print");
    doctored[36] = doctored[35];
    EXPECT_LT(ClosestPair(doctored).first, 0.01);
}

double Contrast(double a, double b) { return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05); }

// Each tile stands out on each backdrop: its face, or the lip or the back of
// its edge, has a WCAG contrast ratio of at least 3:1 (the ratio asked of the
// parts of a graphic that must be seen) with the backdrop's mean luminance,
// and of at least 2:1 with both its darkest and its lightest areas (the 5th
// and 95th percentiles of its 25 x 25 blocks). Measured at least 3.1 and 2.7.
TEST(TileSets, EveryTileSetStandsOutOnEveryBackdrop)
{
    for (const std::string& name : assets::gui::BackdropFileNames()) {
        const std::optional<SBitmap> backdrop = LoadBmp(GeneratedTree().dir.File("Graphics/Backdrops/" + name));
        ASSERT_TRUE(backdrop && backdrop->Width() == 800 && backdrop->Height() == 600) << name;
        std::vector<double> blocks(32 * 24);
        for (int y = 0; y < 600; ++y) {
            for (int x = 0; x < 800; ++x) {
                blocks[static_cast<size_t>(y / 25 * 32 + x / 25)] += Luminance(backdrop->At(x, y)) / 625;
            }
        }
        const double mean = std::accumulate(blocks.begin(), blocks.end(), 0.0) / static_cast<double>(blocks.size());
        std::ranges::sort(blocks);
        const double darkest = blocks[blocks.size() / 20];
        const double lightest = blocks[blocks.size() - 1 - blocks.size() / 20];
        for (const assets::STileSetStyle& style : assets::TileSetStyles()) {
            const assets::STilePalette& p = style.palette;
            double onMean = 0;
            double onExtremes = 0;
            for (const auto& [one, other] : {std::pair{p.faceTop, p.faceBottom}, std::pair{p.lipLeft, p.lipBottom},
                     std::pair{p.backLeft, p.backBottom}}) {
                const assets::SColour c = assets::faces::Mix(one, other, 0.5);
                const double part = Luminance(Linear(c.r), Linear(c.g), Linear(c.b));
                onMean = std::max(onMean, Contrast(part, mean));
                onExtremes = std::max(onExtremes, std::min(Contrast(part, darkest), Contrast(part, lightest)));
            }
            EXPECT_GE(onMean, 3.0) << style.folderName << " on " << name;
            EXPECT_GE(onExtremes, 2.0) << style.folderName << " on " << name;
        }
    }
}

// A 2 x 2 block, a neighbour half a row lower on its right and a tile on
// level 1 over the middle of the block. Tile pictures are never black inside,
// so black on the board is a gap.
TEST(TileSets, NeighboursAndUpperLevelsLeaveNoGaps)
{
    const std::vector<assets::SPlacedTile> tiles
        = {{0, 0, 0, 5}, {0, 0, 2, 14}, {0, 2, 0, 23}, {0, 2, 2, 29}, {0, 1, 4, 33}, {1, 1, 1, 40}};
    constexpr int kOrigin = 20;
    // Within 2 pixels of a rounded corner of a level-0 face.
    const auto nearFaceCorner = [&](int x, int y) {
        return std::ranges::any_of(tiles, [&](const assets::SPlacedTile& t) {
            const int dx = std::min(std::abs(x - (20 * t.column + 4)), std::abs(x - (20 * t.column + 43)));
            const int dy = std::min(std::abs(y - 28 * t.row), std::abs(y - (28 * t.row + 55)));
            return t.level == 0 && dx <= 2 && dy <= 2;
        });
    };
    for (const auto& [set, faces] : Pictures()) {
        ASSERT_EQ(faces.size(), 42u);
        CImage board(160, 160);
        assets::DrawStackedTiles(board, kOrigin, kOrigin, tiles, faces);
        // The faces of level 0 cover (4, 0)-(84, 112) of the block and the
        // neighbour (84, 28)-(124, 84): all tile but for the rounded corners.
        int gaps = 0;
        for (int y = 0; y < 112; ++y) {
            for (int x = 4; x < 124; ++x) {
                const bool covered = x < 84 || (y >= 28 && y < 84);
                gaps += covered && IsBlack(board.At(kOrigin + x, kOrigin + y)) && !nearFaceCorner(x, y);
            }
        }
        EXPECT_EQ(gaps, 0) << set;
        // The upper tile, 4 pixels right of and above its cell, is drawn over
        // everything below it.
        for (int y = 0; y < 56; ++y) {
            for (int x = 4; x < 44; ++x) {
                if (!IsBlack(faces[39].At(x, y))) {
                    ASSERT_EQ(board.At(kOrigin + 24 + x, kOrigin + 24 + y), faces[39].At(x, y))
                        << set << " " << x << "," << y;
                }
            }
        }
    }
}

// Both readers of the generator's bitmaps (the tile loader and the contact
// sheet) read back what the encoder wrote, row padding included, and refuse
// anything else.
TEST(BmpReaders, ReadWhatTheEncoderWroteAndRefuseOtherFiles)
{
    for (const int width : {1, 2, 3, 4, 5, 17}) {
        CImage image(width, 3);
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < width; ++x) {
                image.At(x, y) = {static_cast<uint8_t>(x * 10), static_cast<uint8_t>(y * 40), 200};
            }
        }
        const std::vector<uint8_t> good = image.EncodeBmp();
        // Encoded again, what was read gives the same bytes: size and pixels.
        const std::optional<CImage> decoded = assets::DecodeBmp(good);
        ASSERT_TRUE(decoded) << width;
        EXPECT_EQ(decoded->EncodeBmp(), good) << width;
        const std::tuple<const char*, size_t, uint8_t, size_t> spoilers[]
            = {{"wrong magic", 0, 'X', good.size()}, {"32 bits per pixel", 28, 32, good.size()},
                {"compressed", 30, 1, good.size()}, {"zero width", 18, 0, good.size()},
                {"pixels cut short", 0, 'B', good.size() - 1}, {"header cut short", 0, 'B', 40}};
        for (const auto& [what, at, value, keepBytes] : spoilers) {
            std::vector<uint8_t> bytes = good;
            bytes[at] = value;
            bytes.resize(keepBytes);
            EXPECT_FALSE(assets::DecodeBmp(bytes)) << what;
        }
    }
}

} // namespace
