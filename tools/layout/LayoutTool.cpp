// The commands of velmora-layout. Files are told apart by content: a layout
// file always holds zero bytes, a text layout never does.
#include "LayoutTool.h"

#include "LayoutOverlap.h"
#include "LayoutPreview.h"
#include "LayoutSolve.h"

#include "LayoutCheck.h"
#include "LayoutText.h"
#include "platform/BinaryIo.h"
#include "platform/Files.h"

#include <algorithm>
#include <cstdio>
#include <optional>

namespace layout_tool {
namespace {

constexpr size_t kMaxReportedProblems = 40;
constexpr uint32_t kClearingSearchSeed = 1;
constexpr int kClearingSearchAttempts = 200;

const char* const kUsage = "usage: velmora-layout COMMAND ...\n"
                           "  compile [--force] TEXT OUT  compile a text layout into a 7020-byte layout file;\n"
                           "                              --force writes it even when the checks find problems\n"
                           "                              (as long as it has 144 tiles inside the grid)\n"
                           "  decompile LAYOUT            print a layout (file or text) as text\n"
                           "  check FILE...               check layouts, text or file\n"
                           "  preview LAYOUT OUT.ppm      draw the layout as the board would show it\n"
                           "                              (convert OUT.ppm OUT.png makes a PNG of it)\n"
                           "  solve LAYOUT [--deals N] [--seed S] [--budget GAMES] [--retry GAMES] [--list]\n"
                           "                              deal the layout N times (1000) as the game deals, solve\n"
                           "                              each deal with every face known, and report the share\n"
                           "                              of winnable deals; a deal whose search plays out more\n"
                           "                              than GAMES games (200000) is counted as unknown;\n"
                           "                              --retry searches those again with a larger budget;\n"
                           "                              --list prints every deal\n"
                           "  overlap FILE...             for each layout the most alike of the others: the share of\n"
                           "                              cells they have in common at the best shift (by cells along\n"
                           "                              columns and rows, and by levels); more than 70% fails\n"
                           "  --help                      show this text\n";

// A layout read from either form, with what is needed to name its lines.
struct SLoadedLayout {
    bool isText = false;
    std::vector<board::SCellPosition> topLefts;
    std::vector<int> lines; // per tile, text only
    std::array<board::SLayoutRecord, board::kRecordCount> records;
    std::string name;
    int nameLine = 0;
};

// Writes a file's problems as "FILE:LINE: message" (or "FILE: message"),
// stopping after a screenful.
class CReporter {
public:
    CReporter(std::ostream& stream, std::string filePath)
        : err(stream)
        , path(std::move(filePath))
    {
    }

