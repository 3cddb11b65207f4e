// The contact sheet and the screen mock-ups. The mock-ups copy pictures
// with the black key, stretch buttons by nearest pixels, blend the overlay at
// half strength and lay text out with the bitmap fonts by the game's rules
// for left (wrapping, scrolled) and centred (wrapping) text.
#include "ContactSheet.h"

#include "DataFiles.h"
#include "Fonts.h"

#include <cairo.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string_view>

namespace assets {

namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::optional<CImage> Load(const std::string& root, const std::string& relative)
{
    return DecodeBmp(ReadFile(root + "/" + relative));
}

bool IsKey(const SRgb& p) { return p == SRgb{}; }

// The back buffer of a mock-up and the game's drawing operations on it.
class CMockScreen {
public:
    CMockScreen()
        : back(800, 600)
    {
    }

    void DrawPart(const CImage& sprite, int x, int y, int left, int top, int right, int bottom)
    {
        for (int sy = top; sy < bottom; ++sy) {
            for (int sx = left; sx < right; ++sx) {
                const int dx = x + sx - left;
                const int dy = y + sy - top;
                if (sx < 0 || sy < 0 || sx >= sprite.Width() || sy >= sprite.Height() || !Inside(dx, dy)
                    || IsKey(sprite.At(sx, sy))) {
                    continue;
                }
                back.At(dx, dy) = sprite.At(sx, sy);
            }
        }
    }
    void Draw(const CImage& sprite, int x, int y) { DrawPart(sprite, x, y, 0, 0, sprite.Width(), sprite.Height()); }
    void DrawStretched(const CImage& sprite, int x, int y, int w, int h)
    {
        for (int dy = 0; dy < h; ++dy) {
            for (int dx = 0; dx < w; ++dx) {
                const SRgb& p = sprite.At(dx * sprite.Width() / w, dy * sprite.Height() / h);
                if (!IsKey(p) && Inside(x + dx, y + dy)) {
                    back.At(x + dx, y + dy) = p;
                }
            }
        }
    }
    void Blend(const CImage& sprite, int x, int y, int w, int h)
    {
        for (int sy = 0; sy < h; ++sy) {
            for (int sx = 0; sx < w; ++sx) {
                const SRgb& s = sprite.At(sx, sy);
                if (IsKey(s) || !Inside(x + sx, y + sy)) {
                    continue;
                }
                SRgb& d = back.At(x + sx, y + sy);
                d = {static_cast<uint8_t>(d.r / 2 + s.r / 2), static_cast<uint8_t>(d.g / 2 + s.g / 2),
                    static_cast<uint8_t>(d.b / 2 + s.b / 2)};
            }
        }
    }
    const CImage& Picture() const { return back; }

private:
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < 800 && y < 600; }
    CImage back;
};

struct SMockFont {
    CImage sheet{0, 0};
    std::array<int, 256> advances{};
    int cell = 16;
    int lineHeight = 16;
    int Advance(char c) const { return advances[static_cast<uint8_t>(c)]; }
};

class CMockText {
public:
    bool Load(const std::string& root)
    {
        for (int index = 1; index <= gui::kFontCount; ++index) {
            const gui::SFontSheetFormat& sheetFormat = gui::FontSheetFormat(index);
            std::optional<CImage> sheet = assets::Load(root, sheetFormat.sheetFile);
            const std::vector<uint8_t> metrics = ReadFile(root + "/" + sheetFormat.metricsFile);
            if (!sheet || metrics.size() != 256) {
                return false;
            }
            SMockFont& font = fonts[static_cast<size_t>(index - 1)];
            font.sheet = std::move(*sheet);
            for (size_t i = 0; i < 256; ++i) {
                font.advances[i] = static_cast<int8_t>(metrics[i]);
            }
            font.cell = sheetFormat.cellPx;
            font.lineHeight = sheetFormat.lineHeightPx;
        }
        return true;
    }

