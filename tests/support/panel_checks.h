#pragma once

#include <QList>
#include <algorithm>

#include "scene/scene_elements.h"

namespace ovant::testing {

// Every point, leader and text of a panel, and the title.
inline QList<const Element*> panelParts(const LeaderPanelLayout& p) {
    QList<const Element*> parts{p.title, p.vertical};
    for (int i = 1; i <= 5; ++i) {
        parts << p.dot[i] << p.label[i] << p.horizontal[i];
    }
    return parts;
}

inline bool wholePanelShown(const LeaderPanelLayout& p) {
    if (!p.panel->visible() || p.vertical->height() != p.finalHeight) {
        return false;
    }
    for (int i = 1; i <= 5; ++i) {
        if (p.horizontal[i]->width() != p.finalWidth[i]) {
            return false;
        }
    }
    const auto parts = panelParts(p);
    return std::all_of(parts.begin(), parts.end(), [](const Element* e) { return e->visible(); });
}

inline bool wholePanelGone(const LeaderPanelLayout& p) {
    const auto parts = panelParts(p);
    return !p.panel->visible() &&
           std::none_of(parts.begin(), parts.end(), [](const Element* e) { return e->visible(); });
}

}  // namespace ovant::testing
