#include "scene/Scene.h"

#include "platform/MappedFile.h"
#include "scene/Archive.h"
#include "scene/DrawItems.h"
#include "scene/FlowItems.h"
#include "scene/MediaActions.h"
#include "scene/MediaItem.h"
#include "scene/NoteItems.h"
#include "scene/PictureActions.h"
#include "scene/PictureItem.h"
#include "scene/ResourceUsers.h"

#include <algorithm>

CScene::CScene()
    : m_kindTable{std::make_unique<CPictureItem>(),     std::make_unique<CShowPictureItem>(),
                  std::make_unique<CMovePictureItem>(), std::make_unique<CHidePictureItem>(),
                  std::make_unique<CPauseItem>(),       std::make_unique<CBackgroundItem>(),
                  std::make_unique<CLoopStartItem>(),   std::make_unique<CLoopEndItem>(),
                  std::make_unique<CLineItem>(),        std::make_unique<CMediaItem>(),
                  std::make_unique<CPlayMediaItem>(),   std::make_unique<CStopMediaItem>(),
                  std::make_unique<CRemarkItem>(),      std::make_unique<CLinkItem>()} {}

CScene::~CScene() = default;

void CScene::KeepBlock(std::unique_ptr<CMappedFile> block) {
    m_block = std::move(block);
}

std::unique_ptr<CSceneItem> CScene::CreateItem(std::uint32_t kind) {
    if (kind >= m_kindTable.size()) {
        return nullptr;
    }
    std::unique_ptr<CSceneItem> item = m_kindTable[kind]->Clone();
    item->m_scene = this;
    return item;
}

bool CScene::ReadItems(CArchive& ar) {
    std::int32_t count = 0;
    if (!ar.ReadI32(count, "item count")) {
        return false;
    }
    // Every item takes at least its kind and head, so a count the remaining
    // bytes cannot hold is not reserved for.
    constexpr std::uint64_t smallestItem = 4 + 1 + 4 + 4;
    m_items.reserve(static_cast<std::size_t>(
        std::min<std::uint64_t>(count > 0 ? count : 0, ar.Remaining() / smallestItem)));
    for (std::int32_t i = 0; i < count; ++i) {
        ar.SetContext("item " + std::to_string(i));
        std::uint32_t kind = 0;
        if (!ar.ReadU32(kind, "item kind")) {
            return false;
        }
        std::unique_ptr<CSceneItem> item = CreateItem(kind);
        if (!item) {
            return ar.Fail("unknown item kind " + std::to_string(kind));
        }
        ar.SetContext("item " + std::to_string(i) + " (kind " + std::to_string(kind) + ")");
        if (!item->Read(ar)) {
            return false;
        }
        m_items.push_back(std::move(item));
    }
    return true;
}

// After the items, each picture and medium lists the items that use it.
bool CScene::ReadResourceUsers(CArchive& ar) {
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        CSceneItem& resource = *m_items[i];
        if (resource.m_kind != kindPicture && resource.m_kind != kindMedia) {
            continue;
        }
        ar.SetContext("users of item " + std::to_string(i));
        std::int32_t count = 0;
        if (!ar.ReadI32(count, "user count")) {
            return false;
        }
        if (count > 0 && static_cast<std::uint64_t>(count) * 4 > ar.Remaining()) {
            return ar.Fail(std::to_string(count) + " users do not fit in the " +
                           std::to_string(ar.Remaining()) + " bytes that remain");
        }
        for (std::int32_t n = 0; n < count; ++n) {
            std::uint32_t userIndex = 0;
            if (!ar.ReadU32(userIndex, "user index")) {
                return false;
            }
            if (userIndex >= m_items.size()) {
                return ar.Fail("user index " + std::to_string(userIndex) + " outside the " +
                               std::to_string(m_items.size()) + " items");
            }
            CSceneItem& user = *m_items[userIndex];
            user.SetResource(resource);
            resource.AddUser(user);
        }
    }
    ar.SetContext({});
    return true;
}

bool CScene::Read(CArchive& ar) {
    RemoveAll();
    if (!ReadItems(ar) || !ReadResourceUsers(ar)) {
        return false;
    }
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        m_items[i]->m_index = static_cast<std::int32_t>(i);
    }
    return true;
}

bool CScene::UsesPictureSource(std::uint32_t source) const {
    return std::any_of(m_items.begin(), m_items.end(), [source](const auto& item) {
        const auto* picture = dynamic_cast<const CPictureItem*>(item.get());
        return picture != nullptr && !picture->IsText() && picture->m_source == source &&
               !IsUnusedResource(*picture, picture->m_users);
    });
}

void CScene::HoldPixels(CPictureItem& picture) {
    const auto held = std::find(m_heldPictures.begin(), m_heldPictures.end(), &picture);
    if (held != m_heldPictures.end()) {
        m_heldPictures.erase(held);
    }
    m_heldPictures.push_back(&picture);
    while (m_heldPictures.size() > kHeldPictures) {
        m_heldPictures.front()->ReleasePixels();
        m_heldPictures.erase(m_heldPictures.begin());
    }
}

bool CScene::Prepare() {
    return std::all_of(m_items.begin(), m_items.end(),
                       [](const std::unique_ptr<CSceneItem>& item) { return item->Prepare(); });
}

bool CScene::Load(CArchive& ar) {
    return Read(ar) && Prepare();
}

CSceneItem& CScene::AddItem(std::unique_ptr<CSceneItem> item) {
    item->m_index = static_cast<std::int32_t>(m_items.size());
    item->m_scene = this;
    m_items.push_back(std::move(item));
    return *m_items.back();
}
