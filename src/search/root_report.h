#pragma once
// What the root of the alpha-beta search leaves for the drivers.
struct RootResult {
    int bestX = -1;
    int bestY = -1;
    int onlyMoveFlag = 0;  // exactly one root move scored above -9999200
};
