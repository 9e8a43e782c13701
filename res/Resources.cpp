#include "res/Resources.h"

const ResourceTable& LapidoResources()
{
    static const ResourceTable table = {g_dialogTemplates, g_dialogTemplateCount,
                                        g_menuTemplates,   g_menuTemplateCount,
                                        g_stringTable,     g_stringCount,
                                        g_images,          g_imageCount};
    return table;
}
