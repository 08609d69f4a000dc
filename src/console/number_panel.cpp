#include "console/number_panel.h"

#include "console/timings.h"
#include "platform/random_source.h"

namespace ovant {

namespace {
constexpr int kMax[] = {0, 99999, 99, 99999, 99, 999, 999, 99999, 99, 99, 9999, 9999999};
}

NumberPanel::NumberPanel(NumberElements& elements, RandomSource& random)
    : e_(elements), random_(random) {}

QColor NumberPanel::tone(Scheme scheme, int t) {
    return numberTone(scheme, t);
}

int NumberPanel::columnMax(int column) {
    return column >= 1 && column <= NumberElements::kColumns ? kMax[column] : 0;
}

void NumberPanel::clear() {
    for (int row = 1; row <= NumberElements::kRows; ++row) {
        for (int column = 1; column <= NumberElements::kColumns; ++column) {
            e_.field[column][row]->setText(QString());
        }
    }
}

void NumberPanel::initColours(Scheme scheme) {
    for (int column = 1; column <= NumberElements::kColumns; ++column) {
        for (int row = 1; row <= NumberElements::kRows; ++row) {
            e_.field[column][row]->setForeColor(tone(scheme, random_.draw(2)));
        }
    }
}

int NumberPanel::fillStep() {
    const int column = random_.draw(NumberElements::kColumns);
    const int v = random_.draw(NumberElements::kRows);
    auto& fields = e_.field[column];
    int firstEmpty = 0;
    for (int row = 1; row <= NumberElements::kRows; ++row) {
        if (fields[row]->text().isEmpty()) {
            firstEmpty = row;
            break;
        }
    }
    if (firstEmpty == 0) {
        for (int row = 1; row <= NumberElements::kRows; ++row) {
            fields[row]->setText(QString());
        }
    } else {
        fields[firstEmpty]->setText(QString::number(random_.draw(kMax[column])));
    }
    return timing::kNumberFillStepMs * column * v;
}

int NumberPanel::colourStep(Scheme scheme) {
    const int column = random_.draw(NumberElements::kColumns);
    const int row = random_.draw(NumberElements::kRows);
    const int t = random_.draw(2);
    e_.field[column][row]->setForeColor(tone(scheme, t));
    return timing::kNumberColourStepMs * row * t;
}

}  // namespace ovant
