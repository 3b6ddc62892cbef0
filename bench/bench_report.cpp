#include "bench_report.h"

#include <algorithm>
#include <cstdio>
#include <numeric>

namespace gleaner::bench {
namespace {

const SeriesResult* SeriesAt(const ProgramResults& results, std::size_t index) {
    return index < results.series.size() ? &results.series[index] : nullptr;
}

std::optional<Summary> SummaryOf(const SeriesResult* series, bool shown) {
    if (!series) return std::nullopt;
    return Summarise(shown ? series->shown : series->hidden);
}

void PrintTimes(const std::optional<Summary>& summary) {
    if (summary)
        std::printf(" | %4zu %8.2f %8.2f", summary->count, summary->mean, summary->median);
    else
        std::printf(" | %4s %8s %8s", "-", "-", "-");
}

void PrintRatio(const std::optional<Summary>& over, const std::optional<Summary>& under) {
    if (over && under && under->mean > 0 && under->median > 0)
        std::printf(" | %6.1f %6.1f", over->mean / under->mean, over->median / under->median);
    else
        std::printf(" | %6s %6s", "-", "-");
}

std::string SizeCell(const SeriesResult& series) {
    return Grouped(series.plan.size) + " (" + Grouped(series.fromLength) + "-" + Grouped(series.toLength) + ")";
}

void PrintTimesHeader() {
    std::printf("Milliseconds per capture. Under each size: the lengths at which gleaner's and the append\n"
                "collector's timed captures ran; the re-set collector's, fewer, are listed below the tables.\n\n");
    std::printf("%-30s %-6s | %-22s | %-22s | %-22s\n", "collection size", "window", "gleaner",
                "re-set collector", "append collector");
    std::printf("%-30s %-6s", "(chars while timed)", "");
    for (int i = 0; i < 3; ++i) std::printf(" | %4s %8s %8s", "n", "mean", "median");
    std::printf("\n%s\n", std::string(112, '-').c_str());
}

void PrintRatiosHeader() {
    std::printf("%-30s %-6s | %-13s | %-13s | %-13s\n", "collection size", "window", "re-set/gleanr",
                "re-set/append", "gleaner/apnd");
    std::printf("%-30s %-6s", "", "");
    for (int i = 0; i < 3; ++i) std::printf(" | %6s %6s", "mean", "median");
    std::printf("\n%s\n", std::string(85, '-').c_str());
}

// Where a program's timed captures differ from gleaner's: fewer of them, or
// cut short by the time budget.
void PrintFootnotes(const ProgramResults& results, const ProgramResults& gleaner) {
    for (std::size_t i = 0; i < results.series.size(); ++i) {
        const SeriesResult& series = results.series[i];
        const SeriesResult* reference = SeriesAt(gleaner, i);
        const bool sameRange = reference && reference->fromLength == series.fromLength &&
                               reference->toLength == series.toLength;
        if (sameRange && !series.cut) continue;
        std::printf("  * %s at %s: %zu + %zu captures (shown + hidden) at %s-%s characters", results.name.c_str(),
                    Grouped(series.plan.size).c_str(), series.shown.ms.size(), series.hidden.ms.size(),
                    Grouped(series.fromLength).c_str(), Grouped(series.toLength).c_str());
        if (series.cut) std::printf(", cut short by its time budget of %.0f s", series.plan.budgetMs / 1000);
        std::printf("\n");
    }
}

}  // namespace

std::optional<Summary> Summarise(const Timings& timings) {
    if (timings.ms.empty()) return std::nullopt;
    std::vector<double> sorted = timings.ms;
    std::sort(sorted.begin(), sorted.end());
    const std::size_t n = sorted.size();
    Summary summary;
    summary.count = n;
    summary.mean = std::accumulate(sorted.begin(), sorted.end(), 0.0) / static_cast<double>(n);
    summary.median = n % 2 == 1 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
    return summary;
}

void PrintTrayTable(const ProgramResults& tray, const ProgramResults& gleaner) {
    std::printf("\nTray mode: milliseconds per capture with the balloon open (it shows the whole collection after\n"
                "each capture), beside window mode.\n\n");
    std::printf("%-30s | %-22s | %-22s | %-22s | %-13s\n", "collection size", "gleaner, tray", "window shown",
                "window hidden", "tray/shown");
    std::printf("%-30s", "(chars while timed, tray)");
    for (int i = 0; i < 3; ++i) std::printf(" | %4s %8s %8s", "n", "mean", "median");
    std::printf(" | %6s %6s\n%s\n", "mean", "median", std::string(121, '-').c_str());
    for (const SeriesResult& series : tray.series) {
        const auto window = std::find_if(gleaner.series.begin(), gleaner.series.end(),
                                         [&](const SeriesResult& s) { return s.plan.size == series.plan.size; });
        const SeriesResult* windowed = window == gleaner.series.end() ? nullptr : &*window;
        std::printf("%-30s", SizeCell(series).c_str());
        PrintTimes(Summarise(series.shown));
        PrintTimes(SummaryOf(windowed, true));
        PrintTimes(SummaryOf(windowed, false));
        PrintRatio(Summarise(series.shown), SummaryOf(windowed, true));
        std::printf("\n");
    }
    std::printf("\n");
    std::fflush(stdout);
}

std::string Grouped(std::size_t value) {
    const std::string digits = std::to_string(value);
    std::string grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
        grouped += digits[i];
    }
    return grouped;
}

void PrintTable(const ProgramResults& gleaner, const ProgramResults& reSet, const ProgramResults& append) {
    for (const bool ratios : {false, true}) {
        std::printf("\n");
        if (ratios)
            PrintRatiosHeader();
        else
            PrintTimesHeader();
        for (std::size_t i = 0; i < gleaner.series.size(); ++i) {
            for (const bool shown : {true, false}) {
                const std::string size = shown ? SizeCell(gleaner.series[i]) : "";
                std::printf("%-30s %-6s", size.c_str(), shown ? "shown" : "hidden");
                const auto g = SummaryOf(SeriesAt(gleaner, i), shown);
                const auto r = SummaryOf(SeriesAt(reSet, i), shown);
                const auto a = SummaryOf(SeriesAt(append, i), shown);
                if (ratios) {
                    PrintRatio(r, g);
                    PrintRatio(r, a);
                    PrintRatio(g, a);
                } else {
                    PrintTimes(g);
                    PrintTimes(r);
                    PrintTimes(a);
                }
                std::printf("\n");
            }
        }
    }
    std::printf("\n");
    PrintFootnotes(reSet, gleaner);
    PrintFootnotes(append, gleaner);
    std::fflush(stdout);
}

}  // namespace gleaner::bench
