// Decoding and encoding of layout files.
#include "board/LayoutFile.h"

#include "platform/BinaryIo.h"

namespace board {

std::array<SCellPosition, kCellsPerTile> TileCells(SCellPosition topLeft)
{
    const int32_t c = topLeft.column;
    const int32_t r = topLeft.row;
    const int32_t z = topLeft.level;
    return {{{c, r, z}, {c + 1, r, z}, {c, r + 1, z}, {c + 1, r + 1, z}}};
}

bool IsInsideGrid(const SCellPosition& cell)
{
    return cell.column >= 0 && cell.column < kColumns && cell.row >= 0 && cell.row < kRows && cell.level >= 0
        && cell.level < kLevels;
}

SLayoutDecodeResult DecodeLayout(const std::vector<uint8_t>& bytes)
{
    SLayoutDecodeResult result;
    if (bytes.size() < kLayoutFileBytes) {
        result.error = ELayoutError::Short;
        return result;
    }
    platform::CBinaryReader reader(bytes.data(), kLayoutFileBytes);
    for (int tile = 0; tile < kTileCount; ++tile) {
        auto& cells = result.data.cells[tile];
        for (auto& cell : cells) {
            reader.ReadInt32(cell.column);
            reader.ReadInt32(cell.row);
            reader.ReadInt32(cell.level);
        }
        if (result.error != ELayoutError::None) {
            continue;
        }
        for (const auto& cell : cells) {
            if (!IsInsideGrid(cell)) {
                result.error = ELayoutError::OutsideGrid;
                result.badTile = tile;
                break;
            }
        }
        if (result.error == ELayoutError::None && cells != TileCells(cells[0])) {
            result.error = ELayoutError::NotATileSquare;
            result.badTile = tile;
        }
    }
    for (auto& record : result.data.records) {
        reader.ReadText(record.holder, platform::kNameFieldBytes);
        reader.ReadInt32(record.value);
    }
    return result;
}

std::vector<uint8_t> EncodeLayout(const SLayoutData& data)
{
    platform::CBinaryWriter writer;
    for (const auto& cells : data.cells) {
        for (const auto& cell : cells) {
            writer.WriteInt32(cell.column);
            writer.WriteInt32(cell.row);
            writer.WriteInt32(cell.level);
        }
    }
    for (const auto& record : data.records) {
        writer.WriteText(record.holder, platform::kNameFieldBytes);
        writer.WriteInt32(record.value);
    }
    return writer.TakeBytes();
}

const char* DescribeLayoutError(ELayoutError error)
{
    switch (error) {
    case ELayoutError::None:
        return "no error";
    case ELayoutError::Short:
        return "the file is shorter than 7020 bytes";
    case ELayoutError::OutsideGrid:
        return "a tile lies outside the 32 x 16 x 8 grid";
    case ELayoutError::NotATileSquare:
        return "a tile's four cells are not a 2 x 2 square in the order top-left, top-right, bottom-left, bottom-right";
    }
    return "unknown error";
}

} // namespace board
