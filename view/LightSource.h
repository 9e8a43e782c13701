#pragma once
// One OpenGL light as the view applies it. The values here are OpenGL's own defaults for
// a light other than light 0: off, directional from +z, black, an uncut spot.

struct LightSource
{
    bool enabled = false;
    float position[4] = {0.0f, 0.0f, 1.0f, 0.0f};
    float ambient[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    float diffuse[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    float specular[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    float spotDirection[3] = {0.0f, 0.0f, -1.0f};
    float spotExponent = 0.0f;
    float spotCutoff = 180.0f;
    float constantAttenuation = 1.0f;
    float linearAttenuation = 0.0f;
    float quadraticAttenuation = 0.0f;
};
