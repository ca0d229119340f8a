#include "verify/ctrl_z.hpp"

#include <algorithm>
#include <string>

#include "verify/checks.hpp"
#include "verify/report.hpp"

namespace sintegra::verify {

void CtrlZMarks::mark(std::uint64_t line, std::size_t width) {
    last_ = {line, width + 1};
    first_ = count_++ == 0 ? last_ : first_;
}

void CtrlZMarks::finish(std::uint64_t lines, FindingSink& sink) const {
    if (count_ == 0) {
        return;
    }
    // A mark after the last line end stands in no line.
    const auto place = [lines](const Place& at) {
        return at.line > lines
                   ? std::string("no fim do arquivo, depois da última linha")
                   : "na linha " + std::to_string(at.line) + ", coluna " + std::to_string(at.column);
    };
    const bool inLine = first_.line <= lines;
    const auto column =
        static_cast<std::uint16_t>(inLine ? std::min<std::size_t>(first_.column, UINT16_MAX) : 0);
    report(sink, check::kCtrlZ, [&] {
        return makeFinding(check::kCtrlZ, inLine ? first_.line : 0, column, column, "", "", "",
                           count_ == 1 ? "um caractere Ctrl-Z " + place(first_) +
                                             "; não faz parte de nenhuma linha e a correção o remove"
                                       : counted(count_, "caractere Ctrl-Z", "caracteres Ctrl-Z") +
                                             ", o primeiro " + place(first_) + " e o último " + place(last_) +
                                             "; não fazem parte de nenhuma linha e a correção os remove");
    });
}

} // namespace sintegra::verify
