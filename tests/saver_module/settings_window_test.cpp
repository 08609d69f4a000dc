// The screen-saver settings window with recorded sounds and starts: what it
// reads and stores, its dependent boxes, its commands, and how it ends while
// its panel is still building or coming down (run under ASan).
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QtTest>

#include "platform/settings_store.h"
#include "saver_module/schirm_texts.h"
#include "saver_module/settings_window.h"
#include "support/scripted_random.h"

using namespace ovant;
namespace L = ovant::options_layout;

namespace {

QByteArray storeBytes() {
    QFile file(SettingsStore::filePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Switch texts in the panel's order: RedAlert, RedAlertRnd, AutoZoom,
// AutoZoomRnd, ShipScan, Sound.
void storeSwitches(const QStringList& texts) {
    for (int i = 0; i < texts.size(); ++i) {
        SettingsStore().saveText(L::kChecks[i].key, texts[i]);
    }
}

// One window with its module services recorded.
struct Rig {
    SettingsStore store;
    testing::ScriptedRandom random{{0.0, 0.5, 0.9999999}};
    QStringList sounds;
    QList<QStringList> starts;  // the program, then its arguments
    QStringList messages;
    bool startFails = false;
    int finished = 0;
    QPointer<SettingsWindow> window;

    Rig() {
        SchirmServices s;
        s.settings = &store;
        s.random = &random;
        s.playSound = [this](const QString& file) { sounds.append(file); };
        s.startDetached = [this](const QString& program, const QStringList& arguments) {
            starts.append(QStringList{program} + arguments);
            return startFails ? std::optional(StartFailure{2, QStringLiteral("Not found")})
                              : std::nullopt;
        };
        s.showMessage = [this](const QString& title, const QString& text) {
            messages.append(title + QLatin1Char('|') + text);
        };
        window = new SettingsWindow(s);
        QObject::connect(window, &SettingsWindow::finished, [this] { ++finished; });
        window->open();
    }
    ~Rig() { delete window; }

    QCheckBox* box(int which) const { return window->box(L::Switch(which)); }
    bool built() const { return box(L::Sounds)->isVisible(); }
    QString marks() const {
        QString m;
        for (int i = 0; i < L::kSwitches; ++i) {
            m += box(i)->isChecked() ? QLatin1Char('1') : QLatin1Char('0');
        }
        return m;
    }
    void click(const QString& name) const {
        auto* caption = window->findChild<QLabel*>(name);
        QTest::mouseClick(caption->parentWidget(), Qt::LeftButton, {},
                          caption->geometry().center());
    }
};

}  // namespace

class SettingsWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void init() { QFile::remove(SettingsStore::filePath()); }

    void opensWithTheStoredSwitchesAndOkStoresOnlyZeroOrOne_data() {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QString>("marks");
        QTest::newRow("empty store") << QStringList{} << "000011";
        QTest::newRow("all on") << QStringList{"1", "1", "1", "1", "1", "1"} << "111111";
        QTest::newRow("no switch texts")
            << QStringList{"2", "yes", "-1", "", "1.5", "0"} << "000000";
    }
    void opensWithTheStoredSwitchesAndOkStoresOnlyZeroOrOne() {
        QFETCH(QStringList, stored);
        QFETCH(QString, marks);
        storeSwitches(stored);
        SettingsStore().saveText(settings::kScrAniSpeed, QStringLiteral("0.5"));
        Rig rig;
        QCOMPARE(rig.marks(), marks);
        QCOMPARE(rig.box(L::RedAlertRnd)->isEnabled(), marks[L::RedAlert] == QLatin1Char('1'));
        QCOMPARE(rig.box(L::AutoZoomRnd)->isEnabled(), marks[L::AutoZoom] == QLatin1Char('1'));
        QCOMPARE(rig.store.getText(settings::kScrAniSpeed), QLocale().toString(0.005));
        QCOMPARE(rig.store.getText(settings::kScrAniSpeedStep), QStringLiteral("3"));

        QTRY_VERIFY(rig.built());
        QTest::keyClick(rig.window, Qt::Key_Return);
        QCOMPARE(rig.finished, 1);
        for (int i = 0; i < L::kSwitches; ++i) {
            QCOMPARE(rig.store.getText(L::kChecks[i].key), QString(marks[i]));
        }
    }

    void aRandomBoxFollowsItsLeaderButKeepsItsMark() {
        Rig rig;
        QTRY_VERIFY(rig.built());
        for (const L::Dependent d : L::kDependents) {
            QTest::mouseClick(rig.box(d.leader), Qt::LeftButton);
            QTest::mouseClick(rig.box(d.follower), Qt::LeftButton);
            QTest::mouseClick(rig.box(d.leader), Qt::LeftButton);
            QVERIFY(!rig.box(d.follower)->isEnabled());
            QTest::mouseClick(rig.box(d.follower), Qt::LeftButton);  // disabled: no change
        }
        rig.window->ok();
        QCOMPARE(rig.store.getText(settings::kScrRedAlertRnd), QStringLiteral("1"));
        QCOMPARE(rig.store.getText(settings::kScrAutoZoomRnd), QStringLiteral("1"));
    }

    void cancelInAnyFormStoresNothingButTheSpeed_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("Escape on a focused box") << "escape";
        QTest::newRow("click on the caption") << "Label1(11)";
        QTest::newRow("the title bar's close") << "close";
    }
    void cancelInAnyFormStoresNothingButTheSpeed() {
        QFETCH(QString, how);
        storeSwitches({"1", "x", "0", "1", "0", "7"});
        Rig rig;
        const QByteArray opened = storeBytes();
        QTRY_VERIFY(rig.built());
        for (int i = 0; i < L::kSwitches; i += 2) {
            QTest::mouseClick(rig.box(i), Qt::LeftButton);
        }
        if (how == QLatin1String("escape")) {
            rig.box(L::Sounds)->setFocus();
            QTest::keyClick(rig.box(L::Sounds), Qt::Key_Escape);
        } else if (how == QLatin1String("close")) {
            rig.window->close();
        } else {
            rig.click(how);
        }
        QTRY_COMPARE(rig.finished, 1);
        QVERIFY(!rig.window->isVisible());
        QCOMPARE(storeBytes(), opened);
        QCOMPARE(rig.sounds, QStringList{"1.wav"});
    }

