#include "model/Model.h"

namespace
{
int g_liveModels = 0; // the user-interface thread is the only one that makes models
}

CModel::CModel()
{
    ++g_liveModels;
}

CModel::~CModel()
{
    Clear();
    --g_liveModels;
}

int CModel::LiveCount()
{
    return g_liveModels;
}

void CModel::Clear()
{
    m_vecVertices.clear();
    m_vecVertexNormals.clear();
    m_vecFaceNormals.clear();
    m_vecTriangles.clear();
    m_vecGroups.clear();
}
