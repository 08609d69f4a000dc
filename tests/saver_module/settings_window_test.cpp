// The screen-saver settings window with recorded sounds and starts: what it
// reads and stores, its dependent boxes, its commands, and how it ends while
// its panel is still building or coming down.
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QSettings>
#include <QtTest>

#include "platform/settings_store.h"
#include "saver_module/frame_piece.h"
#include "saver_module/schirm_texts.h"
#include "saver_module/settings_window.h"
#include "support/scripted_random.h"

using namespace ovant;
namespace L = ovant::options_layout;

namespace {

const QString kFolder = QStringLiteral("/opt/OVANT Scan");

QMap<QString, QString> storedScrSav() {
    QSettings ini(SettingsStore::filePath(), QSettings::IniFormat);
    ini.beginGroup(QStringLiteral("ScrSav"));
    QMap<QString, QString> values;
    for (const QString& key : ini.childKeys()) {
        values.insert(key, ini.value(key).toString());
    }
    return values;
}

void storeSwitches(const QStringList& texts) {
    SettingsStore store;
    for (int i = 0; i < texts.size(); ++i) {
        store.saveText(L::kChecks[i].key, texts[i]);
    }
}

// One window with its module services recorded.
struct Rig {
    SettingsStore store;
    testing::ScriptedRandom random{{0.0, 0.5, 0.9999999}};
    QStringList sounds;
    QList<QStringList> starts;  // program, then its arguments
    QStringList messages;
    bool startFails = false;
    int finished = 0;
    QPointer<SettingsWindow> window;

    Rig() {
        SchirmServices services;
        services.settings = &store;
        services.random = &random;
        services.playSound = [this](const QString& file) { sounds.append(file); };
        services.startDetached = [this](
                                     const QString& program,
                                     const QStringList& arguments) -> std::optional<StartFailure> {
            starts.append(QStringList{program} + arguments);
            return startFails ? std::optional(StartFailure{2, QStringLiteral("Not found")})
                              : std::nullopt;
        };
        services.showMessage = [this](const QString& title, const QString& text) {
            messages.append(title + QLatin1Char('|') + text);
        };
        window = new SettingsWindow(services);
        QObject::connect(window, &SettingsWindow::finished, [this] { ++finished; });
    }
    ~Rig() { delete window; }

    QCheckBox* box(L::Switch which) const { return window->box(which); }
    bool built() const { return box(L::Sounds)->isVisible(); }
    bool anyPanelPartVisible() const {
        const auto* picOpt = window->findChild<QWidget*>(QStringLiteral("PicOpt"));
        bool any = !picOpt->isHidden();
        for (int i = 0; i < L::kSwitches; ++i) {
            any = any || !box(L::Switch(i))->isHidden();
        }
        return any;
    }
    QString checks() const {
        QString marks;
        for (int i = 0; i < L::kSwitches; ++i) {
            marks += box(L::Switch(i))->isChecked() ? QLatin1Char('1') : QLatin1Char('0');
        }
        return marks;
    }
};

}  // namespace

class SettingsWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void init() { QFile::remove(SettingsStore::filePath()); }

    // Columns in the panel's order: RedAlert, RedAlertRnd, AutoZoom,
    // AutoZoomRnd, ShipScan, Sound.
    void opensWithTheStoredSwitchesAndOkStoresOnlyZeroOrOne_data() {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QString>("checked");
        QTest::addColumn<bool>("randomBoxesEnabled");
        QTest::newRow("empty store") << QStringList{} << "000011" << false;
        QTest::newRow("all on") << QStringList{"1", "1", "1", "1", "1", "1"} << "111111" << true;
        QTest::newRow("texts that are no switch")
            << QStringList{"2", "yes", "-1", "", "1.5", "0"} << "000000" << false;
    }
    void opensWithTheStoredSwitchesAndOkStoresOnlyZeroOrOne() {
        QFETCH(QStringList, stored);
        QFETCH(QString, checked);
        QFETCH(bool, randomBoxesEnabled);
        storeSwitches(stored);
        SettingsStore().saveText(settings::kScrAniSpeed, QStringLiteral("0.5"));
        SettingsStore().saveText(settings::kScrAniSpeedStep, QStringLiteral("9"));
        Rig rig;
        rig.window->open();
        QCOMPARE(rig.checks(), checked);
        QCOMPARE(rig.box(L::RedAlertRnd)->isEnabled(), randomBoxesEnabled);
        QCOMPARE(rig.box(L::AutoZoomRnd)->isEnabled(), randomBoxesEnabled);
        QCOMPARE(rig.store.getText(settings::kScrAniSpeed), QLocale().toString(0.005));
        QCOMPARE(rig.store.getText(settings::kScrAniSpeedStep), QStringLiteral("3"));
        for (const int member : {13, 15, 16}) {
            const auto* number =
                rig.window->findChild<QLabel*>(QStringLiteral("Label1(%1)").arg(member));
            const int value = number->text().toInt();
            QVERIFY2(value >= 18425 && value <= 964812, qPrintable(number->text()));
        }

        QTRY_VERIFY(rig.built());
        QTest::keyClick(rig.window, Qt::Key_Return);
        QCOMPARE(rig.finished, 1);
        for (int i = 0; i < L::kSwitches; ++i) {
            QCOMPARE(rig.store.getText(L::kChecks[i].key), QString(checked[i]));
        }
    }

    void aRandomBoxFollowsItsLeaderButKeepsItsMark() {
        Rig rig;
        rig.window->open();
        QTRY_VERIFY(rig.built());
        for (const L::Dependent d : L::kDependents) {
            QCheckBox* leader = rig.box(d.leader);
            QCheckBox* follower = rig.box(d.follower);
            QTest::mouseClick(leader, Qt::LeftButton);
            QVERIFY(follower->isEnabled());
            QTest::mouseClick(follower, Qt::LeftButton);
            QVERIFY(follower->isChecked());
            QTest::mouseClick(leader, Qt::LeftButton);
            QVERIFY(!follower->isEnabled());
            QVERIFY(follower->isChecked());
            QTest::mouseClick(follower, Qt::LeftButton);  // disabled: no change
            QVERIFY(follower->isChecked());
        }
        rig.window->ok();
        QCOMPARE(rig.store.getText(settings::kScrRedAlert), QStringLiteral("0"));
        QCOMPARE(rig.store.getText(settings::kScrRedAlertRnd), QStringLiteral("1"));
        QCOMPARE(rig.store.getText(settings::kScrAutoZoom), QStringLiteral("0"));
        QCOMPARE(rig.store.getText(settings::kScrAutoZoomRnd), QStringLiteral("1"));
    }

    void cancelInAnyFormStoresNothingButTheSpeed_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("Escape") << "escape";
        QTest::newRow("Escape on a box") << "escape on box";
        QTest::newRow("click on the caption") << "caption";
        QTest::newRow("the title bar's close") << "close";
    }
    void cancelInAnyFormStoresNothingButTheSpeed() {
        QFETCH(QString, how);
        storeSwitches({"1", "x", "0", "1", "0", "7"});
        Rig rig;
        rig.window->open();
        const QMap<QString, QString> before = storedScrSav();
        QTRY_VERIFY(rig.built());
        for (int i = 0; i < L::kSwitches; i += 2) {
            QTest::mouseClick(rig.box(L::Switch(i)), Qt::LeftButton);
        }
        if (how == QLatin1String("escape")) {
            QTest::keyClick(rig.window, Qt::Key_Escape);
        } else if (how == QLatin1String("escape on box")) {
            rig.box(L::Sounds)->setFocus();
            QTest::keyClick(rig.box(L::Sounds), Qt::Key_Escape);
        } else if (how == QLatin1String("caption")) {
            auto* button = rig.window->findChild<QWidget*>(QStringLiteral("ButtonOben1"));
            auto* caption = button->findChild<QLabel*>(QStringLiteral("Label1(11)"));
            QTest::mouseClick(button, Qt::LeftButton, {}, caption->geometry().center());
        } else {
            rig.window->close();
        }
        QTRY_COMPARE(rig.finished, 1);
        QVERIFY(!rig.window->isVisible());
        QCOMPARE(storedScrSav(), before);
        QCOMPARE(rig.sounds, QStringList{"1.wav"});
    }

    void twoQuickOkPressesSaveOnceAndEndOnce() {
        Rig rig;
        rig.window->open();
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

    // The build-up pauses between its boxes; whatever ends the window in such
    // a pause, the build must not go on afterwards (run under ASan).
    void endingWhileThePanelBuildsLeavesTheWindowAlone_data() {
        QTest::addColumn<int>("okAtMs");
        QTest::addColumn<int>("deleteAtMs");
        QTest::addColumn<int>("finished");
        QTest::newRow("OK before the build begins") << 50 << -1 << 1;
        QTest::newRow("OK while it builds") << 260 << -1 << 1;
        QTest::newRow("window deleted while it builds") << -1 << 260 << 0;
        QTest::newRow("window deleted while it comes down") << 260 << 330 << 0;
    }
    void endingWhileThePanelBuildsLeavesTheWindowAlone() {
        QFETCH(int, okAtMs);
        QFETCH(int, deleteAtMs);
        QFETCH(int, finished);
        Rig rig;
        rig.window->open();
        if (okAtMs >= 0) {
            QTimer::singleShot(okAtMs, rig.window, [&rig] { rig.window->ok(); });
        }
        if (deleteAtMs >= 0) {
            QTimer::singleShot(deleteAtMs, [&rig] { delete rig.window; });
        }
        QTest::qWait(1000);
        QCOMPARE(rig.finished, finished);
        if (rig.window) {
            QVERIFY(!rig.window->isVisible());
            QVERIFY(!rig.anyPanelPartVisible());
        }
    }

    void buttonsCaptionsAndKeysRunTheirCommands_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("startFails");
        QTest::addColumn<QStringList>("sounds");
        QTest::addColumn<int>("starts");
        QTest::addColumn<QString>("message");
        const QStringList click{"1.wav"};
        const QString failed = schirm_texts::pathUnknownTitle() + QLatin1Char('|') +
                               schirm_texts::infoFailedText({2, QStringLiteral("Not found")});
        QTest::newRow("Info") << "Label1(14)" << false << click << 1 << QString();
        QTest::newRow("Info fails") << "ButtonOben5" << true << click << 1 << failed;
        QTest::newRow("F1 fails quietly") << "F1" << true << click << 1 << QString();
        QTest::newRow("?") << "?" << false << click << 1 << QString();
        QTest::newRow("OPtionen") << "Label1(12)" << false << QStringList{"7.wav"} << 0
                                  << QString();
        QTest::newRow("number button") << "ButtonOben4" << false << QStringList{} << 0 << QString();
    }
    void buttonsCaptionsAndKeysRunTheirCommands() {
        QFETCH(QString, action);
        QFETCH(bool, startFails);
        QFETCH(QStringList, sounds);
        QFETCH(int, starts);
        QFETCH(QString, message);
        Rig rig;
        rig.store.saveText(settings::kPath, kFolder);
        rig.startFails = startFails;
        rig.window->open();
        if (action == QLatin1String("F1")) {
            QTest::keyClick(rig.window, Qt::Key_F1);
        } else if (action == QLatin1String("?")) {
            QTest::keyClick(rig.window, '?');
        } else if (auto* button = rig.window->findChild<FramePiece*>(action)) {
            QTest::mouseClick(button, Qt::LeftButton);
        } else {
            auto* caption = rig.window->findChild<QLabel*>(action);
            QTest::mouseClick(caption->parentWidget(), Qt::LeftButton, {},
                              caption->geometry().center());
        }
        QCOMPARE(rig.sounds, sounds);
        QCOMPARE(rig.starts.size(), starts);
        if (starts > 0) {
            QCOMPARE(rig.starts.first(),
                     (QStringList{consoleProgram(kFolder), QStringLiteral("Mode:ShowInfo")}));
        }
        QCOMPARE(rig.messages, message.isEmpty() ? QStringList{} : QStringList{message});
        QVERIFY(!rig.window->closing());
    }

    void everyPartLiesInsideItsContainerAndEveryCaptionFits() {
        Rig rig;
        rig.window->open();
        QTRY_VERIFY(rig.built());
        const QList<QWidget*> parts = rig.window->findChildren<QWidget*>();
        QVERIFY(parts.size() > 20);
        for (const QWidget* part : parts) {
            const QWidget* parent = part->parentWidget();
            QVERIFY2(parent->rect().contains(part->geometry()), qPrintable(part->objectName()));
            if (const auto* box = qobject_cast<const QCheckBox*>(part)) {
                QVERIFY2(box->sizeHint().width() <= box->width() &&
                             box->sizeHint().height() <= box->height() + 2,
                         qPrintable(box->text()));
            } else if (const auto* label = qobject_cast<const QLabel*>(part)) {
                QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(),
                         qPrintable(label->text()));
            }
        }
    }
};

QTEST_MAIN(SettingsWindowTest)
#include "settings_window_test.moc"
