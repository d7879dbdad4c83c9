// The game's three sound effects, synthesised: samples at 22050 Hz, not yet
// scaled to full level (writeWav does that).
#pragma once

#include <vector>

namespace tavrin::assets {

// "B.wav": the soft wooden tap of a road piece being laid.
std::vector<double> placementTap();

// "trush.wav": a swish and a muffled thump as the piece lands in the trash.
std::vector<double> trashSwish();

// "jan.wav": a bright rising bell jingle that rings out (moves given back).
std::vector<double> rewardJingle();

} // namespace tavrin::assets
