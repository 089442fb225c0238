// The bench signature: the node total of the fixed positions must not depend
// on the run, the process or what the process did before.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/settings.h"
#include "driver/bench_mode.h"

namespace {

constexpr int DEPTH = 3;

std::vector<int64_t> nodesPerPosition(int depth) {
    std::vector<int64_t> nodes;
    for (int i = 0; i < benchPositionCount(); ++i) {
        int x = -1, y = -1;
        nodes.push_back(searchBenchPosition(i, depth, x, y));
        EXPECT_TRUE(x >= 0 && y >= 0 && x < 20 && y < 20) << "position " << i + 1 << " gave no move";
    }
    return nodes;
}

// Output lines of the engine binary run with args.
std::vector<std::string> runBinary(const std::string& args, int& status) {
    std::vector<std::string> lines;
    FILE* pipe = ::popen((std::string(VODARO_BINARY) + " " + args + " </dev/null").c_str(), "r");
    if (!pipe) return lines;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe)) {
        std::string line = buffer;
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
        lines.push_back(line);
    }
    status = ::pclose(pipe);
    return lines;
}

int64_t total(const std::vector<int64_t>& nodes) {
    int64_t sum = 0;
    for (int64_t n : nodes) sum += n;
    return sum;
}

TEST(BenchMode, SameNodesTwiceInOneProcessAndSettingsKept) {
    settings.maxNode.store(12345);
    settings.maxDepth.store(9);
    settings.rule.store(4);
    const std::vector<int64_t> first = nodesPerPosition(DEPTH);
    const std::vector<int64_t> second = nodesPerPosition(DEPTH);
    EXPECT_EQ(first, second);
    EXPECT_GT(total(first), 1000);
    EXPECT_EQ(settings.maxNode.load(), 12345);
    EXPECT_EQ(settings.maxDepth.load(), 9);
    EXPECT_EQ(settings.rule.load(), 4);
    settings.maxNode.store(2000000000);
    settings.maxDepth.store(400);
    settings.rule.store(0);
}

TEST(BenchMode, SameTotalInTwoProcessesAsInThisOne) {
    const std::string expected = "Nodes searched: " + std::to_string(total(nodesPerPosition(DEPTH)));
    for (int run = 0; run < 2; ++run) {
        int status = -1;
        std::vector<std::string> lines = runBinary("bench " + std::to_string(DEPTH), status);
        ASSERT_EQ(status, 0);
        ASSERT_EQ(static_cast<int>(lines.size()), benchPositionCount() + 2);
        EXPECT_EQ(lines[lines.size() - 2], expected);
        EXPECT_EQ(lines.back().rfind("Nodes/second: ", 0), 0u) << lines.back();
    }
}

TEST(BenchMode, RefusesADepthThatIsNotAPositiveNumber) {
    for (const char* bad : {"bench 0", "bench seven", "bench 5x", "bench -2"}) {
        int status = 0;
        std::vector<std::string> lines = runBinary(bad, status);
        EXPECT_NE(status, 0) << bad;
        ASSERT_EQ(lines.size(), 1u) << bad;
        EXPECT_EQ(lines[0].rfind("ERROR", 0), 0u) << bad;
    }
}

}  // namespace
