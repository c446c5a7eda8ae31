#pragma once

#include "plat/String.h"

#include <cstdint>
#include <cstdio>

namespace plat {

// What tells one version of a file from another: a rewrite in place changes
// its size or modification time, a replacement its inode.
struct FileStamp {
    bool exists = false;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;

    bool operator==(const FileStamp&) const = default;
};

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
    // Flushes and syncs the stream, gives it the mode of the file it
    // replaces, closes it and renames the temporary over finalPath; written
    // becomes the stamp of the new file. Returns 0 or the errno of the first
    // step that failed; on failure the temporary is removed and finalPath is
    // untouched. The stream is closed either way.
    virtual int CommitTemporary(std::FILE* stream, const String& tempPath, const String& finalPath,
                                FileStamp& written) = 0;
    // Makes the folder entry of a file just renamed into place durable.
    // Returns 0 or an errno.
    virtual int SyncFolderOf(const String& finalPath) = 0;
    virtual void DiscardTemporary(std::FILE* stream, const String& tempPath) = 0;
    // Removes the temporaries of finalPath that a program killed while
    // writing left behind: only files of the temporaries' own name pattern,
    // and only those older than this process.
    virtual void RemoveStaleTemporaries(const String& finalPath) = 0;
    // The stamp of the file at path (following links); a missing file is a
    // stamp that does not exist. False (pushes) when it cannot be told.
    virtual bool Stamp(const String& path, FileStamp& out) = 0;
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
