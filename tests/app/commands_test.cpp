// The commands of the frame's buttons, their captions and the keys, through
// the console's real wiring.
#include <QtTest>

#include "platform/settings_store.h"
#include "support/console_rig.h"
#include "windows/info_window.h"

using namespace ovant;
using ovant::testing::ConsoleRig;

namespace {

// What a command leaves behind that a user or the next start could see.
struct Outcome {
    QStringList sounds;
    int ended = 0;
    QByteArray stored;
    bool scanShips = false;
    bool shipInSector = false;
    bool redAlert = false;
    bool autoScanRuns = false;
    QString autoScanCaption;
    QString scanShipsCaption;
    bool operator==(const Outcome&) const = default;
};

QByteArray storedFile() {
    QFile file(SettingsStore::filePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

Outcome outcomeOf(const ConsoleRig& rig) {
    const MainForm& form = *rig.form;
    return {rig.player.fileNames(),
            rig.ended,
            storedFile(),
            form.state().scanShips,
            form.state().shipInSector,
            form.state().redAlertActive,
            form.timers().tmrScrSavScan->isActive(),
            form.frameElements().captions[8]->text(),
            form.frameElements().captions[16]->text()};
}

// Leaves the info window with Escape as soon as it shows, noting what the
// console looked like meanwhile.
struct InfoVisit {
    bool opened = false;
    bool modal = false;
    bool soundOnWhileOpen = true;
};

void leaveInfoWhenItOpens(ConsoleRig& rig, InfoVisit& visit) {
    QTimer::singleShot(20, rig.form.get(), [&rig, &visit] {
        auto* info = rig.form->findChild<InfoWindow*>();
        if (info == nullptr) {
            return;
        }
        visit.opened = info->isVisible();
        visit.modal = info->isModal();
        visit.soundOnWhileOpen = rig.sounds.soundOn();
        QTest::keyClick(info, Qt::Key_Escape);
    });
}

}  // namespace

class CommandsTest : public QObject {
    Q_OBJECT

    QTemporaryDir config_;

private Q_SLOTS:
    void init() {
        qputenv("XDG_CONFIG_HOME", config_.path().toLocal8Bit());
        QFile::remove(SettingsStore::filePath());
    }

    void aCaptionRunsTheCommandOfItsButton_data() {
        QTest::addColumn<bool>("oben");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("caption");
        QTest::newRow("Exit") << true << 1 << 11;
        QTest::newRow("Info") << true << 3 << 9;
        QTest::newRow("Auto Scan") << true << 4 << 8;
        QTest::newRow("Red Alert") << false << 1 << 12;
        QTest::newRow("Ship") << false << 2 << 14;
        QTest::newRow("Scan Ships") << false << 3 << 16;
        QTest::newRow("End Scan") << false << 4 << 15;
    }

    void aCaptionRunsTheCommandOfItsButton() {
        QFETCH(bool, oben);
        QFETCH(int, button);
        QFETCH(int, caption);
        const auto press = [&](bool onCaption) {
            QFile::remove(SettingsStore::filePath());
            ConsoleRig rig;
            InfoVisit visit;
            leaveInfoWhenItOpens(rig, visit);
            const FrameElements& frame = rig.form->frameElements();
            Element* target = onCaption ? frame.captions[caption]
                              : oben    ? frame.buttonOben[button]
                                        : frame.buttonUnten[button];
            target->click();
            return outcomeOf(rig);
        };
        const Outcome byButton = press(false);
        QVERIFY2(!byButton.sounds.isEmpty(), "every command answers with a sound");
        QCOMPARE(press(true).sounds, byButton.sounds);
        QVERIFY(press(true) == byButton);
    }

    void numberCaptionsAndTheFirstNumberColumnDoNothing() {
        ConsoleRig rig;
        const Outcome before = outcomeOf(rig);
        const FrameElements& frame = rig.form->frameElements();
        for (int member : {0, 10, 13, 17}) {
            frame.captions[member]->click();
        }
        for (int row = 1; row <= 7; ++row) {
            rig.form->numberElements().field[1][row]->click();
        }
        QVERIFY(outcomeOf(rig) == before);
    }

    void infoIsModalKeepsTheConsoleQuietAndLeavesSoundOn_data() {
        QTest::addColumn<bool>("soundBefore");
        QTest::addColumn<bool>("questionMark");
        QTest::newRow("F1, sound on") << true << false;
        QTest::newRow("F1, sound off") << false << false;
        QTest::newRow("question mark") << true << true;
    }

    void infoIsModalKeepsTheConsoleQuietAndLeavesSoundOn() {
        QFETCH(bool, soundBefore);
        QFETCH(bool, questionMark);
        ConsoleRig rig;
        rig.sounds.setSoundOn(soundBefore);
        InfoVisit visit;
        leaveInfoWhenItOpens(rig, visit);
        if (questionMark) {
            QTest::keyClick(rig.form.get(), '?', Qt::ShiftModifier);
        } else {
            QTest::keyClick(rig.form.get(), Qt::Key_F1);
        }
        QVERIFY(visit.opened);
        QVERIFY(visit.modal);
        QVERIFY(!visit.soundOnWhileOpen);
        QVERIFY(rig.sounds.soundOn());
        QCOMPARE(rig.player.fileNames(),
                 soundBefore ? QStringList{QStringLiteral("1.wav")} : QStringList{});
        QVERIFY(rig.form->findChild<InfoWindow*>() == nullptr);
    }

    void theConsoleClosingWhileInfoIsOpenLeavesTheInfoLoop() {
        ConsoleRig rig;
        QTimer::singleShot(20, rig.form.get(), [&rig] { rig.form->close(); });
        QElapsedTimer clock;
        clock.start();
        rig.form->infoCommand();
        QCOMPARE(rig.ended, 1);
        QVERIFY(clock.elapsed() < 5000);
    }

    void theShipKeyIsSilentWhileAShipCrossesAndItsButtonRefuses() {
        ConsoleRig rig;
        QTest::keyClick(rig.form.get(), Qt::Key_P);
        QVERIFY(rig.form->state().shipInSector);
        QCOMPARE(rig.player.fileNames(), QStringList{QStringLiteral("1.wav")});
        QTest::keyClick(rig.form.get(), Qt::Key_P);
        QCOMPARE(rig.player.fileNames(), QStringList{QStringLiteral("1.wav")});
        rig.form->frameElements().buttonUnten[2]->click();
        QCOMPARE(rig.player.fileNames(),
                 (QStringList{QStringLiteral("1.wav"), QStringLiteral("7.wav")}));
    }

    void leavingKeysEndAfterTheLeavingSound_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("X") << int(Qt::Key_X) << int(Qt::NoModifier);
        QTest::newRow("Alt+F4") << int(Qt::Key_F4) << int(Qt::AltModifier);
    }

    void leavingKeysEndAfterTheLeavingSound() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        ConsoleRig rig;
        QTest::keyClick(rig.form.get(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(rig.ended, 1);
        QCOMPARE(rig.player.fileNames(), QStringList{QStringLiteral("2.wav")});
        QVERIFY(rig.player.calls().front().sync);
    }

    void aHeldKeyDoesNotRepeatItsCommand() {
        ConsoleRig rig;
        QKeyEvent held(QEvent::KeyPress, Qt::Key_P, Qt::NoModifier, QStringLiteral("p"), true);
        QCoreApplication::sendEvent(rig.form.get(), &held);
        QVERIFY(!rig.form->state().shipInSector);
        QVERIFY(rig.player.fileNames().isEmpty());
    }
};

QTEST_MAIN(CommandsTest)
#include "commands_test.moc"
