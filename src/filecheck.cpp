// Music files the mixer would crash or hang on, found by reading them the way
// the mixer will: which of its readers the name and first bytes choose, then
// the MP3 frames or the WAV chunks that reader would meet.
//
// The MP3 decoder converts each decoded frame to the mixer's rate and layout
// in place, in a buffer of 8 KiB. The conversion only doubles or halves, so
// low rates need room for several times a frame: MPEG-2.5 layer III at 8 or
// 11.025 kHz and layer II at 16 or 22.05 kHz overrun the buffer on every
// frame, while 12 kHz and everything from 16 kHz up (layer III) fit.
//
// The WAV reader skips fact and LIST chunks and frees its first other chunk
// twice when that is not the format chunk; it reads 16 bytes of a format
// chunk however short; and it looks for the data chunk past the end of the
// file for ever.
#include "filecheck.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <strings.h>

#include <SDL_mixer.h>

namespace
{

const uint32_t kMp3Buffer = 8192;
const long kMp3ScanBytes = 64L << 20; // the frames looked at: the first 64 MiB

enum MusicReader { READER_OTHER, READER_MP3, READER_WAV };

bool read_at(FILE *f, long at, uint8_t *buf, size_t n)
{
    return at >= 0 && fseek(f, at, SEEK_SET) == 0 && fread(buf, 1, n, f) == n;
}

uint32_t le32(const uint8_t *b) { return b[0] | b[1] << 8 | b[2] << 16 | uint32_t(b[3]) << 24; }

bool has_ext(const char *ext, std::initializer_list<const char *> names)
{
    for (const char *name : names)
        if (strcasecmp(ext, name) == 0)
            return true;
    return false;
}

// The reader Mix_LoadMUS picks: by the name's extension, and for any other
// name by the first bytes.
MusicReader reader_of(const char *path, const uint8_t *head, size_t got)
{
    if (const char *dot = strrchr(path, '.')) {
        if (has_ext(dot + 1, {"wav"}))
            return READER_WAV;
        if (has_ext(dot + 1, {"mpg", "mpeg", "mp3", "mad"}))
            return READER_MP3;
        if (has_ext(dot + 1, {"mid", "midi", "kar", "ogg", "flac"}))
            return READER_OTHER;
    }
    if (got >= 12 && memcmp(head, "RIFF", 4) == 0 && memcmp(head + 8, "WAVE", 4) == 0)
        return READER_WAV;
    if (got >= 3 && (memcmp(head, "ID3", 3) == 0 || (head[0] == 0xFF && (head[1] & 0xFE) == 0xFA)))
        return READER_MP3;
    return READER_OTHER;
}

struct Mp3Frame {
    int version;      // 10: MPEG-1, 20: MPEG-2, 25: MPEG-2.5
    int layer;        // 1 to 3
    uint32_t rate;    // Hz
    uint32_t bytes;   // decoded: 16-bit samples of each channel
    uint32_t length;  // in the file; 0 for free format
    uint8_t channels; // 1 or 2
};

// The frame whose header is h, if h is one.
bool mp3_frame(const uint8_t *h, Mp3Frame *fr)
{
    static const uint16_t kRates[3] = {44100, 48000, 32000};
    static const uint16_t kKbps[5][15] = {
        {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448}, // MPEG-1 I
        {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},    // MPEG-1 II
        {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320},     // MPEG-1 III
        {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},    // later I
        {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},         // later II, III
    };
    if (h[0] != 0xFF || (h[1] & 0xE0) != 0xE0)
        return false;
    int version = (h[1] >> 3) & 3, layer = 4 - ((h[1] >> 1) & 3), kbps = h[2] >> 4,
        rate = (h[2] >> 2) & 3;
    if (version == 1 || layer == 4 || kbps == 15 || rate == 3)
        return false;
    bool lsf = version != 3; // the lower sampling frequencies
    fr->version = version == 3 ? 10 : version == 2 ? 20 : 25;
    fr->layer = layer;
    fr->rate = kRates[rate] >> (version == 3 ? 0 : version == 2 ? 1 : 2);
    fr->channels = (h[3] >> 6) == 3 ? 1 : 2;
    uint32_t samples = layer == 1 ? 384 : layer == 3 && lsf ? 576 : 1152;
    fr->bytes = samples * 2 * fr->channels;
    uint32_t bps = 1000u * kKbps[lsf ? (layer == 1 ? 3 : 4) : layer - 1][kbps],
             pad = (h[2] >> 1) & 1;
    fr->length = !bps         ? 0
                 : layer == 1 ? (12 * bps / fr->rate + pad) * 4
                              : samples / 8 * bps / fr->rate + pad;
    return true;
}

// The decoder's conversion is set up from the first frame it decodes and
// applied to every frame after it. The decoder finds its footing at a frame
// header followed one frame on by another frame's sync, and keeps it while
// frames follow each other.
bool mp3_hazard(FILE *f, long size, char *why, size_t n)
{
    long len = size < kMp3ScanBytes ? size : kMp3ScanBytes;
    uint8_t *b = static_cast<uint8_t *>(malloc(size_t(len)));
    if (!b || !read_at(f, 0, b, size_t(len))) {
        free(b);
        return false;
    }
    long at = 0;
    if (len >= 10 && memcmp(b, "ID3", 3) == 0) // a tag before the frames
        at = 10 + (b[5] & 0x10 ? 10 : 0) +
             (long(b[6] & 0x7F) << 21 | (b[7] & 0x7F) << 14 | (b[8] & 0x7F) << 7 | (b[9] & 0x7F));
    Mp3Frame first = {}, fr;
    uint32_t largest = 0;
    for (bool synced = false; at + 4 <= len;) {
        if (!mp3_frame(b + at, &fr)) {
            synced = false, at++;
            continue;
        }
        if (!synced && fr.length) {
            long next = at + fr.length;
            if (next + 2 > len || b[next] != 0xFF || (b[next + 1] & 0xE0) != 0xE0) {
                at++;
                continue;
            }
        }
        if (!first.rate)
            first = fr;
        if (fr.bytes > largest)
            largest = fr.bytes;
        synced = fr.length != 0;
        at += fr.length ? fr.length : 1;
    }
    free(b);
    if (!first.rate)
        return false;
    int freq = 44100, channels = 2;
    Uint16 format = AUDIO_S16LSB;
    Mix_QuerySpec(&freq, &format, &channels);
    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, AUDIO_S16, first.channels, int(first.rate), format, Uint8(channels),
                          freq) < 0 ||
        uint64_t(largest) * uint32_t(cvt.len_mult) <= kMp3Buffer)
        return false;
    snprintf(why, n,
             "MPEG-%d%s layer %.*s MP3 at %u Hz (%s), which the mixer's MP3 decoder cannot "
             "convert to %d Hz without overrunning its buffer; convert it: "
             "sox in.mp3 -r 44100 out.ogg",
             first.version / 10, first.version % 10 ? ".5" : "", first.layer, "III",
             unsigned(first.rate), first.channels == 1 ? "mono" : "stereo", freq);
    return true;
}

