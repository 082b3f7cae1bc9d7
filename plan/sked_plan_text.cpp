#include "plan/sked_plan_text.h"

#include <algorithm>
#include <array>
#include <vector>

#include "common/numbers.h"

namespace selvora {
namespace {

constexpr std::string_view kNotWorkedOut = "-";
constexpr std::string_view kColumnGap = "  ";

using Row = std::array<std::string, 5>;

std::string figure(const SkedPlan& plan, const std::optional<std::int64_t>& hz) {
    return hz ? figureText(plan, *hz) : std::string(kNotWorkedOut);
}

Row schemeRow(const SkedPlan& plan, const SkedSchemeInfo& info) {
    const SchemeFigures& figures = plan.of(info.scheme);
    return {std::string(info.caption), figure(plan, figures.txHz), figure(plan, figures.rxHz),
            figure(plan, figures.partnerTxHz), figure(plan, figures.partnerRxHz)};
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

std::string_view resolution(const SkedPlan& plan) {
    return plan.resolutionDecimals == 6 ? "1 Hz" : "10 Hz";
}

std::string skedFrequencyText(double skedFrequencyMHz) {
    if (skedFrequencyMHz == 0) return "none (Doppler offsets in Hz)";
    return numberText(skedFrequencyMHz) + " MHz";
}

}  // namespace

std::string skedPlanText(const SkedPlan& plan, std::string_view utcTimeText) {
    std::string out = "Sked frequency: " + skedFrequencyText(plan.skedFrequencyMHz) + '\n';
    out += "Resolution: " + std::string(resolution(plan)) + '\n';
    out += "UTC time: " + std::string(utcTimeText) + "\n\n";
    std::vector<Row> rows{{"Scheme", "Your Tx", "Your Rx", "Partner Tx", "Partner Rx"}};
    for (const SkedSchemeInfo& info : kSkedSchemes)
        rows.push_back(schemeRow(plan, info));
    return out + alignedColumns(rows);
}

}  // namespace selvora
