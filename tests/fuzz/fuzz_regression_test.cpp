// Every input of the command-loop fuzzer's corpus is replayed here as a whole
// session: it must end without a crash and leave no search running. An input
// that once broke the engine goes into the corpus too, so it stays fixed.
#include <gtest/gtest.h>

#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/game_state.h"
#include "fuzz/session_runner.h"
#include "protocol/brain_thread.h"

#ifndef VODARO_FUZZ_CORPUS
#error "VODARO_FUZZ_CORPUS must name tests/fuzz_corpus"
#endif

namespace {

std::vector<std::string> filesIn(const std::string& dir) {
    std::vector<std::string> files;
    if (DIR* d = ::opendir(dir.c_str())) {
        while (dirent* e = ::readdir(d))
            if (e->d_type == DT_REG) files.push_back(dir + "/" + e->d_name);
        ::closedir(d);
    }
    std::sort(files.begin(), files.end());
    return files;
}

void replay(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in) << path;
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    runFuzzSession(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    EXPECT_FALSE(searchInProgress()) << path;
}

TEST(FuzzRegression, CorpusSessionsEndCleanly) {
    std::vector<std::string> files = filesIn(VODARO_FUZZ_CORPUS);
    ASSERT_GE(files.size(), 8u);
    for (const std::string& f : files) replay(f);
}

void run(const std::string& session) {
    runFuzzSession(reinterpret_cast<const uint8_t*>(session.data()), session.size());
}

// The session really drives the engine: both moves are in the game record
// afterwards, and END ends the session before the lines behind it.
TEST(FuzzRegression, SessionRunsTheCommandLoop) {
    run("START 15\nBEGIN\nTURN 8,8\n");
    EXPECT_EQ(game.sizeX, 15);
    EXPECT_EQ(game.recordLength, 3);
    run("START 20\nPLAY 1,1\nEND\nPLAY 2,2\n");
    EXPECT_EQ(game.sizeX, 20);
    EXPECT_EQ(game.recordLength, 1);
}

TEST(FuzzRegression, EmptyAndUnterminatedInput) {
    runFuzzSession(nullptr, 0);
    const std::string partial = "START 15\nTURN 7,7";
    runFuzzSession(reinterpret_cast<const uint8_t*>(partial.data()), partial.size());
    EXPECT_FALSE(searchInProgress());
}

}  // namespace

// The engine's brain thread runs for the life of the process; leave the way
// the engine does, without destroying the hand-over state under that thread.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
    std::fflush(nullptr);
    ::_exit(status);
}
