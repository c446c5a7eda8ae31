#pragma once

#include "platform/DeviceContext.h"
#include "platform/ScreenBuffer.h"
#include "scene/PictureActions.h"
#include "scene/PictureItem.h"
#include "scene/Scene.h"
#include "scene/SceneThread.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

// A window without a display: the scene thread draws on its back buffer, and
// the window records what the thread asked of it.
class RecordingWindow : public CSceneWindow {
public:
    explicit RecordingWindow(QSize size = QSize(320, 240)) {
        screen.Resize(size, qRgb(1, 2, 3));
        screen.TakeDirty();
        screen.SetPresenter([this] { ++presentations; });
    }

    CScreenBuffer& Screen() override { return screen; }
    void SetBackgroundColor(std::uint32_t colour, std::uint32_t /*rasterOperation*/) override {
        background = colour;
        backgrounds.push_back(colour);
        screen.Fill(ColorRefToRgb(colour));
    }
    std::uint32_t BackgroundColor() const override { return background; }
    bool IsMuted() const override { return false; }
    void SetLink(const std::string& text, std::int32_t key) override {
        link = text;
        triggerKey = key;
    }
    void ClearLink() override { SetLink({}, -1); }

    QRgb Pixel(int x, int y) {
        auto lock = screen.Lock();
        return screen.Image().pixel(x, y);
    }
    QImage Snapshot() {
        auto lock = screen.Lock();
        return screen.Image().copy();
    }

    CScreenBuffer screen;
    std::atomic<std::uint32_t> background = 0;
    std::vector<std::uint32_t> backgrounds;
    std::atomic<int> presentations = 0;
    std::string link;
    std::int32_t triggerKey = -1;
};

// A scene built in code, played on a recording window.
struct Stage {
    explicit Stage(QSize size = QSize(320, 240), std::uint32_t count = 1'000'000)
        : window(size), calibration(count), thread(&window, &scene, &calibration, false),
          dc(window.Screen()) {}

    template <class Item>
    Item& Add() {
        return static_cast<Item&>(scene.AddItem(std::make_unique<Item>()));
    }

    // A picture of one colour, with a marker pixel at its top left.
    CPictureItem& AddPicture(QSize size, QRgb colour, QRgb marker) {
        auto& picture = Add<CPictureItem>();
        picture.m_bitmap.image = QImage(size, QImage::Format_RGB32);
        picture.m_bitmap.image.fill(colour);
        picture.m_bitmap.image.setPixel(0, 0, marker);
        picture.m_bitmap.dimension = size;
        return picture;
    }

    template <class Action>
    Action& AddAction(CPictureItem& picture, CPoint start, CPoint end) {
        auto& action = Add<Action>();
        action.m_picture = &picture;
        action.m_placement.m_start = start;
        action.m_placement.m_end = end;
        action.m_color.m_useScreenColor = FALSE;
        return action;
    }

    RecordingWindow window;
    CScene scene;
    std::uint32_t calibration;
    CSceneThread thread;
    CDC dc;
};
