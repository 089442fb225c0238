#include "engine_command.h"

std::vector<std::string> splitCommand(const std::string& command) {
    std::vector<std::string> words;
    std::string word;
    for (char c : command) {
        if (c == ' ' || c == '\t') {
            if (!word.empty()) words.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty()) words.push_back(word);
    return words;
}

std::string commandName(const std::vector<std::string>& words) {
    if (words.empty()) return "";
    const std::string& program = words.front();
    size_t slash = program.find_last_of('/');
    return slash == std::string::npos ? program : program.substr(slash + 1);
}
