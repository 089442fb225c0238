#pragma once
// Millisecond clock from a fixed origin (the first call), shared by the drivers
// and the searches' limit check.
int clockMs();
