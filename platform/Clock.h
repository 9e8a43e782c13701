#pragma once
// The millisecond clock that frames are timed with.

#include "platform/Types.h"

// Milliseconds of a monotonic clock, wrapping at 2^32: only differences mean anything.
DWORD timeGetTime();
