// A private current folder for the fuzz entries that read files by name:
// made once per process under the system's temporary folder and left when
// the process ends (the fuzzers run for minutes; nothing there is large).
#pragma once

#include <cstdlib>
#include <string>
#include <unistd.h>

namespace fuzz {

inline const std::string& WorkFolder()
{
    static const std::string folder = [] {
        const char* base = std::getenv("TMPDIR");
        std::string path = std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/velmora-fuzz-XXXXXX";
        if (::mkdtemp(path.data()) == nullptr || ::chdir(path.c_str()) != 0) {
            std::abort();
        }
        return path;
    }();
    return folder;
}

} // namespace fuzz
