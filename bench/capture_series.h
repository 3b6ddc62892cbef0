// One collecting program under measurement: bring its collection up to a
// size with a few large copies, then time small copies back to back, with
// its main window shown and hidden in turn, or, for gleaner in tray mode,
// with its balloon open all the time.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "driver.h"

namespace gleaner::bench {

inline constexpr std::size_t kSmallCopyLength = 50;
inline constexpr std::size_t kLargeCopyMaxLength = 250000;
inline constexpr std::size_t kSeparatorLength = 2;  // CR LF

// Timed captures at one size. Blocks alternate shown, hidden, shown, ...,
// so that both window states see the same spread of sizes; a series whose
// time budget runs out stops after a hidden block.
struct SeriesPlan {
    std::size_t size = 0;        // the nominal collection size, UTF-16 code units
    std::size_t startLength = 0; // the length the prefill reaches
    int capturesPerBlock = 0;
    int blocks = 0;              // even
    double budgetMs = 0;         // no further pair of blocks once spent
};

struct Timings {
    std::vector<double> ms;
};

struct SeriesResult {
    SeriesPlan plan;
    Timings shown;
    Timings hidden;
    std::size_t fromLength = 0;  // the collection's length before the first and
    std::size_t toLength = 0;    // after the last timed capture
    bool cut = false;            // stopped early by its time budget
};

// The collection as the benchmark expects it: copies joined by CR LF.
class ExpectedCollection {
public:
    std::size_t Length() const { return length_; }
    std::size_t LengthAfter(const std::wstring& copy) const {
        return length_ == 0 ? copy.size() : length_ + kSeparatorLength + copy.size();
    }
    void Add(const std::wstring& copy) { length_ = LengthAfter(copy); }

private:
    std::size_t length_ = 0;
};

// Milliseconds since an arbitrary start, high resolution.
double NowMs();

class CaptureSeries {
public:
    // driver copies; program collects into its box (an EDIT with id 1001),
    // or, with balloon, shows the collection in the balloon's text box too.
    CaptureSeries(const e2e::OtherApplication& driver, const e2e::Program& program, bool balloon = false)
        : driver_(driver), program_(program), box_(GetDlgItem(program.Window(), e2e::kBoxId)), balloon_(balloon) {}

    // Large distinct copies until the collection holds exactly `length`
    // characters (a smaller length than now is left alone). Not timed.
    bool Prefill(std::size_t length, std::wstring& error);
    bool Run(const SeriesPlan& plan, SeriesResult& result, std::wstring& error);
    // Captures as a person makes them: each after a pause in which the
    // program has long caught up, its window as Run leaves it (shown).
    bool RunAtHumanSpeed(int captures, DWORD pauseMs, Timings& timings, std::wstring& error);

private:
    // gentle: the box is asked once a millisecond instead of back to back, as
    // at human speed: a person does not keep the program's thread busy
    // answering, and back-to-back asks compete for the two cores with the
    // watcher's thread.
    bool Capture(const std::wstring& copy, DWORD timeoutMs, double& ms, std::wstring& error, bool gentle = false);
    bool EnsureForeground(std::wstring& error);
    std::optional<double> TimedCapture(const std::wstring& text, std::size_t expected, DWORD timeoutMs, bool gentle);
    bool SetShown(bool shown);
    // The box whose length tells that a capture is complete.
    HWND Box() const;

    const e2e::OtherApplication& driver_;
    const e2e::Program& program_;
    HWND box_;
    bool balloon_;
    std::optional<std::size_t> lastSeen_;  // what the box held when the last timed capture failed
    ExpectedCollection collection_;
    int largeCopies_ = 0;
    int smallCopies_ = 0;
};

}  // namespace gleaner::bench
