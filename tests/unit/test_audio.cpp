// Sound and music through a real mixer whose output the disk driver writes
// to a file: what the script plays must reach that file, as many times as
// asked. Fixtures are made with sox at the mixer's own rate and layout, so
// the sound reaches the output sample for sample.
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include <SDL_mixer.h>

#include "harness.h"

// Peak of |sample| over both channels, one value per 16-bit stereo frame.
typedef std::vector<int> Peaks;

static Peaks read_peaks(const std::string &path, bool wav)
{
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    size_t at = wav ? bytes.find("data") + 8 : 0; // a WAV file's data chunk
    Peaks peaks;
    for (size_t i = at; i + 4 <= bytes.size(); i += 4) {
        int16_t frame[2];
        memcpy(frame, bytes.data() + i, 4);
        peaks.push_back(std::max(std::abs(int(frame[0])), std::abs(int(frame[1]))));
    }
    return peaks;
}

// Runs of loud frames (peak above 1000) parted by at least 200 quiet frames.
static int bursts(const Peaks &peaks)
{
    int count = 0, quiet = 200;
    for (int p : peaks) {
        if (p > 1000) {
            count += quiet >= 200;
            quiet = 0;
        } else {
            quiet++;
        }
    }
    return count;
}

static int loud_frames(const Peaks &peaks)
{
    int n = 0;
    for (int p : peaks)
        n += p > 1000;
    return n;
}

class AudioTest : public ScratchTest
{
  protected:
    // A 1 kHz click of 5 ms followed by 45 ms of silence, in the global CLICK.
    std::string click()
    {
        std::string path = make_sound("click.wav", "synth 0.005 sine 1000 pad 0 0.045");
        set_string(L, "CLICK", path);
        return path;
    }
    // Starts the engine with the mixed output going to OUT in the scratch dir.
    void start(const std::string &out)
    {
        output = dir + "/" + out;
        setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
        setenv("SDL_DISKAUDIODELAY", "10", 1);
        run(L, "Z.init(32, 32)");
        ASSERT_EQ(sound_on, 1);
    }
    // True once no channel and no music plays; false after 5 seconds.
    bool wait_quiet()
    {
        for (int i = 0; i < 500; i++) {
            if (Mix_Playing(-1) == 0 && !Mix_PlayingMusic())
                return true;
            SDL_Delay(10);
        }
        return false;
    }
    // Shuts the engine down, which closes the output, and reads it back.
    Peaks stop()
    {
        run(L, "Z.quit()");
        return read_peaks(output, false);
    }
    std::string output;
};

TEST_F(AudioTest, EachPlayReachesTheOutputOnceWithItsLoopCount)
{
    // Both take the count of repeats after the first play, except that the
    // mixer plays music once for 1 as for 0. The WAV click reaches the
    // output sample for sample; the OGG tone (0.2 s of 440 Hz at half scale)
    // is loud for roughly half of its frames.
    struct Row {
        const char *kind, *file, *loops;
        int plays;
    } rows[] = {
        {"Sound", "CLICK", "", 1},      {"Sound", "CLICK", ", 0", 1},
        {"Sound", "CLICK", ", 2", 3},   {"Sound", "CLICK", ", 2.9", 3},
        {"Sound", "CLICK", ", '1'", 2}, {"Music", "CLICK", "", 1},
        {"Music", "CLICK", ", 1", 1},   {"Music", "CLICK", ", 2", 3},
        {"Music", "CLICK", ", 3", 4},   {"Sound", "OGG", ", 0", 1},
        {"Music", "OGG", "", 1},
    };
    int click_loud = loud_frames(read_peaks(click(), true));
    ASSERT_GT(click_loud, 100);
    set_string(L, "OGG", make_sound("tone.ogg", "synth 0.2 sine 440 vol 0.5"));
    int i = 0;
    for (const Row &row : rows) {
        std::string kind = row.kind;
        SCOPED_TRACE("play" + kind + "(" + row.file + row.loops + ")");
        start("out" + std::to_string(i++) + ".raw");
        EXPECT_EQ(run(L, "H = Z.load" + kind + "(" + row.file + ") assert(H) return Z.play" + kind +
                             "(H" + row.loops + ")"),
                  0);
        ASSERT_TRUE(wait_quiet());
        run(L, "Z.free" + kind + "(H)");
        Peaks out = stop();
        EXPECT_EQ(bursts(out), row.plays);
        if (std::string(row.file) == "CLICK") {
            EXPECT_EQ(loud_frames(out), row.plays * click_loud);
        } else {
            EXPECT_GT(loud_frames(out), 0.8 * 0.2 * 44100 / 2);
            EXPECT_LT(loud_frames(out), 1.2 * 0.2 * 44100);
        }
    }
}

