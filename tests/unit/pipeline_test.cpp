#include <algorithm>
#include <array>
#include <chrono>
#include <future>
#include <memory>
#include <numeric>
#include <stdexcept>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "run/pipeline/pipeline.hpp"
#include "run/pipeline/progress_reporter.hpp"

namespace sintegra {
namespace {

// What a stage does when the item kAt reaches it.
enum class Act { None, Fail, Cancel, Stop };

constexpr int kItems = 2000;
constexpr int kAt = 500;

// What body says, or "hung" after 30 s: a pipeline that deadlocks fails its test at once instead of
// holding it until the suite's timeout.
std::string withinDeadline(std::function<std::string()> body) {
    auto said = std::make_shared<std::promise<std::string>>();
    std::future<std::string> done = said->get_future();
    std::thread([said, body = std::move(body)] { said->set_value(body()); }).detach();
    return done.wait_for(std::chrono::seconds(30)) == std::future_status::ready ? done.get() : "hung";
}

// The shapes of a run's phases: a source (position 0) sends to the calling thread (1), which sends
// to a stage (2) that sends each item on to two others (3 and 4), with queues short enough that
// each sender waits for the stage it sends to.
class PipelineTest : public ::testing::TestWithParam<std::tuple<unsigned, int, Act>> {
protected:
    void act(Pipeline& pipeline, int position, int item) {
        const auto [threads, where, what] = GetParam();
        if (position != where || item != kAt) {
            return;
        }
        if (what == Act::Fail) {
            throw std::runtime_error("falhou em " + std::to_string(position));
        }
        if (what == Act::Cancel) {
            throw RunCancelled{};
        }
        if (what == Act::Stop) {
            pipeline.stop();
        }
    }

    std::string run() {
        try {
            Pipeline::run(std::get<0>(GetParam()), [this](Pipeline& pipeline) {
                std::vector<Channel<int>*> leaves;
                for (int leaf : {3, 4}) {
                    leaves.push_back(&pipeline.channel<int>(
                        [this, &pipeline, leaf](int& item) {
                            act(pipeline, leaf, item);
                            received[leaf - 3].push_back(item);
                        },
                        2));
                }
                Channel<int>& middle = pipeline.channel<int>(
                    [this, &pipeline, leaves](int& item) {
                        act(pipeline, 2, item);
                        leaves[0]->send(item);
                        leaves[1]->send(item);
                    },
                    2);
                pipeline.source<int>(
                    [this, &pipeline](Channel<int>& out) {
                        for (int item = 0; item < kItems; ++item) {
                            act(pipeline, 0, item);
                            out.send(item);
                        }
                    },
                    [this, &pipeline, &middle](int& item) {
                        act(pipeline, 1, item);
                        middle.send(item);
                    },
                    2);
            });
        } catch (const std::runtime_error& error) {
            return error.what();
        } catch (const RunCancelled&) {
            return "cancelado";
        }
        return "ok";
    }

    std::vector<int> received[2];
};

TEST_P(PipelineTest, endsEveryStageOnTheFirstFailureCancelOrStop) {
    const auto [threads, where, what] = GetParam();
    const std::string expected = what == Act::Fail     ? "falhou em " + std::to_string(where)
                                 : what == Act::Cancel ? "cancelado"
                                                       : "ok";
    ASSERT_EQ(withinDeadline([this] { return run(); }), expected);
    std::vector<int> all(kItems);
    std::iota(all.begin(), all.end(), 0);
    for (const std::vector<int>& leaf : received) {
        if (what == Act::None) {
            EXPECT_EQ(leaf, all);
        } else {
            EXPECT_LT(leaf.size(), all.size());
            EXPECT_TRUE(std::equal(leaf.begin(), leaf.end(), all.begin()));
        }
    }
}

std::string caseName(const ::testing::TestParamInfo<PipelineTest::ParamType>& row) {
    const auto [threads, where, what] = row.param;
    return "threads" + std::to_string(threads) + "_at" + std::to_string(where) + "_" +
           std::array{"None", "Fail", "Cancel", "Stop"}[static_cast<int>(what)];
}

INSTANTIATE_TEST_SUITE_P(EachPosition, PipelineTest,
                         ::testing::Combine(::testing::Values(0u, 1u, 4u), ::testing::Range(0, 5),
                                            ::testing::Values(Act::None, Act::Fail, Act::Cancel, Act::Stop)),
                         caseName);

} // namespace
} // namespace sintegra
