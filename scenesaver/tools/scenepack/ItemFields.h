#pragma once

#include "scene/LogFont.h"
#include "scene/SceneItem.h"
#include "scene/SceneValues.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

// A named value of an enumeration as the manifest spells it.
using EnumNames = std::vector<std::pair<std::uint32_t, const char*>>;

// Visits every stored field of an item under its manifest name, so that one
// description serves both reading a manifest and writing one.
class FieldVisitor {
public:
    virtual ~FieldVisitor() = default;
    virtual void U32(const char* name, std::uint32_t& value) = 0;
    virtual void I32(const char* name, std::int32_t& value) = 0;
    virtual void Flag(const char* name, BOOL& value) = 0;
    virtual void Color(const char* name, COLORREF& value) = 0;
    virtual void Point(const char* name, CPoint& value) = 0;
    virtual void Modes(const char* name, std::array<std::uint32_t, 4>& value) = 0;
    virtual void Text(const char* name, std::string& value) = 0;
    virtual void Enum(const char* name, std::uint32_t& value, const EnumNames& names) = 0;
    virtual void Byte(const char* name, std::uint8_t& value) = 0;
    virtual void Face(const char* name, LOGFONTA& font) = 0;
    // A nested object whose fields the callback visits.
    virtual void Nested(const char* name, const std::function<void(FieldVisitor&)>& fields) = 0;
};

// The manifest name of each kind, by kind number.
extern const std::array<const char*, SCENE_ITEM_KIND_COUNT> KIND_NAMES;

// Every stored field of the item except its kind, resource and embedded file.
void VisitItemFields(CSceneItem& item, FieldVisitor& visitor);
