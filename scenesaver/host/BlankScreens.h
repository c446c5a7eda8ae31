#pragma once

#include <QWidget>

#include <memory>
#include <vector>

class CSaverWnd;
class QScreen;

// A black window over a screen the scene does not play on. Nothing of the
// desktop may show on any screen while the saver runs, and input there must
// end the saver as it would on the scene's screen, so every event is handed
// to the saver window.
class CBlankScreenWnd : public QWidget {
public:
    CBlankScreenWnd(QScreen& screen, CSaverWnd& saver);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    CSaverWnd& saver;
};

// Covers every screen but the scene's own, and shows the covers.
std::vector<std::unique_ptr<CBlankScreenWnd>> CoverOtherScreens(const QScreen& sceneScreen,
                                                                CSaverWnd& saver);
