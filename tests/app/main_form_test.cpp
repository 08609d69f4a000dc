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
    std::unique_ptr<MainForm>& form;
    RecordingSoundPlayer& player;
    SoundEffects& sounds;
    int& ended;

    explicit Rig(QRect screen)
        : console({screen, {0.3, 0.6, 0.1, 0.9}, &reporter, true, false}),
          form(console.form),
          player(console.player),
          sounds(console.sounds),
          ended(console.ended) {
        reporter.console = form.get();
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

    void clocksThatDrawTheirNextIntervalStartInsideTheirRange_data() {
        QTest::addColumn<QString>("timer");
        QTest::addColumn<int>("lowest");
        QTest::addColumn<int>("highest");
        using namespace timing;
        for (int i = 1; i <= 5; ++i) {
            QTest::addRow("Star%dAni", i) << QStringLiteral("Star%1Ani").arg(i)
                                          << kInfoLabelNext.minMs << kInfoLabelNext.maxMs;
        }
        // The button clocks change their first button sooner than any later one.
        QTest::newRow("tmrAni") << "tmrAni" << 1 << kSideButtonsNext.minMs;
        QTest::newRow("tmrAni1") << "tmrAni1" << 1 << kPillButtonsNext.minMs;
        // The fill clock waits 9 ms x column x row, so 9 to 693 ms.
        QTest::newRow("Timer3") << "Timer3" << kNumberFillStepMs
                                << kNumberFillStepMs * NumberElements::kColumns *
                                       NumberElements::kRows;
    }
    void clocksThatDrawTheirNextIntervalStartInsideTheirRange() {
        QFETCH(QString, timer);
        QFETCH(int, lowest);
        QFETCH(int, highest);
        Rig rig(QRect(0, 0, 1024, 768));
        const auto* t = rig.form->findChild<QTimer*>(timer);
        QVERIFY2(t != nullptr, qPrintable(timer));
        QVERIFY2(t->interval() >= lowest && t->interval() <= highest,
                 qPrintable(QString::number(t->interval())));
    }

    // The clocks of the screen saver, the zoom, the ships' flight and red
    // alert wait until their mode begins; the rest run from the load on.
    void everyClockHasItsOwnNameRunsFromItsModeAndFastClocksArePrecise() {
        Rig rig(QRect(0, 0, 1024, 768));
        const ConsoleTimers& t = rig.form->timers();
        std::vector<const QTimer*> all = {t.tmrScrSavScan,
                                          t.tmrAutoZoomStop,
                                          t.tmrAni,
                                          t.tmrAni1,
                                          t.timer2,
                                          t.timer3,
                                          t.tmrShip,
                                          t.tmrShipAni,
                                          t.tmrShipInfo,
                                          t.tmrRedAlert,
                                          t.tmrRedAlertRnd,
                                          t.tmrRedAlertRndStop,
                                          &rig.form->pacer().timer1()};
        for (int i = 1; i <= 5; ++i) {
            all.push_back(t.starAni[static_cast<std::size_t>(i)]);
        }
        const QSet<const QTimer*> later = {
            t.tmrScrSavScan, t.tmrAutoZoomStop, t.tmrShipAni,         t.tmrShipInfo,
            t.tmrRedAlert,   t.tmrRedAlertRnd,  t.tmrRedAlertRndStop, &rig.form->pacer().timer1()};
        QSet<QString> names;
        for (const QTimer* timer : all) {
            QVERIFY(timer != nullptr);
            const QString name = timer->objectName();
            QVERIFY2(!name.isEmpty() && !names.contains(name), qPrintable(name));
            names.insert(name);
            QVERIFY2(timer->isActive() != later.contains(timer), qPrintable(name));
            QVERIFY2(timer->interval() > 0, qPrintable(name));
            if (timer->interval() < timing::kPreciseBelowMs) {
                QVERIFY2(timer->timerType() == Qt::PreciseTimer, qPrintable(name));
            }
        }
        // A tick pause is one 40 ms tick.
        QCOMPARE(rig.form->pacer().timer1().interval(), 40);
    }

    void everyElementLiesInsideItsContainer() {
        Rig rig(QRect(0, 0, 1024, 768));
        writeLongestTexts(*rig.form, 3, 0.9999999);
        const ElementTree& tree = rig.form->tree();
        const Twips& twips = tree.twips();
        // Designed to reach outside their container:
        const QSet<QString> reachOut = {
            // the scanner parks outside the sector, and its lines run past
            // both edges of the sector picture
            QStringLiteral("lblScanner(0)"), QStringLiteral("lblScanner(1)"),
            QStringLiteral("LineScan(0)"), QStringLiteral("LineScan(1)"),
            // the vertical grid lines start above the sector to run through its top edge
            QStringLiteral("Line5"), QStringLiteral("Line6"), QStringLiteral("Line7"),
            QStringLiteral("Line8"), QStringLiteral("Line9"),
            // the title and the telescope panel's first text start above
            // their picture's top edge; only the empty top of the line is cut off
            QStringLiteral("lblCaption"), QStringLiteral("SRTLabel1")};
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

    void afterTheStartTheConsoleAndItsBarsLieOnTheScreen_data() {
        QTest::addColumn<QRect>("screen");
        QTest::newRow("800 x 600, no bars") << QRect(0, 0, 800, 600);
        QTest::newRow("1920 x 1080, with bars") << QRect(0, 0, 1920, 1080);
    }
    void afterTheStartTheConsoleAndItsBarsLieOnTheScreen() {
        QFETCH(QRect, screen);
        Rig rig(screen);
        rig.form->load();
        const Twips& twips = rig.form->tree().twips();
        const QRectF onScreen(0, 0, twips.fromPixels(screen.width()),
                              twips.fromPixels(screen.height()));
        int shown = 0;
        for (const auto& child : rig.form->tree().root().children()) {
            const Element& e = *child;
            if (!e.visible()) {
                continue;
            }
            ++shown;
            const QRectF box(e.left(), e.top(), e.width(), e.height());
            QVERIFY2(onScreen.contains(box), qPrintable(e.name()));
        }
        // The console picture, and on large screens the six bar pieces.
        QCOMPARE(shown, screen.width() > 900 ? 7 : 1);
    }

    void everyCaptionFitsItsBox_data() {
        QTest::addColumn<QRect>("screen");
        QTest::newRow("1024 x 768") << QRect(0, 0, 1024, 768);
        QTest::newRow("1920 x 1080") << QRect(0, 0, 1920, 1080);
    }
    void everyCaptionFitsItsBox() {
        QFETCH(QRect, screen);
        Rig rig(screen);
        const ElementTree& tree = rig.form->tree();
        const Twips& twips = tree.twips();
        // The brackets are figures stretched over their box, not captions.
        const QSet<QString> figures = {QStringLiteral("lblScanner(0)"),
                                       QStringLiteral("lblScanner(1)")};
        QStringList overflowing;
        const auto checkAll = [&] {
            forEachElement(tree.root(), [&](const Element& e, const Element&) {
                if (e.kind() != ElementKind::Label || e.text().isEmpty() ||
                    figures.contains(e.name())) {
                    return;
                }
                const QSizeF needs = textNeeds(tree, e);
                // Descenders may hang into the rows below the box that every
                // change of a label repaints with it.
                const QSizeF box(twips.toPixelsF(e.width()),
                                 twips.toPixelsF(e.height()) + TextLayout::kMaxOverhang);
                if (needs.width() > box.width() || needs.height() > box.height()) {
                    overflowing << QStringLiteral("%1 needs %2 x %3 px in %4 x %5")
                                       .arg(e.name())
                                       .arg(needs.width())
                                       .arg(needs.height())
                                       .arg(box.width())
                                       .arg(box.height());
                }
            });
        };
        checkAll();
        for (const int star : {1, 2, 3, 5}) {
            for (const double r : {0.0, 0.9999999}) {
                writeLongestTexts(*rig.form, star, r);
                checkAll();
            }
        }
        overflowing.removeDuplicates();
        QVERIFY2(overflowing.isEmpty(), qPrintable(overflowing.join(QStringLiteral("; "))));
    }

    void theBoxesTheEndToEndTestsClickAndReadStayPut_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRectF>("box");
        QTest::newRow("sector") << "StarsScan" << QRectF(2130, 3090, 9315, 5055);
        QTest::newRow("planet panel") << "PicScanInfo" << QRectF(2100, 330, 4995, 1875);
        QTest::newRow("first leader") << "plntLine1_1" << QRectF(240, 130, 15, 740);
        QTest::newRow("first point") << "plntDot1" << QRectF(180, 820, 135, 135);
    }
    void theBoxesTheEndToEndTestsClickAndReadStayPut() {
        QFETCH(QString, name);
        QFETCH(QRectF, box);
        Rig rig(QRect(0, 0, 1024, 768));
        const Element* e = rig.form->tree().find(name);
        QVERIFY2(e != nullptr, qPrintable(name));
        QCOMPARE(QRectF(e->left(), e->top(), e->width(), e->height()), box);
    }

    void normalStartOnASmallScreenWithStoredOptions() {
        SettingsStore store;
        store.saveSwitch(settings::kAutoScan, false);
        store.saveSwitch(settings::kShipScan, true);
        store.saveText(settings::kAniSpeed, QStringLiteral("0.5"));
        Rig rig(QRect(0, 0, 800, 600));
        rig.form->load();

        const QString cr(QChar(13));
        QCOMPARE(rig.reporter.text, QStringLiteral("Initialisiere OVANT-Interface... OK") + cr +
                                        QStringLiteral("Interface-Modus: Normal") + cr +
                                        QStringLiteral("Lade Grafiken... OK") + cr +
                                        QStringLiteral("Lade Einstellungen... OK") + cr +
                                        QStringLiteral("Bereit."));
        QVERIFY(rig.reporter.finished);
        QVERIFY(rig.reporter.consoleVisibleAtFinish);

        // The start rewrites the speed before reading it.
        QCOMPARE(store.getText(settings::kPath), QStringLiteral("/opt/ovant"));
        QCOMPARE(store.getText(settings::kAniSpeed), QLocale().toString(0.005));
        QCOMPARE(store.getText(settings::kAniSpeedStep), QStringLiteral("3"));
        QCOMPARE(rig.form->state().aniSpeed, 0.005);

        MainForm& form = *rig.form;
        QVERIFY(!form.timers().tmrScrSavScan->isActive());
        QCOMPARE(form.frameElements().captions[8]->text(), QStringLiteral("Auto Scan"));
        QVERIFY(form.state().scanShips);
        QCOMPARE(form.frameElements().captions[16]->text(), QStringLiteral("* Scan Ships"));
        QVERIFY(rig.sounds.soundOn());
        QCOMPARE(rig.player.calls().size(), std::size_t{1});
        QVERIFY(rig.player.calls().front().path.endsWith(QStringLiteral("/3.wav")));
        QVERIFY(!rig.player.calls().front().sync);

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
        Rig rig(QRect(0, 0, 1024, 768));
        rig.form->load();
        MainForm& form = *rig.form;
        QVERIFY(form.timers().tmrScrSavScan->isActive());
        QCOMPARE(form.frameElements().captions[8]->text(), QStringLiteral("* Auto Scan"));
        QCOMPARE(form.frameElements().captions[16]->text(), QStringLiteral("Scan Ships"));
        QCOMPARE(form.geometry(), QRect(0, 0, 1024, 768));
        const FrameElements& f = form.frameElements();
        QVERIFY(f.barUp->visible() && f.shpRightDown->visible());
        QCOMPARE(f.trennOben[1]->backColor(), QColor(159, 152, 255));
        QCOMPARE(f.shapeOben->picture(), QStringLiteral("Shape_oben"));

        form.close();
        QCOMPARE(rig.ended, 1);
    }
};

QTEST_MAIN(MainFormTest)
#include "main_form_test.moc"
