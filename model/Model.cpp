#include "model/Model.h"

CModel::~CModel()
{
    Clear();
}

void CModel::Clear()
{
    m_vecVertices.clear();
    m_vecVertexNormals.clear();
    m_vecFaceNormals.clear();
    m_vecTriangles.clear();
    m_vecGroups.clear();
}
