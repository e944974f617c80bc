#include "run/FlickerOptions.h"

namespace pvstim {

FlickerOptions& flickerOptions()
{
    static FlickerOptions options;
    return options;
}

}  // namespace pvstim
