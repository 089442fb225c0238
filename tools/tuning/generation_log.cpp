#include "generation_log.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

// Cuts the file after its last newline: a torn block ends without one.
void dropTornLine(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (text.empty() || text.back() == '\n') return;
    const size_t keep = text.rfind('\n');
    std::filesystem::resize_file(path, keep == std::string::npos ? 0 : keep + 1);
}

}  // namespace

std::set<int> finishedGames(const std::string& path) {
    std::set<int> done;
    if (!std::filesystem::exists(path)) return done;
    dropTornLine(path);
    std::ifstream in(path);
    std::string line;
    int number = 0;
    while (std::getline(in, line))
        if (std::sscanf(line.c_str(), "# game %d", &number) == 1) done.insert(number);
    return done;
}

std::string gameBlock(const std::vector<LabelledPosition>& positions, int gameNumber) {
    std::ostringstream out;
    for (const LabelledPosition& p : positions) writePosition(out, p);
    out << "# game " << gameNumber << '\n';
    return out.str();
}

bool appendBlock(const std::string& path, const std::string& block) {
    // O_APPEND: the jobs of one run share the file, each block lands whole at its end.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    if (fd < 0) return false;
    const ssize_t written = ::write(fd, block.data(), block.size());
    ::close(fd);
    return written == static_cast<ssize_t>(block.size());
}