    void twoQuickOkPressesSaveOnceAndEndOnce() {
        Rig rig;
        QTRY_VERIFY(rig.built());
        // While the panel comes down after the first Enter, the store changes
        // and Enter comes again: the second press must not store over it.
        QTimer::singleShot(60, rig.window, [&rig] {
            rig.store.saveText(settings::kScrShipScan, QStringLiteral("changed"));
            QTest::keyClick(rig.window, Qt::Key_Enter);
        });
        QTest::keyClick(rig.window, Qt::Key_Enter);
        QCOMPARE(rig.finished, 1);
        QCOMPARE(rig.store.getText(settings::kScrShipScan), QStringLiteral("changed"));
        QCOMPARE(rig.sounds, QStringList{"1.wav"});
    }

    // Whatever ends the window inside a pause of the build-up or take-down,
    // the paused sequence must not touch it afterwards.
    void endingWhileThePanelBuildsLeavesTheWindowAlone_data() {
        QTest::addColumn<int>("okAtMs");
        QTest::addColumn<int>("deleteAtMs");
        QTest::newRow("OK before the build begins") << 50 << -1;
        QTest::newRow("OK while it builds") << 260 << -1;
        QTest::newRow("window deleted while it builds") << -1 << 260;
        QTest::newRow("window deleted while it comes down") << 260 << 330;
    }
    void endingWhileThePanelBuildsLeavesTheWindowAlone() {
        QFETCH(int, okAtMs);
        QFETCH(int, deleteAtMs);
        Rig rig;
        if (okAtMs >= 0) {
            QTimer::singleShot(okAtMs, rig.window, [&rig] { rig.window->ok(); });
        }
        if (deleteAtMs >= 0) {
            QTimer::singleShot(deleteAtMs, [&rig] { delete rig.window; });
        }
        QTest::qWait(1000);
        QCOMPARE(rig.finished, deleteAtMs < 0 ? 1 : 0);
        if (rig.window) {
            QVERIFY(!rig.window->isVisible());
            QVERIFY(rig.window->findChild<QWidget*>(QStringLiteral("PicOpt"))->isHidden());
            for (int i = 0; i < L::kSwitches; ++i) {
                QVERIFY(rig.box(i)->isHidden());
            }
        }
    }

    void infoButtonF1AndQuestionMarkStartTheInfoWindowButOnlyTheButtonReportsAFailure() {
        Rig rig;
        rig.store.saveText(settings::kPath, QStringLiteral("/opt/OVANT Scan"));
        rig.startFails = true;
        rig.click(QStringLiteral("Label1(14)"));
        QTest::keyClick(rig.window, Qt::Key_F1);
        QTest::keyClick(rig.window, '?');
        rig.click(QStringLiteral("Label1(12)"));  // the options button only refuses
        QCOMPARE(rig.sounds, (QStringList{"1.wav", "1.wav", "1.wav", "7.wav"}));
        const QStringList info{consoleProgram(QStringLiteral("/opt/OVANT Scan")),
                               QStringLiteral("Mode:ShowInfo")};
        QCOMPARE(rig.starts, (QList<QStringList>{info, info, info}));
        QCOMPARE(rig.messages, QStringList{schirm_texts::pathUnknownTitle() + QLatin1Char('|') +
                                           schirm_texts::infoFailedText({2, "Not found"})});
        QVERIFY(!rig.window->closing());
    }
};

QTEST_MAIN(SettingsWindowTest)
#include "settings_window_test.moc"