    // Alignment 1: left, wrapping at spaces, clipped at the bottom, scrolled.
    void Left(CMockScreen& screen, int index, std::string_view t, int left, int top, int right, int bottom,
        int firstLine = 0) const
    {
        const SMockFont& f = Font(index);
        int x = left;
        int line = 0;
        auto rowY = [&] { return line < firstLine ? top : top + (line - firstLine) * f.lineHeight; };
        for (size_t i = 0; i < t.size(); ++i) {
            if (rowY() > bottom) {
                return;
            }
            if (t[i] == '\n') {
                x = left;
                ++line;
            }
            if (t[i] == ' ' && x + WordWidth(f, t, i + 1) > right) {
                x = left;
                ++line;
                if (++i >= t.size()) {
                    return;
                }
            }
            if (rowY() > bottom) {
                return;
            }
            if (line >= firstLine) {
                Glyph(screen, f, t[i], x, rowY());
            }
            x += f.Advance(t[i]);
        }
    }

    // Alignment 3: each line centred, wrapping by whole words.
    void Centre(CMockScreen& screen, int index, std::string_view t, int left, int top, int right) const
    {
        const SMockFont& f = Font(index);
        const int avail = right - left;
        size_t pos = 0;
        for (int line = 0; pos < t.size(); ++line) {
            const int y = top + line * f.lineHeight;
            int lineWidth = 0;
            size_t end = pos;
            for (; end < t.size() && t[end] != '\n'; ++end) {
                lineWidth += f.Advance(t[end]);
            }
            if (lineWidth <= avail) {
                int x = left + (avail - lineWidth) / 2;
                for (size_t i = pos; i < end; ++i) {
                    Glyph(screen, f, t[i], x, y);
                    x += f.Advance(t[i]);
                }
                pos = end + 1;
                continue;
            }
            size_t k = pos;
            size_t count = 0;
            int w = 0;
            while (avail > 0) {
                const int ww = w + WordWidth(f, t, k);
                if (ww > avail) {
                    break;
                }
                const size_t length = WordLength(t, k);
                count += length + 1;
                k += length + 1;
                w = ww;
                if (w >= avail || k >= t.size()) {
                    break;
                }
            }
            if (count == 0) { // a word wider than the box: alone on its line
                count = WordLength(t, pos) + 1;
                w = WordWidth(f, t, pos);
            }
            int x = left + (avail - w) / 2;
            for (size_t i = pos; i < std::min(t.size(), pos + count); ++i) {
                Glyph(screen, f, t[i], x, y);
                x += f.Advance(t[i]);
            }
            pos += count;
        }
    }

private:
    const SMockFont& Font(int index) const { return fonts[static_cast<size_t>(index - 1)]; }

    static int WordWidth(const SMockFont& f, std::string_view t, size_t pos)
    {
        if (pos >= t.size() || t[pos] == ' ') {
            return 0;
        }
        int width = 0;
        for (size_t k = pos; k < t.size(); ++k) {
            width += f.Advance(t[k]);
            if (k + 1 >= t.size() || t[k + 1] == ' ') {
                break;
            }
        }
        return width;
    }

    static size_t WordLength(std::string_view t, size_t pos)
    {
        size_t k = pos + 1;
        while (k < t.size() && t[k] != ' ' && t[k] != '\n') {
            ++k;
        }
        return k - pos;
    }

    static void Glyph(CMockScreen& screen, const SMockFont& f, char c, int x, int y)
    {
        const auto code = static_cast<uint8_t>(c);
        const int a = f.Advance(c);
        const int left = (code % 16) * f.cell + (f.cell - a) / 2;
        const int top = (code / 16) * f.cell;
        screen.DrawPart(f.sheet, x, y, left, top, left + a, top + f.cell);
    }

    std::array<SMockFont, gui::kFontCount> fonts;
};

// Everything a mock-up needs from the data tree, loaded once.
class CMockKit {
public:
    explicit CMockKit(std::string dataRoot)
        : root(std::move(dataRoot))
    {
    }
    bool Ready() { return text.Load(root); }
    const CImage& Picture(const std::string& relative)
    {
        auto found = pictures.find(relative);
        if (found == pictures.end()) {
            std::optional<CImage> image = Load(root, relative);
            if (!image) {
                std::fprintf(stderr, "velmora-assets: mock-up misses %s\n", relative.c_str());
                image = CImage(1, 1);
            }
            found = pictures.emplace(relative, std::move(*image)).first;
        }
        return found->second;
    }
    const CImage& Gui(const std::string& name) { return Picture("Graphics/Gui/" + name); }
    const CImage& Game(const std::string& name) { return Picture("Graphics/Game/" + name); }

