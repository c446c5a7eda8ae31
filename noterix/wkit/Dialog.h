#pragma once

#include "wkit/Window.h"

#include <map>
#include <optional>
#include <vector>

namespace wkit {

class Dialog;

// A control that writes its state to a preference when its dialog's OK is
// pressed.
class IAutoPref {
public:
    virtual ~IAutoPref() = default;
    virtual void Commit() = 0; // slot 0
};

// Anchoring modes: how a control follows the dialog's growth.
enum AnchorMode : std::int32_t {
    AnchorFixed = 0,
    AnchorStretch = 1, // the right or bottom edge follows
    AnchorMove = 2,    // the control moves by the whole growth
    AnchorCentre = 3,  // the control moves by half of it
};

// End codes of the standard buttons.
enum : std::int32_t { IdOK = 1, IdCancel = 2 };

// Notification code of an edit box whose text changed.
constexpr std::int32_t EditChanged = 0x300;

// The id of the size grip a resizable dialog gets.
constexpr std::int32_t SizeGripId = 13042;

// A dialog made from a template, modal or modeless. Controls are attached to
// the template's controls by id during OnInitDialog.
class Dialog : public Window {
public:
    Dialog(std::uint16_t templateId, Window* parent);
    ~Dialog() override;

    virtual bool OnOK();         // slot 30
    virtual bool OnCancel();     // slot 31
    virtual bool OnInitDialog(); // slot 32

    bool GetMinimumSize(std::int32_t& width, std::int32_t& height) override; // slot 13
    bool OnSize(std::int32_t width, std::int32_t height) override;           // slot 14

    // Runs the dialog modally; returns the end code (-1 when it could not be
    // made).
    std::int32_t DoModal();
    // Makes the dialog modeless; shows it after initialisation when asked.
    bool Create(bool show = true);
    void End(std::int32_t code);
    bool IsModal() const { return modal_; }
    std::uint16_t TemplateId() const { return templateId_; }
    const DialogTemplate* Template() const;

    // Controls by id.
    WindowImp* Control(std::int32_t id) const;
    void EnableControl(std::int32_t id, bool enable);
    void ShowControl(std::int32_t id, bool show);
    Rect GetControlRect(std::int32_t id) const;
    void SetControlRect(std::int32_t id, const Rect& rect);
    void CentreControlOn(std::int32_t id, Point centre);
    void SetControlText(std::int32_t id, const plat::String& text);

    void SetAnchor(std::int32_t id, AnchorMode horizontal, AnchorMode vertical);
    void SetAnchor(Window* child, AnchorMode horizontal, AnchorMode vertical);
    void RegisterAutoPref(IAutoPref* control);

    // Control colour records: a control with a colour set shows it until the
    // colour is reset; with neither set, the record goes.
    void SetControlTextColour(std::int32_t id, plat::Colour colour);
    void SetControlBackColour(std::int32_t id, plat::Colour colour);
    void ResetControlTextColour(std::int32_t id);
    void ResetControlBackColour(std::int32_t id);
    bool HasColourRecord(std::int32_t id) const { return colours_.count(id) != 0; }

    // Called by the back-end.
    void InitDialog();
    void ControlClicked(std::int32_t id);
    std::int32_t MinimumWidth() const { return minWidth_; }
    std::int32_t MinimumHeight() const { return minHeight_; }

protected:
    void Layout();
    void AddSizeGrip();

private:
    struct Anchor {
        std::int32_t id;
        Window* child;
        AnchorMode horizontal;
        AnchorMode vertical;
        Rect rect;
    };
    struct ColourRecord {
        std::optional<plat::Colour> text;
        std::optional<plat::Colour> back;
    };
    void ApplyColours(std::int32_t id);
    void AddAnchor(std::int32_t id, Window* child, AnchorMode horizontal, AnchorMode vertical,
                   Rect rect);
    WindowImp* AnchorTarget(const Anchor& anchor) const;

    std::uint16_t templateId_;
    bool modal_ = false;
    std::int32_t minWidth_ = 0;
    std::int32_t minHeight_ = 0;
    std::vector<Anchor> anchors_;
    std::vector<IAutoPref*> autoPrefs_;
    std::map<std::int32_t, ColourRecord> colours_;
};

} // namespace wkit
