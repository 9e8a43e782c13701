// Model rendering, checked by the pixels of the window: lit facets, wire frame, points,
// transparency, the highlights of a picked element, and the layers' switches.
#include "tests/support/ViewHost.h"

#include "model/Model.h"

#include <QImage>

#include <gtest/gtest.h>

#include <string>

namespace
{
constexpr Rgb kBackground{191, 191, 191};
constexpr Rgb kLitFacet{153, 230, 255};         // facet colour × (1 diffuse + 0.2 ambient)
constexpr Rgb kTransparentFacet{163, 220, 239}; // 0.75 of it over the background
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kYellow{255, 255, 0};
constexpr Rgb kRed{255, 0, 0};

// One facet facing the viewer, corners at (50, 150), (150, 150) and (100, 50) in a
// 200 × 200 view at the default scale; edge 0 is the bottom one.
std::unique_ptr<CModel> FacingTriangle()
{
    return MakeTriangleModel({{-5, -5, 0}, {5, -5, 0}, {0, 5, 0}});
}

class RenderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_host = std::make_unique<ViewHost>(200, 200);
        ASSERT_TRUE(m_host->WaitExposed());
        ASSERT_EQ(View().m_cx, 200);
        View().m_pModel = FacingTriangle().release();
    }
    CGLPictureCtrl& View() { return m_host->View(); }
    std::unique_ptr<ViewHost> m_host;
};

TEST_F(RenderTest, LayersPicksAndTheirHighlights)
{
    struct Case
    {
        const char* name;
        BOOL faces, lines, points, transparent;
        GLuint kind, corner;
        CPoint probe;
        Rgb expected;
    };
    const CPoint inside(100, 120), edge(100, 150), nearEdge(100, 152), corner(150, 150),
        nearCorner(154, 150);
    const Case cases[] = {
        {"lit facet", TRUE, FALSE, FALSE, FALSE, 0, 0, inside, kLitFacet},
        {"transparent facet", TRUE, FALSE, FALSE, TRUE, 0, 0, inside, kTransparentFacet},
        {"outside the facet", TRUE, FALSE, FALSE, FALSE, 0, 0, CPoint(20, 20), kBackground},
        {"wire frame", FALSE, TRUE, FALSE, FALSE, 0, 0, edge, kBlack},
        {"wire frame is hollow", FALSE, TRUE, FALSE, FALSE, 0, 0, inside, kBackground},
        {"wire over facets", TRUE, TRUE, FALSE, FALSE, 0, 0, edge, kBlack},
        {"point", FALSE, FALSE, TRUE, FALSE, 0, 0, corner, kBlack},
        {"points only at corners", FALSE, FALSE, TRUE, FALSE, 0, 0, edge, kBackground},
        {"nothing rendered", FALSE, FALSE, FALSE, FALSE, 0, 0, inside, kBackground},
        {"picked facet", TRUE, FALSE, FALSE, FALSE, GL_FILL, 0, inside, kYellow},
        {"picked facet, opaque", TRUE, FALSE, FALSE, TRUE, GL_FILL, 0, inside, kYellow},
        {"picked edge", TRUE, TRUE, FALSE, FALSE, GL_LINE, 0, nearEdge, kRed},
        {"picked edge, hidden wire", TRUE, FALSE, FALSE, FALSE, GL_LINE, 0, CPoint(100, 148),
         kLitFacet},
        {"picked vertex", FALSE, FALSE, TRUE, FALSE, GL_POINT, 1, nearCorner, kYellow},
        {"picked vertex, hidden points", TRUE, TRUE, FALSE, FALSE, GL_POINT, 1, nearCorner,
         kBackground},
        {"picked facet, hidden facets", FALSE, TRUE, FALSE, FALSE, GL_FILL, 0, inside, kBackground},
    };
    for (const Case& c : cases)
    {
        CGLPictureCtrl& view = View();
        view.m_bRenderFaces = c.faces;
        view.m_bRenderLines = c.lines;
        view.m_bRenderPoints = c.points;
        view.m_bTransparent = c.transparent;
        view.DeleteModelLists();
        const GLuint pick[10] = {0, c.kind, 0, 0, c.corner};
        std::copy(pick, pick + 10, view.m_pick);
        const QImage frame = m_host->Frame();
        const Rgb got = PixelAt(frame, c.probe.x, c.probe.y);
        EXPECT_TRUE(Near(got, c.expected)) << c.name << ": " << got;
        // A highlight only shows where its layer does.
        if (c.kind == 0 || c.expected == kBackground || c.expected == kLitFacet)
        {
            EXPECT_EQ(CountNear(frame, kRed, 2), 0) << c.name;
            EXPECT_EQ(CountNear(frame, kYellow, 2), 0) << c.name;
        }
    }
}

TEST_F(RenderTest, AllLayersOffDrawsNoStone)
{
    delete View().m_pModel;
    View().m_pModel = nullptr;
    m_host->ShowDefaultStone();
    View().m_bRenderFaces = FALSE;
    const QImage frame = m_host->Frame();
    const Rgb overlay{128, 128, 128};
    EXPECT_EQ(CountNear(frame, kBackground, 0) + CountNear(frame, overlay, 0),
              frame.width() * frame.height());
}

