// The program's one random stream and the clock that seeds it.
#include "cards/random.h"

#include <ctime>

namespace {

std::uint32_t gRandomState = 1;
const int* gScript = nullptr;
int gScriptLeft = 0;
long long gDrawCount = 0;
ClockSecondsSource gClockSeconds = nullptr;
LocalHourSource gLocalHour = nullptr;

std::int64_t ReadSystemSeconds() { return static_cast<std::int64_t>(std::time(nullptr)); }

int ReadSystemLocalHour() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return local.tm_hour;
}

}  // namespace

void SeedRandom(std::uint32_t seed) { gRandomState = seed; }

std::uint32_t RandomState() { return gRandomState; }

int DrawRandom() {
    ++gDrawCount;
    if (gScriptLeft > 0) {
        --gScriptLeft;
        return *gScript++;
    }
    gRandomState = gRandomState * 214013u + 2531011u;
    return static_cast<int>((gRandomState >> 16) & 0x7FFF);
}

void SetClockSources(ClockSecondsSource seconds, LocalHourSource hour) {
    gClockSeconds = seconds;
    gLocalHour = hour;
}

std::int64_t ReadClockSeconds() { return gClockSeconds ? gClockSeconds() : ReadSystemSeconds(); }

int ReadLocalHour() { return gLocalHour ? gLocalHour() : ReadSystemLocalHour(); }

void ScriptRandomDraws(const int* values, int count) {
    gScript = values;
    gScriptLeft = count > 0 ? count : 0;
}

void ClearRandomScript() {
    gScript = nullptr;
    gScriptLeft = 0;
}

long long CountRandomDraws() { return gDrawCount; }

void ResetRandomDrawCount() { gDrawCount = 0; }
