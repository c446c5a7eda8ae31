// The drawing context's own rules, over a back-end that records what reaches it.

#include "wkit/GC.h"
#include "wkit/Menu.h"
#include "wkit/qt/Qt_ApplicationImp.h"

#include <QApplication>
#include <QMenu>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

using wkit::Rect;

// Each wrapped line is 10 pixels high and every text wraps into three lines.
class RecordingGC : public wkit::GCImp {
public:
    struct Drawn {
        Rect rect;
        std::uint32_t flags;
    };
    std::vector<Drawn> texts;
    std::vector<std::pair<Rect, std::int32_t>> rectangles;
    wkit::DrawState lastState;

    bool CanDraw() const override { return true; }
    Rect Bounds() const override { return Rect{0, 0, 100, 50}; }
    void Line(wkit::Point, wkit::Point, const wkit::DrawState& state) override {
        lastState = state;
    }
    void Rectangle(const Rect& rect, std::int32_t mode, const wkit::DrawState&) override {
        rectangles.emplace_back(rect, mode);
    }
    void Ellipse(const Rect&, std::int32_t, const wkit::DrawState&) override {}
    void Text(const plat::String&, const Rect& rect, std::uint32_t flags,
              const wkit::DrawState& state) override {
        texts.push_back(Drawn{rect, flags});
        lastState = state;
    }
    void TextAt(const plat::String&, wkit::Point, const wkit::DrawState&) override {}
    Rect Measure(const plat::String&, const Rect& rect, std::uint32_t flags,
                 const wkit::DrawState&) override {
        const std::int32_t lines = (flags & wkit::TextWordBreak) != 0 ? 3 : 1;
        return Rect{rect.left, rect.top, rect.left + 40, rect.top + 10 * lines};
    }
    std::int32_t TextWidth(const plat::String&, const wkit::DrawState&) override { return 0; }
    void Edge(const Rect&, std::uint32_t) override {}
    void FocusRect(const Rect&) override {}
    void ApplicationIcon(wkit::Point) override {}
    void Caption(const Rect&, const plat::String&, bool) override {}
    void CaptionButtonGlyph(const Rect&, wkit::CaptionButton, wkit::ButtonState) override {}
    void SizeGrip(const Rect&) override {}
    void Frame(const Rect&, bool) override {}
};

struct Context {
    RecordingGC* imp;
    wkit::GC gc;
    Context() : imp(new RecordingGC), gc(std::unique_ptr<wkit::GCImp>(imp)) {}
};

TEST(Drawing, ANewContextsStateAndTheRectangleModes) {
    Context c;
    c.gc.DrawTextAt("x", 0, 0);
    c.gc.LineTo(5, 5);
    const wkit::DrawState& state = c.imp->lastState;
    EXPECT_EQ(state.penWidth, 1);
    EXPECT_EQ(state.penColour, plat::Colour::Black);
    EXPECT_EQ(state.brushColour, plat::Colour::White);
    EXPECT_EQ(state.textColour, plat::Colour::Black);
    EXPECT_EQ(state.backgroundMode, 1);

    for (std::int32_t mode : {0, 1, 2, 3, 5, -1}) {
        c.gc.DrawRectangle(Rect{0, 0, 10, 10}, mode);
    }
    std::vector<std::int32_t> modes;
    for (const auto& drawn : c.imp->rectangles) {
        modes.push_back(drawn.second);
    }
    // Mode 3 is the outline and then the fill; 5 and -1 draw nothing.
    EXPECT_EQ(modes, (std::vector<std::int32_t>{0, 1, 2, 0, 1}));
}

TEST(Drawing, TheOriginShiftsWhatGoesInAndWhatComesOut) {
    Context c;
    c.gc.SetOrigin(10, 20);
    c.gc.DrawRectangle(Rect{10, 20, 30, 40}, 1);
    EXPECT_EQ(c.imp->rectangles.back().first, (Rect{0, 0, 20, 20}));
    EXPECT_EQ(c.gc.GetBounds(), (Rect{10, 20, 110, 70}));
}

