#include "cli/CliArguments.h"

#include <algorithm>
#include <charconv>

#include "common/FieldNumber.h"

std::string CliArguments::Option(const std::string& name, const std::string& fallback) const {
    const auto found = options.find(name);
    return found == options.end() ? fallback : found->second.front();
}

namespace {

bool LooksLikeOption(const std::string& word) {
    if (word.size() < 2 || word[0] != '-') {
        return false;
    }
    return !(word[1] >= '0' && word[1] <= '9') && word[1] != '.';
}

}  // namespace

CliArguments ParseCliArguments(std::span<const std::string> words,
                               std::span<const OptionSpec> options) {
    CliArguments parsed;
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word == "--help" || word == "-h") {
            parsed.help = true;
            continue;
        }
        if (!LooksLikeOption(word)) {
            parsed.positionals.push_back(word);
            continue;
        }
        const size_t equals = word.find('=');
        const std::string name = word.substr(0, equals);
        const auto known = std::find_if(options.begin(), options.end(),
                                       [&](const OptionSpec& o) { return o.name == name; });
        if (known == options.end()) {
            throw UsageError("unknown option " + name);
        }
        std::string value;
        if (equals != std::string::npos) {
            value = word.substr(equals + 1);
        } else if (i + 1 < words.size()) {
            value = words[++i];
        } else {
            throw UsageError(name + " needs a value");
        }
        std::vector<std::string>& values = parsed.options[name];
        if (!values.empty() && !known->repeatable) {
            throw UsageError(name + " may be given once");
        }
        values.push_back(value);
    }
    return parsed;
}

double ParseCliNumber(const std::string& text, const std::string& what) {
    const std::optional<double> value = TryFieldToNumber(text, '.');
    if (!value) {
        throw UsageError(what + " '" + text + "' is not a number");
    }
    return *value;
}

int ParseCliCount(const std::string& text, const std::string& what, int minimum) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < minimum) {
        throw UsageError(what + " must be a whole number from " + std::to_string(minimum) +
                         " up, not '" + text + "'");
    }
    return value;
}
