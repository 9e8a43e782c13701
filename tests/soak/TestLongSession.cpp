// A long session through the real dialog: thousands of up-down steps, each rebuilt and
// painted, leave nothing behind. Resident memory stays flat, every superseded display list
// is deleted and exactly one model is alive.
#include "ui/LapidoDlg.h"

#include "model/Model.h"
#include "platform/CommonDialogs.h"
#include "platform/gl.h"
#include "platform/testing/Testing.h"
#include "res/resource.h"
#include "tests/support/DialogHost.h"
#include "view/OGLJText.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace
{
constexpr int kDefaultSteps = 10000; // LAPIDO_SOAK_STEPS overrides it (the sanitized stage)
constexpr int kWarmUpSteps = 300;    // lets the allocator and the GL driver settle first
constexpr long kMaxGrowthKb = 2048;
// The view's own lists at most: facets, wire frame, points, axes and four labels.
constexpr int kMaxLiveLists = 8;

int Steps()
{
    const char* text = std::getenv("LAPIDO_SOAK_STEPS");
    return text != nullptr ? std::max(1, std::atoi(text)) : kDefaultSteps;
}

long ResidentKb()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atol(line.c_str() + 6);
    return -1;
}

// Steps up and down in turn over several rows, so the stone stays well formed and every
// kind of rebuild (girdle runs included) takes part.
void Step(CLapidoDlg& dlg, int i)
{
    static const UINT kSpins[] = {IDC_SPIN_CROWN_ANGLE, IDC_SPIN_PAVILION_ANGLE,
                                  IDC_SPIN_GIRDLE_THICKNESS, IDC_SPIN_TABLE,
                                  IDC_SPIN_LOWER_GIRDLE_POINT};
    constexpr int kCount = sizeof(kSpins) / sizeof(kSpins[0]);
    SendSpinDelta(dlg, kSpins[i % kCount], (i / kCount) % 2 == 0 ? -1 : 1);
    dlg.m_glPicture.UpdateWindow();
}

GLuint HighestListId(const CGLPictureCtrl& view)
{
    return std::max({view.m_faceList, view.m_lineList, view.m_pointList, view.m_axesList,
                     view.m_pFpsLabel->m_list, view.m_pLabelX->m_list});
}

int LiveLists(GLuint upTo)
{
    int live = 0;
    for (GLuint id = 1; id <= upTo; ++id)
        if (glIsList(id))
            ++live;
    return live;
}
} // namespace

TEST(LongSession, StepsLeaveNoMemoryListsOrModelsBehind)
{
    AfxSetModalAnswerer({});
    CLapidoDlg dlg;
    ASSERT_TRUE(CreateModeless(dlg));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg.GetWidget()));
    QApplication::processEvents();
    CGLPictureCtrl& view = dlg.m_glPicture;
    // The axes and the wire frame on, so their lists are superseded on every step too.
    dlg.SendMessage(WM_COMMAND, ID_RENDER_AXIS);
    dlg.SendMessage(WM_COMMAND, ID_RENDER_LINE);

    const int steps = Steps();
    GLuint highest = 0;
    const int warmUp = std::min(kWarmUpSteps, steps / 2);
    for (int i = 0; i < warmUp; ++i)
    {
        Step(dlg, i);
        highest = std::max(highest, HighestListId(view));
    }
    QApplication::processEvents();
    const long baselineKb = ResidentKb();

    for (int i = warmUp; i < steps; ++i)
    {
        Step(dlg, i);
        highest = std::max(highest, HighestListId(view));
        if (i % 500 == 0)
            QApplication::processEvents();
        ASSERT_EQ(CModel::LiveCount(), 1) << "after step " << i;
    }
    QApplication::processEvents();
    const long finalKb = ResidentKb();
    const int live = LiveLists(highest + 16);

    std::printf("%d steps: resident %ld kB -> %ld kB (%+ld kB), %d display lists alive, "
                "highest list id %u\n",
                steps, baselineKb, finalKb, finalKb - baselineKb, live, highest);
    EXPECT_EQ(CModel::LiveCount(), 1);
    EXPECT_GE(live, 2); // the facet and axes lists of the current stone at least
    EXPECT_LE(live, kMaxLiveLists);
#if !defined(__SANITIZE_ADDRESS__)
    // The address sanitizer holds freed memory back on purpose, so only a plain build
    // shows the program's own footprint.
    EXPECT_LE(finalKb - baselineKb, kMaxGrowthKb);
#endif
    // The panel still shows a reconciled stone.
    CString crown;
    dlg.GetDlgItemText(IDC_EDIT_CROWN_ANGLE, crown);
    EXPECT_FALSE(crown.empty());
    dlg.DestroyWindow();
}
