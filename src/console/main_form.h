#pragma once

#include <QPointer>
#include <memory>

#include "console/console_ops.h"
#include "console/console_services.h"
#include "console/console_state.h"
#include "console/console_timers.h"
#include "console/element_window.h"
#include "console/frame_animation.h"
#include "console/frame_elements.h"
#include "console/number_panel.h"
#include "console/pacing.h"
#include "scene/info_labels.h"
#include "scene/leader_panel.h"
#include "scene/scanner.h"
#include "scene/scene_elements.h"
#include "scene/sector_scene.h"
#include "ships/ship_elements.h"

namespace ovant {

class StartupReporter;

// The console window: owns every element, every timer and the console state
// for the life of the process. load() is the start sequence.
class MainForm : public ElementWindow, public ConsoleOps {
    Q_OBJECT
public:
    MainForm(ConsoleServices services, StartupReporter* reporter);
    ~MainForm() override;

    // The start sequence; pauses between its steps and keeps events running.
    void load();

    ConsoleState& state() { return state_; }
    Pacer& pacer() { return pacer_; }
    ConsoleTimers& timers() { return timers_; }
    FrameElements& frameElements() { return frame_; }
    NumberElements& numberElements() { return numbers_; }
    SceneElements& sceneElements() { return scene_; }
    ShipElements& shipElements() { return ships_; }
    const ConsoleServices& services() const { return services_; }

    // Operations used by the start sequence and, later, by the commands.
    void initColors();
    void setScanner();
    Scanner& scanner() { return *scanner_; }
    LeaderPanel& planetPanel() { return *planetPanel_; }
    LeaderPanel& telescopePanel() { return *telescopePanel_; }

    // The operations subsystems call on each other.
    void scanPlanet(int star) override;
    void hidePlanetScan() override;
    void hideSRTeleInfos() override;
    void hideShipScan() override;
    void initAutoZoom() override;
    void setOVANTBars();
    void clearNumbers();
    void stars();
    // Plays the leaving sound to its end, shows the pointer and ends the program.
    void exitConsole();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void status(const QString& text);
    void placeWindow();
    void loadGraphics();
    void loadFormScrSav();
    void finishStart();
    void firstAnimation();
    void showConsole();
    void shapeShip();

    ConsoleServices services_;
    StartupReporter* reporter_;
    ConsoleState state_;
    Pacer pacer_;
    FrameElements frame_;
    NumberElements numbers_;
    SceneElements scene_;
    ShipElements ships_;
    ConsoleTimers timers_;
    std::unique_ptr<NumberPanel> numberPanel_;
    std::unique_ptr<SectorScene> sector_;
    std::unique_ptr<FrameAnimation> frameAnimation_;
    std::unique_ptr<InfoLabels> infoLabels_;
    std::unique_ptr<Scanner> scanner_;
    std::unique_ptr<LeaderPanel> planetPanel_;
    std::unique_ptr<LeaderPanel> telescopePanel_;
};

}  // namespace ovant
