// The Internet registration page: its text, the score read back from it and
// the authentication code it posts.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tavrin {

// The registration script's path on the score server.
inline constexpr std::string_view kRegistrationPath = "/~kelm/cgi-bin/hello2.cgi";
// Where the score server is looked up among the settings, and the server used
// when none is set: tavrin-scores, which comes with the game, at its own port
// on this machine. A player points the pages at another server (a club's, a
// family's) in the options, which store its address, e.g.
// "https://example.org", there.
inline constexpr std::string_view kScoreServerSection = "Options";
inline constexpr std::string_view kScoreServerKey = "ScoreServer";
inline constexpr std::string_view kDefaultScoreServer = "http://127.0.0.1:8932";

// The key shared with the score server: weights w and multipliers m of the
// authentication code, nine 16-bit values each.
struct CodeKey {
    std::array<std::int16_t, 9> weights;
    std::array<std::int16_t, 9> multipliers;
};
inline constexpr CodeKey kScoreCodeKey{{1307, 2711, 409, 97, 23, 3001, 577, 8191, 131},
                                       {5021, 311, 7919, 1009, 29311, 661, 12007, 43, 3557}};

struct ScoreDate {
    std::int16_t year = 0;
    std::int16_t month = 0;
    std::int16_t day = 0;
    bool operator==(const ScoreDate&) const = default;
};

// What one page shows and posts. `name` is UTF-8.
struct PageEntry {
    std::string name;
    std::int16_t score = 0;
    ScoreDate date;
    int itemCount = 0;
};

// "Upload" + itemCount + ".html".
std::string pageFileName(int itemCount);

// year/month/day, no leading zeros.
std::string dateText(ScoreDate date);

// `&`, `<`, `>` and `"` as entities, and line breaks as character
// references so that a value never spans lines.
std::string htmlEscape(std::string_view text);

// The server address from its setting (blank or unusable: the default) with
// the script's path appended.
std::string registrationAddress(std::string_view server);

// An address a player may store as the score server: "http://" or
// "https://" (any case) and a host, without blanks, quotes or angle brackets,
// at most 2048 characters. Blanks around it do not count.
bool usableScoreServer(std::string_view server);

// The code posted as "passwd". `name` is UTF-8; its byte sum is taken over
// its Shift-JIS form. Worked out in wide integers, so no input overflows.
std::string scoreCode(std::string_view name, std::int16_t score, std::int16_t year, std::int16_t month,
                      std::int16_t day, std::int16_t itemKinds);
// The same with another key.
std::string scoreCode(const CodeKey& key, std::string_view name, std::int16_t score, std::int16_t year,
                      std::int16_t month, std::int16_t day, std::int16_t itemKinds);

// The whole page in Shift-JIS: eight lines, each ended by CR LF.
std::string scorePage(const PageEntry& entry, std::string_view address);

// The score a page holds: the digits after the first `"score" value = "`
// (any case) on the first line containing `"score"`. 0 when there is no such
// text, no digit follows, or the digits do not fit 16 bits.
std::int16_t pageScore(std::string_view page);

} // namespace tavrin
