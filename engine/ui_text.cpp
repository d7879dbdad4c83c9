#include "engine/ui_text.h"

namespace tavrin {

Text Phrase::arg(const Text& value) const
{
    return Text(*this).arg(value);
}

Text Phrase::arg(long long number) const
{
    return Text(*this).arg(number);
}

Text Text::arg(const Text& value) const&
{
    Text copy(*this);
    copy.args_.push_back(value);
    return copy;
}

Text Text::arg(long long number) const&
{
    return arg(Text(std::to_string(number)));
}

Text&& Text::arg(const Text& value) &&
{
    args_.push_back(value);
    return std::move(*this);
}

Text&& Text::arg(long long number) &&
{
    args_.push_back(Text(std::to_string(number)));
    return std::move(*this);
}

std::string Text::japanese() const
{
    return render([](const Phrase& phrase) { return std::string(phrase.source); });
}

std::string Text::render(const Translate& translate) const
{
    if (!marked_) {
        return data_;
    }
    std::vector<std::string> values;
    values.reserve(args_.size());
    for (const Text& value : args_) {
        values.push_back(value.render(translate));
    }
    return fillIn(translate(phrase_), values);
}

bool operator==(const Text& a, const Text& b)
{
    if (a.marked_ != b.marked_) {
        return false;
    }
    if (!a.marked_) {
        return a.data_ == b.data_;
    }
    return a.phrase_ == b.phrase_ && a.args_ == b.args_;
}

std::string fillIn(std::string_view pattern, const std::vector<std::string>& values)
{
    std::string out;
    out.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
            const auto n = static_cast<std::size_t>(pattern[i + 1] - '1');
            if (n < values.size()) {
                out += values[n];
                ++i;
                continue;
            }
        }
        out += pattern[i];
    }
    return out;
}

} // namespace tavrin
