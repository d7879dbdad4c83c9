#include "game/saved_game_file.h"

#include "game/crc32.h"

#include <system_error>

namespace tavrin::game {

namespace {

constexpr std::size_t kHeaderBytes = 14; // magic, version, body length
constexpr std::size_t kCrcBytes = 4;
constexpr std::uint8_t kUnusedItem = 0xFF;

class Writer {
public:
    void u8(unsigned v) { out_.push_back(static_cast<char>(v & 0xFF)); }
    void i8(int v) { u8(static_cast<unsigned>(v)); }
    void u16(unsigned v)
    {
        u8(v);
        u8(v >> 8);
    }
    void i16(int v) { u16(static_cast<unsigned>(v)); }
    void u32(std::uint32_t v)
    {
        u16(v & 0xFFFF);
        u16(v >> 16);
    }
    void u64(std::uint64_t v)
    {
        u32(static_cast<std::uint32_t>(v));
        u32(static_cast<std::uint32_t>(v >> 32));
    }
    void text(const std::string& s)
    {
        u8(static_cast<unsigned>(s.size()));
        out_ += s;
    }
    std::string& bytes() { return out_; }

private:
    std::string out_;
};

// Reads values off the body; once anything runs short every later read gives
// 0 and ok() is false.
class Reader {
public:
    explicit Reader(std::string_view bytes) : in_(bytes) {}
    unsigned u8()
    {
        if (at_ >= in_.size()) {
            ok_ = false;
            return 0;
        }
        return static_cast<unsigned char>(in_[at_++]);
    }
    int i8() { return static_cast<std::int8_t>(u8()); }
    unsigned u16()
    {
        const unsigned low = u8();
        return low | (u8() << 8);
    }
    int i16() { return static_cast<std::int16_t>(u16()); }
    std::uint32_t u32()
    {
        const std::uint32_t low = u16();
        return low | (std::uint32_t{u16()} << 16);
    }
    std::uint64_t u64()
    {
        const std::uint64_t low = u32();
        return low | (std::uint64_t{u32()} << 32);
    }
    // The next `n` bytes (all of them, or none and not ok).
    std::string_view bytes(std::size_t n)
    {
        if (!ok_ || n > in_.size() - at_) {
            ok_ = false;
            return {};
        }
        const std::string_view part = in_.substr(at_, n);
        at_ += n;
        return part;
    }
    std::string text()
    {
        const std::size_t n = u8();
        if (!ok_ || n > in_.size() - at_) {
            ok_ = false;
            return {};
        }
        std::string s(in_.substr(at_, n));
        at_ += n;
        return s;
    }
    bool ok() const { return ok_; }
    bool atEnd() const { return at_ == in_.size(); }

private:
    std::string_view in_;
    std::size_t at_ = 0;
    bool ok_ = true;
};

std::int16_t narrow(int v) { return static_cast<std::int16_t>(v); }

std::string encodeBody(const SavedGame& g)
{
    Writer w;
    w.u64(g.random.seed);
    w.u64(g.random.draws);
    for (const std::int16_t v : {g.movesUsed, g.maxMovesUsed, g.scoreChain, g.movesReturnedTotal, g.movesReturned,
                                 g.scoreLabelsDirty}) {
        w.i16(v);
    }
    w.u8(g.noMovesReturned ? 1 : 0);
    w.i8(g.offeredPiece);
    for (const std::int16_t slot : g.discardWindow) {
        w.i8(slot);
    }
    w.u8(static_cast<unsigned>(g.itemCount));
    for (int e = 0; e < kMaxItems; ++e) {
        const bool used = e < g.itemCount;
        w.u8(used ? static_cast<unsigned>(g.itemCells[e]) : kUnusedItem);
        w.u8(used ? static_cast<unsigned>(g.itemKinds[e]) : kUnusedItem);
    }
    for (const std::int16_t cell : g.board) {
        w.i8(cell);
    }
    for (const std::int16_t stamp : g.greenStamp) {
        w.i8(stamp);
    }
    for (const std::string* label : {&g.labels.ecoPoints, &g.labels.movesLeft, &g.labels.loopPoints, &g.labels.chain}) {
        w.text(label->substr(0, kMaxSavedLabel));
    }
    if (g.record && recordValid(*g.record)) {
        const std::string record = encodeRecord(*g.record);
        w.u16(static_cast<unsigned>(record.size()));
        w.bytes() += record;
    }
    return std::move(w.bytes());
}

std::optional<SavedGame> decodeBody(std::string_view body, unsigned version)
{
    Reader r(body);
    SavedGame g;
    g.random.seed = r.u64();
    g.random.draws = r.u64();
    for (std::int16_t* v : {&g.movesUsed, &g.maxMovesUsed, &g.scoreChain, &g.movesReturnedTotal, &g.movesReturned,
                            &g.scoreLabelsDirty}) {
        *v = narrow(r.i16());
    }
    const unsigned noneReturned = r.u8();
    g.noMovesReturned = noneReturned == 1;
    g.offeredPiece = narrow(r.i8());
    for (std::int16_t& slot : g.discardWindow) {
        slot = narrow(r.i8());
    }
    g.itemCount = narrow(static_cast<int>(r.u8()));
    bool unusedClear = true;
    for (int e = 0; e < kMaxItems; ++e) {
        const unsigned cell = r.u8();
        const unsigned kind = r.u8();
        if (e < g.itemCount) {
            g.itemCells[e] = narrow(static_cast<int>(cell));
            g.itemKinds[e] = narrow(static_cast<int>(kind));
        } else {
            unusedClear = unusedClear && cell == kUnusedItem && kind == kUnusedItem;
        }
    }
    for (std::int16_t& cell : g.board) {
        cell = narrow(r.i8());
    }
    for (std::int16_t& stamp : g.greenStamp) {
        stamp = narrow(r.i8());
    }
    for (std::string* label : {&g.labels.ecoPoints, &g.labels.movesLeft, &g.labels.loopPoints, &g.labels.chain}) {
        *label = r.text();
    }
    if (version == kSavedGameWithRecordVersion) {
        const RecordRead record = decodeRecord(r.bytes(r.u16()));
        if (!record.record) {
            return std::nullopt;
        }
        g.record = record.record;
    }
    if (!r.ok() || !r.atEnd() || noneReturned > 1 || !unusedClear || !savedGameValid(g)) {
        return std::nullopt;
    }
    return g;
}

} // namespace

std::string encodeSavedGame(const SavedGame& game)
{
    const std::string body = encodeBody(game);
    Writer w;
    w.bytes() = std::string(kSavedGameMagic);
    w.u16(game.record && recordValid(*game.record) ? kSavedGameWithRecordVersion : kSavedGameVersion);
    w.u32(static_cast<std::uint32_t>(body.size()));
    w.bytes() += body;
    w.u32(crc32(w.bytes()));
    return std::move(w.bytes());
}

SavedGameRead decodeSavedGame(std::string_view bytes)
{
    const std::string_view magic = bytes.substr(0, kSavedGameMagic.size());
    if (magic != kSavedGameMagic.substr(0, magic.size())) {
        return {std::nullopt, SavedGameProblem::Foreign};
    }
    if (bytes.size() < kHeaderBytes) {
        return {std::nullopt, SavedGameProblem::Truncated};
    }
    Reader header(bytes.substr(kSavedGameMagic.size(), kHeaderBytes - kSavedGameMagic.size()));
    const unsigned version = header.u16();
    const std::uint32_t length = header.u32();
    if (version > kSavedGameWithRecordVersion) {
        return {std::nullopt, SavedGameProblem::FutureVersion};
    }
    if (version < kSavedGameVersion || length > kMaxSavedGameBytes) {
        return {std::nullopt, SavedGameProblem::Damaged};
    }
    const std::size_t total = kHeaderBytes + length + kCrcBytes;
    if (bytes.size() < total) {
        return {std::nullopt, SavedGameProblem::Truncated};
    }
    Reader crc(bytes.substr(total - kCrcBytes, kCrcBytes));
    if (bytes.size() != total || crc.u32() != crc32(bytes.substr(0, total - kCrcBytes))) {
        return {std::nullopt, SavedGameProblem::Damaged};
    }
    std::optional<SavedGame> game = decodeBody(bytes.substr(kHeaderBytes, length), version);
    if (!game) {
        return {std::nullopt, SavedGameProblem::Damaged};
    }
    return {std::move(game), SavedGameProblem::None};
}

SavedGameRead readSavedGameFile(const std::filesystem::path& path)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found) {
        return {std::nullopt, SavedGameProblem::Missing};
    }
    if (error || status.type() != std::filesystem::file_type::regular) {
        return {std::nullopt, SavedGameProblem::Unreadable};
    }
    // One byte more than any saved game tells a longer file apart.
    const FileReadResult read = readFileBytes(path, kMaxSavedGameBytes + 1);
    if (!read.bytes) {
        return {std::nullopt, SavedGameProblem::Unreadable};
    }
    return decodeSavedGame(*read.bytes);
}

