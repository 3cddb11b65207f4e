// Where the generator finds the texts we wrote by hand.
#include "Generator.h"

namespace assets {

std::string AssetSourceDir() { return VELMORA_ASSET_SOURCE_DIR; }

} // namespace assets
