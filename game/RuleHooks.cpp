// The rules' hooks until a layer above fills them in: silent, on a stopped clock.
#include "game/RuleHooks.h"

static uint32_t StoppedClock() { return 0; }
static void NoWait(uint32_t) {}
static void Nothing() {}
static void NoLanding(int) {}
static void NoFrame(const int32_t*, int) {}
static void NoSpawn(int32_t) {}

constexpr RuleHooks SilentRules = {StoppedClock, NoWait,   Nothing, NoLanding, NoFrame,
                               Nothing,      Nothing,  NoSpawn, Nothing};

RuleHooks Rules = SilentRules;
