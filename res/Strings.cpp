#include "res/Resources.h"

// Still to be filled in.
const StringResource g_stringTable[1] = {};
const std::size_t g_stringCount = 0;
