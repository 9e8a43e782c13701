#pragma once
// The application's resource table, handed to the platform at start-up.

#include "platform/Resource.h"

const ResourceTable& LapidoResources();

// The pieces of the table, each defined in a file of its own.
extern const DialogTemplate g_dialogTemplates[];
extern const std::size_t g_dialogTemplateCount;
extern const MenuTemplate g_menuTemplates[];
extern const std::size_t g_menuTemplateCount;
extern const StringResource g_stringTable[];
extern const std::size_t g_stringCount;
extern const ImageResource g_images[];
extern const std::size_t g_imageCount;
