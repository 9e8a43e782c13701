#include "res/Resources.h"

// Still to be filled in.
const ImageResource g_images[1] = {};
const std::size_t g_imageCount = 0;
