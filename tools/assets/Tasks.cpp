// A small pool: threads take the next task by an atomic counter.
#include "Tasks.h"

#include <algorithm>
#include <atomic>
#include <thread>

namespace assets {

bool RunTasks(const std::vector<FTask>& tasks)
{
    std::atomic<size_t> next{0};
    std::atomic<bool> ok{true};
    const auto work = [&] {
        for (size_t i = next++; i < tasks.size(); i = next++) {
            if (!tasks[i]()) {
                ok = false;
            }
        }
    };
    const size_t threadCount = std::clamp<size_t>(std::thread::hardware_concurrency(), 1, tasks.size() + 1);
    std::vector<std::thread> threads;
    for (size_t i = 1; i < threadCount; ++i) {
        threads.emplace_back(work);
    }
    work();
    for (std::thread& thread : threads) {
        thread.join();
    }
    return ok;
}

} // namespace assets
