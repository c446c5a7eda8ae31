#pragma once

#include "scene/ItemSpecs.h"
#include "scene/SceneItem.h"

#include <vector>

// A disabled resource that no enabled item uses need not be prepared.
inline bool IsUnusedResource(const CSceneItem& resource, const std::vector<CItemRef>& users) {
    if (!resource.IsDisabled()) {
        return false;
    }
    for (const CItemRef& user : users) {
        if (user.m_item != nullptr && !user.m_item->IsDisabled()) {
            return false;
        }
    }
    return true;
}
