#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>

#include "platform/process_launch.h"
#include "platform/twips.h"
#include "saver_module/options_layout.h"

namespace ovant {

class FramePiece;
class RandomSource;
class SettingsStore;

// What the settings window needs from the module; tests hand in recorders.
struct SchirmServices {
    SettingsStore* settings = nullptr;
    RandomSource* random = nullptr;
    // The module's sound helper: plays a file beside the console, always.
    std::function<void(const QString& fileName)> playSound;
    std::function<std::optional<StartFailure>(const QString& program, const QStringList& arguments)>
        startDetached;
    std::function<void(const QString& title, const QString& text)> showMessage;
};

// The screen-saver settings: six switches of the "ScrSav" section on an
// options panel that builds itself box by box, OK and Cancel, and a button
// that starts the console's info window. OK stores the switches; nothing
// else closes the window without Cancel's "store nothing".
class SettingsWindow final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWaitForMs = 40;     // Timer1: one step of the panel
    static constexpr int kInitInfosMs = 150;  // InitInfos: the panel starts building

    explicit SettingsWindow(SchirmServices services, Twips twips = Twips());

    // Reads the store, writes the speed keys, shows the window centred on
    // the screen and starts the panel's build-up a moment later.
    void open();

    void ok();
    void cancel();
    void info();
    // F1 and "?": the same start, a failure stays silent.
    void infoQuietly();
    void optionsButton();

    QCheckBox* box(options_layout::Switch which) const { return boxes_[which]; }
    // Whether OK or Cancel has begun; a second press does nothing.
    bool closing() const { return closing_; }

Q_SIGNALS:
    // The panel is down and the window closed after OK or Cancel; the module ends.
    void finished();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void build();
    void runCommand(options_layout::Command command);
    bool handleKey(const QKeyEvent& event);
    void followLeaders();
    void leave(bool save);
    std::optional<StartFailure> startInfo();

    // The panel's build-up and take-down. OK or Cancel can come inside a
    // pause of the build-up; the take-down then runs inside that pause, and
    // the build-up resumes only after the window has ended, so it stops.
    void showOpt();
    void hideOpt();
    // One 40 ms pause with events running. False when the sequence must stop:
    // the window has ended or is gone, or the program is quitting.
    [[nodiscard]] bool waitFor();

    QRect px(const options_layout::TwipBox& box) const;

    SchirmServices services_;
    Twips twips_;
    QWidget* picRegMain_ = nullptr;
    QWidget* picOpt_ = nullptr;
    QLabel* lblOpt1_ = nullptr;
    std::array<QCheckBox*, options_layout::kSwitches> boxes_{};
    std::array<QLabel*, 18> label1_{};

    QTimer timer1_;
    QTimer initInfos_;
    bool closing_ = false;
    bool waitBusy_ = false;
    bool ended_ = false;
};

}  // namespace ovant
