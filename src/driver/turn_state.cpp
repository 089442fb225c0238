#include "driver/turn_state.h"

TurnState turnState;
