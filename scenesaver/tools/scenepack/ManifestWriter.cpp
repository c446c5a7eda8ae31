#include "Manifest.h"

#include "ItemFields.h"
#include "platform/TextCodec.h"
#include "scene/MediaActions.h"
#include "scene/MediaItem.h"
#include "scene/PictureActions.h"
#include "scene/PictureItem.h"

#include <QJsonArray>

#include <cstdio>

namespace {

// Writes every field it is shown into a JSON object.
class JsonWriter : public FieldVisitor {
public:
    QJsonObject object;

    void U32(const char* name, std::uint32_t& value) override {
        object.insert(name, static_cast<double>(value));
    }
    void I32(const char* name, std::int32_t& value) override { object.insert(name, value); }
    void Byte(const char* name, std::uint8_t& value) override { object.insert(name, value); }
    // Stored truth values are kept exactly: anything but 0 and 1 stays a number.
    void Flag(const char* name, BOOL& value) override {
        if (value == TRUE || value == FALSE) {
            object.insert(name, value == TRUE);
        } else {
            object.insert(name, value);
        }
    }
    void Color(const char* name, COLORREF& value) override {
        if (value > 0xFFFFFF) {
            U32(name, value);
            return;
        }
        char text[8];
        std::snprintf(text, sizeof text, "#%02X%02X%02X", value & 0xFF, (value >> 8) & 0xFF,
                      (value >> 16) & 0xFF);
        object.insert(name, QString::fromLatin1(text));
    }
    void Point(const char* name, CPoint& value) override {
        object.insert(name, QJsonArray{value.x, value.y});
    }
    void Modes(const char* name, std::array<std::uint32_t, 4>& value) override {
        QJsonArray modes;
        for (std::uint32_t mode : value) {
            modes.append(static_cast<double>(mode));
        }
        object.insert(name, modes);
    }
    void Text(const char* name, std::string& value) override {
        object.insert(name, FromWindows1252(value));
    }
    void Enum(const char* name, std::uint32_t& value, const EnumNames& names) override {
        for (const auto& [number, spelling] : names) {
            if (number == value) {
                object.insert(name, QString::fromLatin1(spelling));
                return;
            }
        }
        U32(name, value);
    }
    void Face(const char* name, LOGFONTA& font) override {
        std::string face(FaceName(font));
        Text(name, face);
    }
    void Nested(const char* name, const std::function<void(FieldVisitor&)>& fields) override {
        JsonWriter inner;
        fields(inner);
        object.insert(name, inner.object);
    }
};

QString Base64(std::span<const std::uint8_t> bytes) {
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                          static_cast<qsizetype>(bytes.size()))
                                   .toBase64());
}

// A resource by its label when that is unambiguous, else by its position.
QJsonValue ReferenceTo(const CSceneItem& resource, const CScene::ItemList& items) {
    int sameLabel = 0;
    for (const auto& item : items) {
        sameLabel +=
            item->m_kind == resource.m_kind && item->m_label.m_text == resource.m_label.m_text;
    }
    if (sameLabel == 1) {
        return FromWindows1252(resource.m_label.m_text);
    }
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].get() == &resource) {
            return static_cast<double>(i);
        }
    }
    return QJsonValue::Null;
}

} // namespace

QJsonObject SceneToManifest(const CScene::ItemList& items, std::uint32_t reserved) {
    QJsonArray list;
    for (const auto& item : items) {
        JsonWriter writer;
        writer.object.insert("kind", QString::fromLatin1(KIND_NAMES.at(item->m_kind)));
        VisitItemFields(*item, writer);
        if (const auto* picture = dynamic_cast<const CPictureItem*>(item.get())) {
            if (!picture->IsText() && !picture->m_imageBytes.empty()) {
                writer.object.insert("data", Base64(picture->m_imageBytes));
            }
        } else if (const auto* media = dynamic_cast<const CMediaItem*>(item.get())) {
            if (!media->m_mediaBytes.empty()) {
                writer.object.insert("data", Base64(media->m_mediaBytes));
            }
        } else if (const auto* show = dynamic_cast<const CPictureActionItem*>(item.get())) {
            if (show->m_picture != nullptr) {
                writer.object.insert("picture", ReferenceTo(*show->m_picture, items));
            }
        } else if (const auto* play = dynamic_cast<const CMediaActionItem*>(item.get())) {
            if (play->m_media != nullptr) {
                writer.object.insert("media", ReferenceTo(*play->m_media, items));
            }
        }
        list.append(writer.object);
    }
    QJsonObject root;
    root.insert("reserved", static_cast<double>(reserved));
    root.insert("items", list);
    return root;
}