TEST(Drawing, WrappedTextCentredVerticallyIsCentredAsABlock) {
    Context c;
    const std::uint32_t centred = wkit::TextCentre | wkit::TextVCentre | wkit::TextWordBreak;
    c.gc.DrawText("three wrapped lines", Rect{0, 0, 60, 51}, centred); // 30 high in 51: 10 above
    c.gc.DrawText("three wrapped lines", Rect{0, 0, 60, 20}, centred); // taller than the room
    c.gc.DrawText("one & line", Rect{0, 0, 60, 40}, wkit::TextVCentre);
    ASSERT_EQ(c.imp->texts.size(), 3u);
    EXPECT_EQ(c.imp->texts[0].rect, (Rect{0, 10, 60, 40})); // 10 above, 11 below
    EXPECT_EQ(c.imp->texts[1].rect, (Rect{0, 0, 60, 30}));
    EXPECT_EQ(c.imp->texts[2].rect, (Rect{0, 0, 60, 40}));
    EXPECT_NE(c.imp->texts[2].flags & wkit::TextSingleLine, 0u);
    for (const auto& drawn : c.imp->texts) {
        EXPECT_NE(drawn.flags & wkit::TextNoPrefix, 0u); // ampersands drawn as they are
    }
    Rect measured{5, 5, 65, 6};
    EXPECT_EQ(c.gc.MeasureText("wrapped", wkit::TextWordBreak, measured), 35);
    EXPECT_EQ(measured, (Rect{5, 5, 65, 35})); // the wrapping width stays
}

TEST(Drawing, RectangleSetOperations) {
    Rect out;
    EXPECT_TRUE(Rect::Intersect(Rect{0, 0, 10, 10}, Rect{5, 5, 20, 20}, out));
    EXPECT_EQ(out, (Rect{5, 5, 10, 10}));
    // Edges that only touch do not intersect: right and bottom lie outside.
    EXPECT_FALSE(Rect::Intersect(Rect{0, 0, 10, 10}, Rect{10, 0, 20, 10}, out));
    EXPECT_EQ(out, Rect{});
    EXPECT_EQ(Rect::Union(Rect{0, 5, 10, 10}, Rect{-3, 0, 4, 4}), (Rect{-3, 0, 10, 10}));
}

TEST(IconMenu, TheToolkitMenuShowsLiteralTextsChecksTheDefaultAndSubmenus) {
    static int argc = 1;
    static char name[] = "tests";
    static char* argv[] = {name, nullptr};
    if (qApp == nullptr) {
        new QApplication(argc, argv);
    }
    wkit::Qt_ApplicationImp backend(argc, argv);
    wkit::Menu menu;
    menu.Append("Create &new note...", 2000);
    menu.AppendSeparator();
    auto notes = std::make_shared<wkit::Menu>();
    notes->Append("Tom & Jerry", 43000, true, true);
    menu.AppendSubmenu("Show", notes);
    menu.Append("E&xit", 101);
    menu.SetDefaultItem(2000);

    QStringList seen;
    bool bold = false, checked = false;
    QTimer::singleShot(200, [&] {
        auto* shown = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (shown == nullptr) {
            return;
        }
        for (QAction* action : shown->actions()) {
            seen << (action->isSeparator() ? QStringLiteral("-") : action->text());
            bold = bold || (action->data().toInt() == 2000 && action->font().bold());
            if (action->menu() != nullptr) {
                for (QAction* inner : action->menu()->actions()) {
                    seen << inner->text();
                    checked = inner->isChecked();
                }
            }
        }
        shown->close();
    });
    EXPECT_EQ(backend.TrackMenuAt(menu, wkit::Point{400, 400}), 0); // closed without a choice
    EXPECT_EQ(seen, (QStringList{"Create &new note...", "-", "Show", "Tom && Jerry", "E&xit"}));
    EXPECT_TRUE(bold);
    EXPECT_TRUE(checked);
}

} // namespace
