// Reads the host's text mesh format far enough to check it and count what
// it holds.
#pragma once

#include <string>

namespace standin {

struct MeshSummary {
    bool read = false;  // the file was found and followed the format
    int groups = 0;
    int vertices = 0;
    int triangles = 0;
    int materials = 0;
};

// False, with "path:line: what is wrong" in *error, for a file that is
// missing or does not follow the format.
bool readMesh(const std::string& path, MeshSummary* summary, std::string* error);

}  // namespace standin
