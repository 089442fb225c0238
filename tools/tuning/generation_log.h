#pragma once
// The generator's output file, which is also its record of finished games:
// each game is appended in one write, its positions followed by a line
// "# game N", so that a stopped run resumes where it stopped.
#include <set>
#include <string>
#include <vector>

#include "labelled_position.h"

// The numbers of the games the file holds. A last line cut off by a stop in
// mid-write is removed from the file first. A missing file holds none.
std::set<int> finishedGames(const std::string& path);

// A game's positions and its closing line, as one block of text.
std::string gameBlock(const std::vector<LabelledPosition>& positions, int gameNumber);

// Appends the block in one write; false if the file cannot be written.
bool appendBlock(const std::string& path, const std::string& block);
