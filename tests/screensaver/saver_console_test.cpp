// The console started as screen saver: its start, and which input ends it,
// sent through the window as the desktop would send it.
#include <QKeyEvent>
#include <QMouseEvent>
#include <QtTest>
#include <memory>
#include <optional>

#include "platform/mouse_cursor.h"
#include "screensaver/exit_rule.h"
#include "support/saver_console.h"

using namespace ovant;

namespace {

class RecordingSplash final : public StartupReporter {
public:
    QString text = QStringLiteral("Initialisiere OVANT-Interface...");
    bool finished = false;
    std::function<void()> onFinish;
    void appendStatus(const QString& t) override { text += t; }
    void finish() override {
        finished = true;
        if (onFinish) {
            onFinish();
        }
    }
};

// The console built as the program builds it for "Mode:ScrSav", with
// recorded sounds and an end of the process that only counts. Its clocks
// are stopped, so that only the start and the test change the console.
struct SaverRig : testing::ConsoleRig {
    RecordingSplash splash;

    SaverRig() { testing::rebuildAsScreenSaver(*this, &splash); }

    // The splash hides the pointer before the console loads.
    void start() {
        MouseCursor::hide();
        form->load();
    }

    void mouse(QEvent::Type type, QPoint pixel) {
        const bool move = type == QEvent::MouseMove;
        QMouseEvent event(
            type, QPointF(pixel), QPointF(pixel), move ? Qt::NoButton : Qt::LeftButton,
            type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(form.get(), &event);
    }
    void moveTo(QPoint pixel) { mouse(QEvent::MouseMove, pixel); }
    void press(QPoint pixel) { mouse(QEvent::MouseButtonPress, pixel); }
    void key(int key) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(form.get(), &event);
    }
    // Moves onto `at`, a little off it and back: no jump.
    void tremble(QPoint at) {
        moveTo(at);
        moveTo(at + QPoint(0, 10));
        moveTo(at);
    }
};

QByteArray storedFile() {
    QFile file(SettingsStore::filePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void store(const SettingKey& key, const char* value) {
    SettingsStore().saveText(key, QString::fromLatin1(value));
}

// Every element of the console, depth first.
void forEachElement(const Element& parent, const std::function<void(const Element&)>& visit) {
    for (const auto& child : parent.children()) {
        visit(*child);
        forEachElement(*child, visit);
    }
}

// For every listed handler whose element the pointer can reach now: an event
// at a place and one two pixels on, through the window. Gives the handlers
// that ended the console, those that did not, and the elements the pointer
// cannot reach now (hidden or covered).
struct Sweep {
    QStringList ended, kept, unreachable;
};
Sweep jumpOverEveryListedHandler(SaverRig& rig) {
    Sweep sweep;
    const ElementTree& tree = rig.form->tree();
    const QPoint step(2, 0);
    for (const exitrule::HandlerSpec& row : exitrule::handlers()) {
        const QString name = QString::fromLatin1(row.element);
        if (name == QLatin1String("MainForm")) {
            continue;
        }
        // A place where the pointer meets a member of the group, and meets
        // it again two pixels on; not its corner, which would only record.
        std::optional<QPoint> found;
        forEachElement(tree.root(), [&](const Element& e) {
            const bool member = e.name() == name || e.name().startsWith(name + QLatin1Char('('));
            if (found || !member || !e.shown()) {
                return;
            }
            const QRect box = e.pixelRect() & rig.form->rect();
            for (int y = box.top() + 1; y <= box.bottom() && !found; y += 2) {
                for (int x = box.left() + 1; x + step.x() <= box.right() && !found; x += 2) {
                    if (tree.hitTest({x, y}) == &e && tree.hitTest(QPoint(x, y) + step) == &e) {
                        found = QPoint(x, y);
                    }
                }
            }
        });
        if (!found) {
            sweep.unreachable.append(name);
            continue;
        }
        for (const bool press : {false, true}) {
            if ((row.events & (press ? exitrule::Press : exitrule::Move)) == 0U) {
                continue;
            }
            // The first event may end already when the handler kept another
            // place before; the step ends in any case.
            const auto send = [&](QPoint at) { press ? rig.press(at) : rig.moveTo(at); };
            send(*found);
            const int before = rig.ended;
            send(*found + step);
            (rig.ended == before + 1 ? sweep.ended : sweep.kept)
                .append(name + (press ? QStringLiteral(" press") : QStringLiteral(" move")));
        }
    }
    return sweep;
}

}  // namespace

class SaverConsoleTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        QFile::remove(SettingsStore::filePath());
        MouseCursor::show();
    }

