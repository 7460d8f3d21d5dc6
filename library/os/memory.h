// The ordinary allocator behind the enumeration buffers, so that tests can exhaust it.
#pragma once

#include <stddef.h>

namespace olvet {

class Memory {
public:
    virtual void* Allocate(size_t size) = 0;
    virtual void Release(void* block) = 0;

protected:
    ~Memory() = default;
};

Memory& CrtMemory();

}  // namespace olvet
