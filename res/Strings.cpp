#include "res/Resources.h"
#include "res/resource.h"

const StringResource g_stringTable[] = {
    {IDS_ABOUTBOX, L"&About Lapido..."},
};
const std::size_t g_stringCount = sizeof(g_stringTable) / sizeof(g_stringTable[0]);
