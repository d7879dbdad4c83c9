// What a registration page posts to the score server: the URL-encoded form
// in the page's character set, decoded and checked field by field.
#pragma once

#include "engine/puzzle.h"
#include "scores/score_page.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin {

// Bodies longer than this are refused unread: the page posts a few hundred
// bytes at most.
inline constexpr std::size_t kMaxRegistrationBody = 4096;
// The page promises that 16 characters of name and comment are kept.
inline constexpr std::size_t kMaxNameCharacters = 16;
inline constexpr std::size_t kMaxCommentCharacters = 16;
inline constexpr std::string_view kNoComment = "No Comment";

// One name=value pair of an application/x-www-form-urlencoded body, `+` and
// %XX undone; the bytes are still in the page's character set.
struct FormField {
    std::string name;
    std::string value;
};

// nullopt when a pair is malformed (a `%` without two hex digits).
std::optional<std::vector<FormField>> parseForm(std::string_view body);

// CP932 bytes as posted -> UTF-8. Browsers send characters the page's
// character set cannot hold as &#N; or &#xH; references; those become the
// character itself.
std::string decodeFormText(std::string_view cp932);

// UTF-8 text cut after `count` characters (utf8Length in engine/puzzle.h
// counts them).
std::string utf8Prefix(std::string_view text, std::size_t count);

// A registration that passed every check, its texts cut as stored.
struct Registration {
    int gameType = 0;
    std::int16_t score = 0;
    ScoreDate date;
    std::string name;    // UTF-8, at most kMaxNameCharacters
    std::string comment; // UTF-8, at most kMaxCommentCharacters, kNoComment when empty
    bool operator==(const Registration&) const = default;
};

enum class RegistrationError {
    None,
    TooLarge,
    Malformed,
    MissingField,
    RepeatedField,
    BadGameType,
    BadScore,
    BadDate,
    FutureDate,
    EmptyName,
    ControlCharacter,
    WrongCode,
};

struct RegistrationCheck {
    RegistrationError error = RegistrationError::None;
    std::string field; // the field at fault, when there is one
    Registration entry;
};

// Decodes and checks a posted body. `today` is the server's date; the entry's
// date may be at most one day later (the player may live a time zone ahead).
RegistrationCheck checkRegistration(std::string_view body, ScoreDate today);

// The reason, in Japanese, shown to the player on a refusal.
std::string registrationErrorText(const RegistrationCheck& check);

// Calendar helpers on plain dates.
bool isRealDate(int year, int month, int day);
ScoreDate nextDay(ScoreDate date);

} // namespace tavrin
