#include "instruments.h"

#include "core/string_list.h"

namespace midi {

namespace {

constexpr const char* kInstrumentNames[kInstrumentCount] = {
    "Acoustic Grand Piano",
    "Bright Acoustic Piano",
    "Electric Grand Piano",
    "Honky-Tonk Piano",
    "Electric Piano 1",
    "Electric Piano 2",
    "Harpsichord",
    "Clavichord",
    "Celesta",
    "Chime",
    "Music Box",
    "Vibraphon",
    "Marimba",
    "Xylophon",
    "Tubular Bells",
    "Dulcimer",
    "Drawbar Organ",
    "Percussive Organ",
    "Rock Organ",
    "Church Organ",
    "Reed Organ",
    "Akkordion",
    "Harmonica",
    "Tango Akkordion",
    "Acoustic Guitar (nylon)",
    "Acoustic Guitar (steel)",
    "Acoustic Guitar (Jazz)",
    "Acoustic Guitar (clean)",
    "Acoustic Guitar (muted)",
    "Overdriven Guitar",
    "Distortion",
    "Guitar Harmonics",
    "Acoustic Bass",
    "Electric Bass (finger)",
    "Electric Bass (pick)",
    "Fretless Bass",
    "Slap Bass 1",
    "Slap Bass 2",
    "Synth Bass 1",
    "Synth Bass 2",
    "Violin",
    "Viola",
    "Cello",
    "Contrabass",
    "Strings (tremolo)",
    "Strings (pizzicato)",
    "Orchestral Harp",
    "Timpani",
    "String Ensemble 1",
    "String Ensemble 2",
    "Synth Strings 1",
    "Synth Strings 2",
    "Choirs Aahs",
    "Voice Oohs",
    "Synth Voice",
    "Orchestra Hit",
    "Trumpet",
    "Trombone",
    "Tuba",
    "Trumpet (muted)",
    "French Horn",
    "Brass Section",
    "Synth Brass 1",
    "Synth Brass 2",
    "Soprano Sax",
    "Alto Sax",
    "Tenor Sax",
    "Baritone Sax",
    "Oboe",
    "English Horn",
    "Bassoon",
    "Clarinet",
    "Piccolo",
    "Flute",
    "Recorder",
    "Pan Flute",
    "Blown Bottle",
    "Shakuhachi",
    "Whistle",
    "Ocarina",
};

}  // namespace

void FillInstrumentList(TStrings& list) {
    for (const char* name : kInstrumentNames) list.Add(name);
}

int GetHexInstrument(std::string_view name) {
    for (int program = 0; program < kInstrumentCount; ++program) {
        if (name == kInstrumentNames[program]) return program;
    }
    return 0;
}

std::string GetStringInstrument(int program) {
    if (program < 0 || program >= kInstrumentCount) return {};
    return kInstrumentNames[program];
}

}  // namespace midi
