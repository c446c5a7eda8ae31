#include "wkit/Dialog.h"

#include "wkit/Application.h"

namespace wkit {

namespace {

// Moves one side pair of a rectangle by the growth the mode takes.
void ApplyGrowth(AnchorMode mode, std::int32_t growth, std::int32_t& low, std::int32_t& high) {
    switch (mode) {
    case AnchorStretch:
        high += growth;
        break;
    case AnchorMove:
        low += growth;
        high += growth;
        break;
    case AnchorCentre:
        low += growth / 2;
        high += growth / 2;
        break;
    case AnchorFixed:
        break;
    }
}

} // namespace

Dialog::Dialog(std::uint16_t templateId, Window* parent)
    : Window(parent), templateId_(templateId) {}

Dialog::~Dialog() {
    if (Application* application = Application::Get()) {
        application->RemoveTopLevel(this);
    }
}

const DialogTemplate* Dialog::Template() const {
    return TemplateRegistry::Dialog(templateId_);
}

bool Dialog::OnOK() {
    for (IAutoPref* control : autoPrefs_) {
        control->Commit();
    }
    End(IdOK);
    return true;
}

bool Dialog::OnCancel() {
    End(IdCancel);
    return true;
}

bool Dialog::OnInitDialog() {
    return true;
}

std::int32_t Dialog::DoModal() {
    const DialogTemplate* source = Template();
    EnsureImp();
    if (source == nullptr || Imp() == nullptr) {
        return -1;
    }
    modal_ = true;
    const std::int32_t code = Imp()->RunModal(*source, Parent());
    modal_ = false;
    return code;
}

bool Dialog::Create(bool show) {
    const DialogTemplate* source = Template();
    EnsureImp();
    if (source == nullptr || Imp() == nullptr) {
        return false;
    }
    modal_ = false;
    if (!Imp()->CreateDialog(*source, Parent())) {
        return false;
    }
    if (Parent() == nullptr) {
        if (Application* application = Application::Get()) {
            application->AddTopLevel(this);
        }
    }
    if (show) {
        Show(true);
    }
    return true;
}

void Dialog::End(std::int32_t code) {
    if (Imp() == nullptr) {
        return;
    }
    if (modal_) {
        Imp()->EndDialog(code);
    } else {
        Destroy();
    }
}

void Dialog::InitDialog() {
    anchors_.clear();
    autoPrefs_.clear();
    colours_.clear();
    const Rect client = GetClientRect();
    minWidth_ = client.Width();
    minHeight_ = client.Height();
    OnInitDialog();
    const DialogTemplate* source = Template();
    if (source != nullptr && (source->style & SizingBorder) != 0) {
        AddSizeGrip();
    }
}

void Dialog::AddSizeGrip() {
    // A hidden window hears of its size only when shown: bring the anchored
    // controls to the size OnInitDialog gave it before looking at them.
    Layout();
    ApplicationImp* backend = ApplicationImp::Current();
    const std::int32_t width = backend->GetMetric(ApplicationImp::ScrollBarWidth);
    const std::int32_t height = backend->GetMetric(ApplicationImp::ScrollBarHeight);
    Rect client = GetClientRect();
    Rect grip{client.right - width, client.bottom - height, client.right, client.bottom};
    const DialogTemplate* source = Template();
    bool covered = false;
    std::int32_t lowest = client.top;
    for (std::size_t i = 0; i < source->controlCount; ++i) {
        const Rect rect = GetControlRect(source->controls[i].id);
        covered = covered || Rect::Intersects(rect, grip);
        lowest = std::max(lowest, rect.bottom);
    }
    if (covered && lowest + height + 1 > client.bottom) {
        // A strip below the controls holds the grip, so anchored controls
        // keep their size.
        const std::int32_t grow = lowest + height + 1 - client.bottom;
        minHeight_ += grow;
        Imp()->SetClientSize(client.Width(), client.Height() + grow);
        client = GetClientRect();
        grip = Rect{client.right - width, client.bottom - height, client.right, client.bottom};
    }
    if (WindowImp* created = Imp()->CreateControl(ControlKind::SizeGrip, SizeGripId, "", grip)) {
        created->Lower();
        SetAnchor(SizeGripId, AnchorMove, AnchorMove);
    }
    Imp()->SetMinimumClientSize(minWidth_, minHeight_);
}

void Dialog::ControlClicked(std::int32_t id) {
    if (id == IdOK) {
        OnOK();
    } else if (id == IdCancel) {
        OnCancel();
    } else {
        OnCommand(id);
    }
}

bool Dialog::GetMinimumSize(std::int32_t& width, std::int32_t& height) {
    if (anchors_.empty()) {
        return false;
    }
    width = std::max(width, minWidth_);
    height = std::max(height, minHeight_);
    return true;
}

bool Dialog::OnSize(std::int32_t, std::int32_t) {
    Layout();
    return true;
}

WindowImp* Dialog::AnchorTarget(const Anchor& anchor) const {
    return anchor.child != nullptr ? anchor.child->Imp() : Control(anchor.id);
}

void Dialog::Layout() {
    const Rect client = GetClientRect();
    const std::int32_t dx = client.Width() - minWidth_;
    const std::int32_t dy = client.Height() - minHeight_;
    for (const Anchor& anchor : anchors_) {
        WindowImp* target = AnchorTarget(anchor);
        if (target == nullptr) {
            continue;
        }
        Rect rect = anchor.rect;
        ApplyGrowth(anchor.horizontal, dx, rect.left, rect.right);
        ApplyGrowth(anchor.vertical, dy, rect.top, rect.bottom);
        if (!(target->GetWindowRect() == rect)) {
            target->SetWindowRect(rect);
        }
    }
}

WindowImp* Dialog::Control(std::int32_t id) const {
    return Imp() != nullptr ? Imp()->Control(id) : nullptr;
}

void Dialog::EnableControl(std::int32_t id, bool enable) {
    if (WindowImp* control = Control(id)) {
        control->Enable(enable);
    }
}

void Dialog::ShowControl(std::int32_t id, bool show) {
    if (WindowImp* control = Control(id)) {
        control->Show(show);
    }
}

Rect Dialog::GetControlRect(std::int32_t id) const {
    WindowImp* control = Control(id);
    return control != nullptr ? control->GetWindowRect() : Rect{};
}

void Dialog::SetControlRect(std::int32_t id, const Rect& rect) {
    if (WindowImp* control = Control(id)) {
        control->SetWindowRect(rect);
    }
}

void Dialog::CentreControlOn(std::int32_t id, Point centre) {
    Rect rect = GetControlRect(id);
    rect.Offset(centre.x - rect.Width() / 2 - rect.left, centre.y - rect.Height() / 2 - rect.top);
    SetControlRect(id, rect);
}

void Dialog::SetControlText(std::int32_t id, const plat::String& text) {
    if (WindowImp* control = Control(id)) {
        control->SetText(text);
    }
}

void Dialog::SetAnchor(std::int32_t id, AnchorMode horizontal, AnchorMode vertical) {
    AddAnchor(id, nullptr, horizontal, vertical, GetControlRect(id));
}

void Dialog::SetAnchor(Window* child, AnchorMode horizontal, AnchorMode vertical) {
    if (child != nullptr) {
        AddAnchor(-1, child, horizontal, vertical, child->GetWindowRect());
    }
}

void Dialog::AddAnchor(std::int32_t id, Window* child, AnchorMode horizontal, AnchorMode vertical,
                       Rect rect) {
    // Layout works from the rectangles at the minimum size: take back the
    // growth the dialog already has.
    const Rect client = GetClientRect();
    ApplyGrowth(horizontal, -(client.Width() - minWidth_), rect.left, rect.right);
    ApplyGrowth(vertical, -(client.Height() - minHeight_), rect.top, rect.bottom);
    anchors_.push_back(Anchor{id, child, horizontal, vertical, rect});
    if (Imp() != nullptr) {
        Imp()->SetMinimumClientSize(minWidth_, minHeight_);
    }
}

void Dialog::RegisterAutoPref(IAutoPref* control) {
    autoPrefs_.push_back(control);
}

void Dialog::ApplyColours(std::int32_t id) {
    WindowImp* control = Control(id);
    const auto found = colours_.find(id);
    if (found != colours_.end() && !found->second.text && !found->second.back) {
        colours_.erase(found);
    }
    if (control == nullptr) {
        return;
    }
    const auto record = colours_.find(id);
    if (record == colours_.end()) {
        control->SetColours(std::nullopt, std::nullopt);
    } else {
        control->SetColours(record->second.text, record->second.back);
    }
    control->Invalidate();
}

void Dialog::SetControlTextColour(std::int32_t id, plat::Colour colour) {
    colours_[id].text = colour;
    ApplyColours(id);
}

void Dialog::SetControlBackColour(std::int32_t id, plat::Colour colour) {
    colours_[id].back = colour;
    ApplyColours(id);
}

void Dialog::ResetControlTextColour(std::int32_t id) {
    const auto found = colours_.find(id);
    if (found != colours_.end()) {
        found->second.text.reset();
        ApplyColours(id);
    }
}

void Dialog::ResetControlBackColour(std::int32_t id) {
    const auto found = colours_.find(id);
    if (found != colours_.end()) {
        found->second.back.reset();
        ApplyColours(id);
    }
}

} // namespace wkit
