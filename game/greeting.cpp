// The opponent's greeting when the window opens, chosen by the local hour.
#include "game/round.h"

namespace {

#define GREETING_TAIL "それではゲームを始めるとしよう\n\nスタートボタンを押してくれたまえ"

const char kEvening[] = "やあ、こんばんは\n\n" GREETING_TAIL;
const char kEveningOrMorning[] = "やあ、こんばんは\nいや、おはようかな？\n" GREETING_TAIL;
const char kMorningOrEvening[] = "やあ、おはよう\nいや、こんばんはかな？\n" GREETING_TAIL;
const char kEarlyMorning[] = "やあ、おはよう、ずいぶん早いね\n\n" GREETING_TAIL;
const char kMorning[] = "やあ、おはよう\n\n" GREETING_TAIL;
const char kDay[] = "やあ、こんにちは\n\n" GREETING_TAIL;

#undef GREETING_TAIL

}  // namespace

const char* MakeGreeting(int hour) {
    if (hour == 3) return kEveningOrMorning;
    if (hour == 4) return kMorningOrEvening;
    if (hour >= 5 && hour <= 6) return kEarlyMorning;
    if (hour >= 7 && hour <= 9) return kMorning;
    if (hour >= 10 && hour <= 17) return kDay;
    return kEvening;  // 0-2 and 18-23
}
