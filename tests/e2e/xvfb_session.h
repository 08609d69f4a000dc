#pragma once

#include <QImage>
#include <QProcess>
#include <QSize>
#include <QString>
#include <QTemporaryDir>

namespace ovant::e2e {

// A private X server for one test: started with -displayfd so that it picks a
// free display itself, and with -wr so that any area a program leaves
// uncovered shows up white in a screenshot.
class XvfbSession {
public:
    // With a valid `secondScreen` the server has two X screens, which Qt
    // reports as two screens: `screen` (the primary) and the second one.
    explicit XvfbSession(QSize screen, QSize secondScreen = QSize());
    ~XvfbSession();
    XvfbSession(const XvfbSession&) = delete;
    XvfbSession& operator=(const XvfbSession&) = delete;

    bool ready() const { return !display_.isEmpty(); }
    // Settings, runtime folder and display of a program started in this session.
    QProcessEnvironment environment() const;
    QString settingsFile() const;

    // Runs a helper tool (xdotool, import) on this display; returns its output.
    QByteArray tool(const QString& program, const QStringList& arguments, int timeoutMs = 15000,
                    int* exitCode = nullptr) const;
    // Waits until a visible window whose title matches the pattern exists.
    bool waitForWindow(const QString& titlePattern, int timeoutMs = 20000) const;
    // Waits until no visible window's title matches the pattern any more.
    bool waitUntilGone(const QString& titlePattern, int timeoutMs = 20000) const;
    // The root window of X screen `screenNumber` (0 is the primary).
    QImage screenshot(int screenNumber = 0) const;
    void key(const QString& window, const QString& keys) const;
    // Ends the X server at once, as a crash or a logout would.
    void stopServer();

private:
    QTemporaryDir home_;
    QProcess server_;
    QString display_;
};

// The colour at a pixel, for messages that say what was found.
QString describe(const QImage& image, int x, int y);

}  // namespace ovant::e2e
