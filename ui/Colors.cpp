#include "ui/ColorConversion.h"
#include "ui/LapidoDlg.h"

#include "platform/CommonDialogs.h"
#include "platform/gl.h"

namespace
{
// The background's alpha in the clear colour.
constexpr float kClearAlpha = 0.0f;
} // namespace

void CLapidoDlg::OnBackgroundColor()
{
    CColorDialog dlg(ColorToRef(m_glPicture.m_bgColor), 0, this);
    if (dlg.DoModal() != IDOK)
        return;
    float* bg = m_glPicture.m_bgColor;
    ColorFromRef(dlg.GetColor(), bg);
    glClearColor(bg[0], bg[1], bg[2], kClearAlpha);
    m_glPicture.m_axesList = 0;
    m_glPicture.InvalidateRect(nullptr, TRUE);
}

void CLapidoDlg::OnFaceColor()
{
    CColorDialog dlg(ColorToRef(m_glPicture.m_faceColor), 0, this);
    if (dlg.DoModal() != IDOK)
        return;
    ColorFromRef(dlg.GetColor(), m_glPicture.m_faceColor);
    // The facet list carries the colour; it is compiled anew at the next paint.
    m_glPicture.DeleteModelLists();
    m_glPicture.m_axesList = 0;
    m_glPicture.InvalidateRect(nullptr, TRUE);
}

void CLapidoDlg::OnBnClickedBackgroundColor()
{
    OnBackgroundColor();
}
void CLapidoDlg::OnBnClickedFacetColor()
{
    OnFaceColor();
}
