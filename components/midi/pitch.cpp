#include "pitch.h"

#include <cmath>

namespace midi {

namespace {

struct OctavePitch {
    double c;
    double c_sharp;
};

// The C and C sharp of each octave. The frequencies of a key follow from these two by
// repeated multiplication, and callers compare the resulting texts, so the constants and the
// stepwise computation stay exactly as they are.
constexpr OctavePitch kOctaves[11] = {
    {8.1758, 8.6620},       {16.3516, 17.3239},     {32.7032, 34.6478},     {65.4064, 69.2957},
    {130.8128, 138.5913},   {261.6256, 277.1827},   {523.2512, 554.3654},   {1046.5025, 1108.7307},
    {2093.0049, 2217.4614}, {4186.0098, 4434.9229}, {8372.0196, 8869.8457},
};

}  // namespace

int GetOctave(int key) { return key < 12 ? 0 : key / 12; }

std::string GetHz(int key) {
    int octave = GetOctave(key);
    if (octave < 1 || octave > 10) octave = 0;
    const OctavePitch& pitch = kOctaves[octave];
    const long double ratio =
        static_cast<long double>(pitch.c_sharp) / static_cast<long double>(pitch.c);
    long double frequency = pitch.c;
    for (int step = 0; step < key % 12; ++step) frequency *= ratio;
    const auto thousandths = static_cast<long long>(std::trunc(frequency * 1000.0L));
    const std::string digits = std::to_string(thousandths);
    return digits.substr(0, digits.size() - 3) + "," + digits.substr(digits.size() - 3);
}

}  // namespace midi
