#pragma once

#include "media/MP3Player.h"
#include "platform/WaveSound.h"
#include "scene/SceneMedia.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <string>

class CSceneThread;
class CVideoHost;

// The players of a scene thread: wave sounds, MP3 music and videos. Videos
// need the saver window's video host; without one they do not play.
class CScenePlayers : public CSceneMedia {
public:
    CScenePlayers(CSceneThread& thread, std::shared_ptr<CVideoHost> videoHost);
    ~CScenePlayers() override;

    bool Play(CMediaItem& media, bool wait, bool loop, CSceneThread& thread,
              CPoint videoPosition) override;
    void Stop(CMediaItem& media) override;
    void StopAll() override;
    void StopBeforeExit() override;

private:
    bool PlayWave(CMediaItem& media, bool wait, bool loop, CSceneThread& thread);
    bool PlayMp3(CMediaItem& media, bool wait, bool loop, CSceneThread& thread);
    bool PlayVideo(CMediaItem& media, bool wait, bool loop, CSceneThread& thread, CPoint at);
    void StopVideo();
    void RemoveVideoFile();

    Event& stopEvent; // the scene thread's
    CMP3Player mp3;
    CWaveSound wave;
    std::shared_ptr<CVideoHost> videoHost;
    std::mutex videoFileMutex;
    std::string videoFile; // of the media window's video, removed at its stop
    // Set by the stop that ends the thread: nothing new starts after it.
    std::atomic<bool> exiting = false;
};
