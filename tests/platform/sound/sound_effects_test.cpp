#include "platform/sound/sound_effects.h"
#include "support/fifo_guard.h"
#include "support/recording_sound_player.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using ovant::SoundEffects;

Q_DECLARE_METATYPE(std::function<void(SoundEffects&)>)

class SoundEffectsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void eachHelperPlaysItsFileOnlyWhenItMay_data();
    void eachHelperPlaysItsFileOnlyWhenItMay();
    void aMissingFileLeavesThePlayerAndTheHookAlone();
    void aFifoDeviceOrFolderNamedLikeASoundIsSilentAtOnce();

private:
    QTemporaryDir m_folder;
};

namespace {

using Helper = std::function<void(SoundEffects&)>;

const Helper kPlaySound3 = [](SoundEffects& effects) {
    effects.playSound(QStringLiteral("3.wav"));
};
const Helper kPlaySound2 = [](SoundEffects& effects) { effects.playSound2(); };
const Helper kPlaySound9 = [](SoundEffects& effects) { effects.playSound9(); };
const Helper kPlaySound10 = [](SoundEffects& effects) { effects.playSound10(); };

}  // namespace

void SoundEffectsTest::initTestCase() {
    QVERIFY(m_folder.isValid());
    // The helpers only check that a file opens; what is in it is the player's concern.
    for (const char* name : {"2.wav", "3.wav", "9.wav", "10.wav"}) {
        QFile file(m_folder.filePath(QLatin1String(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
}

void SoundEffectsTest::eachHelperPlaysItsFileOnlyWhenItMay_data() {
    QTest::addColumn<Helper>("helper");
    QTest::addColumn<bool>("soundOn");
    QTest::addColumn<QString>("played");  // empty: nothing
    QTest::addColumn<bool>("sync");

    // The console decides itself whether a plain sound may play, and the
    // arrival sound always plays; only leaving and the alarm obey the switch.
    QTest::newRow("playSound plays with sound off") << kPlaySound3 << false << "3.wav" << false;
    QTest::newRow("playSound plays with sound on") << kPlaySound3 << true << "3.wav" << false;
    QTest::newRow("leaving is silent with sound off") << kPlaySound2 << false << "" << true;
    QTest::newRow("leaving waits for its sound with sound on")
        << kPlaySound2 << true << "2.wav" << true;
    QTest::newRow("arrival waits for its sound with sound off")
        << kPlaySound9 << false << "9.wav" << true;
    QTest::newRow("arrival waits for its sound with sound on")
        << kPlaySound9 << true << "9.wav" << true;
    QTest::newRow("the alarm is silent with sound off") << kPlaySound10 << false << "" << false;
    QTest::newRow("the alarm plays with sound on") << kPlaySound10 << true << "10.wav" << false;
}

void SoundEffectsTest::eachHelperPlaysItsFileOnlyWhenItMay() {
    QFETCH(Helper, helper);
    QFETCH(bool, soundOn);
    QFETCH(QString, played);
    QFETCH(bool, sync);

    RecordingSoundPlayer player;
    SoundEffects effects(player, m_folder.path());
    QVERIFY(!effects.soundOn());
    effects.setSoundOn(soundOn);
    int hookRuns = 0;
    qsizetype playedBeforeHook = -1;
    effects.setBeforeBlocking([&] {
        ++hookRuns;
        playedBeforeHook = static_cast<qsizetype>(player.calls().size());
    });

    helper(effects);

    if (played.isEmpty()) {
        QVERIFY(player.calls().empty());
        QCOMPARE(hookRuns, 0);
        return;
    }
    const std::vector<RecordingSoundPlayer::Call> expected = {
        {m_folder.path() + QLatin1Char('/') + played, sync}};
    QVERIFY(player.calls() == expected);
    // The hook runs once, before a synchronous sound starts, and never for
    // an asynchronous one.
    QCOMPARE(hookRuns, sync ? 1 : 0);
    if (sync)
        QCOMPARE(playedBeforeHook, qsizetype{0});
}

void SoundEffectsTest::aMissingFileLeavesThePlayerAndTheHookAlone() {
    QTemporaryDir empty;
    RecordingSoundPlayer player;
    SoundEffects effects(player, empty.path());
    effects.setSoundOn(true);
    bool hookRan = false;
    effects.setBeforeBlocking([&] { hookRan = true; });

    effects.playSound(QStringLiteral("1.wav"));
    effects.playSound(QString());
    effects.playSound2();
    effects.playSound9();
    effects.playSound10();

    QVERIFY(player.calls().empty());
    QVERIFY(!hookRan);
}

void SoundEffectsTest::aFifoDeviceOrFolderNamedLikeASoundIsSilentAtOnce() {
    QTemporaryDir folder;
    const QString fifo = folder.filePath(QStringLiteral("1.wav"));
    QVERIFY(testsupport::makeFifo(fifo));
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("2.wav")));
    QVERIFY(QFile::link(QStringLiteral("/dev/zero"), folder.filePath(QStringLiteral("9.wav"))));
    const QString fifo10 = folder.filePath(QStringLiteral("10.wav"));
    QVERIFY(testsupport::makeFifo(fifo10));
    RecordingSoundPlayer player;
    SoundEffects effects(player, folder.path());
    effects.setSoundOn(true);
    bool hookRan = false;
    effects.setBeforeBlocking([&] { hookRan = true; });

    QVERIFY(testsupport::returnsWithoutBlocking(
        [&] {
            effects.playSound(QStringLiteral("1.wav"));
            effects.playSound2();
            effects.playSound9();
            effects.playSound10();
        },
        {fifo, fifo10}));

    QVERIFY(player.calls().empty());
    QVERIFY(!hookRan);
}

QTEST_GUILESS_MAIN(SoundEffectsTest)
#include "sound_effects_test.moc"