    // A text button as the toolkit draws it, caption in font 3.
    void Button(CMockScreen& s, const std::string& image, const std::string& caption, int x1, int y1, int x2, int y2,
        bool pressed = false)
    {
        const int w = x2 - x1;
        const int h = y2 - y1;
        const int shift = pressed ? 5 : 0;
        s.DrawStretched(Gui(image), x1 + shift, y1 + shift, w + shift, h + shift);
        text.Centre(s, 3, caption, x1 + shift, y1 + h / 2 - (pressed ? 10 : 15), x2 + shift);
    }

    // The layout miniature of the game selection page: a small pyramid.
    void Preview(CMockScreen& s, int x0, int y0)
    {
        const CImage& tile = Gui("Preview Mahjongg Tile.bmp");
        for (int z = 0; z < 3; ++z) {
            for (int r = 2 * z; r < 16 - 2 * z; r += 2) {
                for (int c = 28 - 4 * z; c >= 2 + 4 * z; c -= 2) {
                    s.DrawPart(tile, x0 + 5 * c + z, y0 + 7 * r - z, 0, 0, 11, 15);
                }
            }
        }
    }

    std::string root;
    CMockText text;

private:
    std::map<std::string, CImage> pictures;
};

CImage MainMenu(CMockKit& kit)
{
    CMockScreen s;
    s.Draw(kit.Gui("Main Menu Background.bmp"), 0, 0);
    const char* captions[] = {"Play Game", "Load Game", "Options", "Help", "Exit"};
    for (int i = 0; i < 5; ++i) {
        kit.Button(s, "Wood Button Large.bmp", captions[i], 575, 23 + 116 * i, 775, 113 + 116 * i, i == 2);
    }
    s.Draw(kit.Gui("Cursor.bmp"), 420, 300);
    return s.Picture();
}

void MenuPage(CMockKit& kit, CMockScreen& s)
{
    s.Draw(kit.Gui("Main Menu Background.bmp"), 0, 0);
    const char* captions[] = {"Play Game", "Load Game", "Options", "Help", "Exit"};
    for (int i = 0; i < 5; ++i) {
        kit.Button(s, "Wood Button Large.bmp", captions[i], 575, 23 + 116 * i, 775, 113 + 116 * i);
    }
    s.Draw(kit.Gui("Dialog Background.bmp"), 0, 125);
}

CImage GameSelectPage(CMockKit& kit)
{
    CMockScreen s;
    MenuPage(kit, s);
    const int oy = 125;
    kit.text.Centre(s, 2, "Game Type Options:", 0, oy + 30, 550);
    kit.text.Centre(s, 2, "Tile Layout Options:", 0, oy + 180, 550);
    s.Draw(kit.Gui("Wood Traditional Check Box Pushed.bmp"), 60, oy + 65);
    s.Draw(kit.Gui("Wood Vesk Style Check Box.bmp"), 220, oy + 65);
    s.Draw(kit.Gui("Wood Zandor Check Box.bmp"), 380, oy + 65);
    s.Draw(kit.Gui("Wood Selection Box.bmp"), 50, oy + 220);
    s.Draw(kit.Gui("Wood Selection Bar.bmp"), 250, oy + 245);
    s.DrawStretched(kit.Gui("Wood Selection Bar Button.bmp"), 250, oy + 245, 25, 71);
    s.Draw(kit.Gui("Wood Selection Arrow Up.bmp"), 250, oy + 220);
    s.Draw(kit.Gui("Wood Selection Arrow Down Pushed.bmp"), 250, oy + 345);
    const char* layouts[] = {"Bridge", "Castle", "Fortress", "Pyramid", "Turtle"};
    for (int r = 0; r < 5; ++r) {
        kit.text.Left(s, r == 4 ? 3 : 2, layouts[r], 60, oy + 230 + 25 * r, 240, oy + 360 + 25 * r);
    }
    s.Draw(kit.Gui("Wood Selection Box.bmp"), 300, oy + 220);
    kit.Preview(s, 320, oy + 240);
    kit.Button(s, "Wood Button Small.bmp", "Play Game", 380, oy + 410, 530, oy + 455);
    return s.Picture();
}

