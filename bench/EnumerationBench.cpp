// The enumeration alone, capped at 20000 primes: the literal arithmetic, primesieve, each division
// kernel, and the press of Run (fastest kernel) on the model with a platform that does nothing.
#include "Benchmark.h"

#include "model/NumberText.h"
#include "model/Platform.h"
#include "model/frmMain.h"
#include "search/KernelChoice.h"
#include "search/Limits.h"
#include "search/TrialPrimeBatches.h"

#include <primesieve.hpp>

#include <cmath>
#include <cstdio>

namespace tavimo::bench {

namespace {

using Primes = std::vector<std::int64_t>;

// The trial division as first written: a real quotient per divisor, whole when floor(q) = q, and
// the square test as d > q. It lists 2 and 3 in advance as the press does.
Primes literalArithmetic(const Scenario& scenario)
{
    Primes primes;
    primes.reserve(primeCap);
    if (scenario.lower <= 2) {
        primes = {2, 3};
    }
    const std::int64_t start = scenario.lower % 2 == 1 ? scenario.lower : scenario.lower + 1;
    for (std::int64_t n = start; n <= scenario.upper; n += 2) {
        const auto bound =
            static_cast<std::int16_t>(std::lround(std::sqrt(static_cast<double>(n)) + 2.0));
        for (std::int16_t d = 3; d <= bound; d = static_cast<std::int16_t>(d + 2)) {
            const double q = static_cast<double>(n) / d;
            if (std::floor(q) == q) {
                break;
            }
            if (d > q && n != 1) {
                primes.push_back(n);
                if (primes.size() == primeCap) {
                    return primes;
                }
                break;
            }
        }
    }
    return primes;
}

Primes fromPrimesieve(const Scenario& scenario)
{
    Primes primes;
    primes.reserve(primeCap);
    primesieve::generate_n_primes(primeCap, static_cast<std::uint64_t>(scenario.lower), &primes);
    return primes;
}

Primes byForEachTrialPrime(const Scenario& scenario)
{
    Primes primes;
    primes.reserve(primeCap);
    if (scenario.lower <= 2) {
        primes = {2, 3};
    }
    const std::int64_t start = scenario.lower % 2 == 1 ? scenario.lower : scenario.lower + 1;
    forEachTrialPrime(start, scenario.upper, [&](std::int64_t p) {
        primes.push_back(p);
        return primes.size() < primeCap;
    });
    return primes;
}

// The press needs number recognition and nothing else of the desktop.
class SilentPlatform final : public Platform {
public:
    void clearClipboard() override {}
    void setClipboardText(const std::string&) override {}
    void beep() override {}
    void focusWindow() override {}
    void focusTextBox(const TextBox&) override {}
    void closeWindow() override {}
    std::optional<RecognisedNumber> recogniseNumber(std::string_view text) override
    {
        return tavimo::recogniseNumber(text, japaneseNumberFormat());
    }
};

// Every number listed in the result boxes, in order.
Primes listed(const frmMain& form)
{
    Primes numbers;
    for (const TextBox* box : {&form.txt3, &form.txt4, &form.txt5, &form.txt6}) {
        std::int64_t value = 0;
        bool digitsOnly = true;
        bool any = false;
        for (char c : box->text + "\n") {
            if (c == '\r' || c == '\n' || c == ',') {
                if (any && digitsOnly) {
                    numbers.push_back(value);
                }
                value = 0;
                digitsOnly = true;
                any = false;
            } else if (c >= '0' && c <= '9') {
                value = value * 10 + (c - '0');
                any = true;
            } else {
                digitsOnly = false;
            }
        }
    }
    return numbers;
}

void press(frmMain& form, const Scenario& scenario)
{
    form.txt1.text = scenario.lowerText;
    form.txt2.text = scenario.upperText;
    form.SwithGO = true; // past the long-run warning
    form.cmdJIKKO_Click();
}

} // namespace

GroupResult runEnumerationGroup(const Options& options)
{
    GroupResult result;
    SilentPlatform platform;
    frmMain form(platform);
    form.Form_Load();

    for (const Scenario& scenario : {B3, B4, B6}) {
        const std::string name = describe(scenario) + " · enumeration";
        const Primes truth = fromPrimesieve(scenario);
        auto check = [&](const std::string& method, const Primes& primes) {
            if (primes != truth) {
                std::fprintf(stderr, "%s: %s lists %zu primes that differ from primesieve's\n",
                             name.c_str(), method.c_str(), primes.size());
                result.consistent = false;
            }
        };

        Primes primes;
        const double baseline =
            medianMilliseconds(options, [&] { primes = literalArithmetic(scenario); });
        check("the literal arithmetic", primes);
        const double sieve =
            medianMilliseconds(options, [&] { primes = fromPrimesieve(scenario); });
        auto add = [&](const std::string& method, double milliseconds) {
            result.rows.push_back({"Enumeration alone", name + ", " + method, milliseconds,
                                   baseline, sieve, std::nullopt, std::nullopt});
        };
        add("literal arithmetic (baseline)", baseline);
        add("primesieve generate_n_primes", sieve);

        // Every kernel that the processor runs, forced in turn, the fastest first: its time is the
        // one held against the target below.
        std::vector<DivisionKernel> kernels = {fastestDivisionKernel()};
        for (DivisionKernel kernel :
             {DivisionKernel::Avx512, DivisionKernel::Avx2, DivisionKernel::Sse41,
              DivisionKernel::Neon, DivisionKernel::Portable}) {
            if (supportsDivisionKernel(kernel) && kernel != fastestDivisionKernel()) {
                kernels.push_back(kernel);
            }
        }
        double forEach = 0;
        for (DivisionKernel kernel : kernels) {
            forceDivisionKernel(kernel);
            const double milliseconds =
                medianMilliseconds(options, [&] { primes = byForEachTrialPrime(scenario); });
            check(std::string("the ") + divisionKernelName(kernel) + " kernel", primes);
            const bool fastest = kernel == fastestDivisionKernel();
            add(std::string("forEachTrialPrime (") + divisionKernelName(kernel) +
                    (fastest ? ", the fastest)" : ")"),
                milliseconds);
            forEach = fastest ? milliseconds : forEach;
        }
        forceDivisionKernel(fastestDivisionKernel());

        const double pressed = medianMilliseconds(options, [&] { press(form, scenario); });
        check("cmdJIKKO_Click", listed(form));
        add("frmMain::cmdJIKKO_Click, platform doing nothing", pressed);

        if (std::string(scenario.id) == B4.id) {
            const bool met = baseline >= 10 * forEach && baseline >= 10 * pressed;
            char note[200];
            std::snprintf(note, sizeof note,
                          "Enumeration B4 at least 10× faster than the baseline: %.1f× "
                          "(forEachTrialPrime), %.1f× (cmdJIKKO_Click): %s",
                          baseline / forEach, baseline / pressed, met ? "met" : "NOT met");
            result.notes.push_back(note);
        }
    }
    return result;
}

} // namespace tavimo::bench