TEST_F(RenderTest, TransparentFacetsTakeTheFacetColourWithAlphaThreeQuarters)
{
    CGLPictureCtrl& view = View();
    view.m_bTransparent = TRUE;
    view.m_faceColor[0] = 1.0f;
    view.m_faceColor[1] = 0.0f;
    view.m_faceColor[2] = 0.0f;
    const QImage frame = m_host->Frame();
    EXPECT_FLOAT_EQ(view.m_transparentColor[0], 1.0f);
    EXPECT_FLOAT_EQ(view.m_transparentColor[1], 0.0f);
    EXPECT_FLOAT_EQ(view.m_transparentColor[2], 0.0f);
    EXPECT_FLOAT_EQ(view.m_transparentColor[3], 0.75f);
    // 0.75 · min(1, 1.2) + 0.25 · 0.75 = 0.9375; 0.25 · 0.75 = 0.1875.
    EXPECT_TRUE(Near(PixelAt(frame, 100, 120), Rgb{239, 48, 48})) << PixelAt(frame, 100, 120);
    // The colour is compiled in: a change shows once the lists are rebuilt.
    view.m_faceColor[1] = 1.0f;
    EXPECT_TRUE(Near(PixelAt(m_host->Frame(), 100, 120), Rgb{239, 48, 48}));
    view.DeleteModelLists();
    EXPECT_TRUE(Near(PixelAt(m_host->Frame(), 100, 120), Rgb{239, 239, 48}));
}

TEST_F(RenderTest, CornerNormalsWhenTheModelHasThemAndTheFaceNormalOtherwise)
{
    CGLPictureCtrl& view = View();
    // A face normal across the view: lit by the ambient part alone, 0.2 of the colour.
    view.m_pModel->m_vecFaceNormals[0] = Float3{1.0f, 0.0f, 0.0f};
    EXPECT_TRUE(Near(PixelAt(m_host->Frame(), 100, 120), Rgb{26, 38, 51}));
    // Corner normals toward the viewer take over.
    view.m_pModel->m_vecVertexNormals.assign(3, Float3{0.0f, 0.0f, 1.0f});
    for (int c = 0; c < 3; ++c)
        view.m_pModel->m_vecTriangles[0].vertexNormal[c] = c;
    view.DeleteModelLists();
    EXPECT_TRUE(Near(PixelAt(m_host->Frame(), 100, 120), kLitFacet));
}

TEST_F(RenderTest, ADamagedModelOrAStalePickDrawsWhatIsValid)
{
    CGLPictureCtrl& view = View();
    // A second triangle whose corners are not stored, and a group entry past the triangles.
    view.m_pModel->m_vecTriangles.push_back(ModelTriangle{{0, 1, 99}, {-1, -1, -1}, 7});
    view.m_pModel->m_vecGroups[0]->triangles.push_back(1);
    view.m_pModel->m_vecGroups[0]->triangles.push_back(42);
    view.m_pModel->m_vecGroups.push_back(nullptr);
    view.m_bRenderLines = TRUE;
    view.m_bRenderPoints = TRUE;
    const GLuint stale[10] = {0, GL_FILL, 3, 17, 0};
    std::copy(stale, stale + 10, view.m_pick);
    const QImage frame = m_host->Frame();
    EXPECT_TRUE(Near(PixelAt(frame, 100, 120), kLitFacet));
    EXPECT_EQ(CountNear(frame, kYellow, 2), 0);
    EXPECT_EQ(TakeGLError(), GLenum(GL_NO_ERROR));
}

TEST(RenderStone, TheDefaultStoneInTheHomeViewIsLitOnBackground)
{
    ViewHost host(320, 240);
    host.ShowDefaultStone();
    const QImage frame = host.Frame();
    ASSERT_EQ(frame.width(), 320);
    for (CPoint corner : {CPoint(2, 2), CPoint(317, 2), CPoint(2, 237), CPoint(317, 237)})
        EXPECT_TRUE(Near(PixelAt(frame, corner.x, corner.y), kBackground, 1));
    // The table lies on the centre line with the crown just below it and the pavilion
    // further down; both show in the facet colour, lit: blue above green above red.
    for (CPoint p : {CPoint(160, 128), CPoint(150, 145), CPoint(170, 165), CPoint(160, 175)})
    {
        const Rgb c = PixelAt(frame, p.x, p.y);
        EXPECT_FALSE(Near(c, kBackground, 8)) << p.x << "," << p.y;
        EXPECT_GT(c.b, c.r + 40) << p.x << "," << p.y << ": " << c;
        EXPECT_GE(c.b, c.g) << p.x << "," << p.y << ": " << c;
        EXPECT_GT(c.g, c.r) << p.x << "," << p.y << ": " << c;
    }
    // Above the table and beyond the girdle there is no stone.
    EXPECT_TRUE(Near(PixelAt(frame, 160, 110), kBackground, 1));
    EXPECT_TRUE(Near(PixelAt(frame, 160 + 60, 140), kBackground, 1));

    host.View().m_bRenderLines = TRUE;
    const QImage wire = host.Frame();
    EXPECT_GT(CountNear(wire, kBlack, 10), 300);
}
} // namespace
