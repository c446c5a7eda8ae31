#pragma once

#include "plat/FileSpecImp.h"

namespace plat {

class Linux_FileSpecImp : public FileSpecImp {
public:
    int Exists(const String& path) override;
    bool Move(const String& from, const String& to) override;
    bool DocumentsFolder(String& out) override;
    bool ProgramFolder(String& out) override;
    std::FILE* OpenStream(const String& path, const char* mode, int& error) override;
    std::FILE* CreateTemporary(const String& finalPath, String& tempPath, int& error) override;
    int CommitTemporary(std::FILE* stream, const String& tempPath, const String& finalPath,
                        FileStamp& written) override;
    int SyncFolderOf(const String& finalPath) override;
    void DiscardTemporary(std::FILE* stream, const String& tempPath) override;
    void RemoveStaleTemporaries(const String& finalPath) override;
    bool Stamp(const String& path, FileStamp& out) override;
    bool CopyAside(const String& from, const String& to) override;
    int Lock(const String& path, int& error) override;
    void Unlock(int handle) override;
};

} // namespace plat
