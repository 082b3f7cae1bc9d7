// The window selvora_1_3, control by control: one declarative table from which
// both the Qt-free model of the display fields and the Qt widgets are built.
//
// Positions and sizes are in twips (1/1440 inch, 15 twips to a pixel at 96 dpi),
// relative to the window's client area or to the frame `resolution`. Colours are
// RGB. Each row keeps the window's own control name (Text5) as data; the code
// calls a control by its id, which says what it is for: field("wsjt_period").
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace selvora {

enum class Kind : std::uint8_t {
    Label,
    TextBox,
    CommandButton,
    Frame,
    OptionButton,
    Image,
    Line,
    Timer
};

using Rgb = std::uint32_t;
inline constexpr Rgb kSystemColour = 0xFF000000;  // not an RGB value: the system's colour

// The colours the program paints while it runs (warnings, the freshness patch).
namespace colours {
inline constexpr Rgb kRed = 0xFF0000;
inline constexpr Rgb kOrange = 0xFF8000;
inline constexpr Rgb kLightYellow = 0xFFFFC0;
inline constexpr Rgb kWhite = 0xFFFFFF;
inline constexpr Rgb kBlack = 0x000000;
}  // namespace colours

struct Font {
    std::string_view family;
    double points = 8.25;
    bool bold = false;
};

// The window font is Arial Narrow 8.25 pt bold; other fonts are named per control.
// On Linux fontconfig maps them to Liberation Sans (Narrow), Carlito and DejaVu Sans.

namespace fonts {
inline constexpr Font kWindow{"Arial Narrow", 8.25, true};
inline constexpr Font kNarrow{"Arial Narrow", 8.25};
inline constexpr Font kSans{"MS Sans Serif", 8.25};
inline constexpr Font kSansBold{"MS Sans Serif", 8.25, true};
inline constexpr Font kArial{"Arial", 8.25};
inline constexpr Font kArialBold{"Arial", 8.25, true};
inline constexpr Font kArialHeader{"Arial", 9, true};
inline constexpr Font kArialLarge{"Arial", 9.75};
inline constexpr Font kArialLargeBold{"Arial", 9.75, true};
inline constexpr Font kArialHuge{"Arial", 27.75, true};
inline constexpr Font kCalibri{"Calibri", 8.25};
}  // namespace fonts

struct Twips {
    int left = 0, top = 0, width = 0, height = 0;
};

struct ControlSpec {
    std::string_view name;  // the window's own control name; the widget's objectName
    // What the code calls it: field("wsjt_period"). Empty where the name says it already.
    // A plan field's id is idPrefix + id ("dx_rx_" + "cfom").
    std::string_view id;
    std::string_view idPrefix;
    int index = -1;  // element of a control array (phase), -1 for a single control
    Kind kind = Kind::Label;
    Twips at;
    std::string_view text;  // caption or text
    std::string_view toolTip;
    Font font = fonts::kWindow;
    Rgb back = kSystemColour;
    Rgb fore = kSystemColour;
    bool centred = false;
    bool border = false;
    bool transparent = false;  // a label that paints no background
    bool visible = true;
    bool selected = false;       // option buttons
    std::string_view container;  // "resolution" for the three controls inside that frame
    // What a screen reader announces for text boxes, option buttons and pictures
    // (labels announce their caption). `accessibleDetail` follows after a blank.
    std::string_view accessibleName;
    std::string_view accessibleDetail;
};

// The window itself.
inline constexpr std::string_view kWindowName = "selvora_1_3";
inline constexpr std::string_view kWindowCaption = "wsjt  Selvora v1.3 - Tarnwick";
inline constexpr Twips kClientArea{0, 0, 4425, 5805};
inline constexpr Rgb kWindowBack = 0xE0E0E0;
inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kTickIntervalMs = 480;
inline constexpr int kPhaseCount = 30;

// The sked table: a row per scheme, from the top down, and a column per kind of
// frequency. The own Rx and Tx columns are shown; the DX columns are hidden.
struct SchemeRow {
    std::string_view caption;               // as the row label reads, e.g. "Own Echo"
    std::string_view key;                   // the ids' common part: "own_echo" in "tx_own_echo"
    std::array<std::string_view, 5> names;  // the fields' control names, in kPlanColumns order
    int ownTop, dxTop, dxTx2Top;
    int txLeft;      // the Tx field's left edge (Call Dx sits 15 twips right of the rest)
    int dxRxHeight;  // the DX Rx field's height (No Doppler's is 15 twips less)
};

// One scheme a line.
// clang-format off
inline constexpr SchemeRow kSchemeRows[] = {
    {"Full Doppler Both Ways", "full_doppler", {"rx_full_doppler", "tx_full_doppler", "DXRX_full_doppler", "DXTX_full_doppler", "DXTX2_full_doppler"}, 480, 510, 105, 2520, 270},
    {"Own Echo", "own_echo", {"rx_own_echo", "tx_own_echo", "DXRX_own_echo", "DXTX_own_echo", "DXTX2_own_echo"}, 840, 870, 465, 2520, 270},
    {"CFOM", "cfom", {"rx_cfom", "tx_cfom", "DXRX_cfom", "DXTX_cfom", "DXTX2_cfom"}, 1200, 1230, 810, 2520, 270},
    {"On DX Echo", "dx_echo", {"rx_dx_echo", "tx_dx_echo", "DXRX_dx_echo", "DXTX_dx_echo", "DXTX2_dx_echo"}, 1560, 1590, 1185, 2520, 270},
    {"Call Dx", "call_dx", {"rx_call_dx", "tx_call_dx", "DXRX_call_dx", "DXTX_call_dx", "DXTX2_call_dx"}, 1920, 1950, 1545, 2535, 270},
    {"No Doppler", "no_doppler", {"rx_no_doppler", "tx_no_doppler", "DXRX_no_doppler", "DXTX_no_doppler", "DXTX2_no_doppler"}, 2280, 2310, 1905, 2520, 255},
};
// clang-format on

enum class RowTop : std::uint8_t { Own, Dx, DxTx2 };

// The columns, in the order of kPlanColumns.
enum class PlanColumnId : std::uint8_t { Rx, Tx, DxRx, DxTx, DxToneTx };

struct PlanColumn {
    std::string_view idPrefix;  // "dx_rx_" + the row's key
    Twips at;                   // left, width and height; the top comes from the row
    RowTop top;
    Font font;
    Rgb back;
    bool centred;
    bool visible;
    std::string_view accessibleDetail;  // follows the scheme: "Own Echo Rx frequency"
};

// One column a line.
// clang-format off
inline constexpr PlanColumn kPlanColumns[] = {
    {"rx_", {1080, 0, 1335, 285}, RowTop::Own, fonts::kSansBold, 0xC0FFC0, false, true, "Rx frequency"},
    {"tx_", {2520, 0, 1335, 285}, RowTop::Own, fonts::kSansBold, 0xFFC0C0, false, true, "Tx frequency"},
    {"dx_rx_", {4605, 0, 1215, 270}, RowTop::Dx, fonts::kArial, 0xC0FFC0, false, false, "DX Rx frequency"},
    {"dx_tx_", {5925, 0, 1215, 285}, RowTop::Dx, fonts::kArial, 0xFFC0C0, false, false, "DX Tx frequency"},
    {"dx_tone_tx_", {7500, 0, 1215, 330}, RowTop::DxTx2, fonts::kArial, kSystemColour, true, false, "DX tone-corrected Tx frequency"},
};
// clang-format on

namespace detail {
using enum Kind;
using namespace fonts;

// Everything but the sked table's 30 fields and the 30 phase pictures.
// One control a line, like the window's own table.
// clang-format off
inline constexpr ControlSpec kSingleControls[] = {
    // Sked table headers and row labels.
    {.name = "Label13", .id = "rx_header", .kind = Label, .at = {1080, 240, 1215, 255}, .text = "Rx frequency", .font = kArialHeader},
    {.name = "Label15", .id = "tx_header", .kind = Label, .at = {2640, 240, 1215, 255}, .text = "Tx Frequency", .font = kArialHeader},
    {.name = "Label1", .id = "caption_full_doppler", .kind = Label, .at = {120, 360, 975, 375}, .text = "Full Doppler Both Ways", .toolTip = "Dx station Tx and Rx on Sked frequency", .font = kSans},
    {.name = "Label2", .id = "caption_own_echo", .kind = Label, .at = {120, 840, 975, 375}, .text = "Own Echo", .toolTip = "Sked frequency is your Tx frequency", .font = kSans},
    {.name = "Label3", .id = "caption_cfom", .kind = Label, .at = {120, 1200, 975, 255}, .text = "CFOM", .toolTip = "Constant (sked) Frequency On Moon", .font = kSans},
    {.name = "Label4", .id = "caption_dx_echo", .kind = Label, .at = {120, 1560, 975, 255}, .text = "On DX Echo", .toolTip = " Sked frequency is DX Tx frequency", .font = kSans},
    {.name = "Label5", .id = "caption_call_dx", .kind = Label, .at = {120, 1920, 975, 255}, .text = "Call Dx", .toolTip = "Sked frequency is where you hear Dx", .font = kSans},
    {.name = "Label6", .id = "caption_no_doppler", .kind = Label, .at = {120, 2280, 975, 255}, .text = "No Doppler", .toolTip = "Current sked frequency", .font = kSans},

    // Band, period and file freshness.
    {.name = "Label12", .id = "band_caption", .kind = Label, .at = {120, 2640, 975, 255}, .text = "Data is for", .toolTip = "WSJT Band setting", .font = kSans},
    {.name = "wsjt_band", .kind = TextBox, .at = {1080, 2640, 615, 285}, .toolTip = "Doppler calculated for this frequency (read from Azel.dat file)", .font = kSans, .back = 0xC0FFFF, .accessibleName = "Band MHz"},
    {.name = "Text5", .id = "wsjt_period", .kind = TextBox, .at = {2040, 2640, 855, 285}, .toolTip = "1st/even or 2nd/odd WSJT period", .font = kArialLargeBold, .back = 0xFFE0C0, .accessibleName = "WSJT period"},
    {.name = "Text1", .id = "seconds", .kind = TextBox, .at = {3000, 2640, 855, 720}, .toolTip = "System clock time in seconds after the minute", .font = kArialHuge, .back = 0xFFE0C0, .centred = true, .accessibleName = "Seconds after the minute"},
    {.name = "axel_warning", .id = "stale_warning", .kind = Label, .at = {3015, 2670, 840, 690}, .text = "AZEL IS NOT UPDATING", .font = kArialBold, .back = 0xFF0000, .fore = 0xFFFFFF, .centred = true},
    {.name = "azel_running", .id = "freshness_patch", .kind = TextBox, .at = {2760, 3000, 195, 195}, .toolTip = "Flashes to show AZEL.DAT file is updating", .font = kSans, .back = 0xFFFFC0, .accessibleName = "azel.dat update indicator"},

    // Sked frequency entry.
    {.name = "sked_freq", .id = "sked_caption", .kind = Label, .at = {105, 2955, 855, 375}, .text = "Enter Sked Frequency", .font = kSans},
    {.name = "sked_frequency", .kind = TextBox, .at = {1080, 3000, 1215, 315}, .toolTip = "This is the \"sked\" frequency. You can change it by typing in the box", .font = kSansBold, .back = 0xC0FFFF, .accessibleName = "Sked frequency MHz"},
    {.name = "Label7", .id = "sked_unit", .kind = Label, .at = {2325, 3120, 375, 255}, .text = "MHz", .font = kSans},

    // Clocks.
    {.name = "Label17", .id = "utc_caption", .kind = Label, .at = {120, 3480, 975, 375}, .text = "UTC Time", .font = kSans},
    {.name = "Text4", .id = "utc_time", .kind = TextBox, .at = {1200, 3480, 2655, 285}, .toolTip = "Current UTC time and date", .font = kSans, .back = 0xFFE0C0, .centred = true, .accessibleName = "UTC time"},
    {.name = "local_time", .kind = Label, .at = {3930, 3495, 435, 270}, .font = kWindow, .back = 0xFFE0C0, .centred = true, .border = true},
    {.name = "Label14", .id = "local_caption", .kind = Label, .at = {3960, 3750, 435, 210}, .text = "Local", .transparent = true},

    // Moon position: azimuth, elevation, and the elevation bar over its scale.
    {.name = "Label23", .id = "azimuth_caption", .kind = Label, .at = {2535, 3825, 315, 210}, .text = "Az"},
    {.name = "bearing", .id = "moon_azimuth", .kind = TextBox, .at = {2760, 3810, 375, 240}, .font = kSans, .back = 0xFFC0FF, .centred = true, .accessibleName = "Moon azimuth"},
    {.name = "Label22", .id = "elevation_caption", .kind = Label, .at = {3270, 3810, 180, 270}, .text = "El"},
    {.name = "angle", .id = "moon_elevation", .kind = TextBox, .at = {3465, 3810, 375, 240}, .font = kSans, .back = 0xFFC0FF, .centred = true, .accessibleName = "Moon elevation"},
    {.name = "sky", .id = "elevation_scale", .kind = Label, .at = {3930, -15, 135, 3375}, .toolTip = "Current moon elevation angle", .back = 0x8080FF},
    {.name = "moon", .id = "elevation_bar", .kind = Label, .at = {3930, -15, 135, 15}, .back = 0xFFFF00},
    {.name = "Label28", .id = "scale_80", .kind = Label, .at = {4050, 270, 375, 255}, .text = " 80", .transparent = true},
    {.name = "Label27", .id = "scale_60", .kind = Label, .at = {4050, 1005, 255, 255}, .text = " 60", .transparent = true},
    {.name = "Label26", .id = "scale_40", .kind = Label, .at = {4050, 1755, 255, 255}, .text = " 40", .transparent = true},
    {.name = "Label24", .id = "scale_20", .kind = Label, .at = {4050, 2490, 255, 255}, .text = " 20", .transparent = true},
    {.name = "Label25", .id = "scale_0", .kind = Label, .at = {4050, 3225, 255, 255}, .text = " 0", .transparent = true},
    {.name = "Label37", .id = "scale_caption", .kind = Label, .at = {4125, 2865, 300, 285}, .text = "EL"},

    // Doppler values, each with its rate of change below it.
    {.name = "Label9", .id = "mutual_caption", .kind = Label, .at = {120, 3840, 1215, 375}, .text = "Mutual Doppler", .font = kSans},
    {.name = "dx_doppler", .id = "mutual_doppler", .kind = TextBox, .at = {120, 4080, 735, 285}, .font = kSans, .back = 0xFFFFC0, .centred = true, .accessibleName = "Mutual Doppler", .accessibleDetail = "Hz"},
    {.name = "Label18", .id = "mutual_unit", .kind = Label, .at = {840, 4080, 615, 255}, .text = " Hz", .font = kNarrow},
    {.name = "mutual_hz_min", .kind = TextBox, .at = {120, 4320, 735, 285}, .toolTip = "Rate of change of mutaul doppler Hz/min", .font = kSans, .back = 0xFFFFC0, .accessibleName = "Mutual Doppler rate", .accessibleDetail = "Hz per minute"},
    {.name = "Label19", .id = "mutual_rate_unit", .kind = Label, .at = {840, 4320, 615, 255}, .text = " Hz/min", .font = kNarrow},
    {.name = "Label10", .id = "self_caption", .kind = Label, .at = {1440, 3840, 975, 255}, .text = "Self Doppler", .font = kSans},
    {.name = "Self_doppler", .id = "self_doppler", .kind = TextBox, .at = {1440, 4080, 735, 285}, .font = kSans, .back = 0xFFFFC0, .centred = true, .accessibleName = "Self Doppler", .accessibleDetail = "Hz"},
    {.name = "Label20", .id = "self_unit", .kind = Label, .at = {2160, 4080, 495, 255}, .text = " Hz", .font = kNarrow},
    {.name = "self_hz_min", .kind = TextBox, .at = {1440, 4320, 735, 285}, .toolTip = "Rate of change of self doppler Hz/min", .font = kSans, .back = 0xFFFFC0, .accessibleName = "Self Doppler rate", .accessibleDetail = "Hz per minute"},
    {.name = "Label21", .id = "self_rate_unit", .kind = Label, .at = {2160, 4320, 495, 255}, .text = " Hz/Min", .font = kNarrow},

    // Moon age (the phase pictures follow the table).
    {.name = "days_after_new", .kind = Label, .at = {2760, 4080, 1095, 525}, .font = kNarrow, .back = 0xFFE0C0, .centred = true, .border = true},

    // Resolution choice; the three controls inside the frame are placed relative to it.
    {.name = "resolution", .kind = Frame, .at = {225, 4620, 3975, 435}, .toolTip = "Display resolution 1 Hz or 10 Hz", .accessibleName = "Display resolution"},
    {.name = "Label32", .id = "resolution_caption", .kind = Label, .at = {255, 150, 1215, 195}, .text = "Resolution", .container = "resolution"},
    {.name = "hz10", .kind = OptionButton, .at = {1575, 150, 735, 225}, .text = "10 Hz", .selected = true, .container = "resolution", .accessibleName = "10 Hz resolution"},
    {.name = "hz1", .kind = OptionButton, .at = {2850, 150, 735, 225}, .text = "1 Hz", .container = "resolution", .accessibleName = "1 Hz resolution"},

    // Tracking file path.
    {.name = "Label8", .id = "path_caption", .kind = Label, .at = {120, 5160, 1935, 255}, .text = "Enter path to AZEL.DAT", .font = kSans},
    {.name = "Command1", .id = "save_path", .kind = CommandButton, .at = {2880, 5115, 975, 255}, .text = "Save Path", .toolTip = "Saves the azel.dat file path. Loads automatically", .font = kSans},
    {.name = "Text2", .id = "azel_path", .kind = TextBox, .at = {120, 5400, 3735, 375}, .text = "c:/users/user/AppData/Local/WSJT-X/azel.dat", .toolTip = "Path to your azel.dat file", .font = kSans, .accessibleName = "Path to azel.dat"},
    {.name = "path_warning", .kind = Label, .at = {3915, 5325, 435, 450}, .text = "not found", .font = kArial, .back = 0xFF0000, .fore = 0xFFFFFF, .centred = true},

    // Credit line across the top, and the timer, which has no place on screen.
    {.name = "Label11", .id = "credit", .kind = Label, .at = {-45, -15, 3975, 255}, .text = "Selvora - Doppler sked frequencies for WSJT-X EME", .font = kCalibri, .fore = 0x404040, .centred = true},
    {.name = "Timer1", .id = "tick_timer", .kind = Timer},

    // Hidden controls, outside the client area: nothing ever shows them.
    {.name = "Label30", .id = "dx_rx_header", .kind = Label, .at = {4785, 15, 915, 495}, .text = "DX station Rx frequency", .centred = true, .visible = false},
    {.name = "Label29", .id = "dx_tx_header", .kind = Label, .at = {6030, 30, 885, 495}, .text = "DX station Tx frequency", .centred = true, .visible = false},
    {.name = "dx_self_doppler", .kind = TextBox, .at = {4605, 4215, 1095, 285}, .font = kSans, .back = 0xFFFFC0, .visible = false, .accessibleName = "DX self Doppler", .accessibleDetail = "Hz"},
    {.name = "Label38", .id = "dx_self_caption", .kind = Label, .at = {5775, 4230, 1185, 285}, .text = "DX Self Doppler", .visible = false},
    {.name = "Tx_tone_frequency", .id = "tx_tone_frequency", .kind = TextBox, .at = {4680, 5445, 555, 360}, .text = "1270", .font = kArialLarge, .centred = true, .visible = false, .accessibleName = "Tx tone frequency", .accessibleDetail = "Hz"},
    {.name = "Label33", .id = "tx_tone_caption", .kind = Label, .at = {4635, 5190, 1380, 315}, .text = "Tx Tone Frequency", .centred = true, .visible = false},
    {.name = "Rx_tone_frequency", .id = "rx_tone_frequency", .kind = TextBox, .at = {5055, 3225, 615, 345}, .text = "1270", .font = kArialLarge, .back = 0xC0FFFF, .centred = true, .visible = false, .accessibleName = "Rx tone frequency", .accessibleDetail = "Hz"},
    {.name = "Label34", .id = "rx_tone_caption", .kind = Label, .at = {5790, 3180, 825, 420}, .text = "Rx Tone Frequency", .centred = true, .visible = false},
    {.name = "Label35", .id = "wsjt_tone_note", .kind = Label, .at = {5280, 5400, 735, 255}, .text = "1270 wsjt", .transparent = true, .visible = false},
    {.name = "Label36", .id = "qra64_tone_note", .kind = Label, .at = {5280, 5595, 735, 255}, .text = "1000 qra64", .transparent = true, .visible = false},
    {.name = "frequency_error", .id = "tone_check", .kind = TextBox, .at = {5070, 2745, 1590, 375}, .text = "Text3", .font = kArialLargeBold, .back = 0xFF0000, .fore = 0xFFFFFF, .centred = true, .visible = false, .accessibleName = "Tone check"},
    {.name = "Label16", .id = "tone_note", .kind = Label, .at = {7740, 3105, 2295, 1065}, .text = "Assumes JT65 tone at 1270Hz (Tx and Rx), QRA64 at 1000Hz (Tx and Rx) and accurate frequency calibration ", .font = kArial, .centred = true, .visible = false},
    {.name = "Label31", .id = "instructions", .kind = Label, .at = {7665, 4020, 2385, 1245}, .text = "For this program to calculate Doppler frequences, WSJT or WSJT-X must be running and the DX station grid must be in the WSJT DX Grid box", .font = kArial, .centred = true, .border = true, .visible = false},
    {.name = "Line2", .id = "divider", .kind = Line, .at = {7320, 120, 0, 5760}, .visible = false},
    {.name = "azel_time", .id = "azel_seconds", .kind = TextBox, .at = {8970, 5820, 375, 285}, .toolTip = "Seconds after the minute of the last azel file read", .font = kSans, .back = 0xFFE0C0, .centred = true, .visible = false, .accessibleName = "Seconds of the last azel.dat read"},
    {.name = "Label39", .id = "moon_age_days", .kind = Label, .at = {4800, 6000, 2295, 375}, .text = "Label39", .back = 0xFFFFFF, .visible = false},
    {.name = "Text3", .id = "julian_date", .kind = TextBox, .at = {7500, 6720, 2655, 330}, .text = "Text3", .visible = false, .accessibleName = "Julian date"},
    {.name = "Text6", .id = "julian_day_number", .kind = TextBox, .at = {7500, 7080, 2655, 330}, .text = "Text6", .visible = false, .accessibleName = "Julian day number"},
    {.name = "Text7", .id = "day_fraction", .kind = TextBox, .at = {7500, 7440, 2655, 330}, .text = "Text7", .visible = false, .accessibleName = "Hours as a fraction of a day"},
    {.name = "Text8", .id = "time_of_day", .kind = TextBox, .at = {7500, 7800, 2655, 330}, .text = "Text8", .visible = false, .accessibleName = "Time of day as a fraction of a day"},
};
// clang-format on

consteval auto planControls() {
    std::array<ControlSpec, std::size(kSchemeRows) * std::size(kPlanColumns)> out{};
    std::size_t i = 0;
    for (const SchemeRow& row : kSchemeRows) {
        for (std::size_t c = 0; c < std::size(kPlanColumns); ++c) {
            const PlanColumn& column = kPlanColumns[c];
            Twips at = column.at;
            at.top = column.top == RowTop::Own  ? row.ownTop
                     : column.top == RowTop::Dx ? row.dxTop
                                                : row.dxTx2Top;
            if (c == 1) at.left = row.txLeft;
            if (c == 2) at.height = row.dxRxHeight;
            out[i++] = {.name = row.names[c],
                        .id = row.key,
                        .idPrefix = column.idPrefix,
                        .kind = Kind::TextBox,
                        .at = at,
                        .font = column.font,
                        .back = column.back,
                        .centred = column.centred,
                        .visible = column.visible,
                        .accessibleName = row.caption,
                        .accessibleDetail = column.accessibleDetail};
        }
    }
    return out;
}

// phase(k): the moon k days after new moon; all 30 lie on one spot. Pictures 0, 2,
// 3 and 4 are a pixel wider. At creation 5 to 29 are visible.
consteval auto phaseControls() {
    std::array<ControlSpec, kPhaseCount> out{};
    for (int k = 0; k < kPhaseCount; ++k) {
        const bool wide = k == 0 || (k >= 2 && k <= 4);
        out[static_cast<std::size_t>(k)] = {.name = "phase",
                                            .index = k,
                                            .kind = Image,
                                            .at = {3885, 4125, wide ? 465 : 450, 450},
                                            .visible = k >= 5,
                                            .accessibleName = "Moon phase picture"};
    }
    return out;
}

template <std::size_t... Sizes>
consteval auto joined(const std::array<ControlSpec, Sizes>&... parts) {
    std::array<ControlSpec, (Sizes + ...)> out{};
    std::size_t i = 0;
    ((std::copy(parts.begin(), parts.end(), out.begin() + static_cast<std::ptrdiff_t>(i)),
      i += parts.size()),
     ...);
    return out;
}

consteval auto singleControls() {
    return std::to_array(kSingleControls);
}
}  // namespace detail

// Every control of the window, in creation order.
inline constexpr auto kControls =
    detail::joined(detail::singleControls(), detail::planControls(), detail::phaseControls());

// A control, by its position in kControls.
struct FieldId {
    std::uint16_t index;
    friend constexpr bool operator==(FieldId, FieldId) = default;
};

// What the code calls a control: its id, or its name where that says it already.
constexpr bool hasId(const ControlSpec& control, std::string_view id) {
    if (control.id.empty()) return control.name == id;
    return id.size() == control.idPrefix.size() + control.id.size() &&
           id.starts_with(control.idPrefix) && id.ends_with(control.id);
}

// The control with that id, found while compiling: a misspelt id does not build.
consteval FieldId field(std::string_view id) {
    for (std::size_t i = 0; i < kControls.size(); ++i)
        if (hasId(kControls[i], id)) return FieldId{static_cast<std::uint16_t>(i)};
    throw "no control has this id";
}

// The same lookup at run time, for ids that come from outside (tests, tools). The
// phase pictures share the id "phase": this finds the first, phase(k) the others.
std::optional<FieldId> findField(std::string_view id);

// phase(k), 0 <= k < 30; any other k throws std::out_of_range.
FieldId phase(int k);

// The field of a scheme's row in one column of the sked table.
constexpr FieldId planField(std::size_t row, PlanColumnId column) {
    constexpr auto first = field("rx_full_doppler").index;
    return FieldId{static_cast<std::uint16_t>(first + row * std::size(kPlanColumns) +
                                              static_cast<std::size_t>(column))};
}

// Focus starts in the first; Tab visits them in this order ("resolution" stands
// for its selected option button).
inline constexpr std::string_view kTabOrder[] = {
    "tx_full_doppler", "rx_full_doppler", "tx_own_echo",    "rx_own_echo",     "tx_cfom",
    "rx_cfom",         "tx_dx_echo",      "rx_dx_echo",     "tx_call_dx",      "rx_call_dx",
    "tx_no_doppler",   "rx_no_doppler",   "sked_frequency", "mutual_doppler",  "save_path",
    "azel_path",       "self_doppler",    "seconds",        "wsjt_band",       "utc_time",
    "wsjt_period",     "mutual_hz_min",   "self_hz_min",    "freshness_patch", "moon_elevation",
    "moon_azimuth",    "resolution"};

}  // namespace selvora
