// The CP932 converter against the C library's own (glibc iconv): every code
// and every short UTF-8 sequence, valid or not, must come out the same.
#include "puzzles/cp932.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <string>
#include <string_view>

using tavrin::fromCp932;
using tavrin::toCp932;

namespace {

// iconv for one character at a time, as the program once converted: a unit
// it refuses becomes "?".
class Iconv {
public:
    Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Iconv()
    {
        if (ok()) {
            iconv_close(cd_);
        }
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    std::string unit(std::string_view in)
    {
        char buf[16];
        char* src = const_cast<char*>(in.data());
        std::size_t srcLeft = in.size();
        char* dst = buf;
        std::size_t dstLeft = sizeof buf;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        if (iconv(cd_, &src, &srcLeft, &dst, &dstLeft) == static_cast<std::size_t>(-1) || srcLeft != 0) {
            return "?";
        }
        return std::string(buf, static_cast<std::size_t>(dst - buf));
    }

private:
    iconv_t cd_;
};

std::string bytes(std::initializer_list<unsigned> values)
{
    std::string s;
    for (const unsigned v : values) {
        s += static_cast<char>(v);
    }
    return s;
}

} // namespace

TEST(Cp932, DecodesEveryCodeAsIconvDoes)
{
    Iconv conv("UTF-8", "CP932");
    ASSERT_TRUE(conv.ok());
    int mapped = 0;
    for (unsigned lead = 0x80; lead <= 0xFF; ++lead) {
        const std::string one = bytes({lead});
        ASSERT_EQ(fromCp932(one), conv.unit(one)) << std::hex << lead;
        for (unsigned trail = 0; trail <= 0xFF; ++trail) {
            const std::string two = bytes({lead, trail});
            const bool pair = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
            const std::string alone = trail < 0x80 ? std::string(1, static_cast<char>(trail)) : conv.unit(bytes({trail}));
            const std::string expected = pair ? conv.unit(two) : conv.unit(one) + alone;
            ASSERT_EQ(fromCp932(two), expected) << std::hex << lead << ' ' << trail;
            mapped += pair && expected != "?";
        }
    }
    EXPECT_EQ(mapped, 9604); // every code the table holds was reached
}

TEST(Cp932, EncodesEverySequenceAsIconvDoes)
{
    Iconv conv("CP932", "UTF-8");
    ASSERT_TRUE(conv.ok());
    int mapped = 0;
    // Two- and three-byte sequences with every possible continuation byte.
    for (unsigned lead = 0xC2; lead < 0xF0; ++lead) {
        const unsigned lastSecond = lead < 0xE0 ? 0xBF : 0xFF;
        for (unsigned second = 0x00; second <= lastSecond; ++second) {
            if (lead < 0xE0) {
                if (second < 0x80) continue; // not a continuation at all: stays two characters
                const std::string s = bytes({lead, second});
                ASSERT_EQ(toCp932(s), conv.unit(s)) << std::hex << lead << ' ' << second;
                mapped += conv.unit(s) != "?";
                continue;
            }
            for (unsigned third = 0; third <= 0xFF; ++third) {
                const std::string s = bytes({lead, second, third});
                const std::string expected = conv.unit(s);
                ASSERT_EQ(toCp932(s), expected) << std::hex << lead << ' ' << second << ' ' << third;
                mapped += expected != "?";
            }
        }
    }
    EXPECT_EQ(mapped, 9406 - 128); // every character but the tags below
    // Four-byte sequences: continuation bytes and their neighbours.
    for (unsigned lead = 0xF0; lead < 0xF5; ++lead) {
        for (unsigned b2 = 0x7F; b2 <= 0xC0; ++b2) {
            for (unsigned b3 = 0x7F; b3 <= 0xC0; ++b3) {
                for (const unsigned b4 : {0x7FU, 0x80U, 0x9FU, 0xBFU, 0xC0U}) {
                    const std::string s = bytes({lead, b2, b3, b4});
                    ASSERT_EQ(toCp932(s), conv.unit(s)) << std::hex << lead << ' ' << b2 << ' ' << b3 << ' ' << b4;
                }
            }
        }
    }
}

// Whole texts keep today's handling of what cannot be converted.
TEST(Cp932, TextsWithBadParts)
{
    EXPECT_EQ(toCp932("山田 Taro\\~"), "\x8e\x52\x93\x63 Taro\\~");
    EXPECT_EQ(toCp932("ｶﾀｶﾅ"), "\xb6\xc0\xb6\xc5");
    EXPECT_EQ(toCp932("a😀b"), "a?b");     // beyond what CP932 holds
    EXPECT_EQ(toCp932("a\xe3\x81"), "a??");   // cut short
    EXPECT_EQ(toCp932("\x80z"), "?z");         // a stray continuation byte
    EXPECT_EQ(toCp932("\xe3\x81z!"), "?!");    // broken sequence: its bytes go
    EXPECT_EQ(toCp932("\xc0\xaf"), "??");      // overlong "/"
    EXPECT_EQ(toCp932("x\xf3\xa0\x80\x81y"), "xy"); // a language tag gives nothing
    EXPECT_EQ(toCp932("¥‾"), "\\~");
    EXPECT_EQ(toCp932("∵"), "\x81\xe6");      // of two codes, the one iconv picks
    EXPECT_EQ(fromCp932("\x81\xe6\x87\x9a"), "∵∵");
    EXPECT_EQ(fromCp932("A\x82"), "A?");       // a lead byte at the end
    EXPECT_EQ(fromCp932("\x82\x20x"), "?x");   // a pair with no character
    EXPECT_EQ(fromCp932("\x80\xa0\xfd"), "???");
    EXPECT_EQ(fromCp932("\xb1\xdd\x88\x9f"), "ｱﾝ亜");
    EXPECT_EQ(fromCp932("\xf0\x40"), "\xee\x80\x80"); // user-defined area
}
