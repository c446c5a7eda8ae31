#include "BlockWriter.h"

#include "ByteWriter.h"
#include "scene/DrawItems.h"
#include "scene/FlowItems.h"
#include "scene/MediaActions.h"
#include "scene/MediaItem.h"
#include "scene/NoteItems.h"
#include "scene/PictureActions.h"
#include "scene/PictureItem.h"
#include "scene/SceneBlock.h"

#include <map>

namespace {

constexpr float FORMAT_VERSION = 4.0F;

void WritePlacement(ByteWriter& out, const CPlacement& p) {
    for (std::uint32_t mode : p.m_mode) {
        out.U32(mode);
    }
    out.Point(p.m_start);
    out.Point(p.m_end);
    out.Point(p.m_step);
    out.Flag(p.m_horizontal);
    out.U32(p.m_xEndTest);
    out.Point(p.m_endBound);
    out.Flag(p.m_bothTests);
    out.U32(p.m_yEndTest);
    out.Flag(p.m_freeMotion);
    out.U32(p.m_motionSpeed);
    out.U32(p.m_typewriterDelay);
    out.Flag(p.m_typewriter);
    out.Flag(p.m_restoreFromBackdrop);
    out.Flag(p.m_keepBackground);
    out.U32(p.m_effect);
    out.U32(p.m_effectSpeed);
}

void WriteColor(ByteWriter& out, const CColorSpec& c) {
    out.U32(c.m_color);
    out.U32(c.m_rasterOperation);
    out.Flag(c.m_random);
    out.Flag(c.m_useScreenColor);
}

void WritePicture(ByteWriter& out, const CPictureItem& picture) {
    out.U32(picture.m_contentKind);
    out.Flag(picture.m_opaque);
    out.U32(picture.m_source);
    if (picture.IsText()) {
        out.U32(picture.m_textColor);
        out.U32(picture.m_backgroundColor);
        out.ScrambledString(picture.m_text);
        out.ScrambledFont(picture.m_font);
        return;
    }
    out.U32(static_cast<std::uint32_t>(picture.m_imageBytes.size()));
    if (!picture.m_imageBytes.empty()) {
        out.ScrambledString(picture.m_fileName);
        out.ScrambledBytes(picture.m_imageBytes);
    }
}

void WriteMedia(ByteWriter& out, const CMediaItem& media) {
    out.U32(static_cast<std::uint32_t>(media.m_mediaBytes.size()));
    if (!media.m_mediaBytes.empty()) {
        out.ScrambledString(media.m_fileName);
        out.U32(media.m_mediaType);
        out.ScrambledBytes(media.m_mediaBytes);
    }
}

void WriteBody(ByteWriter& out, const CSceneItem& item) {
    switch (item.m_kind) {
    case kindPicture:
        WritePicture(out, static_cast<const CPictureItem&>(item));
        break;
    case kindShowPicture:
    case kindMovePicture:
    case kindHidePicture: {
        const auto& action = static_cast<const CPictureActionItem&>(item);
        WritePlacement(out, action.m_placement);
        WriteColor(out, action.m_color);
        break;
    }
    case kindPause: {
        const auto& pause = static_cast<const CPauseItem&>(item);
        out.U32(pause.m_duration.m_milliseconds);
        out.Flag(pause.m_duration.m_random);
        break;
    }
    case kindBackground:
        WriteColor(out, static_cast<const CBackgroundItem&>(item).m_color);
        break;
    case kindLoopEnd: {
        const auto& loopEnd = static_cast<const CLoopEndItem&>(item);
        out.U32(loopEnd.m_repeat.m_repeatCount);
        out.Flag(loopEnd.m_repeat.m_forever);
        break;
    }
    case kindLine: {
        const auto& line = static_cast<const CLineItem&>(item);
        WriteColor(out, line.m_color);
        WritePlacement(out, line.m_placement);
        out.U32(line.m_penStyle);
        out.U32(line.m_penWidth);
        break;
    }
    case kindMedia:
        WriteMedia(out, static_cast<const CMediaItem&>(item));
        break;
    case kindPlayMedia: {
        const auto& play = static_cast<const CPlayMediaItem&>(item).m_play;
        out.U32(play.m_repeatCount);
        out.Flag(play.m_forever);
        out.Flag(play.m_wait);
        out.Flag(play.m_loop);
        out.Point(play.m_videoPosition);
        break;
    }
    case kindRemark:
        out.ScrambledString(static_cast<const CRemarkItem&>(item).m_text);
        break;
    case kindLink: {
        const auto& link = static_cast<const CLinkItem&>(item);
        out.Flag(link.m_clear);
        out.I32(link.m_triggerKey);
        out.ScrambledString(link.m_link);
        break;
    }
    default: // loop start, stop media: the head is all
        break;
    }
}

// The resource an action uses, if any.
const CSceneItem* ResourceOf(const CSceneItem& item) {
    if (const auto* action = dynamic_cast<const CPictureActionItem*>(&item)) {
        return action->m_picture;
    }
    if (const auto* action = dynamic_cast<const CMediaActionItem*>(&item)) {
        return action->m_media;
    }
    return nullptr;
}

} // namespace

std::vector<std::uint8_t> WriteSceneBlock(const CScene::ItemList& items, std::uint32_t reserved) {
    ByteWriter out;
    out.U32(reserved);
    out.String(std::string(SCENE_SIGNATURE));
    out.F32(FORMAT_VERSION);
    out.I32(static_cast<std::int32_t>(items.size()));
    std::map<const CSceneItem*, std::vector<std::uint32_t>> users;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const CSceneItem& item = *items[i];
        out.U32(item.m_kind);
        out.ScrambledString(item.m_label.m_text);
        out.U32(item.m_reserved);
        out.Flag(item.m_disabled);
        WriteBody(out, item);
        if (const CSceneItem* resource = ResourceOf(item)) {
            users[resource].push_back(static_cast<std::uint32_t>(i));
        }
    }
    for (const auto& item : items) {
        if (item->m_kind != kindPicture && item->m_kind != kindMedia) {
            continue;
        }
        const std::vector<std::uint32_t>& list = users[item.get()];
        out.I32(static_cast<std::int32_t>(list.size()));
        for (std::uint32_t index : list) {
            out.U32(index);
        }
    }
    return std::move(out.bytes);
}
