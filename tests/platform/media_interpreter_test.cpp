// The command strings against a fake engine that records what it is asked.
#include <gtest/gtest.h>

#include <set>

#include "platform/media_command.h"
#include "platform/media_interpreter.h"

using namespace platform;

namespace {

struct FakeEngine : MediaEngine {
    struct Playback : MediaPlayback {
        FakeEngine& engine;
        std::string file;
        bool isPlaying = false;
        Playback(FakeEngine& e, std::string f) : engine(e), file(std::move(f)) {}
        ~Playback() override { engine.log.push_back("closed " + file); }
        MediaRect naturalSize() const override { return engine.size; }
        void play(long from) override {
            isPlaying = true;
            engine.log.push_back("play " + file + (from >= 0 ? " from " + std::to_string(from) : ""));
        }
        void stop() override {
            isPlaying = false;
            engine.log.push_back("stop " + file);
        }
        void pause() override { stop(); }
        void placeWindow(const MediaRect& r) override {
            engine.log.push_back("window " + std::to_string(r.left) + "," + std::to_string(r.top) + " " +
                                 std::to_string(r.width) + "x" + std::to_string(r.height));
        }
        long positionMs() const override { return 1500; }
        long lengthMs() const override { return 4000; }
        bool playing() const override { return isPlaying; }
    };

    std::vector<std::string> log;
    MediaRect size{0, 0, 320, 240};
    bool unplayable = false;
    std::function<void()> lastFailure;

    std::unique_ptr<MediaPlayback> open(MediaKind kind, const std::filesystem::path& file, std::uintptr_t parent,
                                        std::function<void()> onFailure) override {
        if (unplayable) return nullptr;
        const char* kinds[] = {"video", "music", "wave"};
        log.push_back(std::string("open ") + kinds[static_cast<int>(kind)] + " " + file.string() + " parent " +
                      std::to_string(parent));
        lastFailure = std::move(onFailure);
        return std::make_unique<Playback>(*this, file.string());
    }
};

class MediaInterpreterTest : public ::testing::Test {
protected:
    FakeEngine engine;
    // Files that exist, as the mapping would find them.
    std::set<std::string> files{"data\\test.avi", "Data\\theme.mid", "Data\\Loop.WAV", "Data\\notes.txt"};
    MediaCommandInterpreter mci{engine, [this](const std::string& name) -> std::optional<std::filesystem::path> {
        if (!files.count(name)) return std::nullopt;
        return std::filesystem::path("/game") / name;
    }};
    std::string reply;

    unsigned run(const std::string& command) { return mci.execute(command, reply); }
};

}  // namespace

TEST_F(MediaInterpreterTest, TheIntroClipSequence) {
    EXPECT_EQ(run("close all"), 0u);
    EXPECT_EQ(run("open data\\test.avi Type avivideo Alias video2 parent 4194305 Style 1073741824"), 0u);
    EXPECT_EQ(run("Where video2 destination"), 0u);
    EXPECT_EQ(reply, "0 0 320 240");
    EXPECT_EQ(run("put video2 window at 10 10  320 240"), 0u);
    EXPECT_EQ(reply, "");
    EXPECT_EQ(run("play video2 from 0"), 0u);
    EXPECT_EQ(run("stop video2"), 0u);
    EXPECT_EQ(run("close video2"), 0u);
    const std::vector<std::string> expected = {"open video /game/data\\test.avi parent 4194305", "window 10,10 320x240",
                                               "play /game/data\\test.avi from 0", "stop /game/data\\test.avi",
                                               "closed /game/data\\test.avi"};
    EXPECT_EQ(engine.log, expected);
    EXPECT_FALSE(mci.isOpen("video2"));
}

TEST_F(MediaInterpreterTest, WordsAndNamesAreCaseInsensitive) {
    EXPECT_EQ(run("OPEN data\\test.avi TYPE AVIVIDEO ALIAS Video2"), 0u);
    EXPECT_EQ(run("where VIDEO2 Destination"), 0u);
    EXPECT_EQ(reply, "0 0 320 240");
    EXPECT_EQ(run("Put video2 Window At 1 2 3 4"), 0u);
    EXPECT_EQ(run("where video2 window"), 0u);
    EXPECT_EQ(reply, "1 2 3 4");
    EXPECT_EQ(run("where video2 destination"), 0u);
    EXPECT_EQ(reply, "0 0 320 240");  // the clip's own size stays
}

