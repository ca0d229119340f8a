#include "synthetic_sintegra.hpp"

#include <algorithm>
#include <array>
#include <cstdio>
#include <random>
#include <stdexcept>
#include <string_view>

#include "layout/fields.hpp"

namespace sintegra::synthetic {
namespace {

struct Share {
    std::string_view code;
    int percent;
};

// Shares of the record lines between the first two and the last, in percent.
constexpr std::array<Share, 13> kMix = {{{"54", 28},
                                         {"60D", 20},
                                         {"60I", 12},
                                         {"75", 20},
                                         {"50", 6},
                                         {"60M", 2},
                                         {"60A", 4},
                                         {"60R", 1},
                                         {"61", 2},
                                         {"70", 2},
                                         {"74", 1},
                                         {"88SP02", 1},
                                         {"53", 1}}};

const Field* productField(std::string_view code) {
    const RecordLayout* layout = recordLayoutOf(code);
    if (layout == nullptr) {
        return nullptr;
    }
    const auto found = std::find_if(layout->fields.begin(), layout->fields.end(),
                                    [](const Field& f) { return f.rule == FieldRule::ProductCode; });
    return found == layout->fields.end() ? nullptr : &*found;
}

class Generator {
public:
    Generator(std::uint64_t lines, std::uint32_t seed)
        : random_(seed)
        , productPool_(std::max<std::uint64_t>(1, lines / 7)) {}

    std::string line(std::string_view code) {
        std::string text(code);
        if (code.starts_with("60")) {
            text += code == "60R" ? "032013" : "201303" + twoDigits(day_(random_));
        } else if (code == "75") {
            text += "2013030120130331" + productCode();
        }
        while (text.size() < 126) {
            text += static_cast<char>('0' + digit_(random_));
        }
        text.resize(code.starts_with("88SP02") ? 157 : 126);
        // Records that sell or hold a product name one of the described ones, as real files do.
        if (const Field* field = productField(code); field != nullptr && code != "75") {
            text.replace(field->first - 1u, field->size(), productCode().substr(14 - field->size()));
        }
        return text;
    }

    std::string_view pick() {
        int roll = percent_(random_);
        for (const Share& share : kMix) {
            roll -= share.percent;
            if (roll < 0) {
                return share.code;
            }
        }
        return kMix.front().code;
    }

private:
    static std::string twoDigits(int value) {
        return {static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
    }

    std::string productCode() {
        std::string code =
            std::to_string(std::uniform_int_distribution<std::uint64_t>(0, productPool_ - 1)(random_));
        return std::string(14 - code.size(), '0') + code;
    }

    std::mt19937 random_;
    std::uint64_t productPool_;
    std::uniform_int_distribution<int> percent_{0, 99};
    std::uniform_int_distribution<int> day_{1, 31};
    std::uniform_int_distribution<int> digit_{0, 9};
};

} // namespace

void writeSyntheticSintegra(const std::string& path, std::uint64_t lines, std::uint32_t seed) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        throw std::runtime_error("cannot create " + path);
    }
    Generator generator(lines, seed);
    for (std::uint64_t i = 0; i < lines; ++i) {
        const std::string_view code = i == 0           ? "10"
                                      : i == 1         ? "11"
                                      : i + 1 == lines ? "90"
                                                       : generator.pick();
        const std::string text = generator.line(code) + "\r\n";
        std::fwrite(text.data(), 1, text.size(), file);
    }
    if (std::fclose(file) != 0) {
        throw std::runtime_error("cannot write " + path);
    }
}

} // namespace sintegra::synthetic
