#include <chrono>
#include <future>
#include <memory>

#include <gtest/gtest.h>

#include "run/line_pump.hpp"

namespace sintegra {
namespace {

// What body says, or "hung" after 30 s: a pump that deadlocks fails its test at once instead of
// holding it until the suite's timeout.
std::string withinDeadline(std::function<std::string()> body) {
    auto said = std::make_shared<std::promise<std::string>>();
    std::future<std::string> done = said->get_future();
    std::thread([said, body = std::move(body)] { said->set_value(body()); }).detach();
    return done.wait_for(std::chrono::seconds(30)) == std::future_status::ready ? done.get() : "hung";
}

// What a drain ends with: the message of the exception that it let through.
std::string drained(LinePump& pump, const std::function<void(std::string_view)>& consume,
                    const std::function<void(std::uint64_t)>& progressed) {
    try {
        pump.drain(consume, progressed);
    } catch (const std::exception& error) {
        return error.what();
    }
    return "no exception";
}

// Enough lines to fill many blocks, so that the producer waits for the consumer on the way.
TEST(LinePump, handsOverEveryLineInOrderAndThenWhatTheProducerThrew) {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < 20000; ++i) {
        lines.push_back(std::to_string(i) + std::string(i % 300, 'x'));
    }
    std::vector<std::string> received;
    std::uint64_t lastRead = 0;
    ASSERT_EQ(withinDeadline([&] {
                  LinePump pump([&](LineEmitter& emitter) {
                      for (std::size_t i = 0; i < lines.size(); ++i) {
                          emitter.line(lines[i]);
                          emitter.inputRead(i + 1);
                      }
                      throw std::runtime_error("disk gone");
                  });
                  return drained(
                      pump, [&](std::string_view line) { received.emplace_back(line); },
                      [&](std::uint64_t read) { lastRead = read; });
              }),
              "disk gone");
    EXPECT_EQ(received, lines);
    EXPECT_EQ(lastRead, lines.size());
}

// The consumer gives up while the producer has lines without end: the pump's end must stop the
// producer, whose lines the pump no longer takes.
TEST(LinePump, stopsAProducerThatOutlivesItsConsumer) {
    EXPECT_EQ(withinDeadline([] {
                  LinePump pump([](LineEmitter& emitter) {
                      for (;;) {
                          emitter.line(std::string(1000, 'y'));
                      }
                  });
                  return drained(
                      pump, [](std::string_view) { throw std::logic_error("consumer gave up"); },
                      [](std::uint64_t) {});
              }),
              "consumer gave up");
}

} // namespace
} // namespace sintegra
