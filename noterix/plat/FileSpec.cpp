#include "plat/FileSpec.h"

#include "plat/ErrorStack.h"
#include "plat/FileSpecImp.h"
#include "plat/linux/Linux_FileSpecImp.h"

#include <cctype>

namespace plat {

namespace {
FileSpecImp* installed = nullptr;
String programFolderOverride;
} // namespace

FileSpecImp& FileSpecImp::Get() {
    static Linux_FileSpecImp system;
    return installed ? *installed : system;
}

void FileSpecImp::Install(FileSpecImp* imp) {
    installed = imp;
}

FileSpec::FileSpec(const String& path, char separator) : path_(path) {
    if (separator != Separator) {
        path_.Replace(separator, Separator);
    }
}

String FileSpec::ToString(char separator) const {
    String result(path_);
    if (separator != Separator) {
        result.Replace(Separator, separator);
    }
    return result;
}

void FileSpec::EnsureTrailingSeparator() {
    if (!path_.IsEmpty() && path_[path_.Length() - 1] != Separator) {
        path_.Append(Separator);
    }
}

void FileSpec::Append(const char* name) {
    EnsureTrailingSeparator();
    path_.Append(name);
}

String FileSpec::FileName() const {
    std::size_t at = 0;
    if (!path_.ReverseFind(Separator, at)) {
        return path_;
    }
    return path_.Mid(at + 1);
}

String FileSpec::Folder() const {
    std::size_t at = 0;
    if (!path_.ReverseFind(Separator, at)) {
        return String("");
    }
    return at == 0 ? String("/") : path_.Left(at);
}

int FileSpec::Exists() const {
    return FileSpecImp::Get().Exists(path_);
}

bool FileSpec::MoveTo(const FileSpec& destination) const {
    return FileSpecImp::Get().Move(path_, destination.path_);
}

bool FileSpec::SetToDocumentsFolder() {
    String folder;
    if (!FileSpecImp::Get().DocumentsFolder(folder)) {
        return false;
    }
    path_ = folder;
    return true;
}

bool FileSpec::SetToProgramFolder() {
    if (!programFolderOverride.IsEmpty()) {
        path_ = programFolderOverride;
        return true;
    }
    String folder;
    if (!FileSpecImp::Get().ProgramFolder(folder)) {
        return false;
    }
    path_ = folder;
    return true;
}

void FileSpec::SetProgramFolderOverride(const char* folder) {
    programFolderOverride.Assign(folder);
}

bool FileSpec::Volume(const String& path, String& out) {
    String text(path);
    text.Trim();
    if (text.Length() >= 2 && text[0] == '\\' && text[1] == '\\') {
        std::size_t serverEnd = 2;
        while (serverEnd < text.Length() && text[serverEnd] != '\\') {
            ++serverEnd;
        }
        std::size_t shareEnd = serverEnd + 1;
        while (shareEnd < text.Length() && text[shareEnd] != '\\') {
            ++shareEnd;
        }
        if (serverEnd == 2 || serverEnd >= text.Length() || shareEnd == serverEnd + 1) {
            return false;
        }
        out = text.Left(shareEnd) + "\\";
        return true;
    }
    if (text.Length() >= 2 && std::isalpha(static_cast<unsigned char>(text[0])) != 0 &&
        text[1] == ':') {
        out = text.Left(2);
        return true;
    }
    return false;
}

} // namespace plat
