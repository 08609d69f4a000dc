// The one key table of both modes: which key asks for which command.
#include <QtTest>

#include "console/key_commands.h"

using ovant::characterCommand;
using ovant::KeyCommand;
using ovant::keyCommand;
using ovant::KeyPress;

Q_DECLARE_METATYPE(ovant::KeyCommand)

class KeyCommandsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void eachKeyAsksForItsCommand_data() {
        QTest::addColumn<bool>("screenSaver");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<KeyCommand>("expected");
        const int none = Qt::NoModifier;
        const int alt = Qt::AltModifier;

        // The six letters are commands in both modes.
        const std::pair<int, KeyCommand> letters[] = {
            {Qt::Key_R, KeyCommand::RedAlert}, {Qt::Key_S, KeyCommand::AutoScanStep},
            {Qt::Key_Z, KeyCommand::Zoom},     {Qt::Key_H, KeyCommand::ShipScanRequest},
            {Qt::Key_P, KeyCommand::Ship},     {Qt::Key_E, KeyCommand::EndScan},
        };
        for (const auto& [key, command] : letters) {
            const QString name = QKeySequence(key).toString();
            QTest::newRow(qPrintable(name + " in the console")) << false << key << none << command;
            QTest::newRow(qPrintable(name + " in the screen saver"))
                << true << key << none << command;
        }

        QTest::newRow("F1 opens the info window")
            << false << int(Qt::Key_F1) << none << KeyCommand::Info;
        QTest::newRow("X leaves") << false << int(Qt::Key_X) << none << KeyCommand::Exit;
        QTest::newRow("Alt+F4 leaves") << false << int(Qt::Key_F4) << alt << KeyCommand::Exit;
        QTest::newRow("F4 alone does nothing")
            << false << int(Qt::Key_F4) << none << KeyCommand::None;
        QTest::newRow("Alt+Shift+F4 does nothing")
            << false << int(Qt::Key_F4) << int(Qt::AltModifier | Qt::ShiftModifier)
            << KeyCommand::None;
        QTest::newRow("Ctrl+F4 does nothing")
            << false << int(Qt::Key_F4) << int(Qt::ControlModifier) << KeyCommand::None;
        QTest::newRow("Alt+F4 from the keypad leaves")
            << false << int(Qt::Key_F4) << int(Qt::AltModifier | Qt::KeypadModifier)
            << KeyCommand::Exit;
        QTest::newRow("Space does nothing in the console")
            << false << int(Qt::Key_Space) << none << KeyCommand::None;
        QTest::newRow("Shift alone does nothing in the console")
            << false << int(Qt::Key_Shift) << int(Qt::ShiftModifier) << KeyCommand::None;

        // The screen saver ends on every other key.
        QTest::newRow("F1 ends the screen saver")
            << true << int(Qt::Key_F1) << none << KeyCommand::Exit;
        QTest::newRow("X ends the screen saver")
            << true << int(Qt::Key_X) << none << KeyCommand::Exit;
        QTest::newRow("Space ends the screen saver")
            << true << int(Qt::Key_Space) << none << KeyCommand::Exit;
        QTest::newRow("Escape ends the screen saver")
            << true << int(Qt::Key_Escape) << none << KeyCommand::Exit;
        QTest::newRow("Shift ends the screen saver")
            << true << int(Qt::Key_Shift) << int(Qt::ShiftModifier) << KeyCommand::Exit;
        QTest::newRow("? ends the screen saver")
            << true << int(Qt::Key_Question) << int(Qt::ShiftModifier) << KeyCommand::Exit;
    }

    void eachKeyAsksForItsCommand() {
        QFETCH(bool, screenSaver);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(KeyCommand, expected);
        const KeyPress press{key, Qt::KeyboardModifiers(modifiers), false};
        QCOMPARE(keyCommand(screenSaver, press), expected);
    }

    void aHeldKeyRepeatsNothingInTheConsoleButStillEndsTheScreenSaver() {
        QCOMPARE(keyCommand(false, {Qt::Key_R, Qt::NoModifier, true}), KeyCommand::None);
        QCOMPARE(keyCommand(false, {Qt::Key_X, Qt::NoModifier, true}), KeyCommand::None);
        QCOMPARE(keyCommand(true, {Qt::Key_R, Qt::NoModifier, true}), KeyCommand::RedAlert);
        QCOMPARE(keyCommand(true, {Qt::Key_Space, Qt::NoModifier, true}), KeyCommand::Exit);
    }

    void onlyTheQuestionMarkIsACharacterCommandAndOnlyInTheConsole() {
        QCOMPARE(characterCommand(false, QStringLiteral("?")), KeyCommand::Info);
        QCOMPARE(characterCommand(true, QStringLiteral("?")), KeyCommand::None);
        QCOMPARE(characterCommand(false, QStringLiteral("x")), KeyCommand::None);
        QCOMPARE(characterCommand(false, QString()), KeyCommand::None);
        QCOMPARE(characterCommand(false, QStringLiteral("??")), KeyCommand::None);
    }
};

QTEST_GUILESS_MAIN(KeyCommandsTest)
#include "key_commands_test.moc"
