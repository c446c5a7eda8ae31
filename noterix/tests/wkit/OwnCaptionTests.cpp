// A window that draws its own caption strip, as the note windows do, on the
// offscreen platform.

#include "WkitTestSupport.h"

#include "wkit/GC.h"
#include "wkit/qt/Qt_WindowImp.h"

#include <QApplication>
#include <QImage>
#include <QTest>

namespace {

using wkit::Rect;

constexpr wkit::ControlTemplate noteControls[] = {
    {wkit::ControlKind::Edit, 1030, "", 0, 0, 90, 40, wkit::MultiLine},
};
constexpr wkit::DialogTemplate noteTemplate = wkit::MakeDialogTemplate(
    960, "Noterix", "Verdana", 8, 90, 40, wkit::SizingBorder | wkit::ToolWindow | wkit::OwnCaption,
    noteControls);

// Claims a button of its own left of the close box, as the note window's
// minimise button, and paints it red.
class CaptionDialog : public wkit::Dialog {
public:
    CaptionDialog() : Dialog(960, nullptr) {}
    Rect Minimise() const {
        const Rect window = GetWindowRect();
        return Rect::FromSize(window.Width() - 50, 6, 12, 12);
    }
    std::int32_t OnNonClientHitTest(wkit::Point point, std::int32_t hit) override {
        return Minimise().Contains(point) ? wkit::HitMinimiseButton : hit;
    }
    bool OnNonClientMouse(wkit::NonClientEvent event, std::uint32_t, wkit::Point,
                          std::int32_t hit) override {
        if (event == wkit::NonClientEvent::LeftDown || event == wkit::NonClientEvent::LeftUp) {
            hits.push_back(hit);
        }
        return hit == wkit::HitMinimiseButton;
    }
    bool OnNonClientPaint() override {
        wkit::RedrawGC gc(*this);
        gc.SetBrushColour(plat::Colour::Red);
        gc.DrawRectangle(Minimise(), 1);
        return true;
    }
    bool OnCancel() override {
        cancelled = true;
        return Dialog::OnCancel();
    }
    std::vector<std::int32_t> hits;
    bool cancelled = false;
};

class OwnCaption : public ::testing::Test {
protected:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "tests";
        static char* argv[] = {name, nullptr};
        if (qApp == nullptr) {
            new QApplication(argc, argv);
        }
        imp = std::make_unique<ImpHolder>();
        wkit::TemplateRegistry::Add(&noteTemplate);
    }
    // The Qt back-end made current without a whole application.
    struct ImpHolder {
        ImpHolder() : app() {
            app.CreateImp();
            app.Imp()->Initialise(app);
        }
        wkit::Application app;
    };
    std::unique_ptr<ImpHolder> imp;
};

TEST_F(OwnCaption, TheCaptionStripIsOutsideTheClientAreaAndItsPartsAnswerTheMouse) {
    CaptionDialog dialog;
    ASSERT_TRUE(dialog.Create(true));
    auto& back = static_cast<wkit::Qt_WindowImp&>(*dialog.Imp());
    QWidget* frame = back.Widget();
    QWidget* client = back.ClientWidget();
    ASSERT_NE(frame, client);
    EXPECT_FALSE(client->isWindow());
    EXPECT_TRUE(client->isVisible());

    const Rect clientRect = dialog.GetClientRect();
    EXPECT_EQ(frame->height(), clientRect.Height() + 2 * back.Border() + back.CaptionHeight());
    EXPECT_EQ(client->y(), back.Border() + back.CaptionHeight());
    // The edit box lives in the client area, at its template place.
    EXPECT_EQ(dialog.GetControlRect(1030).top, 0);

    // The window's own button takes its clicks; the caption is the back-end's.
    const Rect minimise = dialog.Minimise();
    QTest::mouseClick(frame, Qt::LeftButton, {}, QPoint(minimise.left + 3, minimise.top + 3));
    QTest::mouseClick(frame, Qt::LeftButton, {}, QPoint(20, back.Border() + 3));
    EXPECT_EQ(dialog.hits, (std::vector<std::int32_t>{wkit::HitMinimiseButton,
                                                      wkit::HitMinimiseButton, wkit::HitCaption}));

    // Painted: the strip differs from the client, and the window's addition is there.
    const QImage picture = frame->grab().toImage();
    EXPECT_EQ(picture.pixelColor(minimise.left + 5, minimise.top + 5), QColor(255, 0, 0));
    EXPECT_TRUE(dialog.Exists());

    // The close box closes, which cancels the dialog.
    const Rect close = back.CloseBox();
    QTest::mouseClick(frame, Qt::LeftButton, {}, QPoint(close.left + 3, close.top + 3));
    EXPECT_TRUE(dialog.cancelled);
    EXPECT_FALSE(dialog.Exists());
}

TEST_F(OwnCaption, BordersSizeTheWindowAndTheClientFollows) {
    CaptionDialog dialog;
    ASSERT_TRUE(dialog.Create(true));
    auto& back = static_cast<wkit::Qt_WindowImp&>(*dialog.Imp());
    QWidget* frame = back.Widget();
    const QSize before = frame->size();
    const wkit::Point corner{frame->width() - 1, frame->height() - 1};
    EXPECT_EQ(back.DefaultHitTest(corner), wkit::HitBottomRight);
    EXPECT_EQ(back.DefaultHitTest(wkit::Point{frame->width() / 2, 0}), wkit::HitTop);
    EXPECT_EQ(back.DefaultHitTest(wkit::Point{frame->width() / 2, frame->height() / 2}),
              wkit::HitClient);
    // Drag the bottom-right corner by (30, 20): without a window manager to do
    // it, the back-end sizes the window itself.
    const QPoint start(corner.x, corner.y);
    QTest::mousePress(frame, Qt::LeftButton, {}, start);
    QMouseEvent move(QEvent::MouseMove, QPointF(start + QPoint(30, 20)),
                     QPointF(frame->mapToGlobal(start + QPoint(30, 20))), Qt::NoButton,
                     Qt::LeftButton, {});
    QApplication::sendEvent(frame, &move);
    QTest::mouseRelease(frame, Qt::LeftButton, {}, start + QPoint(30, 20));
    EXPECT_EQ(frame->size(), before + QSize(30, 20));
    EXPECT_EQ(dialog.GetClientRect().Width(), before.width() - 2 * back.Border() + 30);
    dialog.Destroy();
}

} // namespace
