#include "Manifest.h"

#include "ItemFields.h"
#include "platform/TextCodec.h"
#include "scene/MediaActions.h"
#include "scene/MediaItem.h"
#include "scene/PictureActions.h"
#include "scene/PictureItem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>

#include <cmath>
#include <set>

namespace {

// Embedded files larger than this are refused.
constexpr qint64 MAX_EMBEDDED_FILE = qint64{1} << 30;

// Reads fields from one JSON object, keeping each missing field's default,
// and remembers which keys it knows so that misspelt ones are reported.
class JsonReader : public FieldVisitor {
public:
    JsonReader(const QJsonObject& object, std::string prefix, std::string& error)
        : m_object(object), m_prefix(std::move(prefix)), m_error(error) {}

    void Allow(const char* name) { m_known.insert(name); }

    // Reports the first key no field claimed.
    void CheckUnknown() {
        for (const QString& key : m_object.keys()) {
            if (!m_known.contains(key.toStdString())) {
                Fail(key.toStdString().c_str(), "is not a field of this item");
                return;
            }
        }
    }

    bool Fail(const char* name, const std::string& problem) {
        if (m_error.empty()) {
            m_error = "field \"" + m_prefix + name + "\" " + problem;
        }
        return false;
    }

    void U32(const char* name, std::uint32_t& value) override {
        double number = 0;
        if (Number(name, 0, 4294967295.0, number)) {
            value = static_cast<std::uint32_t>(number);
        }
    }
    void I32(const char* name, std::int32_t& value) override {
        double number = 0;
        if (Number(name, -2147483648.0, 2147483647.0, number)) {
            value = static_cast<std::int32_t>(number);
        }
    }
    void Byte(const char* name, std::uint8_t& value) override {
        double number = 0;
        if (Number(name, 0, 255, number)) {
            value = static_cast<std::uint8_t>(number);
        }
    }
    void Flag(const char* name, BOOL& value) override {
        const QJsonValue json = Take(name);
        if (json.isBool()) {
            value = json.toBool() ? TRUE : FALSE;
        } else if (!json.isUndefined()) {
            std::int32_t number = 0;
            I32(name, number);
            value = number;
        }
    }
    void Color(const char* name, COLORREF& value) override {
        const QJsonValue json = Take(name);
        if (!json.isString()) {
            if (!json.isUndefined()) {
                U32(name, value);
            }
            return;
        }
        const QString text = json.toString();
        bool ok = text.size() == 7 && text.startsWith('#');
        const unsigned rgb = ok ? text.mid(1).toUInt(&ok, 16) : 0;
        if (!ok) {
            Fail(name, "must be \"#RRGGBB\" or a number");
            return;
        }
        value = RGB(static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8),
                    static_cast<std::uint8_t>(rgb));
    }
    void Point(const char* name, CPoint& value) override {
        std::array<double, 2> numbers{};
        if (Numbers(name, -2147483648.0, 2147483647.0, numbers)) {
            value = {static_cast<std::int32_t>(numbers[0]), static_cast<std::int32_t>(numbers[1])};
        }
    }
    void Modes(const char* name, std::array<std::uint32_t, 4>& value) override {
        std::array<double, 4> numbers{};
        if (Numbers(name, 0, 4294967295.0, numbers)) {
            for (std::size_t i = 0; i < value.size(); ++i) {
                value[i] = static_cast<std::uint32_t>(numbers[i]);
            }
        }
    }
    void Text(const char* name, std::string& value) override {
        const QJsonValue json = Take(name);
        if (json.isUndefined()) {
            return;
        }
        if (!json.isString()) {
            Fail(name, "must be a string");
            return;
        }
        const std::string text = ToWindows1252(json.toString());
        if (FromWindows1252(text) != json.toString()) {
            Fail(name, "holds characters that Windows-1252 text cannot");
            return;
        }
        value = text;
    }
    void Enum(const char* name, std::uint32_t& value, const EnumNames& names) override {
        const QJsonValue json = Take(name);
        if (!json.isString()) {
            if (!json.isUndefined()) {
                U32(name, value);
            }
            return;
        }
        std::string choices;
        for (const auto& [number, spelling] : names) {
            if (json.toString() == QLatin1String(spelling)) {
                value = number;
                return;
            }
            choices += std::string(choices.empty() ? "" : ", ") + spelling;
        }
        Fail(name, "must be one of " + choices + " or a number");
    }
    void Face(const char* name, LOGFONTA& font) override {
        std::string face(FaceName(font));
        Text(name, face);
        if (face.size() > 31) {
            Fail(name, "is longer than 31 characters");
            return;
        }
        SetFaceName(font, face);
    }
    void Nested(const char* name, const std::function<void(FieldVisitor&)>& fields) override {
        const QJsonValue json = Take(name);
        if (json.isUndefined()) {
            return;
        }
        if (!json.isObject()) {
            Fail(name, "must be an object");
            return;
        }
        JsonReader inner(json.toObject(), m_prefix + name + ".", m_error);
        fields(inner);
        inner.CheckUnknown();
    }

