#pragma once

#include "platform/ScreenBuffer.h"
#include "scene/SceneThread.h"

#include <QPoint>
#include <QWidget>

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

class CAppProfile;

// The window of run mode. It covers the screen while the scene thread draws
// on its back buffer, and decides from the exit settings which input ends
// the saver, asking for the saver password first when the system wants one.
// Embedded in XScreenSaver's window it watches no input at all: the daemon
// decides when the saver ends.
class CSaverWnd : public QWidget, public CSceneWindow {
public:
    enum class Kind { FullScreen, Embedded };

    // exitLink is the application's link to open at program end; the window
    // fills it when the user presses the key that selects the link.
    CSaverWnd(CAppProfile& profile, std::string& exitLink, std::uint32_t& calibrationCount,
              Kind kind = Kind::FullScreen);
    ~CSaverWnd() override;

    // The creation work before the window is shown: hidden cursor, speed
    // calibration (may take a second), mute flag, black back buffer.
    void Create(QSize logicalSize, qreal devicePixelRatio);
    void SetSceneThread(CSceneThread* thread) { sceneThread = thread; }
    // After show(): takes the keyboard and the pointer, as a screen saver must.
    void GrabInput();

    // Input handlers; positions in window coordinates, keys as virtual keys.
    void OnMouseMove(QPoint position);
    void OnButtonDown();
    void OnDoubleClick();
    void OnKeyDown(int virtualKey);
    void OnSysKeyDown(int virtualKey);
    void OnClose(); // a close request: the password check

    // Posts a close request when the exit settings say that this event
    // (a profile value name such as "MouseMove") ends the saver.
    bool ExitRule(const std::string& eventName);

    // Stops the scene thread and ends the message loop.
    void DestroyWindow();
    bool IsDestroyed() const { return destroyed; }
    QPoint MouseAnchor() const { return mouseAnchor; }

    // The password prompt shown on a close request; returns true for OK.
    // Replaceable so that tests can answer it.
    std::function<bool(QWidget* owner, const std::string& storedForm)> passwordPrompt;

    // CSceneWindow, called from the scene thread.
    CScreenBuffer& Screen() override { return screen; }
    void SetBackgroundColor(std::uint32_t colour, std::uint32_t rasterOperation) override;
    bool IsMuted() const override { return mute.load(); }
    void SetLink(const std::string& text, std::int32_t triggerKey) override;
    void ClearLink() override;

    std::uint32_t BackgroundColor() const override { return backgroundColor.load(); }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void PostClose();
    void Present();
    void KeyPressed(int qtKey, Qt::KeyboardModifiers modifiers);
    void ReleaseInput();
    void RetryServerGrab(int attempts);
    bool SelectsLink(int virtualKey);

    CAppProfile& profile;
    std::string& exitLink;
    std::uint32_t& calibrationCount;
    Kind kind;
    CSceneThread* sceneThread = nullptr;
    CScreenBuffer screen;
    qreal pixelRatio = 1.0;

    std::atomic<bool> mute = false;
    QPoint mouseAnchor{-1, -1};
    std::atomic<std::uint32_t> backgroundColor = 0;
    std::atomic<std::uint32_t> rasterOperation = 0x00CC0020; // SRCCOPY
    std::mutex linkMutex;
    std::string linkText;
    std::int32_t triggerKey = -1;

    bool closePending = false;
    bool prompting = false;
    bool destroyed = false;
    bool inputGrabbed = false;
};
