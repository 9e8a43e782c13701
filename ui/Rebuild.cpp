#include "ui/LapidoDlg.h"

#include "geometry/BrilliantCut.h"
#include "geometry/CutMesh.h"
#include "model/AssembleModel.h"
#include "model/Model.h"
#include "platform/Menu.h"

#include <algorithm>
#include <memory>
#include <new>

namespace
{
constexpr float kAxisPositiveEnd = 10.0f;
constexpr float kAxisNegativeEnd = -10.0f;
} // namespace

void CLapidoDlg::RebuildModel()
{
    // The mesh's slots own the generator's buffers and release them on every way out; the
    // new model is owned here until the view takes it, so a failed allocation leaves the
    // view with its old model and state.
    CutMesh mesh;
    std::unique_ptr<CModel> pModel;
    try
    {
        const int n = GenerateBrilliantCut(m_cut, mesh);
        WriteParameters();
        if (n == 0 || !mesh.vertices || !mesh.indexList || !mesh.faceTable || !mesh.faceNormals)
            return;
        pModel = std::make_unique<CModel>();
        int triangleCount = 0;
        if (AssembleModel(mesh.vertices.get(), mesh.indexList.get(), mesh.faceTable.get(),
                          mesh.faceNormals.get(), n, *pModel, triangleCount) != 0)
            return;
    }
    catch (const std::bad_alloc&)
    {
        return;
    }

    std::fill(std::begin(m_glPicture.m_pick), std::end(m_glPicture.m_pick), 0u);
    delete m_glPicture.m_pModel;
    m_glPicture.m_pModel = pModel.release();
    m_glPicture.DeleteModelLists();
    for (auto& extent : m_glPicture.m_axisExtent)
    {
        extent[0] = kAxisPositiveEnd;
        extent[1] = kAxisNegativeEnd;
    }
    if (CMenu* pMenu = GetMenu())
        pMenu->CheckMenuItem(ID_RENDER_RAY_TRACE, MF_BYCOMMAND | MF_UNCHECKED);
    m_glPicture.m_axesList = 0;
    m_glPicture.InvalidateRect(nullptr, TRUE);
}
