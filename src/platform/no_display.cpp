#include "platform/no_display.h"

#include <QByteArray>
#include <QList>
#include <QtGlobal>

#include <cstdio>
#include <utility>

#include "platform/process_end.h"

namespace ovant {
namespace {

struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};

QtMessageHandler g_previous = nullptr;
QString g_program;
QList<HeldMessage> g_held;

QByteArray displayName() {
    if (qEnvironmentVariableIsSet("WAYLAND_DISPLAY") && !qEnvironmentVariableIsSet("DISPLAY"))
        return "WAYLAND_DISPLAY=" + qgetenv("WAYLAND_DISPLAY");
    return "DISPLAY=" + (qEnvironmentVariableIsSet("DISPLAY") ? qgetenv("DISPLAY") : "(not set)");
}

void watch(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s: no display to show a window on (%s); ending.\n",
                     g_program.toLocal8Bit().constData(), displayName().constData());
        endProcessNow(1);
    }
    const QByteArray category = context.category != nullptr ? context.category : "";
    if (category.startsWith("qt.qpa.")) {
        g_held.append({type, category, text});
        return;
    }
    if (g_previous != nullptr)
        g_previous(type, context, text);
}

}  // namespace

NoDisplayGuard::NoDisplayGuard(QString program) {
    g_program = std::move(program);
    g_held.clear();
    g_previous = qInstallMessageHandler(&watch);
}

NoDisplayGuard::~NoDisplayGuard() {
    qInstallMessageHandler(g_previous);
    const QList<HeldMessage> held = std::exchange(g_held, {});
    for (const HeldMessage& message : held) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        qt_message_output(message.type, context, message.text);
    }
}

}  // namespace ovant
