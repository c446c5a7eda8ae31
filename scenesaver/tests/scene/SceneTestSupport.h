#pragma once

#include "scene/Scene.h"
#include "scene/SceneBlock.h"

#include "BlockBytes.h"

#include <gtest/gtest.h>

#include <string>

// Reads a block without preparing it and fails the test with the reader's
// reason when it is refused.
inline ::testing::AssertionResult Reads(const BlockBytes& block, CScene& scene) {
    std::string why;
    if (ReadSceneBlock(block.bytes, scene, why)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "refused: " << why;
}

template <class Item>
Item& ItemAt(CScene& scene, std::size_t index) {
    auto* item = dynamic_cast<Item*>(scene.Items().at(index).get());
    if (item == nullptr) {
        throw std::runtime_error("item " + std::to_string(index) + " has another kind");
    }
    return *item;
}
