#pragma once

#include "platform/sound/sound_player.h"

#include <QFileInfo>
#include <QString>
#include <QStringList>

#include <functional>
#include <utility>
#include <vector>

// Stands in for the speakers: remembers every sound it was asked to play.
class RecordingSoundPlayer : public ovant::SoundPlayer {
public:
    struct Call {
        QString path;
        bool sync = false;
        bool operator==(const Call&) const = default;
    };

    void playAsync(const QString& path) override { record({path, false}); }
    void playSync(const QString& path) override { record({path, true}); }

    const std::vector<Call>& calls() const { return m_calls; }
    // The played files' names without their folder, in order.
    QStringList fileNames() const {
        QStringList names;
        for (const Call& call : m_calls) names.append(QFileInfo(call.path).fileName());
        return names;
    }
    void clear() { m_calls.clear(); }
    // Runs as each call is recorded, e.g. to look at the caller's state while
    // a synchronous sound "plays".
    void setOnPlay(std::function<void(const Call&)> onPlay) { m_onPlay = std::move(onPlay); }

private:
    void record(Call call) {
        m_calls.push_back(call);
        if (m_onPlay)
            m_onPlay(call);
    }

    std::vector<Call> m_calls;
    std::function<void(const Call&)> m_onPlay;
};
