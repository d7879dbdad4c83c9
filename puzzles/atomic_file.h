// Whole-file reads and all-or-nothing writes, for every file the game saves.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tavrin {

struct FileWriteResult {
    bool ok = false;
    std::string error; // why the write failed (system text), empty on success

    explicit operator bool() const { return ok; }
};

// Writes `bytes` to a new temporary file beside `target`, flushes it to disk
// and renames it over `target`. Until the rename the old file is untouched; on
// any failure the temporary file is removed and the old file stays as it was.
// A file that is replaced keeps its permissions; where `target` is a symbolic
// link, the file it points to is replaced and the link stays.
FileWriteResult writeFileAtomically(const std::filesystem::path& target, std::string_view bytes);

struct FileReadResult {
    std::optional<std::string> bytes; // no value when the file could not be read
    std::string error;
};

// Reads at most `maxBytes` bytes from the start of `path` (the rest of a longer
// file is left unread, so a huge or endless file cannot exhaust memory).
FileReadResult readFileBytes(const std::filesystem::path& path, std::size_t maxBytes);

} // namespace tavrin
