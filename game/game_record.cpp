#include "game/game_record.h"

#include "game/crc32.h"
#include "scores/registration_form.h"

namespace tavrin::game {

namespace {

constexpr std::size_t kHeaderBytes = 20;

void put(std::string& out, std::uint64_t value, int bytes)
{
    for (int k = 0; k < bytes; ++k) {
        out += static_cast<char>((value >> (8 * k)) & 0xFFu);
    }
}

std::uint64_t take(std::string_view bytes, std::size_t at, int count)
{
    std::uint64_t value = 0;
    for (int k = count - 1; k >= 0; --k) {
        value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(k)]);
    }
    return value;
}

RecordRead refused(RecordProblem problem) { return {std::nullopt, problem}; }

int hexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

} // namespace

bool recordValid(const GameRecord& record)
{
    if (record.itemKinds < 2 || record.itemKinds > 5 || record.moves.size() > kMaxRecordMoves) {
        return false;
    }
    if (record.daily && !isRealDate(record.daily->year, record.daily->month, record.daily->day)) {
        return false;
    }
    for (const std::uint8_t move : record.moves) {
        if (move > kDiscardMove) {
            return false;
        }
    }
    return true;
}

std::string encodeRecord(const GameRecord& record)
{
    std::string out(kRecordMagic);
    put(out, kRecordVersion, 1);
    put(out, static_cast<std::uint64_t>(record.itemKinds), 1);
    put(out, record.seed, 8);
    put(out, record.daily ? static_cast<std::uint16_t>(record.daily->year) : 0u, 2);
    put(out, record.daily ? static_cast<std::uint8_t>(record.daily->month) : 0u, 1);
    put(out, record.daily ? static_cast<std::uint8_t>(record.daily->day) : 0u, 1);
    put(out, record.moves.size(), 2);
    out.append(record.moves.begin(), record.moves.end());
    put(out, crc32(out), 4);
    return out;
}

RecordRead decodeRecord(std::string_view bytes)
{
    if (bytes.size() < kRecordMagic.size() || bytes.substr(0, kRecordMagic.size()) != kRecordMagic) {
        return refused(RecordProblem::NotARecord);
    }
    if (bytes.size() > kMaxRecordBytes) {
        return refused(RecordProblem::TooLong);
    }
    if (bytes.size() < kHeaderBytes) {
        return refused(RecordProblem::Truncated);
    }
    const auto version = take(bytes, 4, 1);
    if (version > kRecordVersion) {
        return refused(RecordProblem::NewerVersion);
    }
    const std::size_t count = take(bytes, 18, 2);
    if (count > kMaxRecordMoves) {
        return refused(RecordProblem::BadValue);
    }
    const std::size_t end = kHeaderBytes + count;
    if (bytes.size() < end + 4) {
        return refused(RecordProblem::Truncated);
    }
    if (version == 0 || bytes.size() > end + 4 || take(bytes, end, 4) != crc32(bytes.substr(0, end))) {
        return refused(RecordProblem::Damaged);
    }
    GameRecord record;
    record.itemKinds = static_cast<int>(take(bytes, 5, 1));
    record.seed = take(bytes, 6, 8);
    const auto year = static_cast<std::int16_t>(take(bytes, 14, 2));
    const auto month = static_cast<std::int16_t>(take(bytes, 16, 1));
    const auto day = static_cast<std::int16_t>(take(bytes, 17, 1));
    if (year != 0 || month != 0 || day != 0) {
        record.daily = ScoreDate{year, month, day};
    }
    const std::string_view moves = bytes.substr(kHeaderBytes, count);
    record.moves.assign(moves.begin(), moves.end());
    if (!recordValid(record)) {
        return refused(RecordProblem::BadValue);
    }
    return {std::move(record), RecordProblem::None};
}

std::string recordText(const GameRecord& record)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    for (const char c : encodeRecord(record)) {
        const auto byte = static_cast<unsigned char>(c);
        text += kDigits[byte >> 4];
        text += kDigits[byte & 15u];
    }
    return text;
}

RecordRead readRecordText(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    const std::size_t last = text.find_last_not_of(" \t\r\n");
    text = first == std::string_view::npos ? std::string_view{} : text.substr(first, last - first + 1);
    if (text.size() > 2 * kMaxRecordBytes) {
        return refused(RecordProblem::TooLong);
    }
    if (text.size() % 2 != 0) {
        return refused(RecordProblem::NotARecord);
    }
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const int high = hexValue(text[i]);
        const int low = hexValue(text[i + 1]);
        if (high < 0 || low < 0) {
            return refused(RecordProblem::NotARecord);
        }
        bytes += static_cast<char>(high * 16 + low);
    }
    return decodeRecord(bytes);
}

std::string_view recordProblemText(RecordProblem problem)
{
    switch (problem) {
    case RecordProblem::None: return "a valid record";
    case RecordProblem::NotARecord: return "not a game record";
    case RecordProblem::NewerVersion: return "a record of a newer format version";
    case RecordProblem::Truncated: return "the record is cut short";
    case RecordProblem::Damaged: return "the record is damaged (checksum or bytes after its end)";
    case RecordProblem::BadValue: return "the record holds a value no game can have";
    case RecordProblem::TooLong: return "the record is longer than any game";
    }
    return "";
}

} // namespace tavrin::game
