#include "engine/analysis.h"

namespace tavrin {

std::int16_t NetworkAnalysis::networkAnalysis() { return 0; }

std::int16_t networkAnalysis(GameState& state)
{
    NetworkAnalysis a(state);
    return a.networkAnalysis();
}

} // namespace tavrin
