// Sound and music through a real mixer whose output the disk driver writes
// to a file: what the script plays must reach that file, as many times as
// asked. Fixtures are made with sox at the mixer's own rate and layout, so
// the sound reaches the output sample for sample.
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <unistd.h>
#include <vector>

#include <SDL_mixer.h>

#include "harness.h"

// Peak of |sample| over both channels, one value per frame.
typedef std::vector<int> Peaks;

// Runs of loud frames (peak above 1000) parted by at least 200 quiet frames.
static int bursts(const Peaks &peaks)
{
    int count = 0, quiet = 200;
    for (int p : peaks) {
        if (p > 1000) {
            if (quiet >= 200)
                count++;
            quiet = 0;
        } else {
            quiet++;
        }
    }
    return count;
}

// The frames of a 16-bit stereo WAV file's data chunk.
static Peaks wav_peaks(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    Peaks peaks;
    size_t at = bytes.find("data");
    if (at == std::string::npos)
        return peaks;
    for (size_t i = at + 8; i + 4 <= bytes.size(); i += 4) {
        int16_t frame[2];
        memcpy(frame, bytes.data() + i, 4);
        peaks.push_back(std::max(std::abs(int(frame[0])), std::abs(int(frame[1]))));
    }
    return peaks;
}

static int loud_frames(const Peaks &peaks)
{
    int n = 0;
    for (int p : peaks)
        n += p > 1000;
    return n;
}

class AudioTest : public LuaTest
{
  protected:
    void SetUp() override
    {
        char tmpl[] = "/tmp/zd_audio_XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        dir = tmpl;
        LuaTest::SetUp();
    }
    void TearDown() override
    {
        LuaTest::TearDown();
        std::string rm = "rm -rf '" + dir + "'";
        EXPECT_EQ(system(rm.c_str()), 0);
    }
    // Makes NAME in the scratch directory with sox (no dither: silence stays 0).
    std::string make(const std::string &name, const std::string &effects)
    {
        std::string path = dir + "/" + name;
        bool wav = path.compare(path.size() - 4, 4, ".wav") == 0;
        std::string cmd = std::string("sox -D -n -r 44100 -c 2 ") + (wav ? "-b 16 '" : "'") + path +
                          "' " + effects;
        EXPECT_EQ(system(cmd.c_str()), 0) << cmd;
        return path;
    }
    // A 1 kHz click of 5 ms followed by 45 ms of silence.
    std::string click() { return make("click.wav", "synth 0.005 sine 1000 pad 0 0.045"); }
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
        Peaks peaks;
        std::ifstream in(output, std::ios::binary);
        int16_t frame[2];
        while (in.read(reinterpret_cast<char *>(frame), sizeof frame))
            peaks.push_back(std::max(std::abs(int(frame[0])), std::abs(int(frame[1]))));
        return peaks;
    }
    void set_global(const char *name, const std::string &value)
    {
        lua_pushlstring(L, value.data(), value.size());
        lua_setglobal(L, name);
    }
    std::string dir, output;
};

TEST_F(AudioTest, LoopCountGivesOneBurstPerPlay)
{
    // Both take the count of repeats after the first play, except that the
    // mixer plays music once for 1 as for 0.
    struct Row {
        const char *kind;
        const char *loops;
        int plays;
    } rows[] = {
        {"Sound", "", 1},      {"Sound", ", 0", 1},   {"Sound", ", 2", 3},
        {"Sound", ", 2.9", 3}, {"Sound", ", '1'", 2}, {"Music", "", 1},
        {"Music", ", 1", 1},   {"Music", ", 2", 3},   {"Music", ", 3", 4},
    };
    set_global("CLICK", click());
    int click_loud = loud_frames(wav_peaks(dir + "/click.wav"));
    ASSERT_GT(click_loud, 100);
    int i = 0;
    for (const Row &row : rows) {
        std::string kind = row.kind;
        SCOPED_TRACE("play" + kind + row.loops);
        start("out" + std::to_string(i++) + ".raw");
        EXPECT_EQ(
            run(L, "H = Z.load" + kind + "(CLICK) return Z.play" + kind + "(H" + row.loops + ")"),
            0);
        ASSERT_TRUE(wait_quiet());
        run(L, "Z.free" + kind + "(H)");
        Peaks out = stop();
        EXPECT_EQ(bursts(out), row.plays);
        EXPECT_EQ(loud_frames(out), row.plays * click_loud);
    }
}

