#pragma once

#include "scene/SceneValues.h"

#include <cstdint>
#include <memory>
#include <string>

class CArchive;
class CDC;
class CScene;
class CSceneThread;

// The fourteen kinds of scene items; the number is stored before each item.
enum SceneItemKind : std::uint32_t {
    kindPicture = 0,
    kindShowPicture = 1,
    kindMovePicture = 2,
    kindHidePicture = 3,
    kindPause = 4,
    kindBackground = 5,
    kindLoopStart = 6,
    kindLoopEnd = 7,
    kindLine = 8,
    kindMedia = 9,
    kindPlayMedia = 10,
    kindStopMedia = 11,
    kindRemark = 12,
    kindLink = 13,
};
inline constexpr std::uint32_t SCENE_ITEM_KIND_COUNT = 14;

// An item's name as the authoring tool shows it.
struct CItemLabel {
    std::string m_text;
};

// One entry of a scene. Resources (pictures, media) do nothing when their turn
// comes; every other kind is an action that the scene thread performs.
class CSceneItem {
public:
    explicit CSceneItem(std::uint32_t kind) : m_kind(kind) {}
    CSceneItem(const CSceneItem&) = delete;
    CSceneItem& operator=(const CSceneItem&) = delete;
    virtual ~CSceneItem() = default;

    CItemLabel m_label;
    std::uint32_t m_reserved = 0;
    const std::uint32_t m_kind;
    std::int32_t m_index = -1; // position in the item list, set after loading
    BOOL m_disabled = FALSE;
    CScene* m_scene = nullptr; // the scene the item belongs to

    // slot 1: copies every stored field from an item of the same kind.
    virtual void CopyFrom(const CSceneItem& other);
    // slot 2: reads the head; each kind then reads its body.
    virtual bool Read(CArchive& ar);
    // slot 3: load-time preparation; false aborts the load.
    virtual bool Prepare() { return true; }
    // slot 4: performs the item. index is the caller's list position and may
    // be moved (loop end). True when the item performed an action.
    virtual bool Run(CDC& dc, int& index, CSceneThread& thread) = 0;
    // slot 5: a new item of the same kind with its defaults.
    virtual std::unique_ptr<CSceneItem> Clone() const = 0;
    // slot 6: resources keep a back-reference to each user.
    virtual void AddUser(CSceneItem& /*user*/) {}
    // slot 7: actions keep a pointer to the resource they use.
    virtual void SetResource(CSceneItem& /*resource*/) {}
    // slots 8 and 9
    virtual void SetDisabled(BOOL disabled) { m_disabled = disabled; }
    virtual BOOL IsDisabled() const { return m_disabled; }
};
