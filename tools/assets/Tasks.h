// Runs the generator's independent drawing-and-writing tasks on every core.
#pragma once

#include <functional>
#include <vector>

namespace assets {

using FTask = std::function<bool()>;

// Runs every task once, on as many threads as the machine has cores, taking
// them in order (put the longest first); true when every task succeeded.
// Tasks must not share mutable state: each draws and writes its own file.
bool RunTasks(const std::vector<FTask>& tasks);

} // namespace assets
