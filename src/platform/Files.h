// The file system as the game sees it: paths written the system's way
// ("Data\Options.dat"), whole-file reads, atomic replacement of player data,
// and folder listings.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

using Bytes = std::vector<uint8_t>;

// Maps a game path with backslash separators onto the native file system
// (relative paths stay relative to the current directory, the run folder).
std::string NativePath(std::string_view gamePath);

// The whole file, or nothing when it cannot be opened or read.
std::optional<Bytes> ReadWholeFile(std::string_view gamePath);

// Replaces the file with exactly these bytes: the data goes to a temporary
// file in the same folder, is flushed to the disk, and is then renamed over
// the old file. A crash or a full disk leaves either the old file or the new
// one. Returns false (and leaves the old file untouched) on any failure,
// and refuses a file that could not be written in place: one whose owner
// may not write it (even for root) or that this process may not write. The
// replacement keeps the old file's permission bits (and owner, where the
// process may give it).
// The temporary file is hidden from ListFiles while it exists; one that an
// earlier, interrupted replacement of the same file left is removed.
bool WriteFileAtomically(std::string_view gamePath, const Bytes& bytes);

bool FileExists(std::string_view gamePath);

// Names (not paths) of the plain files / sub-folders directly inside a
// folder, sorted by byte value; hidden entries ("." first) are left out.
// An unreadable folder gives an empty list.
std::vector<std::string> ListFiles(std::string_view gameFolder);
std::vector<std::string> ListFolders(std::string_view gameFolder);

} // namespace platform
