#pragma once

#include <QRect>
#include <QTimer>
#include <functional>
#include <memory>

#include "elements/element_window.h"
#include "windows/info_elements.h"
#include "windows/info_pages.h"

namespace ovant {

class RandomSource;
class SoundEffects;

// The information and help window: the console's look (a column of buttons,
// a frame corner, a bar) around five pages that build themselves up. Opened
// alone it is an ordinary window and leaving it ends the program; opened
// from the console it covers the screen and leaving it returns there.
class InfoWindow final : public ElementWindow {
    Q_OBJECT
public:
    enum class Opening { Alone, FromConsole };

    struct Setup {
        Opening opening = Opening::Alone;
        QRect screen;  // pixels
        SoundEffects* sounds = nullptr;
        RandomSource* random = nullptr;
        // Seconds per step of the help page's growing lines.
        std::function<double()> aniSpeed;
        // Ends the process at once (opened alone).
        std::function<void()> endProgram;
    };

    // The one-shot delay before the about page opens by itself.
    static constexpr int kInitInfoMs = 150;

    InfoWindow(Twips twips, const PictureStore* pictures, Setup setup, QWidget* parent = nullptr);
    ~InfoWindow() override;

    // The load routine: colours, the corner's number, placement, and the
    // about page a moment later. Shows the window.
    void load();

    // The five page buttons and Exit, by their captions' order in the column.
    void command(int columnIndex);
    // Exit (with "1.wav") and Escape (silent): the current page goes, then
    // the window closes.
    void leave(bool withSound);

    const InfoElements& elements() const { return elements_; }
    const InfoPages& pages() const { return *pages_; }
    const QTimer& initInfo() const { return initInfo_; }
    bool finished() const { return finished_; }

Q_SIGNALS:
    // The window has closed; the console goes on.
    void left();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void place();
    void setInfoOVANTBars();
    void finish();

    Setup setup_;
    InfoElements elements_;
    std::unique_ptr<InfoPages> pages_;
    QTimer initInfo_;
    bool leaving_ = false;
    bool finished_ = false;
};

}  // namespace ovant
