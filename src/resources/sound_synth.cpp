#include "resources/sound_synth.hpp"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <initializer_list>
#include <string_view>

#include "core/base/sounds.hpp"

// Everything here is integer arithmetic with fixed seeds: floating point and the maths
// library differ between compilers and flags, and the tests compare the embedded bytes with a
// fresh run of this code.
namespace kelvar::resources {
namespace {

constexpr int kRate = kSoundRate;
constexpr int kFull = 32767; // full level, Q15

constexpr int ms(int m) {
    return static_cast<int>(static_cast<std::int64_t>(m) * kRate / 1000);
}

// --- Pitch ---------------------------------------------------------------------------------

// 2^(k/12) in Q16 for k = 0..12.
constexpr std::array<std::int64_t, 13> kSemitone{
    65536, 69433, 73562, 77936, 82570, 87480, 92682, 98193, 104032, 110218, 116772, 123715, 131072};

// Phase step per frame (a whole cycle is 2^32) for a pitch in cents above MIDI note 0, so
// 6900 is A4 = 440 Hz. Cents inside a semitone are interpolated linearly; close enough.
std::uint32_t pitchInc(int cents) {
    const int rel = cents - 6900;
    const int octave = rel >= 0 ? rel / 1200 : -((-rel + 1199) / 1200);
    const int rem = rel - octave * 1200;
    const int semi = rem / 100;
    const int frac = rem % 100;
    const std::int64_t ratio =
        kSemitone[semi] + (kSemitone[semi + 1] - kSemitone[semi]) * frac / 100;
    std::int64_t freqQ16 = 440 * ratio;
    freqQ16 = octave >= 0 ? freqQ16 << octave : freqQ16 >> -octave;
    return static_cast<std::uint32_t>((freqQ16 << 16) / kRate);
}

std::uint32_t hzInc(int hz) {
    return static_cast<std::uint32_t>((static_cast<std::uint64_t>(hz) << 32) / kRate);
}

// Straight line from a to b as t goes 0..span (clamped).
int lerp(int a, int b, int t, int span) {
    if (t <= 0) return a;
    if (t >= span) return b;
    return a + static_cast<int>(static_cast<std::int64_t>(b - a) * t / span);
}

// Like lerp, but fast at first and settling at the end (1 - (1 - p)^2).
int easeOut(int a, int b, int t, int span) {
    const int rest = span - std::clamp(t, 0, span);
    const std::int64_t restSq = static_cast<std::int64_t>(rest) * rest;
    const std::int64_t spanSq = static_cast<std::int64_t>(span) * span;
    return b + static_cast<int>(static_cast<std::int64_t>(a - b) * restSq / spanSq);
}

// --- Waves and helpers ---------------------------------------------------------------------

constexpr std::uint32_t kDuty12 = 0x20000000u;
constexpr std::uint32_t kDuty25 = 0x40000000u;
constexpr std::uint32_t kDuty50 = 0x80000000u;

// Mean zero whatever the duty (a narrow pulse sits high and short, low and long), so notes
// do not thump in and out on a DC step.
int pulse(std::uint32_t phase, std::uint32_t duty) {
    const std::int64_t high = phase < duty ? std::int64_t{1} << 32 : 0;
    return static_cast<int>((high - duty) * kFull / (std::int64_t{1} << 31));
}

int triangle(std::uint32_t phase) {
    const int t = static_cast<int>(phase >> 16);
    return t < 32768 ? 2 * t - kFull : kFull - 2 * (t - 32768);
}

// `x` scaled by a Q15 level.
int amp(int x, int level) {
    return static_cast<int>(static_cast<std::int64_t>(x) * level / kFull);
}

// Squares a Q15 level: linear ramps then decay like a struck or blown-out sound does.
int curve(int level) {
    return amp(level, level);
}

class Noise {
  public:
    explicit Noise(std::uint32_t seed) : s_(seed) {}
    int next() {
        s_ ^= s_ << 13;
        s_ ^= s_ >> 17;
        s_ ^= s_ << 5;
        return static_cast<int>(s_ >> 16) - 32768;
    }