    void Problem(int line, const std::string& message)
    {
        if (count++ < kMaxReportedProblems) {
            err << path << (line > 0 ? ":" + std::to_string(line) : std::string()) << ": " << message << "\n";
        }
    }
    void Warning(const std::string& message) { err << path << ": warning: " << message << "\n"; }
    void Finish()
    {
        if (count > kMaxReportedProblems) {
            err << path << ": " << count - kMaxReportedProblems << " more problems not shown\n";
        }
    }
    size_t Count() const { return count; }

private:
    std::ostream& err;
    std::string path;
    size_t count = 0;
};

std::string BaseName(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool IsTextContent(const std::vector<uint8_t>& bytes)
{
    return std::find(bytes.begin(), bytes.end(), uint8_t{0}) == bytes.end();
}

// A file the game can still read, though it is not as we write them (longer
// than 7,020 bytes, or a holder name without its end): a problem for check
// and compile, a warning for the commands that only read.
enum class EOddFile { Problem, Warning };

void ReportOdd(CReporter& report, EOddFile odd, const std::string& message)
{
    if (odd == EOddFile::Problem) {
        report.Problem(0, message);
    } else {
        report.Warning(message);
    }
}

std::optional<SLoadedLayout> LoadBinary(const std::vector<uint8_t>& bytes, CReporter& report, EOddFile odd)
{
    const board::SLayoutDecodeResult decoded = board::DecodeLayout(bytes);
    if (!decoded.Ok()) {
        if (decoded.error == board::ELayoutError::Short) {
            report.Problem(
                0, "the file is " + std::to_string(bytes.size()) + " bytes long; a layout file has exactly 7020 bytes");
        } else {
            report.Problem(
                0, "tile " + std::to_string(decoded.badTile) + ": " + board::DescribeLayoutError(decoded.error));
        }
        return std::nullopt;
    }
    if (bytes.size() > board::kLayoutFileBytes) {
        ReportOdd(report, odd,
            "the file is " + std::to_string(bytes.size())
                + " bytes long; a layout file has exactly 7020 bytes (the rest is ignored)");
    }
    SLoadedLayout layout;
    layout.topLefts = board::TopLeftCells(decoded.data);
    layout.records = decoded.data.records;
    for (int i = 0; i < board::kRecordCount; ++i) {
        if (layout.records[i].holder.size() >= platform::kNameFieldBytes) {
            ReportOdd(
                report, odd, "the holder name of record " + std::to_string(i + 1) + " has no end within its field");
        }
    }
    return layout;
}

std::optional<SLoadedLayout> LoadText(const std::vector<uint8_t>& bytes, CReporter& report)
{
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    board::SLayoutText parsed = board::ParseLayoutText(text);
    for (const auto& problem : parsed.problems) {
        report.Problem(problem.line, problem.message);
    }
    if (!parsed.Ok()) {
        return std::nullopt;
    }
    SLoadedLayout layout;
    layout.isText = true;
    for (const auto& tile : parsed.tiles) {
        layout.topLefts.push_back(tile.topLeft);
        layout.lines.push_back(tile.line);
    }
    layout.records = parsed.records;
    layout.name = parsed.name;
    layout.nameLine = parsed.nameLine;
    return layout;
}

// Reads a layout of either form; nothing (with the problems reported) when
// it cannot be read at all.
std::optional<SLoadedLayout> Load(const std::string& path, CReporter& report, EOddFile odd)
{
    const auto bytes = platform::ReadWholeFile(path);
    if (!bytes) {
        report.Problem(0, "cannot read the file");
        return std::nullopt;
    }
    auto layout = IsTextContent(*bytes) ? LoadText(*bytes, report) : LoadBinary(*bytes, report, odd);
    if (layout && !layout->isText) {
        layout->name = BaseName(path);
    }
    return layout;
}

// The name the game lists a layout file under: its file name, without the
// ".txt" of a text layout.
std::string ListedName(const std::string& path)
{
    std::string fileName = BaseName(path);
    const std::string extension = ".txt";
    if (fileName.size() > extension.size() && fileName.ends_with(extension)) {
        fileName.resize(fileName.size() - extension.size());
    }
    return fileName;
}

// The game lists a layout by its file name and nothing else, so a name line
// that says otherwise (a renamed copy, say) only earns a warning: the file
// name wins.
void CheckName(const SLoadedLayout& layout, const std::string& listedAs, CReporter& report)
{
    if (layout.isText && layout.name != listedAs) {
        report.Warning("line " + std::to_string(layout.nameLine) + ": the layout is named \"" + layout.name
            + "\" but will be listed as \"" + listedAs + "\", the name of its file");
    }
}

std::string LineOf(const SLoadedLayout& layout, int tile)
{
    if (!layout.isText || tile < 0) {
        return {};
    }
    return std::to_string(layout.lines[tile]);
}

// Runs every check; returns the number of problems found.
size_t CheckLoaded(const SLoadedLayout& layout, const std::string& listedAs, CReporter& report)
{
    const size_t before = report.Count();
    CheckName(layout, listedAs, report);
    for (const auto& problem : board::CheckLayout(layout.topLefts)) {
        std::string message = problem.message;
        if (layout.isText && problem.otherTile >= 0) {
            message += " (line " + LineOf(layout, problem.otherTile) + ")";
        } else if (!layout.isText && problem.tile >= 0) {
            message = "tile " + std::to_string(problem.tile) + ": " + message;
            if (problem.otherTile >= 0) {
                message += " (tile " + std::to_string(problem.otherTile) + ")";
            }
        }
        const int line = layout.isText && problem.tile >= 0 ? layout.lines[problem.tile] : 0;
        report.Problem(line, message);
    }
    return report.Count() - before;
}

int Check(const std::vector<std::string>& paths, std::ostream& out, std::ostream& err)
{
    if (paths.empty()) {
        err << kUsage;
        return kExitUsage;
    }
    bool allOk = true;
    for (const auto& path : paths) {
        CReporter report(err, path);
        const auto layout = Load(path, report, EOddFile::Problem);
        if (layout) {
            CheckLoaded(*layout, ListedName(path), report);
        }
        report.Finish();
        if (report.Count() > 0) {
            allOk = false;
            continue;
        }
        out << path << ": ok, " << board::CountFreeAtStart(layout->topLefts) << " tiles free at the start\n";
        if (!board::FindsClearingOrder(layout->topLefts, kClearingSearchSeed, kClearingSearchAttempts)) {
            report.Warning("no order of moves that clears the board was found in "
                + std::to_string(kClearingSearchAttempts) + " tries");
        }
    }
    return allOk ? kExitOk : kExitProblems;
}

std::optional<board::SLayoutData> ToData(const SLoadedLayout& layout)
{
    if (layout.topLefts.size() != static_cast<size_t>(board::kTileCount)) {
        return std::nullopt;
    }
    board::SLayoutData data;
    for (int t = 0; t < board::kTileCount; ++t) {
        const auto cells = board::TileCells(layout.topLefts[t]);
        if (!std::all_of(cells.begin(), cells.end(), board::IsInsideGrid)) {
            return std::nullopt;
        }
        data.cells[t] = cells;
    }
    data.records = layout.records;
    return data;
}

// Quiet on success, as a build step should be.
int Compile(const std::vector<std::string>& args, std::ostream& err)
{
    std::vector<std::string> paths;
    bool force = false;
    for (const auto& arg : args) {
        if (arg == "--force") {
            force = true;
        } else {
            paths.push_back(arg);
        }
    }
    if (paths.size() != 2) {
        err << kUsage;
        return kExitUsage;
    }
    const std::string& source = paths[0];
    const std::string& target = paths[1];
    CReporter report(err, source);
    const auto layout = Load(source, report, EOddFile::Problem);
    if (!layout) {
        report.Finish();
        return kExitProblems;
    }
    if (!layout->isText) {
        report.Problem(0, "this is a layout file, not a text layout");
        report.Finish();
        return kExitProblems;
    }
    // The compiled file is listed under its own name, whatever the source
    // file is called.
    const size_t problems = CheckLoaded(*layout, BaseName(target), report);
    report.Finish();
    const auto data = ToData(*layout);
    if ((problems > 0 && !force) || !data) {
        err << source << ": not compiled\n";
        return kExitProblems;
    }
    if (!platform::WriteFileAtomically(target, board::EncodeLayout(*data))) {
        err << target << ": cannot write the file\n";
        return kExitProblems;
    }
    if (problems > 0) {
        err << target << ": written despite the problems above\n";
    }
    return kExitOk;
}

int Decompile(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (args.size() != 1) {
        err << kUsage;
        return kExitUsage;
    }
    CReporter report(err, args[0]);
    const auto layout = Load(args[0], report, EOddFile::Warning);
    report.Finish();
    if (!layout) {
        return kExitProblems;
    }
    const auto data = ToData(*layout);
    if (!data) {
        err << args[0] << ": a layout needs exactly 144 tiles inside the grid to be printed\n";
        return kExitProblems;
    }
    out << board::PrintLayoutText(*data, layout->name);
    return kExitOk;
}

int Preview(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (args.size() != 2) {
        err << kUsage;
        return kExitUsage;
    }
    CReporter report(err, args[0]);
    const auto layout = Load(args[0], report, EOddFile::Warning);
    report.Finish();
    if (!layout) {
        return kExitProblems;
    }
    if (!platform::WriteFileAtomically(args[1], RenderPreview(layout->topLefts).EncodePpm())) {
        err << args[1] << ": cannot write the file\n";
        return kExitProblems;
    }
    out << "drew " << args[0] << " into " << args[1] << "\n";
    return kExitOk;
}

int Solve(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (args.empty()) {
        err << kUsage;
        return kExitUsage;
    }
    CReporter report(err, args[0]);
    const auto layout = Load(args[0], report, EOddFile::Warning);
    report.Finish();
    if (!layout) {
        return kExitProblems;
    }
    const std::string name = layout->isText ? ListedName(args[0]) : layout->name;
    return SolveLayout(name, layout->topLefts, std::vector<std::string>(args.begin() + 1, args.end()), out, err);
}

std::string DescribeOverlap(const SOverlap& overlap)
{
    char share[16];
    std::snprintf(share, sizeof share, "%.1f%%", overlap.SharePercent());
    return std::to_string(overlap.sharedCells) + " of " + std::to_string(overlap.comparedCells) + " cells (" + share
        + ") shifted by " + std::to_string(overlap.shift.column) + " columns, " + std::to_string(overlap.shift.row)
        + " rows, " + std::to_string(overlap.shift.level) + " levels";
}

// Every pair of layouts is compared; each layout's line names the most alike
// of the others, and every pair over the limit is a problem.
int Overlap(const std::vector<std::string>& paths, std::ostream& out, std::ostream& err)
{
    if (paths.size() < 2) {
        err << kUsage;
        return kExitUsage;
    }
    std::vector<std::vector<board::SCellPosition>> layouts;
    bool allOk = true;
    for (const auto& path : paths) {
        CReporter report(err, path);
        const auto layout = Load(path, report, EOddFile::Warning);
        report.Finish();
        allOk = allOk && layout.has_value();
        layouts.push_back(layout ? layout->topLefts : std::vector<board::SCellPosition>());
    }
    std::vector<std::pair<SOverlap, size_t>> closest(paths.size());
    for (size_t i = 0; i < paths.size(); ++i) {
        for (size_t j = i + 1; j < paths.size(); ++j) {
            const SOverlap overlap = LargestOverlap(layouts[i], layouts[j]);
            if (overlap.IsTooAlike()) {
                err << paths[i] << ": shares more than " << kMaxSharedCellsPercent << "% of its cells with " << paths[j]
                    << ": " << DescribeOverlap(overlap) << "\n";
                allOk = false;
            }
            if (overlap.sharedCells > closest[i].first.sharedCells) {
                closest[i] = {overlap, j};
            }
            if (overlap.sharedCells > closest[j].first.sharedCells) {
                SOverlap seenFromJ = overlap; // i moved over j: the opposite shift
                seenFromJ.shift = {-overlap.shift.column, -overlap.shift.row, -overlap.shift.level};
                closest[j] = {seenFromJ, i};
            }
        }
    }
    for (size_t i = 0; i < paths.size(); ++i) {
        if (closest[i].first.sharedCells == 0) {
            out << paths[i] << ": no cell in common with any other\n";
            continue;
        }
        out << paths[i] << ": most alike " << ListedName(paths[closest[i].second]) << ", "
            << DescribeOverlap(closest[i].first) << "\n";
    }
    return allOk ? kExitOk : kExitProblems;
}

} // namespace

int RunLayoutTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (args.empty()) {
        err << kUsage;
        return kExitUsage;
    }
    const std::string& command = args[0];
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (command == "--help" || command == "-h" || command == "help") {
        out << kUsage;
        return kExitOk;
    }
    if (command == "compile") {
        return Compile(rest, err);
    }
    if (command == "decompile") {
        return Decompile(rest, out, err);
    }
    if (command == "check") {
        return Check(rest, out, err);
    }
    if (command == "preview") {
        return Preview(rest, out, err);
    }
    if (command == "solve") {
        return Solve(rest, out, err);
    }
    if (command == "overlap") {
        return Overlap(rest, out, err);
    }
    err << "velmora-layout: unknown command \"" << command << "\"\n" << kUsage;
    return kExitUsage;
}

} // namespace layout_tool
