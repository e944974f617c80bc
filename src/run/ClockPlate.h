#pragma once

#include "framework/Form.h"

namespace pvstim {

class TImage;
class TLabel;
class TTimer;

// The clock window: a small always-on-top plate with the time of day, parked
// above the screen's top-left corner, that slides into the corner while the
// pointer rests there. Its tick runs only while the pointer is in the band along
// the top and left edges or the plate is out of its parked place; the pointer's
// motion starts it again.
class ClockPlate : public TForm {
public:
    ClockPlate();

    TImage* plate;      // the plate
    TLabel* timeText;   // the time text
    TTimer* tickTimer;  // 20 ms, while the pointer is in the edge band or the plate is out

    void onTickDue();
    void onPointerMoved();
    void park();
    bool parked() const;

protected:
    void FormCreate() override;

private:
    int shownSecond_ = -1;  // the second of the day the label shows
};

}  // namespace pvstim
