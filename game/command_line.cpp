#include "game/command_line.h"

namespace tavrin::game {

namespace {
bool blank(char c) { return c == ' ' || c == '\t'; }
} // namespace

std::vector<std::string> splitCommandLine(std::string_view line, int limit)
{
    std::vector<std::string> args;
    if (limit <= 0) {
        return args;
    }
    std::size_t i = 0;
    const std::size_t n = line.size();
    while (i < n) {
        while (i < n && blank(line[i])) {
            ++i;
        }
        if (i >= n) {
            break;
        }
        if (args.size() >= static_cast<std::size_t>(limit)) {
            break; // a further argument would begin here: drop the rest
        }
        const std::size_t start = i;
        while (i < n && !blank(line[i])) {
            ++i;
        }
        args.emplace_back(line.substr(start, i - start));
    }
    return args;
}

namespace {
std::string joined(const std::vector<std::string>& args)
{
    std::string line;
    for (std::size_t i = 0; i < args.size(); ++i) {
        line += i == 0 ? "" : " ";
        line += args[i];
    }
    return line;
}
} // namespace

std::string commandLinePath(std::string_view line)
{
    const std::vector<std::string> args = splitCommandLine(line);
    if (args.empty()) {
        return {};
    }
    const std::string& first = args.front();
    if (first.size() >= 2 && first.front() == '"' && first.back() == '"') {
        return first.substr(1, first.size() - 2);
    }
    return joined(args);
}

std::string commandLinePath(const std::vector<std::string>& arguments)
{
    if (arguments.size() == 1) {
        return arguments.front();
    }
    return commandLinePath(joined(arguments));
}

} // namespace tavrin::game
