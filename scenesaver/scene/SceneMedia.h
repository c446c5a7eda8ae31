#pragma once

#include "scene/SceneValues.h"

class CMediaItem;
class CSceneThread;

// The sound and video players the scene thread drives. Plays that wait
// return when the medium has ended or the thread's stop event is set. Play
// says whether anything played: a medium that cannot play (no sound device,
// no player) returns false at once.
class CSceneMedia {
public:
    virtual ~CSceneMedia() = default;

    virtual bool Play(CMediaItem& media, bool wait, bool loop, CSceneThread& thread,
                      CPoint videoPosition) = 0;
    virtual void Stop(CMediaItem& media) = 0;
    // Everything the thread may have started: wave sound, MP3, the media window.
    virtual void StopAll() = 0;
    // The first steps of stopping the thread, on the thread that stops it and
    // before the stop event is set: the music and the videos end, so that no
    // wait for them holds up the stop.
    virtual void StopBeforeExit() {}
};

// Plays nothing: the players are not part of this program yet.
class CSilentMedia : public CSceneMedia {
public:
    bool Play(CMediaItem& /*media*/, bool /*wait*/, bool /*loop*/, CSceneThread& /*thread*/,
              CPoint /*videoPosition*/) override {
        return false;
    }
    void Stop(CMediaItem& /*media*/) override {}
    void StopAll() override {}
};
