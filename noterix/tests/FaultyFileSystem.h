#pragma once

#include "plat/ErrorStack.h"
#include "plat/FileSpecImp.h"

#include <cerrno>
#include <cstdio>

// The real file system with faults to order: a full disk for the next so
// many replacements, a refused temporary file or lock, a folder that cannot
// be synced, no documents or program folder. Installed for its lifetime.
class FaultyFileSystem : public plat::FileSpecImp {
public:
    int fullDiskSaves = 0;      // replacements that hit a full disk
    int refusedTemporaries = 0; // temporary files that cannot be created
    int refusedErrno = EACCES;
    int refusedOpens = 0;     // files that cannot be opened (with refusedErrno)
    int missingDocuments = 0; // documents folder lookups that fail
    bool missingProgramFolder = false;
    int commits = 0;
    int failedFolderSyncs = 0; // folder syncs after a rename that fail with EIO
    int refusedLocks = 0;      // lock files that cannot be made (with refusedErrno)

    FaultyFileSystem() : real_(plat::FileSpecImp::Get()) { plat::FileSpecImp::Install(this); }
    ~FaultyFileSystem() override { plat::FileSpecImp::Install(nullptr); }

    int Exists(const plat::String& p) override { return real_.Exists(p); }
    bool Move(const plat::String& a, const plat::String& b) override { return real_.Move(a, b); }
    bool DocumentsFolder(plat::String& out) override {
        if (missingDocuments > 0) {
            --missingDocuments;
            return plat::ErrorStateStack::Get().Push(plat::ErrNotFound, plat::SeverityError,
                                                     "User Home directory not found.");
        }
        return real_.DocumentsFolder(out);
    }
    bool ProgramFolder(plat::String& out) override {
        if (missingProgramFolder) {
            return plat::ErrorStateStack::Get().Push(plat::ErrNoProgramFolder, plat::SeverityError,
                                                     "Couldn't get application home folder");
        }
        return real_.ProgramFolder(out);
    }
    std::FILE* OpenStream(const plat::String& p, const char* m, int& e) override {
        if (refusedOpens > 0) {
            --refusedOpens;
            e = refusedErrno;
            return nullptr;
        }
        return real_.OpenStream(p, m, e);
    }
    std::FILE* CreateTemporary(const plat::String& target, plat::String& temp, int& e) override {
        if (refusedTemporaries > 0) {
            --refusedTemporaries;
            e = refusedErrno;
            return nullptr;
        }
        std::FILE* genuine = real_.CreateTemporary(target, temp, e);
        if (genuine == nullptr || fullDiskSaves <= 0) {
            return genuine;
        }
        // Keep the real temporary file (so it must be cleaned up), but let
        // the writes land on a device that is always full.
        --fullDiskSaves;
        std::fclose(genuine);
        return std::fopen("/dev/full", "wb");
    }
    int CommitTemporary(std::FILE* s, const plat::String& t, const plat::String& f,
                        plat::FileStamp& w) override {
        ++commits;
        return real_.CommitTemporary(s, t, f, w);
    }
    int SyncFolderOf(const plat::String& f) override {
        if (failedFolderSyncs > 0) {
            --failedFolderSyncs;
            return EIO;
        }
        return real_.SyncFolderOf(f);
    }
    void DiscardTemporary(std::FILE* s, const plat::String& t) override {
        real_.DiscardTemporary(s, t);
    }
    void RemoveStaleTemporaries(const plat::String& f) override { real_.RemoveStaleTemporaries(f); }
    bool Stamp(const plat::String& p, plat::FileStamp& out) override { return real_.Stamp(p, out); }
    bool CopyAside(const plat::String& a, const plat::String& b) override {
        return real_.CopyAside(a, b);
    }
    int Lock(const plat::String& p, int& e) override {
        if (refusedLocks > 0) {
            --refusedLocks;
            e = refusedErrno;
            return -1;
        }
        return real_.Lock(p, e);
    }
    void Unlock(int h) override { real_.Unlock(h); }

private:
    plat::FileSpecImp& real_;
};
