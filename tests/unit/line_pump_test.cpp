#include <gtest/gtest.h>

#include "run/line_pump.hpp"

namespace sintegra {
namespace {

std::vector<std::string> numbered(std::size_t count) {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < count; ++i) {
        lines.push_back(std::to_string(i) + std::string(i % 300, 'x'));
    }
    return lines;
}

// Enough lines to fill many blocks, so that the producer waits for the consumer on the way.
TEST(LinePump, handsOverEveryLineInOrderAndThenWhatTheProducerThrew) {
    const std::vector<std::string> lines = numbered(20000);
    LinePump pump([&](LineEmitter& emitter) {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            emitter.line(lines[i]);
            emitter.inputRead(i + 1);
        }
        throw std::runtime_error("disk gone");
    });
    std::vector<std::string> received;
    std::uint64_t lastRead = 0;
    EXPECT_THROW(pump.drain([&](std::string_view line) { received.emplace_back(line); },
                            [&](std::uint64_t read) { lastRead = read; }),
                 std::runtime_error);
    EXPECT_EQ(received, lines);
    EXPECT_EQ(lastRead, lines.size());
}

TEST(LinePump, stopsAProducerThatOutlivesItsConsumer) {
    bool endless = true;
    {
        LinePump pump([&](LineEmitter& emitter) {
            while (endless) {
                emitter.line(std::string(1000, 'y'));
            }
        });
        EXPECT_THROW(pump.drain([](std::string_view) { throw std::logic_error("consumer gave up"); },
                                [](std::uint64_t) {}),
                     std::logic_error);
    }
    SUCCEED();
}

} // namespace
} // namespace sintegra
