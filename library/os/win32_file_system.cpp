#include "file_system.h"

#include <stdio.h>

namespace olvet {
namespace {

class SystemFileSystem final : public FileSystem {
public:
    BOOL CopyFile(const char* from, const char* to) override { return ::CopyFileA(from, to, FALSE); }
    BOOL DeleteFile(const char* path) override { return ::DeleteFileA(path); }
    BOOL CreateDirectory(const char* path, DWORD* error) override {
        if (::CreateDirectoryA(path, nullptr)) return TRUE;
        *error = ::GetLastError();
        return FALSE;
    }
    DWORD GetAttributes(const char* path) override { return ::GetFileAttributesA(path); }
    BOOL SetAttributes(const char* path, DWORD attributes) override { return ::SetFileAttributesA(path, attributes); }
    BOOL CreateEmptyFile(const char* path) override {
        FILE* file = fopen(path, "wb");
        if (!file) return FALSE;
        return fclose(file) == 0;
    }
};

SystemFileSystem g_systemFileSystem;

}  // namespace

FileSystem& Win32FileSystem() { return g_systemFileSystem; }

}  // namespace olvet
