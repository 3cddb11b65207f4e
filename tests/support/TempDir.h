// A temporary folder for one test, removed with everything in it afterwards,
// and a scope that makes it the current directory (the game uses relative
// paths from its run folder).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testing_support {

class CTempDir {
public:
    CTempDir();
    ~CTempDir();
    CTempDir(const CTempDir&) = delete;
    CTempDir& operator=(const CTempDir&) = delete;

    const std::string& Path() const { return path; }
    std::string File(const std::string& relative) const { return path + "/" + relative; }
    void Write(const std::string& relative, const std::vector<uint8_t>& bytes) const;
    void Write(const std::string& relative, const std::string& text) const;
    void MakeFolder(const std::string& relative) const;

private:
    std::string path;
};

class CScopedCurrentDir {
public:
    explicit CScopedCurrentDir(const std::string& folder);
    ~CScopedCurrentDir();
    CScopedCurrentDir(const CScopedCurrentDir&) = delete;
    CScopedCurrentDir& operator=(const CScopedCurrentDir&) = delete;

private:
    std::string previous;
};

// The repository root, for tests that read assets (set by CTest).
std::string SourceDir();

} // namespace testing_support
