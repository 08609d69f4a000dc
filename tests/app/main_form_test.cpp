#include <QtTest>

#include "app/main_form.h"
#include "console/startup_reporter.h"
#include "elements/picture_store.h"
#include "platform/settings_store.h"
#include "platform/sound/sound_effects.h"
#include "support/recording_sound_player.h"
#include "support/scripted_random.h"

using namespace ovant;

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

struct Rig {
    RecordingSoundPlayer player;
    SoundEffects sounds{player, QStringLiteral(OVANT_SOUND_DIR)};
    SettingsStore settings;
    ovant::testing::ScriptedRandom random{{0.3, 0.6, 0.1, 0.9}};
    PictureStore pictures;
    RecordingReporter reporter;
    int ended = 0;
    std::unique_ptr<MainForm> form;

    explicit Rig(QRect screen) {
        ConsoleServices s;
        s.random = &random;
        s.settings = &settings;
        s.sounds = &sounds;
        s.pictures = &pictures;
        s.endProcess = [this] { ++ended; };
        s.executableFolder = QStringLiteral("/opt/ovant");
        s.screen = screen;
        form = std::make_unique<MainForm>(s, &reporter);
        reporter.console = form.get();
    }
};

}  // namespace

class MainFormTest : public QObject {
    Q_OBJECT

    QTemporaryDir config_;

private Q_SLOTS:
    void init() {
        qputenv("XDG_CONFIG_HOME", config_.path().toLocal8Bit());
        QFile::remove(SettingsStore::filePath());
    }

    void everyTimerHasItsIntervalAndStateAtLoad() {
        Rig rig(QRect(0, 0, 1024, 768));
        const ConsoleTimers& t = rig.form->timers();
        struct Row {
            QTimer* timer;
            int interval;
            bool on;
        };
        const Row rows[] = {{t.tmrScrSavScan, 6000, false},  {t.tmrAutoZoomStop, 1000, false},
                            {t.tmrAni, 100, true},           {t.tmrAni1, 100, true},
                            {t.timer2, 600, true},           {t.timer3, 600, true},
                            {t.tmrShip, 5000, true},         {t.tmrShipAni, 10, false},
                            {t.tmrShipInfo, 5000, false},    {t.tmrRedAlert, 150, false},
                            {t.tmrRedAlertRnd, 3000, false}, {t.tmrRedAlertRndStop, 1000, false}};
        for (const Row& row : rows) {
            QVERIFY2(row.timer->interval() == row.interval, qPrintable(row.timer->objectName()));
            QVERIFY2(row.timer->isActive() == row.on, qPrintable(row.timer->objectName()));
        }
        for (int i = 1; i <= 5; ++i) {
            QCOMPARE(t.starAni[i]->interval(), 200);
            QVERIFY(t.starAni[i]->isActive());
        }
        QCOMPARE(rig.form->pacer().timer1().interval(), 40);
        QVERIFY(!rig.form->pacer().timer1().isActive());
    }

