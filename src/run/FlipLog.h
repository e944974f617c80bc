#pragma once

#include <QFile>
#include <QString>

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

namespace pvstim {

// What the flicker did, phase by phase: a CSV file with one line per phase and, at
// the end, a short summary beside it and on standard error.
//
// Columns: phase (lit/blank), frequency_hz (in force when the phase began, which
// sets when the next one is due), due_ms (when it was planned to begin), painted_ms
// (when its picture was made), on_screen_ms (when the swap that showed it
// completed; empty where the presenter cannot know), length_ms (until the next
// phase was painted) and frames (its length in display frames: counted by the
// frame presenter, estimated from the reported refresh otherwise). Times are
// milliseconds from the first phase, to the microsecond.
//
// The log does not decide anything about the flicker; it only records it.
class FlipLog {
public:
    struct Phase {
        bool lit = true;
        double hz = 0;
        std::int64_t dueNs = 0;
        std::int64_t paintedNs = 0;
        std::int64_t onScreenNs = -1;
        int frames = -1;   // planned frames; -1 where the presenter does not count them
    };

    struct Summary {
        int phases = 0;
        double seconds = 0;
        // The rate the frequencies shown ask for: each phase lasting half a period
        // of the frequency shown when it began.
        double shownHz = 0;
        // The rate the phases kept: shownHz scaled by the slope of a straight line
        // through the phases' start times against the times shownHz puts them at,
        // which a single late phase hardly moves.
        double measuredHz = 0;
        double lowestHz = 0;
        double highestHz = 0;
        std::map<int, int> histogram;  // phase length in frames -> phases
        double lateP50Ms = 0;
        double lateP99Ms = 0;
        int missedFrames = 0;
        bool framesCounted = false;  // false: missed frames are not known
        QString presenter;
        double refreshHz = 0;
        QString text() const;
    };

    FlipLog() = default;
    ~FlipLog();
    FlipLog(const FlipLog&) = delete;
    FlipLog& operator=(const FlipLog&) = delete;

    // Starts a log written to `path`; returns false when it cannot be written.
    // Without a path the log only counts, for the summary.
    bool open(const QString& path);
    bool isOpen() const { return file_.isOpen(); }

    void setPresenter(const QString& name) { presenter_ = name; }
    // The display's refresh, for the length of a phase in frames; 0 when unknown.
    void setRefreshHz(double hz) { refreshHz_ = hz; }

    // A phase began: its picture was painted. Ends the phase before it.
    void phaseBegan(const Phase& phase);
    // The phase last begun reached the screen at this time.
    void phaseOnScreen(std::int64_t ns);
    void framesMissed(int frames) { missed_ += frames; }
    // Whether the presenter sees the swaps and so counts missed frames.
    void setFramesCounted(bool counted) { framesCounted_ = counted; }
    // The phase last begun lasted this many frames, missed ones included.
    void phaseLasted(int frames)
    {
        if (open_)
            open_->frames = frames;
    }

    // Ends the last phase at `endNs` and, when the log has a file, writes the
    // summary beside it and on standard error (once).
    void finish(std::int64_t endNs);
    Summary summary() const;
    QString summaryPath() const;

private:
    enum class Ended { ByNextPhase, ByRunEnd };
    void writeLine(const Phase& phase, std::int64_t endNs, Ended ended);

    QFile file_;
    QString presenter_ = QStringLiteral("timer");
    double refreshHz_ = 0;
    std::optional<Phase> open_;     // the phase on show, not yet written
    std::vector<Phase> phases_;     // every phase begun, for the summary
    std::vector<int> lengths_;      // frames of each finished phase
    std::int64_t originNs_ = -1;
    int missed_ = 0;
    bool framesCounted_ = false;
    bool finished_ = false;
};

}  // namespace pvstim
