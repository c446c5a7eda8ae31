#pragma once

#include "scene/ItemSpecs.h"
#include "scene/SceneItem.h"

// A pause between items.
class CPauseItem : public CSceneItem {
public:
    CPauseItem() : CSceneItem(kindPause) {}

    CDurationSpec m_duration;

    void CopyFrom(const CSceneItem& other) override;
    bool Read(CArchive& ar) override;
    bool Run(CDC& dc, int& index, CSceneThread& thread) override;
    std::unique_ptr<CSceneItem> Clone() const override;
};

// Opens a block that the matching loop end repeats.
class CLoopStartItem : public CSceneItem {
public:
    CLoopStartItem() : CSceneItem(kindLoopStart) {}

    bool Run(CDC& dc, int& index, CSceneThread& thread) override;
    std::unique_ptr<CSceneItem> Clone() const override;
};

// Closes a loop block: sends the scene back to the item after the matching
// loop start until the block has run often enough.
class CLoopEndItem : public CSceneItem {
public:
    CLoopEndItem() : CSceneItem(kindLoopEnd) {}

    CRepeatSpec m_repeat;
    int m_loopStartPosition = 0; // the matching loop start's index plus 1

    void CopyFrom(const CSceneItem& other) override;
    bool Read(CArchive& ar) override;
    bool Prepare() override;
    bool Run(CDC& dc, int& index, CSceneThread& thread) override;
    std::unique_ptr<CSceneItem> Clone() const override;

    // Moves index as the end of a pass calls for.
    void EndPass(int& index);
};
