#pragma once

#include "scene/SceneItem.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class CArchive;
class CMappedFile;
class CPictureItem;

// The scene: the ordered item list the scene thread plays, with the kind
// table that makes fresh items while the block is read. Owns every item.
class CScene {
public:
    using ItemList = std::vector<std::unique_ptr<CSceneItem>>;

    CScene();
    CScene(const CScene&) = delete;
    CScene& operator=(const CScene&) = delete;
    ~CScene();

    // Reads the items and resource lists, numbers the items and prepares
    // them. False when the data is bad or an item cannot be prepared.
    bool Load(CArchive& ar);
    // The same without preparation: no pictures are decoded, nothing is shown.
    bool Read(CArchive& ar);
    // Prepares every item in list order; stops at the first failure.
    bool Prepare();

    const ItemList& Items() const { return m_items; }
    // A fresh item of the kind with its defaults; null for an unknown kind.
    std::unique_ptr<CSceneItem> CreateItem(std::uint32_t kind);
    void RemoveAll() {
        m_heldPictures.clear();
        m_items.clear();
    }
    // Appends an item, numbered and owned by this scene.
    CSceneItem& AddItem(std::unique_ptr<CSceneItem> item);
    // Keeps the mapped block that the items' embedded files are views into
    // for as long as the scene lives.
    void KeepBlock(std::unique_ptr<CMappedFile> block);

    // Pictures decoded when shown keep their pixels while they are among the
    // last kHeldPictures drawn: the one on screen and the one a transition
    // brings in over it. Each draw names its picture here; the one drawn
    // longest ago beyond that gives its pixels back.
    // Whether an image picture of the source (a PictureSource) may be shown:
    // only then must the desktop snapshot or the wallpaper file be made.
    bool UsesPictureSource(std::uint32_t source) const;

    static constexpr std::size_t kHeldPictures = 2;
    void HoldPixels(CPictureItem& picture);
    const std::vector<CPictureItem*>& HeldPictures() const { return m_heldPictures; }

private:
    bool ReadItems(CArchive& ar);
    bool ReadResourceUsers(CArchive& ar);

    // Declared before the items, so that it outlives them.
    std::unique_ptr<CMappedFile> m_block;
    ItemList m_items;
    std::vector<CPictureItem*> m_heldPictures; // the last drawn at the back
    std::array<std::unique_ptr<CSceneItem>, SCENE_ITEM_KIND_COUNT> m_kindTable;
};
