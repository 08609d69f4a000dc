#include <QtTest>
#include <algorithm>
#include <functional>

#include "app/main_form.h"
#include "console/number_panel.h"
#include "console/startup_reporter.h"
#include "console/timings.h"
#include "elements/picture_store.h"
#include "elements/text_layout.h"
#include "platform/settings_store.h"
#include "platform/sound/sound_effects.h"
#include "scene/planet_texts.h"
#include "support/console_rig.h"
#include "support/recording_sound_player.h"
#include "support/scripted_random.h"
#include "support/text_needs.h"

using namespace ovant;
using ovant::testing::textNeeds;

namespace {

class RecordingReporter final : public StartupReporter {
public:
    QString text = QStringLiteral("Initialisiere OVANT-Interface...");
    bool finished = false;
    bool consoleVisibleAtFinish = false;
    QWidget* console = nullptr;
    void appendStatus(const QString& t) override { text += t; }
    void finish() override {
        finished = true;
        consoleVisibleAtFinish = console != nullptr && console->isVisible();
    }
};

// The console as the program builds it, its clocks running, reporting its
// start to a recording splash.
struct Rig {
    RecordingReporter reporter;
    ovant::testing::ConsoleRig console;
    MainForm& form;

    explicit Rig(QRect screen = {0, 0, 1024, 768})
        : console({screen, {0.3, 0.6, 0.1, 0.9}, &reporter, true, false}), form(*console.form) {
        reporter.console = &form;
    }
};

// Every element of the console, depth first, with its container.
void forEachElement(const Element& parent,
                    const std::function<void(const Element&, const Element&)>& visit) {
    for (const auto& child : parent.children()) {
        visit(*child, parent);
        forEachElement(*child, visit);
    }
}

// The texts that change at run time: each number column's largest number,
// and the planet panel's texts of `star` with every measurement drawn at `r`.
void writeLongestTexts(MainForm& form, int star, double r) {
    const NumberElements& numbers = form.numberElements();
    for (int column = 1; column <= NumberElements::kColumns; ++column) {
        numbers.field[column][1]->setText(QString::number(NumberPanel::columnMax(column)));
    }
    ovant::testing::ScriptedRandom random({r});
    const auto texts = planet::panelTexts(star, random);
    const LeaderPanelLayout& panel = form.sceneElements().planetPanel;
    panel.title->setText(texts->name);
    for (int i = 1; i <= 5; ++i) {
        panel.label[i]->setText(texts->label[static_cast<std::size_t>(i)]);
    }
}

}  // namespace

class MainFormTest : public QObject {
    Q_OBJECT

    QTemporaryDir config_;

private Q_SLOTS:
    void init() {
        qputenv("XDG_CONFIG_HOME", config_.path().toLocal8Bit());
        QFile::remove(SettingsStore::filePath());
    }

    // The clocks of the screen saver, the zoom, the ships' flight and red
    // alert wait until their mode begins; the rest run from the load on.
    // Those that draw their next interval start inside its range.
    void everyClockHasItsOwnNameRunsFromItsModeAndFastClocksArePrecise() {
        Rig rig;
        const ConsoleTimers& t = rig.form.timers();
        const QTimer* pacer = &rig.form.pacer().timer1();
        const std::vector<QTimer*> clocks = t.all();
        std::vector<const QTimer*> all(clocks.begin(), clocks.end());
        all.push_back(pacer);
        const QSet<const QTimer*> later = {
            t.tmrScrSavScan, t.tmrAutoZoomStop, t.tmrShipAni,         t.tmrShipInfo,
            t.tmrRedAlert,   t.tmrRedAlertRnd,  t.tmrRedAlertRndStop, pacer};
        using namespace timing;
        // The button clocks change their first button sooner than any later
        // one; the fill clock waits 9 ms x column x row.
        QHash<const QTimer*, std::pair<int, int>> ranges = {
            {t.tmrAni, {1, kSideButtonsNext.minMs}},
            {t.tmrAni1, {1, kPillButtonsNext.minMs}},
            {t.timer3,
             {kNumberFillStepMs,
              kNumberFillStepMs * NumberElements::kColumns * NumberElements::kRows}}};
        for (int i = 1; i <= 5; ++i) {
            ranges.insert(t.starAni[static_cast<std::size_t>(i)],
                          {kInfoLabelNext.minMs, kInfoLabelNext.maxMs});
        }
        QSet<QString> names;
        for (const QTimer* timer : all) {
            QVERIFY(timer != nullptr);
            const QString name = timer->objectName();
            QVERIFY2(!name.isEmpty() && !names.contains(name), qPrintable(name));
            names.insert(name);
            QVERIFY2(timer->isActive() != later.contains(timer), qPrintable(name));
            QVERIFY2(timer->interval() >= kPreciseBelowMs || timer->timerType() == Qt::PreciseTimer,
                     qPrintable(name));
            const auto range = ranges.value(timer, {1, INT_MAX});
            QVERIFY2(timer->interval() >= range.first && timer->interval() <= range.second,
                     qPrintable(name + QLatin1Char(' ') + QString::number(timer->interval())));
        }
        // A tick pause is one 40 ms tick.
        QCOMPARE(pacer->interval(), 40);
    }

