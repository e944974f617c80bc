#pragma once

#include "framework/FileListBox.h"
#include "framework/Form.h"
#include "framework/Memo.h"
#include "run/Flicker.h"
#include "run/Rhythm.h"
#include "run/RunSettings.h"

#include <QRegion>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace pvstim {

class PhaseBand;
class TGauge;
class TImage;
class StopKey;
class TLabel;
class TTimer;

// The stimulation window: a borderless, maximized, disabled window that shows the
// reading text line by line over the picture area and flickers at the stimulation
// frequency, with a thin progress strip along its top edge. It owns the four
// timers of a run. Construction and layout are in StimulationWindow.cpp; each group of
// handlers below names the file that holds it.
class StimulationWindow : public TForm {
public:
    // What the window asks of the rest of the program.
    struct Links {
        std::function<void()> restoreLineInterval;          // the create step: the stored line interval
        std::function<bool()> flickerSwitchedOn;            // the stimulation switch
        std::function<bool()> manualDrift;                  // Manual: the frequency drifts in the rhythm's band
        std::function<void(const QString&)> showFrequency;  // the frequency as text, at every flip
        std::function<void()> closeProgram;                 // Escape or a close request
    };
    explicit StimulationWindow(Links links);
    ~StimulationWindow() override;

    // In declaration order.
    TTimer* flipTimer;       // flicker clock
    TLabel* textLine;        // text line
    TFileListBox textFiles;  // names of the reading texts in to_read/
    TMemo readingText;       // the reading text; line 0 is the title
    TTimer* lineTimer;       // text timer
    TGauge* progressStrip;   // progress strip
    TTimer* markerTimer;     // marker timer
    TImage* pictureArea;     // picture area
    TTimer* mandalaTimer;    // mandala timer
    StopKey* stopKey;        // Escape ends the run; active while a run is shown

    // The flicker's rhythm, frequency and drifts; the clock above turns its phases.
    Flicker flicker;

    // The create step, the flicker clock and the rhythm presets (StimulationWindowFlicker.cpp).
    void onFlipDue();
    void setFrequency(double frequency);
    void selectRhythm(std::optional<Rhythm> chosen);
    // The reading-text feed (StimulationWindowTextFeed.cpp).
    void onLineDue();
    // The marker and mandala pictures (StimulationWindowPictures.cpp).
    void onMarkerDue();
    void onMandalaDue();
    // Ends the run at once, as the mini bar's close picture does (StimulationWindowStop.cpp).
    void stopRun();

    // A run: shown and its timers started, its progress, taken off the screen
    // (StimulationWindowRun.cpp).
    void startRun(const RunSettings& run);
    void showProgress(int percent);
    // One second of the run: the strip shows while the pointer is on the top row,
    // and the frequency moves as Auto says.
    void onRunSecond(double driftStep);
    void endRun();
    // Draws a reading text from the user's to_read/ and makes it the reading text;
    // throws, naming the folder, when none can be loaded.
    void loadRandomReadingText();

    // True while the flicker shows its lit phase (background, picture and text line);
    // false during its blank phase (background colour alone).
    bool litPhase() const { return lit_; }

protected:
    void FormCreate() override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // Chooses the flicker's presenter when the window first shows (StimulationWindowFrames.cpp).
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void wireStop();
    void layoutControls();
    void placeCovers();
    // What a flip changes: the text line and the drawn picture, the covers'
    // rectangles, which show the background alone in the blank phase.
    QRegion phaseBand() const;
    void showPhase(bool lit);
    // Makes the flicker clock's next tick fall exactly half a period after this one.
    void scheduleNextFlip(std::int64_t thisFlipNs);
    void pictureChanged();
    // Turns the phase as a flip does; false when the screen stays as it was: a
    // marker holds the lit phase, or a picture showed it before its time.
    bool nextPhase();

    // The frame-locked presenter and the flip log (StimulationWindowFrames.cpp).
    struct FrameLock;
    struct FrameLockDeleter {
        void operator()(FrameLock* lock) const;
    };
    // Called once a flip: the first one chooses the presenter, each one is logged.
    void phaseFlipped(std::int64_t dueNs);
    // A picture lit the blank phase before its time: logged as a lit phase.
    void litByPicture();
    // True while the frames, not the flicker clock, turn the phases.
    bool framesPace() const;
    // Shows the phase on the frame surface while it covers the window.
    bool showPhaseOnFrames(bool lit);
    void choosePresenter();
    void updateFramePictures();
    std::unique_ptr<FrameLock, FrameLockDeleter> frames_;

    // The phase band: both phases of the covers' rectangles prepared once, so that a
    // flip is one copy to the screen and no repaint (StimulationWindowBand.cpp).
    // False when there is none: the flip then repaints the band.
    bool showPhaseOnBand(bool lit);
    // A repaint of `region` (window coordinates): the prepared phases may be stale.
    void painted(const QRegion& region);
    void prepareBand();
    std::unique_ptr<PhaseBand> band_;
    bool bandAsked_ = false;     // the platform was asked for a band
    bool bandStale_ = true;      // what the window shows changed since the band was prepared
    bool preparePosted_ = false;
    bool preparing_ = false;     // the window paints the phases for the band, not for the screen

    Links links_;

    // Over the text line and over the drawn picture: they paint the background colour
    // while coversBlank_ is set and nothing otherwise, so a flip that turns the flag
    // leaves any later repaint painting the phase on show.
    QWidget* textCover_ = nullptr;
    QWidget* pictureCover_ = nullptr;
    bool coversBlank_ = false;
    // The index of the next line of the reading text to show; 0 before the title.
    int nextLine_ = 0;
    // The phase on show, and the phase the flicker's alternation is in: a picture
    // may light the blank phase before its time.
    bool lit_ = true;
    bool flickerLit_ = true;
};

}  // namespace pvstim
