#include "puzzles/kem_file.h"

#include "puzzles/atomic_file.h"
#include "puzzles/cp932.h"
#include "puzzles/kem_format.h"
#include "puzzles/kem_names.h"

#include <algorithm>
#include <optional>

namespace tavrin::kem {

namespace {

bool isLeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

std::uint8_t byteAt(std::string_view bytes, std::size_t pos)
{
    return static_cast<std::uint8_t>(bytes[pos]);
}

// Record j starting at `base`, or no value when it is short or damaged.
std::optional<Puzzle> decodeRecord(std::string_view bytes, std::size_t base, int j)
{
    if (bytes.size() < base + kRecordSize) {
        return std::nullopt;
    }
    // 25 characters; a double-byte one takes two bytes, so at most 50.
    std::size_t end = base;
    for (int c = 0; c < kCommentLength; ++c) {
        end += isLeadByte(byteAt(bytes, end)) ? 2 : 1;
    }
    Puzzle p;
    p.comment = fitComment(fromCp932(bytes.substr(base, end - base)));

    const std::uint8_t header = maskPuzzleByte(byteAt(bytes, base + kHeaderOffset), 0, j);
    const int mode = header & 0x0F;
    if (mode != kFullConnection && mode != kBigLoop) {
        return std::nullopt;
    }
    p.mode = static_cast<GameMode>(mode);
    int sum = 0;
    for (int k = 1; k <= kCellCount; ++k) {
        const std::uint8_t value = maskPuzzleByte(byteAt(bytes, base + kHeaderOffset + static_cast<std::size_t>(k)), k, j);
        if (value < kEmpty + kCellBias || value > kPieceKinds - 1 + kCellBias) {
            return std::nullopt;
        }
        p.cells[static_cast<std::size_t>(k - 1)] = static_cast<HyperRoad>(value - kCellBias);
        sum += value;
    }
    if (sum % 16 != header >> 4) {
        return std::nullopt;
    }
    return p;
}

bool validCell(HyperRoad cell)
{
    return cell == kEmpty || isPiece(cell);
}

} // namespace

Text PuzzleFileRead::message() const
{
    switch (status) {
    case ReadStatus::NotPuzzleFile: return kNotPuzzleFileMessage;
    case ReadStatus::Unreadable: return kUnreadableMessage.arg(path);
    case ReadStatus::Loaded: break;
    }
    return {};
}

PuzzleFileRead decodePuzzleFile(std::string_view bytes)
{
    PuzzleFileRead read;
    // Compared byte by byte: a lower-case magic is not ours. An empty or
    // one-byte file is refused with the same message, never silently.
    if (bytes.size() < kMagicSize || bytes.substr(0, kMagicSize) != kMagic) {
        read.status = ReadStatus::NotPuzzleFile;
        return read;
    }
    PuzzleList scratch;
    while (scratch.size() < static_cast<std::size_t>(kMaxPuzzles)) {
        const int j = static_cast<int>(scratch.size());
        std::optional<Puzzle> p = decodeRecord(bytes, recordOffset(j), j);
        if (!p) {
            break;
        }
        scratch.push_back(std::move(*p));
    }
    if (scratch.empty()) {
        read.status = ReadStatus::NotPuzzleFile;
        return read;
    }
    read.status = ReadStatus::Loaded;
    read.puzzles = std::move(scratch);
    return read;
}

PuzzleFileRead readPuzzleFile(const std::filesystem::path& path)
{
    FileReadResult file = readFileBytes(path, kMaxFileSize);
    PuzzleFileRead read;
    if (file.bytes) {
        read = decodePuzzleFile(*file.bytes);
    } else {
        read.status = ReadStatus::Unreadable;
        read.error = std::move(file.error);
    }
    read.path = path.string();
    return read;
}

bool applyPuzzleFile(GameState& state, const PuzzleFileRead& read)
{
    if (!read.loaded() || read.puzzles.empty() || read.puzzles.size() > static_cast<std::size_t>(kMaxPuzzles)) {
        return false;
    }
    std::fill(state.puzzles.begin(), state.puzzles.end(), newPuzzle());
    std::copy(read.puzzles.begin(), read.puzzles.end(), state.puzzles.begin());
    state.puzzleCount = static_cast<std::int16_t>(read.puzzles.size());
    return true;
}

PuzzleList collectionOf(const GameState& state)
{
    const int count = std::clamp<int>(state.puzzleCount, 0, kMaxPuzzles);
    return PuzzleList(state.puzzles.begin(), state.puzzles.begin() + count);
}

Text PuzzleFileSave::message() const
{
    switch (status) {
    case SaveStatus::ModeMissing: return kModeMissingMessage;
    case SaveStatus::WriteFailed: return kWriteFailedMessage.arg(path);
    case SaveStatus::Saved:
    case SaveStatus::Invalid:
    case SaveStatus::Cancelled: break;
    }
    return {};
}

SaveStatus checkSavable(const PuzzleList& puzzles)
{
    for (const Puzzle& p : puzzles) {
        if (p.mode != kFullConnection && p.mode != kBigLoop) {
            return SaveStatus::ModeMissing;
        }
    }
    if (puzzles.size() > static_cast<std::size_t>(kMaxPuzzles)) {
        return SaveStatus::Invalid;
    }
    for (const Puzzle& p : puzzles) {
        if (!std::all_of(p.cells.begin(), p.cells.end(), validCell)) {
            return SaveStatus::Invalid;
        }
    }
    return SaveStatus::Saved;
}

std::string encodeComment(std::string_view utf8)
{
    // Every character of the conversion is one byte, or a lead byte and its
    // trail byte; keeping exactly 25 of them keeps the record's layout.
    const std::string converted = toCp932(utf8);
    std::string out;
    int chars = 0;
    std::size_t i = 0;
    while (i < converted.size() && chars < kCommentLength) {
        const auto c = static_cast<unsigned char>(converted[i]);
        if (isLeadByte(c)) {
            if (i + 1 < converted.size()) {
                out.append(converted, i, 2);
            } else {
                out += '?';
            }
            i += 2;
        } else {
            out += static_cast<char>(c);
            ++i;
        }
        ++chars;
    }
    out.append(static_cast<std::size_t>(kCommentLength - chars), ' ');
    return out;
}

std::string encodePuzzleFile(const PuzzleList& puzzles)
{
    std::string out(kMagic);
    const std::size_t count = std::min(puzzles.size(), static_cast<std::size_t>(kMaxPuzzles));
    out.reserve(kMagicSize + kRecordSize * count);
    for (std::size_t jj = 0; jj < count; ++jj) {
        const Puzzle& p = puzzles[jj];
        const int j = static_cast<int>(jj);
        std::string record = encodeComment(p.comment);
        record.resize(kCommentAreaSize, '\0');
        int sum = 0;
        for (const HyperRoad cell : p.cells) {
            sum += cell + kCellBias;
        }
        const int header = (p.mode & 0x0F) + 16 * (sum % 16);
        record += static_cast<char>(maskPuzzleByte(static_cast<std::uint8_t>(header), 0, j));
        for (int k = 1; k <= kCellCount; ++k) {
            const int value = p.cells[static_cast<std::size_t>(k - 1)] + kCellBias;
            record += static_cast<char>(maskPuzzleByte(static_cast<std::uint8_t>(value), k, j));
        }
        out += record;
    }
    return out;
}

PuzzleFileSave savePuzzleFile(std::string_view chosenName, const PuzzleList& puzzles)
{
    PuzzleFileSave save;
    save.status = checkSavable(puzzles);
    if (save.status != SaveStatus::Saved) {
        return save;
    }
    if (chosenName.empty()) {
        save.status = SaveStatus::Cancelled;
        return save;
    }
    save.path = puzzleSaveName(chosenName);
    const FileWriteResult written = writeFileAtomically(save.path, encodePuzzleFile(puzzles));
    if (!written) {
        save.status = SaveStatus::WriteFailed;
        save.error = written.error;
    }
    return save;
}

} // namespace tavrin::kem