CImage OptionsPage(CMockKit& kit)
{
    CMockScreen s;
    MenuPage(kit, s);
    const int oy = 125;
    s.Draw(kit.Gui("Wood Slider Bar.bmp"), 175, oy + 100);
    s.Draw(kit.Gui("Wood Slider Button.bmp"), 175 + 34, oy + 100);
    s.Draw(kit.Gui("Wood Slider Bar.bmp"), 175, oy + 200);
    s.Draw(kit.Gui("Wood Slider Button.bmp"), 175 + 174, oy + 200);
    s.Draw(kit.Gui("Wood Check Box Down.bmp"), 100, oy + 250);
    s.Draw(kit.Gui("Wood Check Box Up.bmp"), 300, oy + 250);
    s.Draw(kit.Gui("Wood Triangle Left.bmp"), 65, oy + 365);
    s.Draw(kit.Gui("Wood Triangle Right.bmp"), 215, oy + 365);
    // The backdrop preview: the backdrop scaled into (0,0)-(99,99).
    CImage preview = kit.Gui("Backdrop Preview.bmp");
    const CImage& backdrop = kit.Picture("Graphics/Backdrops/Emerald Felt.bmp");
    for (int y = 0; y < 99; ++y) {
        for (int x = 0; x < 99; ++x) {
            const SRgb& p = backdrop.At(x * 799 / 99, y * 599 / 99);
            if (!IsKey(p)) {
                preview.At(x, y) = p;
            }
        }
    }
    s.Draw(preview, 115, oy + 340);
    s.Draw(kit.Gui("Wood Triangle Left.bmp"), 330, oy + 365);
    s.Draw(kit.Gui("Wood Triangle Right.bmp"), 430, oy + 365);
    CImage tilePreview = kit.Gui("Tile Preview.bmp");
    const CImage& tile = kit.Picture("Graphics/Tile Sets/Ivory/Bamboo 1.bmp");
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 40; ++x) {
            const SRgb& p = tile.At(std::min(tile.Width() - 1, x * 44 / 40), std::min(tile.Height() - 1, y));
            if (!IsKey(p)) {
                tilePreview.At(10 + x, y) = p;
            }
        }
    }
    s.Draw(tilePreview, 405 - 32, oy + 365);
    kit.text.Centre(s, 2, "Mouse Sensitivity (Full Screen Only)", 0, oy + 65, 550);
    kit.text.Centre(s, 2, "Sound Volume", 0, oy + 165, 550);
    kit.text.Left(s, 2, "Play Music", 140, oy + 250, 550, oy + 300);
    kit.text.Left(s, 2, "Full Screen", 340, oy + 250, 550, oy + 350);
    kit.text.Left(s, 2, "In-Game Backdrop", 90, oy + 310, 550, oy + 350);
    kit.text.Left(s, 2, "Tile Set", 375, oy + 310, 550, oy + 350);
    return s.Picture();
}

CImage RulesPage(CMockKit& kit)
{
    CMockScreen s;
    MenuPage(kit, s);
    const int oy = 125;
    const std::string rules = RulesText().value_or("");
    kit.text.Left(s, 2, rules, 15, oy + 15, 475, oy + 425, 0);
    s.DrawStretched(kit.Gui("Wood Selection Bar.bmp"), 490, oy + 35, 25, 405);
    s.DrawStretched(kit.Gui("Wood Selection Bar Button.bmp"), 490, oy + 35, 25, 54);
    s.Draw(kit.Gui("Wood Selection Arrow Up.bmp"), 490, oy + 10);
    s.Draw(kit.Gui("Wood Selection Arrow Down.bmp"), 490, oy + 440);
    return s.Picture();
}

