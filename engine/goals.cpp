#include "engine/goals.h"

namespace tavrin {

Text fullConnectionMissText(int groupCount)
{
    return TAVRIN_TEXT("engine", "全てのハイパーロードをつなげてください。現在のグループ数：%1").arg(groupCount);
}

Text bigLoopMissText(long loopPointsBefore)
{
    return TAVRIN_TEXT("engine", "ループ点を増やしてください。現在のループ点：%1").arg(loopPointsBefore);
}

} // namespace tavrin
