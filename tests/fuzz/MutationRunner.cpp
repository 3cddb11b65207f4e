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
    const size_t size = std::min(input.size(), fuzz::MaxInputBytes());
    LLVMFuzzerTestOneInput(input.data(), size);
}

int Replay(const fs::path& folder)
{
    int count = 0;
    if (!fs::is_directory(folder)) {
        return 0;
    }
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
        ++count;
    }
    return count;
}

// Mutations of the kinds that break readers: single bytes, numbers at their
// limits, cuts, insertions, repeated chunks.
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
        const size_t kind = Below(8);
        const size_t at = Below(bytes.size() + 1);
        switch (kind) {
        case 0: // one byte changed
            if (!bytes.empty()) {
                bytes[Below(bytes.size())] = static_cast<uint8_t>(random());
            }
            break;
        case 1: // one bit flipped
            if (!bytes.empty()) {
                bytes[Below(bytes.size())] ^= static_cast<uint8_t>(1u << Below(8));
            }
            break;
        case 2: { // a four-byte number at its limits
            const uint32_t value = kNumbers[Below(kNumbers.size())];
            for (size_t i = 0; i < 4 && at + i < bytes.size(); ++i) {
                bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
            }
            break;
        }
        case 3: // cut
            bytes.resize(at);
            break;
        case 4: // random bytes inserted
            for (size_t n = 1 + Below(16); n > 0; --n) {
                bytes.insert(bytes.begin() + static_cast<ptrdiff_t>(at), static_cast<uint8_t>(random()));
            }
            break;
        case 5: // a range erased
            bytes.erase(bytes.begin() + static_cast<ptrdiff_t>(at),
                bytes.begin() + static_cast<ptrdiff_t>(std::min(bytes.size(), at + 1 + Below(64))));
            break;
        case 6: { // a chunk repeated
            const size_t length = std::min(bytes.size() - at, 1 + Below(64));
            const fuzz::Input chunk(bytes.begin() + static_cast<ptrdiff_t>(at),
                bytes.begin() + static_cast<ptrdiff_t>(at + length));
            bytes.insert(bytes.begin() + static_cast<ptrdiff_t>(Below(bytes.size() + 1)), chunk.begin(), chunk.end());
            break;
        }
        default: // a byte at a limit
            if (!bytes.empty()) {
                bytes[Below(bytes.size())] = static_cast<uint8_t>(kNumbers[Below(6)]);
            }
            break;
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
    const int replayed = Replay(argv[1]);
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
    std::printf("%d stored cases, %zu seeds, %ld mutations: no reader broke\n", replayed, seeds.size(), count);
    return 0;
}
