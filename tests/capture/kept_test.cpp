#include <gtest/gtest.h>

#include "capture/kept_collection.h"
#include "settings/gleaner_ini.h"
#include "support/program_fixture.h"

namespace gleaner {
namespace {

TEST(KeptCollection, ReadsBackWhatItWroteAndNothingElse) {
    const KeptCollection kept{u"東京\r\nID-42", u"ID-42"};
    const std::string bytes = EncodeKept(kept);
    EXPECT_EQ(DecodeKept(bytes), kept);
    for (const std::string& damaged : {bytes.substr(1), bytes.substr(0, bytes.size() - 1), bytes + "x",
                                       EncodeKept({u"", u""}), std::string("gleaner collection 1\n\xFF\xFF\xFF\x7F")})
        EXPECT_EQ(DecodeKept(damaged), std::nullopt);
}

class KeepTest : public testing_support::ProgramTest {
protected:
    KeepTest() { StartProgram(); }
    const std::u16string path = u"C:\\Users\\me\\AppData\\Local\\gleaner\\collection.dat";
    std::optional<KeptCollection> Kept() {
        const auto sealed = files.Get(path);
        const auto bytes = sealed ? protection.Open(*sealed) : std::nullopt;
        return bytes ? DecodeKept(*bytes) : std::nullopt;
    }
    // The next run, on the same desktop; the one before is left as it is.
    App& NextRun() {
        App& next = *runs.emplace_back(std::make_unique<App>(services, programWindows, state));
        timers.onTick = [&next](TimerId timer) { next.OnTimer(timer); };
        watch.onQueued = [this, &next] { events.Post([&next] { next.OnClipboardUpdate(); }); };
        EXPECT_TRUE(next.Start());
        return next;
    }
    std::vector<std::unique_ptr<App>> runs;
};

// A second after the first change, then once a second through a burst; a
// failed write leaves the old file and is tried again; quiet, no timer runs.
TEST_F(KeepTest, WritesASecondAfterAChangeOnceASecondInABurstAndAgainAfterAFailure) {
    EXPECT_TRUE(program.restartRequested);
    Copy(u"A");
    EXPECT_FALSE(files.Get(path));
    events.RunFor(kKeepDelayMs);
    EXPECT_EQ(Kept(), (KeptCollection{u"A", u"A"}));
    EXPECT_EQ(files.Get(path)->find('A'), std::string::npos) << "kept in the clear";
    for (int i = 1; i <= 1000; ++i) events.At(timers.now + 5 * i, [this, i] { clipboard.Put(std::u16string(i, u'x')); });
    events.RunFor(6000);
    EXPECT_EQ(Kept()->collection, box.Text());
    EXPECT_TRUE(files.writes[path] >= 5 && files.writes[path] <= 7) << files.writes[path];
    const std::u16string before = box.Text();
    files.denyWriting = true;
    Copy(u"B");
    events.RunFor(3000);
    EXPECT_EQ(Kept()->collection, before);
    files.denyWriting = false;
    events.RunFor(kKeepDelayMs);
    EXPECT_EQ(Kept()->collection, box.Text());
    EXPECT_TRUE(timers.running.empty());
}

// Gone once the collection is empty or the user ends the program; kept at
// the end of the session with the copies still waiting, and given back.
TEST_F(KeepTest, GoesWhenTheUserIsDoneAndComesBackAfterTheSessionEnded) {
    for (const MenuCommand emptying : {MenuCommand::Clear, MenuCommand::End}) {
        Copy(emptying == MenuCommand::Clear ? u"A" : u"B");
        events.RunFor(kKeepDelayMs);
        ASSERT_TRUE(files.Get(path));
        app.OnMenu(emptying);
        EXPECT_FALSE(files.Get(path));
    }
    App& next = NextRun();
    Copy(u"B");
    clipboard.Put(u"C");  // read, not shown yet
    next.OnSessionEnd();
    EXPECT_EQ(Kept(), (KeptCollection{u"B\r\nC", u"C"}));
    program.startsAtSignIn = true;
    program.restartRequested = false;
    NextRun();
    EXPECT_FALSE(program.restartRequested) << "two copies would start";
    EXPECT_EQ(box.Text(), u"B\r\nC");
    EXPECT_NE(std::ranges::find(programWindows.splashes, u"前回の採集を復元しました"), programWindows.splashes.end());
    Copy(u"C");
    EXPECT_EQ(box.Text(), u"B\r\nC") << "the last text came back too";
    // A file that does not open goes; with keeping off, any file goes and none comes.
    files.Put(path, *files.Get(path) + "!");
    NextRun();
    EXPECT_TRUE(box.Tag() == u"Init" && !files.Get(path));
    files.Put(path, *protection.Seal(EncodeKept({u"A", u"A"})));
    files.Put(u"C:\\Tools\\gleaner.ini", "keep collection = off\r\n");
    NextRun();
    Copy(u"B");
    events.RunFor(5000);
    EXPECT_FALSE(files.Get(path));
}

// 元に戻す: the last emptying, in front of what came since, once.
TEST_F(KeepTest, UndoPutsBackTheLastEmptyingInFrontOfWhatCameSinceOnce) {
    Copy(u"A");
    PressPasteHotkey();
    events.RunFor(2000);
    app.OnMenu(MenuCommand::Clear);  // empties nothing: the paste's stays to undo
    app.OnMenu(MenuCommand::Undo);
    EXPECT_EQ(box.Text(), u"A");
    app.OnMenu(MenuCommand::Clear);
    Copy(u"B");
    app.OnMenu(MenuCommand::Undo);
    app.OnMenu(MenuCommand::Undo);
    EXPECT_EQ(box.Text(), u"A\r\nB");
    events.RunFor(kKeepDelayMs);
    EXPECT_EQ(Kept()->collection, u"A\r\nB");
}

}  // namespace
}  // namespace gleaner