// A small board: two rows of tiles with a second level, one selected and a
// hinted pair, drawn piece by piece as the board drawing does.
void Board(CMockKit& kit, CMockScreen& s)
{
    const char* names[] = {"Dot 5", "Bamboo 3", "Crak 7", "Dragon 1", "Direction 2", "Flower 1", "Season 3", "Dot 1",
        "Bamboo 9", "Crak 2", "Dragon 3", "Dot 8"};
    struct STile {
        int z, r, c;
    };
    std::vector<STile> tiles;
    for (int r = 4; r <= 8; r += 2) {
        for (int c = 16; c >= 4; c -= 2) {
            tiles.push_back({0, r, c});
        }
    }
    for (int c = 14; c >= 6; c -= 2) {
        tiles.push_back({1, 6, c});
    }
    for (size_t i = 0; i < tiles.size(); ++i) {
        const STile& t = tiles[i];
        const CImage& face = kit.Picture("Graphics/Tile Sets/Ivory/" + std::string(names[i % 12]) + ".bmp");
        const int x = 65 + 20 * t.c + 4 * t.z;
        const int y = 25 + 28 * t.r - 4 * t.z;
        s.DrawPart(face, x, y, 0, 0, 23, 31);
        s.DrawPart(face, x + 21, y, 21, 0, 44, 31);
        s.DrawPart(face, x, y + 29, 0, 29, 23, 61);
        s.DrawPart(face, x + 21, y + 29, 21, 29, 45, 61);
        if (i == 3 || i == 17) {
            s.Draw(kit.Game("Tile Hint.bmp"), x, y);
        }
        if (i == tiles.size() - 1) {
            s.Blend(kit.Game("Tile Overlay.bmp"), x, y, 44, 60);
        }
    }
}

void GameFrame(CMockKit& kit, CMockScreen& s, bool zandor)
{
    s.Draw(kit.Picture("Graphics/Backdrops/Emerald Felt.bmp"), 0, 0);
    s.Draw(kit.Game("Game Background Bar.bmp"), 0, 500);
    const char* captions[] = {"Shuffle", "Pause", "Hint", "Save", "Leave"};
    for (int i = 0; i < 5; ++i) {
        kit.Button(s, "Wood Button Small.bmp", captions[i], 25 + 150 * i, 545, 175 + 150 * i, 590);
    }
    Board(kit, s);
    if (zandor) {
        s.Draw(kit.Game("Zandor Tile Background.bmp"), 725, 0);
        s.Draw(kit.Picture("Graphics/Tile Sets/Ivory/Dragon 1.bmp"), 740, 12);
        kit.text.Centre(s, 2, "7", 725, 63, 800);
        kit.text.Left(s, 2, "Missed Pairs: 2", 15, 510, 500, 600);
        kit.text.Left(s, 2, "Pairs left: 12", 250, 510, 600, 600);
        kit.text.Left(s, 2, "Least Missed Pairs: Player, 5", 475, 510, 800, 600);
    } else {
        kit.text.Left(s, 2, "Time Left:  1:07", 15, 510, 500, 600);
        kit.text.Left(s, 2, "Pairs left: 12", 250, 510, 600, 600);
        kit.text.Left(s, 2, "Best Time: Player, 1:00", 475, 510, 800, 600);
    }
}

CImage GameScreen(CMockKit& kit)
{
    CMockScreen s;
    GameFrame(kit, s, false);
    s.Draw(kit.Game("Dialog Background.bmp"), 150, 175);
    const std::string intro
        = "The goal of Vesk Style Mahjongg is to remove all the tiles, like Mahjongg Solitaire.  Each pair of tiles "
          "you remove adds a random amount of time to the clock between 5-15 seconds.  If your time runs out (the "
          "clock decreases as you play), the game is over, so watch out!\n\nSee the Help for more information.";
    kit.Button(s, "Wood Button Small.bmp", "Ok", 150 + 330, 175 + 180, 150 + 475, 175 + 230);
    kit.text.Left(s, 2, intro, 175, 190, 625, 575);
    s.Draw(kit.Gui("Cursor.bmp"), 520, 380);
    return s.Picture();
}

CImage SaveDialog(CMockKit& kit)
{
    CMockScreen s;
    GameFrame(kit, s, true);
    s.Draw(kit.Game("Dialog Background.bmp"), 150, 175);
    kit.text.Centre(s, 2, "Please enter a name to save your game:", 175, 200, 625);
    s.Draw(kit.Gui("Input Box.bmp"), 300, 270);
    kit.text.Left(s, 2, "Evening Game-", 310, 275, 490, 300);
    kit.Button(s, "Wood Button Small.bmp", "Save Game", 300, 365, 450, 410);
    kit.Button(s, "Wood Button Small.bmp", "Cancel", 465, 365, 615, 410, true);
    return s.Picture();
}

