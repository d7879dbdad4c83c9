#include "scores/score_page.h"

#include "puzzles/cp932.h"
#include "scores/high_score_texts.h"

namespace tavrin {

std::string pageFileName(int itemCount)
{
    return "Upload" + std::to_string(itemCount) + ".html";
}

std::string dateText(ScoreDate date)
{
    return std::to_string(date.year) + "/" + std::to_string(date.month) + "/" + std::to_string(date.day);
}

std::string htmlEscape(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\r': out += "&#13;"; break;
        case '\n': out += "&#10;"; break;
        default: out += c; break;
        }
    }
    return out;
}

namespace {

std::string_view trimmedBlanks(std::string_view text)
{
    auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// Safe to write into the page's ACTION attribute as it is.
bool plainAddress(std::string_view server)
{
    bool usable = !server.empty() && server.size() <= 2048;
    for (const char c : server) {
        const auto u = static_cast<unsigned char>(c);
        if (u <= 0x20 || u == 0x7F || c == '"' || c == '<' || c == '>') {
            usable = false;
        }
    }
    return usable;
}

bool startsWithLower(std::string_view text, std::string_view lowerPrefix)
{
    if (text.size() < lowerPrefix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < lowerPrefix.size(); ++i) {
        const char c = text[i] >= 'A' && text[i] <= 'Z' ? static_cast<char>(text[i] - 'A' + 'a') : text[i];
        if (c != lowerPrefix[i]) {
            return false;
        }
    }
    return true;
}

} // namespace

bool usableScoreServer(std::string_view server)
{
    server = trimmedBlanks(server);
    if (!plainAddress(server)) {
        return false;
    }
    for (const std::string_view scheme : {std::string_view("http://"), std::string_view("https://")}) {
        if (startsWithLower(server, scheme)) {
            const std::string_view rest = server.substr(scheme.size());
            return !rest.empty() && rest.front() != '/';
        }
    }
    return false;
}

std::string registrationAddress(std::string_view server)
{
    server = trimmedBlanks(server);
    if (!plainAddress(server)) {
        server = kDefaultScoreServer;
    }
    while (!server.empty() && server.back() == '/') {
        server.remove_suffix(1);
    }
    return std::string(server) + std::string(kRegistrationPath);
}

std::string scoreCode(std::string_view name, std::int16_t score, std::int16_t year, std::int16_t month,
                      std::int16_t day, std::int16_t itemKinds)
{
    return scoreCode(kScoreCodeKey, name, score, year, month, day, itemKinds);
}

std::string scoreCode(const CodeKey& key, std::string_view name, std::int16_t score, std::int16_t year,
                      std::int16_t month, std::int16_t day, std::int16_t itemKinds)
{
    int byteSum = 0;
    for (const char c : toCp932(name)) {
        byteSum = (byteSum + static_cast<unsigned char>(c)) % 256;
    }
    // Division and remainder truncate towards zero, as the 16-bit original did.
    const std::array<std::int64_t, 9> digits{
        score / 1000, (score % 1000) / 100, (score % 100) / 10, score % 10, year, month, day, itemKinds, byteSum};
    std::int64_t h = 1;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        // At most 32768 · (32767 + 32768 · 32768): far inside 64 bits.
        h = (std::int64_t{key.multipliers[i]} * (h + std::int64_t{key.weights[i]} * digits[i])) % 32767;
    }
    if (h < 0) {
        h += 32767; // only negative inputs get here; keep the code in letters
    }
    std::string code;
    while (h >= 27) {
        code.insert(code.begin(), static_cast<char>('A' + h % 26));
        h /= 26;
    }
    code.insert(code.begin(), static_cast<char>('A' + h));
    return code;
}

std::string scorePage(const PageEntry& entry, std::string_view address)
{
    const std::string q = "\"";
    const std::string name = htmlEscape(entry.name);
    const std::string score = std::to_string(entry.score);
    const std::string date = dateText(entry.date);
    const std::string items = std::to_string(entry.itemCount);
    const std::string product(kProductName);
    const std::string lines[8] = {
        "<HTML><HEAD><TITLE>" + product + "インターネットハイスコア登録" + "</TITLE><BODY BGCOLOR=" + q +
            "#f0f0cc" + q + ">",
        "<P><BR><H3>" + product + "インターネットハイスコア登録（アイテム" + items + "）</H3></P><FORM ACTION=" + q +
            htmlEscape(address) + q + " METHOD=POST><P><BR>お名前（全角16字までが登録されます）<BR>",
        name + "<INPUT TYPE=HIDDEN NAME=" + q + "name" + q + " VALUE = " + q + name + q + "><BR><BR>スコア<BR>",
        score + "<INPUT TYPE=HIDDEN NAME=" + q + "score" + q + " VALUE = " + q + score + q + "><BR><BR>日付<BR>",
        date + "<INPUT TYPE=HIDDEN NAME=" + q + "dates" + q + " VALUE = " + q + date + q + "><BR><BR>コメント<BR>",
        "<INPUT TYPE=TEXT NAME=" + q + "comment" + q +
            " SIZE=24><BR>↑ここに何かコメントを書いてください（全角16字まで）<BR>未記入の場合No Commentとなります。<BR>",
        "<INPUT TYPE=HIDDEN NAME=" + q + "gametype" + q + " VALUE = " + q + items + q +
            "><BR>以上の情報が下のボタンを押すとアップロードされます。",
        "<INPUT TYPE=HIDDEN NAME=" + q + "passwd" + q + " VALUE = " + q +
            scoreCode(entry.name, entry.score, entry.date.year, entry.date.month, entry.date.day,
                      static_cast<std::int16_t>(entry.itemCount)) +
            q + "><BR><BR><INPUT TYPE=SUBMIT VALUE=" + q + "ハイスコア登録" + q + "><BR></P></FORM></BODY></HTML>",
    };
    std::string page;
    for (const std::string& line : lines) {
        page += toCp932(line);
        page += "\r\n";
    }
    return page;
}

namespace {

bool startsWithIgnoringCase(std::string_view text, std::string_view lowerPattern)
{
    if (text.size() < lowerPattern.size()) {
        return false;
    }
    for (std::size_t i = 0; i < lowerPattern.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
        if (c != lowerPattern[i]) {
            return false;
        }
    }
    return true;
}

std::int16_t scoreInLine(std::string_view line)
{
    constexpr std::string_view pattern = "\"score\" value = \"";
    for (std::size_t at = 0; at + pattern.size() <= line.size(); ++at) {
        if (!startsWithIgnoringCase(line.substr(at), pattern)) {
            continue;
        }
        long value = 0;
        for (std::size_t i = at + pattern.size(); i < line.size() && line[i] >= '0' && line[i] <= '9'; ++i) {
            value = value * 10 + (line[i] - '0');
            if (value > INT16_MAX) {
                return 0; // too many digits to be a score
            }
        }
        return static_cast<std::int16_t>(value);
    }
    return 0;
}

} // namespace

std::int16_t pageScore(std::string_view page)
{
    std::size_t start = 0;
    while (start < page.size()) {
        std::size_t end = page.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            end = page.size();
        }
        const std::string_view line = page.substr(start, end - start);
        if (line.find("\"score\"") != std::string_view::npos) {
            return scoreInLine(line);
        }
        start = end + 1;
    }
    return 0;
}

} // namespace tavrin
