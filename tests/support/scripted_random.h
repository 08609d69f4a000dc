#pragma once

#include <vector>

#include "platform/random_source.h"

namespace ovant::testing {

// Hands out the given values in order, then repeats the last one; a test
// states exactly which draws it expects.
class ScriptedRandom final : public RandomSource {
public:
    ScriptedRandom() = default;
    explicit ScriptedRandom(std::vector<double> values) : values_(std::move(values)) {}
    void push(double v) { values_.push_back(v); }
    // The value that makes draw(n) return k.
    static double forDraw(int k, int n) { return (k - 0.5) / n; }
    void pushDraw(int k, int n) { push(forDraw(k, n)); }
    double next() override {
        ++used_;
        if (values_.empty()) {
            return 0.0;
        }
        if (position_ < values_.size()) {
            return values_[position_++];
        }
        return values_.back();
    }
    int used() const { return used_; }

private:
    std::vector<double> values_;
    std::size_t position_ = 0;
    int used_ = 0;
};

}  // namespace ovant::testing
