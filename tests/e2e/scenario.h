// What every scenario starts from: a folder of its own with a fresh
// gleaner.exe, another application, Wine's notepad, and a known text on the
// clipboard. The scenario starts gleaner itself, after writing any Conf.txt
// it wants. Everything is closed afterwards, also when the scenario fails.
#pragma once

#include "driver.h"

namespace gleaner::e2e {

inline std::wstring Joined(const std::vector<std::wstring>& copies) {
    std::wstring joined;
    for (const auto& copy : copies) joined += (joined.empty() ? L"" : L"\r\n") + copy;
    return joined;
}

class EndToEnd : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(folder_.path, L"") << "could not copy " << Describe(BuiltGleaner()) << " into a folder";
        ASSERT_TRUE(notepad_.WaitForWindow(L"Notepad"));
        notepadEdit_ = FindWindowExW(notepad_.Window(), nullptr, L"Edit", nullptr);
        ASSERT_EQ(FindWindowOf(0, kMainWindowClass), nullptr) << "a gleaner window is left over from an earlier run";
        ASSERT_TRUE(other_.Copy(L"on the clipboard before gleaner started"));  // never to be collected
    }
    // Notepad is simply ended with the scenario (Program).
    void TearDown() override { EXPECT_TRUE(gleaner_ ? gleaner_->Close() : testing::AssertionSuccess()); }

    // shown: false for a start in the notification area; folder: where the
    // gleaner.exe to start is, when not in the scenario's own.
    testing::AssertionResult Start(const std::vector<std::wstring>& conf = {}, bool shown = true,
                                   std::wstring folder = L"") {
        if (folder.empty()) folder = folder_.path;
        if (!conf.empty() && !WriteConf(folder + L"\\Conf.txt", conf)) {
            return testing::AssertionFailure() << "could not write Conf.txt";
        }
        gleaner_.emplace(L"\"" + folder + L"\\gleaner.exe\"", folder);
        auto up = gleaner_->WaitForWindow(kMainWindowClass, shown);
        box_ = GetDlgItem(gleaner_->Window(), kBoxId);
        return up;
    }
    // The other application copies count texts, spacing ms apart, as a
    // script or a macro does; between copies it answers its messages.
    std::vector<std::wstring> Burst(const std::wstring& name, int count, DWORD spacing) {
        std::vector<std::wstring> copies;
        other_.OnThread([&] {
            for (int i = 1; i <= count; ++i) {
                copies.push_back(name + L" " + std::to_wstring(i));
                PutText(other_.Window(), copies.back());
                PumpFor(spacing);
            }
            return true;
        });
        return copies;
    }
    testing::AssertionResult CopyInOtherApp(const std::wstring& text) {
        if (auto front = BringToFront(other_.Window()); !front) return front;
        return other_.Copy(text) ? testing::AssertionSuccess() : testing::AssertionFailure() << "no copy";
    }
    // In front, Ctrl+A, Delete and the keys of text.
    testing::AssertionResult TypeInNotepad(const std::wstring& text) {
        if (auto front = BringToFront(notepad_.Window()); !front) return front;
        const auto type = [&] {
            Press({VK_CONTROL, 'A'});
            Press({VK_DELETE});
            TypeText(text);
        };
        return Retried("notepad's text", type, [&] { return TextOf(notepadEdit_); }, text);
    }
    // Types text, then Ctrl+A and Ctrl+C until the clipboard has changed.
    testing::AssertionResult CopyInNotepad(const std::wstring& text) {
        if (auto typed = TypeInNotepad(text); !typed) return typed;
        Press({VK_CONTROL, 'A'});
        const DWORD before = GetClipboardSequenceNumber();
        return Retried("Ctrl+C in notepad changed the clipboard", [] { Press({VK_CONTROL, 'C'}); },
                       [&] { return GetClipboardSequenceNumber() != before; }, true);
    }
    // In front, the keys pressed one after another, each alone.
    testing::AssertionResult PressInGleaner(std::initializer_list<WORD> keys) {
        if (auto front = BringToFront(gleaner_->Window()); !front) return front;
        for (const WORD key : keys) Press({key});
        return testing::AssertionSuccess();
    }
    // Empties notepad and presses Ctrl+key there.
    testing::AssertionResult PressInNotepad(WORD key) {
        if (auto emptied = TypeInNotepad(L""); !emptied) return emptied;
        Press({VK_CONTROL, key});
        return testing::AssertionSuccess();
    }
    testing::AssertionResult BoxShows(const std::wstring& expected) {
        return WaitFor("gleaner's box", [&] { return TextOf(box_); }, expected);
    }
    testing::AssertionResult NotepadShows(const std::wstring& expected) {
        return WaitFor("notepad's text", [&] { return TextOf(notepadEdit_); }, expected);
    }
    testing::AssertionResult ClipboardHolds(const std::wstring& expected) {
        return WaitFor("the clipboard", [&] { return other_.OnThread([&] { return ReadText(other_.Window()); }); },
                       expected);
    }

    ExeFolder folder_;
    OtherApplication other_;
    Program notepad_{L"notepad.exe"};
    std::optional<Program> gleaner_;
    HWND notepadEdit_ = nullptr, box_ = nullptr;
};

}  // namespace gleaner::e2e
