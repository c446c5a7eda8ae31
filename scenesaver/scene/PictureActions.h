#pragma once

#include "scene/ColorSpec.h"
#include "scene/Placement.h"
#include "scene/SceneItem.h"

class CPictureItem;

// Show, move and hide share their stored form: a picture, where it goes and
// the colour behind it.
class CPictureActionItem : public CSceneItem {
public:
    explicit CPictureActionItem(std::uint32_t kind) : CSceneItem(kind) {}

    CPictureItem* m_picture = nullptr; // not owned
    CPlacement m_placement;
    CColorSpec m_color;

    void CopyFrom(const CSceneItem& other) override;
    bool Read(CArchive& ar) override;
    bool Prepare() override;
    void SetResource(CSceneItem& resource) override;
};

class CShowPictureItem : public CPictureActionItem {
public:
    CShowPictureItem() : CPictureActionItem(kindShowPicture) {}
    bool Run(CDC& dc, int& index, CSceneThread& thread) override;
    std::unique_ptr<CSceneItem> Clone() const override;
};

class CMovePictureItem : public CPictureActionItem {
public:
    CMovePictureItem() : CPictureActionItem(kindMovePicture) {}
    bool Run(CDC& dc, int& index, CSceneThread& thread) override;
    std::unique_ptr<CSceneItem> Clone() const override;
};

// Only the picture is used; the placement and colour are stored all the same.
class CHidePictureItem : public CPictureActionItem {
public:
    CHidePictureItem() : CPictureActionItem(kindHidePicture) {}
    bool Run(CDC& dc, int& index, CSceneThread& thread) override;
    std::unique_ptr<CSceneItem> Clone() const override;
};
