// The opponent's greeting when the window opens, chosen by the local hour.
#include "game/dialogue.h"
#include "game/round.h"

const char* MakeGreeting(int hour) {
    if (hour == 3) return DialogueText(GreetingEveningOrMorningLine);
    if (hour == 4) return DialogueText(GreetingMorningOrEveningLine);
    if (hour >= 5 && hour <= 6) return DialogueText(GreetingEarlyMorningLine);
    if (hour >= 7 && hour <= 9) return DialogueText(GreetingMorningLine);
    if (hour >= 10 && hour <= 17) return DialogueText(GreetingDayLine);
    return DialogueText(GreetingEveningLine);  // 0-2 and 18-23
}
