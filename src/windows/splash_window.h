#pragma once

#include "console/startup_reporter.h"
#include "elements/element_window.h"

namespace ovant {

class RandomSource;

// The window that covers the screen while the console starts: the console's
// frame, a picture, the version and the growing status lines.
class SplashWindow final : public ElementWindow, public StartupReporter {
    Q_OBJECT
public:
    SplashWindow(Twips twips, const PictureStore* pictures, RandomSource& random, QRect screen);

    // The window's own load routine: colours, numbers, version, placement.
    void load();
    // The first status line, painted at once.
    void setStatus(const QString& text);

    void appendStatus(const QString& text) override;
    void finish() override;

    Element* statusLabel() const { return lblInitInfo_; }

private:
    void build();

    RandomSource& random_;
    QRect screen_;
    Element* picSplashMain_ = nullptr;
    Element* picture1_ = nullptr;
    Element* image1_ = nullptr;
    Element* lblInitInfo_ = nullptr;
    Element* lblProgVer_ = nullptr;
};

}  // namespace ovant
