// Reading and writing the text form of layouts.
#include "LayoutText.h"

#include "platform/BinaryIo.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace board {
namespace {

// The game stores the chosen layout's file name in a 256-byte field.
constexpr size_t kMaxNameBytes = platform::kFileNameFieldBytes - 1;
constexpr size_t kMaxHolderBytes = platform::kNameFieldBytes - 1;
// Past this many problems the rest of a broken file is not worth reporting
// line by line (and random input must not grow the list without bound).
constexpr size_t kMaxProblems = 200;
constexpr size_t kMaxEchoedChars = 40;

using CGrid = std::array<std::array<char, kColumns>, kRows>;
using CPositionKey = std::tuple<int32_t, int32_t, int32_t>;

CPositionKey KeyOf(const SCellPosition& cell) { return {cell.level, cell.row, cell.column}; }

bool IsSpace(char c) { return c == ' ' || c == '\t'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsPrintable(unsigned char c) { return c >= 0x20 && c < 0x7f; }

std::string HexByte(unsigned char c)
{
    static const char digits[] = "0123456789ABCDEF";
    return std::string("\\x") + digits[c >> 4] + digits[c & 15];
}

// A piece of the input made safe to show in a message: short, printable.
std::string Echo(std::string_view text)
{
    std::string out;
    for (size_t i = 0; i < text.size() && i < kMaxEchoedChars; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        out += IsPrintable(c) ? std::string(1, static_cast<char>(c)) : HexByte(c);
    }
    if (text.size() > kMaxEchoedChars) {
        out += "...";
    }
    return out;
}

std::string DescribeCell(const SCellPosition& cell)
{
    return "column " + std::to_string(cell.column) + ", row " + std::to_string(cell.row) + ", level "
        + std::to_string(cell.level);
}

std::string_view TrimRight(std::string_view text)
{
    while (!text.empty() && (IsSpace(text.back()) || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    return text;
}

std::string_view TrimLeft(std::string_view text)
{
    while (!text.empty() && IsSpace(text.front())) {
        text.remove_prefix(1);
    }
    return text;
}

// Reads the words, numbers and quoted texts of one statement line. Every
// read returns nothing and sets error on a fault.
class CLineScanner {
public:
    explicit CLineScanner(std::string_view lineText)
        : text(lineText)
    {
    }

    // True when only spaces or a comment are left.
    bool AtEnd()
    {
        SkipSpaces();
        return pos >= text.size() || text[pos] == '#';
    }

    std::string_view ReadWord()
    {
        SkipSpaces();
        const size_t start = pos;
        while (pos < text.size() && !IsSpace(text[pos]) && text[pos] != '#') {
            ++pos;
        }
        return text.substr(start, pos - start);
    }

    std::string_view Rest()
    {
        SkipSpaces();
        return TrimRight(text.substr(pos));
    }

    std::optional<int32_t> ReadNumber(std::string& error)
    {
        const std::string_view word = ReadWord();
        if (word.empty()) {
            error = "a number is missing";
            return std::nullopt;
        }
        size_t i = 0;
        const bool negative = word[0] == '-';
        if (word[0] == '-' || word[0] == '+') {
            i = 1;
        }
        if (i == word.size()) {
            error = "\"" + Echo(word) + "\" is not a number";
            return std::nullopt;
        }
        int64_t value = 0;
        for (; i < word.size(); ++i) {
            if (!IsDigit(word[i])) {
                error = "\"" + Echo(word) + "\" is not a number";
                return std::nullopt;
            }
            value = value * 10 + (word[i] - '0');
            if (value > int64_t{INT32_MAX} + 1) {
                error = "the number " + Echo(word) + " is out of range";
                return std::nullopt;
            }
        }
        value = negative ? -value : value;
        if (value > INT32_MAX || value < INT32_MIN) {
            error = "the number " + Echo(word) + " is out of range";
            return std::nullopt;
        }
        return static_cast<int32_t>(value);
    }

    // A text in double quotes; \" \\ and \xHH stand for a quote, a
    // backslash and any byte.
    std::optional<std::string> ReadQuoted(std::string& error)
    {
        SkipSpaces();
        if (pos >= text.size() || text[pos] != '"') {
            error = "a text in double quotes is missing";
            return std::nullopt;
        }
        ++pos;
        std::string out;
        while (pos < text.size() && text[pos] != '"') {
            char c = text[pos++];
            if (c == '\\') {
                if (pos >= text.size()) {
                    break;
                }
                const char kind = text[pos++];
                if (kind == 'x') {
                    const int high = pos < text.size() ? HexValue(text[pos]) : -1;
                    const int low = pos + 1 < text.size() ? HexValue(text[pos + 1]) : -1;
                    if (high < 0 || low < 0) {
                        error = "\\x must be followed by two hexadecimal digits";
                        return std::nullopt;
                    }
                    pos += 2;
                    c = static_cast<char>(high * 16 + low);
                } else if (kind == '"' || kind == '\\') {
                    c = kind;
                } else {
                    error = "unknown escape \\" + Echo(std::string_view(&kind, 1)) + " (use \\\", \\\\ or \\xHH)";
                    return std::nullopt;
                }
            }
            out += c;
        }
        if (pos >= text.size()) {
            error = "the text has no closing double quote";
            return std::nullopt;
        }
        ++pos;
        return out;
    }

private:
    static int HexValue(char c)
    {
        if (IsDigit(c)) {
            return c - '0';
        }
        if (c >= 'a' && c <= 'f') {
            return c - 'a' + 10;
        }
        if (c >= 'A' && c <= 'F') {
            return c - 'A' + 10;
        }
        return -1;
    }

    void SkipSpaces()
    {
        while (pos < text.size() && IsSpace(text[pos])) {
            ++pos;
        }
    }

    std::string_view text;
    size_t pos = 0;
};

// Goes through the text line by line. A level block is its "level" line and
// the next 16 rows; an order block runs from its "order" line to the next
// statement.
class CLayoutTextParser {
public:
    SLayoutText Run(std::string_view text);

private:
    enum class EBlock { None, Level, Order };

    void ParseLine(int number, std::string_view line);
    void ParseStatement(int number, std::string_view line);
    void ParseName(int number, CLineScanner& scanner);
    void ParseRecord(int number, CLineScanner& scanner);
    void ParseLevel(int number, CLineScanner& scanner);
    void ParseTile(int number, CLineScanner& scanner);
    void ParseOrderEntry(int number, std::string_view line);
    std::optional<SCellPosition> ReadPosition(int number, CLineScanner& scanner);
    void AddRow(int number, std::string_view row);
    void CloseBlock();
    void FindDrawnTiles();
    void ExpectEnd(int number, CLineScanner& scanner);
    void ApplyOrder();
    void Problem(int line, std::string message);

    SLayoutText result;
    std::vector<STextTile> tiles; // drawn tiles level by level, then "tile" lines
    EBlock block = EBlock::None;
    int levelLine = 0;
    int level = 0;
    CGrid grid{};
    std::array<int, kRows> rowLines{};
    int rowCount = 0;
    std::array<bool, kLevels> levelSeen{};
    std::array<int, kRecordCount> recordLines{};
    int orderLine = 0;
    std::vector<STextTile> order;
};

void CLayoutTextParser::Problem(int line, std::string message)
{
    if (result.problems.size() < kMaxProblems) {
        result.problems.push_back({line, std::move(message)});
    } else if (result.problems.size() == kMaxProblems) {
        result.problems.push_back({line, "too many problems; the rest of the file is not reported"});
    }
}

SLayoutText CLayoutTextParser::Run(std::string_view text)
{
    result.records = DefaultRecords();
    int number = 1;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t end = std::min(text.find('\n', start), text.size());
        ParseLine(number, text.substr(start, end - start));
        start = end + 1;
        ++number;
    }
    CloseBlock();
    if (result.nameLine == 0) {
        Problem(0, "the layout has no \"name\" line");
    }
    ApplyOrder();
    return std::move(result);
}

void CLayoutTextParser::ParseLine(int number, std::string_view line)
{
    line = TrimRight(line);
    const std::string_view content = TrimLeft(line);
    if (content.empty() || content.front() == '#') {
        return;
    }
    const char first = content.front();
    if (block == EBlock::Level && rowCount < kRows && !IsLetter(first)) {
        AddRow(number, line);
        return;
    }
    if (block == EBlock::Order && (IsDigit(first) || first == '-' || first == '+')) {
        ParseOrderEntry(number, content);
        return;
    }
    if (IsLetter(first)) {
        CloseBlock();
        ParseStatement(number, content);
        return;
    }
    if (first == kTextEmpty || first == kTextTopLeft || first == kTextTopRight || first == kTextBottomLeft
        || first == kTextBottomRight) {
        Problem(number,
            block == EBlock::Level ? "a 17th row: a level has exactly 16 rows"
                                   : "a row of cells outside a level block (start one with \"level N\")");
        return;
    }
    Problem(number, "cannot read this line: \"" + Echo(content) + "\"");
}

void CLayoutTextParser::ParseStatement(int number, std::string_view line)
{
    CLineScanner scanner(line);
    const std::string_view keyword = scanner.ReadWord();
    if (keyword == "name") {
        ParseName(number, scanner);
    } else if (keyword == "record") {
        ParseRecord(number, scanner);
    } else if (keyword == "level") {
        ParseLevel(number, scanner);
    } else if (keyword == "tile") {
        ParseTile(number, scanner);
    } else if (keyword == "order") {
        if (orderLine != 0) {
            Problem(number, "a second order section (the first is on line " + std::to_string(orderLine) + ")");
        } else {
            orderLine = number;
        }
        block = EBlock::Order;
        ExpectEnd(number, scanner);
    } else {
        Problem(number, "unknown statement \"" + Echo(keyword) + "\" (expected name, record, level, tile or order)");
    }
}

void CLayoutTextParser::ExpectEnd(int number, CLineScanner& scanner)
{
    if (!scanner.AtEnd()) {
        Problem(number, "unexpected \"" + Echo(scanner.Rest()) + "\" at the end of the line");
    }
}

void CLayoutTextParser::ParseName(int number, CLineScanner& scanner)
{
    // The name is the rest of the line as written, so it may hold any
    // character a file name may.
    const std::string_view name = scanner.Rest();
    if (result.nameLine != 0) {
        Problem(number, "a second name line (the first is on line " + std::to_string(result.nameLine) + ")");
        return;
    }
    result.nameLine = number;
    result.name = std::string(name);
    if (name.empty()) {
        Problem(number, "the name is empty");
    } else if (name.size() > kMaxNameBytes) {
        Problem(number, "the name is longer than " + std::to_string(kMaxNameBytes) + " characters");
    } else if (std::any_of(name.begin(), name.end(),
                   [](char c) { return c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20 || c == 0x7f; })) {
        Problem(number, "the name must be usable as a file name (no slash, backslash or control character)");
    }
}

void CLayoutTextParser::ParseRecord(int number, CLineScanner& scanner)
{
    std::string error;
    const auto index = scanner.ReadNumber(error);
    if (!index || *index < 1 || *index > kRecordCount) {
        Problem(number, index ? "there are records 1 to 3 only" : "record: " + error);
        return;
    }
    const auto holder = scanner.ReadQuoted(error);
    if (!holder) {
        Problem(number, "record " + std::to_string(*index) + ": " + error);
        return;
    }
    const auto value = scanner.ReadNumber(error);
    if (!value) {
        Problem(number, "record " + std::to_string(*index) + ": " + error);
        return;
    }
    ExpectEnd(number, scanner);
    int& seenLine = recordLines[*index - 1];
    if (seenLine != 0) {
        Problem(number, "record " + std::to_string(*index) + " is already given on line " + std::to_string(seenLine));
        return;
    }
    seenLine = number;
    if (holder->size() > kMaxHolderBytes) {
        Problem(number, "a record holder's name has at most " + std::to_string(kMaxHolderBytes) + " characters");
    } else if (holder->find('\0') != std::string::npos) {
        Problem(number, "a record holder's name may not contain \\x00");
    }
    result.records[*index - 1] = {*holder, *value};
}

void CLayoutTextParser::ParseLevel(int number, CLineScanner& scanner)
{
    std::string error;
    const auto value = scanner.ReadNumber(error);
    if (!value) {
        Problem(number, "level: " + error);
        return;
    }
    ExpectEnd(number, scanner);
    if (*value < 0 || *value >= kLevels) {
        Problem(number, "there are levels 0 to 7 only");
        return;
    }
    if (levelSeen[*value]) {
        Problem(number, "level " + std::to_string(*value) + " is drawn twice");
        return;
    }
    levelSeen[*value] = true;
    block = EBlock::Level;
    level = *value;
    levelLine = number;
    rowCount = 0;
    for (auto& row : grid) {
        row.fill(kTextEmpty);
    }
}

void CLayoutTextParser::AddRow(int number, std::string_view row)
{
    // A comment may follow the cells.
    const size_t hash = row.find('#');
    if (hash != std::string_view::npos) {
        row = TrimRight(row.substr(0, hash));
    }
    const int r = rowCount++;
    rowLines[r] = number;
    if (row.size() > static_cast<size_t>(kColumns)) {
        Problem(number, "the row is " + std::to_string(row.size()) + " characters long; a level is 32 columns wide");
        row = row.substr(0, kColumns);
    }
    for (size_t c = 0; c < row.size(); ++c) {
        const char ch = row[c];
        if (ch == ' ' || ch == kTextEmpty) {
            continue;
        }
        if (ch == kTextTopLeft || ch == kTextTopRight || ch == kTextBottomLeft || ch == kTextBottomRight) {
            grid[r][c] = ch;
            continue;
        }
        Problem(number,
            "column " + std::to_string(c) + ": \"" + Echo(std::string_view(&row[c], 1))
                + "\" is not a cell (use '.' for an empty cell and \"+-\" above \"|_\" for a tile)");
    }
}

void CLayoutTextParser::CloseBlock()
{
    if (block == EBlock::Level) {
        if (rowCount < kRows) {
            Problem(levelLine,
                "level " + std::to_string(level) + " has " + std::to_string(rowCount) + " rows; every level has 16");
        } else {
            FindDrawnTiles();
        }
    }
    block = EBlock::None;
}

void CLayoutTextParser::FindDrawnTiles()
{
    // Each piece character has one place in its tile, so a top-left piece
    // fixes the whole tile and no search is needed.
    std::array<std::array<bool, kColumns>, kRows> claimed{};
    for (int r = 0; r < kRows; ++r) {
        for (int c = 0; c < kColumns; ++c) {
            if (grid[r][c] != kTextTopLeft) {
                continue;
            }
            const bool complete = r + 1 < kRows && c + 1 < kColumns && grid[r][c + 1] == kTextTopRight
                && grid[r + 1][c] == kTextBottomLeft && grid[r + 1][c + 1] == kTextBottomRight;
            if (!complete) {
                Problem(rowLines[r],
                    "column " + std::to_string(c)
                        + ": an incomplete tile (a tile is \"+-\" with \"|_\" right below it)");
                continue;
            }
            claimed[r][c] = claimed[r][c + 1] = claimed[r + 1][c] = claimed[r + 1][c + 1] = true;
            tiles.push_back({{c, r, level}, rowLines[r]});
        }
    }
    for (int r = 0; r < kRows; ++r) {
        for (int c = 0; c < kColumns; ++c) {
            const char ch = grid[r][c];
            if (ch != kTextEmpty && ch != kTextTopLeft && !claimed[r][c]) {
                Problem(rowLines[r],
                    "column " + std::to_string(c) + ": a stray '" + std::string(1, ch) + "' that belongs to no tile");
            }
        }
    }
}

std::optional<SCellPosition> CLayoutTextParser::ReadPosition(int number, CLineScanner& scanner)
{
    std::string error;
    SCellPosition cell;
    for (int32_t* field : {&cell.column, &cell.row, &cell.level}) {
        const auto value = scanner.ReadNumber(error);
        if (!value) {
            Problem(number, error + " (a position is column, row and level)");
            return std::nullopt;
        }
        *field = *value;
    }
    ExpectEnd(number, scanner);
    return cell;
}

void CLayoutTextParser::ParseTile(int number, CLineScanner& scanner)
{
    // Whether the cells lie inside the grid is the checker's question; the
    // text only has to state them.
    if (const auto cell = ReadPosition(number, scanner)) {
        tiles.push_back({*cell, number});
    }
}

void CLayoutTextParser::ParseOrderEntry(int number, std::string_view line)
{
    CLineScanner scanner(line);
    if (const auto cell = ReadPosition(number, scanner)) {
        order.push_back({*cell, number});
    }
}

void CLayoutTextParser::ApplyOrder()
{
    std::stable_sort(tiles.begin(), tiles.end(),
        [](const STextTile& a, const STextTile& b) { return IsBeforeInCanonicalOrder(a.topLeft, b.topLeft); });
    if (orderLine == 0) {
        result.tiles = std::move(tiles);
        return;
    }
    // Match each listed position with a tile at that position not yet
    // listed; tiles sharing a position are interchangeable.
    std::map<CPositionKey, std::vector<size_t>> unlisted;
    for (size_t i = tiles.size(); i-- > 0;) {
        unlisted[KeyOf(tiles[i].topLeft)].push_back(i);
    }
    std::vector<STextTile> ordered;
    bool matched = true;
    for (const auto& entry : order) {
        auto found = unlisted.find(KeyOf(entry.topLeft));
        if (found == unlisted.end() || found->second.empty()) {
            Problem(entry.line,
                "the order lists a tile at " + DescribeCell(entry.topLeft)
                    + " that the layout does not have (or lists it twice)");
            matched = false;
            continue;
        }
        ordered.push_back(tiles[found->second.back()]);
        found->second.pop_back();
    }
    for (const auto& [key, left] : unlisted) {
        for (const size_t i : left) {
            Problem(tiles[i].line, "the tile at " + DescribeCell(tiles[i].topLeft) + " is missing from the order");
            matched = false;
        }
    }
    result.tiles = matched ? std::move(ordered) : std::move(tiles);
}

// Escapes a record holder's name for a quoted text.
std::string QuoteHolder(std::string_view holder)
{
    std::string out = "\"";
    for (const char ch : holder) {
        const auto c = static_cast<unsigned char>(ch);
        if (ch == '"' || ch == '\\') {
            out += '\\';
            out += ch;
        } else if (IsPrintable(c)) {
            out += ch;
        } else {
            out += HexByte(c);
        }
    }
    return out + "\"";
}

std::string PrintableName(std::string_view name)
{
    std::string out;
    for (const char ch : TrimLeft(TrimRight(name))) {
        const auto c = static_cast<unsigned char>(ch);
        out += (c < 0x20 || c == 0x7f || ch == '/' || ch == '\\') ? '_' : ch;
    }
    return out.empty() ? "Unnamed" : out;
}

bool FitsInGrid(const SCellPosition& topLeft)
{
    return IsInsideGrid(topLeft) && topLeft.column + 1 < kColumns && topLeft.row + 1 < kRows;
}

const char* const kHeader = "# Velmora Mahjongg layout.\n"
                            "# Each level is a grid of 32 half-tile columns by 16 half-tile rows. A tile\n"
                            "# covers 2 x 2 cells and is drawn as \"+-\" above \"|_\"; '.' is an empty cell.\n"
                            "# Records: number (1 Traditional, 2 Vesk Style, 3 Zandor), holder, value.\n";

} // namespace

std::array<SLayoutRecord, kRecordCount> DefaultRecords()
{
    std::array<SLayoutRecord, kRecordCount> records;
    for (int i = 0; i < kRecordCount; ++i) {
        records[i] = {kDefaultHolder, kDefaultRecordValues[i]};
    }
    return records;
}

bool IsBeforeInCanonicalOrder(const SCellPosition& a, const SCellPosition& b) { return KeyOf(a) < KeyOf(b); }

std::vector<SCellPosition> TopLeftCells(const SLayoutData& data)
{
    std::vector<SCellPosition> cells;
    cells.reserve(data.cells.size());
    for (const auto& tile : data.cells) {
        cells.push_back(tile[0]);
    }
    return cells;
}

SLayoutText ParseLayoutText(std::string_view text) { return CLayoutTextParser().Run(text); }

std::optional<SLayoutData> ToLayoutData(const SLayoutText& layout)
{
    if (!layout.Ok() || layout.tiles.size() != static_cast<size_t>(kTileCount)) {
        return std::nullopt;
    }
    SLayoutData data;
    for (int i = 0; i < kTileCount; ++i) {
        if (!FitsInGrid(layout.tiles[i].topLeft)) {
            return std::nullopt;
        }
        data.cells[i] = TileCells(layout.tiles[i].topLeft);
    }
    data.records = layout.records;
    return data;
}

std::optional<SLayoutData> CompileLayoutText(std::string_view text) { return ToLayoutData(ParseLayoutText(text)); }

std::string PrintLayoutText(const SLayoutData& data, std::string_view name)
{
    const std::vector<SCellPosition> tiles = TopLeftCells(data);
    std::vector<SCellPosition> canonical = tiles;
    std::stable_sort(canonical.begin(), canonical.end(), IsBeforeInCanonicalOrder);

    // Draw the tiles in canonical order; one that would cover a drawn cell
    // (or leave the grid) is listed on a "tile" line instead.
    std::array<CGrid, kLevels> grids;
    for (auto& levelGrid : grids) {
        for (auto& row : levelGrid) {
            row.fill(kTextEmpty);
        }
    }
    std::array<bool, kLevels> drawn{};
    std::vector<SCellPosition> listed;
    for (const auto& cell : canonical) {
        if (!FitsInGrid(cell)) {
            listed.push_back(cell);
            continue;
        }
        auto& g = grids[cell.level];
        const int r = cell.row;
        const int c = cell.column;
        if (g[r][c] != kTextEmpty || g[r][c + 1] != kTextEmpty || g[r + 1][c] != kTextEmpty
            || g[r + 1][c + 1] != kTextEmpty) {
            listed.push_back(cell);
            continue;
        }
        g[r][c] = kTextTopLeft;
        g[r][c + 1] = kTextTopRight;
        g[r + 1][c] = kTextBottomLeft;
        g[r + 1][c + 1] = kTextBottomRight;
        drawn[cell.level] = true;
    }

    std::string out = kHeader;
    out += "name " + PrintableName(name) + "\n";
    for (int i = 0; i < kRecordCount; ++i) {
        const SLayoutRecord& record = data.records[i];
        const std::string holder = platform::FitText(record.holder, platform::kNameFieldBytes);
        if (holder.size() < record.holder.size()) {
            out += "# The file's holder name of record " + std::to_string(i + 1)
                + " had no end within its field; it is cut to its first 31 characters.\n";
        }
        out += "record " + std::to_string(i + 1) + " " + QuoteHolder(holder) + " " + std::to_string(record.value)
            + "\n";
    }
    for (int z = 0; z < kLevels; ++z) {
        if (!drawn[z]) {
            continue;
        }
        out += "\nlevel " + std::to_string(z) + "\n";
        for (const auto& row : grids[z]) {
            out.append(row.data(), row.size());
            out += '\n';
        }
    }
    if (!listed.empty()) {
        out += "\n# Tiles that share cells with a drawn tile (or leave the grid): column row level.\n";
        for (const auto& cell : listed) {
            out += "tile " + std::to_string(cell.column) + " " + std::to_string(cell.row) + " "
                + std::to_string(cell.level) + "\n";
        }
    }
    if (!std::is_sorted(tiles.begin(), tiles.end(), IsBeforeInCanonicalOrder)) {
        out += "\n# The file numbers its tiles in this order (column row level), not level by\n"
               "# level, row by row, column by column.\norder\n";
        for (size_t i = 0; i < tiles.size(); ++i) {
            out += std::to_string(tiles[i].column) + " " + std::to_string(tiles[i].row) + " "
                + std::to_string(tiles[i].level) + "  # tile " + std::to_string(i) + "\n";
        }
    }
    return out;
}

} // namespace board
