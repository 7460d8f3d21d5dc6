// The spooler's two-call listing: ask for the size, allocate exactly that, list.
#pragma once

#include "../handles.h"

namespace olvet {

// `list(buffer, size, &needed, &returned)` is called twice. False when the
// buffer cannot be allocated or the second call fails.
template <typename List>
bool ListRecords(List list, HeapBlock& block, DWORD* count) {
    DWORD needed = 0;
    DWORD returned = 0;
    list(nullptr, 0, &needed, &returned);
    if (!block.Allocate(needed)) return false;
    returned = 0;
    if (!list(block.Data(), block.Size(), &needed, &returned)) return false;
    *count = returned;
    return true;
}

}  // namespace olvet
