#include "run/TForm5.h"

#include "framework/Image.h"
#include "framework/Label.h"
#include "framework/Timer.h"

namespace pvstim {

TForm5::TForm5()
    : TForm(QStringLiteral("Form5"), WindowPlacement::Unmanaged)
{
    setStayOnTop(true);
    setBounds(0, 0, 104, 25);
    Image1 = new TImage(this, QStringLiteral("Image1"));
    Image1->AutoSize = true;
    Image1->Picture().LoadFromResource(QStringLiteral(":/art/clock.bmp"));
    Label1 = new TLabel(this, QStringLiteral("Label1"));
    Label1->setFont(TFont { QStringLiteral("Arial"), 12, TFont::Bold, clWhite, 204 });
    Label1->setAutoSize(false);
    Label1->setTransparent(true);
    Label1->setAlignment(TextAlignment::Center);
    Label1->setGeometry(6, 4, 69, 15);
    Label1->setCaption(QStringLiteral("00:00:00"));
    Timer1 = new TTimer(this, 20, true);
    Timer1->OnTimer = [this] { Timer1Timer(); };
    sizeToControls();
}

void TForm5::FormCreate() { park(); }

void TForm5::park() { setBounds(2 - Width(), -Height() - 1, Width(), Height()); }

void TForm5::Timer1Timer() { }

}  // namespace pvstim
