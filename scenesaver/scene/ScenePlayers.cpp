#include "scene/ScenePlayers.h"

#include "platform/MessageBox.h"
#include "platform/TempFolder.h"
#include "platform/VideoHost.h"
#include "scene/MediaItem.h"
#include "scene/SceneMessages.h"
#include "scene/SceneThread.h"

#include <cstdio>
#include <filesystem>
#include <span>

namespace {
// The embedded bytes, valid while the scene lives.
std::span<const std::uint8_t> MediaBytes(const CMediaItem& media) {
    return {media.m_mediaBytes.data(), media.m_mediaBytes.size()};
}

// The video's bytes in a new "Ssd" file of the private temporary folder,
// copied to the same name with ".avi" appended so that the file says what it
// holds; the path of the copy, or empty after the message when no file could
// be written.
std::string WriteVideoFile(std::span<const std::uint8_t> bytes) {
    const std::string path = MakeTempFile("Ssd");
    bool written = false;
    if (!path.empty()) {
        if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
            written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
            written = std::fclose(file) == 0 && written;
        }
    }
    std::string video;
    if (written) {
        std::error_code error;
        video = path + ".avi";
        std::filesystem::copy_file(path, video, std::filesystem::copy_options::overwrite_existing,
                                   error);
        if (error) {
            std::filesystem::remove(video, error);
            video.clear();
        }
    }
    if (!path.empty()) {
        std::remove(path.c_str());
    }
    if (video.empty()) {
        AfxMessageBox(MSG_CANNOT_MAKE_DATA_FILE);
    }
    return video;
}
} // namespace

CScenePlayers::CScenePlayers(CSceneThread& thread, std::shared_ptr<CVideoHost> host)
    : stopEvent(thread.StopEvent()), mp3(&stopEvent), videoHost(std::move(host)) {}

CScenePlayers::~CScenePlayers() {
    StopAll();
}

bool CScenePlayers::Play(CMediaItem& media, bool wait, bool loop, CSceneThread& thread,
                         CPoint videoPosition) {
    if (exiting || thread.IsStopping()) {
        return false;
    }
    bool played = false;
    switch (media.m_mediaType) {
    case mediaWave:
        played = PlayWave(media, wait, loop, thread);
        break;
    case mediaVideo:
        played = PlayVideo(media, wait, loop, thread, videoPosition);
        break;
    case mediaMp3:
        played = PlayMp3(media, wait, loop, thread);
        break;
    default:
        break;
    }
    if (exiting) {
        // The stop ended this play before it sets the stop event; no further
        // item may run in between.
        stopEvent.wait();
    }
    return played;
}

bool CScenePlayers::PlayWave(CMediaItem& media, bool wait, bool loop, CSceneThread& thread) {
    mp3.Stop();
    if (thread.Window().IsMuted()) {
        return false;
    }
    wave.Stop();
    const auto bytes = MediaBytes(media);
    return wave.Play(bytes.data(), bytes.size(), wait, loop, &thread.StopEvent());
}

bool CScenePlayers::PlayMp3(CMediaItem& media, bool wait, bool loop, CSceneThread& thread) {
    if (thread.Window().IsMuted()) {
        return false;
    }
    wave.Stop();
    const auto bytes = MediaBytes(media);
    return mp3.Play(bytes.data(), bytes.size(), wait, loop);
}

bool CScenePlayers::PlayVideo(CMediaItem& media, bool wait, bool loop, CSceneThread& thread,
                              CPoint at) {
    mp3.Stop();
    if (!videoHost) {
        return false;
    }
    Event* stop = &stopEvent;
    StopVideo();
    videoHost->FocusSaverWindow(stop);
    VideoCommandArgs args;
    args.path = WriteVideoFile(MediaBytes(media));
    if (args.path.empty()) {
        return false;
    }
    {
        std::lock_guard lock(videoFileMutex);
        videoFile = args.path;
    }
    args.position = QPoint(at.x, at.y);
    args.repeat = loop;
    args.mute = thread.Window().IsMuted();
    if (wait) {
        const bool played = videoHost->PlayAndWait(args, stop);
        RemoveVideoFile();
        return played;
    }
    // A video that is not waited for repeats only when its item asks for it.
    return videoHost->Command(videoOpen, args, stop) &&
           videoHost->Command(videoPosition, args, stop) &&
           videoHost->Command(videoPlay, args, stop);
}

void CScenePlayers::StopVideo() {
    if (videoHost) {
        // Queued from the scene thread, these give way to its stop; the stop
        // itself has closed the window on the window's thread by then.
        videoHost->Command(videoStop, {}, &stopEvent);
        videoHost->Command(videoClose, {}, &stopEvent);
    }
    RemoveVideoFile();
}

void CScenePlayers::RemoveVideoFile() {
    std::string path;
    {
        std::lock_guard lock(videoFileMutex);
        path.swap(videoFile);
    }
    if (!path.empty()) {
        std::remove(path.c_str());
    }
}

void CScenePlayers::Stop(CMediaItem& media) {
    switch (media.m_mediaType) {
    case mediaWave:
        wave.Stop();
        break;
    case mediaVideo:
        StopVideo();
        break;
    case mediaMp3:
        mp3.Stop();
        break;
    default:
        break;
    }
}

void CScenePlayers::StopAll() {
    wave.Stop();
    mp3.Stop();
    StopVideo();
}

void CScenePlayers::StopBeforeExit() {
    exiting = true;
    mp3.Stop();
    StopVideo();
    if (videoHost) {
        videoHost->CloseWaitedPlayer();
    }
}
