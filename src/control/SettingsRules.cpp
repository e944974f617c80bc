#include "control/TForm1.h"

namespace pvstim {

void TForm1::wireSettingsRules() { }

}  // namespace pvstim
