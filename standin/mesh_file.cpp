#include "mesh_file.h"

#include <fstream>
#include <sstream>
#include <vector>

namespace standin {
namespace {

class MeshParser {
public:
    MeshParser(std::istream& in, std::string path) : in_(in), path_(std::move(path)) {}

    bool parse(MeshSummary* summary) {
        if (!nextLine() || line_ != "MSHX1") return fail("expected MSHX1");
        int groups = 0;
        if (!keyword("GROUPS", &groups)) return false;
        std::vector<int> groupMaterials;
        for (int g = 0; g < groups; ++g) {
            int material = 0, texture = 0, vertexCount = 0, triangleCount = 0;
            if (!keyword("MATERIAL", &material) || !keyword("TEXTURE", &texture)) return false;
            if (!nextLine()) return fail("expected GEOM");
            std::istringstream geom(line_);
            std::string word;
            if (!(geom >> word >> vertexCount >> triangleCount) || word != "GEOM" ||
                vertexCount < 0 || triangleCount < 0 || !atEnd(geom))
                return fail("expected GEOM <vertices> <triangles>");
            for (int v = 0; v < vertexCount; ++v)
                if (!numbers(6, "vertex: x y z nx ny nz")) return false;
            for (int t = 0; t < triangleCount; ++t)
                if (!triangle(vertexCount)) return false;
            groupMaterials.push_back(material);
            summary->vertices += vertexCount;
            summary->triangles += triangleCount;
        }
        summary->groups = groups;
        if (!keyword("MATERIALS", &summary->materials)) return false;
        for (int material : groupMaterials)
            if (material < 0 || material > summary->materials)
                return fail("a group names material " + std::to_string(material) +
                            ", which is not in the list");
        std::vector<std::string> names;
        for (int m = 0; m < summary->materials; ++m) {
            if (!nextLine() || line_.empty()) return fail("expected a material name");
            names.push_back(line_);
        }
        for (const std::string& name : names) {
            if (!nextLine() || line_ != "MATERIAL " + name)
                return fail("expected MATERIAL " + name);
            if (!numbers(4, "diffuse r g b a") || !numbers(4, "ambient r g b a") ||
                !numbers(5, "specular r g b a power") || !numbers(4, "emissive r g b a"))
                return false;
        }
        int textures = -1;
        if (!keyword("TEXTURES", &textures)) return false;
        return true;
    }

    const std::string& error() const { return error_; }

private:
    bool nextLine() {
        while (std::getline(in_, line_)) {
            ++lineNumber_;
            if (!line_.empty() && line_.back() == '\r') line_.pop_back();
            if (!line_.empty()) return true;
        }
        ++lineNumber_;
        line_.clear();
        return false;
    }

    static bool atEnd(std::istringstream& in) {
        std::string rest;
        return !(in >> rest);
    }

    bool keyword(const char* word, int* value) {
        if (!nextLine()) return fail(std::string("expected ") + word);
        std::istringstream in(line_);
        std::string found;
        if (!(in >> found >> *value) || found != word || *value < 0 || !atEnd(in))
            return fail(std::string("expected ") + word + " <count>");
        return true;
    }

    bool numbers(int count, const char* what) {
        if (!nextLine()) return fail(std::string("expected ") + what);
        std::istringstream in(line_);
        double value = 0;
        for (int i = 0; i < count; ++i)
            if (!(in >> value)) return fail(std::string("expected ") + what);
        return atEnd(in) || fail(std::string("expected ") + what);
    }

    bool triangle(int vertexCount) {
        if (!nextLine()) return fail("expected a triangle");
        std::istringstream in(line_);
        for (int i = 0; i < 3; ++i) {
            long index = -1;
            if (!(in >> index)) return fail("expected a triangle: three vertex indices");
            if (index < 0 || index >= vertexCount)
                return fail("vertex index " + std::to_string(index) + " out of range");
        }
        return atEnd(in) || fail("expected a triangle: three vertex indices");
    }

    bool fail(const std::string& what) {
        error_ = path_ + ":" + std::to_string(lineNumber_) + ": " + what;
        return false;
    }

    std::istream& in_;
    std::string path_;
    std::string line_;
    int lineNumber_ = 0;
    std::string error_;
};

}  // namespace

bool readMesh(const std::string& path, MeshSummary* summary, std::string* error) {
    std::ifstream in(path);
    if (!in) {
        if (error) *error = path + ": cannot open the mesh file";
        return false;
    }
    MeshParser parser(in, path);
    MeshSummary read;
    if (!parser.parse(&read)) {
        if (error) *error = parser.error();
        return false;
    }
    read.read = true;
    *summary = read;
    return true;
}

}  // namespace standin
