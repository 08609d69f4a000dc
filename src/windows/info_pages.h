#pragma once

#include <functional>
#include <memory>

#include "elements/pacing.h"
#include "windows/info_elements.h"

namespace ovant {

class SoundEffects;

// The info window's page operations: each page builds itself up element by
// element and takes itself down in reverse, one tick of the window's own
// clock apart; the help page grows its lines with the animation speed.
// Every operation takes a turn on the one page lane, so a newer operation
// (another page, leaving) stops a running one quietly at its next pause.
class InfoPages {
public:
    // The window's clock: 100 ms per tick, 40 ms while help items come and go.
    static constexpr int kTickMs = 100;
    static constexpr int kHelpTickMs = 40;

    struct Services {
        SoundEffects* sounds = nullptr;
        // Seconds per step of a growing help line, asked each time the help
        // page builds.
        std::function<double()> aniSpeed;
        // Puts pending changes on the screen at once.
        std::function<void()> repaint;
    };

    InfoPages(InfoElements& elements, Services services);
    ~InfoPages();
    InfoPages(const InfoPages&) = delete;
    InfoPages& operator=(const InfoPages&) = delete;

    // The page shown last (None before the first one).
    info::Page current() const { return current_; }
    bool pageVisible(info::Page page) const;
    void setButtonColours(info::Page selected);

    // A page button: refuses the page already shown with "7.wav"; otherwise
    // "1.wav", the current page goes, the new one builds.
    void openPage(info::Page page);
    // The first page, without sound.
    void showFirstPage();
    // Takes the current page down; false when something stopped it first.
    bool takeDown();
    // No operation goes on after its next pause.
    void stopAll();

    const Pacer& pacer() const { return *pacer_; }

private:
    bool showPage(info::Page page, const Turn& turn);
    bool hidePage(info::Page page, const Turn& turn);
    bool showHelp(const Turn& turn);
    bool hideHelp(const Turn& turn);
    bool hideInfos(const Turn& turn);
    bool waitFor(Pacer& pacer, const Turn& turn);
    void hideAllPages();

    InfoElements& e_;
    Services services_;
    // Shared with the running operations, which keep it alive while they
    // wait: the window may go away under a paused operation.
    std::shared_ptr<Pacer> pacer_;
    Lane lane_;
    info::Page current_ = info::Page::None;
};

}  // namespace ovant
