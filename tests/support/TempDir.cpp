// Temporary folders for tests.
#include "support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <unistd.h>

namespace testing_support {

namespace fs = std::filesystem;

CTempDir::CTempDir()
{
    std::string pattern = (fs::temp_directory_path() / "velmora-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
        throw std::runtime_error("mkdtemp failed");
    }
    path = pattern;
}

CTempDir::~CTempDir()
{
    std::error_code ignored;
    fs::remove_all(path, ignored);
}

void CTempDir::Write(const std::string& relative, const std::vector<uint8_t>& bytes) const
{
    const fs::path target = File(relative);
    fs::create_directories(target.parent_path());
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void CTempDir::Write(const std::string& relative, const std::string& text) const
{
    Write(relative, std::vector<uint8_t>(text.begin(), text.end()));
}

void CTempDir::MakeFolder(const std::string& relative) const { fs::create_directories(File(relative)); }

CScopedCurrentDir::CScopedCurrentDir(const std::string& folder)
    : previous(fs::current_path().string())
{
    fs::current_path(folder);
}

CScopedCurrentDir::~CScopedCurrentDir()
{
    std::error_code ignored;
    fs::current_path(previous, ignored);
}

std::string SourceDir()
{
    const char* dir = std::getenv("VELMORA_SOURCE_DIR");
    return dir ? dir : ".";
}

} // namespace testing_support
