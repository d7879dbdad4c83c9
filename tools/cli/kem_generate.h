// tavrin-cli kem generate: a puzzle file made by the generator.
#pragma once

#include <string>
#include <vector>

namespace tavrin::cli {

// The arguments after "generate"; returns the exit status (2 for bad usage).
int kemGenerate(const std::vector<std::string>& args);

} // namespace tavrin::cli