    QJsonValue Take(const char* name) {
        m_known.insert(name);
        return m_object.value(QLatin1String(name));
    }

private:
    bool Whole(const char* name, const QJsonValue& json, double low, double high, double& out) {
        const double number = json.toDouble();
        if (!json.isDouble() || std::floor(number) != number || number < low || number > high) {
            return Fail(name, "must be a whole number from " + std::to_string(std::llround(low)) +
                                  " to " + std::to_string(std::llround(high)));
        }
        out = number;
        return true;
    }
    bool Number(const char* name, double low, double high, double& out) {
        const QJsonValue json = Take(name);
        return !json.isUndefined() && Whole(name, json, low, high, out);
    }
    template <std::size_t N>
    bool Numbers(const char* name, double low, double high, std::array<double, N>& out) {
        const QJsonValue json = Take(name);
        if (json.isUndefined()) {
            return false;
        }
        if (!json.isArray() || json.toArray().size() != static_cast<qsizetype>(N)) {
            return Fail(name, "must be an array of " + std::to_string(N) + " numbers");
        }
        for (std::size_t i = 0; i < N; ++i) {
            if (!Whole(name, json.toArray()[static_cast<qsizetype>(i)], low, high, out[i])) {
                return false;
            }
        }
        return true;
    }

    QJsonObject m_object;
    std::string m_prefix;
    std::string& m_error;
    std::set<std::string> m_known;
};

// The embedded file of a picture or medium: "file" names it relative to the
// manifest, "data" holds it as base64. The stored name defaults to the
// file's own name.
bool ReadEmbedded(JsonReader& reader, const std::string& baseDir, CEmbeddedBytes& bytes,
                  std::string& storedName, bool nameGiven) {
    const QJsonValue file = reader.Take("file");
    const QJsonValue data = reader.Take("data");
    if (!file.isUndefined() && !data.isUndefined()) {
        return reader.Fail("data", "cannot stand beside \"file\"");
    }
    QByteArray content;
    if (file.isString()) {
        const QString path = QDir(QString::fromStdString(baseDir)).filePath(file.toString());
        QFile in(path);
        if (!in.open(QIODevice::ReadOnly)) {
            return reader.Fail("file", "names " + path.toStdString() + ", which cannot be read");
        }
        if (in.size() > MAX_EMBEDDED_FILE) {
            return reader.Fail("file", "names a file larger than 1 GiB");
        }
        content = in.readAll();
        if (!nameGiven) {
            storedName = ToWindows1252(QFileInfo(file.toString()).fileName());
        }
    } else if (data.isString()) {
        auto decoded = QByteArray::fromBase64Encoding(data.toString().toLatin1(),
                                                      QByteArray::AbortOnBase64DecodingErrors);
        if (!decoded) {
            return reader.Fail("data", "is not base64 text");
        }
        content = *decoded;
    } else if (!file.isUndefined()) {
        return reader.Fail("file", "must be a string");
    } else if (!data.isUndefined()) {
        return reader.Fail("data", "must be a string");
    }
    bytes = std::vector<std::uint8_t>(content.begin(), content.end());
    return true;
}

// An action's resource, named by its label or its position in the list.
struct PendingReference {
    std::size_t item;
    QJsonValue name;
    std::uint32_t resourceKind;
};

std::string ItemName(std::size_t index, const QJsonObject& object) {
    std::string name = "item " + std::to_string(index);
    if (object.value("label").isString()) {
        name += " (\"" + object.value("label").toString().toStdString() + "\")";
    }
    return name;
}

