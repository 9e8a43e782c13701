#include "CutFixture.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{
int g_nFailingSlot = -1;
const CutMesh* g_pWatchedMesh = nullptr;
bool g_bSlotsWereEmpty = true;

bool GateFailingOneSlot(int slot)
{
    if (g_pWatchedMesh != nullptr)
    {
        const CutMesh& m = *g_pWatchedMesh;
        g_bSlotsWereEmpty =
            g_bSlotsWereEmpty && !m.vertices && !m.indexList && !m.faceTable && !m.faceNormals;
    }
    return slot != g_nFailingSlot;
}

class BufferSlots : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_nFailingSlot = -1;
        g_pWatchedMesh = nullptr;
        g_bSlotsWereEmpty = true;
        SetCutBufferGate(GateFailingOneSlot);
    }
    void TearDown() override { SetCutBufferGate(nullptr); }
};

bool SameBytes(const CutParameters& a, const CutParameters& b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST_F(BufferSlots, EarlierBuffersAreReleasedBeforeNewOnesAreObtained)
{
    GeneratedCut stone = Generate(kDefaultCut);
    ASSERT_TRUE(stone.mesh.vertices && stone.mesh.faceNormals);
    g_pWatchedMesh = &stone.mesh;
    CutParameters& c = stone.cut;
    const int n =
        GenerateBrilliantCut(stone.mesh.vertices, stone.mesh.indexList, stone.mesh.faceTable,
                             stone.mesh.faceNormals, c.tableSemiDiameter, c.diamondSemiDiameter,
                             c.crownAngle, c.upperGirdlePoint, c.upperGirdleAngle, c.pavilionAngle,
                             c.lowerGirdlePoint, c.lowerGirdleAngle, c.girdleThickness);
    EXPECT_TRUE(g_bSlotsWereEmpty);
    EXPECT_EQ(n, 2128);
    EXPECT_TRUE(stone.mesh.vertices && stone.mesh.indexList && stone.mesh.faceTable &&
                stone.mesh.faceNormals);
}

// Whichever buffer cannot be obtained, the call reports 0, leaves every slot empty, even
// those that held buffers, and does not touch the nine values.
TEST_F(BufferSlots, UnobtainableBufferLeavesSlotsEmptyAndValuesUntouched)
{
    const CutParameters junk{0.1, 5.174, 95.0, 9.0, 123.0, 100.0, 6.0, -7.0, 0.26};
    for (int slot = 0; slot < 4; ++slot)
    {
        SCOPED_TRACE(slot);
        g_nFailingSlot = -1;
        GeneratedCut stone = Generate(kDefaultCut);
        g_nFailingSlot = slot;
        stone.cut = junk;
        CutParameters& c = stone.cut;
        int vertexCount = 99;
        const int n = GenerateBrilliantCut(
            stone.mesh.vertices, stone.mesh.indexList, stone.mesh.faceTable, stone.mesh.faceNormals,
            c.tableSemiDiameter, c.diamondSemiDiameter, c.crownAngle, c.upperGirdlePoint,
            c.upperGirdleAngle, c.pavilionAngle, c.lowerGirdlePoint, c.lowerGirdleAngle,
            c.girdleThickness, &vertexCount);
        EXPECT_EQ(n, 0);
        EXPECT_EQ(vertexCount, 0);
        EXPECT_FALSE(stone.mesh.vertices);
        EXPECT_FALSE(stone.mesh.indexList);
        EXPECT_FALSE(stone.mesh.faceTable);
        EXPECT_FALSE(stone.mesh.faceNormals);
        EXPECT_TRUE(SameBytes(stone.cut, junk));
    }
}

TEST_F(BufferSlots, GeneratorWorksAgainOnceMemoryReturns)
{
    g_nFailingSlot = 2;
    EXPECT_EQ(Generate(kDefaultCut).facets, 0);
    g_nFailingSlot = -1;
    const GeneratedCut stone = Generate(kDefaultCut);
    EXPECT_EQ(stone.facets, 2128);
    EXPECT_EQ(stone.vertexCount, 2106);
}
} // namespace
