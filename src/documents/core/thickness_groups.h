// The thickness groups of round timber by top diameter: small up to 13 cm, medium 14 to 24 cm,
// large from 26 cm. Steps the standards do not name (3–5 cm, the odd steps from 15 cm) go where
// their diameter falls: below 14 cm small, below 26 cm medium, the rest large.
//
// A group's figures are its number of logs and the sum of its step volumes as the tally shows them,
// in whole units of 0.0001 m³. The tally's total volume is the sum of the same shown step volumes,
// so the three groups always add up to it, at every rounding.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "documents/core/tally_texts.h"
#include "numbers/numbers.h"

namespace lumora {

enum class ThicknessGroup { Small = 0, Medium = 1, Large = 2 };
constexpr int kThicknessGroupCount = 3;

// «Мелкие (до 13 см)», «Средние (14–24 см)», «Крупные (от 26 см)».
const char *thicknessGroupLabel(ThicknessGroup group);

ThicknessGroup thicknessGroupOf(int diameterCm);

struct GroupFigures {
    int64_t logs = 0;
    int64_t volume = 0;  // 0.0001 m³
    GroupFigures &operator+=(const GroupFigures &o) {
        logs += o.logs;
        volume += o.volume;
        return *this;
    }
};

struct ThicknessGroups {
    std::array<GroupFigures, kThicknessGroupCount> groups{};
    const GroupFigures &operator[](ThicknessGroup g) const { return groups[static_cast<size_t>(g)]; }
    GroupFigures total() const;
    ThicknessGroups &operator+=(const ThicknessGroups &o);
};

// The groups of a tally from the counts and step volumes it shows; nullopt when a shown text is not
// a whole count or a volume of at most four decimals (the form never shows such a text).
std::optional<ThicknessGroups> thicknessGroups(const TallyTexts &texts, const NumberFormat &fmt);

// A group's lines as the window writes numbers: the label, the logs, the volume («0,15»).
struct GroupLine {
    std::string label, logs, volume;
};
std::array<GroupLine, kThicknessGroupCount> groupLines(const ThicknessGroups &groups,
                                                       const NumberFormat &fmt);

}  // namespace lumora
