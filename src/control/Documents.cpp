#include "control/TForm1.h"

namespace pvstim {

void TForm1::wireDocuments() { }

}  // namespace pvstim
