// Owners for everything the steps open or allocate; each closes exactly once.
#pragma once

#include "services.h"

namespace olvet {

class PrinterHandle {
public:
    explicit PrinterHandle(Spooler& spooler, HANDLE handle = nullptr) : spooler_(spooler), handle_(handle) {}
    ~PrinterHandle() {
        if (handle_) spooler_.ClosePrinter(handle_);
    }
    PrinterHandle(const PrinterHandle&) = delete;
    PrinterHandle& operator=(const PrinterHandle&) = delete;

    // Owns the handle only when the open succeeded: a failed open may leave
    // anything in its out-parameter.
    bool Open(const char* name, PRINTER_DEFAULTSA* defaults) {
        HANDLE opened = nullptr;
        if (!spooler_.OpenPrinter(name, &opened, defaults)) return false;
        handle_ = opened;
        return true;
    }
    void Adopt(HANDLE handle) { handle_ = handle; }
    HANDLE Get() const { return handle_; }

private:
    Spooler& spooler_;
    HANDLE handle_;
};

class RegistryKey {
public:
    explicit RegistryKey(Registry& registry) : registry_(registry) {}
    ~RegistryKey() {
        if (key_) registry_.CloseKey(key_);
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    // Each owns the key only when the call succeeded.
    LONG Open(HKEY parent, const char* path) { return Adopt(registry_.OpenKey(parent, path, &opened_)); }
    LONG Create(HKEY parent, const char* path) { return Adopt(registry_.CreateKey(parent, path, &opened_)); }
    HKEY Get() const { return key_; }

private:
    LONG Adopt(LONG status) {
        if (status == ERROR_SUCCESS) key_ = opened_;
        return status;
    }

    Registry& registry_;
    HKEY key_ = nullptr;
    HKEY opened_ = nullptr;
};

// An enumeration buffer from the ordinary allocator. A size of 0 still yields
// a valid block, so that "nothing to list" is not mistaken for an exhausted heap.
class HeapBlock {
public:
    HeapBlock() = default;
    ~HeapBlock() { Release(); }
    HeapBlock(const HeapBlock&) = delete;
    HeapBlock& operator=(const HeapBlock&) = delete;

    bool Allocate(DWORD size) {
        Release();
        data_ = static_cast<BYTE*>(TheMemory().Allocate(size ? size : 1));
        size_ = data_ ? size : 0;
        return data_ != nullptr;
    }
    BYTE* Data() const { return data_; }
    DWORD Size() const { return size_; }

private:
    void Release() {
        if (data_) TheMemory().Release(data_);
        data_ = nullptr;
    }

    BYTE* data_ = nullptr;
    DWORD size_ = 0;
};

}  // namespace olvet
