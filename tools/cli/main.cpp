#include "tools/cli/command.h"

#include <iostream>

namespace tavrin::cli {

std::vector<Command>& commands()
{
    static std::vector<Command> all;
    return all;
}

} // namespace tavrin::cli

namespace {

void printUsage(std::ostream& out)
{
    out << "usage: tavrin-cli COMMAND [ARGS...]\n       tavrin-cli --version\n\ncommands:\n";
    for (const auto& c : tavrin::cli::commands()) {
        out << "  " << c.usage << "\n";
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h") {
        printUsage(argc < 2 ? std::cerr : std::cout);
        return argc < 2 ? 2 : 0;
    }
    const std::string name = argv[1];
    if (name == "--version") {
        std::cout << "tavrin-cli " TAVRIN_VERSION "\n";
        return 0;
    }
    for (const auto& c : tavrin::cli::commands()) {
        if (c.name == name) {
            return c.run(std::vector<std::string>(argv + 2, argv + argc));
        }
    }
    std::cerr << "tavrin-cli: unknown command '" << name << "'\n";
    printUsage(std::cerr);
    return 2;
}
