#include "run/TForm2.h"

namespace pvstim {

void TForm2::FormCreate() { }
void TForm2::Timer1Timer() { }
void TForm2::SetFrequency(double) { }
void TForm2::SelectRhythm(std::uint8_t) { }
void TForm2::showPhase(bool lit) { lit_ = lit; }

}  // namespace pvstim
