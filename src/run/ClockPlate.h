#pragma once

#include "framework/Form.h"

namespace pvstim {

class TImage;
class TLabel;
class TTimer;

// The clock window: a small always-on-top plate with the time of day, parked
// above the screen's top-left corner, that slides into the corner while the
// pointer rests there.
class ClockPlate : public TForm {
public:
    ClockPlate();

    TImage* plate;      // the plate
    TLabel* timeText;   // the time text
    TTimer* tickTimer;  // 20 ms

    void onTickDue();
    void park();

protected:
    void FormCreate() override;

private:
    int shownSecond_ = -1;  // the second of the day the label shows
};

}  // namespace pvstim