// Paints a keyed picture over a checkerboard so that transparency shows.
void PaintKeyed(uint32_t* pixels, int stride, int x0, int y0, const CImage& image, int scaleDown)
{
    for (int y = 0; y < image.Height() / scaleDown; ++y) {
        for (int x = 0; x < image.Width() / scaleDown; ++x) {
            const SRgb& p = image.At(x * scaleDown, y * scaleDown);
            const bool light = ((x / 4) + (y / 4)) % 2 == 0;
            const uint32_t checker = light ? 0xFF5A5A64u : 0xFF46464Eu;
            pixels[static_cast<size_t>(y0 + y) * stride + x0 + x]
                = IsKey(p) ? checker : 0xFF000000u | (p.r << 16) | (p.g << 8) | p.b;
        }
    }
}

} // namespace

bool WriteContactSheet(const std::string& root, const std::string& outPath)
{
    std::vector<std::string> files;
    std::error_code error;
    for (const auto& entry : fs::recursive_directory_iterator(root, error)) {
        if (entry.is_regular_file() && entry.path().extension() == ".bmp") {
            files.push_back(fs::relative(entry.path(), root).generic_string());
        }
    }
    std::sort(files.begin(), files.end());
    if (files.empty()) {
        std::fprintf(stderr, "velmora-assets: no pictures below %s\n", root.c_str());
        return false;
    }
    // Flow the pictures into rows; large ones at half size.
    constexpr int kSheetWidth = 1640;
    constexpr int kLabelPx = 16;
    constexpr int kGapPx = 10;
    struct SPlaced {
        std::string name;
        CImage image;
        int scaleDown, x, y;
    };
    std::vector<SPlaced> placed;
    int x = kGapPx;
    int y = kGapPx;
    int rowHeight = 0;
    for (const std::string& file : files) {
        std::optional<CImage> image = Load(root, file);
        if (!image) {
            std::fprintf(stderr, "velmora-assets: %s is no 24-bit bitmap\n", file.c_str());
            return false;
        }
        const int scaleDown = image->Width() > 400 ? 2 : 1;
        const int w = std::max(image->Width() / scaleDown, 96);
        const int h = image->Height() / scaleDown + kLabelPx;
        if (x + w > kSheetWidth - kGapPx) {
            x = kGapPx;
            y += rowHeight + kGapPx;
            rowHeight = 0;
        }
        placed.push_back({file, std::move(*image), scaleDown, x, y});
        x += w + kGapPx;
        rowHeight = std::max(rowHeight, h);
    }
    CCanvas canvas(kSheetWidth, y + rowHeight + kGapPx);
    cairo_t* cr = canvas.Cr();
    cairo_set_source_rgb(cr, 0.16, 0.16, 0.18);
    cairo_paint(cr);
    cairo_surface_flush(canvas.Surface());
    auto* pixels = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(canvas.Surface()));
    const int stride = cairo_image_surface_get_stride(canvas.Surface()) / 4;
    for (const SPlaced& p : placed) {
        PaintKeyed(pixels, stride, p.x, p.y, p.image, p.scaleDown);
    }
    cairo_surface_mark_dirty(canvas.Surface());
    gui::UseFont(cr, gui::EFace::SerifRegular, 11);
    cairo_set_source_rgb(cr, 0.9, 0.9, 0.85);
    for (const SPlaced& p : placed) {
        const std::string label = fs::path(p.name).filename().string();
        cairo_move_to(cr, p.x, p.y + p.image.Height() / p.scaleDown + 12);
        cairo_show_text(cr, label.c_str());
    }
    return WriteBmp(outPath, CImage::FromCanvas(canvas));
}

bool WriteMockUps(const std::string& root, const std::string& outFolder)
{
    CMockKit kit(root);
    if (!kit.Ready()) {
        std::fprintf(stderr, "velmora-assets: the fonts below %s cannot be read\n", root.c_str());
        return false;
    }
    bool ok = true;
    ok = WriteBmp(outFolder + "/Main Menu.bmp", MainMenu(kit)) && ok;
    ok = WriteBmp(outFolder + "/Game Select Page.bmp", GameSelectPage(kit)) && ok;
    ok = WriteBmp(outFolder + "/Options Page.bmp", OptionsPage(kit)) && ok;
    ok = WriteBmp(outFolder + "/Rules Page.bmp", RulesPage(kit)) && ok;
    ok = WriteBmp(outFolder + "/Game Screen.bmp", GameScreen(kit)) && ok;
    ok = WriteBmp(outFolder + "/Save Dialog.bmp", SaveDialog(kit)) && ok;
    return ok;
}

} // namespace assets
