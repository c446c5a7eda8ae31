#include "ItemFields.h"

#include "scene/DrawItems.h"
#include "scene/FlowItems.h"
#include "scene/MediaActions.h"
#include "scene/MediaItem.h"
#include "scene/NoteItems.h"
#include "scene/PictureActions.h"
#include "scene/PictureItem.h"

const std::array<const char*, SCENE_ITEM_KIND_COUNT> KIND_NAMES = {
    "picture",  "show", "move",  "hide", "pause", "background", "loop-start",
    "loop-end", "line", "media", "play", "stop",  "remark",     "link"};

namespace {

const EnumNames CONTENT_NAMES = {{contentImage, "image"}, {contentText, "text"}};
const EnumNames SOURCE_NAMES = {
    {sourceEmbedded, "embedded"}, {sourceDesktop, "desktop"}, {sourceWallpaper, "wallpaper"}};
const EnumNames MEDIA_NAMES = {{mediaWave, "wave"}, {mediaVideo, "video"}, {mediaMp3, "mp3"}};

void VisitPlacement(CPlacement& p, FieldVisitor& v) {
    v.Nested("placement", [&p](FieldVisitor& f) {
        f.Point("start", p.m_start);
        f.Point("end", p.m_end);
        f.Point("step", p.m_step);
        f.Point("endBound", p.m_endBound);
        f.Modes("modes", p.m_mode);
        f.U32("xEndTest", p.m_xEndTest);
        f.U32("yEndTest", p.m_yEndTest);
        f.Flag("bothTests", p.m_bothTests);
        f.Flag("freeMotion", p.m_freeMotion);
        f.U32("motionSpeed", p.m_motionSpeed);
        f.U32("typewriterDelay", p.m_typewriterDelay);
        f.Flag("horizontal", p.m_horizontal);
        f.Flag("typewriter", p.m_typewriter);
        f.Flag("restoreFromBackdrop", p.m_restoreFromBackdrop);
        f.Flag("keepBackground", p.m_keepBackground);
        f.U32("effect", p.m_effect);
        f.U32("effectSpeed", p.m_effectSpeed);
    });
}

void VisitColor(CColorSpec& c, FieldVisitor& v) {
    v.Nested("color", [&c](FieldVisitor& f) {
        f.Color("color", c.m_color);
        f.U32("rasterOperation", c.m_rasterOperation);
        f.Flag("random", c.m_random);
        f.Flag("useScreenColor", c.m_useScreenColor);
    });
}

void VisitFont(LOGFONTA& font, FieldVisitor& v) {
    v.Nested("font", [&font](FieldVisitor& f) {
        f.I32("height", font.lfHeight);
        f.I32("width", font.lfWidth);
        f.I32("escapement", font.lfEscapement);
        f.I32("orientation", font.lfOrientation);
        f.I32("weight", font.lfWeight);
        f.Byte("italic", font.lfItalic);
        f.Byte("underline", font.lfUnderline);
        f.Byte("strikeOut", font.lfStrikeOut);
        f.Byte("charSet", font.lfCharSet);
        f.Byte("outPrecision", font.lfOutPrecision);
        f.Byte("clipPrecision", font.lfClipPrecision);
        f.Byte("quality", font.lfQuality);
        f.Byte("pitchAndFamily", font.lfPitchAndFamily);
        f.Face("face", font);
    });
}

void VisitPicture(CPictureItem& picture, FieldVisitor& v) {
    v.Enum("content", picture.m_contentKind, CONTENT_NAMES);
    v.Flag("opaque", picture.m_opaque);
    v.Enum("source", picture.m_source, SOURCE_NAMES);
    if (picture.IsText()) {
        v.Color("textColor", picture.m_textColor);
        v.Color("backgroundColor", picture.m_backgroundColor);
        v.Text("text", picture.m_text);
        VisitFont(picture.m_font, v);
    } else {
        v.Text("name", picture.m_fileName);
    }
}

} // namespace

void VisitItemFields(CSceneItem& item, FieldVisitor& v) {
    v.Text("label", item.m_label.m_text);
    v.U32("reserved", item.m_reserved);
    v.Flag("disabled", item.m_disabled);
    if (auto* picture = dynamic_cast<CPictureItem*>(&item)) {
        VisitPicture(*picture, v);
    } else if (auto* action = dynamic_cast<CPictureActionItem*>(&item)) {
        VisitPlacement(action->m_placement, v);
        VisitColor(action->m_color, v);
    } else if (auto* pause = dynamic_cast<CPauseItem*>(&item)) {
        v.U32("milliseconds", pause->m_duration.m_milliseconds);
        v.Flag("random", pause->m_duration.m_random);
    } else if (auto* background = dynamic_cast<CBackgroundItem*>(&item)) {
        VisitColor(background->m_color, v);
    } else if (auto* loopEnd = dynamic_cast<CLoopEndItem*>(&item)) {
        v.U32("repeat", loopEnd->m_repeat.m_repeatCount);
        v.Flag("forever", loopEnd->m_repeat.m_forever);
    } else if (auto* line = dynamic_cast<CLineItem*>(&item)) {
        VisitPlacement(line->m_placement, v);
        VisitColor(line->m_color, v);
        v.U32("penStyle", line->m_penStyle);
        v.U32("penWidth", line->m_penWidth);
    } else if (auto* media = dynamic_cast<CMediaItem*>(&item)) {
        v.Enum("type", media->m_mediaType, MEDIA_NAMES);
        v.Text("name", media->m_fileName);
    } else if (auto* play = dynamic_cast<CPlayMediaItem*>(&item)) {
        v.U32("repeat", play->m_play.m_repeatCount);
        v.Flag("forever", play->m_play.m_forever);
        v.Flag("wait", play->m_play.m_wait);
        v.Flag("loop", play->m_play.m_loop);
        v.Point("videoPosition", play->m_play.m_videoPosition);
    } else if (auto* remark = dynamic_cast<CRemarkItem*>(&item)) {
        v.Text("text", remark->m_text);
    } else if (auto* link = dynamic_cast<CLinkItem*>(&item)) {
        v.Flag("clear", link->m_clear);
        v.I32("triggerKey", link->m_triggerKey);
        v.Text("link", link->m_link);
    }
}
