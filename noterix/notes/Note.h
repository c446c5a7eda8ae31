#pragma once

#include "plat/Colour.h"
#include "plat/Guid.h"
#include "plat/String.h"
#include "plat/Time.h"

#include <cstdint>

// One sticky note.
class Note {
public:
    Note();

    // Fetching the text counts as an access.
    plat::String GetText();
    const plat::String& PeekText() const { return text_; }
    void SetText(const plat::String& text);
    // The text as read from the notes file: the title follows it, but the
    // note is neither stamped as modified nor marked dirty.
    void LoadText(const plat::String& text);
    const plat::String& Title() const { return title_; }

    void SetPosition(std::int32_t x, std::int32_t y);
    // Position from the notes file: placed, but not dirty.
    void LoadPosition(std::int32_t x, std::int32_t y);
    std::int32_t X() const { return x_; }
    std::int32_t Y() const { return y_; }
    bool IsPlaced() const { return placed_; }

    void SetSize(std::int32_t width, std::int32_t height);
    void LoadSize(std::int32_t width, std::int32_t height);
    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }

    // Every colour a note takes passes through the 20 percent tint.
    void SetColour(const plat::Colour& colour);
    void LoadColour(const plat::Colour& colour);
    const plat::Colour& GetColour() const { return colour_; }

    void SetCreated(plat::Time time) { created_ = time; }
    void SetModified(plat::Time time) { modified_ = time; }
    void SetAccessed(plat::Time time) { accessed_ = time; }
    plat::Time Created() const { return created_; }
    plat::Time Modified() const { return modified_; }
    plat::Time Accessed() const { return accessed_; }

    void SetVisible(bool visible) { visible_ = visible; }
    void SetFolded(bool folded) { folded_ = folded; }
    bool IsVisible() const { return visible_; }
    bool IsFolded() const { return folded_; }

    bool IsDirty() const { return dirty_; }
    void ClearDirty() { dirty_ = false; }

    // Creates an identifier first when the note has none; false when it
    // still has none.
    bool GetGuid(plat::Guid& out);
    const plat::Guid& PeekGuid() const { return guid_; }
    void SetGuid(const plat::Guid& guid);

    // The note's label in the tray menus.
    plat::String MenuTitle() const;

    static constexpr int TintPercentage = 20;

private:
    void TakeTitleFrom(const plat::String& text);

    plat::String title_;
    plat::String text_;
    plat::Time created_;
    plat::Time accessed_;
    plat::Time modified_;
    std::int32_t x_ = 0;
    std::int32_t y_ = 0;
    bool placed_ = false;
    std::int32_t width_ = 160;
    std::int32_t height_ = 100;
    plat::Colour colour_;
    bool dirty_ = true;
    bool visible_ = false;
    bool folded_ = false;
    plat::Guid guid_;
};
