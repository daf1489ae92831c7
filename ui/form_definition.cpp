// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "ui/form_definition.h"

#include <array>

#include "calc/input_checks.h"
#include "calc/result_display.h"
#include "resources/picture_files.h"

namespace ui {
namespace {

using K = ControlKind;

constexpr FontDef Px11Underlined{11, false, true};
constexpr FontDef Px13{13};
constexpr FontDef Px13Bold{13, true};
constexpr FontDef Px16Bold{16, true};
constexpr FontDef Px19{19};
constexpr FontDef Px19Bold{19, true};
constexpr FontDef Px24Bold{24, true};

constexpr unsigned Marker = FixedSize | Opaque | Hidden | Reviewable;
constexpr unsigned Banner = FixedSize | Centred | Opaque | Hidden | Announced;

// What the two schematics show, for those who cannot see them.
constexpr const char* LowPassCircuit =
    "Third-order low-pass filter around an operational amplifier wired as a unity-gain "
    "follower. From In, three resistors R in series lead to the non-inverting input. "
    "Capacitor C1 goes from the node after the first resistor down to ground, capacitor C2 "
    "from the node after the second resistor up to the output, and capacitor C3 from the "
    "non-inverting input down to ground. The output, Out, is wired back to the inverting input.";
constexpr const char* HighPassCircuit =
    "Third-order high-pass filter around an operational amplifier wired as a unity-gain "
    "follower. From In, three capacitors C in series lead to the non-inverting input. "
    "Resistor R1 goes from the node after the first capacitor down to ground, resistor R2 "
    "from the node after the second capacitor up to the output, and resistor R3 from the "
    "non-inverting input down to ground. The output, Out, is wired back to the inverting input.";

// "С" in "С1 =" .. "С3 =" is the Cyrillic capital es (U+0421), "с" in "fс =" the Cyrillic
// small es (U+0441), named in Latin letters so that an English voice does not switch to
// Russian for them; "C =" and the R labels are Latin. Controls are listed in creation
// order: a parent before its children, and later siblings drawn over earlier ones.
constexpr ControlDef Controls[] = {
    // One control a record, its fields grouped as place, look and meaning.
    // clang-format off
    {.name = "Label1", .kind = K::Label, .rect = {144, 8, 397, 20},
     .text = "3-nd order filter / Расчет фильтра 3-го порядка", .font = Px16Bold, .textColour = Maroon},
    {.name = "Label2", .kind = K::Label, .rect = {320, 88, 31, 20},
     .text = "f\u0441 =", .font = Px16Bold, .access = {.name = "fc ="}},
    {.name = "Label20", .kind = K::Label, .rect = {8, 8, 721, 24},
     .text = calc::InputErrorBanner, .font = Px19Bold, .textColour = Yellow, .background = Red, .flags = Banner,
     .access = {.description = "The field that has the keyboard focus holds no valid number."}},
    {.name = "Label24", .kind = K::Link, .rect = {320, 344, 99, 13},
     .text = "en.wikipedia.org", .font = Px11Underlined, .textColour = Blue,
     .access = {.description = "Web page about Butterworth filters; clicking it opens the page in the browser."}},
    {.name = "Label19", .kind = K::Label, .rect = {8, 336, 721, 24},
     .text = calc::OutOfRangeBanner, .font = Px19, .textColour = Yellow, .background = Maroon, .flags = Banner,
     .access = {.description = "The field that has the keyboard focus was out of range; its text has been corrected."}},
    {.name = "GroupBox1", .kind = K::GroupBox, .rect = {8, 32, 289, 297},
     .text = "LowPass / ФНЧ",
     .access = {.description = "Low-pass filter: three equal resistors R, capacitors C1, C2 and C3."}},
    {.name = "Image1", .kind = K::Picture, .parent = "GroupBox1", .rect = {8, 16, 270, 150},
     .text = resources::LowPassSchematic,
     .access = {.name = "Low-pass filter schematic", .description = LowPassCircuit}},
    {.name = "Label4", .kind = K::Label, .parent = "GroupBox1", .rect = {24, 184, 20, 16},
     .text = "R =", .font = Px13},
    {.name = "Label5", .kind = K::Label, .parent = "GroupBox1", .rect = {24, 216, 26, 16},
     .text = "\u04211 =", .font = Px13, .access = {.name = "C1 ="}},
    {.name = "Label6", .kind = K::Label, .parent = "GroupBox1", .rect = {24, 240, 26, 16},
     .text = "\u04212 =", .font = Px13, .access = {.name = "C2 ="}},
    {.name = "Label7", .kind = K::Label, .parent = "GroupBox1", .rect = {56, 216, 41, 16},
     .text = "0", .font = Px13, .flags = FixedSize,
     .access = {.description = "Capacitor C1 of the low-pass filter, in the unit shown next to it."}},
    {.name = "Label8", .kind = K::Label, .parent = "GroupBox1", .rect = {56, 240, 41, 16},
     .text = "0", .font = Px13, .flags = FixedSize,
     .access = {.description = "Capacitor C2 of the low-pass filter, in the unit shown next to it."}},
    {.name = "Label9", .kind = K::Label, .parent = "GroupBox1", .rect = {104, 216, 15, 16},
     .text = "nF", .font = Px13,
     .access = {.description = "Unit of capacitor C1."}},
    {.name = "Label10", .kind = K::Label, .parent = "GroupBox1", .rect = {104, 240, 15, 16},
     .text = "nF", .font = Px13,
     .access = {.description = "Unit of capacitor C2."}},
    {.name = "Label21", .kind = K::Label, .parent = "GroupBox1", .rect = {112, 184, 61, 13},
     .text = "kOhm / кОм",
     .access = {.description = "Unit of the resistance R."}},
    {.name = "Label3", .kind = K::Label, .parent = "GroupBox1", .rect = {24, 264, 26, 16},
     .text = "\u04213 =", .font = Px13, .access = {.name = "C3 ="}},
    {.name = "Label12", .kind = K::Label, .parent = "GroupBox1", .rect = {56, 264, 41, 16},
     .text = "0", .font = Px13, .flags = FixedSize,
     .access = {.description = "Capacitor C3 of the low-pass filter, in the unit shown next to it."}},
    {.name = "Label22", .kind = K::Label, .parent = "GroupBox1", .rect = {104, 264, 15, 16},
     .text = "nF", .font = Px13,
     .access = {.description = "Unit of capacitor C3."}},
    {.name = "Label27", .kind = K::Label, .parent = "GroupBox1", .rect = {152, 216, 41, 16},
     .text = calc::MarkerText, .font = Px13Bold, .textColour = Yellow, .background = Maroon, .flags = Marker,
     .access = {.description = "C1 is impractical to build: below 100 pF or above 10 uF."}},
    {.name = "Label28", .kind = K::Label, .parent = "GroupBox1", .rect = {152, 240, 41, 16},
     .text = calc::MarkerText, .font = Px13Bold, .textColour = Yellow, .background = Maroon, .flags = Marker,
     .access = {.description = "C2 is impractical to build: below 100 pF or above 10 uF."}},
    {.name = "Label29", .kind = K::Label, .parent = "GroupBox1", .rect = {152, 264, 41, 16},
     .text = calc::MarkerText, .font = Px13Bold, .textColour = Yellow, .background = Maroon, .flags = Marker,
     .access = {.description = "C3 is impractical to build: below 100 pF or above 10 uF."}},
    {.name = "Edit3", .kind = K::Edit, .parent = "GroupBox1", .rect = {48, 184, 57, 21},
     .text = "33",
     .access = {.name = "Resistance R", .description = "Resistance of the three equal resistors R of the low-pass filter, in kOhm."}},
    {.name = "GroupBox2", .kind = K::GroupBox, .rect = {440, 32, 289, 297},
     .text = "HiPass / ФВЧ",
     .access = {.description = "High-pass filter: three equal capacitors C, resistors R1, R2 and R3."}},
    {.name = "Image2", .kind = K::Picture, .parent = "GroupBox2", .rect = {8, 16, 270, 150},
     .text = resources::HighPassSchematic,
     .access = {.name = "High-pass filter schematic", .description = HighPassCircuit}},
    {.name = "Label11", .kind = K::Label, .parent = "GroupBox2", .rect = {24, 184, 19, 16},
     .text = "C =", .font = Px13},
    {.name = "Label13", .kind = K::Label, .parent = "GroupBox2", .rect = {24, 216, 27, 16},
     .text = "R1 =", .font = Px13},
    {.name = "Label14", .kind = K::Label, .parent = "GroupBox2", .rect = {24, 240, 27, 16},
     .text = "R2 =", .font = Px13},
    {.name = "Label15", .kind = K::Label, .parent = "GroupBox2", .rect = {56, 216, 48, 16},
     .text = "0", .font = Px13, .flags = FixedSize,
     .access = {.description = "Resistor R1 of the high-pass filter, in the unit shown next to it."}},
    {.name = "Label16", .kind = K::Label, .parent = "GroupBox2", .rect = {56, 240, 48, 16},
     .text = "0", .font = Px13, .flags = FixedSize,
     .access = {.description = "Resistor R2 of the high-pass filter, in the unit shown next to it."}},
    {.name = "Label17", .kind = K::Label, .parent = "GroupBox2", .rect = {104, 216, 57, 16},
     .text = "Ohm / Ом", .font = Px13,
     .access = {.description = "Unit of resistor R1."}},
    {.name = "Label18", .kind = K::Label, .parent = "GroupBox2", .rect = {104, 240, 57, 16},
     .text = "Ohm / Ом", .font = Px13,
     .access = {.description = "Unit of resistor R2."}},
    {.name = "Label23", .kind = K::Label, .parent = "GroupBox2", .rect = {24, 264, 27, 16},
     .text = "R3 =", .font = Px13},
    {.name = "Label25", .kind = K::Label, .parent = "GroupBox2", .rect = {56, 264, 48, 16},
     .text = "0", .font = Px13, .flags = FixedSize,
     .access = {.description = "Resistor R3 of the high-pass filter, in the unit shown next to it."}},
    {.name = "Label26", .kind = K::Label, .parent = "GroupBox2", .rect = {104, 264, 57, 16},
     .text = "Ohm / Ом", .font = Px13,
     .access = {.description = "Unit of resistor R3."}},
    {.name = "Label30", .kind = K::Label, .parent = "GroupBox2", .rect = {184, 216, 41, 16},
     .text = calc::MarkerText, .font = Px13Bold, .textColour = Yellow, .background = Maroon, .flags = Marker,
     .access = {.description = "R1 is impractical to build: below 100 Ohm or above 1 MOhm."}},
    {.name = "Label31", .kind = K::Label, .parent = "GroupBox2", .rect = {184, 240, 41, 16},
     .text = calc::MarkerText, .font = Px13Bold, .textColour = Yellow, .background = Maroon, .flags = Marker,
     .access = {.description = "R2 is impractical to build: below 100 Ohm or above 1 MOhm."}},
    {.name = "Label32", .kind = K::Label, .parent = "GroupBox2", .rect = {184, 264, 41, 16},
     .text = calc::MarkerText, .font = Px13Bold, .textColour = Yellow, .background = Maroon, .flags = Marker,
     .access = {.description = "R3 is impractical to build: below 100 Ohm or above 1 MOhm."}},
    {.name = "Edit4", .kind = K::Edit, .parent = "GroupBox2", .rect = {48, 184, 57, 21},
     .text = "10",
     .access = {.name = "Capacitance C", .description = "Capacitance of the three equal capacitors C of the high-pass filter, in the unit selected next to it."}},
    {.name = "RadioButton3", .kind = K::RadioButton, .parent = "GroupBox2", .rect = {120, 176, 41, 17},
     .text = "nF", .flags = Checked,
     .access = {.description = "Capacitance C in nanofarads."}},
    {.name = "RadioButton4", .kind = K::RadioButton, .parent = "GroupBox2", .rect = {120, 192, 49, 17},
     .text = "uF",
     .access = {.description = "Capacitance C in microfarads."}},
    {.name = "Button1", .kind = K::PushButton, .rect = {304, 280, 129, 49},
     .text = "Exit", .font = Px24Bold,
     .access = {.description = "Ends the program."}},
    {.name = "Edit1", .kind = K::Edit, .rect = {360, 88, 57, 21},
     .text = "100",
     .access = {.name = "Cut-off frequency", .description = "Cut-off frequency, in the unit selected below."}},
    {.name = "RadioButton1", .kind = K::RadioButton, .rect = {360, 120, 73, 17},
     .text = "Hz / Гц", .flags = Checked,
     .access = {.description = "Cut-off frequency in hertz."}},
    {.name = "RadioButton2", .kind = K::RadioButton, .rect = {360, 136, 73, 17},
     .text = "kHz / кГц",
     .access = {.description = "Cut-off frequency in kilohertz."}},
    {.name = "Button2", .kind = K::PushButton, .rect = {304, 200, 129, 57},
     .text = "Go", .font = Px24Bold, .flags = DefaultButton,
     .access = {.description = "Calculates the component values."}},
    // clang-format on
};

// Tab visits these in turn, passing over the unselected button of each unit pair.
constexpr const char* TabOrder[] = {
    "Edit1",        "RadioButton1", "RadioButton2", "Edit3",   "Edit4",
    "RadioButton3", "RadioButton4", "Button2",      "Button1",
};

constexpr WindowDef Window{
    .name = "Form1",
    .caption = "Bathervort filter / Фильтр Баттерворта",
    .clientSize = {738, 367},
    .font = FontDef{11},
    .iconFiles = resources::TitleBarIcons,
    .linkUrl = "https://en.wikipedia.org/wiki/Butterworth_filter",
    .tabOrder = TabOrder,
};

}  // namespace

const WindowDef& Form1Window()
{
    return Window;
}

std::span<const ControlDef> Form1Controls()
{
    return std::span(Controls);
}

}  // namespace ui
