// Sound and music through a real mixer whose output the disk driver writes to
// a file; the click is made at the mixer's rate and layout, so it reaches the
// output sample for sample.
#include <fstream>
#include <iterator>

#include <SDL_mixer.h>

#include "harness.h"

// 10 x the loud frames (a sample above 1000) of a raw or WAV file, plus the
// runs of them parted by 200 quiet frames.
static int loud_and_bursts(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    size_t data = bytes.find("data");
    int loud = 0, bursts = 0, quiet = 200;
    for (size_t i = data == std::string::npos ? 0 : data + 8; i + 4 <= bytes.size(); i += 4) {
        int16_t f[2];
        memcpy(f, bytes.data() + i, 4);
        bool is_loud = std::max(std::abs(int(f[0])), std::abs(int(f[1]))) > 1000;
        bursts += is_loud && quiet >= 200;
        quiet = is_loud ? 0 : quiet + 1;
        loud += is_loud;
    }
    return loud * 10 + bursts;
}

// Sounds and music count the repeats after the first play, but music plays
// once for 1 as for 0. Then endless loops, pauses, the volume and frees.
TEST_F(Engine, PlaysReachTheOutputWithTheirLoopCounts)
{
    env("SDL_DISKAUDIODELAY", "10");
    // clang-format off
    for (auto [call, plays] : {std::pair{"Sound(H)", 1}, {"Sound(H, 2)", 3}, {"Sound(H, 2.9)", 3},
            {"Sound(H, '1')", 2}, {"Music(H, 1)", 1}, {"Music(H, 2)", 3}, {"Music(H, -1)", 0}}) {
        // clang-format on
        env("SDL_DISKAUDIOFILE", (tmp + "/out").c_str());
        std::string kind = std::string(call).substr(0, 5);
        run(R"~(CLICK = TMP .. "/click.wav" Z.init(32, 32)
            os.execute("sox -D -n -r 44100 -c 2 -b 16 " .. CLICK .. " synth 0.005 sine 1000 pad 0 0.045"))~");
        EXPECT_EQ(run("H = Z.load" + kind + "(CLICK) return Z.play" + call), 0);
        if (!plays) // without end
            break;
        for (int n = 0; n < 3000 && (Mix_Playing(-1) || Mix_PlayingMusic()); n++)
            SDL_Delay(10); // until nothing plays (a bound met only by a fault)
        run("Z.free" + kind + "(H) Z.quit()");
        EXPECT_EQ(loud_and_bursts(tmp + "/out"), plays * loud_and_bursts(tmp + "/click.wav"))
            << call;
    }
    run("S = Z.loadSound(CLICK) Z.playSound(S, -1)");
    for (int paused : {1, 0, 1, 0}) {
        EXPECT_EQ(run("return Z.pauseMusic()"), 0);
        EXPECT_EQ(Mix_PausedMusic() * 10 + Mix_PlayingMusic(), paused * 10 + 1);
    }
    // musicVolume returns the volume before; -1 only reads, absent is 0.
    // clang-format off
    for (auto [arg, returned, after] : {std::tuple{"-1", 128, 128}, {"64", 128, 64}, {"", 64, 0},
            {"200", 0, 128}, {"64.9", 128, 64}, {"'32'", 64, 32}, {"-5", 32, 32}, {"128", 32, 128}}) {
        // clang-format on
        ASSERT_EQ(run(std::string("return Z.musicVolume(") + arg + ")"), 1);
        EXPECT_EQ(num(-1) * 1000 + Mix_VolumeMusic(-1), returned * 1000 + after) << arg;
        lua_pop(L, 1);
    }
    EXPECT_EQ(Mix_Playing(-1), 1);
    run("Z.freeSound(S) Z.freeMusic(H)");
    EXPECT_EQ(Mix_Playing(-1) + Mix_PlayingMusic(), 0);
}
