#include "res/Resources.h"

// Still to be filled in.
const MenuTemplate g_menuTemplates[1] = {};
const std::size_t g_menuTemplateCount = 0;
