#include "res/Resources.h"

// Still to be filled in.
const DialogTemplate g_dialogTemplates[1] = {};
const std::size_t g_dialogTemplateCount = 0;