TEST_F(MediaInterpreterTest, PlayOfAFileOpensItByTypeNamedAsWritten) {
    EXPECT_EQ(run("play Data\\theme.mid"), 0u);
    EXPECT_TRUE(mci.isOpen("Data\\theme.mid"));
    EXPECT_EQ(run("status data\\THEME.mid mode"), 0u);
    EXPECT_EQ(reply, "playing");
    EXPECT_EQ(run("close Data\\theme.mid"), 0u);
    EXPECT_EQ(run("play Data\\Loop.WAV"), 0u);
    EXPECT_EQ(engine.log.front(), "open music /game/Data\\theme.mid parent 0");
    EXPECT_EQ(engine.log.at(3), "open wave /game/Data\\Loop.WAV parent 0");
}

TEST_F(MediaInterpreterTest, CloseAllEndsPlayingMusicAndLaterCloseOfItFails) {
    ASSERT_EQ(run("play Data\\theme.mid"), 0u);
    EXPECT_EQ(run("close all"), 0u);
    EXPECT_EQ(engine.log.back(), "closed /game/Data\\theme.mid");
    EXPECT_EQ(run("close Data\\theme.mid"), mci_error::invalidDeviceName);
    EXPECT_EQ(run("close all"), 0u);  // with nothing open
}

TEST_F(MediaInterpreterTest, UnknownDevicesCommandsAndFilesFailAndChangeNothing) {
    ASSERT_EQ(run("open data\\test.avi type avivideo alias video2"), 0u);
    const auto before = engine.log;
    EXPECT_EQ(run("close never"), mci_error::invalidDeviceName);
    EXPECT_EQ(run("close "), mci_error::missingParameter);  // the music name left empty
    EXPECT_EQ(run("stop never"), mci_error::invalidDeviceName);
    EXPECT_EQ(run("where never destination"), mci_error::invalidDeviceName);
    EXPECT_EQ(run("rewind video2"), mci_error::unrecognizedCommand);
    EXPECT_EQ(run("play video2 backwards"), mci_error::unrecognizedKeyword);
    EXPECT_EQ(run("put video2 window at 10 10 320"), mci_error::missingParameter);
    EXPECT_EQ(run("put video2 window at 10 x 320 240"), mci_error::badInteger);
    EXPECT_EQ(run("open data\\missing.avi type avivideo alias clip"), mci_error::fileNotFound);
    EXPECT_EQ(run("open data\\test.avi type avivideo alias video2"), mci_error::duplicateAlias);
    EXPECT_EQ(run("open data\\test.avi type cdaudio alias other"), mci_error::cannotLoadDriver);
    EXPECT_EQ(run("open Data\\notes.txt alias notes"), mci_error::extensionNotFound);
    EXPECT_EQ(run("play Data\\missing.mid"), mci_error::fileNotFound);
    EXPECT_EQ(run("play something"), mci_error::invalidDeviceName);
    EXPECT_EQ(run("open \"data\\test.avi alias x"), mci_error::noClosingQuote);
    EXPECT_EQ(run(""), mci_error::missingCommandString);
    engine.unplayable = true;
    EXPECT_EQ(run("open data\\test.avi type avivideo alias third"), mci_error::invalidFile);
    EXPECT_EQ(engine.log, before);
    EXPECT_TRUE(mci.isOpen("video2"));
    EXPECT_FALSE(mci.isOpen("third"));
}

TEST_F(MediaInterpreterTest, SoundDevicesHaveNoWindow) {
    ASSERT_EQ(run("play Data\\theme.mid"), 0u);
    EXPECT_EQ(run("where Data\\theme.mid destination"), mci_error::unsupportedFunction);
    EXPECT_EQ(run("put Data\\theme.mid window at 0 0 1 1"), mci_error::unsupportedFunction);
}

TEST_F(MediaInterpreterTest, APlaybackFailureClosesItsDeviceQuietly) {
    ASSERT_EQ(run("play Data\\theme.mid"), 0u);
    engine.lastFailure();
    EXPECT_FALSE(mci.isOpen("Data\\theme.mid"));
    EXPECT_EQ(run("close Data\\theme.mid"), mci_error::invalidDeviceName);
    // A failure reported after its device was closed touches nothing.
    ASSERT_EQ(run("play Data\\theme.mid"), 0u);
    auto stale = engine.lastFailure;
    ASSERT_EQ(run("close all"), 0u);
    ASSERT_EQ(run("play Data\\theme.mid"), 0u);
    stale();
    EXPECT_TRUE(mci.isOpen("Data\\theme.mid"));
}

TEST(MediaCommandWordsTest, QuotedWordsKeepTheirBlanks) {
    EXPECT_EQ(splitCommandWords("open \"My Music\\a b.mid\"  alias  m"),
              (std::vector<std::string>{"open", "My Music\\a b.mid", "alias", "m"}));
}
