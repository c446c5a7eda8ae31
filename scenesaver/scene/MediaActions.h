#pragma once

#include "scene/ItemSpecs.h"
#include "scene/SceneItem.h"

class CMediaItem;

// Play and stop share their check: the medium they name must be there.
class CMediaActionItem : public CSceneItem {
public:
    explicit CMediaActionItem(std::uint32_t kind) : CSceneItem(kind) {}

    CMediaItem* m_media = nullptr; // not owned

    bool Prepare() override;
    void SetResource(CSceneItem& resource) override;
};

class CPlayMediaItem : public CMediaActionItem {
public:
    CPlayMediaItem() : CMediaActionItem(kindPlayMedia) {}

    CMediaPlaySpec m_play;

    void CopyFrom(const CSceneItem& other) override;
    bool Read(CArchive& ar) override;
    bool Run(CDC& dc, int& index, CSceneThread& thread) override;
    std::unique_ptr<CSceneItem> Clone() const override;
};

class CStopMediaItem : public CMediaActionItem {
public:
    CStopMediaItem() : CMediaActionItem(kindStopMedia) {}

    bool Run(CDC& dc, int& index, CSceneThread& thread) override;
    std::unique_ptr<CSceneItem> Clone() const override;
};
