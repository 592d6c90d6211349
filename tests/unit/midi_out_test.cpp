#include <gtest/gtest.h>

#include <sstream>

#include "platform/headless/recording_midi_device.h"
#include "platform/midi_out_service.h"

namespace vesko {
namespace {

// Devices A and B open; C refuses, as a port that has gone away.
std::unique_ptr<MidiOut> makeOut(const std::shared_ptr<MidiLog>& log) {
  std::vector<std::unique_ptr<MidiDevice>> devices;
  devices.push_back(std::make_unique<RecordingMidiDevice>("A", log));
  devices.push_back(std::make_unique<RecordingMidiDevice>("B", log));
  devices.push_back(std::make_unique<RecordingMidiDevice>("C", log, false));
  return std::make_unique<MidiOut>(std::move(devices));
}

// Runs a script of calls such as "open 0; inst 4; on 60 15" and gives each
// call's result ("1"/"0" for flags, the number or "<name>" otherwise).
std::string run(MidiOut& out, const std::string& script) {
  std::string results;
  std::stringstream calls(script);
  std::string call;
  while (std::getline(calls, call, ';')) {
    std::stringstream words(call);
    std::string op;
    words >> op;
    int a = 0, b = 0;
    const bool hasA = static_cast<bool>(words >> a);
    const bool hasB = hasA && static_cast<bool>(words >> b);
    std::string r;
    if (op == "open") r = std::to_string(out.openDevice(a));
    else if (op == "close") r = std::to_string(out.closeDevice());
    else if (op == "isopen") r = std::to_string(out.isDeviceOpen());
    else if (op == "count") r = std::to_string(out.deviceCount());
    else if (op == "name") r = "<" + out.deviceName(a) + ">";
    else if (op == "inst") r = std::to_string(hasB ? out.setInstrument(a, b) : out.setInstrument(a));
    else if (op == "get") r = std::to_string(hasA ? out.getInstrument(a) : out.getInstrument());
    else if (op == "on") r = std::to_string(hasB ? out.noteOn(a, b) : out.noteOn(a));
    else if (op == "off") r = std::to_string(hasB ? out.noteOff(a, b) : out.noteOff(a));
    else ADD_FAILURE() << "unknown call " << call;
    if (!results.empty()) results += ' ';
    results += r;
  }
  return results;
}

std::string joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += (text.empty() ? "" : " | ") + line;
  return text;
}

struct Case {
  const char* what;
  const char* script;
  const char* results;
  const char* events;  // the log, entries separated by " | "
};

const Case kCases[] = {
    {"device list", "count; name 0; name 2; name 3; name -1", "3 <A> <C> <> <>", ""},
    {"notes and instruments reach the open device", "open 0; inst 4; on 60; off 60; get",
     "1 1 1 1 4", "open A | A C0 03 | A 90 3C 7F | A 80 3C 00"},
    {"every channel 0 to 15", "open 1; inst 128 15; on 0 15; off 127 15; get 15", "1 1 1 1 128",
     "open B | B CF 7F | B 9F 00 7F | B 8F 7F 00"},
    {"opening closes the previous device first", "open 0; open 1; isopen", "1 1 1", "open A | close A | open B"},
    {"reopening the open device closes it first", "open 0; open 0", "1 1", "open A | close A | open A"},
    {"out-of-range open changes nothing", "open 0; open 3; open -1; isopen; on 60", "1 0 0 1 1",
     "open A | A 90 3C 7F"},
    {"a refused open leaves no device open", "open 0; open 2; isopen; on 60; inst 5", "1 0 0 1 1",
     "open A | close A | open C refused"},
    {"channels outside 0 to 15", "open 0; on 60 16; off 60 -1; inst 5 16; inst 5 -1; get 16; get -1; get 0",
     "1 0 0 0 0 -1 -1 1", "open A"},
    {"instruments outside 1 to 128 are stored, not sent", "open 0; inst 0; get; inst 129; get; inst -7; get",
     "1 0 0 0 129 0 -7", "open A"},
    {"notes above 127 send nothing", "open 0; on 128; off 128; on 255; on 127", "1 1 1 1 1",
     "open A | A 90 7F 7F"},
    {"opening sends nothing and does not resend instruments", "inst 10; inst 20 3; open 0; get; get 3; close; open 1",
     "1 1 1 10 20 1 1", "open A | close A | open B"},
    {"with no device open nothing is sent", "on 60; off 60; inst 9; get", "1 1 1 9", ""},
    {"closeDevice closes the open device once", "open 0; close; isopen; close; on 60", "1 1 0 1 1",
     "open A | close A"},
};

class MidiOutCases : public testing::TestWithParam<Case> {};

TEST_P(MidiOutCases, ResultsAndMessages) {
  const Case& c = GetParam();
  auto log = std::make_shared<MidiLog>();
  auto out = makeOut(log);
  EXPECT_EQ(run(*out, c.script), c.results) << c.what;
  EXPECT_EQ(joined(log->events), c.events) << c.what;
}

INSTANTIATE_TEST_SUITE_P(MidiOut, MidiOutCases, testing::ValuesIn(kCases));

TEST(MidiOut, InstrumentsStartAtOneOnEveryChannel) {
  auto log = std::make_shared<MidiLog>();
  auto out = makeOut(log);
  for (int channel = 0; channel < 16; ++channel) EXPECT_EQ(out->getInstrument(channel), 1) << channel;
}

TEST(MidiOut, InstrumentNamesAreGeneralMidi) {
  auto out = makeOut(std::make_shared<MidiLog>());
  EXPECT_EQ(out->instrumentCount(), 128);
  EXPECT_EQ(out->instrumentName(1), "Acoustic Grand Piano");
  EXPECT_EQ(out->instrumentName(8), "Clavi");
  EXPECT_EQ(out->instrumentName(117), "Taiko Drum");
  EXPECT_EQ(out->instrumentName(128), "Gunshot");
  EXPECT_EQ(out->instrumentName(0), "");
  EXPECT_EQ(out->instrumentName(129), "");
}

// An external synthesizer would go on sounding held notes after the program ends.
TEST(MidiOut, GoingAwayClosesTheOpenDevice) {
  auto log = std::make_shared<MidiLog>();
  {
    auto out = makeOut(log);
    out->openDevice(1);
    out->noteOn(60);
  }
  EXPECT_EQ(joined(log->events), "open B | B 90 3C 7F | close B");
}

}  // namespace
}  // namespace vesko