TEST_F(AudioTest, LoopingWithoutEndPlaysUntilFreedAndTwoPausesRestoreTheMusic)
{
    click();
    start("out.raw");
    run(L, "S = Z.loadSound(CLICK) M = Z.loadMusic(CLICK) Z.playSound(S, -1) Z.playMusic(M, -1)");
    SDL_Delay(300); // about thirty mixer buffers of 93 ms each
    EXPECT_EQ(Mix_Playing(-1), 1);
    ASSERT_TRUE(Mix_PlayingMusic());
    ASSERT_FALSE(Mix_PausedMusic());
    for (int want : {1, 0, 1, 0}) {
        EXPECT_EQ(run(L, "return Z.pauseMusic()"), 0);
        EXPECT_EQ(Mix_PausedMusic(), want);
        EXPECT_TRUE(Mix_PlayingMusic());
    }
    run(L, "Z.freeSound(S) Z.freeMusic(M)");
    EXPECT_EQ(Mix_Playing(-1), 0);
    EXPECT_FALSE(Mix_PlayingMusic());
    SDL_Delay(50); // the mixer thread runs on without touching either
    EXPECT_GT(bursts(stop()), 10);
}

TEST_F(AudioTest, MusicVolumeReturnsThePreviousVolume)
{
    start("out.raw");
    struct Row {
        const char *arg;
        int returned, after;
    } rows[] = {
        {"-1", 128, 128}, {"64", 128, 64},   {"-1", 64, 64},   {"", 64, 0},
        {"200", 0, 128},  {"64.9", 128, 64}, {"'32'", 64, 32}, {"-5", 32, 32},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(std::string("musicVolume(") + row.arg + ")");
        ASSERT_EQ(run(L, std::string("return Z.musicVolume(") + row.arg + ")"), 1);
        EXPECT_EQ(num(-1), row.returned);
        lua_pop(L, 1);
        EXPECT_EQ(Mix_VolumeMusic(-1), row.after);
    }
}

TEST_F(AudioTest, WithoutAMixerEveryFunctionReturnsNothing)
{
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    run(L, "Z.init(32, 32)");
    ASSERT_EQ(sound_on, 0);
    // A pointer that would fault if anything read through it.
    lua_pushlightuserdata(L, reinterpret_cast<void *>(uintptr_t(8)));
    lua_setglobal(L, "BAD");
    // Loads of paths that do not exist are not fatal here.
    for (const char *call :
         {"Z.loadSound('/no/such/sound.wav')", "Z.loadMusic('/no/such/music.ogg')", "Z.loadSound()",
          "Z.playSound(BAD, 2)", "Z.playMusic(BAD, -1)", "Z.pauseMusic()", "Z.musicVolume(64)",
          "Z.musicVolume()", "Z.freeSound(BAD)", "Z.freeMusic(BAD)"}) {
        EXPECT_EQ(run(L, std::string("return ") + call), 0) << call;
    }
    // Nothing reached the mixer.
    EXPECT_EQ(Mix_VolumeMusic(-1), MIX_MAX_VOLUME);
    EXPECT_FALSE(Mix_PausedMusic());
}

TEST_F(AudioTest, UnloadablePathsAreFatal)
{
    start("out.raw");
    std::ofstream(dir + "/notes.txt") << "not a sound\n";
    set_string(L, "NOTES", dir + "/notes.txt");
    struct Row {
        const char *call;
        std::string line;
    } rows[] = {
        {"Z.loadSound(NOTES)", "sound " + dir + "/notes\\.txt"},
        {"Z.loadMusic(NOTES)", "music " + dir + "/notes\\.txt"},
        {"Z.loadMusic('/tmp')", "music /tmp"},
        {"Z.loadSound(nil)", "sound \\(null\\)"},
        {"Z.loadSound({})", "sound \\(null\\)"},
        {"Z.loadMusic()", "music \\(null\\)"},
    };
    for (const Row &row : rows)
        EXPECT_FATAL_LINE(L, row.call, "Couldn't load " + row.line + "\\. Exiting\\.\n$");
}