FileWriteResult writeSavedGameFile(const std::filesystem::path& path, const SavedGame& game)
{
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    return writeFileAtomically(path, encodeSavedGame(game));
}

void setRefusedSavedGameAside(const std::filesystem::path& path)
{
    std::filesystem::path aside = path;
    aside += ".refused";
    std::error_code error;
    std::filesystem::remove_all(aside, error);
    std::filesystem::rename(path, aside, error);
}

void removeSavedGameFile(const std::filesystem::path& path)
{
    std::error_code error;
    if (std::filesystem::is_regular_file(path, error)) {
        std::filesystem::remove(path, error);
    }
}

Text savedGameNote(SavedGameProblem problem)
{
    switch (problem) {
    case SavedGameProblem::None:
    case SavedGameProblem::Missing: return {};
    case SavedGameProblem::Unreadable: return TAVRIN_TEXT("game", "前回のゲームの保存ファイルを読み込めませんでした。新しいゲームを始めます。");
    case SavedGameProblem::Foreign: return TAVRIN_TEXT("game", "前回のゲームの保存ファイルがTavrinのものではありません。新しいゲームを始めます。");
    case SavedGameProblem::FutureVersion:
        return TAVRIN_TEXT("game", "前回のゲームは新しいバージョンのTavrinで保存されています。新しいゲームを始めます。");
    case SavedGameProblem::Truncated: return TAVRIN_TEXT("game", "前回のゲームの保存ファイルが途中で切れています。新しいゲームを始めます。");
    case SavedGameProblem::Damaged: return TAVRIN_TEXT("game", "前回のゲームの保存ファイルが壊れています。新しいゲームを始めます。");
    case SavedGameProblem::ItemsChanged: return TAVRIN_TEXT("game", "アイテムの画像が前回のゲームと合いません。新しいゲームを始めます。");
    }
    return {};
}

Text savedGameWriteFailedNote() { return TAVRIN_TEXT("game", "ゲームを保存できませんでした。"); }

} // namespace tavrin::game
