// A small writer of the JSON the page's script reads: objects, arrays,
// strings, numbers and switches, commas placed by the writer.
#pragma once

#include "scores/json_text.h"

#include <string>
#include <string_view>
#include <vector>

namespace tavrin::web {

using tavrin::jsonString;

class JsonWriter {
public:
    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    // The name of the next member of an object.
    JsonWriter& key(std::string_view name);
    JsonWriter& value(std::string_view text);
    JsonWriter& value(const char* text) { return value(std::string_view(text)); }
    JsonWriter& value(const std::string& text) { return value(std::string_view(text)); }
    JsonWriter& value(long long number);
    JsonWriter& value(int number) { return value(static_cast<long long>(number)); }
    JsonWriter& value(bool on);
    // Text that is JSON already.
    JsonWriter& raw(std::string_view json);

    const std::string& text() const { return out_; }

private:
    void separate();

    std::string out_;
    std::vector<char> first_; // per open object or array: nothing written in it yet
    bool afterKey_ = false;
};

} // namespace tavrin::web
