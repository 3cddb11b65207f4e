// The deterministic stand-in for libFuzzer that runs in `make test`: first
// every stored input that once broke a reader (cases/<name>/), then a fixed
// number of seeded mutations of the seeds. Each input goes through the same
// entry as under libFuzzer, so a broken promise aborts the test.
//
//   runner CASES_DIR [COUNT]      replay and mutate
//   runner --write-seeds DIR      the seeds as files, the fuzzers' first corpus
#include "FuzzTarget.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace {

namespace fs = std::filesystem;

fuzz::Input ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return fuzz::Input(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Run(const fuzz::Input& input)
{
    LLVMFuzzerTestOneInput(input.data(), std::min(input.size(), fuzz::MaxInputBytes()));
}

// Every file of the folder, in name order; how many there were.
size_t Replay(const fs::path& folder)
{
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    for (const auto& file : files) {
        std::fprintf(stderr, "case %s\n", file.filename().c_str());
        Run(ReadFile(file));
    }
    return files.size();
}

// Mutations of the kinds that break readers: single bytes and bits, numbers
// at their limits, cuts, insertions, erased and repeated chunks.
class CMutator {
public:
    explicit CMutator(uint32_t seed)
        : random(seed)
    {
    }

    size_t Below(size_t bound) { return bound == 0 ? 0 : random() % bound; }

    void Mutate(fuzz::Input& bytes)
    {
        static constexpr std::array<uint32_t, 12> kNumbers
            = {0, 1, 2, 0x7f, 0x80, 0xff, 144, 145, 0x7fffffff, 0x80000000, 0xffffffff, 0xfffffff0};
        const size_t at = Below(bytes.size() + 1);
        const auto position = [&](size_t offset) { return bytes.begin() + static_cast<ptrdiff_t>(offset); };
        const size_t kind = Below(8);
        if (kind <= 2 && !bytes.empty()) { // a byte changed, a bit flipped, a byte at a limit
            uint8_t& byte = bytes[Below(bytes.size())];
            byte = kind == 0 ? static_cast<uint8_t>(random())
                : kind == 1  ? byte ^ static_cast<uint8_t>(1u << Below(8))
                             : static_cast<uint8_t>(kNumbers[Below(6)]);
        } else if (kind == 3) { // a four-byte number at its limits
            const uint32_t value = kNumbers[Below(kNumbers.size())];
            for (size_t i = 0; i < 4 && at + i < bytes.size(); ++i) {
                bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
            }
        } else if (kind == 4) { // cut
            bytes.resize(at);
        } else if (kind == 5) { // random bytes inserted
            for (size_t n = 1 + Below(16); n > 0; --n) {
                bytes.insert(position(at), static_cast<uint8_t>(random()));
            }
        } else if (kind == 6) { // a range erased
            bytes.erase(position(at), position(std::min(bytes.size(), at + 1 + Below(64))));
        } else if (kind == 7) { // a chunk repeated
            const fuzz::Input chunk(position(at), position(at + std::min(bytes.size() - at, 1 + Below(64))));
            bytes.insert(position(Below(bytes.size() + 1)), chunk.begin(), chunk.end());
        }
    }

private:
    std::mt19937 random;
};

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--write-seeds") == 0) {
        fs::create_directories(argv[2]);
        int n = 0;
        for (const auto& seed : fuzz::Seeds()) {
            std::ofstream out(fs::path(argv[2]) / ("seed-" + std::to_string(n++)), std::ios::binary);
            out.write(reinterpret_cast<const char*>(seed.data()), static_cast<std::streamsize>(seed.size()));
        }
        return 0;
    }
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s CASES_DIR [COUNT] | --write-seeds DIR\n", argv[0]);
        return 2;
    }
    const size_t replayed = fs::is_directory(argv[1]) ? Replay(argv[1]) : 0;
    const long count = argc > 2 ? std::strtol(argv[2], nullptr, 10) : 10000;
    const std::vector<fuzz::Input> seeds = fuzz::Seeds();
    CMutator mutator(20261207);
    for (const auto& seed : seeds) {
        Run(seed);
    }
    for (long i = 0; i < count; ++i) {
        fuzz::Input input = seeds[mutator.Below(seeds.size())];
        for (size_t steps = 1 + mutator.Below(6); steps > 0; --steps) {
            mutator.Mutate(input);
        }
        Run(input);
    }
    std::printf("%zu stored cases, %zu seeds, %ld mutations: no reader broke\n", replayed, seeds.size(), count);
    return 0;
}
