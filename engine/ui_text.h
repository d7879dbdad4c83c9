// Texts the program shows, kept apart from the data it shows.
//
// A text of our own wording is written where it is used, in Japanese, inside
// TAVRIN_TEXT(context, "..."). The translation tools find every such mark
// (lupdate reads TAVRIN_TEXT as QT_TRANSLATE_NOOP), and the window shows the
// text in the player's language. "%1" ... "%9" stand for values filled in
// when the text is used (numbers, file names, other texts).
//
// Everything else is data and is shown exactly as given: puzzle comments,
// names, file paths, goal texts of theme files. A Text made from a string is
// data, even when the string happens to read like one of our texts.
#pragma once

#include <cstring>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#define TAVRIN_TEXT(context, source) (::tavrin::Phrase{context, source})

namespace tavrin {

class Text;

// One marked text: the context it is translated in and its Japanese source.
struct Phrase {
    const char* context;
    const char* source;

    // The text with %1 (then %2, ...) filled in.
    Text arg(const Text& value) const;
    Text arg(long long number) const;
    friend bool operator==(const Phrase& a, const Phrase& b)
    {
        return std::strcmp(a.context, b.context) == 0 && std::strcmp(a.source, b.source) == 0;
    }
};

class Text {
public:
    Text() = default;
    Text(const Phrase& phrase) : phrase_(phrase), marked_(true) {}
    // Data, shown as given.
    Text(std::string data) : data_(std::move(data)) {}
    Text(const char* data) : data_(data) {}
    Text(std::string_view data) : data_(data) {}

    Text arg(const Text& value) const&;
    Text arg(long long number) const&;
    Text&& arg(const Text& value) &&;
    Text&& arg(long long number) &&;

    bool marked() const { return marked_; }
    const Phrase& phrase() const { return phrase_; }
    const std::vector<Text>& args() const { return args_; }
    // Data: the string itself. A marked text: "".
    const std::string& data() const { return data_; }
    // Empty data (a marked text is never empty).
    bool empty() const { return !marked_ && data_.empty(); }

    // The text as the program writes it in Japanese, its own language.
    std::string japanese() const;
    // The text with every marked part passed through `translate` first.
    using Translate = std::function<std::string(const Phrase&)>;
    std::string render(const Translate& translate) const;

    friend bool operator==(const Text& a, const Text& b);

private:
    Phrase phrase_{"", ""};
    std::string data_;
    std::vector<Text> args_;
    bool marked_ = false;
};

// `pattern` with %1 ... %9 replaced by `values` in one pass (so a value that
// contains "%2" stays as it is); a % that no value answers stays.
std::string fillIn(std::string_view pattern, const std::vector<std::string>& values);

} // namespace tavrin
