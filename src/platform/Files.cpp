// POSIX implementation of the game's file access.
#include "platform/Files.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

class CFd {
public:
    explicit CFd(int descriptor)
        : fd(descriptor)
    {
    }
    ~CFd()
    {
        if (fd >= 0) {
            ::close(fd);
        }
    }
    CFd(const CFd&) = delete;
    CFd& operator=(const CFd&) = delete;
    int Get() const { return fd; }
    bool Close()
    {
        const int result = ::close(fd);
        fd = -1;
        return result == 0;
    }

private:
    int fd;
};

bool WriteAll(int fd, const uint8_t* data, size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

std::string FolderOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A process killed between making its temporary file and the rename leaves
// that file behind. Once the same file has been replaced again, the ones
// left for it (".<name>.XXXXXX") are of no use and go.
void RemoveLeftTemporaries(const std::string& folder, const std::string& name)
{
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) {
        return;
    }
    const std::string prefix = "." + name + ".";
    std::vector<std::string> left;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string entryName = entry->d_name;
        if (entryName.size() == prefix.size() + 6 && entryName.compare(0, prefix.size(), prefix) == 0) {
            left.push_back(folder + "/" + entryName);
        }
    }
    ::closedir(dir);
    for (const std::string& file : left) {
        ::unlink(file.c_str());
    }
}

// The rename would succeed wherever the folder is writable, so the file's
// own permission is asked first: a replacement goes ahead only where writing
// the file in place would. Root may write anything, so a file whose owner
// may not write it counts as read-only for everyone: the player marked it so.
bool MayReplace(const std::string& path, const struct stat& old)
{
    return S_ISREG(old.st_mode) && (old.st_mode & S_IWUSR) != 0
        && ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

// Best effort: only root may give a file to another owner, and a failure
// leaves the replacement owned by the writer, as a new file would be.
void KeepOwnerAndMode(int fd, const struct stat& old)
{
    if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
        [[maybe_unused]] const int ignored = ::fchown(fd, old.st_uid, old.st_gid);
    }
    ::fchmod(fd, old.st_mode & 07777);
}

enum class EntryKind { File, Folder };

std::vector<std::string> ListEntries(std::string_view gameFolder, EntryKind kind)
{
    std::vector<std::string> names;
    const std::string folder = gameFolder.empty() ? std::string(".") : NativePath(gameFolder);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) {
        return names;
    }
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.empty() || name[0] == '.') {
            continue;
        }
        struct stat info { };
        if (::stat((folder + "/" + name).c_str(), &info) != 0) {
            continue;
        }
        const bool wanted = kind == EntryKind::File ? S_ISREG(info.st_mode) : S_ISDIR(info.st_mode);
        if (wanted) {
            names.push_back(name);
        }
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

std::string NativePath(std::string_view gamePath)
{
    std::string path(gamePath);
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

std::optional<Bytes> ReadWholeFile(std::string_view gamePath)
{
    const std::string path = NativePath(gamePath);
    CFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.Get() < 0) {
        return std::nullopt;
    }
    struct stat info { };
    if (::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    Bytes bytes;
    uint8_t buffer[65536];
    for (;;) {
        const ssize_t count = ::read(fd.Get(), buffer, sizeof buffer);
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            return std::nullopt;
        }
        if (count == 0) {
            break;
        }
        bytes.insert(bytes.end(), buffer, buffer + count);
    }
    return bytes;
}

bool WriteFileAtomically(std::string_view gamePath, const Bytes& bytes)
{
    const std::string path = NativePath(gamePath);
    if (path.empty() || path.back() == '/') {
        return false;
    }
    // The temporary file is hidden (its name starts with a dot), so a crash
    // before the rename leaves nothing that the folder listings of saved
    // games and layouts would show.
    const size_t slash = path.find_last_of('/');
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    std::string temporary = path.substr(0, nameStart) + "." + path.substr(nameStart) + ".XXXXXX";
    struct stat old { };
    const bool replacing = ::stat(path.c_str(), &old) == 0;
    if (replacing && !MayReplace(path, old)) {
        return false;
    }
    CFd fd(::mkstemp(temporary.data()));
    if (fd.Get() < 0) {
        return false;
    }
    // mkstemp makes the file private: a replacement takes the old file's
    // owner and permission bits, a new file is as readable as player data.
    if (replacing) {
        KeepOwnerAndMode(fd.Get(), old);
    } else {
        ::fchmod(fd.Get(), 0644);
    }
    const bool written = WriteAll(fd.Get(), bytes.data(), bytes.size()) && ::fsync(fd.Get()) == 0;
    const bool closed = fd.Close();
    if (!written || !closed || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    // Make the rename itself durable.
    CFd folder(::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.Get() >= 0) {
        ::fsync(folder.Get());
    }
    RemoveLeftTemporaries(FolderOf(path), path.substr(nameStart));
    return true;
}

bool FileExists(std::string_view gamePath)
{
    struct stat info { };
    return ::stat(NativePath(gamePath).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::vector<std::string> ListFiles(std::string_view gameFolder) { return ListEntries(gameFolder, EntryKind::File); }

std::vector<std::string> ListFolders(std::string_view gameFolder) { return ListEntries(gameFolder, EntryKind::Folder); }

} // namespace platform
