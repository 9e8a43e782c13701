// The rebuild: what every successful one resets in the view, and what a failed one leaves.
#include "AllocationProbe.h"
#include "DialogFixture.h"

namespace
{
using Rebuild = DialogTest;

TEST_F(Rebuild, EveryRebuildReplacesTheModelAndResetsWhatReferredToIt)
{
    View().UpdateWindow();
    for (int round = 0; round < 2; ++round)
    {
        View().ValidateRect(nullptr);
        ASSERT_NE(View().m_faceList, 0u);
        View().m_pick[0] = 6914;
        View().m_pick[9] = 7;
        View().m_axisExtent[1][0] = 3.0f;
        View().m_axisExtent[2][1] = -1.0f;
        Dlg().GetMenu()->CheckMenuItem(ID_RENDER_RAY_TRACE, MF_BYCOMMAND | MF_CHECKED);
        const CModel* before = View().m_pModel;
        const CutParameters cut = Dlg().m_cut;

        Dlg().RebuildModel(); // the proportions are unchanged: it rebuilds all the same

        EXPECT_NE(View().m_pModel, before);
        EXPECT_EQ(Dlg().m_cut.crownAngle, cut.crownAngle);
        for (GLuint name : View().m_pick)
            EXPECT_EQ(name, 0u);
        EXPECT_FALSE(Marked(ID_RENDER_RAY_TRACE));
        EXPECT_EQ(View().m_faceList, 0u);
        EXPECT_EQ(View().m_axesList, 0u);
        for (const auto& extent : View().m_axisExtent)
        {
            EXPECT_EQ(extent[0], 10.0f);
            EXPECT_EQ(extent[1], -10.0f);
        }
        EXPECT_TRUE(View().IsInvalid());
        View().UpdateWindow();
        EXPECT_NE(View().m_faceList, 0u) << "the next paint compiles the new model";
    }
}

TEST_F(Rebuild, GeneratorFailureKeepsModelAndViewButWritesThePanel)
{
    View().UpdateWindow();
    View().m_pick[0] = 6912;
    Dlg().GetMenu()->CheckMenuItem(ID_RENDER_RAY_TRACE, MF_BYCOMMAND | MF_CHECKED);
    const CModel* before = View().m_pModel;
    const GLuint faces = View().m_faceList;
    Dlg().m_cut.crownAngle = 12.0;
    {
        GeneratorFailure failure;
        Dlg().RebuildModel();
    }
    EXPECT_EQ(View().m_pModel, before);
    EXPECT_EQ(View().m_faceList, faces);
    EXPECT_EQ(View().m_pick[0], 6912u);
    EXPECT_TRUE(Marked(ID_RENDER_RAY_TRACE));
    EXPECT_EQ(Text(IDC_EDIT_CROWN_ANGLE), L"12.000");
}

// Memory running out at any large allocation of a rebuild leaves the view with its old model
// and state, keeps nothing of what the rebuild had taken, and the next rebuild works.
TEST_F(Rebuild, MemoryShortageAnywhereLeavesTheOldModelAndLeaksNothing)
{
    long count = 0;
    {
        AllocationProbe probe;
        Dlg().RebuildModel();
        count = probe.Count();
    }
    ASSERT_GT(count, 4) << "the generator's four buffers and the model's own";
    for (long failAt = 0; failAt < count; ++failAt)
    {
        View().m_pick[0] = 6913;
        const CModel* before = View().m_pModel;
        long long balance = 0;
        {
            AllocationProbe probe(failAt);
            Dlg().RebuildModel();
            balance = probe.Balance();
        }
        EXPECT_EQ(View().m_pModel, before) << "allocation " << failAt;
        EXPECT_EQ(View().m_pick[0], 6913u) << "allocation " << failAt;
        EXPECT_EQ(balance, 0) << "allocation " << failAt;
    }
    const CModel* before = View().m_pModel;
    Dlg().RebuildModel();
    EXPECT_NE(View().m_pModel, before);
    View().UpdateWindow();
    EXPECT_NE(View().m_faceList, 0u);
}
} // namespace
