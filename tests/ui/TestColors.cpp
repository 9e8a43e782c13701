// The colour commands: only a confirmed choice changes anything, and the chosen bytes come
// back exactly the next time.
#include "DialogFixture.h"

namespace
{
using Colors = DialogTest;

const UINT kBackgroundCommands[] = {ID_RENDER_BACKGROUND_COLOR, IDC_BUTTON_BACKGROUND_COLOR};
const UINT kFacetCommands[] = {ID_RENDER_FACE_COLOR, IDC_BUTTON_FACET_COLOR};

TEST_F(Colors, CancelledDialogChangesAndRedrawsNothing)
{
    AnswerModals(IDCANCEL, RGB(1, 2, 3));
    for (UINT id : {ID_RENDER_BACKGROUND_COLOR, IDC_BUTTON_BACKGROUND_COLOR, ID_RENDER_FACE_COLOR,
                    IDC_BUTTON_FACET_COLOR})
    {
        View().UpdateWindow();
        View().ValidateRect(nullptr);
        const GLuint faces = View().m_faceList;
        const GLuint axes = View().m_axesList;
        Command(id);
        EXPECT_FLOAT_EQ(View().m_bgColor[0], 0.75f) << id;
        EXPECT_FLOAT_EQ(View().m_faceColor[2], 1.0f) << id;
        EXPECT_EQ(View().m_faceList, faces) << id;
        EXPECT_EQ(View().m_axesList, axes) << id;
        EXPECT_FALSE(View().IsInvalid()) << id;
    }
    ASSERT_EQ(m_vecAsked.size(), 4u);
    EXPECT_EQ(m_vecAsked[0].kind, ModalKind::ColorDialog);
    EXPECT_EQ(m_vecAsked[0].initialColor, RGB(191, 191, 191));
    EXPECT_EQ(m_vecAsked[2].initialColor, RGB(127, 191, 255));
}

TEST_F(Colors, ChosenBackgroundIsClearedToAndPreselectedNextTime)
{
    for (UINT id : kBackgroundCommands)
    {
        m_vecAsked.clear();
        View().UpdateWindow();
        View().ValidateRect(nullptr);
        const GLuint faces = View().m_faceList;
        AnswerModals(IDOK, RGB(12, 34, 56));
        Command(id);
        EXPECT_FLOAT_EQ(View().m_bgColor[0], 12.0f / 255.0f);
        EXPECT_FLOAT_EQ(View().m_bgColor[1], 34.0f / 255.0f);
        EXPECT_FLOAT_EQ(View().m_bgColor[2], 56.0f / 255.0f);
        GLfloat clear[4];
        glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
        EXPECT_NEAR(clear[0], 12.0f / 255.0f, 1e-6f);
        EXPECT_NEAR(clear[2], 56.0f / 255.0f, 1e-6f);
        EXPECT_EQ(clear[3], 0.0f);
        EXPECT_EQ(View().m_axesList, 0u);
        EXPECT_EQ(View().m_faceList, faces) << "only the facet colour recompiles the model";
        EXPECT_TRUE(View().IsInvalid());

        AnswerModals(IDCANCEL);
        Command(id);
        ASSERT_EQ(m_vecAsked.size(), 2u);
        EXPECT_EQ(m_vecAsked[1].initialColor, RGB(12, 34, 56));
        Command(IDC_BUTTON_DEFAULT);
    }
}

TEST_F(Colors, ChosenFacetColourRecompilesTheModelEvenWhenUnchanged)
{
    for (UINT id : kFacetCommands)
    {
        View().UpdateWindow();
        View().ValidateRect(nullptr);
        ASSERT_NE(View().m_faceList, 0u);
        GLfloat clearBefore[4];
        glGetFloatv(GL_COLOR_CLEAR_VALUE, clearBefore);
        AnswerModals(IDOK, RGB(127, 191, 255)); // the colour it already has
        Command(id);
        EXPECT_EQ(View().m_faceList, 0u);
        EXPECT_EQ(View().m_axesList, 0u);
        EXPECT_TRUE(View().IsInvalid());
        EXPECT_FLOAT_EQ(View().m_faceColor[0], 127.0f / 255.0f);
        GLfloat clearAfter[4];
        glGetFloatv(GL_COLOR_CLEAR_VALUE, clearAfter);
        EXPECT_EQ(clearAfter[0], clearBefore[0]) << "the facet colour leaves the clear colour";
    }
}
} // namespace
