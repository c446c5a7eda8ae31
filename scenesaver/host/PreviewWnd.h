#pragma once

#include "host/NameScrollThread.h"
#include "platform/ScreenBuffer.h"

#include <QWidget>

#include <memory>
#include <string>

// The preview: a child of the window whose handle the command line gives,
// black, with bitmap 144 at the left and the application name scrolling
// beside it.
class CPreviewWnd : public QWidget {
public:
    explicit CPreviewWnd(std::string applicationName);
    ~CPreviewWnd() override;

    // Fills the client area and starts the name scroll thread.
    bool Create(QSize clientSize);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Present();

    std::string applicationName;
    CScreenBuffer screen;
    std::unique_ptr<CNameScrollThread> scrollThread;
};
