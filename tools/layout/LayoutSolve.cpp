// The solve command: deals, solves each deal, and reports the share of
// winnable deals with its interval, the deals the search gave up on, and the
// time spent per deal.
#include "LayoutSolve.h"

#include "DealSolver.h"
#include "LayoutTool.h"

#include "board/Rules.h"
#include "platform/Clock.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>
#include <optional>

namespace layout_tool {
namespace {

constexpr uint64_t kDefaultDeals = 1000;
constexpr uint64_t kDefaultSeed = 1;
constexpr double kZ95 = 1.959963984540054;

struct SSolveOptions {
    uint64_t deals = kDefaultDeals;
    uint64_t seed = kDefaultSeed;
    uint64_t budget = kDefaultNodeBudget;
    uint64_t retryBudget = 0; // a second search for the deals over the budget
    bool list = false;
};

std::optional<uint64_t> ParseCount(const std::string& text)
{
    uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<SSolveOptions> ParseOptions(const std::vector<std::string>& args, std::ostream& err)
{
    SSolveOptions options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--list") {
            options.list = true;
            continue;
        }
        uint64_t* target = arg == "--deals" ? &options.deals
            : arg == "--seed"               ? &options.seed
            : arg == "--budget"             ? &options.budget
            : arg == "--retry"              ? &options.retryBudget
                                            : nullptr;
        if (!target) {
            err << "velmora-layout solve: unknown option \"" << arg << "\"\n";
            return std::nullopt;
        }
        const auto value = i + 1 < args.size() ? ParseCount(args[i + 1]) : std::nullopt;
        if (!value || (target != &options.seed && *value == 0)) {
            err << "velmora-layout solve: " << arg << " needs a positive whole number\n";
            return std::nullopt;
        }
        *target = *value;
        ++i;
    }
    return options;
}

std::string Percent(double fraction)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f%%", 100.0 * fraction);
    return text;
}

std::string Milliseconds(double ms)
{
    char text[32];
    std::snprintf(text, sizeof text, ms < 10 ? "%.2f ms" : "%.0f ms", ms);
    return text;
}

std::string ShareLine(uint64_t count, uint64_t decided)
{
    const auto [low, high] = WilsonInterval(count, decided);
    return Percent(decided ? double(count) / double(decided) : 0.0) + " (95% interval " + Percent(low) + " to "
        + Percent(high) + ")";
}

const char* ResultWord(ESolveResult result)
{
    switch (result) {
    case ESolveResult::Won:
        return "winnable";
    case ESolveResult::Lost:
        return "unwinnable";
    case ESolveResult::Unknown:
        break;
    }
    return "unknown";
}

} // namespace

uint32_t DealTicks(uint64_t seed, uint64_t index)
{
    // SplitMix64 of the pair.
    uint64_t z = seed * 0x9e3779b97f4a7c15ull + index + 1;
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return static_cast<uint32_t>(z ^ (z >> 31));
}

bool DealAtTicks(board::CBoard& board, const std::vector<board::SCellPosition>& topLefts, uint32_t ticks)
{
    if (topLefts.size() != static_cast<size_t>(board::kTileCount)) {
        return false;
    }
    board.ResetBoard();
    for (int t = 0; t < board::kTileCount; ++t) {
        if (!board.PlaceTile(t, topLefts[t], 0, 0, 0)) {
            return false;
        }
    }
    // A new game deals and shuffles within one tick, so every step seeds the
    // generator with the same count, as the game's do.
    platform::CScopedFakeClock clock(ticks);
    return board::DealNewGame(board);
}

std::pair<double, double> WilsonInterval(uint64_t successes, uint64_t trials)
{
    if (trials == 0) {
        return {0.0, 1.0};
    }
    const double n = double(trials);
    const double p = double(successes) / n;
    const double z2 = kZ95 * kZ95;
    const double centre = (p + z2 / (2 * n)) / (1 + z2 / n);
    const double half = kZ95 * std::sqrt(p * (1 - p) / n + z2 / (4 * n * n)) / (1 + z2 / n);
    return {std::max(0.0, centre - half), std::min(1.0, centre + half)};
}

