#pragma once

// The program-wide references to the five windows. Each is set before its window's
// create step runs, so every handler can reach every window from then on.
namespace pvstim {

class TForm1;
class TForm2;
class TForm3;
class TForm4;
class TForm5;

extern TForm1* Form1;  // control window (main window)
extern TForm2* Form2;  // stimulation window
extern TForm3* Form3;  // overlay window
extern TForm4* Form4;  // mini bar
extern TForm5* Form5;  // clock window

}  // namespace pvstim
