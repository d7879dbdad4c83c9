#include "scores/registration_form.h"

#include "engine/utf8.h"
#include "puzzles/cp932.h"

#include <array>
#include <tuple>

namespace tavrin {

namespace {

int hexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::optional<std::string> percentDecode(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '+') {
            out += ' ';
        } else if (c == '%') {
            if (i + 2 >= text.size()) {
                return std::nullopt;
            }
            const int high = hexValue(text[i + 1]);
            const int low = hexValue(text[i + 2]);
            if (high < 0 || low < 0) {
                return std::nullopt;
            }
            out += static_cast<char>(high * 16 + low);
            i += 2;
        } else {
            out += c;
        }
    }
    return out;
}

// "&#12354;" or "&#x3042;" at the start of `text`: the character and the
// length of the reference, or nothing when it is not a usable reference.
std::optional<std::pair<char32_t, std::size_t>> characterReference(std::string_view text)
{
    if (text.size() < 4 || text[0] != '&' || text[1] != '#') {
        return std::nullopt;
    }
    const bool hex = text[2] == 'x' || text[2] == 'X';
    std::size_t i = hex ? 3 : 2;
    const std::size_t first = i;
    std::uint32_t value = 0;
    for (; i < text.size() && i - first < 8; ++i) {
        const int digit = hex ? hexValue(text[i]) : (text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -1);
        if (digit < 0) {
            break;
        }
        value = value * (hex ? 16 : 10) + static_cast<std::uint32_t>(digit);
    }
    if (i == first || i >= text.size() || text[i] != ';') {
        return std::nullopt;
    }
    if (value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        return std::nullopt;
    }
    return std::pair{static_cast<char32_t>(value), i + 1};
}

// Code points of valid UTF-8 (the decoder only ever produces valid UTF-8).
template <typename Visit>
void forEachCodePoint(std::string_view text, Visit visit)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t len = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        if (i + len > text.size()) {
            len = text.size() - i;
        }
        char32_t c = len == 1 ? lead : lead & (0x3F >> (len - 1));
        for (std::size_t k = 1; k < len; ++k) {
            c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        }
        if (!visit(c, i, len)) {
            return;
        }
        i += len;
    }
}

bool hasControlCharacter(std::string_view utf8)
{
    bool found = false;
    forEachCodePoint(utf8, [&](char32_t c, std::size_t, std::size_t) {
        found = c < 0x20 || (c >= 0x7F && c < 0xA0);
        return !found;
    });
    return found;
}

// Plain decimal digits, at most `maxDigits` of them.
std::optional<int> digitsValue(std::string_view text, std::size_t maxDigits)
{
    if (text.empty() || text.size() > maxDigits) {
        return std::nullopt;
    }
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

std::optional<ScoreDate> parseDate(std::string_view text)
{
    const std::size_t first = text.find('/');
    const std::size_t second = first == std::string_view::npos ? first : text.find('/', first + 1);
    if (second == std::string_view::npos) {
        return std::nullopt;
    }
    const auto year = digitsValue(text.substr(0, first), 4);
    const auto month = digitsValue(text.substr(first + 1, second - first - 1), 2);
    const auto day = digitsValue(text.substr(second + 1), 2);
    if (!year || !month || !day || *year < 1000 || !isRealDate(*year, *month, *day)) {
        return std::nullopt;
    }
    return ScoreDate{static_cast<std::int16_t>(*year), static_cast<std::int16_t>(*month),
                     static_cast<std::int16_t>(*day)};
}

RegistrationCheck refused(RegistrationError error, std::string field = {})
{
    RegistrationCheck check;
    check.error = error;
    check.field = std::move(field);
    return check;
}

} // namespace

std::optional<std::vector<FormField>> parseForm(std::string_view body)
{
    std::vector<FormField> fields;
    std::size_t start = 0;
    while (start <= body.size()) {
        std::size_t end = body.find('&', start);
        if (end == std::string_view::npos) {
            end = body.size();
        }
        const std::string_view pair = body.substr(start, end - start);
        if (!pair.empty()) {
            const std::size_t eq = pair.find('=');
            auto name = percentDecode(pair.substr(0, eq));
            auto value = percentDecode(eq == std::string_view::npos ? std::string_view{} : pair.substr(eq + 1));
            if (!name || !value) {
                return std::nullopt;
            }
            fields.push_back({std::move(*name), std::move(*value)});
        }
        start = end + 1;
    }
    return fields;
}

std::string decodeFormText(std::string_view cp932)
{
    const std::string text = fromCp932(cp932);
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == '&') {
            if (const auto ref = characterReference(std::string_view(text).substr(i))) {
                appendUtf8(out, ref->first);
                i += ref->second;
                continue;
            }
        }
        out += text[i++];
    }
    return out;
}

std::string utf8Prefix(std::string_view text, std::size_t count)
{
    std::size_t end = 0;
    std::size_t seen = 0;
    forEachCodePoint(text, [&](char32_t, std::size_t at, std::size_t len) {
        if (seen == count) {
            return false;
        }
        ++seen;
        end = at + len;
        return true;
    });
    return std::string(text.substr(0, end));
}

