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
        const auto row = [](bool saver, int key, int modifiers, KeyCommand expected) {
            const QString name = QKeySequence(key | modifiers).toString();
            QTest::newRow(qPrintable(name + (saver ? " in the screen saver" : " in the console")))
                << saver << key << modifiers << expected;
        };
        const int alt = Qt::AltModifier, shift = Qt::ShiftModifier;

        // The six letters are commands in both modes.
        for (const auto& [key, command] : {std::pair{Qt::Key_R, KeyCommand::RedAlert},
                                           {Qt::Key_S, KeyCommand::AutoScanStep},
                                           {Qt::Key_Z, KeyCommand::Zoom},
                                           {Qt::Key_H, KeyCommand::ShipScanRequest},
                                           {Qt::Key_P, KeyCommand::Ship},
                                           {Qt::Key_E, KeyCommand::EndScan}}) {
            row(false, key, 0, command);
            row(true, key, 0, command);
        }
        row(false, Qt::Key_F1, 0, KeyCommand::Info);
        // Only X and Alt+F4 leave; Alt+F4 may come from the keypad.
        for (const auto& [key, modifiers] :
             {std::pair{Qt::Key_X, 0}, {Qt::Key_F4, alt}, {Qt::Key_F4, alt | Qt::KeypadModifier}}) {
            row(false, key, modifiers, KeyCommand::Exit);
        }
        for (const auto& [key, modifiers] : {std::pair{Qt::Key_F4, 0},
                                             {Qt::Key_F4, alt | shift},
                                             {Qt::Key_F4, int(Qt::ControlModifier)},
                                             {Qt::Key_Space, 0},
                                             {Qt::Key_Shift, shift}}) {
            row(false, key, modifiers, KeyCommand::None);
        }
        // The screen saver ends on every other key.
        for (const auto& [key, modifiers] : {std::pair{Qt::Key_F1, 0},
                                             {Qt::Key_X, 0},
                                             {Qt::Key_Space, 0},
                                             {Qt::Key_Escape, 0},
                                             {Qt::Key_Shift, shift},
                                             {Qt::Key_Question, shift}}) {
            row(true, key, modifiers, KeyCommand::Exit);
        }
    }
    void eachKeyAsksForItsCommand() {
        QFETCH(bool, screenSaver);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(KeyCommand, expected);
        QCOMPARE(keyCommand(screenSaver, {key, Qt::KeyboardModifiers(modifiers), false}), expected);
    }

    void heldKeysAndCharacters() {
        // A held key repeats nothing in the console but still ends the screen saver.
        QCOMPARE(keyCommand(false, {Qt::Key_R, Qt::NoModifier, true}), KeyCommand::None);
        QCOMPARE(keyCommand(false, {Qt::Key_X, Qt::NoModifier, true}), KeyCommand::None);
        QCOMPARE(keyCommand(true, {Qt::Key_R, Qt::NoModifier, true}), KeyCommand::RedAlert);
        QCOMPARE(keyCommand(true, {Qt::Key_Space, Qt::NoModifier, true}), KeyCommand::Exit);
        // Only the question mark is a character command, and only in the console.
        QCOMPARE(characterCommand(false, QStringLiteral("?")), KeyCommand::Info);
        QCOMPARE(characterCommand(true, QStringLiteral("?")), KeyCommand::None);
        for (const QString& other : {QStringLiteral("x"), QString(), QStringLiteral("??")}) {
            QCOMPARE(characterCommand(false, other), KeyCommand::None);
        }
    }
};

QTEST_GUILESS_MAIN(KeyCommandsTest)
#include "key_commands_test.moc"
