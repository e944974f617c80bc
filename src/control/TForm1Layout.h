#pragma once

#include <QRect>
#include <QStringView>

namespace pvstim {

// Where each control of the control window lies, in client pixels. A label that
// takes the size of its caption starts at its rectangle's top-left corner and
// grows to the right; the size given is the designed caption's.
enum class Sizing { Fixed, Caption };

struct ControlPlace {
    QStringView name;
    QRect rect;
    Sizing sizing;
};

inline constexpr ControlPlace kTForm1Layout[] = {
    { u"CheckBox1", { 39, 34, 233, 19 }, Sizing::Fixed },
    { u"CheckBox2", { 39, 59, 82, 21 }, Sizing::Fixed },
    { u"CheckBox3", { 198, 59, 58, 21 }, Sizing::Fixed },
    { u"CheckBox4", { 152, 101, 137, 21 }, Sizing::Fixed },
    { u"CheckBox5", { 152, 121, 137, 21 }, Sizing::Fixed },
    { u"CheckBox6", { 149, 297, 140, 21 }, Sizing::Fixed },
    { u"CheckBox7", { 12, 332, 279, 21 }, Sizing::Fixed },
    { u"CheckBox8", { 12, 349, 279, 21 }, Sizing::Fixed },
    { u"CheckBox9", { 309, 252, 115, 21 }, Sizing::Fixed },
    { u"CheckBox10", { 309, 276, 115, 21 }, Sizing::Fixed },
    { u"Label1", { 12, 314, 96, 16 }, Sizing::Caption },
    { u"Label2", { 206, 164, 34, 18 }, Sizing::Fixed },
    { u"Label3", { 325, 107, 46, 16 }, Sizing::Caption },
    { u"Label4", { 391, 107, 139, 16 }, Sizing::Caption },
    { u"Label5", { 35, 116, 82, 16 }, Sizing::Caption },
    { u"Label6", { 24, 146, 107, 16 }, Sizing::Caption },
    { u"Label7", { 29, 178, 96, 16 }, Sizing::Caption },
    { u"Label8", { 57, 210, 32, 16 }, Sizing::Fixed },
    { u"Label9", { 49, 242, 56, 16 }, Sizing::Fixed },
    { u"Label10", { 315, 340, 68, 19 }, Sizing::Caption },
    { u"Label11", { 405, 340, 48, 19 }, Sizing::Caption },
    { u"Label12", { 481, 340, 47, 19 }, Sizing::Caption },
    { u"Label13", { 307, 309, 194, 16 }, Sizing::Caption },
    { u"Label14", { 436, 278, 53, 16 }, Sizing::Caption },
    { u"Label15", { 14, 270, 129, 16 }, Sizing::Fixed },
    { u"example", { 324, 136, 203, 54 }, Sizing::Fixed },
    { u"SpinEdit1", { 51, 290, 54, 22 }, Sizing::Fixed },
    { u"SpinEdit2", { 489, 204, 54, 22 }, Sizing::Fixed },
    { u"SpinEdit3", { 200, 259, 54, 22 }, Sizing::Fixed },
    { u"Gauge1", { 182, 203, 89, 41 }, Sizing::Fixed },
    { u"ColorBox1", { 404, 67, 113, 22 }, Sizing::Fixed },
};

// The place of a control named in the table; asserts that it is there.
const ControlPlace& placeOf(QStringView name);

}  // namespace pvstim
