#include "ui/form_definition.h"

#include <array>

namespace ui {
namespace {

using K = ControlKind;

constexpr FontDef Default{};
constexpr FontDef Px11Underlined{11, false, true};
constexpr FontDef Px13{13};
constexpr FontDef Px13Bold{13, true};
constexpr FontDef Px16Bold{16, true};
constexpr FontDef Px19{19};
constexpr FontDef Px19Bold{19, true};
constexpr FontDef Px24Bold{24, true};

constexpr unsigned Marker = FixedSize | Opaque | Hidden | Announced;
constexpr unsigned Banner = FixedSize | Centred | Opaque | Hidden | Announced;
constexpr const char* MarkerText = " <--- !";
constexpr QRgb Sys = SystemColour;

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
// small es (U+0441); "C =" and the R labels are Latin.
constexpr std::array Controls{
    // name          kind            parent       left, top, width, height  text                                          font        text colour  background  flags           tab
    //            then, where the control needs them: accessible name, description
    ControlDef{"Label1",       K::Label,       nullptr,     {144,   8, 397,  20}, "3-nd order filter / Расчет фильтра 3-го порядка", Px16Bold,       Maroon, Sys,    NoFlags,        NoTabStop},
    ControlDef{"Label2",       K::Label,       nullptr,     {320,  88,  31,  20}, "f\u0441 =",                                       Px16Bold,       Sys,    Sys,    NoFlags,        NoTabStop},
    ControlDef{"Label20",      K::Label,       nullptr,     {  8,   8, 721,  24}, "Input error / Ошибка ввода",                      Px19Bold,       Yellow, Red,    Banner,         NoTabStop,
               {.description = "The field that has the keyboard focus holds no valid number."}},
    ControlDef{"Label24",      K::Link,        nullptr,     {320, 344,  99,  13}, "en.wikipedia.org",                                Px11Underlined, Blue,   Sys,    NoFlags,        NoTabStop,
               {.description = "Web page about Butterworth filters; clicking it opens the page in the browser."}},
    ControlDef{"Label19",      K::Label,       nullptr,     {  8, 336, 721,  24}, "Data is outrange / Данные выходят из диапазона",  Px19,           Yellow, Maroon, Banner,         NoTabStop,
               {.description = "The field that has the keyboard focus was out of range; its text has been corrected."}},
    ControlDef{"GroupBox1",    K::GroupBox,    nullptr,     {  8,  32, 289, 297}, "LowPass / ФНЧ",                                   Default,        Sys,    Sys,    NoFlags,        3,
               {.description = "Low-pass filter: three equal resistors R, capacitors C1, C2 and C3."}},
    ControlDef{"Image1",       K::Picture,     "GroupBox1", {  8,  16, 270, 150}, ":/lowpass.xpm",                                   Default,        Sys,    Sys,    NoFlags,        NoTabStop,
               {.name = "Low-pass filter schematic", .description = LowPassCircuit}},
    ControlDef{"Label4",       K::Label,       "GroupBox1", { 24, 184,  20,  16}, "R =",                                             Px13,           Sys,    Sys,    NoFlags,        NoTabStop},
    ControlDef{"Label5",       K::Label,       "GroupBox1", { 24, 216,  26,  16}, "\u04211 =",                                       Px13,           Sys,    Sys,    NoFlags,        NoTabStop},
    ControlDef{"Label6",       K::Label,       "GroupBox1", { 24, 240,  26,  16}, "\u04212 =",                                       Px13,           Sys,    Sys,    NoFlags,        NoTabStop},
    ControlDef{"Label7",       K::Label,       "GroupBox1", { 56, 216,  41,  16}, "0",                                               Px13,           Sys,    Sys,    FixedSize,      NoTabStop,
               {.description = "Capacitor C1 of the low-pass filter, in the unit shown next to it."}},
    ControlDef{"Label8",       K::Label,       "GroupBox1", { 56, 240,  41,  16}, "0",                                               Px13,           Sys,    Sys,    FixedSize,      NoTabStop,
               {.description = "Capacitor C2 of the low-pass filter, in the unit shown next to it."}},
    ControlDef{"Label9",       K::Label,       "GroupBox1", {104, 216,  15,  16}, "nF",                                              Px13,           Sys,    Sys,    NoFlags,        NoTabStop,
               {.description = "Unit of capacitor C1."}},
    ControlDef{"Label10",      K::Label,       "GroupBox1", {104, 240,  15,  16}, "nF",                                              Px13,           Sys,    Sys,    NoFlags,        NoTabStop,
               {.description = "Unit of capacitor C2."}},
    ControlDef{"Label21",      K::Label,       "GroupBox1", {112, 184,  61,  13}, "kOhm / кОм",                                      Default,        Sys,    Sys,    NoFlags,        NoTabStop,
               {.description = "Unit of the resistance R."}},
    ControlDef{"Label3",       K::Label,       "GroupBox1", { 24, 264,  26,  16}, "\u04213 =",                                       Px13,           Sys,    Sys,    NoFlags,        NoTabStop},
    ControlDef{"Label12",      K::Label,       "GroupBox1", { 56, 264,  41,  16}, "0",                                               Px13,           Sys,    Sys,    FixedSize,      NoTabStop,
               {.description = "Capacitor C3 of the low-pass filter, in the unit shown next to it."}},
    ControlDef{"Label22",      K::Label,       "GroupBox1", {104, 264,  15,  16}, "nF",                                              Px13,           Sys,    Sys,    NoFlags,        NoTabStop,
               {.description = "Unit of capacitor C3."}},
    ControlDef{"Label27",      K::Label,       "GroupBox1", {152, 216,  41,  16}, MarkerText,                                        Px13Bold,       Yellow, Maroon, Marker,         NoTabStop,
               {.description = "C1 is impractical to build: below 100 pF or above 10 uF."}},
    ControlDef{"Label28",      K::Label,       "GroupBox1", {152, 240,  41,  16}, MarkerText,                                        Px13Bold,       Yellow, Maroon, Marker,         NoTabStop,
               {.description = "C2 is impractical to build: below 100 pF or above 10 uF."}},
    ControlDef{"Label29",      K::Label,       "GroupBox1", {152, 264,  41,  16}, MarkerText,                                        Px13Bold,       Yellow, Maroon, Marker,         NoTabStop,
               {.description = "C3 is impractical to build: below 100 pF or above 10 uF."}},
    ControlDef{"Edit3",        K::Edit,        "GroupBox1", { 48, 184,  57,  21}, "33",                                              Default,        Sys,    Sys,    NoFlags,        0,
               {.name = "Resistance R", .description = "Resistance of the three equal resistors R of the low-pass filter, in kOhm."}},
    ControlDef{"GroupBox2",    K::GroupBox,    nullptr,     {440,  32, 289, 297}, "HiPass / ФВЧ",                                    Default,        Sys,    Sys,    NoFlags,        4,
               {.description = "High-pass filter: three equal capacitors C, resistors R1, R2 and R3."}},
    ControlDef{"Image2",       K::Picture,     "GroupBox2", {  8,  16, 270, 150}, ":/highpass.xpm",                                  Default,        Sys,    Sys,    NoFlags,        NoTabStop,
               {.name = "High-pass filter schematic", .description = HighPassCircuit}},
    ControlDef{"Label11",      K::Label,       "GroupBox2", { 24, 184,  19,  16}, "C =",                                             Px13,           Sys,    Sys,    NoFlags,        NoTabStop},
    ControlDef{"Label13",      K::Label,       "GroupBox2", { 24, 216,  27,  16}, "R1 =",                                            Px13,           Sys,    Sys,    NoFlags,        NoTabStop},
    ControlDef{"Label14",      K::Label,       "GroupBox2", { 24, 240,  27,  16}, "R2 =",                                            Px13,           Sys,    Sys,    NoFlags,        NoTabStop},
    ControlDef{"Label15",      K::Label,       "GroupBox2", { 56, 216,  48,  16}, "0",                                               Px13,           Sys,    Sys,    FixedSize,      NoTabStop,
               {.description = "Resistor R1 of the high-pass filter, in the unit shown next to it."}},
    ControlDef{"Label16",      K::Label,       "GroupBox2", { 56, 240,  48,  16}, "0",                                               Px13,           Sys,    Sys,    FixedSize,      NoTabStop,
               {.description = "Resistor R2 of the high-pass filter, in the unit shown next to it."}},
    ControlDef{"Label17",      K::Label,       "GroupBox2", {104, 216,  57,  16}, "Ohm / Ом",                                        Px13,           Sys,    Sys,    NoFlags,        NoTabStop,
               {.description = "Unit of resistor R1."}},
    ControlDef{"Label18",      K::Label,       "GroupBox2", {104, 240,  57,  16}, "Ohm / Ом",                                        Px13,           Sys,    Sys,    NoFlags,        NoTabStop,
               {.description = "Unit of resistor R2."}},
    ControlDef{"Label23",      K::Label,       "GroupBox2", { 24, 264,  27,  16}, "R3 =",                                            Px13,           Sys,    Sys,    NoFlags,        NoTabStop},
    ControlDef{"Label25",      K::Label,       "GroupBox2", { 56, 264,  48,  16}, "0",                                               Px13,           Sys,    Sys,    FixedSize,      NoTabStop,
               {.description = "Resistor R3 of the high-pass filter, in the unit shown next to it."}},
    ControlDef{"Label26",      K::Label,       "GroupBox2", {104, 264,  57,  16}, "Ohm / Ом",                                        Px13,           Sys,    Sys,    NoFlags,        NoTabStop,
               {.description = "Unit of resistor R3."}},
    ControlDef{"Label30",      K::Label,       "GroupBox2", {184, 216,  41,  16}, MarkerText,                                        Px13Bold,       Yellow, Maroon, Marker,         NoTabStop,
               {.description = "R1 is impractical to build: below 100 Ohm or above 1 MOhm."}},
    ControlDef{"Label31",      K::Label,       "GroupBox2", {184, 240,  41,  16}, MarkerText,                                        Px13Bold,       Yellow, Maroon, Marker,         NoTabStop,
               {.description = "R2 is impractical to build: below 100 Ohm or above 1 MOhm."}},
    ControlDef{"Label32",      K::Label,       "GroupBox2", {184, 264,  41,  16}, MarkerText,                                        Px13Bold,       Yellow, Maroon, Marker,         NoTabStop,
               {.description = "R3 is impractical to build: below 100 Ohm or above 1 MOhm."}},
    ControlDef{"Edit4",        K::Edit,        "GroupBox2", { 48, 184,  57,  21}, "10",                                              Default,        Sys,    Sys,    NoFlags,        0,
               {.name = "Capacitance C", .description = "Capacitance of the three equal capacitors C of the high-pass filter, in the unit selected next to it."}},
    ControlDef{"RadioButton3", K::RadioButton, "GroupBox2", {120, 176,  41,  17}, "nF",                                              Default,        Sys,    Sys,    Checked,        1,
               {.description = "Capacitance C in nanofarads."}},
    ControlDef{"RadioButton4", K::RadioButton, "GroupBox2", {120, 192,  49,  17}, "uF",                                              Default,        Sys,    Sys,    NoFlags,        2,
               {.description = "Capacitance C in microfarads."}},
    ControlDef{"Button1",      K::PushButton,  nullptr,     {304, 280, 129,  49}, "Exit",                                            Px24Bold,       Sys,    Sys,    NoFlags,        6,
               {.description = "Ends the program."}},
    ControlDef{"Edit1",        K::Edit,        nullptr,     {360,  88,  57,  21}, "100",                                             Default,        Sys,    Sys,    NoFlags,        0,
               {.name = "Cut-off frequency", .description = "Cut-off frequency, in the unit selected below."}},
    ControlDef{"RadioButton1", K::RadioButton, nullptr,     {360, 120,  73,  17}, "Hz / Гц",                                         Default,        Sys,    Sys,    Checked,        1,
               {.description = "Cut-off frequency in hertz."}},
    ControlDef{"RadioButton2", K::RadioButton, nullptr,     {360, 136,  73,  17}, "kHz / кГц",                                       Default,        Sys,    Sys,    NoFlags,        2,
               {.description = "Cut-off frequency in kilohertz."}},
    ControlDef{"Button2",      K::PushButton,  nullptr,     {304, 200, 129,  57}, "Go",                                              Px24Bold,       Sys,    Sys,    DefaultButton,  5,
               {.description = "Calculates the component values."}},
};

// The sizes a title bar and a taskbar show; the larger drawings serve desktop menus.
constexpr std::array IconFiles{
    IconFile{":/icon32.xpm", 32}, IconFile{":/icon48.xpm", 48}, IconFile{":/icon64.xpm", 64}};

constexpr WindowDef Window{
    "Form1",
    "Bathervort filter / Фильтр Баттерворта",
    {738, 367},
    FontDef{11},
    IconFiles,
    "https://en.wikipedia.org/wiki/Butterworth_filter",
};

}  // namespace

const WindowDef& Form1Window()
{
    return Window;
}

std::span<const ControlDef> Form1Controls()
{
    return Controls;
}

}  // namespace ui