TEST_F(AudioTest, LoopingWithoutEndKeepsPlaying)
{
    set_global("CLICK", click());
    start("out.raw");
    run(L, "S = Z.loadSound(CLICK) Z.playSound(S, -1)");
    SDL_Delay(300); // about thirty mixer buffers of 93 ms each
    EXPECT_EQ(Mix_Playing(-1), 1);
    EXPECT_GT(bursts(stop()), 10);
}

TEST_F(AudioTest, SoundsAndMusicInWavAndOggReachTheOutput)
{
    struct Row {
        const char *load;
        const char *play;
        const char *file;
    } rows[] = {
        {"loadSound", "playSound", "tone.wav"},
        {"loadSound", "playSound", "tone.ogg"},
        {"loadMusic", "playMusic", "tone.wav"},
        {"loadMusic", "playMusic", "tone.ogg"},
    };
    // 0.2 s of 440 Hz at half scale: loud for roughly half of its frames.
    set_global("WAV", make("tone.wav", "synth 0.2 sine 440 vol 0.5"));
    set_global("OGG", make("tone.ogg", "synth 0.2 sine 440 vol 0.5"));
    int i = 0;
    for (const Row &row : rows) {
        SCOPED_TRACE(std::string(row.load) + " " + row.file);
        start("out" + std::to_string(i++) + ".raw");
        std::string var = std::string(row.file) == "tone.wav" ? "WAV" : "OGG";
        ASSERT_EQ(run(L, std::string("H = Z.") + row.load + "(" + var + ") return H"), 1);
        EXPECT_NE(lua_touserdata(L, -1), nullptr);
        lua_pop(L, 1);
        run(L, std::string("Z.") + row.play + "(H, 0)");
        ASSERT_TRUE(wait_quiet());
        run(L, std::string("Z.") + (row.load[4] == 'S' ? "freeSound" : "freeMusic") + "(H)");
        Peaks out = stop();
        // Played once: one stretch of sound about as long as the file.
        EXPECT_EQ(bursts(out), 1);
        EXPECT_GT(loud_frames(out), 0.8 * 0.2 * 44100 / 2);
        EXPECT_LT(loud_frames(out), 1.2 * 0.2 * 44100);
    }
}

