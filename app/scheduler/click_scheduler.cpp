#include "scheduler/click_scheduler.h"

#include <exception>

#include "core/str_to_int.h"

namespace {
constexpr int32_t kMillisecondsPerTick = 100;
}  // namespace

void ClickScheduler::Tick() {
    if (!host_.Running()) {
        // Keep the countdown ready, so that a start waits the full interval. A bad text only
        // means "not yet": the toggle is off already and the next tick tries again.
        if (const auto interval = TryStrToInt(host_.IntervalText())) {
            countdown_ = *interval / kMillisecondsPerTick;
        } else {
            host_.StopRunning();
        }
        return;
    }

    if (countdown_ > 0) {
        --countdown_;
    } else {
        if (!ReloadCountdown()) {
            host_.StopRunning();
            return;
        }
        FireActions();
    }
    host_.ShowCountdown(FormatCountdown(countdown_));
}

bool ClickScheduler::ReloadCountdown() {
    const auto interval = TryStrToInt(host_.IntervalText());
    if (!interval) return false;
    const int32_t lower = *interval / kMillisecondsPerTick;
    if (!host_.RandomOn()) {
        countdown_ = lower;
        return true;
    }

    const auto upper_text = TryStrToInt(host_.UpperText());
    if (!upper_text) return false;
    const int32_t upper = *upper_text / kMillisecondsPerTick;
    // Drawn before the range is checked, so an empty range still consumes one value.
    const int32_t random = NextRandom();
    // 64 bits: the bounds come from 32-bit texts, so their difference may not fit in 32.
    const int64_t range = static_cast<int64_t>(upper) - lower;
    if (range == 0) return false;
    // random is never negative, so the truncating remainder lies in 0 .. |range| - 1.
    countdown_ = static_cast<int32_t>(lower + random % range);
    return true;
}

void ClickScheduler::FireActions() {
    // A failed injection must never stop the automation or reach the user; the remaining
    // actions of this tick are skipped and the next wait runs as usual.
    try {
        if (host_.EnterOn()) host_.PressEnter();
        host_.ClickLeft();
        host_.SetLinkColour(host_.LinkColour() == kLinkBlue ? kLinkDarkBlue : kLinkBlue);
    } catch (const std::exception&) {
    }
}

std::string ClickScheduler::FormatCountdown(int32_t tenths) {
    std::string text = std::to_string(tenths);
    const char last = text.back();
    text.pop_back();
    text += '.';
    text += last;
    if (text.front() == '.') text.insert(text.begin(), '0');
    return text;
}

void ClickScheduler::SeedRandom(uint32_t seed) {
    random_state_ = seed;
    (void)NextRandom();
}

int32_t ClickScheduler::NextRandom() {
    random_state_ = random_state_ * 22695477u + 1u;
    return static_cast<int32_t>((random_state_ >> 16) & 0x7FFF);
}
