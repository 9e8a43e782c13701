#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct Float3
{
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};
static_assert(sizeof(Float3) == 3 * sizeof(float), "Float3 arrays are handed on as floats");

// Corner, corner-normal and face-normal indices of one triangle; -1 means none.
struct ModelTriangle
{
    std::int32_t vertex[3] = {-1, -1, -1};
    std::int32_t vertexNormal[3] = {-1, -1, -1};
    std::int32_t faceNormal = -1;
};

// Triangles drawn with one material. The colours go to the material calls as they are.
struct ModelGroup
{
    std::string name;
    std::vector<std::uint32_t> triangles;
    float ambient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
    float diffuse[4] = {0.8f, 0.8f, 0.8f, 1.0f};
    float specular[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    float shininess = 0.0f;
    std::string tag;
};

// The triangle model the view draws. Deleting it through a CModel pointer releases
// everything, its groups included.
class CModel
{
public:
    CModel();
    CModel(const CModel&) = delete;
    CModel& operator=(const CModel&) = delete;
    virtual ~CModel();

    void Clear();

    // How many models exist right now; long-session checks use it to see that every
    // superseded model was deleted.
    static int LiveCount();

    std::vector<Float3> m_vecVertices;
    std::vector<Float3> m_vecVertexNormals;
    std::vector<Float3> m_vecFaceNormals;
    std::vector<ModelTriangle> m_vecTriangles;
    std::vector<std::unique_ptr<ModelGroup>> m_vecGroups;
};
