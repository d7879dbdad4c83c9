// Hostile bytes for the game-record reader, as bytes and as text. Whatever
// it accepts must be written back byte for byte, and must replay without a
// crash or a stall; a short accepted record is replayed by the rules.
#include "game/crc32.h"
#include "game/game_record.h"
#include "game/record_replay.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using namespace tavrin::game;

void check(const std::string& bytes)
{
    const RecordRead read = decodeRecord(bytes);
    if (!read.record) {
        if (read.problem == RecordProblem::None) {
            std::abort();
        }
        return;
    }
    if (read.problem != RecordProblem::None || encodeRecord(*read.record) != bytes ||
        readRecordText(recordText(*read.record)).record != read.record) {
        std::abort();
    }
    // Replays cost a millisecond or so; short ones show the way.
    if (read.record->moves.size() <= 120) {
        const Verification result = verifyRecord(*read.record);
        if (result.verdict == Verdict::Malformed) {
            std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string bytes(reinterpret_cast<const char*>(data), size);
    check(bytes);
    readRecordText(bytes);
    // The same bytes with a checksum that fits, so that the values behind it
    // are reached as well.
    if (size >= 24) {
        const std::uint32_t crc = crc32(std::string_view(bytes).substr(0, size - 4));
        for (int k = 0; k < 4; ++k) {
            bytes[size - 4 + static_cast<std::size_t>(k)] = static_cast<char>((crc >> (8 * k)) & 0xFFu);
        }
        check(bytes);
    }
    return 0;
}
