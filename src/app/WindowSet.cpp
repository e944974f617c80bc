#include "app/WindowSet.h"

#include "control/TForm1.h"
#include "control/TForm4.h"
#include "run/TForm2.h"
#include "run/TForm3.h"
#include "run/TForm5.h"
#include "windows/Forms.h"

namespace pvstim {

namespace {

enum class VisibleAtStart { No, Yes };

// Sets the reference, then runs the create step, then shows the window if its
// design says so. The reference must be set first: create steps of later windows
// write into the control window, whose rules act back on the window being created.
template<typename Form>
void createWindow(Form*& reference, VisibleAtStart visible)
{
    reference = new Form();
    reference->runCreateStep();
    if (visible == VisibleAtStart::Yes)
        reference->Show();
}

}  // namespace

void createWindowSet()
{
    createWindow(Form1, VisibleAtStart::Yes);
    Form1->setMainForm(true);
    createWindow(Form2, VisibleAtStart::No);
    createWindow(Form3, VisibleAtStart::No);
    createWindow(Form4, VisibleAtStart::No);
    createWindow(Form5, VisibleAtStart::Yes);
}

void destroyWindowSet()
{
    // In reverse order; every window may still reach the others while it goes.
    delete Form5;
    Form5 = nullptr;
    delete Form4;
    Form4 = nullptr;
    delete Form3;
    Form3 = nullptr;
    delete Form2;
    Form2 = nullptr;
    delete Form1;
    Form1 = nullptr;
}

}  // namespace pvstim
