#include "screensaver/exit_rule.h"

#include <algorithm>
#include <cmath>

#include "console/console_state.h"
#include "elements/element_tree.h"

namespace ovant {

namespace exitrule {

namespace {

constexpr float kJumpTwips = 20.0F;
// Far beyond any screen; keeps the conversion to whole numbers defined.
constexpr double kLimitTwips = 1e15;

// clang-format off
constexpr HandlerSpec kHandlers[] = {
    {"MainForm", PressAndMove},
    {"PicMain", PressAndMove},
    {"lblCaption", PressAndMove},
    {"BarUp", PressAndMove}, {"BarDown", PressAndMove},
    {"shpLeftUp", PressAndMove}, {"shpRightUp", PressAndMove},
    {"shpLeftDown", PressAndMove}, {"shpRightDown", PressAndMove},
    {"ShapeOben", PressAndMove}, {"ShapeUnten", PressAndMove},
    {"ButtonOben1", Move}, {"ButtonOben2", PressAndMove}, {"ButtonOben3", PressAndMove},
    {"ButtonOben4", PressAndMove}, {"ButtonOben5", Move},
    {"ButtonUnten1", Move}, {"ButtonUnten2", Move}, {"ButtonUnten3", Move},
    {"ButtonUnten4", Move}, {"ButtonUnten5", Move},
    {"TrennOben1", PressAndMove}, {"TrennOben2", PressAndMove}, {"TrennOben3", PressAndMove},
    {"TrennOben4", PressAndMove}, {"TrennOben5", PressAndMove}, {"TrennOben6", PressAndMove},
    {"TrennUnten1", PressAndMove}, {"TrennUnten2", PressAndMove}, {"TrennUnten3", PressAndMove},
    {"TrennUnten4", PressAndMove}, {"TrennUnten5", PressAndMove}, {"TrennUnten6", PressAndMove},
    // The button captions share one handler with the first number column;
    // a press on a caption is its command.
    {"Label1", Move},
    // The other number columns, then the sector grid's captions.
    {"Label2", PressAndMove}, {"Label3", PressAndMove}, {"Label4", PressAndMove},
    {"Label5", PressAndMove}, {"Label6", PressAndMove}, {"Label7", PressAndMove},
    {"Label8", PressAndMove}, {"Label9", PressAndMove}, {"Label10", PressAndMove},
    {"Label11", PressAndMove}, {"Label12", PressAndMove}, {"Label13", PressAndMove},
    {"Label14", PressAndMove}, {"Label15", PressAndMove}, {"Label16", PressAndMove},
    {"Label17", PressAndMove},
    {"PicNum", PressAndMove},
    {"StarsScan", Move},
    // The planet and telescope panels: the panel and its title watch presses
    // and moves, the points' texts presses only.
    {"PicScanInfo", PressAndMove},
    {"plntLabel1", Press}, {"plntLabel2", Press}, {"plntLabel3", Press},
    {"plntLabel4", Press}, {"plntLabel5", Press},
    {"plntLabelName", PressAndMove},
    {"PicSRTele", PressAndMove},
    {"SRTLabel1", Press}, {"SRTLabel2", Press}, {"SRTLabel3", Press},
    {"SRTLabel4", Press}, {"SRTLabel5", Press},
    {"SRTLabelName", PressAndMove},
    // The zoom views and their texts watch moves only.
    {"PicStarZoom", Move},
    {"StarZoomLabel1", Move}, {"StarZoomLabel2", Move}, {"StarZoomLabel3", Move},
    {"StarZoomLabel4", Move}, {"StarZoomLabel5", Move}, {"StarZoomLabel6", Move},
    {"StarZoomLabel7", Move},
    {"PicSRTZoom", Move},
    {"SRTZoomLabel1", Move}, {"SRTZoomLabel2", Move}, {"SRTZoomLabel3", Move},
    {"SRTZoomLabel4", Move}, {"SRTZoomLabel5", Move}, {"SRTZoomLabel6", Move},
    {"SRTZoomLabelName", Move},
    {"PicZoomOff", Move},
};
// clang-format on

constexpr int countHandlers() {
    int n = 0;
    for (const HandlerSpec& h : kHandlers) {
        n += ((h.events & Press) != 0U ? 1 : 0) + ((h.events & Move) != 0U ? 1 : 0);
    }
    return n;
}
// 130 handlers in all, each with its own remembered pointer.
static_assert(countHandlers() == 130);

// The element itself, or a member "Name(i)" of the group of that name.
bool belongsTo(const QString& element, const QString& name) {
    if (element == name) {
        return true;
    }
    const qsizetype open = name.size();
    if (element.size() < open + 3 || !element.startsWith(name) ||
        element[open] != QLatin1Char('(') || !element.endsWith(QLatin1Char(')'))) {
        return false;
    }
    const QStringView index = QStringView(element).sliced(open + 1, element.size() - open - 2);
    return std::all_of(index.begin(), index.end(), [](QChar c) { return c.isDigit(); });
}

void collect(const Element& e, const QString& name, std::vector<const Element*>& found) {
    if (belongsTo(e.name(), name)) {
        found.push_back(&e);
    }
    for (const auto& child : e.children()) {
        collect(*child, name, found);
    }
}

}  // namespace

std::span<const HandlerSpec> handlers() {
    return kHandlers;
}

int handlerCount() {
    return countHandlers();
}

std::int64_t roundHalfToEven(double twips) {
    if (!std::isfinite(twips)) {
        return 0;
    }
    const double v = std::clamp(twips, -kLimitTwips, kLimitTwips);
    const double below = std::floor(v);
    const double rest = v - below;
    auto whole = static_cast<std::int64_t>(below);
    if (rest > 0.5 || (rest == 0.5 && whole % 2 != 0)) {
        ++whole;
    }
    return whole;
}

bool RememberedPointer::jumped(QPointF twips) {
    // The distances are compared in single precision.
    const auto dx = static_cast<float>(std::fabs(static_cast<double>(lastX_) - twips.x()));
    const auto dy = static_cast<float>(std::fabs(static_cast<double>(lastY_) - twips.y()));
    if ((dx >= kJumpTwips || dy >= kJumpTwips) && (lastX_ != 0 || lastY_ != 0)) {
        return true;
    }
    lastX_ = roundHalfToEven(twips.x());
    lastY_ = roundHalfToEven(twips.y());
    return false;
}

}  // namespace exitrule

ExitRule::ExitRule(const ConsoleState& state, std::function<void()> exitConsole)
    : state_(state), exitConsole_(std::move(exitConsole)) {}

QStringList ExitRule::wire(const ElementTree& tree) {
    QStringList missing;
    pointers_.clear();
    pressHandler_.clear();
    moveHandler_.clear();
    for (const exitrule::HandlerSpec& row : exitrule::handlers()) {
        const QString name = QString::fromLatin1(row.element);
        std::vector<const Element*> members;
        if (name == QLatin1String("MainForm")) {
            members.push_back(&tree.root());
        } else {
            exitrule::collect(tree.root(), name, members);
        }
        if (members.empty()) {
            missing.append(name);
            continue;
        }
        // One remembered pointer per handler; all members of a group share it.
        for (const exitrule::Event event : {exitrule::Press, exitrule::Move}) {
            if ((row.events & event) == 0U) {
                continue;
            }
            const int pointer = static_cast<int>(pointers_.size());
            pointers_.emplace_back();
            QHash<const Element*, int>& handlers =
                event == exitrule::Press ? pressHandler_ : moveHandler_;
            for (const Element* member : members) {
                handlers.insert(member, pointer);
            }
        }
    }
    return missing;
}

bool ExitRule::press(const Element* hit, QPointF twips) {
    return apply(pressHandler_, hit, twips);
}

bool ExitRule::move(const Element* hit, QPointF twips) {
    return apply(moveHandler_, hit, twips);
}

bool ExitRule::apply(const QHash<const Element*, int>& handlers, const Element* hit,
                     QPointF twips) {
    if (!state_.scrSavMode || hit == nullptr) {
        return false;
    }
    const auto handler = handlers.constFind(hit);
    if (handler == handlers.constEnd()) {
        return false;
    }
    if (!pointers_[static_cast<std::size_t>(*handler)].jumped(twips)) {
        return false;
    }
    if (exitConsole_) {
        exitConsole_();
    }
    return true;
}

}  // namespace ovant
