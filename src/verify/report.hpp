#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "verify/checks.hpp"
#include "verify/finding.hpp"

namespace sintegra::verify {

// What the checks found, check by check: how often, and the first findings of each (all of them
// when asked), so that its size follows what is shown, not the file.
class Report final : public FindingSink {
public:
    struct CheckFindings {
        const Check* check = nullptr;
        std::uint64_t count = 0;
        std::vector<Finding> shown; // the first ones, in the order found
    };

    // shownPerCheck: how many findings of each check to keep (SIZE_MAX: all)
    explicit Report(std::size_t shownPerCheck);

    bool wants(const Check& check) override;
    void add(Finding&& finding) override;
    std::size_t shown(const Check&) const override { return shownPerCheck_; }

    // Takes in what another report of the same file found, as if this one had found it: the shown
    // findings of each check are the first ones by line.
    void merge(Report&& other);

    std::uint64_t errors() const { return errors_; }
    std::uint64_t warnings() const { return warnings_; }
    // The checks that found something, in the catalogue's order.
    std::vector<const CheckFindings*> found() const;
    // How often the check found something.
    std::uint64_t count(const Check& check) const;

private:
    CheckFindings& entryOf(const Check& check);

    std::size_t shownPerCheck_;
    std::array<CheckFindings, check::kAll.size()> checks_;
    std::uint64_t errors_ = 0;
    std::uint64_t warnings_ = 0;
};

// How many findings of each check a report shows unless told to show all.
inline constexpr std::size_t kShownPerCheck = 5;

// "3 erros e 1 aviso"
// "1 linha", "2 linhas": the count with the word that agrees with it.
std::string counted(std::uint64_t count, std::string_view one, std::string_view many);

std::string countsText(std::uint64_t errors, std::uint64_t warnings);

// Each check that found something, with its count and its findings, after a blank line; or that
// nothing was found.
std::string formatFindings(const Report& report);

// The report as text for a person: a heading naming the file and its lines, then each check that
// found something with its count and its findings, then the counts.
std::string formatReport(const Report& report, std::string_view file, std::uint64_t lines);

} // namespace sintegra::verify