bool wav_hazard(FILE *f, long size, char *why, size_t n)
{
    uint8_t b[12];
    if (!read_at(f, 0, b, 12) || memcmp(b, "RIFF", 4) != 0 || memcmp(b + 8, "WAVE", 4) != 0)
        return false;
    long at = 12;
    uint32_t len;
    for (;; at += 8 + long(len)) { // chunks read whole, until one is neither fact nor LIST
        if (!read_at(f, at, b, 8) || (len = le32(b + 4)) == 0 || len > uint64_t(size - at - 8))
            return false; // reading it fails: the mixer refuses the file
        if (memcmp(b, "fact", 4) != 0 && memcmp(b, "LIST", 4) != 0)
            break;
    }
    if (memcmp(b, "fmt ", 4) != 0) {
        snprintf(why, n,
                 "WAV whose chunk at byte %ld is '%.4s' where the format chunk belongs, on which "
                 "the mixer's WAV reader frees memory twice; rewrite it: sox in.wav out.wav",
                 at, reinterpret_cast<const char *>(b));
        return true;
    }
    if (len < 16) {
        snprintf(why, n,
                 "WAV whose format chunk has %u bytes, fewer than 16, past which the mixer's WAV "
                 "reader reads; rewrite it: sox in.wav out.wav",
                 unsigned(len));
        return true;
    }
    uint8_t fmt[16];
    int bits =
        read_at(f, at + 8, fmt, 16) && (fmt[0] | fmt[1] << 8) == 1 ? fmt[14] | fmt[15] << 8 : 0;
    if (bits != 8 && bits != 16)
        return false; // not 8- or 16-bit PCM: the mixer refuses the file
    // The data chunk is sought chunk by chunk; the search ends only at one.
    for (at += 8 + long(len);; at += 8 + long(len)) {
        if (!read_at(f, at, b, 4) || (memcmp(b, "data", 4) != 0 && !read_at(f, at + 4, b + 4, 4))) {
            snprintf(why, n,
                     "WAV with no data chunk before its end, where the mixer's WAV reader "
                     "looks for one for ever; rewrite it: sox in.wav out.wav");
            return true;
        }
        if (memcmp(b, "data", 4) == 0 || int32_t(len = le32(b + 4)) < 0)
            return false; // found, or a length the mixer refuses
    }
}

} // namespace

bool music_hazard(const char *path, char *why, size_t n)
{
    FILE *f = fopen(path, "rb");
    if (!f)
        return false;
    uint8_t head[12] = {};
    size_t got = fread(head, 1, sizeof head, f);
    long size = fseek(f, 0, SEEK_END) == 0 ? ftell(f) : -1;
    bool hazard = false;
    if (size > 0) {
        MusicReader reader = reader_of(path, head, got);
        hazard = reader == READER_MP3   ? mp3_hazard(f, size, why, n)
                 : reader == READER_WAV ? wav_hazard(f, size, why, n)
                                        : false;
    }
    fclose(f);
    return hazard;
}
