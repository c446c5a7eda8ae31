#pragma once

#include <QObject>
#include <QTimer>

namespace wkit {

// A blinking caret wakes the program twice a second for as long as a note has
// the focus, even when nobody is typing. Like the other desktop toolkits, the
// caret stops blinking (and stays shown) once the keyboard and mouse have been
// left alone for a while, and blinks again at the next input.
class Qt_CaretRest : public QObject {
public:
    static constexpr int RestMilliseconds = 10000;

    Qt_CaretRest();
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool Resting() const { return resting_; }

private:
    void Rest();
    void Wake();

    QTimer timer_;
    bool resting_ = false;
    int flashTime_ = 0;
};

} // namespace wkit
