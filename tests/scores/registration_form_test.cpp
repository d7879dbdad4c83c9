#include "scores/registration_form.h"

#include <gtest/gtest.h>

#include <string>

namespace tavrin {
namespace {

constexpr ScoreDate kToday{2024, 12, 30};

// What a browser posts from the page for 山田, 32767 points, 2024/12/31,
// five item kinds, comment テスト: CP932 bytes, percent-encoded.
const std::string kPosted = "name=%8ER%93c&score=32767&dates=2024%2F12%2F31&comment=%83e%83X%83g"
                            "&gametype=5&passwd=KZP";

std::string withField(const std::string& body, const std::string& field, const std::string& value)
{
    const std::size_t at = body.find(field + "=");
    const std::size_t end = body.find('&', at);
    return body.substr(0, at) + field + "=" + value + (end == std::string::npos ? "" : body.substr(end));
}

RegistrationError errorOf(const std::string& body)
{
    return checkRegistration(body, kToday).error;
}

TEST(RegistrationForm, BrowserPostIsAccepted)
{
    const RegistrationCheck check = checkRegistration(kPosted, kToday);
    ASSERT_EQ(check.error, RegistrationError::None) << registrationErrorText(check);
    EXPECT_EQ(check.entry, (Registration{5, 32767, {2024, 12, 31}, "山田", "テスト"}));
}

TEST(RegistrationForm, EmptyOrMissingCommentIsNoComment)
{
    EXPECT_EQ(checkRegistration(withField(kPosted, "comment", ""), kToday).entry.comment, "No Comment");
    EXPECT_EQ(checkRegistration("name=%8ER%93c&score=32767&dates=2024/12/31&gametype=5&passwd=KZP", kToday)
                  .entry.comment,
              "No Comment");
}

TEST(RegistrationForm, TextsAreCutToSixteenCharactersAfterTheCodeCheck)
{
    // 18 characters; the code covers all of them, the entry keeps 16.
    const std::string name18 = "あいうあいうあいうあいうあいうあいう";
    std::string encodedName;
    for (int i = 0; i < 6; ++i) {
        encodedName += "%82%A0%82%A2%82%A4";
    }
    std::string body = withField(kPosted, "name", encodedName);
    body = withField(body, "passwd", scoreCode(name18, 32767, 2024, 12, 31, 5));
    body = withField(body, "comment", "0123456789abcdefXYZ");
    const RegistrationCheck check = checkRegistration(body, kToday);
    ASSERT_EQ(check.error, RegistrationError::None);
    EXPECT_EQ(check.entry.name, "あいうあいうあいうあいうあいうあ");
    EXPECT_EQ(check.entry.comment, "0123456789abcdef");
    // The cut name's own code does not pass.
    EXPECT_EQ(errorOf(withField(body, "name", encodedName.substr(0, 16 * 6))), RegistrationError::WrongCode);
}

TEST(RegistrationForm, CharacterReferencesFromTheBrowserBecomeCharacters)
{
    // A page read in another character set posts what it cannot encode as
    // references; broken references stay as they are.
    EXPECT_EQ(decodeFormText("&#12354;&#x3044;%"), "あい%");
    EXPECT_EQ(decodeFormText("&#0;&#xD800;&#1114112;&#12354"), "&#0;&#xD800;&#1114112;&#12354");
    EXPECT_EQ(decodeFormText("\x87\x40\xEE\xE0"), "①髙");
    EXPECT_EQ(decodeFormText("\x82"), "?");
}

TEST(RegistrationForm, EveryFieldIsChecked)
{
    using E = RegistrationError;
    EXPECT_EQ(errorOf(withField(kPosted, "gametype", "2")), E::BadGameType);
    EXPECT_EQ(errorOf(withField(kPosted, "gametype", "03")), E::BadGameType);
    EXPECT_EQ(errorOf(withField(kPosted, "score", "32768")), E::BadScore);
    EXPECT_EQ(errorOf(withField(kPosted, "score", "-1")), E::BadScore);
    EXPECT_EQ(errorOf(withField(kPosted, "score", "1e3")), E::BadScore);
    EXPECT_EQ(errorOf(withField(kPosted, "score", "+123")), E::BadScore);
    EXPECT_EQ(errorOf(withField(kPosted, "score", "000032767")), E::BadScore);
    EXPECT_EQ(errorOf(withField(kPosted, "score", "")), E::BadScore);
    EXPECT_EQ(errorOf(withField(kPosted, "dates", "2023/2/29")), E::BadDate);
    EXPECT_EQ(errorOf(withField(kPosted, "dates", "2024/13/1")), E::BadDate);
    EXPECT_EQ(errorOf(withField(kPosted, "dates", "2024/12")), E::BadDate);
    EXPECT_EQ(errorOf(withField(kPosted, "dates", "2024/12/31/1")), E::BadDate);
    EXPECT_EQ(errorOf(withField(kPosted, "dates", "999/1/1")), E::BadDate);
    EXPECT_EQ(errorOf(withField(kPosted, "dates", "2025/1/1")), E::FutureDate);
    EXPECT_EQ(errorOf(withField(kPosted, "name", "")), E::EmptyName);
    EXPECT_EQ(errorOf(withField(kPosted, "name", "a%0Ab")), E::ControlCharacter);
    EXPECT_EQ(errorOf(withField(kPosted, "comment", "%1B")), E::ControlCharacter);
    EXPECT_EQ(errorOf(withField(kPosted, "passwd", "KZQ")), E::WrongCode);
    EXPECT_EQ(errorOf(withField(kPosted, "passwd", "kzp")), E::WrongCode);
    EXPECT_EQ(errorOf(withField(kPosted, "score", "32766")), E::WrongCode);
}

TEST(RegistrationForm, HostileBodiesAreRefused)
{
    using E = RegistrationError;
    EXPECT_EQ(errorOf(""), E::MissingField);
    EXPECT_EQ(errorOf(kPosted + "&name=x"), E::RepeatedField);
    EXPECT_EQ(errorOf(kPosted + "%"), E::Malformed);
    EXPECT_EQ(errorOf(kPosted + "&a=%G0"), E::Malformed);
    EXPECT_EQ(errorOf(kPosted + "&x=" + std::string(kMaxRegistrationBody, 'x')), E::TooLarge);
    EXPECT_EQ(errorOf(std::string("name\0=1", 7)), E::MissingField);
    // Unknown fields and empty pairs are ignored.
    EXPECT_EQ(errorOf("&&submit=%83n&" + kPosted + "&&"), E::None);
    const RegistrationCheck check = checkRegistration(kPosted + "&name=x", kToday);
    EXPECT_EQ(registrationErrorText(check), "項目「name」が二度以上送信されました。");
}

TEST(RegistrationForm, Calendar)
{
    EXPECT_TRUE(isRealDate(2024, 2, 29));
    EXPECT_FALSE(isRealDate(1900, 2, 29));
    EXPECT_TRUE(isRealDate(2000, 2, 29));
    EXPECT_EQ(nextDay({2024, 2, 28}), (ScoreDate{2024, 2, 29}));
    EXPECT_EQ(nextDay({2023, 2, 28}), (ScoreDate{2023, 3, 1}));
    EXPECT_EQ(nextDay({2024, 12, 31}), (ScoreDate{2025, 1, 1}));
}

TEST(RegistrationForm, Utf8Cutting)
{
    EXPECT_EQ(utf8Length("aあ𠀋"), 3u);
    EXPECT_EQ(utf8Prefix("aあ𠀋b", 3), "aあ𠀋");
    EXPECT_EQ(utf8Prefix("ab", 5), "ab");
}

} // namespace
} // namespace tavrin
