#include "FakePlatform.h"

#include <QDialog>

#include <algorithm>
#include <cassert>
#include <cmath>
#include <utility>

namespace pvstim {

class FakeTimerSource : public TimerSource {
public:
    FakeTimerSource(FakePlatform& owner, std::function<void()> onFire)
        : owner_(owner), onFire_(std::move(onFire)) { }
    ~FakeTimerSource() override { owner_.disarm(this); }
    void armAt(std::int64_t deadlineNs) override { owner_.arm(this, deadlineNs); }
    void disarm() override { owner_.disarm(this); }
    bool isArmed() const override { return owner_.armed_.count(const_cast<FakeTimerSource*>(this)) != 0; }
    void fire() { onFire_(); }

private:
    FakePlatform& owner_;
    std::function<void()> onFire_;
};

FakePlatform::FakePlatform() = default;

FakePlatform::~FakePlatform()
{
    assert(armed_.empty() || true);
}

namespace {

class FakeFrameSurface : public FrameSurface {
public:
    explicit FakeFrameSurface(FakePlatform& owner)
        : owner_(owner)
        , timer_(owner.createTimer([this] { swap(); }, TimerPrecision::Microsecond))
    {
    }

    void setPictures(const QImage&, const QImage&) override { }
    void show(Picture picture) override { lit_ = picture == Picture::Lit; }
    void start() override
    {
        if (running_)
            return;
        running_ = true;
        ++owner_.frameSurfacesStarted;
        refresh_ = std::int64_t(std::floor(double(owner_.monotonicNs()) * clock().refreshHz / 1e9)) + 1;
        armNext();
    }
    void stop() override
    {
        running_ = false;
        timer_->disarm();
    }
    double reportedRefreshHz() const override
    {
        return clock().reportedHz < 0 ? clock().refreshHz : clock().reportedHz;
    }
    QString rendererName() const override { return QStringLiteral("fake"); }

private:
    const FakePlatform::FrameClock& clock() const { return owner_.frameClock; }

    void armNext()
    {
        const auto& c = clock();
        if (c.unpaced) {
            timer_->armAt(owner_.monotonicNs() + std::uniform_int_distribution<std::int64_t>(2000000, 12000000)(rng_));
            return;
        }
        while (std::find(c.missed.begin(), c.missed.end(), refresh_) != c.missed.end())
            ++refresh_;
        const auto at = std::int64_t(std::llround(double(refresh_) * 1e9 / c.refreshHz));
        const std::int64_t jitter = c.jitterNs > 0 ? std::uniform_int_distribution<std::int64_t>(0, c.jitterNs)(rng_) : 0;
        timer_->armAt(std::max(at + jitter, owner_.monotonicNs()));
        ++refresh_;
    }

    void swap()
    {
        owner_.frames.push_back({ owner_.monotonicNs(), lit_ });
        if (onFrame)
            onFrame(owner_.monotonicNs());
        if (running_)
            armNext();
    }

    FakePlatform& owner_;
    std::unique_ptr<TimerSource> timer_;
    std::mt19937 rng_ { 4242 };
    std::int64_t refresh_ = 0;
    bool running_ = false;
    bool lit_ = true;
};

}  // namespace

std::unique_ptr<FrameSurface> FakePlatform::createFrameSurface(QWidget&)
{
    if (!frameClock.openGl)
        return nullptr;
    return std::make_unique<FakeFrameSurface>(*this);
}

std::unique_ptr<TimerSource> FakePlatform::createTimer(std::function<void()> onFire, TimerPrecision)
{
    return std::make_unique<FakeTimerSource>(*this, std::move(onFire));
}

void FakePlatform::arm(FakeTimerSource* t, std::int64_t deadline)
{
    armed_[t] = Arming { deadline, sequence_++ };
}

void FakePlatform::disarm(FakeTimerSource* t) { armed_.erase(t); }

std::int64_t FakePlatform::nextDeadlineNs() const
{
    std::int64_t best = -1;
    for (const auto& [timer, arming] : armed_) {
        if (best < 0 || arming.deadline < best)
            best = arming.deadline;
    }
    return best;
}

void FakePlatform::giveNotices()
{
    // Each notice handler may move the pointer or change the foreground again.
    while (pointerNotice_ || foregroundNotice_) {
        if (std::exchange(pointerNotice_, false))
            notifyPointerMoved();
        if (std::exchange(foregroundNotice_, false))
            notifyForegroundChanged();
    }
}

void FakePlatform::advanceNs(std::int64_t ns)
{
    const std::int64_t target = now_ + ns;
    for (;;) {
        giveNotices();
        FakeTimerSource* due = nullptr;
        Arming dueArming { 0, 0 };
        for (const auto& [timer, arming] : armed_) {
            if (arming.deadline > target)
                continue;
            if (!due || arming.deadline < dueArming.deadline
                || (arming.deadline == dueArming.deadline && arming.sequence < dueArming.sequence)) {
                due = timer;
                dueArming = arming;
            }
        }
        if (!due)
            break;
        armed_.erase(due);
        if (dueArming.deadline > now_)
            now_ = dueArming.deadline;
        ++timersFired;
        due->fire();
        if (finishJobsAfterEachCallback)
            finishBackgroundJobs();
    }
    now_ = std::max(now_, target);
}

void FakePlatform::runInBackground(std::function<void()> work, std::function<void()> done)
{
    jobs_.emplace_back(std::move(work), std::move(done));
}

int FakePlatform::finishBackgroundJobs()
{
    int ran = 0;
    while (!jobs_.empty()) {
        auto [work, done] = std::move(jobs_.front());
        jobs_.pop_front();
        work();
        done();
        ++ran;
    }
    return ran;
}

QTime FakePlatform::localTime() const
{
    const std::int64_t elapsedMs = (now_ - startNs_) / 1000000;
    return startOfDay_.addMSecs(static_cast<int>(elapsedMs % (24LL * 3600 * 1000)));
}

int FakePlatform::randomInRange(int low, int highExclusive)
{
    assert(highExclusive > low);
    randomRanges.emplace_back(low, highExclusive);
    if (!scriptedRandom_.empty()) {
        const int value = scriptedRandom_.front();
        scriptedRandom_.pop_front();
        assert(value >= low && value < highExclusive && "scripted draw outside the caller's range");
        return value;
    }
    std::uniform_int_distribution<int> dist(low, highExclusive - 1);
    return dist(rng_);
}

bool FakePlatform::userFlag(UserFlag flag) const
{
    const auto found = userFlags.find(flag);
    return found != userFlags.end() && found->second;
}

void FakePlatform::showError(const QString& text) { errors.push_back(text); }

int FakePlatform::execDialog(QDialog& dialog)
{
    if (dialogScript)
        return dialogScript(dialog);
    dialog.reject();
    return QDialog::Rejected;
}

}  // namespace pvstim
