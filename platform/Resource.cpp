#include "platform/Resource.h"

namespace
{
const ResourceTable* g_pTable = nullptr;
}

void AfxSetResourceTable(const ResourceTable* pTable) { g_pTable = pTable; }
const ResourceTable* AfxGetResourceTable() { return g_pTable; }

const DialogTemplate* AfxFindDialogTemplate(UINT nID)
{
    if (g_pTable == nullptr)
        return nullptr;
    for (std::size_t i = 0; i < g_pTable->dialogCount; ++i)
        if (g_pTable->dialogs[i].id == nID)
            return &g_pTable->dialogs[i];
    return nullptr;
}

const MenuTemplate* AfxFindMenuTemplate(UINT nID)
{
    if (g_pTable == nullptr)
        return nullptr;
    for (std::size_t i = 0; i < g_pTable->menuCount; ++i)
        if (g_pTable->menus[i].id == nID)
            return &g_pTable->menus[i];
    return nullptr;
}

CString AfxLoadString(UINT nID)
{
    if (g_pTable != nullptr)
        for (std::size_t i = 0; i < g_pTable->stringCount; ++i)
            if (g_pTable->strings[i].id == nID && g_pTable->strings[i].text != nullptr)
                return g_pTable->strings[i].text;
    return CString();
}

const ImageResource* AfxFindImage(UINT nID, ImageKind kind, int width)
{
    if (g_pTable == nullptr)
        return nullptr;
    const ImageResource* first = nullptr;
    for (std::size_t i = 0; i < g_pTable->imageCount; ++i)
    {
        const ImageResource& image = g_pTable->images[i];
        if (image.id != nID || image.kind != kind)
            continue;
        if (width == 0 || image.width == width)
            return &image;
        if (first == nullptr)
            first = &image;
    }
    return first;
}
