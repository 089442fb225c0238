#pragma once
// Shared expectations of the protocol tests that run the engine binary.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "support/engine_process.h"

namespace session {

inline const std::string WELCOME = "MESSAGE Vodaro 2015 Roruvo 0.4.43 :-)";
inline const std::string ABOUT =
    "name=\"Vodaro\", author=\"Zireraz\", version=\"2015 Roruvo 0.4.43\", "
    "country=\"Finland\", www=\"https://vodaro.example.org\"";

// Small tables and short turns keep every engine process cheap.
inline void configure(EngineProcess& engine) {
    engine.send("INFO hash_size 4096");
    engine.send("INFO timeout_turn 300");
}

// The next two lines are the welcome line and OK.
inline void expectWelcome(EngineProcess& engine) {
    EXPECT_EQ(engine.readLine(), WELCOME);
    EXPECT_EQ(engine.readLine(), "OK");
}

// Parses "x,y"; true when it is a point of a sizeX by sizeY board.
inline bool parseMove(const std::string& line, int sizeX, int sizeY, int* px = nullptr, int* py = nullptr) {
    int x = -1, y = -1, used = 0;
    if (std::sscanf(line.c_str(), "%d,%d%n", &x, &y, &used) != 2) return false;
    if (used != static_cast<int>(line.size())) return false;
    if (px) *px = x;
    if (py) *py = y;
    return x >= 0 && y >= 0 && x < sizeX && y < sizeY;
}

// Reads the engine's move (skipping MESSAGE lines) and checks it is on the board.
inline std::string expectMove(EngineProcess& engine, int sizeX, int sizeY) {
    std::string line = engine.readNonMessage();
    EXPECT_TRUE(parseMove(line, sizeX, sizeY)) << "not a move: " << line;
    return line;
}

// ABOUT as a marker: everything before it has been answered, and the next line is
// the about line exactly when the commands before it wrote nothing.
inline void expectSilenceThenAbout(EngineProcess& engine) {
    engine.send("ABOUT");
    EXPECT_EQ(engine.readLine(), ABOUT);
}

}  // namespace session