    void elementsStandAtTheirDesignedBoxes_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRectF>("box");
        QTest::addColumn<bool>("visible");
        QTest::newRow("block") << "ButtonOben1" << QRectF(0, 150, 1555, 1395) << true;
        QTest::newRow("thin separator") << "TrennOben3" << QRectF(5145, 2400, 1600, 130) << true;
        QTest::newRow("lower separator") << "TrennUnten3" << QRectF(5145, 2640, 1600, 130) << true;
        QTest::newRow("pill") << "ButtonOben4" << QRectF(7350, 1530, 1980, 630) << true;
        QTest::newRow("side button") << "ButtonUnten5" << QRectF(30, 6810, 1550, 1300) << true;
        QTest::newRow("caption") << "Label1(17)" << QRectF(120, 30, 1365, 1155) << true;
        QTest::newRow("number field") << "Label11(1)" << QRectF(4245, 0, 900, 255) << true;
        QTest::newRow("number field row 7") << "Label4(7)" << QRectF(1480, 1440, 255, 255) << true;
        QTest::newRow("sector") << "StarsScan" << QRectF(2130, 3090, 9315, 5055) << true;
        QTest::newRow("marker") << "shpStar2" << QRectF(8040, 2730, 225, 255) << true;
        QTest::newRow("info label") << "lblStar4Info" << QRectF(5040, 3600, 735, 765) << true;
        QTest::newRow("grid caption") << "Label13" << QRectF(90, 1710, 135, 270) << true;
        QTest::newRow("planet panel") << "PicScanInfo" << QRectF(2100, 330, 4995, 1875) << false;
        QTest::newRow("planet rule") << "plntLine1_1" << QRectF(240, 130, 15, 740) << false;
        QTest::newRow("wrapping planet text")
            << "plntLabel3" << QRectF(2370, 570, 2505, 600) << false;
        QTest::newRow("object zoom") << "PicStarZoom" << QRectF(2130, 3090, 9345, 5025) << false;
        QTest::newRow("zoom text") << "StarZoomLabel6" << QRectF(5670, 2880, 3630, 1080) << false;
        QTest::newRow("zoom close") << "PicStarZoomOff" << QRectF(7470, 4620, 1860, 405) << false;
        QTest::newRow("telescope panel") << "PicSRTele" << QRectF(2100, 390, 5145, 1845) << false;
        QTest::newRow("telescope zoom rule")
            << "SRTZoomLine5_5" << QRectF(2340, 4150, 30, 365) << false;
        QTest::newRow("telescope zoom dot")
            << "SRTZoomDot5_3" << QRectF(2280, 4440, 135, 135) << false;
        QTest::newRow("ship") << "FedShip" << QRectF(0, 0, 390, 420) << false;
        QTest::newRow("ship panel") << "PicShipScan" << QRectF(2100, 480, 5145, 1755) << false;
    }
    void elementsStandAtTheirDesignedBoxes() {
        QFETCH(QString, name);
        QFETCH(QRectF, box);
        QFETCH(bool, visible);
        Rig rig(QRect(0, 0, 1024, 768));
        const Element* e = rig.form->tree().find(name);
        QVERIFY2(e != nullptr, qPrintable(name));
        QCOMPARE(QRectF(e->left(), e->top(), e->width(), e->height()), box);
        QCOMPARE(e->visible(), visible);
    }

    void scanOfTheTelescopeShowsItsOwnPanel() {
        Rig rig(QRect(0, 0, 1024, 768));
        rig.form->setAnimationSpeed(0);
        rig.form->scanPlanet(4);
        const SceneElements& scene = rig.form->sceneElements();
        QVERIFY(scene.telescopePanel.panel->visible());
        QVERIFY(scene.telescopePanel.title->visible());
        QVERIFY(!scene.planetPanel.panel->visible());
        QVERIFY(!rig.form->numberElements().picNum->visible());
        rig.form->hideSRTeleInfos();
        QVERIFY(!scene.telescopePanel.panel->visible());
        QVERIFY(rig.form->numberElements().picNum->visible());
    }

    void clickOnAnInfoLabelFliesThereAndFillsThePanel() {
        Rig rig(QRect(0, 0, 1024, 768));
        rig.form->setAnimationSpeed(0);
        rig.sounds.setSoundOn(true);
        const SceneElements& scene = rig.form->sceneElements();
        scene.sector.infoLabel[2]->click();
        QCOMPARE(int(rig.form->state().activeStar), 2);
        QCOMPARE(scene.sector.lblScanner[0]->left(), 7860.0);
        QCOMPARE(scene.planetPanel.title->text(), QStringLiteral("Omicron Theta"));
        QCOMPARE(scene.planetPanel.label[1]->text(),
                 QStringLiteral("Siedlung der F\u00f6deration"));
        QVERIFY(scene.planetPanel.label[5]->visible());
        // Another object wipes the panel first, then flies on.
        scene.sector.infoLabel[5]->click();
        QCOMPARE(int(rig.form->state().activeStar), 5);
        QCOMPARE(scene.planetPanel.title->text(), QStringLiteral("Lamenda Prime"));
        QCOMPARE(rig.player.fileNames().count(QStringLiteral("1.wav")), 1);
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

        // Centred with the +110/+10 twip shift.
        QCOMPARE(form.frameElements().picMain->left(), 237.5);
        QCOMPARE(form.frameElements().picMain->top(), 332.5);
        QVERIFY(!form.frameElements().barUp->visible());
        form.frameElements().lblCaption->click();
        QVERIFY(form.frameElements().barUp->visible());
        QCOMPARE(form.frameElements().shpRightDown->left(), 12000.0 - 510 - 20);
        QCOMPARE(form.pacer().timer1().interval(), 40);
        QVERIFY(!form.pacer().timer1().isActive());
        for (int member : {0, 10, 13, 17}) {
            const QString caption = form.frameElements().captions[member]->text();
            QVERIFY2(caption.startsWith(QLatin1Char(' ')) && caption.mid(1).toInt() >= 18425,
                     qPrintable(caption));
        }
        QCOMPARE(form.sceneElements().sector.starsScan->points().size(), std::size_t{100});
        QVERIFY(!form.sceneElements().sector.lblScanner[0]->visible());
        // Three caption numbers take 0.3, 0.6 and 0.1; the parking draw takes
        // 0.9, the corner (11300, 7000).
        QCOMPARE(form.sceneElements().sector.lblScanner[0]->left(), 11300.0);
        QCOMPARE(form.sceneElements().sector.lblScanner[1]->left(), 11900.0);
        QCOMPARE(form.sceneElements().sector.lblScanner[0]->top(), 7000.0);
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
        QCOMPARE(f.shpRightUp->left(), 15360.0 - 510 - 20);
        QCOMPARE(f.barUp->left(), 10.0 + 510 + 170);
        QCOMPARE(f.barUp->width(), 15360.0 - 670 - 710);
        QCOMPARE(f.barDown->top(), 11520.0 - 540 - 60);
        QCOMPARE(f.shpLeftUp->top(), 60.0);
        QCOMPARE(f.trennOben[1]->backColor(), QColor(159, 152, 255));
        QCOMPARE(f.shapeOben->picture(), QStringLiteral("Shape_oben"));

        form.close();
        QCOMPARE(rig.ended, 1);
    }
};

QTEST_MAIN(MainFormTest)
#include "main_form_test.moc"
