#include "platform/midi_out_service.h"

#include <algorithm>

namespace vesko {

namespace {

bool validChannel(int channel) { return channel >= 0 && channel <= 15; }

}  // namespace

MidiOut::MidiOut(std::vector<std::unique_ptr<MidiDevice>> devices) : devices_(std::move(devices)) {
  std::fill(std::begin(instruments_), std::end(instruments_), 1);
}

// An external synthesizer would keep sounding what is still held when the
// program goes away, so the open device is let go of properly.
MidiOut::~MidiOut() { closeDevice(); }

int MidiOut::deviceCount() { return static_cast<int>(devices_.size()); }

std::string MidiOut::deviceName(int index) {
  MidiDevice* d = device(index);
  return d ? d->name() : std::string();
}

MidiDevice* MidiOut::device(int index) const {
  if (index < 0 || index >= static_cast<int>(devices_.size())) return nullptr;
  return devices_[index].get();
}

bool MidiOut::openDevice(int index) {
  MidiDevice* d = device(index);
  if (!d) return false;
  closeDevice();
  if (!d->open()) return false;
  open_ = index;
  return true;
}

bool MidiOut::isDeviceOpen() { return open_ >= 0 && devices_[open_]->isOpen(); }

bool MidiOut::closeDevice() {
  if (open_ >= 0) {
    devices_[open_]->close();
    open_ = -1;
  }
  return true;
}

bool MidiOut::setInstrument(int n, int channel) {
  if (!validChannel(channel)) return false;
  instruments_[channel] = n;
  if (n < 1 || n > 128) return false;
  send3(0xC0 + channel, n - 1, -1);
  return true;
}

int MidiOut::getInstrument(int channel) { return validChannel(channel) ? instruments_[channel] : -1; }

int MidiOut::instrumentCount() { return 128; }

std::string MidiOut::instrumentName(int n) { return generalMidiName(n); }

bool MidiOut::noteOn(int note, int channel) {
  if (!validChannel(channel)) return false;
  send3(0x90 + channel, note, 127);
  return true;
}

bool MidiOut::noteOff(int note, int channel) {
  if (!validChannel(channel)) return false;
  send3(0x80 + channel, note, 0);
  return true;
}

// data2 < 0 means a two-byte message. A data byte above 127 would be read by
// the device as a status byte, so such a message is dropped whole.
void MidiOut::send3(int status, int data1, int data2) {
  if (open_ < 0) return;
  if (data1 < 0 || data1 > 127 || data2 > 127) return;
  const unsigned char bytes[3] = {static_cast<unsigned char>(status), static_cast<unsigned char>(data1),
                                  static_cast<unsigned char>(data2 < 0 ? 0 : data2)};
  devices_[open_]->send(bytes, data2 < 0 ? 2 : 3);
}

}  // namespace vesko
