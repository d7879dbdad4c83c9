#include "puzzles/cp932.h"

#include <iconv.h>

#include <cerrno>
#include <cstddef>

namespace tavrin {

namespace {

// A converter that lives for one call and closes itself.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter()
    {
        if (ok()) {
            iconv_close(cd_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts one unit; false when the converter refuses it.
    bool convert(std::string_view in, std::string& out)
    {
        char buf[16];
        char* src = const_cast<char*>(in.data());
        std::size_t srcLeft = in.size();
        char* dst = buf;
        std::size_t dstLeft = sizeof buf;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr); // reset shift state
        if (iconv(cd_, &src, &srcLeft, &dst, &dstLeft) == static_cast<std::size_t>(-1) || srcLeft != 0) {
            return false;
        }
        out.append(buf, static_cast<std::size_t>(dst - buf));
        return true;
    }

private:
    iconv_t cd_;
};

std::size_t utf8SequenceLength(unsigned char c)
{
    if (c < 0x80) return 1;
    if (c >= 0xC2 && c < 0xE0) return 2;
    if (c >= 0xE0 && c < 0xF0) return 3;
    if (c >= 0xF0 && c < 0xF5) return 4;
    return 0; // stray continuation or invalid lead byte
}

bool isCp932Lead(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

} // namespace

std::string toCp932(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    Converter conv("CP932", "UTF-8");
    std::size_t i = 0;
    while (i < utf8.size()) {
        std::size_t len = utf8SequenceLength(static_cast<unsigned char>(utf8[i]));
        if (len == 0 || i + len > utf8.size()) {
            out += '?';
            ++i;
            continue;
        }
        const std::string_view ch = utf8.substr(i, len);
        i += len;
        if (len == 1) {
            out += ch; // ASCII maps to itself in CP932, backslash included
            continue;
        }
        if (!conv.ok() || !conv.convert(ch, out)) {
            out += '?';
        }
    }
    return out;
}

std::string fromCp932(std::string_view cp932)
{
    std::string out;
    out.reserve(cp932.size() * 2);
    Converter conv("UTF-8", "CP932");
    std::size_t i = 0;
    while (i < cp932.size()) {
        const auto c = static_cast<unsigned char>(cp932[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
            ++i;
            continue;
        }
        const std::size_t len = (isCp932Lead(c) && i + 1 < cp932.size()) ? 2 : 1;
        const std::string_view ch = cp932.substr(i, len);
        i += len;
        if (!conv.ok() || !conv.convert(ch, out)) {
            out += '?';
        }
    }
    return out;
}

} // namespace tavrin
