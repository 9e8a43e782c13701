#include "platform/MessageMap.h"

namespace
{
bool Matches(const MessageMapEntry& e, const Message& msg)
{
    if (e.message != msg.message)
        return false;
    if (msg.message == WM_COMMAND || msg.message == WM_NOTIFY)
        return e.code == msg.code && e.id == msg.id;
    return true;
}
} // namespace

const MessageMapEntry* FindMessageEntry(const MessageMap* map, const Message& msg)
{
    for (; map != nullptr; map = map->base)
        for (std::size_t i = 0; i < map->count; ++i)
            if (Matches(map->entries[i], msg))
                return &map->entries[i];
    return nullptr;
}
