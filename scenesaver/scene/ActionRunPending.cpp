// The actions that draw, wait, play media or talk to the saver window are
// performed by the scene thread's playback code, which is not written yet.
// Until then these items do nothing when their turn comes.
//
// PENDING: replace each of these with the real performance and delete this
// file.

#include "scene/DrawItems.h"
#include "scene/FlowItems.h"
#include "scene/MediaActions.h"
#include "scene/NoteItems.h"
#include "scene/PictureActions.h"

bool CShowPictureItem::Run(CDC& /*dc*/, int& /*index*/, CSceneThread& /*thread*/) {
    return true;
}

bool CMovePictureItem::Run(CDC& /*dc*/, int& /*index*/, CSceneThread& /*thread*/) {
    return true;
}

bool CHidePictureItem::Run(CDC& /*dc*/, int& /*index*/, CSceneThread& /*thread*/) {
    return true;
}

bool CPauseItem::Run(CDC& /*dc*/, int& /*index*/, CSceneThread& /*thread*/) {
    return true;
}

bool CBackgroundItem::Run(CDC& /*dc*/, int& /*index*/, CSceneThread& /*thread*/) {
    return true;
}

bool CLineItem::Run(CDC& /*dc*/, int& /*index*/, CSceneThread& /*thread*/) {
    return true;
}

bool CPlayMediaItem::Run(CDC& /*dc*/, int& /*index*/, CSceneThread& /*thread*/) {
    return true;
}

bool CStopMediaItem::Run(CDC& /*dc*/, int& /*index*/, CSceneThread& /*thread*/) {
    return true;
}

bool CLinkItem::Run(CDC& /*dc*/, int& /*index*/, CSceneThread& /*thread*/) {
    return true;
}
