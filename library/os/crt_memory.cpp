#include "memory.h"

#include <stdlib.h>

namespace olvet {
namespace {

class CrtAllocator final : public Memory {
public:
    void* Allocate(size_t size) override { return malloc(size); }
    void Release(void* block) override { free(block); }
};

CrtAllocator g_crtMemory;

}  // namespace

Memory& CrtMemory() { return g_crtMemory; }

}  // namespace olvet
