#pragma once

#include <QHash>
#include <QString>
#include <vector>

#include "scene/scene_elements.h"

namespace ovant {

class ConsoleOps;
class Lane;
class Pacer;
class RandomSource;
class SoundEffects;
class Turn;
struct ConsoleState;

namespace zoom {

// A ship is being scanned: it is in the sector and either every ship is
// scanned or the user asked for this one. The scanner and the panel area
// then belong to the ship.
bool shipBeingScanned(const ConsoleState& state);

// The zoom key may open the active object's zoom view: no ship is being
// scanned, no zoom view is open, and neither a panel nor the scanner moves.
bool keyAllowed(const ConsoleState& state, bool zoomViewOpen);

}  // namespace zoom

// The two close-ups over the sector picture: the object zoom view of a
// planet or the asteroid, and the telescope station's zoom view. Both are
// drawn leader by leader and wiped in reverse; they share one place and take
// their turns on one lane, the zoom area, so a newer build-up or wipe stops
// the running one at its next pause and a build-up first clears whatever a
// cut-short one left showing. The scan panels have their own lane: a zoom
// view wipes the panel before it is drawn and rebuilds it after it is wiped,
// each inside the other's turn.
class ZoomViews {
public:
    ZoomViews(const SceneElements& scene, Element* lblCaption, Lane& zoomArea, ConsoleState& state,
              Pacer& pacer, SoundEffects& sounds, RandomSource& random, ConsoleOps& ops);

    // Fills the object zoom of planet `star` with fresh measurements and
    // draws it; 4 draws the telescope zoom; any other number does nothing.
    // Returns when the build-up has ended, finished or stopped.
    void zoomPlanet(int star);
    void starZoom();
    void zoomSRT();
    // Nothing when the view is hidden.
    void hideStarZoom();
    void hideSRTZoom();

    bool starZoomOpen() const;
    bool telescopeZoomOpen() const;
    bool open() const { return starZoomOpen() || telescopeZoomOpen(); }

    // Clicks: on the planet or the telescope panel (refused while a panel
    // sequence runs or a zoom view is already open) and on a close button.
    void planetPanelClick();
    void telescopePanelClick();
    void starZoomCloseClick();
    void telescopeZoomCloseClick();

    // The close button lights up while the pointer is over it and goes dark
    // again when the pointer moves on over the view.
    static void pointerOverClose(Element& button);
    static void pointerOverView(Element& button);

    // One visible step of a build-up or wipe: these parts are shown (or
    // hidden), and a label that grows line by line gets its first `lines`
    // lines.
    struct Step {
        std::vector<const char*> parts;
        const char* growingLabel = nullptr;
        int lines = 0;
    };

private:
    enum class Growth { Up, Down, Right };
    struct Leader {
        Element* element = nullptr;
        Growth growth = Growth::Right;
        double resetTop = 0;
        double left = 0, top = 0, width = 0, height = 0;  // final geometry
    };
    struct View {
        const SchematicElements* elements = nullptr;
        std::vector<Leader> leaders;
        QHash<QString, Element*> parts;
        Element* part(const char* name) const;
    };
    struct LeaderGrowth {
        const char* name;
        Growth growth;
        double resetTop;
    };

    View makeView(const SchematicElements& e, const std::vector<LeaderGrowth>& growth);
    // Clears both views: every part hidden, both pictures hidden.
    void clearViews();
    void openView(View& view);
    bool growLeaders(View& view, const Turn& turn);
    void arrivalSounds();
    bool runSteps(View& view, const std::vector<Step>& steps, bool show, const Turn& turn);
    void finishBuildUp(View& view);
    // After a wipe: the sector picture back, and the scan panel unless a
    // ship holds the panel area.
    void closeView(View& view, int panelObject);
    void playClick();

    View star_;
    View telescope_;
    Element* starsScan_;
    const Element* bracket_;  // the scanner frame's "[", which the views leave alone
    Element* caption_;
    Lane& lane_;
    ConsoleState& state_;
    Pacer& pacer_;
    SoundEffects& sounds_;
    RandomSource& random_;
    ConsoleOps& ops_;
};

}  // namespace ovant
