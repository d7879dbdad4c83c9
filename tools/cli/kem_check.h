// tavrin-cli kem check: is every puzzle of a file playable?
#pragma once

#include <string>

namespace tavrin::cli {

// Prints one line per puzzle and returns 0 when all are playable, 1 when any
// is not or the file is refused.
int kemCheck(const std::string& path);

} // namespace tavrin::cli
