#pragma once

#include "scene/Scene.h"

#include <QByteArray>
#include <QJsonObject>

#include <cstdint>
#include <string>

// A scene as a manifest describes it: the block's reserved value and the
// items in list order, with their resources linked.
struct ManifestScene {
    std::uint32_t reserved = 0;
    CScene::ItemList items;
};

// Builds the items a manifest describes, made by the scene's kind table.
// Files are named relative to baseDir. False with a message that names the
// item and the field when the manifest is wrong.
bool ParseManifest(const QByteArray& json, const std::string& baseDir, CScene& factory,
                   ManifestScene& out, std::string& error);

// The manifest of the items, with embedded files as base64 text, so that
// building it gives the same block again.
QJsonObject SceneToManifest(const CScene::ItemList& items, std::uint32_t reserved);
