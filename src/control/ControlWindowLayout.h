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

inline constexpr ControlPlace kControlWindowLayout[] = {
    { u"stimulationBox", { 39, 34, 233, 19 }, Sizing::Fixed },
    { u"manualBox", { 39, 59, 82, 21 }, Sizing::Fixed },
    { u"autoBox", { 198, 59, 58, 21 }, Sizing::Fixed },
    { u"sleepBox", { 152, 101, 137, 21 }, Sizing::Fixed },
    { u"wakeBox", { 152, 121, 137, 21 }, Sizing::Fixed },
    { u"powerOffBox", { 149, 297, 140, 21 }, Sizing::Fixed },
    { u"markersBox", { 12, 332, 279, 21 }, Sizing::Fixed },
    { u"mandalasBox", { 12, 349, 279, 21 }, Sizing::Fixed },
    { u"randomTextBox", { 309, 252, 115, 21 }, Sizing::Fixed },
    { u"chosenTextBox", { 309, 276, 115, 21 }, Sizing::Fixed },
    { u"picturesHeading", { 12, 314, 96, 16 }, Sizing::Caption },
    { u"minutesLabel", { 206, 164, 34, 18 }, Sizing::Fixed },
    { u"fontButton", { 325, 107, 46, 16 }, Sizing::Caption },
    { u"resetButton", { 391, 107, 139, 16 }, Sizing::Caption },
    { u"lowBetaButton", { 35, 116, 82, 16 }, Sizing::Caption },
    { u"highAlphaButton", { 24, 146, 107, 16 }, Sizing::Caption },
    { u"lowAlphaButton", { 29, 178, 96, 16 }, Sizing::Caption },
    { u"thetaButton", { 57, 210, 32, 16 }, Sizing::Fixed },
    { u"deltaButton", { 49, 242, 56, 16 }, Sizing::Fixed },
    { u"helpButton", { 315, 340, 68, 19 }, Sizing::Caption },
    { u"bookButton", { 405, 340, 48, 19 }, Sizing::Caption },
    { u"startButton", { 481, 340, 47, 19 }, Sizing::Caption },
    { u"frequencyLabel", { 307, 309, 194, 16 }, Sizing::Caption },
    { u"browseButton", { 436, 278, 53, 16 }, Sizing::Caption },
    { u"intensityCaption", { 14, 270, 129, 16 }, Sizing::Fixed },
    { u"textPreview", { 324, 136, 203, 54 }, Sizing::Fixed },
    { u"intensitySpin", { 51, 290, 54, 22 }, Sizing::Fixed },
    { u"lineIntervalSpin", { 489, 204, 54, 22 }, Sizing::Fixed },
    { u"runMinutesSpin", { 200, 259, 54, 22 }, Sizing::Fixed },
    { u"progressNeedle", { 182, 203, 89, 41 }, Sizing::Fixed },
    { u"previewColorBox", { 404, 67, 113, 22 }, Sizing::Fixed },
};

// The place of a control named in the table; asserts that it is there.
const ControlPlace& placeOf(QStringView name);

}  // namespace pvstim
