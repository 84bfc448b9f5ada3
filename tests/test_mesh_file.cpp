// The host's reading of text mesh files.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "mesh_file.h"

namespace {

std::string writeMesh(const std::string& name, const std::string& text) {
    const std::string path = ::testing::TempDir() + name + ".msh";
    std::ofstream(path) << text;
    return path;
}

const std::string kMaterials =
    "MATERIALS 1\nrock\nMATERIAL rock\n0.5 0.5 0.5 1\n0.2 0.2 0.2 1\n0 0 0 1 5\n0 0 0 1\n"
    "TEXTURES 0\n";
const std::string kTriangleGroup =
    "MATERIAL 1\nTEXTURE 0\nGEOM 3 1\n0 0 0 0 1 0\n1 0 0 0 1 0\n0 0 1 0 1 0\n0 1 2\n";

TEST(MeshFileTest, CountsGroupsVerticesAndTriangles) {
    const std::string path =
        writeMesh("good", "MSHX1\nGROUPS 2\n" + kTriangleGroup + kTriangleGroup + kMaterials);
    standin::MeshSummary summary;
    std::string error;
    ASSERT_TRUE(standin::readMesh(path, &summary, &error)) << error;
    EXPECT_TRUE(summary.read);
    EXPECT_EQ(summary.groups, 2);
    EXPECT_EQ(summary.vertices, 6);
    EXPECT_EQ(summary.triangles, 2);
    EXPECT_EQ(summary.materials, 1);
}

TEST(MeshFileTest, TheShippedMeshIsASmallIrregularChunk) {
    standin::MeshSummary summary;
    std::string error;
    ASSERT_TRUE(standin::readMesh(SHIPPED_MESH, &summary, &error)) << error;
    EXPECT_GE(summary.triangles, 20);
    EXPECT_LE(summary.triangles, 100);
}

struct BadMesh {
    const char* label;
    std::string text;
    std::string error;  // after "<path>:"
};
void PrintTo(const BadMesh& c, std::ostream* out) { *out << c.label; }

class BadMeshTest : public ::testing::TestWithParam<BadMesh> {};

TEST_P(BadMeshTest, NamesTheFileAndTheLine) {
    const BadMesh& c = GetParam();
    const std::string path = writeMesh(c.label, c.text);
    standin::MeshSummary summary;
    summary.groups = 99;
    std::string error;
    EXPECT_FALSE(standin::readMesh(path, &summary, &error));
    EXPECT_EQ(error, path + ":" + c.error);
    EXPECT_EQ(summary.groups, 99);  // untouched
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadMeshTest,
    ::testing::Values(
        BadMesh{"WrongMagic", "MSHX2\n", "1: expected MSHX1"},
        BadMesh{"Empty", "", "1: expected MSHX1"},
        BadMesh{"NegativeGroups", "MSHX1\nGROUPS -1\n", "2: expected GROUPS <count>"},
        BadMesh{"ShortVertex", "MSHX1\nGROUPS 1\nMATERIAL 1\nTEXTURE 0\nGEOM 3 1\n0 0 0 0 1\n",
                "6: expected vertex: x y z nx ny nz"},
        BadMesh{"IndexOutOfRange",
                "MSHX1\nGROUPS 1\nMATERIAL 1\nTEXTURE 0\nGEOM 3 1\n0 0 0 0 1 0\n1 0 0 0 1 0\n"
                "0 0 1 0 1 0\n0 1 3\n",
                "9: vertex index 3 out of range"},
        BadMesh{"UnknownMaterial", "MSHX1\nGROUPS 1\nMATERIAL 2\nTEXTURE 0\nGEOM 0 0\n" + kMaterials,
                "6: a group names material 2, which is not in the list"},
        BadMesh{"Truncated", "MSHX1\nGROUPS 1\n" + kTriangleGroup + "MATERIALS 1\nrock\n",
                "12: expected MATERIAL rock"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(MeshFileTest, AMissingFileIsNamed) {
    std::string error;
    standin::MeshSummary summary;
    EXPECT_FALSE(standin::readMesh("/nonexistent/Hulkfall.msh", &summary, &error));
    EXPECT_EQ(error, "/nonexistent/Hulkfall.msh: cannot open the mesh file");
}

}  // namespace
