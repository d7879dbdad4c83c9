#include "game/item_layout.h"

#include <algorithm>
#include <cstdlib>

namespace tavrin::game {

int manhattan(int a, int b)
{
    return std::abs(cellRow(a) - cellRow(b)) + std::abs(cellColumn(a) - cellColumn(b));
}

bool layoutAccepted(const std::array<std::int16_t, kMaxItems>& cells, int count)
{
    if (count < 1 || count > kMaxItems) {
        return false;
    }
    int sum = 0;
    for (int e = 0; e < count; ++e) {
        for (int k = 0; k < e; ++k) {
            if (manhattan(cells[e], cells[k]) <= 4) {
                return false;
            }
        }
        sum += cells[e];
    }
    const int centre = sum / count;
    int distance = 0;
    for (int e = 0; e < count; ++e) {
        if (cells[e] == centre) {
            return false;
        }
        distance += manhattan(cells[e], centre);
    }
    return distance / count == 4;
}

namespace {

bool anyCellFree(const std::array<std::int16_t, kMaxItems>& cells, int placed)
{
    for (int c = 0; c < kCellCount; ++c) {
        bool free = true;
        for (int k = 0; k < placed && free; ++k) {
            free = manhattan(c, cells[k]) > 4;
        }
        if (free) {
            return true;
        }
    }
    return false;
}

} // namespace

ItemLayout drawItemLayout(int count, RandomSource& random)
{
    ItemLayout layout;
    layout.count = std::clamp(count, 2, kMaxItems);
    const int n = layout.count;
    for (;;) {
        bool stuck = false;
        for (int e = 0; e < n && !stuck; ++e) {
            // The earlier items may leave no cell far enough away; drawing on
            // would never end, so the whole layout is drawn again.
            stuck = !anyCellFree(layout.cells, e);
            bool tooClose = !stuck;
            while (tooClose) {
                layout.cells[e] = static_cast<std::int16_t>(random.Int(kCellCount));
                tooClose = false;
                for (int k = 0; k < e; ++k) {
                    if (manhattan(layout.cells[e], layout.cells[k]) <= 4) {
                        tooClose = true;
                        break;
                    }
                }
            }
        }
        if (stuck) {
            continue;
        }
        int sum = 0;
        for (int e = 0; e < n; ++e) {
            sum += layout.cells[e];
        }
        const int centre = sum / n;
        bool centreFree = true;
        int distance = 0;
        for (int e = 0; e < n; ++e) {
            centreFree = centreFree && layout.cells[e] != centre;
            distance += manhattan(layout.cells[e], centre);
        }
        if (centreFree && distance / n == 4) {
            break;
        }
    }
    for (int e = 0; e < n; ++e) {
        bool taken = true;
        while (taken) {
            layout.kinds[e] = static_cast<std::int16_t>(random.Int(n));
            taken = false;
            for (int k = 0; k < e; ++k) {
                taken = taken || layout.kinds[k] == layout.kinds[e];
            }
        }
    }
    return layout;
}

} // namespace tavrin::game
