#include "control/TForm4.h"

namespace pvstim {

void TForm4::FormCreate() { }
void TForm4::wireChrome() { }

}  // namespace pvstim
