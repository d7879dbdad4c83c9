#include "web/json_writer.h"


namespace tavrin::web {

void JsonWriter::separate()
{
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!first_.empty()) {
        if (!first_.back()) {
            out_ += ',';
        }
        first_.back() = false;
    }
}

JsonWriter& JsonWriter::beginObject()
{
    separate();
    out_ += '{';
    first_.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::endObject()
{
    out_ += '}';
    first_.pop_back();
    return *this;
}

JsonWriter& JsonWriter::beginArray()
{
    separate();
    out_ += '[';
    first_.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::endArray()
{
    out_ += ']';
    first_.pop_back();
    return *this;
}

JsonWriter& JsonWriter::key(std::string_view name)
{
    separate();
    out_ += jsonString(name);
    out_ += ':';
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::value(std::string_view text)
{
    separate();
    out_ += jsonString(text);
    return *this;
}

JsonWriter& JsonWriter::value(long long number)
{
    separate();
    out_ += std::to_string(number);
    return *this;
}

JsonWriter& JsonWriter::value(bool on)
{
    separate();
    out_ += on ? "true" : "false";
    return *this;
}

JsonWriter& JsonWriter::raw(std::string_view json)
{
    separate();
    out_ += json;
    return *this;
}

} // namespace tavrin::web
