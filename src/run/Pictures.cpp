#include "run/TForm2.h"

namespace pvstim {

void TForm2::Timer3Timer() { }
void TForm2::Timer4Timer() { }

}  // namespace pvstim
