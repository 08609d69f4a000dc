#pragma once

#include <QTimer>
#include <array>

#include "scene/scene_elements.h"

namespace ovant {

class RandomSource;

// The five info labels that keep typing out their object's name, class,
// sector and coordinates, each on its own timer.
class InfoLabels {
public:
    InfoLabels(SectorElements& elements, RandomSource& random);
    void connect(const std::array<QTimer*, 6>& starAni);
    void tick(int object, QTimer& timer);

private:
    SectorElements& e_;
    RandomSource& random_;
    std::array<int, 6> infoTick_{};
};

}  // namespace ovant
