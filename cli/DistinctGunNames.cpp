#include "cli/DistinctGunNames.h"

#include <algorithm>
#include <filesystem>

namespace {

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? ""
                                      : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::vector<std::string> PathParts(const std::string& path) {
    std::vector<std::string> parts;
    for (const std::filesystem::path& part : std::filesystem::path(path)) {
        if (!part.empty()) {
            parts.push_back(part.string());
        }
    }
    return parts;
}

// The last count parts of the path joined by slashes; the whole path when it has no more.
std::string PathEnd(const std::string& path, const std::vector<std::string>& parts, size_t count) {
    if (count >= parts.size()) {
        return path;
    }
    std::string end;
    for (size_t k = parts.size() - count; k < parts.size(); ++k) {
        end += (end.empty() ? "" : "/") + parts[k];
    }
    return end;
}

}  // namespace

std::vector<std::string> DistinctGunNames(std::span<const NamedGun> guns) {
    std::vector<std::string> names;
    std::vector<size_t> unnamed;  // the guns without a name of their own
    for (const NamedGun& gun : guns) {
        names.push_back(Trimmed(gun.name));
    }
    for (size_t k = 0; k < guns.size(); ++k) {
        if (names[k].empty() || std::count(names.begin(), names.end(), names[k]) > 1) {
            unnamed.push_back(k);
        }
    }
    std::vector<std::vector<std::string>> parts;
    for (const size_t k : unnamed) {
        parts.push_back(PathParts(guns[k].path));
    }
    for (size_t i = 0; i < unnamed.size(); ++i) {
        const std::string& path = guns[unnamed[i]].path;
        for (size_t count = 1;; ++count) {
            const std::string end = PathEnd(path, parts[i], count);
            bool endsAnother = false;
            for (size_t j = 0; j < unnamed.size(); ++j) {
                const std::string& other = guns[unnamed[j]].path;
                endsAnother = endsAnother ||
                              (j != i && other != path && PathEnd(other, parts[j], count) == end);
            }
            if (!endsAnother || count >= parts[i].size()) {
                names[unnamed[i]] = end;
                break;
            }
        }
    }
    return names;
}
