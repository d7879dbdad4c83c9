// tavrin-cli analyse: one free-game analysis of a board read from standard input.
#include "engine/analysis.h"
#include "tools/cli/board_input.h"
#include "tools/cli/command.h"

#include <iostream>
#include <string>
#include <vector>

namespace tavrin::cli {
namespace {

template <typename Range>
void printList(std::ostream& out, const Range& values, int count)
{
    out << '[';
    for (int i = 0; i < count; ++i) {
        out << (i ? ", " : "") << values[i];
    }
    out << ']';
}

int analyse(const std::vector<std::string>& args)
{
    GameState s;
    BoardInput input;
    try {
        for (std::size_t i = 0; i < args.size(); ++i) {
            if (!input.takeOption(args, i)) {
                throw UsageError{"unknown option '" + args[i] + "'"};
            }
        }
    } catch (const UsageError& e) {
        std::cerr << "tavrin-cli analyse: " << e.message << '\n';
        return 2;
    }
    if (const std::string error = input.load(std::cin, s); !error.empty()) {
        std::cerr << "tavrin-cli analyse: " << error << '\n';
        return 2;
    }

    NetworkAnalysis analysis(s);
    const int result = analysis.networkAnalysis();
    bool full = s.groupCount == 1;
    for (int c = 0; c < kCellCount; ++c) {
        full = full && s.board[c] >= 0;
    }

    std::ostream& out = std::cout;
    out << "{\"groups\": [";
    for (int g = 0; g < s.groupCount; ++g) {
        out << (g ? ", " : "");
        printList(out, s.groupMembers[g], s.groupSize[g]);
    }
    out << "], \"loops\": [";
    for (int i = 0; i < s.loopCount; ++i) {
        out << (i ? ", " : "");
        printList(out, s.loopCells[i], s.loopLength[i]);
    }
    out << "], \"loopPoints\": " << s.loopPoints << ", \"full\": " << (full ? "true" : "false") << ", \"green\": ";
    printList(out, s.greenStamp, kCellCount);
    out << ", \"result\": " << result << "}\n";
    return 0;
}

const Registration reg{{"analyse", "analyse [--items C,C,...] [--moves-used N] < BOARD   analyse a board (8 lines of 8 tokens)",
                        analyse}};

} // namespace
} // namespace tavrin::cli