    void everyListedNameResolvesAndTheInteractiveConsoleIgnoresJumps() {
        SaverRig rig;
        ConsoleState state;
        ExitRule rule(state, {});
        QCOMPARE(rule.wire(rig.form->tree()), QStringList());
        QCOMPARE(rule.wiredHandlers(), exitrule::handlerCount());
        // Before the start the console is not yet a screen saver.
        rig.moveTo({5, 300});
        rig.moveTo({400, 300});
        rig.press({5, 300});
        QCOMPARE(rig.ended, 0);
    }

    void theStartRunsItsStepsAndEndsWithTheAutomaticScan() {
        SaverRig rig;
        bool visibleAt3 = true;
        bool scanOnAtShow = true;
        rig.player.setOnPlay([&](const RecordingSoundPlayer::Call& call) {
            if (call.path.endsWith(QStringLiteral("/3.wav"))) {
                visibleAt3 = rig.form->isVisible();
            }
        });
        rig.splash.onFinish = [&] { scanOnAtShow = rig.form->timers().tmrScrSavScan->isActive(); };
        rig.start();
        MainForm& form = *rig.form;

        QCOMPARE(rig.splash.text,
                 QStringList({"Initialisiere OVANT-Interface... OK",
                              "Interface-Modus: Bildschirmschoner", "Lade Grafiken... OK",
                              "Lade Einstellungen... OK", "Bereit."})
                     .join(QChar(13)));
        QVERIFY(rig.splash.finished);
        QVERIFY(form.isVisible());
        QCOMPARE(form.geometry(), QRect(0, 0, 1024, 768));
        QVERIFY(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(form.windowFlags().testFlag(Qt::FramelessWindowHint));
        // "3.wav" sounds before the console shows; the scan comes on after it.
        QCOMPARE(rig.player.fileNames(), QStringList{QStringLiteral("3.wav")});
        QVERIFY(!visibleAt3);
        QVERIFY(!scanOnAtShow);
        QVERIFY(form.timers().tmrScrSavScan->isActive());
        QVERIFY(MouseCursor::hidden());

        // No caption shows a command word.
        for (int member : {0, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17}) {
            const QString caption = form.frameElements().captions[member]->text();
            bool number = false;
            const int value = caption.mid(1).toInt(&number);
            QVERIFY2(caption.startsWith(QLatin1Char(' ')) && number && value >= 18425,
                     qPrintable(QStringLiteral("Label1(%1) reads %2").arg(member).arg(caption)));
        }
        // The defaults of the screen-saver options.
        QVERIFY(form.state().scrSavMode);
        QVERIFY(form.state().scanShips);
        QVERIFY(rig.sounds.soundOn());
        QVERIFY(!form.state().autoZoomOn && !form.state().autoZoomRndOn);
        QCOMPARE(form.state().aniSpeed, 0.005);
        // The interactive console's switches are neither read nor written.
        QVERIFY(!storedFile().contains("AutoScan"));
        QVERIFY(!storedFile().contains("ShipScan"));
    }

    void storedScreenSaverOptionsAreTaken() {
        store(settings::kScrShipScan, "0");
        store(settings::kScrSound, "0");
        store(settings::kScrAutoZoom, "1");
        store(settings::kScrAutoZoomRnd, "1");
        store(settings::kScrAniSpeed, "0.02");
        SaverRig rig;
        rig.start();
        const ConsoleState& state = rig.form->state();
        QVERIFY(!state.scanShips);
        QVERIFY(!rig.sounds.soundOn());
        QVERIFY(state.autoZoomOn && state.autoZoomRndOn);
        QCOMPARE(state.aniSpeed, 0.02);
        QVERIFY(rig.player.calls().empty());
        QVERIFY(rig.form->timers().tmrScrSavScan->isActive());

        // Without sound the exit is silent.
        rig.key(Qt::Key_Space);
        QCOMPARE(rig.ended, 1);
        QVERIFY(rig.player.calls().empty());
        QVERIFY(!MouseCursor::hidden());
    }

    void aRestingPointerStaysAndAJumpEndsOverEveryListedElement() {
        SaverRig rig;
        rig.start();
        ElementTree& tree = rig.form->tree();

        // A resting and a trembling pointer over the window itself.
        const QPoint edge(5, 300);
        QCOMPARE(tree.hitTest(edge), &tree.root());
        for (const QPoint off :
             {QPoint(0, 0), QPoint(0, 0), QPoint(1, 0), QPoint(1, 1), QPoint(2, 0)}) {
            rig.moveTo(edge + off);
        }
        rig.press(edge + QPoint(2, 0));
        QCOMPARE(rig.ended, 0);
        QVERIFY(MouseCursor::hidden());
        rig.player.clear();
        // Two pixels at once are 30 twips: the leaving sound plays to its end.
        rig.moveTo(edge + QPoint(4, 0));
        QCOMPARE(rig.ended, 1);
        QCOMPARE(rig.player.fileNames(), QStringList{QStringLiteral("2.wav")});
        QVERIFY(rig.player.calls().front().sync);
        QVERIFY(!MouseCursor::hidden());

        // The frame, the numbers and the sector's grid show at once; the
        // panels and zoom views only during a scan.
        const Sweep sweep = jumpOverEveryListedHandler(rig);
        QVERIFY2(sweep.kept.isEmpty(), qPrintable(sweep.kept.join(QLatin1String(", "))));
        QVERIFY2(sweep.ended.size() >= 90, qPrintable(sweep.unreachable.join(QLatin1Char(' '))));
    }

    void elementsWithoutTheRuleKeepTheirCommands() {
        store(settings::kScrAniSpeed, "0");
        SaverRig rig;
        rig.start();
        MainForm& form = *rig.form;
        ElementTree& tree = form.tree();

        // The object info labels: jumps over them end nothing, a click scans.
        Element* info = form.sceneElements().sector.infoLabel[1];
        const QPoint onInfo = info->pixelRect().center();
        QCOMPARE(tree.hitTest(onInfo), info);
        rig.tremble(onInfo);
        rig.press(onInfo);
        rig.mouse(QEvent::MouseButtonRelease, onInfo);
        QCOMPARE(int(form.state().activeStar), 1);
        QVERIFY(form.sceneElements().planetPanel.panel->visible());
        // Nor do the scanner's brackets, now framing the object.
        Element* bracket = form.sceneElements().sector.lblScanner[0];
        const QPoint onBracket = bracket->pixelRect().center();
        QCOMPARE(tree.hitTest(onBracket), bracket);
        rig.tremble(onBracket);
        QCOMPARE(rig.ended, 0);

        // The planet panel that the scan built has the rule.
        const Sweep sweep = jumpOverEveryListedHandler(rig);
        QVERIFY2(sweep.kept.isEmpty(), qPrintable(sweep.kept.join(QLatin1String(", "))));
        for (const char* handler : {"PicScanInfo press", "PicScanInfo move", "plntLabel1 press",
                                    "plntLabel5 press", "plntLabelName move"}) {
            QVERIFY2(sweep.ended.contains(QLatin1String(handler)), handler);
        }
    }

    void commandKeysRunAndOtherInputEndsWithoutStoringAnything() {
        store(settings::kScrAniSpeed, "0");
        SaverRig rig;
        rig.start();
        MainForm& form = *rig.form;
        const QByteArray before = storedFile();
        QVERIFY(!before.isEmpty());

        for (const int key : {Qt::Key_R, Qt::Key_S, Qt::Key_Z, Qt::Key_H, Qt::Key_P, Qt::Key_E}) {
            rig.key(key);
        }
        QCOMPARE(rig.ended, 0);

        // Info, Auto Scan and Scan Ships, on their buttons and captions,
        // would open a window or rewrite the interactive options.
        const FrameElements& f = form.frameElements();
        const bool scanShips = form.state().scanShips;
        for (Element* command : {f.buttonOben[3], f.captions[9], f.buttonOben[4], f.captions[8],
                                 f.buttonUnten[3], f.captions[16]}) {
            const int ended = rig.ended;
            command->click();
            QVERIFY2(rig.ended == ended + 1, qPrintable(command->name()));
        }
        QVERIFY(form.timers().tmrScrSavScan->isActive());
        QCOMPARE(form.state().scanShips, scanShips);
        QCOMPARE(storedFile(), before);

        for (const int key : {Qt::Key_Shift, Qt::Key_Space, Qt::Key_Escape, Qt::Key_F1}) {
            rig.key(key);
        }
        QCOMPARE(rig.ended, 10);
        QCOMPARE(storedFile(), before);
    }
};

QTEST_MAIN(SaverConsoleTest)
#include "saver_console_test.moc"
