#include "documents/core/thickness_groups.h"

namespace lumora {

const char *thicknessGroupLabel(ThicknessGroup group) {
    switch (group) {
        case ThicknessGroup::Small:
            return "Мелкие (до 13 см)";
        case ThicknessGroup::Medium:
            return "Средние (14–24 см)";
        case ThicknessGroup::Large:
            break;
    }
    return "Крупные (от 26 см)";
}

ThicknessGroup thicknessGroupOf(int diameterCm) {
    if (diameterCm < 14) return ThicknessGroup::Small;
    if (diameterCm < 26) return ThicknessGroup::Medium;
    return ThicknessGroup::Large;
}

GroupFigures ThicknessGroups::total() const {
    GroupFigures sum;
    for (const GroupFigures &g : groups) sum += g;
    return sum;
}

ThicknessGroups &ThicknessGroups::operator+=(const ThicknessGroups &o) {
    for (size_t k = 0; k < groups.size(); ++k) groups[k] += o.groups[k];
    return *this;
}

std::optional<ThicknessGroups> thicknessGroups(const TallyTexts &texts, const NumberFormat &fmt) {
    ThicknessGroups result;
    const auto &diameters = diametersCm();
    for (size_t i = 0; i < texts.steps.size(); ++i) {
        const StepTexts &step = texts.steps[i];
        if (step.count.empty()) continue;
        GroupFigures &group = result.groups[static_cast<size_t>(thicknessGroupOf(diameters[i]))];
        auto logs = scaledNumber(step.count, 0, fmt);
        if (!logs) return std::nullopt;
        group.logs += *logs;
        // A count the length gives no volume shows no step volume and adds none to the total.
        if (step.vd.empty()) continue;
        auto volume = scaledNumber(step.vd, 4, fmt);
        if (!volume) return std::nullopt;
        group.volume += *volume;
    }
    return result;
}

std::array<GroupLine, kThicknessGroupCount> groupLines(const ThicknessGroups &groups,
                                                       const NumberFormat &fmt) {
    std::array<GroupLine, kThicknessGroupCount> lines;
    for (int k = 0; k < kThicknessGroupCount; ++k) {
        const auto g = static_cast<ThicknessGroup>(k);
        lines[static_cast<size_t>(k)] = {thicknessGroupLabel(g), decimalText(groups[g].logs, 0, fmt),
                                         decimalText(groups[g].volume, 4, fmt)};
    }
    return lines;
}

}  // namespace lumora
