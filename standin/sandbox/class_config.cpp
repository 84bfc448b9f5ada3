#include "class_config.h"

#include <fstream>

namespace sandbox {
namespace {

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

}  // namespace

const std::string* ClassConfig::require(const std::string& key, std::string* error) const {
    auto found = values.find(key);
    if (found != values.end() && !found->second.empty()) return &found->second;
    if (error) *error = path + ": no value for '" + key + "'";
    return nullptr;
}

std::optional<ClassConfig> readClassConfig(const std::string& path, std::string* error) {
    std::ifstream in(path);
    if (!in) {
        if (error) *error = path + ": cannot read the class configuration file";
        return std::nullopt;
    }
    ClassConfig config{path, {}};
    std::string line;
    while (std::getline(in, line)) {
        line = trimmed(line.substr(0, line.find(';')));
        const auto equals = line.find('=');
        if (equals == std::string::npos) continue;
        config.values[trimmed(line.substr(0, equals))] = trimmed(line.substr(equals + 1));
    }
    return config;
}

}  // namespace sandbox
