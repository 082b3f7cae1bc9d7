#include "plan/plan_text.h"

#include <algorithm>
#include <array>
#include <vector>

#include "common/numbers.h"

namespace selvora {
namespace {

constexpr std::string_view kNotWorkedOut = "-";
constexpr std::string_view kColumnGap = "  ";

using Row = std::array<std::string, 5>;

std::string figure(const Fields& fields, std::size_t row, PlanColumnId column) {
    const std::string& text = fields.text(planField(row, column));
    return text.empty() ? std::string(kNotWorkedOut) : text;
}

Row schemeRow(const Fields& fields, std::size_t row) {
    return {std::string(kSchemeRows[row].caption), figure(fields, row, PlanColumnId::Tx),
            figure(fields, row, PlanColumnId::Rx), figure(fields, row, PlanColumnId::DxTx),
            figure(fields, row, PlanColumnId::DxRx)};
}

// Every column as wide as its widest cell; no blanks at the line ends.
std::string alignedColumns(const std::vector<Row>& rows) {
    std::array<std::size_t, 5> widths{};
    for (const Row& row : rows)
        for (std::size_t i = 0; i < row.size(); ++i)
            widths[i] = std::max(widths[i], row[i].size());
    std::string out;
    for (const Row& row : rows) {
        std::string line;
        for (std::size_t i = 0; i < row.size(); ++i) {
            line += row[i];
            if (i + 1 < row.size())
                line += std::string(widths[i] - row[i].size(), ' ') + std::string(kColumnGap);
        }
        out += line + '\n';
    }
    return out;
}

// The resolution of the figures shown: the one the last tick used, else the selection.
std::string_view resolution(const Fields& fields, const PlanState& state) {
    if (state.resolutionDecimals == 6) return "1 Hz";
    if (state.resolutionDecimals == 5) return "10 Hz";
    return fields.selected(field("hz1")) ? "1 Hz" : "10 Hz";
}

std::string skedFrequencyText(double skedFrequencyMHz) {
    if (skedFrequencyMHz == 0) return "none (Doppler offsets in Hz)";
    return numberText(skedFrequencyMHz) + " MHz";
}

}  // namespace

std::string skedPlanText(const Fields& fields, double skedFrequencyMHz, const PlanState& state) {
    std::string out = "Sked frequency: " + skedFrequencyText(skedFrequencyMHz) + '\n';
    out += "Resolution: " + std::string(resolution(fields, state)) + '\n';
    out += "UTC time: " + fields.text(field("utc_time")) + "\n\n";
    std::vector<Row> rows{{"Scheme", "Your Tx", "Your Rx", "Partner Tx", "Partner Rx"}};
    for (std::size_t row = 0; row < std::size(kSchemeRows); ++row)
        rows.push_back(schemeRow(fields, row));
    return out + alignedColumns(rows);
}

}  // namespace selvora
