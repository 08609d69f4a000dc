#include "scene/zoom_views.h"

#include <cmath>

#include "console/console_ops.h"
#include "console/console_state.h"
#include "elements/pacing.h"
#include "platform/sound/sound_effects.h"
#include "platform/texts.h"
#include "scene/scanner_geometry.h"
#include "scene/sector_table.h"
#include "scene/zoom_texts.h"

namespace ovant {

namespace zoom {

bool shipBeingScanned(const ConsoleState& state) {
    return state.shipInSector && (state.scanShips || state.shipScanRequested);
}

bool keyAllowed(const ConsoleState& state, bool zoomViewOpen) {
    return !shipBeingScanned(state) && !zoomViewOpen && !state.panelBusy && !state.scannerMoving;
}

}  // namespace zoom

namespace {

// The zoom views' leaders grow three times as fast as the panels'.
constexpr double kGrowStep = 300;
const char* const kShortRangeScan = "Short Range Scan";
const QString kBack = QStringLiteral("Back");
const QString kBackLit = QStringLiteral("Back_Hell");

using Step = ZoomViews::Step;

// The object zoom: points 1 to 7 appear one after the other.
const std::vector<Step>& starPoints() {
    static const std::vector<Step> steps = {
        {{"StarZoomDot1", "StarZoomLabel1"}}, {{"StarZoomDot2", "StarZoomLabel2"}},
        {{"StarZoomDot3", "StarZoomLabel3"}}, {{"StarZoomDot4", "StarZoomLabel4"}},
        {{"StarZoomDot5", "StarZoomLabel5"}}, {{"StarZoomDot6", "StarZoomLabel6"}},
        {{"StarZoomDot7", "StarZoomLabel7"}}};
    return steps;
}

// Wiped from the title down to point 1, each point with its leaders.
const std::vector<Step>& starWipe() {
    static const std::vector<Step> steps = {
        {{"PicStarZoomOff", "lblStarName"}},
        {{"StarZoomDot7", "StarZoomLabel7", "StarZoomLine7_1", "StarZoomLine7_2"}},
        {{"StarZoomDot6", "StarZoomLabel6", "StarZoomLine6"}},
        {{"StarZoomDot5", "StarZoomLine5_1", "StarZoomLine5_2", "StarZoomLabel5"}},
        {{"StarZoomDot4", "StarZoomLabel4", "StarZoomLine4_1", "StarZoomLine4_2"}},
        {{"StarZoomDot3", "StarZoomLabel3", "StarZoomLine3"}},
        {{"StarZoomDot2", "StarZoomLabel2", "StarZoomLine2_1", "StarZoomLine2_2"}},
        {{"StarZoomDot1", "StarZoomLabel1", "StarZoomLine1_1", "StarZoomLine1_2"}}};
    return steps;
}

// The telescope zoom: the joints' and the reactor's texts gain a line with
// each of their points.
const std::vector<Step>& telescopePoints() {
    static const std::vector<Step> steps = {
        {{"SRTZoomDot1", "SRTZoomLabel1"}},
        {{"SRTZoomDot2", "SRTZoomLabel2"}},
        {{"SRTZoomDot3", "SRTZoomLabel3"}},
        {{"SRTZoomDot4_1", "SRTZoomLabel4"}, "SRTZoomLabel4", 1},
        {{"SRTZoomDot4_2"}, "SRTZoomLabel4", 2},
        {{"SRTZoomDot6", "SRTZoomLabel6"}},
        {{"SRTZoomDot5_1", "SRTZoomLabel5"}, "SRTZoomLabel5", 1},
        {{"SRTZoomDot5_2"}, "SRTZoomLabel5", 2},
        {{"SRTZoomDot5_3"}, "SRTZoomLabel5", 3}};
    return steps;
}

const std::vector<Step>& telescopeWipe() {
    static const std::vector<Step> steps = {
        {{"PicZoomOff", "SRTZoomLabelName"}},
        {{"SRTZoomDot5_3", "SRTZoomLine5_5", "SRTZoomLine5_6"}, "SRTZoomLabel5", 2},
        {{"SRTZoomDot5_2", "SRTZoomLine5_3", "SRTZoomLine5_4"}, "SRTZoomLabel5", 1},
        {{"SRTZoomDot5_1", "SRTZoomLine5_1", "SRTZoomLine5_2", "SRTZoomLabel5"}},
        {{"SRTZoomDot6", "SRTZoomLabel6", "SRTZoomLine6"}},
        {{"SRTZoomDot4_2", "SRTZoomLine4_3", "SRTZoomLine4_4"}, "SRTZoomLabel4", 1},
        {{"SRTZoomDot4_1", "SRTZoomLine4_1", "SRTZoomLine4_2", "SRTZoomLabel4"}},
        {{"SRTZoomDot3", "SRTZoomLabel3", "SRTZoomLine3"}},
        {{"SRTZoomDot2", "SRTZoomLabel2", "SRTZoomLine2_1", "SRTZoomLine2_2"}},
        {{"SRTZoomDot1", "SRTZoomLabel1", "SRTZoomLine1_1", "SRTZoomLine1_2"}}};
    return steps;
}

QString growingText(const char* label, int lines) {
    return QByteArray(label).endsWith('4') ? zoom::telescopeLabel4(lines)
                                           : zoom::telescopeLabel5(lines);
}

}  // namespace

Element* ZoomViews::View::part(const char* name) const {
    return parts.value(QString::fromLatin1(name), nullptr);
}

ZoomViews::ZoomViews(const SceneElements& scene, Element* lblCaption, Lane& zoomArea,
                     ConsoleState& state, Pacer& pacer, SoundEffects& sounds, RandomSource& random,
                     ConsoleOps& ops)
    : starsScan_(scene.sector.starsScan),
      bracket_(scene.sector.lblScanner[0]),
      caption_(lblCaption),
      lane_(zoomArea),
      state_(state),
      pacer_(pacer),
      sounds_(sounds),
      random_(random),
      ops_(ops) {
    // Vertical leaders grow upwards from their point, except the seventh,
    // which hangs down from its point to its row.
    star_ = makeView(scene.starZoom, {{"StarZoomLine1_1", Growth::Up, 2265},
                                      {"StarZoomLine1_2", Growth::Right, 0},
                                      {"StarZoomLine2_1", Growth::Up, 1230},
                                      {"StarZoomLine2_2", Growth::Right, 0},
                                      {"StarZoomLine3", Growth::Right, 0},
                                      {"StarZoomLine4_1", Growth::Up, 3450},
                                      {"StarZoomLine4_2", Growth::Right, 0},
                                      {"StarZoomLine5_1", Growth::Up, 3510},
                                      {"StarZoomLine5_2", Growth::Right, 0},
                                      {"StarZoomLine6", Growth::Right, 0},
                                      {"StarZoomLine7_1", Growth::Down, 0},
                                      {"StarZoomLine7_2", Growth::Right, 0}});
    telescope_ = makeView(scene.telescopeZoom, {{"SRTZoomLine1_1", Growth::Up, 2970},
                                                {"SRTZoomLine1_2", Growth::Right, 0},
                                                {"SRTZoomLine2_1", Growth::Up, 1230},
                                                {"SRTZoomLine2_2", Growth::Right, 0},
                                                {"SRTZoomLine3", Growth::Right, 0},
                                                {"SRTZoomLine4_1", Growth::Up, 3450},
                                                {"SRTZoomLine4_2", Growth::Right, 0},
                                                {"SRTZoomLine4_3", Growth::Up, 3510},
                                                {"SRTZoomLine4_4", Growth::Right, 0},
                                                {"SRTZoomLine6", Growth::Right, 0},
                                                {"SRTZoomLine5_1", Growth::Up, 3990},
                                                {"SRTZoomLine5_2", Growth::Right, 0},
                                                {"SRTZoomLine5_3", Growth::Up, 4260},
                                                {"SRTZoomLine5_4", Growth::Right, 0},
                                                {"SRTZoomLine5_5", Growth::Up, 4470},
                                                {"SRTZoomLine5_6", Growth::Right, 0}});
}

ZoomViews::View ZoomViews::makeView(const SchematicElements& e,
                                    const std::vector<LeaderGrowth>& growth) {
    View v;
    v.elements = &e;
    for (const auto* group : {&e.leaders, &e.dots, &e.labels}) {
        for (Element* part : *group) {
            v.parts.insert(part->name(), part);
        }
    }
    v.parts.insert(e.labelName->name(), e.labelName);
    v.parts.insert(e.closeButton->name(), e.closeButton);
    // The elements are built at their final geometry; that is what they grow to.
    for (const LeaderGrowth& g : growth) {
        Element* element = v.part(g.name);
        Q_ASSERT(element != nullptr);
        v.leaders.push_back(Leader{element, g.growth, g.resetTop, element->left(), element->top(),
                                   element->width(), element->height()});
    }
    return v;
}

bool ZoomViews::starZoomOpen() const {
    return star_.elements->picture->visible();
}

bool ZoomViews::telescopeZoomOpen() const {
    return telescope_.elements->picture->visible();
}

void ZoomViews::zoomPlanet(int star) {
    if (star == sector::kTelescope) {
        zoomSRT();
        return;
    }
    const auto texts = zoom::zoomTexts(star, random_);
    if (!texts) {
        return;
    }
    const SchematicElements& e = *star_.elements;
    e.labelName->setText(texts->name);
    for (std::size_t i = 0; i < e.labels.size(); ++i) {
        e.labels[i]->setText(texts->label[i + 1]);
    }
    starZoom();
}

void ZoomViews::clearViews() {
    for (View* view : {&star_, &telescope_}) {
        for (Element* part : std::as_const(view->parts)) {
            part->hide();
        }
        view->elements->picture->hide();
    }
}

void ZoomViews::openView(View& view) {
    caption_->setText(QString::fromLatin1(kShortRangeScan));
    starsScan_->hide();
    // A build-up or wipe cut short by this one may have left parts showing.
    clearViews();
    view.elements->closeButton->setPicture(kBack);
    view.elements->picture->show();
    for (Leader& l : view.leaders) {
        switch (l.growth) {
            case Growth::Up:
                l.element->setBox(l.left, l.resetTop, l.width, 0);
                break;
            case Growth::Down:
                l.element->setHeight(0);
                break;
            case Growth::Right:
                l.element->setWidth(0);
                break;
        }
    }
    if (sounds_.soundOn()) {
        sounds_.playSound(QStringLiteral("8.wav"));
    }
}

bool ZoomViews::growLeaders(View& view, const Turn& turn) {
    for (const Leader& l : view.leaders) {
        Element* e = l.element;
        e->show();
        const bool vertical = l.growth != Growth::Right;
        while ((vertical ? e->height() : e->width()) < (vertical ? l.height : l.width)) {
            switch (l.growth) {
                case Growth::Up:
                    e->setBox(e->left(), e->top() - kGrowStep, e->width(), e->height() + kGrowStep);
                    break;
                case Growth::Down:
                    e->setHeight(e->height() + kGrowStep);
                    break;
                case Growth::Right:
                    e->setWidth(e->width() + kGrowStep);
                    break;
            }
            if (!pacer_.pause(state_.aniSpeed, turn)) {
                return false;
            }
        }
        // The last step overshoots; the leader ends exactly where it belongs.
        e->setBox(l.left, l.top, l.width, l.height);
    }
    return true;
}

void ZoomViews::arrivalSounds() {
    if (sounds_.soundOn()) {
        sounds_.playSound9();
        if (sounds_.soundOn()) {
            sounds_.playSound(QStringLiteral("6.wav"));
        }
    }
}

bool ZoomViews::runSteps(View& view, const std::vector<Step>& steps, bool show, const Turn& turn) {
    for (const Step& step : steps) {
        if (step.growingLabel != nullptr) {
            view.part(step.growingLabel)->setText(growingText(step.growingLabel, step.lines));
        }
        for (const char* name : step.parts) {
            view.part(name)->setVisible(show);
        }
        if (!pacer_.aniWait(turn)) {
            return false;
        }
    }
    return true;
}

void ZoomViews::finishBuildUp(View& view) {
    view.elements->labelName->show();
    // The screen saver closes its views by itself and ends on any click.
    if (!state_.scrSavMode) {
        view.elements->closeButton->show();
    }
}

void ZoomViews::starZoom() {
    const Turn turn = lane_.take();
    ops_.hidePlanetScan();
    if (!turn.stands()) {
        return;
    }
    openView(star_);
    if (!growLeaders(star_, turn)) {
        return;
    }
    arrivalSounds();
    if (!runSteps(star_, starPoints(), true, turn)) {
        return;
    }
    finishBuildUp(star_);
}

void ZoomViews::zoomSRT() {
    const Turn turn = lane_.take();
    ops_.hideSRTeleInfos();
    if (!turn.stands()) {
        return;
    }
    // The two growing texts start empty, whatever an earlier opening left.
    telescope_.part("SRTZoomLabel4")->setText(QString());
    telescope_.part("SRTZoomLabel5")->setText(QString());
    openView(telescope_);
    if (!growLeaders(telescope_, turn)) {
        return;
    }
    arrivalSounds();
    if (!runSteps(telescope_, telescopePoints(), true, turn)) {
        return;
    }
    finishBuildUp(telescope_);
}

void ZoomViews::closeView(View& view, int panelObject) {
    view.elements->picture->hide();
    caption_->setText(QString::fromLatin1(texts::kFieldProbe));
    starsScan_->show();
    if (zoom::shipBeingScanned(state_)) {
        return;
    }
    // A ship that left while the view was open could not send the scanner
    // back, so it may still stand where a flight gave way to that ship; then
    // it is put back on its object before the panel is built. (A frame still
    // hidden has never flown.)
    if (panelObject >= 1 && panelObject <= sector::kObjects && panelObject == state_.activeStar &&
        bracket_->visible()) {
        const scanner::Frame& home = scanner::kTargets[static_cast<std::size_t>(panelObject)];
        if (std::abs(bracket_->left() - home.x) >= 0.5 ||
            std::abs(bracket_->top() - home.y) >= 0.5) {
            ops_.setScannerManual(home.x, home.y, home.gap);
        }
    }
    ops_.scanPlanet(panelObject);
}

void ZoomViews::hideStarZoom() {
    if (!starZoomOpen()) {
        return;
    }
    const Turn turn = lane_.take();
    // Once the console is closing nothing changes any more.
    if (!turn.stands()) {
        return;
    }
    if (!runSteps(star_, starWipe(), false, turn)) {
        return;
    }
    closeView(star_, state_.activeStar);
}

void ZoomViews::hideSRTZoom() {
    if (!telescopeZoomOpen()) {
        return;
    }
    const Turn turn = lane_.take();
    // Once the console is closing nothing changes any more.
    if (!turn.stands()) {
        return;
    }
    if (!runSteps(telescope_, telescopeWipe(), false, turn)) {
        return;
    }
    // The telescope panel comes back whichever object is active; rebuilding
    // it through the scan entry also takes down a ship panel left in its place.
    closeView(telescope_, sector::kTelescope);
}

void ZoomViews::playClick() {
    if (sounds_.soundOn()) {
        sounds_.playSound(QStringLiteral("1.wav"));
    }
}

void ZoomViews::planetPanelClick() {
    if (state_.panelBusy || open()) {
        return;
    }
    playClick();
    zoomPlanet(state_.activeStar);
}

void ZoomViews::telescopePanelClick() {
    if (state_.panelBusy || open()) {
        return;
    }
    playClick();
    zoomSRT();
}

void ZoomViews::starZoomCloseClick() {
    // The button is hidden from the first step of the wipe on.
    if (!star_.elements->closeButton->shown()) {
        return;
    }
    playClick();
    hideStarZoom();
}

void ZoomViews::telescopeZoomCloseClick() {
    if (!telescope_.elements->closeButton->shown()) {
        return;
    }
    playClick();
    hideSRTZoom();
}

void ZoomViews::pointerOverClose(Element& button) {
    if (button.picture() == kBack) {
        button.setPicture(kBackLit);
    }
}

void ZoomViews::pointerOverView(Element& button) {
    if (button.picture() == kBackLit) {
        button.setPicture(kBack);
    }
}

}  // namespace ovant
