#include "scene/PictureItem.h"

#include "picture/PictureLoad.h"
#include "platform/MessageBox.h"
#include "scene/Archive.h"
#include "scene/ResourceUsers.h"
#include "scene/Scene.h"
#include "scene/SceneMessages.h"
#include "scene/TextPictureRenderer.h"

void CPictureItem::CopyFrom(const CSceneItem& other) {
    CSceneItem::CopyFrom(other);
    const auto& picture = dynamic_cast<const CPictureItem&>(other);
    m_contentKind = picture.m_contentKind;
    m_opaque = picture.m_opaque;
    m_source = picture.m_source;
    m_textColor = picture.m_textColor;
    m_backgroundColor = picture.m_backgroundColor;
    m_text = picture.m_text;
    m_font = picture.m_font;
    m_fileName = picture.m_fileName;
    m_imageBytes = picture.m_imageBytes;
}

// The head grew with the format: the desktop flag of the 1.01 to 2.1 formats
// became the picture source. Compared in single precision.
bool CPictureItem::ReadHead(CArchive& ar) {
    const float v = ar.m_version;
    if (v == 1.0F) {
        return ar.ReadU32(m_contentKind, "content kind") && ar.ReadFlag(m_opaque, "opaque flag");
    }
    if (1.01F <= v && v <= 2.1F) {
        BOOL desktop = FALSE;
        if (!ar.ReadU32(m_contentKind, "content kind") || !ar.ReadFlag(m_opaque, "opaque flag") ||
            !ar.ReadFlag(desktop, "desktop flag")) {
            return false;
        }
        m_source = desktop ? sourceDesktop : sourceEmbedded;
        return true;
    }
    if (v >= 2.11F) {
        return ar.ReadU32(m_contentKind, "content kind") && ar.ReadFlag(m_opaque, "opaque flag") &&
               ar.ReadU32(m_source, "picture source");
    }
    m_contentKind = contentImage;
    m_opaque = TRUE;
    m_source = sourceEmbedded;
    return true;
}

bool CPictureItem::Read(CArchive& ar) {
    if (!CSceneItem::Read(ar) || !ReadHead(ar)) {
        return false;
    }
    if (IsText()) {
        return ar.ReadColor(m_textColor, "text colour") &&
               ar.ReadColor(m_backgroundColor, "text background colour") &&
               ar.ReadScrambledString(m_text, "text") && ar.ReadScrambledFont(m_font, "font");
    }
    std::uint32_t size = 0;
    if (!ar.ReadU32(size, "image size")) {
        return false;
    }
    if (size == 0) {
        return true;
    }
    return ar.ReadScrambledString(m_fileName, "image file name") &&
           ar.ReadScrambledBytes(m_imageBytes, size, "image bytes");
}

PictureBytes CPictureItem::EmbeddedPicture() const {
    const CEmbeddedBytes::Storage stored = m_imageBytes.Stored();
    return PictureBytes{stored.bytes, stored.raise, m_fileName};
}

// Only the size is taken now: full pictures cost their pixels when they are
// shown, not all at once before the first one. The check goes as far as the
// decoder does before its first row, so a picture it would refuse still
// fails the load here, with its message.
bool CPictureItem::PrepareImage() {
    if (CheckPictureBytes(EmbeddedPicture(), m_bitmap, m_icon) == 0) {
        return false;
    }
    m_pixelsOnDemand = m_bitmap.IsNull() && m_icon.isNull();
    return true;
}

bool CPictureItem::HoldPixels() {
    if (!m_pixelsOnDemand) {
        return !m_bitmap.IsNull();
    }
    if (m_bitmap.IsNull() && DecodePictureBytes(EmbeddedPicture(), m_bitmap) == 0) {
        return false;
    }
    if (m_scene != nullptr) {
        m_scene->HoldPixels(*this);
    }
    return true;
}

void CPictureItem::ReleasePixels() {
    if (m_pixelsOnDemand) {
        m_bitmap.image = QImage();
    }
}

int CPictureItem::LoadPictureFile(const std::string& path) {
    return ::LoadPictureFile(path, m_bitmap, m_icon);
}

bool CPictureItem::Prepare() {
    if (IsUnusedResource(*this, m_users)) {
        return true;
    }
    if (IsText()) {
        // A text picture without its bitmap cannot be shown: no renderer is
        // a render that failed.
        const TextPictureRenderer render = GetTextPictureRenderer();
        if (render == nullptr || !render(*this)) {
            AfxMessageBox(m_text + MSG_TEXT_BITMAP_FAILED, MessageIcon::Stop);
            return false;
        }
    } else if (!m_imageBytes.empty()) {
        if (!PrepareImage()) {
            return false;
        }
    } else {
        AfxMessageBox(MSG_CHOOSE_IMAGE, MessageIcon::Stop);
        return false;
    }
    m_shown = false;
    return true;
}

bool CPictureItem::Run(CDC& /*dc*/, int& /*index*/, CSceneThread& /*thread*/) {
    return false; // a resource: nothing happens at its turn
}

std::unique_ptr<CSceneItem> CPictureItem::Clone() const {
    return std::make_unique<CPictureItem>();
}

void CPictureItem::AddUser(CSceneItem& user) {
    m_users.push_back(CItemRef{&user});
}
