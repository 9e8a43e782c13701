#include "geometry/BrilliantCut.h"
#include "geometry/CutParameters.h"
#include "model/AssembleModel.h"

#include <gtest/gtest.h>

namespace
{
struct Stone
{
    CutMesh mesh;
    int facets = 0;
};

Stone Generate(double girdleThickness)
{
    CutParameters c{2.65, 5.174, 34.6, 3.724, 0.0, 40.8, 1.25, 0.0, girdleThickness};
    Stone stone;
    stone.facets =
        GenerateBrilliantCut(stone.mesh.vertices, stone.mesh.indexList, stone.mesh.faceTable,
                             stone.mesh.faceNormals, c.tableSemiDiameter, c.diamondSemiDiameter,
                             c.crownAngle, c.upperGirdlePoint, c.upperGirdleAngle, c.pavilionAngle,
                             c.lowerGirdlePoint, c.lowerGirdleAngle, c.girdleThickness);
    return stone;
}

int Assemble(const Stone& stone, int n, CModel& model)
{
    int triangles = -5;
    EXPECT_EQ(AssembleModel(stone.mesh.vertices.get(), stone.mesh.indexList.get(),
                            stone.mesh.faceTable.get(), stone.mesh.faceNormals.get(), n, model,
                            triangles),
              0);
    return triangles;
}

void ExpectFloat3(const Float3& actual, float x, float y, float z)
{
    EXPECT_EQ(actual.x, x);
    EXPECT_EQ(actual.y, y);
    EXPECT_EQ(actual.z, z);
}

TEST(Assemble, SizesFollowTheFacetCount)
{
    const Stone thick = Generate(0.26);
    const Stone thin = Generate(0.0);
    const struct
    {
        const Stone& stone;
        int n;
        std::size_t triangles;
    } cases[] = {{thick, 2128, 2128}, {thin, 80, 80}, {thick, 0, 0}, {thick, -3, 0}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.n);
        CModel model;
        EXPECT_EQ(Assemble(c.stone, c.n, model), static_cast<int>(c.triangles));
        EXPECT_EQ(model.m_vecVertices.size(), 3 * c.triangles);
        EXPECT_EQ(model.m_vecFaceNormals.size(), c.triangles);
        EXPECT_EQ(model.m_vecTriangles.size(), c.triangles);
        EXPECT_TRUE(model.m_vecVertexNormals.empty());
        ASSERT_EQ(model.m_vecGroups.size(), 1u);
        ASSERT_EQ(model.m_vecGroups[0]->triangles.size(), c.triangles);
        for (std::size_t t = 0; t < c.triangles; ++t)
        {
            EXPECT_EQ(model.m_vecGroups[0]->triangles[t], t);
        }
    }
}

// Every triangle gets corners of its own, converted to the nearest float, in the facet's
// order, with its facet's normal.
TEST(Assemble, TrianglesCopyTheirFacets)
{
    const Stone stone = Generate(0.26);
    CModel model;
    Assemble(stone, stone.facets, model);
    for (int t = 0; t < stone.facets; ++t)
    {
        SCOPED_TRACE(t);
        const ModelTriangle& record = model.m_vecTriangles[t];
        const std::int32_t* corners =
            stone.mesh.indexList.get() + stone.mesh.faceTable[t].firstIndex;
        for (int c = 0; c < 3; ++c)
        {
            EXPECT_EQ(record.vertex[c], 3 * t + c);
            EXPECT_EQ(record.vertexNormal[c], -1);
            const double* v = stone.mesh.vertices.get() + 3 * corners[c];
            ExpectFloat3(model.m_vecVertices[3 * t + c], static_cast<float>(v[0]),
                         static_cast<float>(v[1]), static_cast<float>(v[2]));
        }
        EXPECT_EQ(record.faceNormal, t);
        const double* n = stone.mesh.faceNormals.get() + 3 * t;
        ExpectFloat3(model.m_vecFaceNormals[t], static_cast<float>(n[0]), static_cast<float>(n[1]),
                     static_cast<float>(n[2]));
    }
}

TEST(Assemble, DefaultStoneFirstTriangleAndSharedCentre)
{
    const Stone stone = Generate(0.26);
    CModel model;
    Assemble(stone, stone.facets, model);
    ExpectFloat3(model.m_vecVertices[0], 0.0f, 0.0f, 0.0f);
    ExpectFloat3(model.m_vecVertices[1], 2.65f, 0.0f, 0.0f);
    EXPECT_EQ(static_cast<double>(model.m_vecVertices[1].x), 2.6500000953674316);
    EXPECT_NEAR(model.m_vecVertices[2].x, 1.8738329f, 1e-6f);
    EXPECT_NEAR(model.m_vecVertices[2].y, 1.8738329f, 1e-6f);
    EXPECT_EQ(model.m_vecVertices[2].z, 0.0f);
    ExpectFloat3(model.m_vecFaceNormals[0], 0.0f, 0.0f, 1.0f);
    // The table centre is a corner of each of the eight table triangles.
    for (int t = 0; t < 8; ++t)
    {
        ExpectFloat3(model.m_vecVertices[3 * t], 0.0f, 0.0f, 0.0f);
    }
}

TEST(Assemble, GroupCarriesTheStoneMaterial)
{
    const Stone stone = Generate(0.26);
    CModel model;
    Assemble(stone, stone.facets, model);
    const ModelGroup& group = *model.m_vecGroups[0];
    const float ambient[4] = {0.25f, 0.20725f, 0.20725f, 1.0f};
    const float diffuse[4] = {1.0f, 0.829f, 0.829f, 1.0f};
    const float specular[4] = {0.296648f, 0.296648f, 0.296648f, 1.0f};
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_EQ(group.ambient[i], ambient[i]);
        EXPECT_EQ(group.diffuse[i], diffuse[i]);
        EXPECT_EQ(group.specular[i], specular[i]);
    }
    EXPECT_EQ(group.shininess, 0.088f);
    EXPECT_TRUE(group.name.empty());
    EXPECT_TRUE(group.tag.empty());
}

// Assembling again refills the arrays but appends a further group.
TEST(Assemble, SecondAssemblyReplacesArraysAndAddsAGroup)
{
    const Stone thick = Generate(0.26);
    const Stone thin = Generate(0.0);
    CModel model;
    Assemble(thick, thick.facets, model);
    EXPECT_EQ(Assemble(thin, thin.facets, model), 80);
    EXPECT_EQ(model.m_vecVertices.size(), 240u);
    EXPECT_EQ(model.m_vecTriangles.size(), 80u);
    ASSERT_EQ(model.m_vecGroups.size(), 2u);
    EXPECT_EQ(model.m_vecGroups[0]->triangles.size(), 2128u);
    EXPECT_EQ(model.m_vecGroups[1]->triangles.size(), 80u);
}
} // namespace
