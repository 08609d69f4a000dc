#include "scene/info_label_cycle.h"

#include "console/timings.h"

#include "platform/texts.h"
#include "scene/info_label_texts.h"

namespace ovant::sector {

namespace {

constexpr int kCycleTicks = 10;

// " 123. 456. 789": three numbers of three digits, each with a blank in front.
QString coordinateGroup(RandomSource& random) {
    QString group;
    for (int i = 0; i < 3; ++i) {
        if (i > 0) {
            group += QLatin1Char('.');
        }
        group += texts::signedNumber(random.between(100, 999));
    }
    return group;
}

QString nextText(int object, const QString& current, int& tick, RandomSource& random) {
    if (current == infoFullText(object)) {
        return QString();
    }
    if (current.isEmpty() && tick == 1) {
        return infoStageText(object, 1);
    }
    for (int stage = 1; stage <= 3; ++stage) {
        if (current == infoStageText(object, stage)) {
            return stage < 3 ? infoStageText(object, stage + 1) : infoFullText(object);
        }
    }
    const QString grown = current + coordinateGroup(random);
    // The counter only passes ten if the label was handed a stage text late in
    // its cycle; emptying it then as well keeps the number run from growing
    // without end.
    if (tick >= kCycleTicks) {
        tick = 0;
        return QString();
    }
    return grown;
}

}  // namespace

InfoStep infoLabelStep(int object, const QString& currentText, int infoTick, RandomSource& random) {
    InfoStep step{currentText, infoTick, 0};
    // Only objects 1 to 5 have texts to type; any other label is left alone
    // but keeps its clock running.
    if (infoFullText(object).isEmpty()) {
        step.nextIntervalMs =
            random.between(timing::kInfoLabelNext.minMs, timing::kInfoLabelNext.maxMs);
        return step;
    }
    step.infoTick = infoTick + 1;
    step.text = nextText(object, currentText, step.infoTick, random);
    step.nextIntervalMs =
        random.between(timing::kInfoLabelNext.minMs, timing::kInfoLabelNext.maxMs);
    return step;
}

}  // namespace ovant::sector
