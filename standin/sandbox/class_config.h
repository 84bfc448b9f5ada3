// The host's class configuration files: "Key = Value" lines, with ';'
// starting a comment.
#pragma once

#include <map>
#include <optional>
#include <string>

namespace sandbox {

struct ClassConfig {
    std::string path;
    std::map<std::string, std::string> values;

    // The value, or null with a message naming the file and key.
    const std::string* require(const std::string& key, std::string* error) const;
};

// Nothing, with a message naming the file, when it cannot be read.
std::optional<ClassConfig> readClassConfig(const std::string& path, std::string* error);

}  // namespace sandbox
