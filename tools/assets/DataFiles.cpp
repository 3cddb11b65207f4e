// "Data\": the font metrics, the preset options and game choice, the help
// flags and the rules text; and the empty "Saves\" folder.
#include "DataFiles.h"

#include "Backdrops.h"
#include "Fonts.h"
#include "Generator.h"
#include "TileSets.h"
#include "platform/BinaryIo.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace assets {

namespace {

std::vector<uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

bool Fail(const std::string& what)
{
    std::fprintf(stderr, "velmora-assets: %s\n", what.c_str());
    return false;
}

} // namespace

std::vector<uint8_t> EncodePresetOptions()
{
    platform::CBinaryWriter writer;
    writer.WriteInt32(kPresetMouseSensitivity);
    writer.WriteInt32(kPresetSoundVolume);
    writer.WriteInt32(kPresetPlayMusic);
    writer.WriteInt32(kPresetFullScreen);
    writer.WriteText(gui::BackdropFileNames().front(), platform::kFileNameFieldBytes);
    writer.WriteText(TileSetFolderNames().front(), platform::kFileNameFieldBytes);
    return writer.TakeBytes();
}

std::vector<uint8_t> EncodePresetGameChoice()
{
    platform::CBinaryWriter writer;
    writer.WriteInt32(kPresetGameType);
    writer.WriteText(kPresetLayout, platform::kFileNameFieldBytes);
    return writer.TakeBytes();
}

std::optional<std::string> Utf8ToLatin1(std::string_view text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto lead = static_cast<uint8_t>(text[i]);
        if (lead < 0x80) {
            out += static_cast<char>(lead);
            continue;
        }
        // Two-byte sequences C2 80 .. C3 BF are exactly U+0080 .. U+00FF.
        if ((lead == 0xC2 || lead == 0xC3) && i + 1 < text.size()
            && (static_cast<uint8_t>(text[i + 1]) & 0xC0) == 0x80) {
            out += static_cast<char>(((lead & 0x03) << 6) | (static_cast<uint8_t>(text[i + 1]) & 0x3F));
            ++i;
            continue;
        }
        return std::nullopt;
    }
    return out;
}

std::optional<std::string> RulesText()
{
    const std::string path = AssetSourceDir() + "/text/Rules.txt";
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        Fail("cannot read " + path);
        return std::nullopt;
    }
    const std::string source((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::optional<std::string> text = Utf8ToLatin1(source);
    if (!text) {
        Fail(path + " holds characters outside Latin-1");
        return std::nullopt;
    }
    std::erase(*text, '\r');
    if (text->size() > kRulesMaxChars) {
        Fail(path + " is longer than the rules page reads");
        return std::nullopt;
    }
    return text;
}

bool WriteDataFiles(const std::string& root)
{
    bool ok = true;
    for (int index = 1; index <= gui::kFontCount; ++index) {
        const gui::SFontSheet* sheet = gui::FontSheet(index);
        if (!sheet) {
            ok = Fail("no metrics for font " + std::to_string(index));
            continue;
        }
        const auto metrics = gui::EncodeMetrics(*sheet);
        ok = WriteBytes(root + "/" + gui::FontSheetFormat(index).metricsFile, {metrics.begin(), metrics.end()}) && ok;
    }
    ok = WriteBytes(root + "/Data/Options.dat", EncodePresetOptions()) && ok;
    ok = WriteBytes(root + "/Data/PlayGame.dat", EncodePresetGameChoice()) && ok;
    // "0": each game type's introduction shows at its first start.
    for (const char* flag : {"Data/Help1.dat", "Data/Help2.dat", "Data/Help3.dat"}) {
        ok = WriteBytes(root + "/" + flag, Bytes("0")) && ok;
    }
    const std::optional<std::string> rules = RulesText();
    ok = rules && WriteBytes(root + "/Data/Rules.txt", Bytes(*rules)) && ok;
    std::error_code error;
    std::filesystem::create_directories(root + "/Saves", error);
    ok = !error && ok;
    return ok;
}

} // namespace assets
