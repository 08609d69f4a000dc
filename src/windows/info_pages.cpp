#include "windows/info_pages.h"

#include <algorithm>

#include "console/palette.h"
#include "platform/sound/sound_effects.h"

namespace ovant {

namespace {

using info::Page;

constexpr Page kPages[] = {Page::About, Page::Concept, Page::Credits, Page::Copyrights, Page::Help};

double lengthOf(const Element& line, bool vertical) {
    return vertical ? line.height() : line.width();
}

void setLength(Element& line, bool vertical, double length) {
    if (vertical) {
        line.setHeight(length);
    } else {
        line.setWidth(length);
    }
}

}  // namespace

InfoPages::InfoPages(InfoElements& elements, Services services)
    : e_(elements),
      services_(std::move(services)),
      pacer_(std::make_shared<Pacer>(kTickMs)),
      lane_(*pacer_) {}

InfoPages::~InfoPages() {
    // A paused operation keeps the clock alive; it wakes once more and then
    // finds its turn gone.
    pacer_->endAllTurns();
}

bool InfoPages::pageVisible(Page page) const {
    const Element* p = e_.page(page).page;
    return p != nullptr && p->visible();
}

void InfoPages::setButtonColours(Page selected) {
    for (std::size_t i = 0; i < info::kColumn.size(); ++i) {
        const info::ColumnButton& b = info::kColumn[i];
        // Exit and Help are salmon, the four other page buttons orange.
        const bool salmon = b.opens == Page::None || b.opens == Page::Help;
        QColor colour = salmon ? palette::kSalmon : palette::kOrange;
        if (b.opens == selected && selected != Page::None) {
            colour = palette::kPeach;
        }
        e_.buttons[i]->setBackColor(colour);
    }
}

void InfoPages::openPage(Page page) {
    SoundEffects& sounds = *services_.sounds;
    if (pageVisible(page)) {
        sounds.playSound(QStringLiteral("7.wav"));
        return;
    }
    sounds.playSound(QStringLiteral("1.wav"));
    setButtonColours(page);
    const auto keep = pacer_;
    const Turn turn = lane_.take();
    if (!hideInfos(turn)) {
        return;
    }
    showPage(page, turn);
}

void InfoPages::showFirstPage() {
    const auto keep = pacer_;
    showPage(Page::About, lane_.take());
}

bool InfoPages::takeDown() {
    const auto keep = pacer_;
    return hideInfos(lane_.take());
}

void InfoPages::stopAll() {
    pacer_->endAllTurns();
}

bool InfoPages::waitFor(Pacer& pacer, const Turn& turn) {
    return pacer.aniWait(turn);
}

void InfoPages::hideAllPages() {
    for (Page p : kPages) {
        e_.page(p).page->hide();
    }
}

bool InfoPages::hideInfos(const Turn& turn) {
    switch (current_) {
        case Page::None:
            return turn.stands();
        case Page::Help:
            return hideHelp(turn);
        default:
            return hidePage(current_, turn);
    }
}

bool InfoPages::showPage(Page page, const Turn& turn) {
    if (page == Page::Help) {
        return showHelp(turn);
    }
    if (!turn.stands()) {
        return false;
    }
    const std::shared_ptr<Pacer> pacer = pacer_;
    current_ = page;
    InfoPageElements& p = e_.page(page);
    hideAllPages();
    for (Element* step : p.steps) {
        step->hide();
    }
    p.page->show();
    for (Element* step : p.steps) {
        if (!waitFor(*pacer, turn)) {
            return false;
        }
        step->show();
    }
    return true;
}

bool InfoPages::hidePage(Page page, const Turn& turn) {
    if (!turn.stands()) {
        return false;
    }
    const std::shared_ptr<Pacer> pacer = pacer_;
    InfoPageElements& p = e_.page(page);
    for (auto it = p.steps.rbegin(); it != p.steps.rend(); ++it) {
        (*it)->hide();
        if (!waitFor(*pacer, turn)) {
            return false;
        }
    }
    p.page->hide();
    return true;
}

bool InfoPages::showHelp(const Turn& turn) {
    if (!turn.stands()) {
        return false;
    }
    const std::shared_ptr<Pacer> pacer = pacer_;
    const double aniSpeed = services_.aniSpeed ? services_.aniSpeed() : 0.005;
    SoundEffects& sounds = *services_.sounds;
    current_ = Page::Help;
    hideAllPages();
    e_.lblHelp1->hide();
    e_.picHelpInt->hide();
    for (const HelpItemElements& h : e_.help) {
        h.dot->hide();
        h.label->hide();
        for (Element* line : h.lines) {
            if (line != nullptr) {
                line->hide();
            }
        }
    }
    e_.page(Page::Help).page->show();
    if (!waitFor(*pacer, turn)) {
        return false;
    }
    e_.lblHelp1->show();
    if (!waitFor(*pacer, turn)) {
        return false;
    }
    e_.picHelpInt->show();
    pacer->timer1().setInterval(kHelpTickMs);
    services_.repaint();

    for (const HelpItemElements& h : e_.help) {
        for (std::size_t l = 0; l < h.lines.size(); ++l) {
            if (h.lines[l] != nullptr) {
                setLength(*h.lines[l], h.design->lines[l].vertical, 0);
            }
        }
    }
    sounds.playSound(QStringLiteral("8.wav"));

    for (const HelpItemElements& h : e_.help) {
        for (std::size_t l = 0; l < h.lines.size(); ++l) {
            Element* line = h.lines[l];
            if (line == nullptr) {
                continue;
            }
            const info::HelpLine& designed = h.design->lines[l];
            line->show();
            while (lengthOf(*line, designed.vertical) < designed.length) {
                // Never past its end: the last step stops on the designed length.
                setLength(*line, designed.vertical,
                          std::min(designed.length,
                                   lengthOf(*line, designed.vertical) + info::kHelpLineStep));
                services_.repaint();
                if (!pacer->pause(aniSpeed, turn)) {
                    return false;
                }
            }
            setLength(*line, designed.vertical, designed.length);
        }
    }

    sounds.playSound9();
    sounds.playSound(QStringLiteral("6.wav"));
    for (const HelpItemElements& h : e_.help) {
        h.dot->show();
        h.label->show();
        if (!waitFor(*pacer, turn)) {
            return false;
        }
    }
    pacer->timer1().setInterval(kTickMs);
    return true;
}

bool InfoPages::hideHelp(const Turn& turn) {
    if (!turn.stands()) {
        return false;
    }
    const std::shared_ptr<Pacer> pacer = pacer_;
    pacer->timer1().setInterval(kHelpTickMs);
    for (auto it = e_.help.rbegin(); it != e_.help.rend(); ++it) {
        it->dot->hide();
        it->label->hide();
        for (Element* line : it->lines) {
            if (line != nullptr) {
                line->hide();
            }
        }
        if (!waitFor(*pacer, turn)) {
            return false;
        }
    }
    e_.picHelpInt->hide();
    if (!waitFor(*pacer, turn)) {
        return false;
    }
    e_.lblHelp1->hide();
    if (!waitFor(*pacer, turn)) {
        return false;
    }
    e_.page(Page::Help).page->hide();
    pacer->timer1().setInterval(kTickMs);
    return true;
}

}  // namespace ovant