bool isRealDate(int year, int month, int day)
{
    static constexpr std::array<int, 12> days{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) {
        return false;
    }
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return day <= days[static_cast<std::size_t>(month - 1)] + (month == 2 && leap ? 1 : 0);
}

ScoreDate nextDay(ScoreDate date)
{
    if (isRealDate(date.year, date.month, date.day + 1)) {
        return {date.year, date.month, static_cast<std::int16_t>(date.day + 1)};
    }
    if (date.month < 12) {
        return {date.year, static_cast<std::int16_t>(date.month + 1), 1};
    }
    return {static_cast<std::int16_t>(date.year + 1), 1, 1};
}

RegistrationCheck checkRegistration(std::string_view body, ScoreDate today)
{
    if (body.size() > kMaxRegistrationBody) {
        return refused(RegistrationError::TooLarge);
    }
    const auto fields = parseForm(body);
    if (!fields) {
        return refused(RegistrationError::Malformed);
    }
    static constexpr std::array<std::string_view, 6> names{"name", "score", "dates", "comment", "gametype", "passwd"};
    std::array<const std::string*, 6> values{};
    for (const FormField& field : *fields) {
        for (std::size_t k = 0; k < names.size(); ++k) {
            if (field.name == names[k]) {
                if (values[k]) {
                    return refused(RegistrationError::RepeatedField, field.name);
                }
                values[k] = &field.value;
            }
        }
    }
    for (std::size_t k = 0; k < names.size(); ++k) {
        // A browser always sends the comment box, even empty; anything else
        // posting without one still means "no comment".
        if (!values[k] && names[k] != "comment") {
            return refused(RegistrationError::MissingField, std::string(names[k]));
        }
    }
    const std::string& rawName = *values[0];
    const std::string& rawScore = *values[1];
    const std::string& rawDate = *values[2];
    const std::string rawComment = values[3] ? *values[3] : std::string();
    const std::string& rawType = *values[4];
    const std::string& passwd = *values[5];

    if (rawType != "3" && rawType != "4" && rawType != "5") {
        return refused(RegistrationError::BadGameType, "gametype");
    }
    const auto score = digitsValue(rawScore, 5);
    if (!score || *score > INT16_MAX) {
        return refused(RegistrationError::BadScore, "score");
    }
    const auto date = parseDate(rawDate);
    if (!date) {
        return refused(RegistrationError::BadDate, "dates");
    }
    const ScoreDate tomorrow = nextDay(today);
    if (std::tie(date->year, date->month, date->day) > std::tie(tomorrow.year, tomorrow.month, tomorrow.day)) {
        return refused(RegistrationError::FutureDate, "dates");
    }
    const std::string name = decodeFormText(rawName);
    const std::string comment = decodeFormText(rawComment);
    if (name.empty()) {
        return refused(RegistrationError::EmptyName, "name");
    }
    if (hasControlCharacter(name)) {
        return refused(RegistrationError::ControlCharacter, "name");
    }
    if (hasControlCharacter(comment)) {
        return refused(RegistrationError::ControlCharacter, "comment");
    }
    RegistrationCheck check;
    check.entry.gameType = rawType[0] - '0';
    check.entry.score = static_cast<std::int16_t>(*score);
    check.entry.date = *date;
    // The code covers the name as posted, before it is cut.
    if (passwd != scoreCode(name, check.entry.score, date->year, date->month, date->day,
                            static_cast<std::int16_t>(check.entry.gameType))) {
        return refused(RegistrationError::WrongCode, "passwd");
    }
    check.entry.name = utf8Prefix(name, kMaxNameCharacters);
    check.entry.comment = comment.empty() ? std::string(kNoComment) : utf8Prefix(comment, kMaxCommentCharacters);
    return check;
}

std::string registrationErrorText(const RegistrationCheck& check)
{
    switch (check.error) {
    case RegistrationError::None: return {};
    case RegistrationError::TooLarge: return "送信されたデータが大きすぎます。";
    case RegistrationError::Malformed: return "送信されたデータの形式が正しくありません。";
    case RegistrationError::MissingField: return "項目「" + check.field + "」が送信されていません。";
    case RegistrationError::RepeatedField: return "項目「" + check.field + "」が二度以上送信されました。";
    case RegistrationError::BadGameType: return "アイテムの種類の数は 3、4、5 のどれかでなければなりません。";
    case RegistrationError::BadScore: return "スコアは 0 から 32767 までの数字でなければなりません。";
    case RegistrationError::BadDate: return "日付が正しくありません（年/月/日 の形で実在する日付が必要です）。";
    case RegistrationError::FutureDate: return "日付が未来になっています。";
    case RegistrationError::EmptyName: return "お名前が空です。";
    case RegistrationError::ControlCharacter:
        return std::string(check.field == "name" ? "お名前" : "コメント") + "に使えない文字が含まれています。";
    case RegistrationError::WrongCode:
        return "認証コードが一致しません。ゲームが書き出したページから、内容を変えずに登録してください。";
    }
    return {};
}

} // namespace tavrin