  private:
    std::uint32_t s_;
};

// Noise that holds each value until its clock ticks, as the noise channel of an old sound
// chip does; a slower clock sounds lower and coarser.
class HeldNoise {
  public:
    explicit HeldNoise(std::uint32_t seed) : noise_(seed), value_(noise_.next()) {}
    int step(std::uint32_t inc) {
        const std::uint32_t before = phase_;
        phase_ += inc;
        if (phase_ < before) value_ = noise_.next();
        return value_;
    }

  private:
    Noise noise_;
    std::uint32_t phase_ = 0;
    int value_;
};

// One-pole low-pass. The state keeps 8 extra bits so slow filters do not stall.
class LowPass {
  public:
    static std::int64_t coef(int hz) {
        const std::int64_t w = 2LL * 355 * hz * 65536 / (113LL * kRate); // 2 pi f / fs, Q16
        return w * 65536 / (65536 + w);
    }
    int step(int x, std::int64_t coef) {
        y_ += (static_cast<std::int64_t>(x) * 256 - y_) * coef / 65536;
        return static_cast<int>(y_ / 256);
    }

  private:
    std::int64_t y_ = 0;
};

// Piecewise-linear level over time: (frame, Q15 level) points, held flat past either end.
class Env {
  public:
    struct Point {
        int frame;
        int level;
    };
    Env(std::initializer_list<Point> points) : points_(points) {}
    int at(int f) const {
        if (f <= points_.front().frame) return points_.front().level;
        for (std::size_t i = 1; i < points_.size(); ++i) {
            const Point& a = points_[i - 1];
            const Point& b = points_[i];
            if (f < b.frame) return lerp(a.level, b.level, f - a.frame, b.frame - a.frame);
        }
        return points_.back().level;
    }

  private:
    std::vector<Point> points_;
};

// --- Mixing --------------------------------------------------------------------------------

class Mix {
  public:
    explicit Mix(int frames) : l_(frames), r_(frames) {}
    int frames() const { return static_cast<int>(l_.size()); }
    // pan -64 (left) .. 64 (right) is a gentle spread; nothing is hard to one side.
    void add(int f, int v, int pan = 0) {
        l_[f] += v * (256 - pan) / 256;
        r_[f] += v * (256 + pan) / 256;
    }
    void addStereo(int f, int left, int right) {
        l_[f] += left;
        r_[f] += right;
    }
    std::vector<std::int32_t>& left() { return l_; }
    std::vector<std::int32_t>& right() { return r_; }