int SolveLayout(const std::string& name, const std::vector<board::SCellPosition>& topLefts,
    const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    const auto options = ParseOptions(args, err);
    if (!options) {
        return kExitUsage;
    }
    auto board = std::make_unique<board::CBoard>();
    CDealSolver solver;
    uint64_t won = 0;
    uint64_t lost = 0;
    uint64_t unknown = 0;
    std::vector<double> times;
    times.reserve(options->deals);
    std::vector<uint64_t> unknownDeals;
    for (uint64_t i = 0; i < options->deals; ++i) {
        const uint32_t ticks = DealTicks(options->seed, i);
        const auto started = std::chrono::steady_clock::now();
        if (!DealAtTicks(*board, topLefts, ticks)) {
            err << name << ": the layout cannot be dealt (it needs 144 tiles inside the grid)\n";
            return kExitProblems;
        }
        const SSolveOutcome outcome = solver.Solve(*board, options->budget);
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count());
        won += outcome.result == ESolveResult::Won;
        lost += outcome.result == ESolveResult::Lost;
        if (outcome.result == ESolveResult::Unknown) {
            ++unknown;
            unknownDeals.push_back(i);
        }
        if (options->list) {
            out << "deal " << i << " (tick count " << ticks << "): " << ResultWord(outcome.result) << ", "
                << outcome.nodes << " games played out, " << Milliseconds(times.back()) << "\n";
        }
    }

    // The deals over the budget, searched again with the larger one; their
    // time is told apart, so that the time per deal stays that of one pass.
    uint64_t retried = 0;
    double retryMs = 0;
    if (options->retryBudget > options->budget) {
        for (const uint64_t i : unknownDeals) {
            const auto started = std::chrono::steady_clock::now();
            DealAtTicks(*board, topLefts, DealTicks(options->seed, i));
            const SSolveOutcome outcome = solver.Solve(*board, options->retryBudget);
            retryMs += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
            ++retried;
            if (outcome.result != ESolveResult::Unknown) {
                --unknown;
                won += outcome.result == ESolveResult::Won;
                lost += outcome.result == ESolveResult::Lost;
            }
            if (options->list) {
                out << "deal " << i << " again: " << ResultWord(outcome.result) << ", " << outcome.nodes
                    << " games played out\n";
            }
        }
    }

    const uint64_t decided = won + lost;
    out << name << ": " << options->deals << " deals as the game deals them (seed " << options->seed
        << "), each searched for at most " << options->budget << " games played out\n";
    out << "winnable:   " << won << " of " << decided << " decided, " << ShareLine(won, decided) << "\n";
    out << "unwinnable: " << lost << " of " << decided << " decided, " << ShareLine(lost, decided) << "\n";
    out << "unknown:    " << unknown << " (over the budget; not in the shares above)\n";
    if (retried > 0) {
        out << "searched again with a budget of " << options->retryBudget << " games: " << retried << " deals, "
            << retried - unknown << " decided, " << Milliseconds(retryMs) << " in all\n";
    }
    // Counting every unknown deal as unwinnable bounds the share from above.
    const double lowLost = WilsonInterval(lost, decided).first;
    const double highLost = WilsonInterval(lost + unknown, options->deals).second;
    out << "unwinnable share, unknowns taken either way: " << Percent(lowLost) << " to " << Percent(highLost)
        << " (95%)\n";
    std::vector<double> sorted = times;
    std::sort(sorted.begin(), sorted.end());
    double total = 0;
    for (const double t : times) {
        total += t;
    }
    const auto at
        = [&sorted](double q) { return sorted[std::min(sorted.size() - 1, size_t(q * double(sorted.size())))]; };
    out << "time per deal: mean " << Milliseconds(total / double(times.size())) << ", median " << Milliseconds(at(0.5))
        << ", 99th percentile " << Milliseconds(at(0.99)) << ", longest " << Milliseconds(sorted.back()) << "\n";
    return kExitOk;
}

} // namespace layout_tool
