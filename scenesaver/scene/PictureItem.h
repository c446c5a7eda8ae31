#pragma once

#include "picture/PictureLoad.h"
#include "platform/Bitmap.h"
#include "scene/ColorSpec.h"
#include "scene/EmbeddedBytes.h"
#include "scene/ItemSpecs.h"
#include "scene/LogFont.h"
#include "scene/Placement.h"
#include "scene/SceneItem.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <cstdint>
#include <string>
#include <vector>

// Where an image picture comes from.
enum PictureSource : std::uint32_t {
    sourceEmbedded = 1,
    sourceDesktop = 2,   // the snapshot of the desktop taken at start
    sourceWallpaper = 3, // the user's wallpaper as shown on screen
};

enum PictureContent : std::uint32_t {
    contentImage = 0,
    contentText = 1, // any other value is an image
};

// The colours a new text picture starts with: the classic window text and
// window colours.
inline constexpr COLORREF DEFAULT_TEXT_COLOR = RGB(0, 0, 0);
inline constexpr COLORREF DEFAULT_TEXT_BACKGROUND = RGB(255, 255, 255);

// A picture resource: an embedded image file or a text rendered to a bitmap.
// The colour of window backgrounds: a text picture without an opaque
// background has it wherever there is no ink, and transparent drawing leaves
// exactly the pixels of this colour out.
inline constexpr COLORREF KEY_COLOR = RGB(255, 255, 255);

class CDC;

class CPictureItem : public CSceneItem {
public:
    CPictureItem() : CSceneItem(kindPicture) {}

    // stored
    std::uint32_t m_contentKind = contentImage;
    BOOL m_opaque = TRUE;
    std::uint32_t m_source = sourceEmbedded;
    COLORREF m_textColor = DEFAULT_TEXT_COLOR;
    COLORREF m_backgroundColor = DEFAULT_TEXT_BACKGROUND;
    std::string m_text;
    LOGFONTA m_font = DefaultPictureFont();
    std::string m_fileName;
    CEmbeddedBytes m_imageBytes; // valid for the life of the scene
    std::vector<CItemRef> m_users;

    // run-time state
    CBitmap m_bitmap; // the decoded picture; its dimension is the picture size
    // The embedded picture's pixels are decoded when it is shown and given
    // back when the scene no longer holds them; its size is known from the
    // check at preparation.
    bool m_pixelsOnDemand = false;
    QImage m_icon; // set when the picture is an icon; null otherwise
    bool m_shown = false;
    CPlacement m_lastPlacement; // of the last show or move
    CColorSpec m_lastColor;
    CBitmap m_savedBackground; // the screen under the picture, for a later hide
    CPlacement m_savedPlacement;
    QPoint m_savedAt;   // where the saved background was taken
    CBitmap m_backdrop; // the screen copy a restoring move draws from

    void CopyFrom(const CSceneItem& other) override;
    bool Read(CArchive& ar) override;
    bool Prepare() override;
    bool Run(CDC& dc, int& index, CSceneThread& thread) override;
    std::unique_ptr<CSceneItem> Clone() const override;
    void AddUser(CSceneItem& user) override;

    bool IsText() const { return m_contentKind == contentText; }
    bool IsShown() const { return m_shown; }
    // The picture's size in pixels; 0 by 0 when there is none.
    QSize GetSize() const { return m_bitmap.dimension; }

    // Decodes a picture file into m_bitmap (and m_icon for icons). Non-zero
    // on success.
    int LoadPictureFile(const std::string& path);
    // Makes sure the pixels are there for drawing (decoding them when they
    // were given back) and tells the scene they are in use. False when they
    // cannot be made; the decoder's message has been shown.
    bool HoldPixels();
    // Gives back pixels that can be decoded again; the size stays.
    void ReleasePixels();

    // Shows the picture with its last placement and colour: a display mode
    // or a transition. A target rectangle (from a move step) overrides where
    // it lands. Always true.
    bool Show(CDC& dc, CSceneThread& thread, const QRect* target = nullptr);
    // Paints the picture's last area (the whole screen after a display mode
    // or effect other than 0) with the window's background colour.
    void Erase(CDC& dc, CSceneThread& thread);
    // Draws the picture at the working placement's position, composing the
    // vacated and the new area off screen when they overlap.
    void MoveStep(CDC& dc, CSceneThread& thread, const CPlacement& working);
    // Renders the text (the picture's own when empty) into the bitmap.
    bool Render(const std::string& text);
    // One typewriter step from character position, which moves past line
    // breaks; true while characters remain after it.
    bool ShowNextCharacter(CDC& dc, CSceneThread& thread, std::size_t& position);

private:
    bool ReadHead(CArchive& ar);
    bool ReloadDesktopSource(CSceneThread& thread);
    QRgb BackgroundColor(CSceneThread& thread) const;
    bool PrepareImage();
    PictureBytes EmbeddedPicture() const;
};
