#include "scene/info_labels.h"

#include "scene/info_label_cycle.h"

namespace ovant {

InfoLabels::InfoLabels(SectorElements& elements, RandomSource& random)
    : e_(elements), random_(random) {}

void InfoLabels::connect(const std::array<QTimer*, 6>& starAni) {
    for (int n = 1; n <= 5; ++n) {
        QTimer* timer = starAni[n];
        QObject::connect(timer, &QTimer::timeout, timer, [this, n, timer] { tick(n, *timer); });
    }
}

void InfoLabels::tick(int object, QTimer& timer) {
    Element* label = e_.infoLabel[object];
    const sector::InfoStep step =
        sector::infoLabelStep(object, label->text(), infoTick_[object], random_);
    label->setText(step.text);
    infoTick_[object] = step.infoTick;
    timer.setInterval(step.nextIntervalMs);
}

}  // namespace ovant
