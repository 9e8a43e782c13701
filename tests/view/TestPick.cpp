// Picking: the choice among hit records, and picks of real models through selection mode.
#include "tests/support/ViewHost.h"

#include "model/Model.h"

#include <QImage>

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace
{
using Names = std::array<GLuint, 10>;

constexpr GLuint kFar = 0xC0000000u;
constexpr GLuint kNear = 0x40000000u;

// A hit record: name count, minimum and maximum depth, names.
void Record(std::vector<GLuint>& buffer, GLuint maxDepth, std::initializer_list<GLuint> names)
{
    buffer.push_back(static_cast<GLuint>(names.size()));
    buffer.push_back(0);
    buffer.push_back(maxDepth);
    buffer.insert(buffer.end(), names);
}

TEST(ChooseNearestHit, NearestThenLowerKindThenEarliest)
{
    struct Case
    {
        const char* name;
        std::vector<GLuint> buffer;
        int hits;
        Names expected;
    };
    std::vector<Case> cases;
    auto add = [&](const char* name, std::vector<GLuint> b, int hits, Names expected) {
        cases.push_back(Case{name, std::move(b), hits, expected});
    };
    std::vector<GLuint> b;
    Record(b, kFar, {0, GL_FILL, 0, 7});
    add("one facet", b, 1, {0, GL_FILL, 0, 7});

    b.clear();
    Record(b, kFar, {0, GL_FILL, 0, 1});
    Record(b, kNear, {0, GL_FILL, 0, 2});
    add("the nearer farthest point wins", b, 2, {0, GL_FILL, 0, 2});

    b.clear();
    Record(b, kNear, {0, GL_FILL, 0, 3});
    Record(b, kNear, {0, GL_LINE, 0, 3, 2});
    Record(b, kNear, {0, GL_POINT, 0, 3, 1});
    Record(b, kNear, {0, GL_LINE, 0, 3, 0});
    add("a vertex beats an edge beats a facet", b, 4, {0, GL_POINT, 0, 3, 1});

    b.clear();
    Record(b, kNear, {0, GL_LINE, 0, 5, 1});
    Record(b, kNear, {0, GL_LINE, 0, 6, 2});
    add("of one kind the earlier stays", b, 2, {0, GL_LINE, 0, 5, 1});

    b.clear();
    Record(b, 0x80000000u, {0, GL_FILL, 0, 4});
    Record(b, 0x80000040u, {0, GL_POINT, 0, 4, 2});
    add("depths single precision cannot tell apart are equal", b, 2, {0, GL_POINT, 0, 4, 2});

    b.clear();
    Record(b, kNear, {0, GL_LINE, 0, 9, 2});
    Record(b, kNear - 1024, {0, GL_FILL, 1, 8});
    add("a shorter record leaves zeros", b, 2, {0, GL_FILL, 1, 8});

    b.clear();
    Record(b, 0, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    Record(b, kFar, {0, GL_FILL, 0, 1});
    add("more than ten names are passed over", b, 2, {0, GL_FILL, 0, 1});

    b.clear();
    Record(b, kFar, {0, GL_FILL, 0, 1});
    b.push_back(5); // a record cut off by the buffer's end
    b.push_back(0);
    b.push_back(0);
    b.push_back(0);
    add("a cut-off record ends the walk", b, 2, {0, GL_FILL, 0, 1});

    b.clear();
    Record(b, kFar, {0, GL_FILL, 0, 1});
    add("more hits than records", b, 50, {0, GL_FILL, 0, 1});

    for (const Case& c : cases)
    {
        Names names;
        names.fill(0xDEAD);
        ASSERT_TRUE(ChooseNearestHit(c.buffer.data(), static_cast<int>(c.buffer.size()), c.hits,
                                     names.data()))
            << c.name;
        EXPECT_EQ(names, c.expected) << c.name;
    }
}

TEST(ChooseNearestHit, NoQualifyingRecordLeavesTheNamesAlone)
{
    std::vector<GLuint> b;
    Record(b, 0, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    Names names;
    names.fill(7);
    const Names untouched = names;
    EXPECT_FALSE(ChooseNearestHit(b.data(), static_cast<int>(b.size()), 1, names.data()));
    EXPECT_FALSE(ChooseNearestHit(b.data(), 2, 1, names.data())); // not even a header
    EXPECT_FALSE(ChooseNearestHit(b.data(), static_cast<int>(b.size()), 0, names.data()));
    EXPECT_FALSE(ChooseNearestHit(nullptr, 10, 1, names.data()));
    EXPECT_EQ(names, untouched);
}

Names Pick(const CGLPictureCtrl& view)
{
    Names n;
    std::copy(view.m_pick, view.m_pick + 10, n.begin());
    return n;
}

// A 200 × 200 view at the default scale with the identity rotation: model (x, y) shows at
// window (100 + 10x, 100 - 10y).
class PickTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_host = std::make_unique<ViewHost>(200, 200);
        ASSERT_EQ(View().m_cx, 200);
        Use(MakeTriangleModel({{-5, -5, 0}, {5, -5, 0}, {0, 5, 0}}));
    }
    void Use(std::unique_ptr<CModel> model)
    {
        delete View().m_pModel;
        View().m_pModel = model.release();
        View().DeleteModelLists();
    }
    void Layers(BOOL render, BOOL pick)
    {
        CGLPictureCtrl& v = View();
        v.m_bRenderFaces = v.m_bRenderLines = v.m_bRenderPoints = render;
        v.m_bPickFaces = v.m_bPickLines = v.m_bPickPoints = pick;
    }
    Names Pick() const { return ::Pick(m_host->View()); }
    CGLPictureCtrl& View() { return m_host->View(); }
    std::unique_ptr<ViewHost> m_host;
};

TEST_F(PickTest, OnlyFacetsPickableStoresTheFacet)
{
    View().m_bPickFaces = TRUE;
    EXPECT_EQ(View().Pick(100, 120), 1);
    EXPECT_EQ(Pick(), (Names{0, GL_FILL, 0, 0}));
}

TEST_F(PickTest, AtEqualDepthAVertexBeatsAnEdgeAndAnEdgeAFacet)
{
    Layers(TRUE, TRUE);
    struct Case
    {
        CPoint at;
        Names expected;
    };
    const Case cases[] = {
        {CPoint(100, 120), {0, GL_FILL, 0, 0}},     // inside
        {CPoint(100, 150), {0, GL_LINE, 0, 0, 0}},  // on the bottom edge
        {CPoint(125, 100), {0, GL_LINE, 0, 0, 1}},  // on the right edge
        {CPoint(150, 150), {0, GL_POINT, 0, 0, 1}}, // at the bottom-right corner
        {CPoint(100, 50), {0, GL_POINT, 0, 0, 2}},  // at the top corner
    };
    for (const Case& c : cases)
    {
        EXPECT_GT(View().Pick(c.at.x, c.at.y), 0) << c.at.x << "," << c.at.y;
        EXPECT_EQ(Pick(), c.expected) << c.at.x << "," << c.at.y;
    }
}

TEST_F(PickTest, TheFacetWhoseFarthestPointIsNearerWins)
{
    View().m_bPickFaces = TRUE;
    const std::vector<Corner3> front = {{-5, -5, 1}, {5, -5, 1}, {0, 5, 1}};
    const std::vector<Corner3> back = {{-5, -5, -1}, {5, -5, -1}, {0, 5, -1}};
    for (int frontAt : {0, 1})
    {
        std::vector<Corner3> corners = frontAt == 0 ? front : back;
        const std::vector<Corner3>& second = frontAt == 0 ? back : front;
        corners.insert(corners.end(), second.begin(), second.end());
        Use(MakeTriangleModel(corners));
        EXPECT_EQ(View().Pick(100, 120), 2);
        EXPECT_EQ(Pick(), (Names{0, GL_FILL, 0, GLuint(frontAt)}));
    }
}

TEST_F(PickTest, MissesAndLayersNotBothShownAndPickableKeepThePick)
{
    const Names previous = {0, GL_FILL, 0, 0};
    struct Case
    {
        const char* name;
        BOOL render, pick;
        CPoint at;
    };
    const Case cases[] = {
        {"background", TRUE, TRUE, CPoint(10, 10)},
        {"rendered, not pickable", TRUE, FALSE, CPoint(100, 120)},
        {"pickable, not rendered", FALSE, TRUE, CPoint(100, 120)},
    };
    for (const Case& c : cases)
    {
        std::copy(previous.begin(), previous.end(), View().m_pick);
        Layers(c.render, c.pick);
        EXPECT_EQ(View().Pick(c.at.x, c.at.y), 0) << c.name;
        EXPECT_EQ(Pick(), previous) << c.name;
    }
    delete View().m_pModel;
    View().m_pModel = nullptr;
    Layers(TRUE, TRUE);
    EXPECT_EQ(View().Pick(100, 120), 0);
    EXPECT_EQ(Pick(), previous);
}

TEST_F(PickTest, AnOverflowingBufferKeepsThePickAndTheState)
{
    // A hundred facets under the cursor: seven words each, more than the buffer holds.
    std::vector<Corner3> stack;
    for (int i = 0; i < 100; ++i)
        for (Corner3 c : {Corner3{-5, -5, 0}, Corner3{5, -5, 0}, Corner3{0, 5, 0}})
            stack.push_back(Corner3{c.x, c.y, float(i) * 0.01f});
    Use(MakeTriangleModel(stack));
    View().m_bPickFaces = TRUE;
    const Names previous = {0, GL_POINT, 0, 0, 2};
    std::copy(previous.begin(), previous.end(), View().m_pick);
    float projection[16], after[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    EXPECT_EQ(View().Pick(100, 120), -1);
    EXPECT_EQ(Pick(), previous);
    // Selection leaves the projection, the matrix mode and the render mode as they were.
    glGetFloatv(GL_PROJECTION_MATRIX, after);
    EXPECT_TRUE(std::equal(projection, projection + 16, after));
    GLint mode = 0, renderMode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    glGetIntegerv(GL_RENDER_MODE, &renderMode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    EXPECT_EQ(renderMode, GL_RENDER);
    EXPECT_EQ(TakeGLError(), GLenum(GL_NO_ERROR));
}

// The selection pass as plainly as it can be written: every primitive, every name.
int PlainPick(const CGLPictureCtrl& view, int x, int y, Names& chosen)
{
    const CModel& model = *view.m_pModel;
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    std::vector<GLuint> buffer(512);
    glSelectBuffer(512, buffer.data());
    glRenderMode(GL_SELECT);
    glInitNames();
    glPushName(0);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluPickMatrix(x, view.m_cy - y, 10.0, 10.0, viewport);
    const double hw = view.m_cx * 0.5 / view.m_zoom, hh = view.m_cy * 0.5 / view.m_zoom;
    glOrtho(-hw, hw, -hh, hh, 0.1, 1000.0);
    glMatrixMode(GL_MODELVIEW);
    auto corner = [&](std::uint32_t t, int c)
    {
        const Float3& v = model.m_vecVertices[model.m_vecTriangles[t].vertex[c]];
        glVertex3f(v.x, v.y, v.z);
    };
    const auto& list = model.m_vecGroups[0]->triangles;
    glPushName(GL_FILL);
    glPushName(0);
    for (std::size_t j = 0; j < list.size(); ++j)
    {
        glPushName(GLuint(j));
        glBegin(GL_TRIANGLES);
        for (int c = 0; c < 3; ++c)
            corner(list[j], c);
        glEnd();
        glPopName();
    }
    glPopName();
    glPopName();
    for (GLuint kind : {GLuint(GL_LINE), GLuint(GL_POINT)})
    {
        if (kind == GL_LINE && !view.m_bPickLines)
            continue;
        glPushName(kind);
        glPushName(0);
        for (std::size_t j = 0; j < list.size(); ++j)
        {
            glPushName(GLuint(j));
            for (int c = 0; c < 3; ++c)
            {
                glPushName(GLuint(c));
                glBegin(kind == GL_LINE ? GL_LINES : GL_POINTS);
                corner(list[j], c);
                if (kind == GL_LINE)
                    corner(list[j], (c + 1) % 3);
                glEnd();
                glPopName();
            }
            glPopName();
        }
        glPopName();
        glPopName();
    }
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    const int hits = glRenderMode(GL_RENDER);
    chosen.fill(0);
    if (hits > 0)
        ChooseNearestHit(buffer.data(), 512, hits, chosen.data());
    return hits;
}

TEST(PickStone, SendingOnlyPrimitivesNearThePickChangesNoResult)
{
    ViewHost host(320, 240, false);
    host.ShowDefaultStone();
    CGLPictureCtrl& view = host.View();
    view.OnSize(SIZE_RESTORED, 320, 240);
    view.RotateView(35.0f, 0.3f, 1.0f, 0.2f);
    view.m_bRenderFaces = view.m_bRenderLines = view.m_bRenderPoints = TRUE;
    int compared = 0, overflowed = 0;
    for (BOOL lines : {FALSE, TRUE})
    {
        view.m_bPickFaces = view.m_bPickPoints = TRUE;
        view.m_bPickLines = lines;
        for (int y = 60; y <= 200; y += 13)
            for (int x = 90; x <= 230; x += 17)
            {
                Names expected;
                const int plain = PlainPick(view, x, y, expected);
                std::fill(view.m_pick, view.m_pick + 10, 0u);
                const int hits = view.Pick(x, y);
                ASSERT_EQ(hits, plain) << x << "," << y;
                if (hits > 0)
                {
                    EXPECT_EQ(Pick(view), expected) << x << "," << y;
                    ++compared;
                }
                overflowed += hits < 0;
            }
    }
    EXPECT_GT(compared, 20);
    EXPECT_GT(overflowed, 0);
}

TEST(PickStone, AMiddleClickOnTheStonePicksAFacetAndHighlightsIt)
{
    ViewHost host(320, 240);
    host.ShowDefaultStone();
    CGLPictureCtrl& view = host.View();
    view.m_bPickFaces = TRUE;
    host.Frame();
    host.Click(Qt::MiddleButton, QPointF(160, 150));
    EXPECT_EQ(view.m_pick[0], 0u);
    EXPECT_EQ(view.m_pick[1], GLuint(GL_FILL));
    EXPECT_EQ(view.m_pick[2], 0u);
    EXPECT_LT(view.m_pick[3], 2128u);
    for (int i = 4; i < 10; ++i)
        EXPECT_EQ(view.m_pick[i], 0u);
    EXPECT_TRUE(view.IsInvalid()); // the highlight shows with the next frame
    const QImage frame = host.Frame();
    EXPECT_GT(CountNearAround(frame, 160, 150, 5, Rgb{255, 255, 0}, 2), 0);

    // A click beside the stone keeps it.
    const GLuint position = view.m_pick[3];
    host.Click(Qt::MiddleButton, QPointF(20, 20));
    EXPECT_EQ(view.m_pick[1], GLuint(GL_FILL));
    EXPECT_EQ(view.m_pick[3], position);
}
} // namespace
