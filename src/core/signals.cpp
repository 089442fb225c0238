#include "core/signals.h"

BrainSignals brainSignals;
