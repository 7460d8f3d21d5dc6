// File calls of the setup steps, behind an interface that tests can make fail.
#pragma once

#include <windows.h>

namespace olvet {

class FileSystem {
public:
    virtual BOOL CopyFile(const char* from, const char* to) = 0;  // overwrites
    virtual BOOL DeleteFile(const char* path) = 0;
    // Creates the last level only; on failure *error receives the system's reason.
    virtual BOOL CreateDirectory(const char* path, DWORD* error) = 0;
    virtual DWORD GetAttributes(const char* path) = 0;
    virtual BOOL SetAttributes(const char* path, DWORD attributes) = 0;
    // Creates an empty file, or cuts an existing one to zero length.
    virtual BOOL CreateEmptyFile(const char* path) = 0;

protected:
    ~FileSystem() = default;
};

FileSystem& Win32FileSystem();

}  // namespace olvet
