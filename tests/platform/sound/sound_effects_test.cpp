#include "platform/sound/sound_effects.h"
#include "support/fifo_guard.h"
#include "support/recording_sound_player.h"

#include <QTemporaryDir>
#include <QTest>

#include <functional>

using ovant::SoundEffects;

class SoundEffectsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void eachHelperPlaysItsFileOnlyWhenItMay() {
        QTemporaryDir folder;
        // The helpers only check that a file opens; what is in it is the player's concern.
        for (const char* name : {"2.wav", "3.wav", "9.wav", "10.wav"}) {
            QFile file(folder.filePath(QLatin1String(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        using Helper = std::function<void(SoundEffects&)>;
        const Helper sound3 = [](SoundEffects& e) { e.playSound(QStringLiteral("3.wav")); };
        const Helper leaving = [](SoundEffects& e) { e.playSound2(); };
        const Helper arrival = [](SoundEffects& e) { e.playSound9(); };
        const Helper alarm = [](SoundEffects& e) { e.playSound10(); };
        // The console decides itself whether a plain sound may play, and the
        // arrival sound always plays; only leaving and the alarm obey the switch.
        const struct {
            Helper helper;
            bool soundOn;
            const char* played;  // empty: nothing
            bool sync;
        } cases[] = {{sound3, false, "3.wav", false}, {sound3, true, "3.wav", false},
                     {leaving, false, "", true},      {leaving, true, "2.wav", true},
                     {arrival, false, "9.wav", true}, {arrival, true, "9.wav", true},
                     {alarm, false, "", false},       {alarm, true, "10.wav", false}};
        for (const auto& c : cases) {
            RecordingSoundPlayer player;
            SoundEffects effects(player, folder.path());
            QVERIFY(!effects.soundOn());
            effects.setSoundOn(c.soundOn);
            int hookRuns = 0;
            qsizetype playedBeforeHook = -1;
            effects.setBeforeBlocking([&] {
                ++hookRuns;
                playedBeforeHook = qsizetype(player.calls().size());
            });
            c.helper(effects);
            const QString played = QLatin1String(c.played);
            const auto expected =
                played.isEmpty()
                    ? std::vector<RecordingSoundPlayer::Call>{}
                    : std::vector<RecordingSoundPlayer::Call>{{folder.filePath(played), c.sync}};
            QVERIFY2(player.calls() == expected, qPrintable(QString::number(&c - cases)));
            // The hook runs once, before a synchronous sound starts, and never
            // for an asynchronous one or for none.
            QCOMPARE(hookRuns, c.sync && !played.isEmpty() ? 1 : 0);
            if (hookRuns)
                QCOMPARE(playedBeforeHook, qsizetype{0});
        }
    }

    // A missing file, or a FIFO, a device or a folder named like a sound:
    // silent at once, and the hook that readies the screen does not run.
    void whatIsNoSoundFileLeavesThePlayerAndTheHookAlone() {
        QTemporaryDir empty;
        QTemporaryDir odd;
        const QString fifo = odd.filePath(QStringLiteral("1.wav"));
        const QString fifo10 = odd.filePath(QStringLiteral("10.wav"));
        QVERIFY(testsupport::makeFifo(fifo) && testsupport::makeFifo(fifo10));
        QVERIFY(QDir(odd.path()).mkdir(QStringLiteral("2.wav")));
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), odd.filePath(QStringLiteral("9.wav"))));
        for (const QTemporaryDir* folder : {&empty, &odd}) {
            RecordingSoundPlayer player;
            SoundEffects effects(player, folder->path());
            effects.setSoundOn(true);
            bool hookRan = false;
            effects.setBeforeBlocking([&] { hookRan = true; });
            QVERIFY(testsupport::returnsWithoutBlocking(
                [&] {
                    effects.playSound(QStringLiteral("1.wav"));
                    effects.playSound(QString());
                    effects.playSound2();
                    effects.playSound9();
                    effects.playSound10();
                },
                {fifo, fifo10}));
            QVERIFY(player.calls().empty());
            QVERIFY(!hookRan);
        }
    }
};

QTEST_GUILESS_MAIN(SoundEffectsTest)
#include "sound_effects_test.moc"