#include "run/FlipLog.h"

#include <QFileInfo>
#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace pvstim {

namespace {

double percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const auto index = std::size_t(std::lround(p / 100.0 * double(values.size() - 1)));
    return values[std::min(index, values.size() - 1)];
}

QString ms(std::int64_t ns, std::int64_t originNs)
{
    return QString::number(double(ns - originNs) / 1e6, 'f', 3);
}

}  // namespace

FlipLog::~FlipLog()
{
    if (!phases_.empty() && !finished_)
        finish(phases_.back().paintedNs);
}

bool FlipLog::open(const QString& path)
{
    file_.setFileName(path);
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return false;
    file_.write("phase,frequency_hz,due_ms,painted_ms,on_screen_ms,length_ms,frames\n");
    return true;
}

QString FlipLog::summaryPath() const
{
    return file_.fileName() + QStringLiteral(".summary.txt");
}

void FlipLog::phaseBegan(const Phase& phase)
{
    if (finished_)
        return;
    if (originNs_ < 0)
        originNs_ = phase.paintedNs;
    if (open_)
        writeLine(*open_, phase.paintedNs, Ended::ByNextPhase);
    open_ = phase;
    phases_.push_back(phase);
}

void FlipLog::phaseOnScreen(std::int64_t ns)
{
    if (open_ && open_->onScreenNs < 0) {
        open_->onScreenNs = ns;
        phases_.back().onScreenNs = ns;
    }
}

void FlipLog::writeLine(const Phase& phase, std::int64_t endNs, Ended ended)
{
    int frames = phase.frames;
    if (frames < 0 && refreshHz_ > 0)
        frames = int(std::lround(double(endNs - phase.paintedNs) * refreshHz_ / 1e9));
    // The phase the run ended in was cut short: it has no length of its own.
    if (ended == Ended::ByRunEnd)
        frames = -1;
    else
        lengths_.push_back(frames);
    if (!file_.isOpen())
        return;
    QString line = QStringLiteral("%1,%2,%3,%4,%5,%6,%7\n")
                       .arg(phase.lit ? QStringLiteral("lit") : QStringLiteral("blank"))
                       .arg(phase.hz, 0, 'f', 6)
                       .arg(ms(phase.dueNs, originNs_), ms(phase.paintedNs, originNs_),
                           phase.onScreenNs < 0 ? QString() : ms(phase.onScreenNs, originNs_),
                           QString::number(double(endNs - phase.paintedNs) / 1e6, 'f', 3),
                           frames < 0 ? QString() : QString::number(frames));
    file_.write(line.toUtf8());
}

void FlipLog::finish(std::int64_t endNs)
{
    if (finished_)
        return;
    if (open_)
        writeLine(*open_, std::max(endNs, open_->paintedNs), Ended::ByRunEnd);
    open_.reset();
    finished_ = true;
    if (phases_.empty() || !file_.isOpen())
        return;
    const QString text = summary().text();
    std::fprintf(stderr, "%s", text.toLocal8Bit().constData());
    file_.close();
    QFile out(summaryPath());
    if (out.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        out.write(text.toUtf8());
}

FlipLog::Summary FlipLog::summary() const
{
    Summary s;
    s.presenter = presenter_;
    s.refreshHz = refreshHz_;
    s.missedFrames = missed_;
    s.framesCounted = framesCounted_;
    s.phases = int(phases_.size());
    if (phases_.empty())
        return s;
    s.seconds = double(phases_.back().paintedNs - phases_.front().paintedNs) / 1e9;

    s.lowestHz = s.highestHz = phases_.front().hz;
    std::vector<double> late;
    for (const Phase& p : phases_) {
        s.lowestHz = std::min(s.lowestHz, p.hz);
        s.highestHz = std::max(s.highestHz, p.hz);
        late.push_back(double(p.paintedNs - p.dueNs) / 1e6);
    }

    // x: when each phase should begin by the frequencies shown; y: when it did.
    const double n = double(phases_.size());
    double x = 0, sumX = 0, sumY = 0, sumXX = 0, sumXY = 0;
    for (std::size_t i = 0; i < phases_.size(); ++i) {
        const double y = double(phases_[i].paintedNs - phases_.front().paintedNs) / 1e9;
        sumX += x;
        sumY += y;
        sumXX += x * x;
        sumXY += x * y;
        if (phases_[i].hz > 0)
            x += 0.5 / phases_[i].hz;
    }
    const double lastX = x - (phases_.back().hz > 0 ? 0.5 / phases_.back().hz : 0.0);
    const double denominator = n * sumXX - sumX * sumX;
    if (phases_.size() >= 2 && lastX > 0 && denominator > 0) {
        s.shownHz = (n - 1) / (2.0 * lastX);
        const double slope = (n * sumXY - sumX * sumY) / denominator;
        if (slope > 0)
            s.measuredHz = s.shownHz / slope;
    }
    for (int frames : lengths_)
        if (frames >= 0)
            ++s.histogram[frames];
    s.lateP50Ms = percentile(late, 50);
    s.lateP99Ms = percentile(late, 99);
    return s;
}

QString FlipLog::Summary::text() const
{
    QString out;
    QTextStream o(&out);
    o << "flip log: " << phases << " phases in " << QString::number(seconds, 'f', 3) << " s, presenter " << presenter
      << "\n";
    o << "measured rate: " << QString::number(measuredHz, 'f', 4) << " Hz against "
      << QString::number(shownHz, 'f', 4) << " Hz from the frequencies shown";
    if (shownHz > 0)
        o << " (" << QString::number(100.0 * (measuredHz - shownHz) / shownHz, 'f', 4) << " %)";
    o << "; frequency shown " << QString::number(lowestHz, 'f', 3) << " to " << QString::number(highestHz, 'f', 3)
      << " Hz\n";
    o << "phase lengths in frames";
    if (refreshHz > 0)
        o << " at " << QString::number(refreshHz, 'f', 2) << " Hz";
    o << ":";
    if (histogram.empty())
        o << " not known";
    for (const auto& [frames, count] : histogram)
        o << " " << frames << "x" << count;
    o << "\n";
    o << "lateness: p50 " << QString::number(lateP50Ms, 'f', 3) << " ms, p99 " << QString::number(lateP99Ms, 'f', 3)
      << " ms\n";
    if (framesCounted)
        o << "missed frames: " << missedFrames << "\n";
    else
        o << "missed frames: not known (no swaps seen)\n";
    return out;
}

}  // namespace pvstim