    void everyElementLiesInsideItsContainer() {
        Rig rig;
        writeLongestTexts(rig.form, 3, 0.9999999);
        const ElementTree& tree = rig.form.tree();
        const Twips& twips = tree.twips();
        // Designed to reach outside their container: the scanner parks outside
        // the sector, and its lines run past both edges of the sector picture;
        // the vertical grid lines start above the sector to run through its top
        // edge; the title and the telescope panel's first text start above
        // their picture's top edge, where only the empty top of the line is cut off.
        const QStringList reachOut =
            QStringLiteral(
                "lblScanner(0) lblScanner(1) LineScan(0) LineScan(1) Line5 Line6 "
                "Line7 Line8 Line9 lblCaption SRTLabel1")
                .split(QLatin1Char(' '));
        QStringList outside;
        forEachElement(tree.root(), [&](const Element& e, const Element& parent) {
            // The window's own children are laid out to the screen at start,
            // not to the designed client area (see the next test).
            if (&parent == &tree.root() || reachOut.contains(e.name())) {
                return;
            }
            double height = e.height();
            if (e.kind() == ElementKind::Label) {
                // A label shows its text; the rest of its box may hang out
                // (the number fields of the last row, the pill captions).
                if (e.text().isEmpty()) {
                    return;
                }
                height = std::min(height, twips.fromPixels(textNeeds(tree, e).height()));
            }
            if (e.left() < 0 || e.top() < 0 || e.left() + e.width() > parent.width() ||
                e.top() + height > parent.height()) {
                outside << e.name();
            }
        });
        QVERIFY2(outside.isEmpty(), qPrintable(outside.join(QStringLiteral(", "))));
    }

    void afterTheStartTheConsoleAndItsBarsLieOnTheScreen() {
        for (const QRect& screen : {QRect(0, 0, 800, 600), QRect(0, 0, 1920, 1080)}) {
            Rig rig(screen);
            rig.form.load();
            const Twips& twips = rig.form.tree().twips();
            const QRectF onScreen(0, 0, twips.fromPixels(screen.width()),
                                  twips.fromPixels(screen.height()));
            int shown = 0;
            for (const auto& e : rig.form.tree().root().children()) {
                if (e->visible()) {
                    ++shown;
                    QVERIFY2(
                        onScreen.contains(QRectF(e->left(), e->top(), e->width(), e->height())),
                        qPrintable(e->name()));
                }
            }
            // The console picture, and on large screens the six bar pieces.
            QCOMPARE(shown, screen.width() > 900 ? 7 : 1);
        }
    }

    void everyCaptionFitsItsBox() {
        for (const QRect& screen : {QRect(0, 0, 1024, 768), QRect(0, 0, 1920, 1080)}) {
            Rig rig(screen);
            const ElementTree& tree = rig.form.tree();
            QStringList overflowing;
            const auto checkAll = [&] {
                forEachElement(tree.root(), [&](const Element& e, const Element&) {
                    // The brackets are figures stretched over their box, not captions.
                    if (e.kind() != ElementKind::Label || e.text().isEmpty() ||
                        e.name().startsWith(QStringLiteral("lblScanner("))) {
                        return;
                    }
                    const QSizeF needs = textNeeds(tree, e);
                    // Descenders may hang into the rows below the box that every
                    // change of a label repaints with it.
                    const QSizeF box(tree.twips().toPixelsF(e.width()),
                                     tree.twips().toPixelsF(e.height()) + TextLayout::kMaxOverhang);
                    if (needs.width() > box.width() || needs.height() > box.height()) {
                        QDebug(&overflowing.emplace_back()) << e.name() << needs << "in" << box;
                    }
                });
            };
            checkAll();
            for (const int star : {1, 2, 3, 5}) {
                for (const double r : {0.0, 0.9999999}) {
                    writeLongestTexts(rig.form, star, r);
                    checkAll();
                }
            }
            overflowing.removeDuplicates();
            QVERIFY2(overflowing.isEmpty(), qPrintable(overflowing.join(QStringLiteral("; "))));
        }
    }

