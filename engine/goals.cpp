#include "engine/goals.h"

namespace tavrin {

std::string fullConnectionMissText(int groupCount)
{
    return "全てのハイパーロードをつなげてください。現在のグループ数：" + std::to_string(groupCount);
}

std::string bigLoopMissText(long loopPointsBefore)
{
    return "ループ点を増やしてください。現在のループ点：" + std::to_string(loopPointsBefore);
}

} // namespace tavrin