TEST_F(AudioTest, MusicVolumeReturnsThePreviousVolume)
{
    start("out.raw");
    struct Row {
        const char *arg;
        int returned;
        int after;
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

TEST_F(AudioTest, TwoPausesRestoreTheMusicsState)
{
    set_global("OGG", make("long.ogg", "synth 2 sine 440"));
    start("out.raw");
    run(L, "M = Z.loadMusic(OGG) Z.playMusic(M, -1)");
    ASSERT_TRUE(Mix_PlayingMusic());
    ASSERT_FALSE(Mix_PausedMusic());
    int expect[] = {1, 0, 1, 0};
    for (int want : expect) {
        EXPECT_EQ(run(L, "return Z.pauseMusic()"), 0);
        EXPECT_EQ(Mix_PausedMusic(), want);
        EXPECT_TRUE(Mix_PlayingMusic());
    }
    // From paused: resumes, then pauses again.
    run(L, "Z.pauseMusic()");
    run(L, "Z.pauseMusic() Z.pauseMusic()");
    EXPECT_EQ(Mix_PausedMusic(), 1);
    run(L, "Z.freeMusic(M)");
}

TEST_F(AudioTest, NilHandlesDoNothing)
{
    start("out.raw");
    const char *calls[] = {
        "Z.playSound(nil, 2)", "Z.playSound()",    "Z.playMusic(nil, -1)",
        "Z.playMusic()",       "Z.freeSound(nil)", "Z.freeMusic(nil)",
        "Z.freeSound()",       "Z.freeMusic('x')", "Z.playSound({}, 1)",
    };
    for (const char *call : calls) {
        SCOPED_TRACE(call);
        EXPECT_EQ(run(L, std::string("return ") + call), 0);
    }
    EXPECT_EQ(Mix_Playing(-1), 0);
    EXPECT_FALSE(Mix_PlayingMusic());
}

TEST_F(AudioTest, FreeingStopsThePlaybackAndIsSafeAfterQuit)
{
    set_global("CLICK", click());
    start("out.raw");
    run(L, "S = Z.loadSound(CLICK) M = Z.loadMusic(CLICK) Z.playSound(S, -1) Z.playMusic(M, -1)");
    ASSERT_EQ(Mix_Playing(-1), 1);
    ASSERT_TRUE(Mix_PlayingMusic());
    run(L, "Z.freeSound(S) Z.freeMusic(M)");
    EXPECT_EQ(Mix_Playing(-1), 0);
    EXPECT_FALSE(Mix_PlayingMusic());
    SDL_Delay(50); // the mixer thread runs on without touching either
    // Handles outlive the mixer: freeing them after quit is harmless.
    run(L, "S = Z.loadSound(CLICK) M = Z.loadMusic(CLICK) Z.playSound(S, -1) Z.playMusic(M, -1)");
    run(L, "Z.quit() Z.freeSound(S) Z.freeMusic(M)");
}

TEST_F(AudioTest, WithoutAMixerEveryFunctionIsSilent)
{
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    run(L, "Z.init(32, 32)");
    ASSERT_EQ(sound_on, 0);
    // A pointer that would fault if anything read through it.
    lua_pushlightuserdata(L, reinterpret_cast<void *>(uintptr_t(8)));
    lua_setglobal(L, "BAD");
    const char *calls[] = {
        "Z.loadSound('/no/such/sound.wav')",
        "Z.loadMusic('/no/such/music.ogg')",
        "Z.loadSound()",
        "Z.playSound(BAD, 2)",
        "Z.playMusic(BAD, -1)",
        "Z.pauseMusic()",
        "Z.musicVolume(64)",
        "Z.musicVolume()",
        "Z.freeSound(BAD)",
        "Z.freeMusic(BAD)",
    };
    for (const char *call : calls) {
        SCOPED_TRACE(call);
        EXPECT_EQ(run(L, std::string("return ") + call), 0);
    }
    // Nothing reached the mixer.
    EXPECT_EQ(Mix_VolumeMusic(-1), MIX_MAX_VOLUME);
    EXPECT_FALSE(Mix_PausedMusic());
}

TEST_F(AudioTest, UnloadablePathsAreFatal)
{
    start("out.raw");
    std::string notes = dir + "/notes.txt";
    std::ofstream(notes) << "not a sound\n";
    set_global("NOTES", notes);
    struct Row {
        const char *call;
        std::string line;
    } rows[] = {
        {"Z.loadSound('/no/such/sound.wav')", "Couldn't load sound /no/such/sound\\.wav"},
        {"Z.loadMusic('/no/such/music.ogg')", "Couldn't load music /no/such/music\\.ogg"},
        {"Z.loadSound(NOTES)", "Couldn't load sound " + dir + "/notes\\.txt"},
        {"Z.loadMusic(NOTES)", "Couldn't load music " + dir + "/notes\\.txt"},
        {"Z.loadMusic('/tmp')", "Couldn't load music /tmp"},
        {"Z.loadSound(nil)", "Couldn't load sound \\(null\\)"},
        {"Z.loadSound({})", "Couldn't load sound \\(null\\)"},
        {"Z.loadMusic()", "Couldn't load music \\(null\\)"},
    };
    for (const Row &row : rows)
        EXPECT_FATAL_LINE(L, row.call, row.line + "\\. Exiting\\.\n$");
}
