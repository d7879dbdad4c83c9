// Subcommands of tavrin-cli register themselves here; main() dispatches.
#pragma once

#include "scores/json_text.h"

#include <functional>
#include <string>
#include <vector>

namespace tavrin::cli {

// A subcommand gets its arguments after its own name and returns the exit status.
using Handler = std::function<int(const std::vector<std::string>& args)>;

struct Command {
    std::string name;
    std::string usage; // one or more lines for --help
    Handler run;
};

std::vector<Command>& commands();

// Used at namespace scope: `static Registration reg{{"name", "usage", handler}};`
struct Registration {
    explicit Registration(Command c) { commands().push_back(std::move(c)); }
};

// JSON string literal for `text` (UTF-8 passes through, control characters escaped).

using tavrin::jsonString;

} // namespace tavrin::cli
