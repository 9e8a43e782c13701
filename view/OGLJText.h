#pragma once
// COGLJText: a text label drawn at the current OpenGL raster position, in the current raster
// colour, from a display list of glBitmap calls that is rendered once per text.

#include "platform/TextBitmap.h"
#include "platform/gl.h"

class COGLJText
{
public:
    explicit COGLJText(float size);
    virtual ~COGLJText();
    COGLJText(const COGLJText&) = delete;
    COGLJText& operator=(const COGLJText&) = delete;

    // printf-style; formatted into at most 4096 wide characters. An unchanged text keeps the
    // display list.
    void SetText(const wchar_t* format, ...);
    // Draws the text with its top-left corner at the current raster position.
    void Draw();

    wchar_t m_faceName[32] = {};
    float m_size = 0.0f;
    HFONT m_hFont = nullptr;
    GLuint m_list = 0;
    wchar_t* m_text = nullptr;
};