  private:
    std::vector<std::int32_t> l_, r_;
};

// A melodic part: one oscillator, an ADSR per note, optional vibrato and pitch bends.
struct Voice {
    bool pulseWave = true; // false: triangle
    std::uint32_t duty = kDuty50;
    int gain = kFull;
    int pan = 0;
    int detune = 0; // cents
    int attack = ms(4);
    int decay = ms(60);
    int sustain = 22000;
    int release = ms(20);
    int vibratoCents = 0;
    int vibratoHz = 6;
    int vibratoDelay = ms(150);
};

struct Note {
    int midi;
    int start;        // frame
    int length;       // frames
    int fade = 0;     // a longer release than the voice's, for the last note
    int bend = 0;     // cents reached at the end of the note
    int bendFrom = 0; // frames into the note where the bend begins
};

void play(Mix& mix, const Voice& v, std::initializer_list<Note> notes) {
    std::uint32_t phase = 0;
    const std::uint32_t vibratoInc = hzInc(v.vibratoHz);
    const int vibratoRamp = ms(200);
    for (const Note& n : notes) {
        const int release = n.fade ? n.fade : v.release;
        for (int t = 0; t < n.length && n.start + t < mix.frames(); ++t) {
            int cents = n.midi * 100 + v.detune;
            if (n.bend) cents += lerp(0, n.bend, t - n.bendFrom, n.length - n.bendFrom);
            if (v.vibratoCents && t > v.vibratoDelay) {
                const int since = t - v.vibratoDelay;
                const int depth = lerp(0, v.vibratoCents, since, vibratoRamp);
                cents += depth * triangle(vibratoInc * static_cast<std::uint32_t>(since)) / kFull;
            }
            int level;
            if (t < v.attack)
                level = lerp(0, kFull, t, v.attack);
            else
                level = lerp(kFull, v.sustain, t - v.attack, v.decay);
            const int left = n.length - t;
            if (left < release) level = lerp(0, level, left, release);
            const int wave = v.pulseWave ? pulse(phase, v.duty) : triangle(phase);
            mix.add(n.start + t, amp(amp(wave, level), v.gain), v.pan);
            phase += pitchInc(cents);
        }
    }
}

// A short hiss with its lows taken out: the tick of a closed hi-hat.
void tick(Mix& mix, Noise& noise, int start, int gain, int pan) {
    LowPass low;
    const std::int64_t c = LowPass::coef(2500);
    const int length = ms(30);
    for (int t = 0; t < length && start + t < mix.frames(); ++t) {
        const int x = noise.next();
        const int high = x - low.step(x, c);
        const int level = curve(lerp(kFull, 0, t, length));
        mix.add(start + t, amp(amp(high, level), gain), pan);
    }
}

// --- The recordings ------------------------------------------------------------------------

// A missile hits: coarse, bit-crushed noise whose clock slows as it dies, over a square thump.
void crunchyHit(Mix& mix) {
    const int n = mix.frames();
    HeldNoise crunch(0x1badf00du);
    HeldNoise grit(0x5eed0015u);
    const Env noiseEnv{{0, 0}, {ms(1), kFull}, {ms(40), 24000}, {ms(150), 10000}, {n, 0}};
    const Env gritEnv{{0, 0}, {ms(1), kFull}, {ms(25), 9000}, {ms(90), 0}};
    const Env bodyEnv{{0, 0}, {ms(2), kFull}, {ms(50), 14000}, {ms(160), 0}};
    std::uint32_t phase = 0;
    for (int f = 0; f < n; ++f) {
        const int clock = easeOut(12000, 900, f, n);
        // Eight levels, centred on zero: the crunch.
        const int coarse = (crunch.step(hzInc(clock)) & ~0x1FFF) + 0x1000;
        mix.add(f, amp(coarse, curve(noiseEnv.at(f))) * 3 / 4, -16);
        const int fine = grit.step(hzInc(16000));
        mix.add(f, amp(fine, curve(gritEnv.at(f))) / 3, 40);
        mix.add(f, amp(pulse(phase, kDuty25), curve(bodyEnv.at(f))) / 2, -8);
        phase += pitchInc(easeOut(7700, 4000, f, ms(150)));
    }
}

// The launch: a pulse sweeping up three and a half octaves with its duty widening, and a
// detuned twin on the other side.
void risingZap(Mix& mix) {
    const int n = mix.frames();
    const int sweep = ms(230);
    const Env env{{0, 0}, {ms(3), kFull}, {ms(140), 26000}, {n, 0}};
    std::uint32_t a = 0;
    std::uint32_t b = 0x40000000u;
    for (int f = 0; f < n; ++f) {
        const int cents = easeOut(5500, 9600, f, sweep);
        const std::uint32_t duty =
            static_cast<std::uint32_t>(lerp(0x20000000, 0x7fffffff, f, sweep));
        const int level = curve(env.at(f));
        mix.add(f, amp(pulse(a, duty), level) * 2 / 3, -24);
        mix.add(f, amp(pulse(b, 0xffffffffu - duty), level) / 3, 24);
        a += pitchInc(cents);
        b += pitchInc(cents + 19);
    }
}

// An impact: a triangle dropping from 165 Hz to 37 Hz, a filtered square under it and a
// dull burst of noise on the hit.
void heavyThud(Mix& mix) {
    const int n = mix.frames();
    const Env toneEnv{{0, 0}, {ms(2), kFull}, {ms(30), 30000}, {ms(120), 15000}, {n, 0}};
    const Env squareEnv{{0, 0}, {ms(2), kFull}, {ms(60), 12000}, {ms(180), 0}};
    const Env noiseEnv{{0, 0}, {ms(1), kFull}, {ms(25), 9000}, {ms(90), 0}};
    Noise noise(0x7bu);
    LowPass noiseLow, squareLow;
    const std::int64_t squareCoef = LowPass::coef(320);
    std::uint32_t phase = 0;
    for (int f = 0; f < n; ++f) {
        const int cents = easeOut(5200, 2600, f, ms(180));
        const int tone = amp(triangle(phase), curve(toneEnv.at(f)));
        const int square =
            squareLow.step(amp(pulse(phase, kDuty50), curve(squareEnv.at(f))), squareCoef);
        const int cut = easeOut(1400, 200, f, ms(70));
        const int dull = noiseLow.step(noise.next(), LowPass::coef(cut));
        mix.add(f, tone);
        mix.add(f, square * 3 / 4);
        mix.add(f, amp(dull, curve(noiseEnv.at(f))), 12);
        phase += pitchInc(cents);
    }
}

// "GET READY": a quick I-IV-V arpeggio in sixteenths over a bouncing bass, landing on a held
// chord.
void readyJingle(Mix& mix) {
    const int n = mix.frames();
    const int s = ms(75);
    const int last = n - 12 * s;
    Voice lead{.duty = kDuty25,
               .gain = 18000,
               .pan = -16,
               .attack = ms(3),
               .decay = ms(50),
               .sustain = 20000,
               .release = ms(12),
               .vibratoCents = 18,
               .vibratoHz = 6};
    play(mix, lead,
         {{72, 0, s},
          {76, s, s},
          {79, 2 * s, s},
          {76, 3 * s, s},
          {77, 4 * s, s},
          {81, 5 * s, s},
          {84, 6 * s, s},
          {81, 7 * s, s},
          {79, 8 * s, s},
          {83, 9 * s, s},
          {86, 10 * s, s},
          {83, 11 * s, s},
          {84, 12 * s, last, ms(380)}});
    Voice harmony{.duty = kDuty12,
                  .gain = 9000,
                  .pan = 28,
                  .attack = ms(3),
                  .decay = ms(80),
                  .sustain = 24000,
                  .release = ms(12)};
    play(mix, harmony, {{76, 12 * s, last, ms(380)}});
    harmony.pan = -28;
    harmony.detune = 5;
    play(mix, harmony, {{79, 12 * s, last, ms(380)}});
    const Voice bass{.pulseWave = false,
                     .gain = 24000,
                     .attack = ms(2),
                     .decay = ms(40),
                     .sustain = 16000,
                     .release = ms(10)};
    play(mix, bass,
         {{48, 0, s},
          {60, s, s},
          {48, 2 * s, s},
          {60, 3 * s, s},
          {41, 4 * s, s},
          {53, 5 * s, s},
          {41, 6 * s, s},
          {53, 7 * s, s},
          {43, 8 * s, s},
          {55, 9 * s, s},
          {43, 10 * s, s},
          {55, 11 * s, s},
          {48, 12 * s, last, ms(380)}});
    Noise hats(0x19u);
    for (int i = 0; i <= 12; ++i) tick(mix, hats, i * s, i % 2 ? 3500 : 6000, i % 2 ? 20 : -20);
}

// The POWbomb: dark noise through a closing filter, swelling and ebbing at a slowing rate,
// over a low square rumble. Each side has some noise of its own, and the swells are a little
// out of step between the sides, so the blast rolls across.
void rollingBlast(Mix& mix) {
    const int n = mix.frames();
    HeldNoise common(0xb1a57u), leftOnly(0x1ef7u), rightOnly(0x919e7u);
    LowPass l1, l2, r1, r2, rumbleLow;
    const Env env{{0, 0}, {ms(4), kFull}, {ms(120), 27000}, {ms(420), 13000}, {n, 0}};
    const Env rumbleEnv{{0, 0}, {ms(6), kFull}, {ms(300), 16000}, {n, 0}};
    std::uint32_t roll = 0, rumble = 0;
    for (int f = 0; f < n; ++f) {
        const std::uint32_t clock = hzInc(easeOut(9000, 1500, f, n));
        const int c = common.step(clock);
        const int lIn = c * 3 / 4 + leftOnly.step(clock) / 4;
        const int rIn = c * 3 / 4 + rightOnly.step(clock) / 4;
        const std::int64_t coef = LowPass::coef(easeOut(4000, 250, f, n));
        const int l = l2.step(l1.step(lIn, coef), coef);
        const int r = r2.step(r1.step(rIn, coef), coef);
        // Swell depth 45%: (1 + tri) / 2 runs 0..1.
        const int lSwell = kFull - 45 * (kFull + triangle(roll)) / 200;
        const int rSwell = kFull - 45 * (kFull + triangle(roll + 0x30000000u)) / 200;
        const int level = curve(env.at(f));
        mix.addStereo(f, amp(amp(l, level), lSwell) * 2, amp(amp(r, level), rSwell) * 2);
        const int low = rumbleLow.step(pulse(rumble, kDuty50), LowPass::coef(180));
        mix.add(f, amp(low, curve(rumbleEnv.at(f))) / 2);
        roll += hzInc(easeOut(16, 5, f, n));
        rumble += pitchInc(easeOut(3500, 2400, f, n));
    }
}

// Game over: a slow stepwise fall E-D-C-B to A, whose last chord sinks a whole tone as it
// fades.
void gameOver(Mix& mix) {
    const int n = mix.frames();
    const int s = ms(200);
    const int last = n - 4 * s;
    const int fade = ms(800);
    const int bendFrom = ms(420);
    const Voice lead{.duty = kDuty50,
                     .gain = 16000,
                     .pan = -12,
                     .attack = ms(6),
                     .decay = ms(100),
                     .sustain = 24000,
                     .release = ms(30),
                     .vibratoCents = 25,
                     .vibratoHz = 5,
                     .vibratoDelay = ms(200)};
    play(mix, lead,
         {{76, 0, s},
          {74, s, s},
          {72, 2 * s, s},
          {71, 3 * s, s},
          {69, 4 * s, last, fade, -200, bendFrom}});
    const Voice under{.pulseWave = false,
                      .gain = 12000,
                      .pan = 20,
                      .attack = ms(6),
                      .decay = ms(100),
                      .sustain = 26000,
                      .release = ms(30)};
    play(mix, under,
         {{64, 0, s},
          {62, s, s},
          {60, 2 * s, s},
          {59, 3 * s, s},
          {57, 4 * s, last, fade, -200, bendFrom}});
    const Voice harmony{.duty = kDuty25,
                        .gain = 7000,
                        .pan = -30,
                        .attack = ms(20),
                        .decay = ms(200),
                        .sustain = 22000};
    play(mix, harmony, {{64, 4 * s, last, fade, -200, bendFrom}});
    const Voice bass{.pulseWave = false,
                     .gain = 24000,
                     .attack = ms(5),
                     .decay = ms(150),
                     .sustain = 20000,
                     .release = ms(30)};
    play(mix, bass, {{45, 0, 2 * s}, {43, 2 * s, 2 * s}, {45, 4 * s, last, fade, -200, bendFrom}});
}

// "LEVEL CLEAR": C-E-G up to a held C with its chord, the lead doubled and detuned so it
// shines.
void fanfare(Mix& mix) {
    const int n = mix.frames();
    const int s = ms(85);
    const int last = n - 3 * s;
    const int fade = ms(450);
    Voice lead{.duty = kDuty25,
               .gain = 15000,
               .pan = -20,
               .attack = ms(3),
               .decay = ms(60),
               .sustain = 24000,
               .release = ms(10),
               .vibratoCents = 20,
               .vibratoHz = 7,
               .vibratoDelay = ms(120)};
    play(mix, lead, {{72, 0, s}, {76, s, s}, {79, 2 * s, s}, {84, 3 * s, last, fade}});
    lead.duty = kDuty50;
    lead.gain = 8000;
    lead.pan = 20;
    lead.detune = 10;
    play(mix, lead, {{72, 0, s}, {76, s, s}, {79, 2 * s, s}, {84, 3 * s, last, fade}});
    const Voice harmony{.duty = kDuty12,
                        .gain = 8000,
                        .pan = 30,
                        .attack = ms(4),
                        .decay = ms(100),
                        .sustain = 24000};
    play(mix, harmony, {{76, 3 * s, last, fade}});
    play(mix, harmony, {{79, 3 * s, last, fade}});
    const Voice bass{.pulseWave = false,
                     .gain = 24000,
                     .attack = ms(2),
                     .decay = ms(50),
                     .sustain = 18000,
                     .release = ms(10)};
    play(mix, bass, {{48, 0, s}, {55, s, s}, {60, 2 * s, s}, {48, 3 * s, last, fade}});
    Noise hats(0x25u);
    for (int i = 0; i < 4; ++i) tick(mix, hats, i * s, 5000, i % 2 ? 24 : -24);
}

// --- The WAV image -------------------------------------------------------------------------

void put(std::vector<std::uint8_t>& out, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void put(std::vector<std::uint8_t>& out, std::string_view tag) {
    for (char c : tag) out.push_back(static_cast<std::uint8_t>(c));
}

// Short ramps at both ends so nothing clicks whatever the parts did, then scaled so the
// loudest sample sits at -1 dBFS, then packed as a WAV image.
std::vector<std::uint8_t> finish(Mix& mix, std::uint32_t dataBytes) {
    const int n = mix.frames();
    const int in = ms(3);
    const int out = ms(8);
    std::int64_t peak = 1;
    for (auto* ch : {&mix.left(), &mix.right()}) {
        for (int f = 0; f < n; ++f) {
            std::int32_t& x = (*ch)[f];
            if (f < in) x = static_cast<std::int32_t>(static_cast<std::int64_t>(x) * f / in);
            if (n - 1 - f < out)
                x = static_cast<std::int32_t>(static_cast<std::int64_t>(x) * (n - 1 - f) / out);
            peak = std::max<std::int64_t>(peak, std::abs(x));
        }
    }
    constexpr std::int64_t kTarget = 29205; // 32768 * 10^(-1/20)

    std::vector<std::uint8_t> wav;
    wav.reserve(44 + dataBytes);
    put(wav, "RIFF");
    put(wav, 36 + dataBytes, 4);
    put(wav, "WAVE");
    put(wav, "fmt ");
    put(wav, 16, 4);
    put(wav, 1, 2); // PCM
    put(wav, 2, 2);
    put(wav, kRate, 4);
    put(wav, kRate * kSoundFrameBytes, 4);
    put(wav, kSoundFrameBytes, 2);
    put(wav, 16, 2);
    put(wav, "data");
    put(wav, dataBytes, 4);
    for (int f = 0; f < n; ++f) {
        for (auto* ch : {&mix.left(), &mix.right()}) {
            const auto s = static_cast<std::int16_t>((*ch)[f] * kTarget / peak);
            put(wav, static_cast<std::uint16_t>(s), 2);
        }
    }
    return wav;
}

} // namespace

std::vector<std::uint8_t> synthesiseSound(int id) {
    const SoundInfo* info = findSound(id);
    if (!info) return {};
    Mix mix(static_cast<int>(info->dataBytes / kSoundFrameBytes));
    switch (id) {
    case sound::EnemyHit:
        crunchyHit(mix);
        break;
    case sound::Launch:
        risingZap(mix);
        break;
    case sound::Impact:
        heavyThud(mix);
        break;
    case sound::GetReady:
        readyJingle(mix);
        break;
    case sound::Blast:
        rollingBlast(mix);
        break;
    case sound::GameOver:
        gameOver(mix);
        break;
    case sound::LevelClear:
        fanfare(mix);
        break;
    default:
        return {};
    }
    return finish(mix, info->dataBytes);
}

} // namespace kelvar::resources
