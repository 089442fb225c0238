// Output lines: each goes out whole, also when two threads write at once.
#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "core/output.h"

namespace {

// The sink is called under the output lock; the extra lock only keeps the test
// itself free of data races if that ever changed.
std::mutex chunkLock;
std::vector<std::string> chunks;

void collect(const char* text, int len) {
    std::lock_guard<std::mutex> guard(chunkLock);
    chunks.emplace_back(text, static_cast<size_t>(len));
}

class Output : public ::testing::Test {
protected:
    void SetUp() override {
        chunks.clear();
        setOutputSink(collect);
    }
    void TearDown() override { setOutputSink(nullptr); }
};

TEST_F(Output, SendReplyWritesOneLineInOnePiece) {
    sendReply("%d,%d", 7, 8);
    sendReply("MESSAGE %s", "hello");
    ASSERT_EQ(chunks.size(), 2u);
    EXPECT_EQ(chunks[0], "7,8\n");
    EXPECT_EQ(chunks[1], "MESSAGE hello\n");
}

TEST_F(Output, LinesFromTwoThreadsNeverInterleave) {
    constexpr int LINES = 2000;
    auto writer = [](char tag) {
        for (int i = 0; i < LINES; ++i) sendReply("%c%c%c%c %d %c%c%c%c", tag, tag, tag, tag, i, tag, tag, tag, tag);
    };
    std::thread a(writer, 'a');
    std::thread b(writer, 'b');
    a.join();
    b.join();
    ASSERT_EQ(chunks.size(), 2u * LINES);
    int nextOf[2] = {0, 0};
    for (const std::string& chunk : chunks) {
        ASSERT_GE(chunk.size(), 11u);
        const char tag = chunk[0];
        ASSERT_TRUE(tag == 'a' || tag == 'b');
        const std::string tags(4, tag);
        const int k = tag - 'a';
        EXPECT_EQ(chunk, tags + " " + std::to_string(nextOf[k]) + " " + tags + "\n");
        ++nextOf[k];
    }
}

TEST_F(Output, OutLineCollectsPiecesAndStaysWithinItsCapacity) {
    OutLine line;
    line.add("FORBID ");
    for (int i = 0; i < 3; ++i) line.add("%02d%02d", i, i + 1);
    line.add(".\n");
    line.send();
    ASSERT_EQ(chunks.size(), 1u);
    EXPECT_EQ(chunks[0], "FORBID 000101020203.\n");

    OutLine huge;
    for (int i = 0; i < 5000; ++i) huge.add("%s", "abcdef");
    EXPECT_LE(huge.length, OutLine::CAPACITY - 1);
    huge.send();
    EXPECT_GT(chunks.back().size(), static_cast<size_t>(OutLine::CAPACITY - 8));
    EXPECT_LT(chunks.back().size(), static_cast<size_t>(OutLine::CAPACITY));
}

TEST_F(Output, LongRepliesAreCutNotOverrun) {
    const std::string text(3 * OutLine::CAPACITY, 'q');
    sendReply("%s", text.c_str());
    ASSERT_EQ(chunks.size(), 1u);
    EXPECT_EQ(chunks[0].size(), static_cast<size_t>(OutLine::CAPACITY - 1));
    EXPECT_EQ(chunks[0].back(), '\n');
}

}  // namespace
