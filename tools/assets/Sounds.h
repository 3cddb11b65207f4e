// The game's sounds under "Sounds\": wooden GUI clicks, the tile sounds and
// the looping harp music of the main menu, all synthesised here.
#pragma once

#include <array>
#include <vector>

namespace assets {

enum class ESoundKind {
    Clip, // played once: starts and ends in silence
    Loop, // played looped: its end flows into its start
};

struct SSoundRecipe {
    const char* fileName; // inside "Sounds\"
    ESoundKind kind;
    std::vector<float> (*make)();
};

// Every sound the generator writes, in writing order.
const std::array<SSoundRecipe, 8>& SoundRecipes();

// The menu music, a harp piece of 20 seconds that loops without a seam.
std::vector<float> MakeHarpIntro();

} // namespace assets
