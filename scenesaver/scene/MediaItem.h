#pragma once

#include "scene/EmbeddedBytes.h"
#include "scene/ItemSpecs.h"
#include "scene/SceneItem.h"

#include <cstdint>
#include <string>
#include <vector>

enum MediaType : std::uint32_t {
    mediaWave = 0,
    mediaVideo = 1,
    mediaMp3 = 2,
};

// A media resource: an embedded wave sound, video or MP3 file.
class CMediaItem : public CSceneItem {
public:
    CMediaItem() : CSceneItem(kindMedia) {}

    std::uint32_t m_mediaType = mediaWave;
    std::string m_fileName;
    CEmbeddedBytes m_mediaBytes; // valid for the life of the scene
    std::vector<CItemRef> m_users;

    void CopyFrom(const CSceneItem& other) override;
    bool Read(CArchive& ar) override;
    bool Prepare() override;
    bool Run(CDC& dc, int& index, CSceneThread& thread) override;
    std::unique_ptr<CSceneItem> Clone() const override;
    void AddUser(CSceneItem& user) override;
};