bool ReadItem(const QJsonObject& object, const std::string& baseDir, CScene& factory,
              std::unique_ptr<CSceneItem>& item, std::vector<PendingReference>& references,
              std::size_t index, std::string& error) {
    JsonReader reader(object, "", error);
    const QJsonValue kind = reader.Take("kind");
    for (std::uint32_t k = 0; k < KIND_NAMES.size(); ++k) {
        if (kind.toString() == QLatin1String(KIND_NAMES[k])) {
            item = factory.CreateItem(k);
        }
    }
    if (!item) {
        return reader.Fail("kind", kind.isUndefined() ? "is missing" : "names no item kind");
    }
    VisitItemFields(*item, reader);
    if (auto* picture = dynamic_cast<CPictureItem*>(item.get()); picture && !picture->IsText()) {
        ReadEmbedded(reader, baseDir, picture->m_imageBytes, picture->m_fileName,
                     object.contains("name"));
    } else if (auto* media = dynamic_cast<CMediaItem*>(item.get())) {
        ReadEmbedded(reader, baseDir, media->m_mediaBytes, media->m_fileName,
                     object.contains("name"));
    } else if (dynamic_cast<CPictureActionItem*>(item.get()) != nullptr) {
        references.push_back({index, reader.Take("picture"), kindPicture});
    } else if (dynamic_cast<CMediaActionItem*>(item.get()) != nullptr) {
        references.push_back({index, reader.Take("media"), kindMedia});
    }
    reader.CheckUnknown();
    return error.empty();
}

bool Resolve(const PendingReference& reference, CScene::ItemList& items, std::string& error) {
    const char* field = reference.resourceKind == kindPicture ? "picture" : "media";
    const auto fail = [&](const std::string& problem) {
        error = "field \"" + std::string(field) + "\" " + problem;
        return false;
    };
    if (reference.name.isUndefined() || reference.name.isNull()) {
        return true; // no resource: the load will ask for one unless the item is disabled
    }
    CSceneItem* found = nullptr;
    if (reference.name.isDouble()) {
        const double index = reference.name.toDouble();
        if (index < 0 || index >= static_cast<double>(items.size()) || std::floor(index) != index ||
            items[static_cast<std::size_t>(index)]->m_kind != reference.resourceKind) {
            return fail("does not give the position of a " + std::string(field) + " item");
        }
        found = items[static_cast<std::size_t>(index)].get();
    } else if (reference.name.isString()) {
        const std::string label = ToWindows1252(reference.name.toString());
        for (const auto& candidate : items) {
            if (candidate->m_kind == reference.resourceKind && candidate->m_label.m_text == label) {
                if (found != nullptr) {
                    return fail("names the label \"" + reference.name.toString().toStdString() +
                                "\", which more than one " + field + " item has");
                }
                found = candidate.get();
            }
        }
        if (found == nullptr) {
            return fail("names \"" + reference.name.toString().toStdString() + "\", but no " +
                        field + " item has that label");
        }
    } else {
        return fail("must be a label or an item position");
    }
    items[reference.item]->SetResource(*found);
    return true;
}

} // namespace

bool ParseManifest(const QByteArray& json, const std::string& baseDir, CScene& factory,
                   ManifestScene& out, std::string& error) {
    QJsonParseError parseError{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (document.isNull()) {
        error = "not JSON: " + parseError.errorString().toStdString() + " at offset " +
                std::to_string(parseError.offset);
        return false;
    }
    if (!document.isObject() || !document.object().value("items").isArray()) {
        error = "the manifest must be an object with an \"items\" array";
        return false;
    }
    const QJsonObject root = document.object();
    {
        JsonReader reader(root, "", error);
        reader.U32("reserved", out.reserved);
        reader.Allow("items");
        reader.CheckUnknown();
        if (!error.empty()) {
            error = "manifest: " + error;
            return false;
        }
    }
    const QJsonArray items = root.value("items").toArray();
    std::vector<PendingReference> references;
    for (qsizetype i = 0; i < items.size(); ++i) {
        const auto index = static_cast<std::size_t>(i);
        std::unique_ptr<CSceneItem> item;
        if (!items[i].isObject()) {
            error = "item " + std::to_string(index) + ": must be an object";
            return false;
        }
        if (!ReadItem(items[i].toObject(), baseDir, factory, item, references, index, error)) {
            error = ItemName(index, items[i].toObject()) + ": " + error;
            return false;
        }
        out.items.push_back(std::move(item));
    }
    for (const PendingReference& reference : references) {
        if (!Resolve(reference, out.items, error)) {
            error =
                ItemName(reference.item, items[static_cast<qsizetype>(reference.item)].toObject()) +
                ": " + error;
            return false;
        }
    }
    return true;
}
