#pragma once

// Answers for the program's modal dialogs, given by the script before the
// action that opens them: a name for the save dialog, a colour for the
// colour dialog, OK or Cancel for a message box (or Cancel for any of
// them). The oldest answer goes to the next modal dialog that waits; while
// no answer waits, dialogs are left for the script's own hand.

#include "platform/headless/Driver.h"
#include "tools/play/Script.h"

#include <deque>
#include <filesystem>
#include <optional>
#include <string>

namespace play {

class Answers {
public:
    explicit Answers(std::filesystem::path outDir) : outDir_(std::move(outDir)) { }

    void Add(const Command& answer) { pending_.push_back(&answer); }
    // Looks for a modal dialog that opened since the last look and answers
    // it. Answers whether it did something (input then follows); a
    // mismatch between the dialog and the answer sets failure.
    bool Apply(headless::Driver& driver, std::optional<std::string>& failure, int& failureLine);
    // The oldest answer no dialog took, or null.
    const Command* Unused() const { return pending_.empty() ? nullptr : pending_.front(); }

private:
    enum class Kind { Save, Colour, Message };
    static const char* Name(Kind kind);
    bool ClickButton(headless::Driver& driver, HWND dialog, int id);

    std::filesystem::path outDir_;
    std::deque<const Command*> pending_;
    // The button the hand went to, pressed at the next look.
    HWND click_ = nullptr;
};

} // namespace play
