#pragma once

#include "scene/Scene.h"

#include <cstdint>
#include <vector>

// Writes items as a format-4.0 scene block: signature, version, the items and
// each resource's list of users, taken from the actions' resource pointers.
std::vector<std::uint8_t> WriteSceneBlock(const CScene::ItemList& items,
                                          std::uint32_t reserved = 0);