    void normalStartOnASmallScreenWithStoredOptions() {
        SettingsStore store;
        store.saveSwitch(settings::kAutoScan, false);
        store.saveSwitch(settings::kShipScan, true);
        store.saveText(settings::kAniSpeed, QStringLiteral("0.5"));
        Rig rig(QRect(0, 0, 800, 600));
        MainForm& form = rig.form;
        form.load();
        QCOMPARE(rig.reporter.text, QStringLiteral("Initialisiere OVANT-Interface... OK|"
                                                   "Interface-Modus: Normal|Lade Grafiken... OK|"
                                                   "Lade Einstellungen... OK|Bereit.")
                                        .replace(QLatin1Char('|'), QChar(13)));
        QVERIFY(rig.reporter.finished && rig.reporter.consoleVisibleAtFinish);

        // The start rewrites the speed before reading it.
        QCOMPARE(store.getText(settings::kPath), QStringLiteral("/opt/ovant"));
        QCOMPARE(store.getText(settings::kAniSpeed), QLocale().toString(0.005));
        QCOMPARE(store.getText(settings::kAniSpeedStep), QStringLiteral("3"));
        QCOMPARE(form.state().aniSpeed, 0.005);

        QVERIFY(!form.timers().tmrScrSavScan->isActive());
        QCOMPARE(form.frameElements().captions[8]->text(), QStringLiteral("Auto Scan"));
        QVERIFY(form.state().scanShips);
        QCOMPARE(form.frameElements().captions[16]->text(), QStringLiteral("* Scan Ships"));
        const auto& played = rig.console.player.calls();
        QVERIFY(rig.console.sounds.soundOn());
        QCOMPARE(played.size(), std::size_t{1});
        QVERIFY(played.front().path.endsWith(QStringLiteral("/3.wav")) && !played.front().sync);

        // Centred with the +110/+10 twip shift; the title shows the bars.
        QCOMPARE(form.frameElements().picMain->left(), 237.5);
        QCOMPARE(form.frameElements().picMain->top(), 332.5);
        QVERIFY(!form.frameElements().barUp->visible());
        form.frameElements().lblCaption->click();
        QVERIFY(form.frameElements().barUp->visible());
        for (int member : {0, 10, 13, 17}) {
            const QString caption = form.frameElements().captions[member]->text();
            QVERIFY2(caption.startsWith(QLatin1Char(' ')) && caption.mid(1).toInt() >= 18425,
                     qPrintable(caption));
        }
        QCOMPARE(form.sceneElements().sector.starsScan->points().size(), std::size_t{100});
        QVERIFY(!form.sceneElements().sector.lblScanner[0]->visible());
    }

    void normalStartOnALargeScreenWithAnEmptyStore() {
        Rig rig;
        MainForm& form = rig.form;
        const FrameElements& f = form.frameElements();
        form.load();
        QVERIFY(form.timers().tmrScrSavScan->isActive());
        QCOMPARE(f.captions[8]->text(), QStringLiteral("* Auto Scan"));
        QCOMPARE(f.captions[16]->text(), QStringLiteral("Scan Ships"));
        QCOMPARE(form.geometry(), QRect(0, 0, 1024, 768));
        QVERIFY(f.barUp->visible() && f.shpRightDown->visible());
        QCOMPARE(f.trennOben[1]->backColor(), QColor(159, 152, 255));
        QCOMPARE(f.shapeOben->picture(), QStringLiteral("Shape_oben"));
        form.close();
        QCOMPARE(rig.console.ended, 1);
    }
};

QTEST_MAIN(MainFormTest)
#include "main_form_test.moc"
