#pragma once

#include <QEventLoop>
#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

#include "console/console_ops.h"
#include "console/console_services.h"
#include "console/console_state.h"
#include "console/console_timers.h"
#include "console/frame_elements.h"
#include "console/key_commands.h"
#include "elements/element_window.h"
#include "elements/pacing.h"
#include "scene/scene_elements.h"
#include "ships/ship_elements.h"

namespace ovant {

class AutoScan;
class AutoZoom;
class ClockRiders;
class ConsoleExit;
class ExitRule;
class FrameAnimation;
class InfoLabels;
class NumberPanel;
class ScanPanels;
class Scanner;
class SectorScene;
class ShipScanPanel;
class ShipTraffic;
class StartupReporter;
class ZoomViews;
class RedAlert;
class ScreenCover;

// The console window, the composition root: it builds every element and
// timer, creates the subsystems, wires clicks and keys to their commands and
// hands each console operation to the subsystem that owns it. load() is the
// start sequence.
class MainForm : public ElementWindow, public ConsoleOps {
    Q_OBJECT
public:
    MainForm(ConsoleServices services, StartupReporter* reporter);
    ~MainForm() override;

    // The start sequence; pauses between its steps and keeps events running.
    void load();

    // Read access for tests and the frame's owner; the subsystems change them.
    const ConsoleState& state() const { return state_; }
    const ConsoleTimers& timers() const { return timers_; }
    const FrameElements& frameElements() const { return frame_; }
    const NumberElements& numberElements() const { return numbers_; }
    const SceneElements& sceneElements() const { return scene_; }
    const ShipElements& shipElements() const { return ships_; }
    const Pacer& pacer() const { return pacer_; }
    // The step pause of flights and growing leaders until the next start;
    // tests run their sequences without waiting.
    void setAnimationSpeed(double seconds) { state_.aniSpeed = seconds; }

    // The operations subsystems call on each other.
    void scanPlanet(int star) override;
    void hidePlanetScan() override;
    void hideSRTeleInfos() override;
    void hideShipScan() override;
    void initAutoZoom() override;
    void scanAnotherObject(int object) override;
    bool zoomViewOpen() const override;
    void scanStar(int object) override;
    bool setScannerManual(double x, double y, double gap) override;
    void setScanner() override;
    void showScanner() override;

    // Commands.
    void infoLabelClick(int object);
    void autoScanStep();
    void autoScanSwitch();
    void shipCommand(bool fromButton);
    void shipScanRequest();
    void scanShipsSwitch();
    void endScan();
    void setOVANTBars();
    void exitConsole();
    // Info: the info window, modal, with the console's sound off meanwhile.
    void infoCommand();

    // The zoom views over the sector picture and their automatic closing.
    void zoomPlanet(int star);
    void hideStarZoom();
    void hideSRTZoom();
    // The zoom key: the active object's zoom view when nothing else holds the
    // scanner or the panels; in screen-saver mode it also closes by itself.
    void zoomKey();
    // tmrAutoZoomStop's tick.
    void autoZoomTick();
    const AutoZoom& autoZoom() const { return *autoZoom_; }

    // Red alert: the "Red Alert" command, and key R, which in screen-saver
    // mode follows the stored random setting. Tests drive its clocks directly.
    void redAlertToggle();
    void redAlertKey();
    RedAlert& redAlert() { return *redAlert_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void wireCommands();
    void runKeyCommand(KeyCommand command);
    void showInfoModal();
    void initColors();
    void status(const QString& text);
    bool startPause(double seconds);
    bool loadSettings(const std::function<void()>& read);
    void readOptions();
    void readScreenSaverOptions();
    void placeWindow();
    bool loadGraphics();
    void loadFormScrSav();
    bool firstAnimation();
    void showConsole();
    void shapeShip();
    void wireZoom();

    // Screen-saver exit on pointer input: wired once, asked before every
    // element's own press or move duty.
    void wireExitRule();
    bool pointerEndsScreenSaver(const QMouseEvent* event, bool press);
    void wireRedAlert();

    ConsoleServices services_;
    StartupReporter* reporter_;
    ConsoleState state_;
    Pacer pacer_;
    Lane panelArea_;
    Lane startLane_;
    Turn startTurn_;
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
    std::unique_ptr<ScanPanels> panels_;
    std::unique_ptr<ShipScanPanel> shipPanel_;
    std::unique_ptr<ShipTraffic> shipTraffic_;
    std::unique_ptr<ClockRiders> riders_;
    std::unique_ptr<ConsoleExit> exit_;
    std::unique_ptr<AutoScan> autoScan_;
    QPointer<QEventLoop> infoLoop_;
    // The zoom views share the place over the sector picture and one lane.
    Lane zoomArea_;
    std::unique_ptr<ZoomViews> zoom_;
    std::unique_ptr<AutoZoom> autoZoom_;
    std::unique_ptr<ExitRule> exitRule_;
    std::unique_ptr<RedAlert> redAlert_;

    // Several screens: as screen saver the console stands on the primary
    // screen and a black cover with the same exit rule on every other one.
    void coverOtherScreens();
    std::vector<std::unique_ptr<ScreenCover>> covers_;

    // Inside a screen-saver daemon's window, when the services name one.
    void enterHostWindow();
};

}  // namespace ovant
