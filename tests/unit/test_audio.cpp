// Sound and music through a real mixer whose output the disk driver writes
// to a file: what the script plays must reach it, as many times as asked.
// Fixtures are made at the mixer's own rate and layout, so a WAV sound
// reaches the output sample for sample.
#include <cstring>
#include <fstream>
#include <iterator>

#include <SDL_mixer.h>

#include "harness.h"

// The peak of |sample| of each 16-bit stereo frame of a raw or WAV file.
static std::vector<int> peaks(const std::string &path, bool wav)
{
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<int> out;
    for (size_t i = wav ? bytes.find("data") + 8 : 0; i + 4 <= bytes.size(); i += 4) {
        int16_t frame[2];
        memcpy(frame, bytes.data() + i, 4);
        out.push_back(std::max(std::abs(int(frame[0])), std::abs(int(frame[1]))));
    }
    return out;
}

// Loud frames (peak above 1000), and runs of them parted by 200 quiet frames.
static std::pair<int, int> loud_and_bursts(const std::vector<int> &p)
{
    int loud = 0, bursts = 0, quiet = 200;
    for (int v : p) {
        bursts += v > 1000 && quiet >= 200;
        quiet = v > 1000 ? 0 : quiet + 1;
        loud += v > 1000;
    }
    return {loud, bursts};
}

class Audio : public Engine
{
  protected:
    void start(const std::string &out)
    {
        env("SDL_DISKAUDIOFILE", (output = scratch(out)).c_str());
        env("SDL_DISKAUDIODELAY", "10");
        run(L, "Z.init(32, 32)");
        ASSERT_EQ(sound_on, 1);
    }
    // Waits until nothing plays (a generous bound, met only by a fault).
    void wait_quiet()
    {
        for (int i = 0; i < 3000 && (Mix_Playing(-1) || Mix_PlayingMusic()); i++)
            SDL_Delay(10);
    }
    std::string output;
};

TEST_F(Audio, EachPlayReachesTheOutputWithItsLoopCount)
{
    // A 5 ms click and 45 ms of silence; a 0.2 s tone in OGG.
    set("CLICK", sound("click.wav", "synth 0.005 sine 1000 pad 0 0.045"));
    set("OGG", sound("tone.ogg", "synth 0.2 sine 440 vol 0.5"));
    const int click = loud_and_bursts(peaks(scratch("click.wav"), true)).first;
    ASSERT_GT(click, 100);
    // Both count repeats after the first play, but music plays once for 1 as for 0.
    const struct {
        const char *kind, *file, *loops;
        int plays;
    } rows[] = {
        {"Sound", "CLICK", "", 1},      {"Sound", "CLICK", ", 2", 3},
        {"Sound", "CLICK", ", 2.9", 3}, {"Sound", "CLICK", ", '1'", 2},
        {"Music", "CLICK", ", 1", 1},   {"Music", "CLICK", ", 2", 3},
        {"Sound", "OGG", ", 0", 1},     {"Music", "OGG", "", 1},
    };
    int i = 0;
    for (const auto &r : rows) {
        std::string kind = r.kind, what = "play" + kind + "(" + r.file + r.loops + ")";
        start("out" + std::to_string(i++) + ".raw");
        EXPECT_EQ(run(L, "H = Z.load" + kind + "(" + r.file + ") return Z.play" + kind + "(H" +
                             r.loops + ")"),
                  0);
        wait_quiet();
        run(L, "Z.free" + kind + "(H) Z.quit()");
        auto [loud, bursts] = loud_and_bursts(peaks(output, false));
        EXPECT_EQ(bursts, r.plays) << what;
        if (r.file[0] == 'C') {
            EXPECT_EQ(loud, r.plays * click) << what;
        }
    }
}

TEST_F(Audio, EndlessLoopsPausesVolumeAndFrees)
{
    set("CLICK", sound("click.wav", "synth 0.005 sine 1000 pad 0 0.045"));
    start("out.raw");
    run(L, "S = Z.loadSound(CLICK) M = Z.loadMusic(CLICK) Z.playSound(S, -1) Z.playMusic(M, -1)");
    for (int want : {1, 0, 1, 0}) {
        EXPECT_EQ(run(L, "return Z.pauseMusic()"), 0);
        EXPECT_EQ(Mix_PausedMusic(), want);
        EXPECT_TRUE(Mix_PlayingMusic());
    }
    EXPECT_EQ(Mix_Playing(-1), 1);
    // musicVolume returns the volume before; -1 only reads, absent is 0.
    for (auto [arg, returned, after] : {std::tuple{"-1", 128, 128},
                                        {"64", 128, 64},
                                        {"", 64, 0},
                                        {"200", 0, 128},
                                        {"64.9", 128, 64},
                                        {"'32'", 64, 32},
                                        {"-5", 32, 32},
                                        {"128", 32, 128}}) {
        ASSERT_EQ(run(L, std::string("return Z.musicVolume(") + arg + ")"), 1);
        EXPECT_EQ(num(-1), returned) << arg;
        EXPECT_EQ(Mix_VolumeMusic(-1), after) << arg;
        lua_pop(L, 1);
    }
    run(L, "Z.freeSound(S) Z.freeMusic(M)");
    EXPECT_EQ(Mix_Playing(-1) + Mix_PlayingMusic(), 0);
}

TEST_F(Engine, WithoutAMixerEveryAudioFunctionReturnsNothing)
{
    env("SDL_AUDIODRIVER", "no-such-driver");
    run(L, "Z.init(32, 32)");
    set("BAD", reinterpret_cast<void *>(uintptr_t(8))); // would fault if read
    for (const char *call :
         {"Z.loadSound('/no/such.wav')", "Z.loadMusic('/no/such.ogg')", "Z.loadSound()",
          "Z.playSound(BAD, 2)", "Z.playMusic(BAD, -1)", "Z.pauseMusic()", "Z.musicVolume(64)",
          "Z.freeSound(BAD)", "Z.freeMusic(BAD)"})
        EXPECT_EQ(run(L, std::string("return ") + call), 0) << call;
    EXPECT_EQ(Mix_VolumeMusic(-1), MIX_MAX_VOLUME);
    EXPECT_FALSE(Mix_PausedMusic());
}
