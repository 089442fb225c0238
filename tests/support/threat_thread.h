#pragma once
// Test and benchmark helper: the search thread the threat-search and
// evaluation tests work in (the search and driver tests use the engine's main
// thread, which the drivers search with).
#include "threats/threat_thread.h"

namespace fixture {

inline ThreatThread threatThread;

}  // namespace fixture
