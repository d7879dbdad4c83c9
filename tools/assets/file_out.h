// Writing generated files so that a half-written file never takes the
// place of a good one: the bytes go to a file beside the target, which is
// renamed over it only when complete.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace tavrin::assets {

bool writeFileSafely(const std::string& path, const std::vector<unsigned char>& bytes);

// Runs `write` on a temporary name beside `path` and renames it over `path`
// when `write` succeeded.
bool writeViaTemporary(const std::string& path, const std::function<bool(const std::string&)>& write);

} // namespace tavrin::assets
