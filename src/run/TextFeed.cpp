#include "run/TForm2.h"

namespace pvstim {

void TForm2::Timer2Timer() { }

}  // namespace pvstim
