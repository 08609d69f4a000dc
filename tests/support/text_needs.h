#pragma once

#include <QFontMetricsF>
#include <QSizeF>
#include <algorithm>

#include "elements/element_tree.h"
#include "elements/text_layout.h"

namespace ovant::testing {

// What a label's text needs in pixels: the widest line, and the height from
// the highest ink to the lowest at the labels' line step.
inline QSizeF textNeeds(const ElementTree& tree, const Element& label) {
    const QFont font = tree.font(label.font());
    const TextLayout layout(font, label.text(), tree.twips().toPixelsF(label.width()),
                            label.wordWrap(), label.alignment());
    const QFontMetricsF metrics(font);
    const double step = TextLayout::lineStep(font);
    double top = 0;
    double bottom = 0;
    bool inked = false;
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QRectF ink = metrics.tightBoundingRect(layout.line(i));
        if (ink.isEmpty()) {
            continue;
        }
        top = inked ? std::min(top, i * step + ink.top()) : i * step + ink.top();
        bottom = inked ? std::max(bottom, i * step + ink.bottom()) : i * step + ink.bottom();
        inked = true;
    }
    return {layout.size().width(), inked ? bottom - top : 0.0};
}

}  // namespace ovant::testing
