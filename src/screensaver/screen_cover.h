#pragma once

#include <QWidget>
#include <functional>

#include "platform/twips.h"
#include "screensaver/exit_rule.h"

class QScreen;

namespace ovant {

// A black window over one of the screens the console does not stand on. It
// ends the screen saver the way the console does: on any key, any press of
// a mouse button, or a pointer that moves 20 twips or more (a resting or
// trembling pointer does not count).
class ScreenCover : public QWidget {
    Q_OBJECT
public:
    ScreenCover(QScreen* screen, Twips twips, std::function<void()> exitConsole);

    // Covers the screen, above other windows and off the task list.
    void cover();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void end();

    QScreen* screen_;
    Twips twips_;
    std::function<void()> exitConsole_;
    exitrule::RememberedPointer pointer_;
    bool ended_ = false;
};

}  // namespace ovant
