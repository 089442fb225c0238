#pragma once
// An engine given on the command line as a program followed by its arguments,
// e.g. "../peers/rapfi/pbrain-rapfi --config config.toml".
#include <string>
#include <vector>

// The words of command, split on blanks (spaces and tabs). No quoting: an
// engine path or argument with a blank in it cannot be given this way.
std::vector<std::string> splitCommand(const std::string& command);

// A short name for reports: the file name of the program, without directories.
std::string commandName(const std::vector<std::string>& words);
