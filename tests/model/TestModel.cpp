#include "model/Model.h"

#include <gtest/gtest.h>

#include <memory>
#include <type_traits>

namespace
{
static_assert(std::has_virtual_destructor_v<CModel>, "deleted through CModel pointers");
static_assert(sizeof(ModelTriangle) == 7 * sizeof(std::int32_t), "seven ints per record");

TEST(Model, NewRecordsHoldTheirDefaults)
{
    const ModelTriangle triangle;
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_EQ(triangle.vertex[i], -1);
        EXPECT_EQ(triangle.vertexNormal[i], -1);
    }
    EXPECT_EQ(triangle.faceNormal, -1);

    const ModelGroup group;
    EXPECT_TRUE(group.name.empty());
    EXPECT_TRUE(group.tag.empty());
    EXPECT_TRUE(group.triangles.empty());
    const float ambient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
    const float diffuse[4] = {0.8f, 0.8f, 0.8f, 1.0f};
    const float specular[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_EQ(group.ambient[i], ambient[i]);
        EXPECT_EQ(group.diffuse[i], diffuse[i]);
        EXPECT_EQ(group.specular[i], specular[i]);
    }
    EXPECT_EQ(group.shininess, 0.0f);

    const CModel model;
    EXPECT_TRUE(model.m_vecVertices.empty());
    EXPECT_TRUE(model.m_vecVertexNormals.empty());
    EXPECT_TRUE(model.m_vecFaceNormals.empty());
    EXPECT_TRUE(model.m_vecTriangles.empty());
    EXPECT_TRUE(model.m_vecGroups.empty());
}

TEST(Model, ClearEmptiesEveryArrayAndReleasesTheGroups)
{
    CModel model;
    model.m_vecVertices.resize(3);
    model.m_vecVertexNormals.resize(3);
    model.m_vecFaceNormals.resize(1);
    model.m_vecTriangles.resize(1);
    model.m_vecGroups.push_back(std::make_unique<ModelGroup>());
    model.m_vecGroups.push_back(nullptr);
    model.Clear();
    EXPECT_TRUE(model.m_vecVertices.empty());
    EXPECT_TRUE(model.m_vecVertexNormals.empty());
    EXPECT_TRUE(model.m_vecFaceNormals.empty());
    EXPECT_TRUE(model.m_vecTriangles.empty());
    EXPECT_TRUE(model.m_vecGroups.empty());
}

// A model deleted through its base pointer takes its groups with it; the leak checker of
// the sanitizer build would report them otherwise.
TEST(Model, DeletingThroughTheBasePointerReleasesGroups)
{
    std::unique_ptr<CModel> model = std::make_unique<CModel>();
    model->m_vecGroups.push_back(std::make_unique<ModelGroup>());
    model->m_vecGroups.back()->triangles.assign(100, 7u);
    model->m_vecGroups.back()->name = "a name long enough to live on the heap";
    model.reset();
    SUCCEED();
}
} // namespace
