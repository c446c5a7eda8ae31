#pragma once

#include "plat/String.h"

#include <cstdio>

namespace plat {

// The operating system's side of files and paths. Operations that report
// through the error stack say so; the others hand back an errno value for
// the caller to report in its own words.
class FileSpecImp {
public:
    virtual ~FileSpecImp() = default;

    // 0 missing, 1 file, 2 folder.
    virtual int Exists(const String& path) = 0;
    // Renames without ever replacing an existing target (pushes on failure).
    virtual bool Move(const String& from, const String& to) = 0;
    // The user's documents folder, created when missing (pushes 256).
    virtual bool DocumentsFolder(String& out) = 0;
    // The folder holding the running program (pushes 4).
    virtual bool ProgramFolder(String& out) = 0;

    // fopen with its mode letters; files it creates are private to the user.
    virtual std::FILE* OpenStream(const String& path, const char* mode, int& error) = 0;
    // A new private file in the folder of finalPath, for writing.
    virtual std::FILE* CreateTemporary(const String& finalPath, String& tempPath, int& error) = 0;
    // Flushes, syncs and closes the stream, then renames the temporary over
    // finalPath and syncs the folder. Returns 0 or the errno of the first
    // step that failed; on failure the temporary is removed and finalPath is
    // untouched. The stream is closed either way.
    virtual int CommitTemporary(std::FILE* stream, const String& tempPath,
                                const String& finalPath) = 0;
    virtual void DiscardTemporary(std::FILE* stream, const String& tempPath) = 0;
    // Makes "to" a copy of "from"; never replaces "to" (pushes on failure).
    virtual bool CopyAside(const String& from, const String& to) = 0;
    // An exclusive advisory lock on a lock file; returns a handle >= 0, or -1
    // with errno in error (EWOULDBLOCK when someone else holds it).
    virtual int Lock(const String& path, int& error) = 0;
    virtual void Unlock(int handle) = 0;

    static FileSpecImp& Get();
    // Installs another implementation (not owned); null restores the system's.
    static void Install(FileSpecImp* imp);
};

} // namespace plat
