// Picking: the model drawn in selection mode through a small region around the cursor, and
// the nearest of the hits stored as the picked element.
#include "view/GLPictureCtrl.h"

#include <algorithm>
#include <cstddef>

namespace
{
constexpr int kSelectBufferSize = 512;
constexpr double kPickRegion = 10.0; // pixels, each way
constexpr std::size_t kMaxNames = 10;
constexpr std::size_t kRecordHeader = 3; // name count, minimum and maximum depth
constexpr float kDepthScale = 1.0f / 2147483648.0f;
} // namespace

BOOL ChooseNearestHit(const GLuint* buffer, int size, int hits, GLuint names[10])
{
    if (buffer == nullptr || names == nullptr || size <= 0)
        return FALSE;
    GLuint best[kMaxNames] = {};
    float bestDepth = 0.0f;
    bool have = false;
    const std::size_t words = static_cast<std::size_t>(size);
    std::size_t at = 0;
    for (int h = 0; h < hits; ++h)
    {
        if (words - at < kRecordHeader)
            break;
        const std::size_t count = buffer[at];
        if (count > words - at - kRecordHeader)
            break; // a record cut off by the buffer's end ends the walk
        const GLuint* record = buffer + at + kRecordHeader;
        // The farthest depth in single precision: depths closer than it can tell compare
        // equal, and then the kind decides.
        const float depth = static_cast<float>(buffer[at + 2]) * kDepthScale;
        if (count <= kMaxNames)
        {
            const GLuint kind = count >= 2 ? record[1] : 0;
            if (!have || depth < bestDepth || (depth == bestDepth && kind < best[1]))
            {
                // The chosen record's names, then zeros: nothing of an earlier candidate
                // with more names is left behind.
                std::fill(best, best + kMaxNames, 0u);
                std::copy(record, record + count, best);
                bestDepth = depth;
                have = true;
            }
        }
        at += kRecordHeader + count;
    }
    if (!have)
        return FALSE;
    std::copy(best, best + kMaxNames, names);
    return TRUE;
}

int CGLPictureCtrl::Pick(int x, int y)
{
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    GLuint buffer[kSelectBufferSize] = {};
    glSelectBuffer(kSelectBufferSize, buffer);
    glRenderMode(GL_SELECT);
    glInitNames();
    glPushName(0);

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    const double region = kPickRegion * PixelScale();
    gluPickMatrix(x, m_cy - y, region, region, viewport);
    SetProjection();
    glMatrixMode(GL_MODELVIEW);
    DrawModel(2, nullptr);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glFlush();
    glMatrixMode(GL_MODELVIEW);

    const int hits = glRenderMode(GL_RENDER);
    if (hits <= 0)
        return hits;
    GLuint names[kMaxNames] = {};
    if (ChooseNearestHit(buffer, kSelectBufferSize, hits, names))
        DrawModel(3, names);
    return hits;
}
