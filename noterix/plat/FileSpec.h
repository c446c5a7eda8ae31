#pragma once

#include "plat/String.h"

namespace plat {

// A path. Stored with the native separator, '/' here.
class FileSpec {
public:
    static constexpr char Separator = '/';

    FileSpec() = default;
    explicit FileSpec(const String& path, char separator = Separator);
    virtual ~FileSpec() = default;

    const String& Path() const { return path_; }
    String ToString(char separator = Separator) const;
    void EnsureTrailingSeparator();
    void Append(const char* name);
    String FileName() const;
    // The folder part: everything before the last separator (empty when
    // there is none).
    String Folder() const;

    enum Kind { Missing = 0, IsFile = 1, IsFolder = 2 };
    int Exists() const;
    // Renames the file; never replaces an existing destination.
    bool MoveTo(const FileSpec& destination) const;
    bool SetToDocumentsFolder();
    bool SetToProgramFolder();
    // Used instead of the program's own folder when set (tests, portable use).
    static void SetProgramFolderOverride(const char* folder);

    // The volume part of a path: "\\server\share\" or "c:".
    static bool Volume(const String& path, String& out);

private:
    String path_;
};

} // namespace plat
