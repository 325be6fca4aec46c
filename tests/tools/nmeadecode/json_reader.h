#pragma once
// A strict JSON reader for checking the decoder's output: anything that is not valid JSON
// (raw control bytes in a string, bad escapes, trailing text) fails to read.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct Json {
    enum class Type { Null, Bool, Number, String, Array, Object };

    Type type = Type::Null;
    bool boolean = false;
    double number = 0.0;
    std::string text; // \u0000 to \u00FF come back as single bytes
    std::vector<Json> items;
    std::vector<std::pair<std::string, Json>> members;

    bool Has(std::string_view key) const;
    // The member called `key`; a null value when there is none.
    const Json& operator[](std::string_view key) const;
};

std::optional<Json> ReadJson(std::string_view text);
