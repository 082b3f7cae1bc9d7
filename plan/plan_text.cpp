#include "plan/plan_text.h"

#include <algorithm>
#include <array>
#include <vector>

#include "common/numbers.h"

namespace selvora {
namespace {

// Columns of a scheme row in kPlanColumns: own Rx, own Tx, DX Rx, DX Tx.
constexpr std::size_t kOwnRx = 0, kOwnTx = 1, kDxRx = 2, kDxTx = 3;
constexpr std::string_view kNotWorkedOut = "-";
constexpr std::string_view kColumnGap = "  ";

using Row = std::array<std::string, 5>;

std::string figure(const Fields& fields, std::string_view name) {
    const std::string& text = fields.text(*findField(name));
    return text.empty() ? std::string(kNotWorkedOut) : text;
}

Row schemeRow(const Fields& fields, const SchemeRow& scheme) {
    return {std::string(scheme.scheme), figure(fields, scheme.fields[kOwnTx]),
            figure(fields, scheme.fields[kOwnRx]), figure(fields, scheme.fields[kDxTx]),
            figure(fields, scheme.fields[kDxRx])};
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
std::string_view resolution(const Fields& fields, const WindowState& state) {
    if (state.resolutionFormat == "0.000000") return "1 Hz";
    if (state.resolutionFormat == "0.00000") return "10 Hz";
    return fields.selected(field("hz1")) ? "1 Hz" : "10 Hz";
}

std::string skedFrequencyText(const WindowState& state) {
    if (state.skedFrequency == 0) return "none (Doppler offsets in Hz)";
    return numberText(state.skedFrequency) + " MHz";
}

}  // namespace

std::string skedPlanText(const Fields& fields, const WindowState& state) {
    std::string out = "Sked frequency: " + skedFrequencyText(state) + '\n';
    out += "Resolution: " + std::string(resolution(fields, state)) + '\n';
    out += "UTC time: " + fields.text(field("Text4")) + "\n\n";
    std::vector<Row> rows{{"Scheme", "Your Tx", "Your Rx", "Partner Tx", "Partner Rx"}};
    for (const SchemeRow& scheme : kSchemeRows)
        rows.push_back(schemeRow(fields, scheme));
    return out + alignedColumns(rows);
}

}  // namespace selvora
